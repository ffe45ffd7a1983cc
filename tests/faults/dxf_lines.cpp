#include "dxf_lines.h"

#include <stdexcept>

namespace {
// A comment group takes its code line (5 bytes with CR LF) and its value.
constexpr std::size_t kCommentCodeBytes = 5;
constexpr std::size_t kFillerComment = 80;
constexpr std::size_t kLongestLine = 97;
}  // namespace

DxfLines& DxfLines::Line(std::string_view line) {
    lines_.emplace_back(line);
    outputBytes_ += line.size() + 2;
    return *this;
}

DxfLines& DxfLines::Group(int code, std::string_view value) {
    std::string codeLine = std::to_string(code);
    if (codeLine.size() < 3) codeLine.insert(0, 3 - codeLine.size(), ' ');
    Line(codeLine);
    return Line(value);
}

DxfLines& DxfLines::PadOutputTo(std::size_t outputBytes) {
    const std::size_t shortestGroup = kCommentCodeBytes + 2;
    if (outputBytes < outputBytes_ + shortestGroup) throw std::logic_error("no room to pad");
    // Whole fillers until one comment of at most 97 bytes closes the gap.
    while (outputBytes - outputBytes_ > shortestGroup + kLongestLine) {
        Group(999, std::string(kFillerComment, 'c'));
    }
    return Group(999, std::string(outputBytes - outputBytes_ - shortestGroup, 'c'));
}

DxfLines& DxfLines::Lines(std::string_view layer, int count) {
    for (int i = 0; i < count; ++i) {
        Group(0, "LINE").Group(8, layer).Group(10, std::to_string(i)).Group(20, "0.0");
    }
    return *this;
}

std::string DxfLines::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\n";
    return text;
}

DxfLines& OpenSection(DxfLines& dxf, std::string_view name) {
    return dxf.Group(0, "SECTION").Group(2, name);
}

DxfLines& LayerTable(DxfLines& dxf, std::string_view layer, std::string_view linetype) {
    return dxf.Group(0, "TABLE")
        .Group(2, "LAYER")
        .Group(70, "1")
        .Group(0, "LAYER")
        .Group(2, layer)
        .Group(70, "0")
        .Group(62, "7")
        .Group(6, linetype)
        .Group(0, "ENDTAB");
}
