#pragma once

#include <wx/app.h>

#include "start_options.h"

// The application: one modal dialog as its main window, and the process
// ends when that dialog closes. It reads no settings; its command line gives
// at most the source file to show, and --modern for the modern mode.
class CConverterApp : public wxApp {
public:
    bool OnInit() override;
    int OnRun() override;

private:
    StartOptions m_options;
};
