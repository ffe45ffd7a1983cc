#include "output_path.h"

std::size_t LastSeparatorIndex(std::string_view path, std::string_view separators) {
    return path.find_last_of(separators);
}

std::size_t FolderPartLength(std::string_view path, std::string_view separators, bool drives) {
    const std::size_t separator = LastSeparatorIndex(path, separators);
    if (separator != std::string_view::npos) return separator + 1;
    const bool drivePrefix =
        path.size() >= 2 && path[1] == ':' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drives && drivePrefix ? 2 : 0;
}

std::string ComposeOutputPath(std::string_view sourcePath, std::string_view outputName,
                              std::string_view extension, std::string_view separators,
                              bool drives) {
    std::string path(sourcePath.substr(0, FolderPartLength(sourcePath, separators, drives)));
    path.append(outputName);
    path.append(extension);
    return path;
}
