#include "run_command.h"
#include "running_mark.h"
#include "wildcard_arguments.h"
#include "windows_paths.h"

// The C runtime's own expansion of wildcards matches short 8.3 names too:
// the command expands them itself.
extern "C" {
int _dowildcard = 0;
}

// The arguments in UTF-16, as typed: Japanese, Korean or emoji names come
// through whatever the system's ANSI code page.
int wmain(int argc, wchar_t** argv) {
    MarkProgramRunning();
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(Utf8Of(argv[i]));
    return RunCommand(ExpandWildcards(arguments));
}
