#pragma once

#include <string>
#include <string_view>

// What the file-open dialog of Browse is built from: the output extension
// and the path chosen last. All text is UTF-8; paths are the file system's
// bytes.

inline constexpr std::string_view kBrowseTitle = "DXF元ﾌｧｲﾙを選択";

// "*" followed by the extension: the initial file name and the DXF type's
// pattern.
std::string BrowsePattern(std::string_view extension);

// The two file types, DXF files first, then all files, as description and
// pattern pairs separated by '|' and closed by "||".
std::string BrowseFilter(std::string_view extension);

// The toolkit's wildcard takes the same pairs without the closing "||".
std::string WildcardFromFilter(std::string_view filter);

// The wildcard with every pattern as GTK's file chooser must be given it to
// match as the native Windows one does: a letter in either case, and "*.*"
// every file, with or without a dot. The descriptions stay as they are.
std::string AnyCasePatterns(std::string_view wildcard);

// The directory of the path chosen last: the text before its last separator
// when that separator stands at byte index 2 or later, so that a root or a
// drive prefix alone never becomes the starting folder. "" when there is
// none, and then the platform picks the starting folder.
std::string InitialDirectory(std::string_view currentPath);
