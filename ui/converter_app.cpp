#include "converter_app.h"

#include <wx/uilocale.h>

#include "converter_dlg.h"

bool CConverterApp::OnInit() {
    // GTK needs the user's (UTF-8) locale for the window title to reach the
    // desktop readable; Windows takes the title as it is. The base class is
    // skipped: it would parse the command line.
#ifdef __WXGTK__
    wxUILocale::UseDefault();
#endif
    return true;
}

int CConverterApp::OnRun() {
    CConverterDlg dialog;
    SetTopWindow(&dialog);
    dialog.ShowModal();
    return 0;
}
