// Entry of the dialog tests: one wx application per process, a private home
// so that the file chooser's history never touches the user's, and wx
// asserts turned into test failures instead of blocking dialogs.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdlib>
#include <string>

#include "temp_dir.h"

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_string().c_str(), line)
        << "wx assert in " << func.utf8_string() << ": " << cond.utf8_string() << " "
        << msg.utf8_string();
}

void UsePrivateHome(const TempDir& home) {
    setenv("HOME", home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.File(".config").c_str(), 1);
    setenv("XDG_DATA_HOME", home.File(".local/share").c_str(), 1);
    setenv("XDG_CACHE_HOME", home.File(".cache").c_str(), 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

    const TempDir home;
    UsePrivateHome(home);
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return EXIT_FAILURE;
    wxSetAssertHandler(FailOnAssert);
    delete wxLog::SetActiveTarget(new wxLogStderr);

    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
