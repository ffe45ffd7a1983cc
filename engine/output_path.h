#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#ifdef _WIN32
inline constexpr std::string_view kPathSeparators = "\\/";
inline constexpr bool kShiftJisPaths = true;
#else
inline constexpr std::string_view kPathSeparators = "/";
inline constexpr bool kShiftJisPaths = false;
#endif

// The byte index of the last separator in path, or npos. In a Shift-JIS
// path the second byte of a double-byte character is never a separator,
// even where it is 0x5C ('\'), as in 表 or ソ.
std::size_t LastSeparatorIndex(std::string_view path, std::string_view separators, bool shiftJis);

// The output lies beside the source: the source path up to and including
// its last separator, then the name, then the extension. A source path
// without a separator lies in the current directory, and so does the output.
std::string ComposeOutputPath(std::string_view sourcePath, std::string_view outputName,
                              std::string_view extension,
                              std::string_view separators = kPathSeparators,
                              bool shiftJis = kShiftJisPaths);
