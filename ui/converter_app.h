#pragma once

#include <wx/app.h>

// The application: one modal dialog as its main window, and the process
// ends when that dialog closes. It reads no settings; of its start options
// only --modern, which starts the dialog in modern mode.
class CConverterApp : public wxApp {
public:
    bool OnInit() override;
    int OnRun() override;

private:
    bool m_modern = false;
};
