#include "conversion_oracle.h"

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "conversion_run.h"
#include "known_linetypes.h"
#include "memory_files.h"
#include "messages.h"

namespace {

constexpr std::size_t kMaxLineBytes = 97;
constexpr std::string_view kBinarySentinel{"AutoCAD Binary DXF\r\n\x1A\0", 22};

struct Recorder : MessageSink {
    void ShowMessage(const std::string& text) override { calls.push_back("message:" + text); }
    void BeginWaitCursor() override { calls.push_back("begin"); }
    void EndWaitCursor() override { calls.push_back("end"); }
    std::vector<std::string> calls;
};

// The source's lines as text mode reads them: input ends at 0x1A, LF ends a
// line, a CR right before the LF goes with it, a last line may lack the LF.
std::vector<std::string_view> SourceLines(std::string_view source) {
    source = source.substr(0, source.find('\x1A'));
    std::vector<std::string_view> lines;
    while (!source.empty()) {
        const std::size_t lf = source.find('\n');
        std::string_view line = source.substr(0, lf);
        source = lf == std::string_view::npos ? std::string_view{} : source.substr(lf + 1);
        if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
    }
    return lines;
}

std::string WithoutSpaces(std::string_view line) {
    std::string text;
    for (const char c : line) {
        if (c != ' ') text += c;
    }
    return text;
}

std::vector<std::string> ReplacementTable() {
    std::vector<std::string> table;
    for (int i = 0; i < 6; ++i) {
        table.insert(table.end(), {"  0", "LTYPE", "  2", kKnownLinetypes[std::size_t(i)]});
    }
    table.insert(table.end(), {"  0", "ENDTAB"});
    return table;
}

bool IsKnownLinetype(std::string_view name) {
    for (const char* known : kKnownLinetypes) {
        if (name == known) return true;
    }
    return false;
}

// Whether the output lines are the first `count` source lines with only the
// allowed insertions between them. Searches all readings of the output, as
// a source line may itself look like an inserted one.
bool MatchesWithInsertions(const std::vector<std::string_view>& out,
                           const std::vector<std::string_view>& src, std::size_t count) {
    static const std::vector<std::string> table = ReplacementTable();
    std::set<std::pair<std::size_t, std::size_t>> seen;
    std::vector<std::pair<std::size_t, std::size_t>> todo = {{0, 0}};
    while (!todo.empty()) {
        const auto [i, j] = todo.back();
        todo.pop_back();
        if (!seen.insert({i, j}).second) continue;
        if (j == count) {
            if (i == out.size()) return true;
            continue;
        }
        if (i < out.size() && out[i] == src[j]) todo.push_back({i + 1, j + 1});
        const std::string next = WithoutSpaces(src[j]);
        if ((next == "0" || next == "1001") && i + 2 <= out.size() && out[i] == "  6" &&
            IsKnownLinetype(out[i + 1])) {
            todo.push_back({i + 2, j});
        }
        if (next == "0" && i + table.size() <= out.size()) {
            bool isTable = true;
            for (std::size_t k = 0; k < table.size() && isTable; ++k)
                isTable = out[i + k] == table[k];
            if (isTable) todo.push_back({i + table.size(), j});
        }
    }
    return false;
}

bool IsKeyword(const std::string& text) {
    static const std::set<std::string> keywords = {"SECTION", "ENDSEC", "ENTITIES", "BLOCKS",
                                                   "BLOCK",   "ENDBLK", "TABLES",   "TABLE",
                                                   "ENDTAB",  "LTYPE",  "LAYER"};
    return keywords.count(text) != 0;
}

std::string StructureError(std::size_t lineNumber, const std::string& keyword) {
    return std::to_string(lineNumber) + std::string(messages::kStructureErrorBefore) + keyword +
           std::string(messages::kStructureErrorAfter);
}

// The closing message of a run that opened both files, and the line (1 on)
// it stopped at, or 0 when it finished.
std::string CheckCalls(const std::vector<std::string>& calls, RunOutcome outcome,
                       std::string& closing) {
    std::size_t k = 0;
    if (calls.size() < 3 || calls[k++] != "begin") return "the busy cursor was not shown first";
    if (calls[k] == "message:" + std::string(messages::kLayerLimit)) ++k;
    if (calls[k++] != "end") return "the busy cursor was not cleared before the message";
    if (k + 1 != calls.size()) return "not exactly one message after the busy cursor";
    if (calls[k].rfind("message:", 0) != 0) return "no closing message";
    closing = calls[k].substr(8);
    if ((outcome == RunOutcome::Finished) != (closing == messages::kFinished)) {
        return "the outcome does not match the message";
    }
    if (outcome != RunOutcome::Finished && outcome != RunOutcome::Stopped) {
        return "a run on memory files neither finished nor stopped";
    }
    return "";
}

}  // namespace

std::string CheckConversion(std::string_view source, const std::string& sourcePath,
                            std::size_t readChunk) {
    MemoryFiles files(source, readChunk);
    Recorder sink;
    const RunOutcome outcome =
        RunConversion(sourcePath, "out", kOutputExtension, kKnownLinetypes, sink, files.ops());

    if (source.substr(0, kBinarySentinel.size()) == kBinarySentinel) {
        const bool refused = outcome == RunOutcome::NotStarted &&
                             sink.calls == std::vector<std::string>{
                                               "message:" + std::string(messages::kBinarySource)};
        return refused ? "" : "a binary source was not refused alone";
    }
    if (outcome == RunOutcome::NotStarted) return "a text source was not started";

    std::string closing;
    if (std::string fault = CheckCalls(sink.calls, outcome, closing); !fault.empty()) return fault;

    // Where the run must have stopped: the first line too long or the first
    // misplaced keyword, whichever comes first; the message says which.
    const std::vector<std::string_view> src = SourceLines(source);
    std::size_t done = src.size();
    for (std::size_t n = 0; n < src.size(); ++n) {
        if (src[n].size() > kMaxLineBytes) {
            done = n;
            break;
        }
    }
    if (outcome == RunOutcome::Finished) {
        if (done != src.size()) return "a line of 98 bytes or more was accepted";
    } else if (closing == messages::kLineTooLong) {
        if (done == src.size()) return "stopped for a long line that is not there";
    } else {
        std::size_t n = 0;
        while (n < done && StructureError(n + 1, WithoutSpaces(src[n])) != closing) ++n;
        if (n == done || !IsKeyword(WithoutSpaces(src[n]))) {
            return "stopped with a message that names no misplaced keyword: " + closing;
        }
        done = n;
    }

    if (!IsSourceWithInsertions(files.output(), source, done)) {
        return "the output is not the source's lines with allowed insertions";
    }
    return "";
}

bool IsSourceWithInsertions(std::string_view output, std::string_view source, std::size_t lines) {
    const std::vector<std::string_view> src = SourceLines(source);
    if (lines > src.size()) return false;
    std::vector<std::string_view> out;
    for (std::size_t at = 0; at < output.size();) {
        const std::size_t end = output.find("\r\n", at);
        if (end == std::string_view::npos) return false;
        out.push_back(output.substr(at, end - at));
        at = end + 2;
    }
    return MatchesWithInsertions(out, src, lines);
}
