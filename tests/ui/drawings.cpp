#include "drawings.h"

#include <string_view>
#include <vector>

namespace {

std::string Join(const std::vector<std::string>& lines, std::string_view lineEnd) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

std::vector<std::string> WallLines(const std::string& linetype, bool converted) {
    std::vector<std::string> lines = {
        "  0",      "SECTION", "  2",   "TABLES", "  0",  "TABLE",  "  2", "LAYER",   " 70",
        "1",        "  0",     "LAYER", "  2",    "WALL", " 70",    "0",   " 62",     "7",
        "  6",      linetype,  "  0",   "ENDTAB", "  0",  "ENDSEC", "  0", "SECTION", "  2",
        "ENTITIES", "  0",     "LINE",  "  8",    "WALL", " 10",    "0.0", " 20",     "0.0",
    };
    if (converted) lines.insert(lines.end(), {"  6", linetype});
    lines.insert(lines.end(), {"  0", "ENDSEC", "  0", "EOF"});
    return lines;
}

}  // namespace

std::string WallDrawing(const std::string& linetype) {
    return Join(WallLines(linetype, false), "\n");
}

std::string WallDrawingConverted(const std::string& linetype) {
    return Join(WallLines(linetype, true), "\r\n");
}

std::string DrawingWithLayers(int count) {
    std::vector<std::string> lines = {"  0",   "SECTION", "  2",   "TABLES", "  0",
                                      "TABLE", "  2",     "LAYER", " 70",    "0"};
    for (int i = 0; i < count; ++i) {
        std::string name = "L";
        name += std::to_string(i);
        lines.insert(lines.end(), {"  0", "LAYER", "  2", name, " 70", "0"});
    }
    lines.insert(lines.end(), {"  0", "ENDTAB", "  0", "ENDSEC", "  0", "EOF"});
    return Join(lines, "\n");
}
