#include <windows.h>

#include "run_command.h"
#include "windows_paths.h"

// No shell on Windows expands wildcards: the C runtime expands *.dxf in the
// arguments, as the shell does on Linux (no Windows name holds * or ?).
extern "C" {
int _dowildcard = -1;
}

namespace {

// The progress line redraws itself with the escape sequences a Linux
// terminal takes; a Windows console takes them once asked to.
void LetConsoleTakeEscapes() {
    const HANDLE console = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (::GetConsoleMode(console, &mode) != 0) {
        ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
}

}  // namespace

// The arguments in UTF-16, as typed: Japanese, Korean or emoji names come
// through whatever the system's ANSI code page.
int wmain(int argc, wchar_t** argv) {
    LetConsoleTakeEscapes();
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(Utf8Of(argv[i]));
    return RunCommand(arguments);
}
