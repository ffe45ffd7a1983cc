#include <wx/app.h>

#include "converter_app.h"
#include "standard_streams.h"
#ifdef __WXMSW__
#include "running_mark.h"
#endif

wxIMPLEMENT_APP_NO_MAIN(CConverterApp);

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
    // Before anything opens a file: the toolkit's warnings go to stderr.
    if (!OpenStandardStreams()) return 1;
#ifdef __WXMSW__
    MarkProgramRunning();
    // The wide command line, so that an argument keeps every character
    // whatever the system's code page.
    return wxEntry();
#else
    return wxEntry(argc, argv);
#endif
}
