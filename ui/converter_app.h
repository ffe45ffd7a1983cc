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

    // The arguments as the system gave them, as bytes (not on Windows): the
    // toolkit decodes its own copy by the locale, which under LANG=C garbles
    // every path that is not ASCII, and drops bytes that are not UTF-8.
    // GTK's own options (--display ...) are then no options of the dialog.
    static void KeepArgumentBytes(int argc, char** argv);

private:
    StartOptions m_options;
};
