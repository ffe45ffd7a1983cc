#include "check_files.h"

FileOps CheckFileOps() {
    FileOps files = SystemFileOps();
    files.outputExists = [](const char*) { return false; };
    files.createOutput = [](const char*) { return OpenNullDevice(); };
    return files;
}
