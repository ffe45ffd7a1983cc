#pragma once

#include <wx/app.h>

// The application: one modal dialog as its main window, and the process
// ends when that dialog closes. It reads no command line and no settings.
class CConverterApp : public wxApp {
public:
    bool OnInit() override;
    int OnRun() override;
};
