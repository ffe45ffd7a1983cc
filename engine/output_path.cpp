#include "output_path.h"

namespace {
bool IsShiftJisLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
}  // namespace

std::size_t LastSeparatorIndex(std::string_view path, std::string_view separators, bool shiftJis) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (shiftJis && IsShiftJisLeadByte(static_cast<unsigned char>(path[i]))) {
            ++i;  // the trail byte belongs to this character
            continue;
        }
        if (separators.find(path[i]) != std::string_view::npos) last = i;
    }
    return last;
}

std::size_t FolderPartLength(std::string_view path, std::string_view separators, bool shiftJis,
                             bool drives) {
    const std::size_t separator = LastSeparatorIndex(path, separators, shiftJis);
    if (separator != std::string_view::npos) return separator + 1;
    const bool drivePrefix =
        path.size() >= 2 && path[1] == ':' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drives && drivePrefix ? 2 : 0;
}

std::string ComposeOutputPath(std::string_view sourcePath, std::string_view outputName,
                              std::string_view extension, std::string_view separators,
                              bool shiftJis, bool drives) {
    std::string path(
        sourcePath.substr(0, FolderPartLength(sourcePath, separators, shiftJis, drives)));
    path.append(outputName);
    path.append(extension);
    return path;
}
