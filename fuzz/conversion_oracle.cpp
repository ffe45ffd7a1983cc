#include "conversion_oracle.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#include "conversion_run.h"
#include "known_linetypes.h"
#include "memory_files.h"
#include "messages.h"

namespace {

constexpr std::size_t kMaxLineBytes = 97;
constexpr std::string_view kBinarySentinel{"AutoCAD Binary DXF\r\n\x1A\0", 22};
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

struct Recorder : MessageSink {
    void ShowMessage(const std::string& text) override { calls.push_back("message:" + text); }
    void BeginWaitCursor() override { calls.push_back("begin"); }
    void EndWaitCursor() override { calls.push_back("end"); }
    std::vector<std::string> calls;
};

// The text's lines up to the end, each without its LF.
std::vector<std::string_view> Lines(std::string_view text, std::size_t lineBreaks) {
    std::vector<std::string_view> lines;
    lines.reserve(lineBreaks + 1);
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        lines.push_back(text.substr(0, lf));
        text = lf == std::string_view::npos ? std::string_view{} : text.substr(lf + 1);
    }
    return lines;
}

// The source's lines as text mode reads them: input ends at 0x1A, LF ends a
// line, a CR right before the LF goes with it, a last line may lack the LF.
std::vector<std::string_view> SourceLines(std::string_view source) {
    source = source.substr(0, source.find('\x1A'));
    std::vector<std::string_view> lines =
        Lines(source, static_cast<std::size_t>(std::count(source.begin(), source.end(), '\n')));
    const std::size_t ended =
        source.empty() || source.back() == '\n' ? lines.size() : lines.size() - 1;
    for (std::size_t n = 0; n < ended; ++n) {
        if (!lines[n].empty() && lines[n].back() == '\r') lines[n].remove_suffix(1);
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

// Whether the line, its spaces left out, is the text.
bool IsWithoutSpaces(std::string_view line, std::string_view text) {
    std::size_t k = 0;
    for (const char c : line) {
        if (c == ' ') continue;
        if (k == text.size() || c != text[k]) return false;
        ++k;
    }
    return k == text.size();
}

const std::vector<std::string>& ReplacementTable() {
    static const std::vector<std::string> table = [] {
        std::vector<std::string> lines;
        for (int i = 0; i < 6; ++i) {
            lines.insert(lines.end(), {"  0", "LTYPE", "  2", kKnownLinetypes[std::size_t(i)]});
        }
        lines.insert(lines.end(), {"  0", "ENDTAB"});
        return lines;
    }();
    return table;
}

bool IsKnownLinetype(std::string_view name) {
    for (const char* known : kKnownLinetypes) {
        if (name == known) return true;
    }
    return false;
}

bool IsTableAt(const std::vector<std::string_view>& out, std::size_t i) {
    const std::vector<std::string>& table = ReplacementTable();
    if (out.size() - i < table.size()) return false;
    for (std::size_t k = 0; k < table.size(); ++k) {
        if (out[i + k] != table[k]) return false;
    }
    return true;
}

void AddOnce(std::vector<std::size_t>& positions, std::size_t i) {
    if (std::find(positions.begin(), positions.end(), i) == positions.end()) {
        positions.push_back(i);
    }
}

// Whether the output lines are the first `count` source lines with only the
// allowed insertions between them. Follows all readings of the output at
// once, source line by source line, as a source line may itself look like
// an inserted one.
bool MatchesWithInsertions(const std::vector<std::string_view>& out,
                           const std::vector<std::string_view>& src, std::size_t count) {
    // Where in the output the next source line may stand.
    std::vector<std::size_t> here = {0};
    std::vector<std::size_t> next;
    for (std::size_t j = 0; j < count; ++j) {
        const bool endsRecord = IsWithoutSpaces(src[j], "0");
        const bool takesGroup = endsRecord || IsWithoutSpaces(src[j], "1001");
        next.clear();
        // An insertion adds a reading further on, which this loop then meets.
        for (std::size_t k = 0; k < here.size(); ++k) {
            const std::size_t i = here[k];
            if (i == out.size()) continue;
            if (out[i] == src[j]) AddOnce(next, i + 1);
            if (takesGroup && out.size() - i >= 2 && out[i] == "  6" &&
                IsKnownLinetype(out[i + 1])) {
                AddOnce(here, i + 2);
            }
            if (endsRecord && IsTableAt(out, i)) AddOnce(here, i + ReplacementTable().size());
        }
        if (next.empty()) return false;
        std::swap(here, next);
    }
    return std::find(here.begin(), here.end(), out.size()) != here.end();
}

// Whether the output is the first `lines` source lines, each with CR LF,
// with only the allowed insertions between them.
bool OutputMatches(std::string_view output, const std::vector<std::string_view>& src,
                   std::size_t lines) {
    if (lines > src.size()) return false;
    if (!output.empty() && output.back() != '\n') return false;
    std::vector<std::string_view> out =
        Lines(output, static_cast<std::size_t>(std::count(output.begin(), output.end(), '\n')));
    for (std::string_view& line : out) {
        if (line.empty() || line.back() != '\r') return false;
        line.remove_suffix(1);
    }
    return MatchesWithInsertions(out, src, lines);
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

std::string CheckConversion(std::string_view source, std::size_t readChunk) {
    MemoryFiles files(source, readChunk);
    Recorder sink;
    // A source in a folder, so that the output's path is made beside it.
    const RunOutcome outcome = RunConversion("drawings/source.dxf", "out", kOutputExtension,
                                             kKnownLinetypes, sink, files.ops());

    // Sources refused before the output is made, with one message each.
    std::string_view refusal;
    if (source.starts_with(kBinarySentinel)) {
        refusal = messages::kBinarySource;
    } else if (source.starts_with(kUtf16LittleEndianMark) ||
               source.starts_with(kUtf16BigEndianMark)) {
        refusal = messages::kUtf16Source;
    }
    if (!refusal.empty()) {
        const bool refused =
            outcome == RunOutcome::NotStarted &&
            sink.calls == std::vector<std::string>{"message:" + std::string(refusal)};
        return refused ? "" : "a binary or UTF-16 source was not refused alone";
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
        // The message begins with the number of the line it names.
        std::size_t n = 0;
        const bool numbered =
            std::from_chars(closing.data(), closing.data() + closing.size(), n).ec == std::errc{};
        if (!numbered || n == 0 || n > done ||
            StructureError(n, WithoutSpaces(src[n - 1])) != closing ||
            !IsKeyword(WithoutSpaces(src[n - 1]))) {
            return "stopped with a message that names no misplaced keyword: " + closing;
        }
        done = n - 1;
    }

    if (!OutputMatches(files.output(), src, done)) {
        return "the output is not the source's lines with allowed insertions";
    }
    return "";
}

bool IsSourceWithInsertions(std::string_view output, std::string_view source, std::size_t lines) {
    return OutputMatches(output, SourceLines(source), lines);
}
