#include "converter_app.h"

#include <wx/uilocale.h>

#include <cstdio>
#include <string>
#include <vector>

#include "converter_dlg.h"
#include "wx_text.h"

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

namespace {

// The status of a start with arguments that cannot be used, as for the
// command's usage errors.
constexpr int kUsageStatus = 2;

}  // namespace

bool CConverterApp::OnInit() {
    // GTK needs the user's (UTF-8) locale for the window title to reach the
    // desktop readable; Windows takes the title as it is. The base class is
    // skipped: its command line parser would answer the arguments with
    // options and messages of its own.
#ifdef __WXGTK__
    wxUILocale::UseDefault();
#endif
    std::vector<wxString> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(argv[i]);
    m_options = ParseStartOptions(arguments);
    return true;
}

int CConverterApp::OnRun() {
    if (!m_options.error.empty()) {
        const std::string text = "dxfconv-gui: " + m_options.error.utf8_string() + "\n" +
                                 std::string(kStartUsage) + "\n";
#ifdef __WXMSW__
        // A window program has no console to write to.
        ::MessageBoxW(nullptr, FromUtf8(text).wc_str(), GetAppName().wc_str(),
                      MB_OK | MB_ICONEXCLAMATION);
#else
        std::fputs(text.c_str(), stderr);
#endif
        return kUsageStatus;
    }
    CConverterDlg dialog(nullptr, m_options.sourcePath, m_options.modern);
    SetTopWindow(&dialog);
    dialog.ShowModal();
    return 0;
}
