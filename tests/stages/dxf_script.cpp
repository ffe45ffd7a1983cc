#include "dxf_script.h"

namespace {

bool IsInserted(const std::string& line) {
    return !line.empty() && line[0] == '+';
}
bool IsStop(const std::string& line) {
    return !line.empty() && line[0] == '!';
}

std::string Marked(char mark, std::string_view line) {
    std::string marked(1, mark);
    marked += line;
    return marked;
}

}  // namespace

Script Inserted(const Script& lines) {
    Script marked;
    for (const std::string& line : lines) marked.push_back(Marked('+', line));
    return marked;
}

std::string StopAt(std::string_view line) {
    return Marked('!', line);
}

Script Join(std::initializer_list<Script> parts) {
    Script joined;
    for (const Script& part : parts) joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

Script SourceLines(const Script& script) {
    Script lines;
    for (const std::string& line : script) {
        if (IsInserted(line)) continue;
        lines.push_back(IsStop(line) ? line.substr(1) : line);
    }
    return lines;
}

std::string JoinLines(const Script& lines, std::string_view lineEnd) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

std::string SourceOf(const Script& script, LineEnd lineEnd) {
    return JoinLines(SourceLines(script), lineEnd == LineEnd::Lf ? "\n" : "\r\n");
}

std::string OutputOf(const Script& script) {
    Script lines;
    for (const std::string& line : script) {
        if (IsStop(line)) break;
        lines.push_back(IsInserted(line) ? line.substr(1) : line);
    }
    return JoinLines(lines, "\r\n");
}

Script Section(std::string_view name, const Script& body) {
    return Join({{"  0", "SECTION", "  2", std::string(name)}, body, {"  0", "ENDSEC"}});
}

Script TablesSection(const Script& tables) {
    return Section("TABLES", tables);
}

Script LayerTableLines(const Script& entries, int count) {
    return Join({{"  0", "TABLE", "  2", "LAYER", " 70", "     " + std::to_string(count)},
                 entries,
                 {"  0", "ENDTAB"}});
}

Script LayerEntryLines(std::string_view name, std::string_view linetype) {
    Script entry = {"  0", "LAYER", "  2", std::string(name), " 70", "     0", " 62", "     7"};
    if (!linetype.empty()) entry.insert(entry.end(), {"  6", std::string(linetype)});
    return entry;
}

Script Eof() {
    return {"  0", "EOF"};
}
