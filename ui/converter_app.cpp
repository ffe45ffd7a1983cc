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

std::vector<std::string> argumentBytes;

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
#ifdef __WXMSW__
    for (int i = 1; i < argc; ++i) arguments.push_back(argv[i]);
#else
    for (std::size_t i = 1; i < argumentBytes.size(); ++i)
        arguments.push_back(FromFileBytes(argumentBytes[i]));
#endif
    m_options = ParseStartOptions(arguments);
    return true;
}

void CConverterApp::KeepArgumentBytes(int argc, char** argv) {
    argumentBytes.assign(argv, argv + argc);
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
