#include "converter_app.h"

#include <wx/uilocale.h>

#include "converter_dlg.h"

bool CConverterApp::OnInit() {
    // GTK needs the user's (UTF-8) locale for the window title to reach the
    // desktop readable. The base class is skipped: it would parse the command
    // line.
    wxUILocale::UseDefault();
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == "--modern") m_modern = true;
    }
    return true;
}

int CConverterApp::OnRun() {
    CConverterDlg dialog(nullptr, m_modern);
    SetTopWindow(&dialog);
    dialog.ShowModal();
    return 0;
}
