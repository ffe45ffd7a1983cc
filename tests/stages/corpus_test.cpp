#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "conversion.h"
#include "dxf_script.h"
#include "expected_messages.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

const char* const kLinetypes[] = {"CONTINUOUS", "HIDDEN", "PHANTOM", "CENTER",
                                  "DASHED",     "DOT",    "DASHDOT", "DIVIDE"};

const Script kReplacement = {
    "  0",   "LTYPE",  "  2",     "CONTINUOUS", "  0",   "LTYPE", "  2",    "HIDDEN", "  0",
    "LTYPE", "  2",    "PHANTOM", "  0",        "LTYPE", "  2",   "CENTER", "  0",    "LTYPE",
    "  2",   "DASHED", "  0",     "LTYPE",      "  2",   "DOT",   "  0",    "ENDTAB",
};

constexpr std::size_t kMaxLineBytes = 97;

bool CorpusPresent() {
    return fs::is_directory(DXFCONV_CORPUS_DIR);
}

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> names;
    if (!CorpusPresent()) return {"absent"};
    for (const auto& entry : fs::directory_iterator(DXFCONV_CORPUS_DIR)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name != "SOURCES.md") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The source's lines as a text-mode reader sees them: the input ends at a
// byte 0x1A, a CR LF pair is one line break, an empty remainder is no line.
Script SourceTextLines(std::string bytes) {
    bytes = bytes.substr(0, bytes.find('\x1A'));
    Script lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool lastWithoutBreak = end == std::string::npos;
        if (lastWithoutBreak) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!lastWithoutBreak && !line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The output's lines; every line break of the output must be CR LF.
Script OutputTextLines(const std::string& bytes) {
    Script lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "output does not end with CR LF";
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string Stripped(const std::string& line) {
    std::string text = line;
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

bool IsKnownLinetype(const std::string& line) {
    return std::find(std::begin(kLinetypes), std::end(kLinetypes), line) != std::end(kLinetypes);
}

// How the output relates to the source: the source lines it echoes, in
// order, with inserted linetype groups and replacement tables between them.
struct Alignment {
    std::size_t echoedLines = 0;
    int groups = 0;
    int tables = 0;
};

Alignment Align(const Script& source, const Script& output) {
    Alignment a;
    std::size_t i = 0;
    std::size_t& j = a.echoedLines;
    while (i < output.size()) {
        const bool atTrigger = j > 0 && j < source.size() && Stripped(source[j]) == "0" &&
                               Stripped(source[j - 1]) == "6";
        if (atTrigger && output.size() - i >= kReplacement.size() &&
            std::equal(kReplacement.begin(), kReplacement.end(), output.begin() + i)) {
            i += kReplacement.size();
            ++a.tables;
            continue;
        }
        if (j < source.size() && output[i] == source[j]) {
            ++i;
            ++j;
            continue;
        }
        const bool beforeRecordEnd =
            j < source.size() && (Stripped(source[j]) == "0" || Stripped(source[j]) == "1001");
        if (beforeRecordEnd && output[i] == "  6" && i + 2 < output.size() &&
            IsKnownLinetype(output[i + 1]) && output[i + 2] == source[j]) {
            i += 2;
            ++a.groups;
            continue;
        }
        ADD_FAILURE() << "output line " << i + 1 << " \"" << output[i]
                      << "\" is neither source line " << j + 1 << " nor an inserted group";
        break;
    }
    return a;
}

// What the files of the corpus give, worked out from their tables and
// records apart from the converter: the message a run ends with (a line and
// keyword, the line limit, or the success), and how many groups and tables
// it inserts.
struct KnownOutcome {
    const char* file;
    int stopLine;  // 0: no structure error
    const char* keyword;
    bool tooLong;
    int groups;
    int tables;
};

const KnownOutcome kKnownOutcomes[] = {
    {"r10-autocad-entities-crlf.dxf", 0, "", false, 31, 0},
    {"r11-autocad-entities-2d-crlf.dxf", 0, "", false, 24, 0},
    {"r12-acadsharp-sample-95-blocks.dxf", 0, "", false, 3437, 0},
    {"r12-autocad-example.dxf", 0, "", false, 5983, 0},
    {"r12-blender-monkey-head.dxf", 0, "", false, 0, 0},
    {"r12-cloudcompare-dxflib.dxf", 0, "", false, 5, 0},
    {"r12-crlf-blocks-issue42.dxf", 0, "", false, 62, 0},
    {"r12-design51.dxf", 0, "", false, 535, 0},
    {"r12-dxflib-demo-kitchen-latin1.dxf", 0, "", false, 1159, 0},
    {"r12-gerber-export-no-tables.dxf", 0, "", false, 0, 0},
    {"r12-hidden-layers-intersection.dxf", 0, "", false, 0, 0},
    {"r12-hidden-layers-with-blocks.dxf", 0, "", false, 2, 0},
    {"r12-latin1-unicode-escapes.dxf", 0, "", false, 7, 0},
    {"r12-leica-disto-device.dxf", 0, "", false, 0, 0},
    {"r12-libredwg-leader.dxf", 0, "", false, 184, 0},
    {"r12-oda-teigha-minimal.dxf", 0, "", false, 3, 0},
    {"r12-poli-all210.dxf", 0, "", false, 164, 0},
    {"r12-qcad2-example.dxf", 0, "", false, 30, 0},
    {"r13-dwgcodepage-dos932.dxf", 0, "", false, 77, 0},
    {"r13-ltype-count-6.dxf", 822, "LTYPE", false, 0, 1},
    {"r14-autocad-example-crlf.dxf", 0, "", true, 0, 0},
    {"r14-proe-ltype6-center-hidden-phantom.dxf", 272, "LTYPE", false, 0, 1},
    {"r2.10-autocad-entities-crlf.dxf", 0, "", false, 25, 0},
    {"r2000-architecture-ceco-crlf.dxf", 0, "", true, 0, 0},
    {"r2000-ltype6-center-hidden-phantom.dxf", 322, "LTYPE", false, 0, 1},
    {"r2000-qcad-hydraulic-valve.dxf", 0, "", false, 4, 0},
    {"r2004-cadquery-part-1001.dxf", 0, "", true, 0, 0},
    {"r2004-floorplan-xref-linetypes-crlf.dxf", 0, "", true, 0, 0},
    {"r2007-librecad-gost-concrete-cp1251.dxf", 1336, "LTYPE", false, 0, 1},
    {"r2007-qcad-screw-crlf.dxf", 0, "", false, 1, 0},
    {"r2007-vslot-ltype6-crlf.dxf", 1408, "LTYPE", false, 0, 1},
    {"r2010-qcad-aec-layers-dashed-center.dxf", 0, "", false, 0, 0},
    {"r2010-qcad-projection-dashdot-dot.dxf", 0, "", false, 23, 0},
    {"r2013-curtainwall-details-large.dxf", 0, "", true, 0, 0},
    {"r2013-qcad-49-layers-all-linetypes.dxf", 0, "", false, 7, 0},
    {"r2013-qcad-flange-crlf.dxf", 0, "", false, 38, 0},
    {"r2018-autocad-example-crlf.dxf", 0, "", true, 0, 0},
    {"r2018-netdxf-sample-ltype6-crlf.dxf", 0, "", true, 0, 0},
};

void ExpectKnownOutcome(const std::string& file, const std::string& lastMessage,
                        const Alignment& a) {
    const auto known = std::find_if(std::begin(kKnownOutcomes), std::end(kKnownOutcomes),
                                    [&](const KnownOutcome& k) { return file == k.file; });
    if (known == std::end(kKnownOutcomes)) return;
    const std::string expectedMessage = known->tooLong ? expected::kLineTooLong
                                        : known->stopLine == 0
                                            ? expected::kFinished
                                            : StructureErrorText(known->stopLine, known->keyword);
    EXPECT_EQ(lastMessage, expectedMessage);
    EXPECT_EQ(a.groups, known->groups);
    EXPECT_EQ(a.tables, known->tables);
}

class CorpusFile : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusFile, OutputIsTheSourcePlusInsertedGroups) {
    if (!CorpusPresent()) GTEST_SKIP() << "no corpus at " << DXFCONV_CORPUS_DIR;
    const std::string bytes = ReadFile(std::string(DXFCONV_CORPUS_DIR) + "/" + GetParam());
    const Conversion run = Convert(bytes);
    ASSERT_TRUE(run.outputExists);
    const Script source = SourceTextLines(bytes);
    const Alignment a = Align(source, OutputTextLines(run.output));
    ASSERT_FALSE(run.calls.empty());
    const std::string last = run.calls.back().substr(std::string("message:").size());
    RecordProperty("groups", a.groups);
    RecordProperty("tables", a.tables);
    RecordProperty("outcome", last);
    ExpectKnownOutcome(GetParam(), last, a);

    if (run.outcome == RunOutcome::Finished) {
        EXPECT_EQ(last, expected::kFinished);
        EXPECT_EQ(a.echoedLines, source.size()) << "not every source line was echoed";
        return;
    }
    ASSERT_EQ(run.outcome, RunOutcome::Stopped) << last;
    EXPECT_EQ(run.calls.size(), 3u);
    if (last == expected::kLineTooLong) {
        // Stopped on the first line longer than the limit.
        ASSERT_LT(a.echoedLines, source.size());
        EXPECT_GT(source[a.echoedLines].size(), kMaxLineBytes);
        for (std::size_t k = 0; k < a.echoedLines; ++k) {
            EXPECT_LE(source[k].size(), kMaxLineBytes) << "line " << k + 1;
        }
        return;
    }
    // Stopped on a keyword: the named line holds it, after a group code 0 or 2.
    const std::regex structureError("([0-9]+)" + expected::kStructureErrorBefore + "(\\S+)" +
                                    std::regex_replace(expected::kStructureErrorAfter,
                                                       std::regex("[.^$|()\\[\\]{}*+?\\\\]"),
                                                       "\\$&"));
    std::smatch match;
    ASSERT_TRUE(std::regex_match(last, match, structureError)) << last;
    const std::size_t lineNumber = std::stoul(match[1].str());
    const std::string keyword = match[2].str();
    ASSERT_GE(lineNumber, 2u);
    ASSERT_LE(lineNumber, source.size());
    EXPECT_EQ(Stripped(source[lineNumber - 1]), keyword);
    const std::string code = Stripped(source[lineNumber - 2]);
    EXPECT_TRUE(code == "0" || code == "2") << code;
    EXPECT_EQ(a.echoedLines, lineNumber - 1) << "the lines before the named one are the output";
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusFile, ::testing::ValuesIn(CorpusFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

}  // namespace
