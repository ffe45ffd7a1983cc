#include <wx/app.h>

#include "converter_app.h"
#include "standard_streams.h"

wxIMPLEMENT_APP_NO_MAIN(CConverterApp);

int main(int argc, char** argv) {
    // Before anything opens a file: the toolkit's warnings go to stderr.
    if (!OpenStandardStreams()) return 1;
    return wxEntry(argc, argv);
}
