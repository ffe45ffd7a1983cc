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

namespace {

std::string AnyCasePattern(std::string_view pattern) {
    if (pattern == "*.*") return "*";
    std::string anyCase;
    for (const char c : pattern) {
        const bool lower = c >= 'a' && c <= 'z';
        const bool upper = c >= 'A' && c <= 'Z';
        if (!lower && !upper) {
            anyCase += c;
            continue;
        }
        anyCase += '[';
        anyCase += lower ? c : static_cast<char>(c - 'A' + 'a');
        anyCase += lower ? static_cast<char>(c - 'a' + 'A') : c;
        anyCase += ']';
    }
    return anyCase;
}

// Each of the field's patterns, separated by ';'.
std::string AnyCasePatternList(std::string_view patterns) {
    std::string anyCase;
    for (;;) {
        const std::size_t end = patterns.find(';');
        anyCase += AnyCasePattern(patterns.substr(0, end));
        if (end == std::string_view::npos) return anyCase;
        anyCase += ';';
        patterns.remove_prefix(end + 1);
    }
}

}  // namespace

std::string AnyCasePatterns(std::string_view wildcard) {
    // Descriptions and patterns take turns between the bars.
    std::string anyCase;
    for (bool pattern = false;; pattern = !pattern) {
        const std::size_t end = wildcard.find('|');
        const std::string_view field = wildcard.substr(0, end);
        anyCase += pattern ? AnyCasePatternList(field) : std::string(field);
        if (end == std::string_view::npos) return anyCase;
        anyCase += '|';
        wildcard.remove_prefix(end + 1);
    }
}

std::string InitialDirectory(std::string_view currentPath) {
    if (currentPath.empty()) return "";
    const std::size_t separator = LastSeparatorIndex(currentPath, kPathSeparators);
    if (separator == std::string_view::npos || separator <= 1) return "";
    return std::string(currentPath.substr(0, separator));
}
