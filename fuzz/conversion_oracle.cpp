#include "conversion_oracle.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "conversion_model.h"
#include "conversion_run.h"
#include "known_linetypes.h"
#include "memory_files.h"
#include "run_options.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

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

// A group's value: in the default mode one of the known linetypes, in
// modern mode a name as the file spells it, with no spaces at its ends.
bool IsLinetypeName(std::string_view name, bool modern) {
    if (modern) return !name.empty() && name.front() != ' ' && name.back() != ' ';
    for (const char* known : kKnownLinetypes) {
        if (name == known) return true;
    }
    return false;
}

// A group 370's value in modern mode: a width of 0 or more in digits.
bool IsWidth(std::string_view value) {
    return !value.empty() &&
           std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
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
                           const std::vector<std::string_view>& src, std::size_t count,
                           bool modern) {
    // Where in the output the next source line may stand.
    std::vector<std::size_t> here = {0};
    std::vector<std::size_t> next;
    for (std::size_t j = 0; j < count; ++j) {
        const bool endsRecord = IsWithoutSpaces(src[j], "0");
        const bool takesGroup = endsRecord || IsWithoutSpaces(src[j], "1001") ||
                                (modern && IsWithoutSpaces(src[j], "100"));
        next.clear();
        // An insertion adds a reading further on, which this loop then meets.
        for (std::size_t k = 0; k < here.size(); ++k) {
            const std::size_t i = here[k];
            if (i == out.size()) continue;
            if (out[i] == src[j]) AddOnce(next, i + 1);
            if (takesGroup && out.size() - i >= 2 && out[i] == "  6" &&
                IsLinetypeName(out[i + 1], modern)) {
                AddOnce(here, i + 2);
            }
            if (takesGroup && modern && out.size() - i >= 2 && out[i] == "370" &&
                IsWidth(out[i + 1])) {
                AddOnce(here, i + 2);
            }
            if (endsRecord && !modern && IsTableAt(out, i)) {
                AddOnce(here, i + ReplacementTable().size());
            }
        }
        if (next.empty()) return false;
        std::swap(here, next);
    }
    return std::find(here.begin(), here.end(), out.size()) != here.end();
}

// Whether the output is the first `lines` source lines, each with CR LF,
// with only the allowed insertions between them.
bool OutputMatches(std::string_view output, std::string_view source, std::size_t lines,
                   bool modern) {
    if (modern && source.starts_with(kUtf8Mark)) {
        if (!output.starts_with(kUtf8Mark)) return false;
        output.remove_prefix(kUtf8Mark.size());
        source.remove_prefix(kUtf8Mark.size());
    }
    const std::vector<std::string_view> src = SourceLines(source);
    if (lines > src.size()) return false;
    if (!output.empty() && output.back() != '\n') return false;
    std::vector<std::string_view> out =
        Lines(output, static_cast<std::size_t>(std::count(output.begin(), output.end(), '\n')));
    for (std::string_view& line : out) {
        if (line.empty() || line.back() != '\r') return false;
        line.remove_suffix(1);
    }
    return MatchesWithInsertions(out, src, lines, modern);
}

// Where two texts part, for a message.
std::string Parting(const std::string& engine, const std::string& model) {
    const auto parted = std::mismatch(engine.begin(), engine.end(), model.begin(), model.end());
    const auto at = static_cast<std::size_t>(parted.first - engine.begin());
    const std::size_t from = at < 40 ? 0 : at - 40;
    return "at byte " + std::to_string(at) + ": engine \"" + engine.substr(from, 80) +
           "\", model \"" + model.substr(from, 80) + "\"";
}

std::string Joined(const std::vector<std::string>& calls) {
    std::string text;
    for (const std::string& call : calls) text += "[" + call + "]";
    return text;
}

}  // namespace

std::string CheckConversion(std::string_view source, std::size_t readChunk, bool modern) {
    MemoryFiles files(source, readChunk);
    Recorder sink;
    RunOptions options;
    options.modern = modern;
    // A source in a folder, so that the output's path is made beside it.
    const RunOutcome outcome =
        RunConversion("drawings/source.dxf", "out", options, sink, files.ops());
    const ModelRun model = ModelConversion(source, modern);

    if (sink.calls != model.calls) {
        return "the sink's calls " + Joined(sink.calls) + " are not the model's " +
               Joined(model.calls);
    }
    if (outcome != model.outcome) return "the outcome is not the model's";
    if (files.output() != model.output) {
        return "the output is not the model's, " + Parting(files.output(), model.output);
    }
    if (outcome != RunOutcome::NotStarted &&
        !OutputMatches(files.output(), source, model.linesWritten, modern)) {
        return "the output is not the source's lines with allowed insertions";
    }
    return "";
}

bool IsSourceWithInsertions(std::string_view output, std::string_view source, std::size_t lines,
                            bool modern) {
    return OutputMatches(output, source, lines, modern);
}
