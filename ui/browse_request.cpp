#include "browse_request.h"

#include "output_path.h"

std::string BrowsePattern(std::string_view extension) {
    std::string pattern = "*";
    pattern += extension;
    return pattern;
}

std::string BrowseFilter(std::string_view extension) {
    const std::string pattern = BrowsePattern(extension);
    std::string filter = "DXFﾌｧｲﾙ(";
    filter += pattern;
    filter += ")|";
    filter += pattern;
    filter += "|すべてのﾌｧｲﾙ(*.*)|*.*||";
    return filter;
}

std::string WildcardFromFilter(std::string_view filter) {
    constexpr std::string_view kEnd = "||";
    if (filter.ends_with(kEnd)) filter.remove_suffix(kEnd.size());
    return std::string(filter);
}

std::string InitialDirectory(std::string_view currentPath) {
    if (currentPath.empty()) return "";
    const std::size_t separator = LastSeparatorIndex(currentPath, kPathSeparators, kShiftJisPaths);
    if (separator == std::string_view::npos || separator <= 1) return "";
    return std::string(currentPath.substr(0, separator));
}
