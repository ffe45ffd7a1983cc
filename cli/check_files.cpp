#include "check_files.h"

#include <fcntl.h>

FileOps CheckFileOps() {
    FileOps files = PosixFileOps();
    files.outputExists = [](const char*) { return false; };
    files.createOutput = [](const char*) { return ::open("/dev/null", O_WRONLY | O_CLOEXEC); };
    return files;
}
