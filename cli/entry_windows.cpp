#include "run_command.h"
#include "windows_paths.h"

// No shell on Windows expands wildcards: the C runtime expands *.dxf in the
// arguments, as the shell does on Linux (no Windows name holds * or ?).
extern "C" {
int _dowildcard = -1;
}

// The arguments in UTF-16, as typed: Japanese, Korean or emoji names come
// through whatever the system's ANSI code page.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(Utf8Of(argv[i]));
    return RunCommand(arguments);
}
