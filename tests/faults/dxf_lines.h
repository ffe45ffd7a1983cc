#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A DXF source built line by line, keeping count of the bytes its lines take
// in the output (where every line ends in CR LF), so that a test can place a
// line at an exact output offset.
class DxfLines {
public:
    DxfLines& Line(std::string_view line);
    // A group: its code right-aligned in three columns, then its value.
    DxfLines& Group(int code, std::string_view value);
    // Comment groups (999) until the echoed lines take exactly outputBytes.
    DxfLines& PadOutputTo(std::size_t outputBytes);
    // LINE records on the layer, each with a short coordinate.
    DxfLines& Lines(std::string_view layer, int count);

    // The echoed size of the lines so far; inserted lines not counted.
    std::size_t outputBytes() const { return outputBytes_; }
    // The source text, with LF line ends.
    std::string Text() const;

private:
    std::vector<std::string> lines_;
    std::size_t outputBytes_ = 0;
};

// "  0", "SECTION", "  2", name.
DxfLines& OpenSection(DxfLines& dxf, std::string_view name);
// A LAYER table of one layer with the linetype.
DxfLines& LayerTable(DxfLines& dxf, std::string_view layer, std::string_view linetype);
