#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Paths inside the program are UTF-8 on Windows too, where no byte of a
// multi-byte character is a separator.
#ifdef _WIN32
inline constexpr std::string_view kPathSeparators = "\\/";
inline constexpr bool kDrivePrefixes = true;
#else
inline constexpr std::string_view kPathSeparators = "/";
inline constexpr bool kDrivePrefixes = false;
#endif

// The byte index of the last separator in path, or npos.
std::size_t LastSeparatorIndex(std::string_view path, std::string_view separators);

// How many bytes of path name its folder: up to and including the last
// separator. Without one, a drive prefix such as "C:" (the current folder of
// drive C) where drives count, else nothing: the current folder.
std::size_t FolderPartLength(std::string_view path, std::string_view separators = kPathSeparators,
                             bool drives = kDrivePrefixes);

// The output lies beside the source: the source's folder part, then the
// name, then the extension.
std::string ComposeOutputPath(std::string_view sourcePath, std::string_view outputName,
                              std::string_view extension,
                              std::string_view separators = kPathSeparators,
                              bool drives = kDrivePrefixes);
