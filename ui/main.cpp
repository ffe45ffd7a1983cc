#include <wx/app.h>
#include <wx/strconv.h>

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
    // File names are bytes, which GLib takes for UTF-8 whatever the locale:
    // so does the dialog, so that under LANG=C a Japanese path given or
    // chosen is neither dropped nor garbled. Bytes that are not UTF-8 pass
    // through unchanged as private-use characters.
    static wxMBConvUTF8 fileNames(wxMBConvUTF8::MAP_INVALID_UTF8_TO_PUA);
    wxConvFileName = &fileNames;
    CConverterApp::KeepArgumentBytes(argc, argv);
    return wxEntry(argc, argv);
#endif
}
