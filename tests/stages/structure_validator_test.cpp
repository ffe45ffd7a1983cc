#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "conversion.h"
#include "dxf_script.h"
#include "stage_bench.h"

namespace {

using namespace SectionState;

Script Opened(const std::string& name) {
    return {"  0", "SECTION", "  2", name};
}
Script EndSec() {
    return {"  0", "ENDSEC"};
}

// ---------------------------------------------------------------------------
// The small file followed line by line: sectionState after the validator, and
// the two side effects it shows.

struct ExampleLine {
    const char* raw;
    int sectionState;
    int layerIndex;
    int scanState;
};

const ExampleLine kExample[] = {
    {"  0", OutsideSection, -1, 0}, {"SECTION", SectionOpened, -1, 0},
    {"  2", SectionOpened, -1, 0},  {"TABLES", InTables, -1, 0},
    {"  0", InTables, -1, 0},       {"TABLE", InTable, -1, 0},
    {"  2", InTable, -1, 0},        {"LAYER", InLayerTable, -1, 0},
    {" 70", InLayerTable, -1, 0},   {"     1", InLayerTable, -1, 0},
    {"  0", InLayerTable, -1, 0},   {"LAYER", InLayerEntry, 0, 0},
    {"  2", InLayerEntry, 0, 0},    {"WALL", InLayerEntry, 0, 0},
    {"  0", InLayerEntry, 0, 0},    {"ENDTAB", InTables, 0, 0},
    {"  0", InTables, 0, 0},        {"ENDSEC", OutsideSection, 0, 0},
    {"  0", OutsideSection, 0, 0},  {"SECTION", SectionOpened, 0, 0},
    {"  2", SectionOpened, 0, 0},   {"ENTITIES", InEntities, 0, 10},
    {"  0", InEntities, 0, 10},     {"LINE", InEntities, 0, 10},
    {"  0", InEntities, 0, 10},     {"ENDSEC", OutsideSection, 0, 10},
    {"  0", OutsideSection, 0, 10}, {"EOF", OutsideSection, 0, 10},
};

Script ExampleScript() {
    Script script;
    for (const ExampleLine& line : kExample) script.push_back(line.raw);
    return script;
}

TEST(StructureExample, StatesLineByLine) {
    StageBench bench;
    int number = 0;
    for (const ExampleLine& line : kExample) {
        SCOPED_TRACE("line " + std::to_string(++number) + " " + line.raw);
        ASSERT_TRUE(bench.Validate(line.raw));
        EXPECT_EQ(bench.state().sectionState, line.sectionState);
        EXPECT_EQ(bench.state().layerIndex, line.layerIndex);
        EXPECT_EQ(bench.state().scanState, line.scanState);
    }
    EXPECT_TRUE(bench.sink().calls.empty());
}

TEST(StructureExample, CaptureCountsTheFirstEntryAgain) {
    StageBench bench;
    for (int i = 0; i < 12; ++i) ASSERT_TRUE(bench.Pass(kExample[i].raw));
    EXPECT_EQ(bench.state().sectionState, InLayerEntry);
    EXPECT_EQ(bench.state().layerIndex, 1);
}

TEST(StructureExample, RunCopiesTheFileUnchanged) {
    ExpectRunWithEitherLineEnd(ExampleScript(), FinishedCalls());
}

TEST(StructureExample, EndsecInsteadOfTheSecondSectionStopsOnLine20) {
    Script script = ExampleScript();
    script[19] = StopAt("ENDSEC");
    ExpectRunWithEitherLineEnd(script, StructureErrorCalls(20, "ENDSEC"));
}

// ---------------------------------------------------------------------------
// Every check in every state: the transition where the check is valid, the
// structure error everywhere else.

struct StatePrefix {
    const char* name;
    int sectionState;
    Script lines;
};

const std::vector<StatePrefix>& Prefixes() {
    static const std::vector<StatePrefix> prefixes = {
        {"OutsideSection", OutsideSection, {}},
        {"SectionOpened", SectionOpened, Opened("HEADER")},
        {"InTables", InTables, Opened("TABLES")},
        {"InEntities", InEntities, Opened("ENTITIES")},
        {"InBlocks", InBlocks, Opened("BLOCKS")},
        {"InTable", InTable,
         Join({Opened("TABLES"), {"  0", "TABLE", "  2", "VPORT", " 70", "     1"}})},
        {"InLtypeTable", InLtypeTable,
         Join({Opened("TABLES"), {"  0", "TABLE", "  2", "LTYPE", " 70", "     1"}})},
        {"InLtypeEntry", InLtypeEntry,
         Join({Opened("TABLES"),
               {"  0", "TABLE", "  2", "LTYPE", " 70", "     1", "  0", "LTYPE", "  2",
                "CONTINUOUS", " 70", "     0"}})},
        {"InLayerTable", InLayerTable,
         Join({Opened("TABLES"), {"  0", "TABLE", "  2", "LAYER", " 70", "     1"}})},
        {"InLayerEntry", InLayerEntry,
         Join({Opened("TABLES"),
               {"  0", "TABLE", "  2", "LAYER", " 70", "     1", "  0", "LAYER", "  2", "WALL",
                " 70", "     0"}})},
        {"InBlock", InBlock,
         Join({Opened("BLOCKS"),
               {"  0", "BLOCK", "  8", "0", "  2", "DOOR", " 70", "     0", " 10", "0.0"}})},
    };
    return prefixes;
}

struct KeywordCheck {
    int number;
    const char* code;
    const char* keyword;
    std::vector<int> validIn;
    int becomes;
};

const std::vector<KeywordCheck>& Checks() {
    static const std::vector<KeywordCheck> checks = {
        {1, "  0", "SECTION", {OutsideSection}, SectionOpened},
        {2, "  0", "ENDSEC", {SectionOpened, InTables, InEntities, InBlocks}, OutsideSection},
        {3, "  2", "ENTITIES", {SectionOpened}, InEntities},
        {4, "  2", "BLOCKS", {SectionOpened}, InBlocks},
        {5, "  0", "BLOCK", {InBlocks}, InBlock},
        {6, "  0", "ENDBLK", {InBlock}, InBlocks},
        {7, "  2", "TABLES", {SectionOpened}, InTables},
        {8, "  0", "TABLE", {InTables}, InTable},
        {9,
         "  0",
         "ENDTAB",
         {InTable, InLtypeTable, InLtypeEntry, InLayerTable, InLayerEntry},
         InTables},
        {10, "  2", "LTYPE", {InTable}, InLtypeTable},
        {11, "  0", "LTYPE", {InLtypeTable, InLtypeEntry}, InLtypeEntry},
        {12, "  2", "LAYER", {InTable}, InLayerTable},
        {13, "  0", "LAYER", {InLayerTable, InLayerEntry}, InLayerEntry},
    };
    return checks;
}

class CheckInState : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
    const StatePrefix& prefix() const { return Prefixes()[std::get<0>(GetParam())]; }
    const KeywordCheck& check() const { return Checks()[std::get<1>(GetParam())]; }
    bool valid() const {
        const std::vector<int>& states = check().validIn;
        return std::find(states.begin(), states.end(), prefix().sectionState) != states.end();
    }
    int keywordLineNumber() const { return static_cast<int>(prefix().lines.size()) + 2; }
};

TEST_P(CheckInState, PrefixReachesItsState) {
    StageBench bench;
    for (const std::string& line : prefix().lines) ASSERT_TRUE(bench.Validate(line));
    EXPECT_EQ(bench.state().sectionState, prefix().sectionState);
}

TEST_P(CheckInState, StageMovesOrStops) {
    StageBench bench;
    for (const std::string& line : prefix().lines) ASSERT_TRUE(bench.Validate(line));
    ASSERT_TRUE(bench.Validate(check().code));
    // Values the check must leave alone unless it sets them.
    ConversionState& st = bench.state();
    st.scanState = 7;
    st.layerIndex = 41;
    st.blockHasLinetype = 1;
    st.blockLayerIndex = 5;
    const int before = st.sectionState;

    const bool goesOn = bench.Validate(check().keyword);
    ASSERT_EQ(goesOn, valid());
    if (!valid()) {
        // The bench shows no busy cursor; the abort still ends it first.
        const std::vector<std::string> calls = {
            "end", "message:" + StructureErrorText(keywordLineNumber(), check().keyword)};
        EXPECT_EQ(bench.sink().calls, calls);
        return;
    }
    EXPECT_TRUE(bench.sink().calls.empty());
    EXPECT_EQ(st.sectionState, check().becomes);
    EXPECT_EQ(st.scanState, check().number == 3 ? 10 : check().number == 5 ? 21 : 7);
    EXPECT_EQ(st.layerIndex, check().number == 13 && before == InLayerTable ? 42 : 41);
    EXPECT_EQ(st.blockHasLinetype, check().number == 5 ? 0 : 1);
    EXPECT_EQ(st.blockLayerIndex, check().number == 5 ? 999 : 5);
}

TEST_P(CheckInState, RunGoesOnOrStopsOnTheKeywordLine) {
    if (valid()) {
        ExpectRunWithEitherLineEnd(Join({prefix().lines, {check().code, check().keyword}}),
                                   FinishedCalls());
    } else {
        ExpectRunWithEitherLineEnd(Join({prefix().lines, {check().code, StopAt(check().keyword)}}),
                                   StructureErrorCalls(keywordLineNumber(), check().keyword));
    }
}

INSTANTIATE_TEST_SUITE_P(AllStates, CheckInState,
                         ::testing::Combine(::testing::Range(0,
                                                             static_cast<int>(Prefixes().size())),
                                            ::testing::Range(0, static_cast<int>(Checks().size()))),
                         [](const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
                             const KeywordCheck& check = Checks()[std::get<1>(info.param)];
                             return std::string(Prefixes()[std::get<0>(info.param)].name) +
                                    "_Check" + std::to_string(check.number) + "_" + check.keyword;
                         });

// ---------------------------------------------------------------------------
// How a keyword line is recognised: spaces anywhere are removed, nothing else.

struct Spelling {
    const char* name;
    const char* codeLine;
    std::string_view keywordLine;
    bool recognised;
};

const Spelling kSpellings[] = {
    {"RightAligned", "  0", "ENDSEC", true},
    {"Bare", "0", "ENDSEC", true},
    {"TrailingSpaces", "  0  ", "ENDSEC   ", true},
    {"InnerSpaces", " 0", " END SEC ", true},
    {"SpaceBetweenEveryLetter", "0 ", "E N D S E C", true},
    {"TabBeforeCode", "\t0", "ENDSEC", false},
    {"TabAfterKeyword", "  0", "ENDSEC\t", false},
    {"TabBeforeKeyword", "  0", "\tENDSEC", false},
    {"LowerCase", "  0", "endsec", false},
    {"MixedCase", "  0", "EndSec", false},
    {"IdeographicSpace", "  0", "ENDSEC\xE3\x80\x80", false},
    {"CodeWithLeadingZero", " 00", "ENDSEC", false},
    {"OtherCode", "  1", "ENDSEC", false},
    // Keywords are compared as whole 8-byte words.
    {"OneByteMore", "  0", "ENDSECS", false},
    {"OneByteLess", "  0", "ENDSE", false},
    {"NulAfter", "  0", std::string_view("ENDSEC\0", 7), false},
    {"NulWithin", "  0", std::string_view("END\0SEC", 7), false},
    {"EntityNameOfAKeywordsHash", "  0", "LEADER", false},
};

class KeywordSpelling : public ::testing::TestWithParam<Spelling> {};

// ENDSEC is misplaced at the very start of a file, so a recognised one stops
// the run, naming the keyword without its spaces.
TEST_P(KeywordSpelling, RecognisedOnlyWithSpacesRemoved) {
    const Spelling& s = GetParam();
    if (s.recognised) {
        ExpectRunWithEitherLineEnd({s.codeLine, StopAt(s.keywordLine), "  0", "EOF"},
                                   StructureErrorCalls(2, "ENDSEC"));
    } else {
        ExpectRunWithEitherLineEnd({s.codeLine, std::string(s.keywordLine), "  0", "EOF"},
                                   FinishedCalls());
    }
}

INSTANTIATE_TEST_SUITE_P(Spellings, KeywordSpelling, ::testing::ValuesIn(kSpellings),
                         [](const ::testing::TestParamInfo<Spelling>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// Whole files.

struct FileCase {
    const char* name;
    Script script;
    int stopLine;  // 0: the run goes through
    const char* keyword;
};

const std::vector<FileCase>& FileCases() {
    static const std::vector<FileCase> cases = {
        {"WellFormedDrawing",
         Join({Section("HEADER", {"  9", "$ACADVER", "  1", "AC1009"}),
               TablesSection(Join(
                   {{"  0", "TABLE", "  2", "VPORT", " 70", "     1", "  0", "VPORT", "  2",
                     "*ACTIVE", "  0", "ENDTAB"},
                    {"  0", "TABLE",      "  2", "LTYPE",  " 70", "     1",     "  0", "LTYPE",
                     "  2", "CONTINUOUS", " 70", "     0", "  3", "Solid line", " 72", "    65",
                     " 73", "     0",     " 40", "0.0",    "  0", "ENDTAB"},
                    LayerTableLines(Join({LayerEntryLines("0"), LayerEntryLines("WALL")}), 2)})),
               Section("BLOCKS",
                       {"  0", "BLOCK", "  8", "0", "  2", "DOOR", " 70", "     0", " 10", "0.0",
                        "  0", "LINE",  "  8", "0", " 10", "0.0",  "  0", "ENDBLK", "  8", "0"}),
               Section("ENTITIES", {"  0", "LINE", "  8", "WALL", " 10", "0.0", "  0", "INSERT",
                                    "  8", "0", "  2", "DOOR"}),
               Eof()}),
         0, ""},
        {"NoSectionAtAll", {"999", "just a comment", "  0", "EOF"}, 0, ""},
        {"EmptyFile", {}, 0, ""},
        {"EndsInsideASection", Join({Opened("ENTITIES"), {"  0", "LINE", "  8", "0"}}), 0, ""},
        {"EndsInsideATable",
         Join({Opened("TABLES"),
               {"  0", "TABLE", "  2", "LAYER", " 70", "     1"},
               LayerEntryLines("WALL")}),
         0, ""},
        {"EndsInsideABlock", Join({Opened("BLOCKS"), {"  0", "BLOCK", "  2", "DOOR"}}), 0, ""},
        {"SecondEntitiesAndBlocksSections",
         Join({Section("ENTITIES", {"  0", "LINE"}), Section("BLOCKS", {}),
               Section("ENTITIES", {"  0", "LINE"}), Section("BLOCKS", {}), Eof()}),
         0, ""},
        {"MissingEndsec",
         Join({Opened("HEADER"),
               {"  9", "$ACADVER", "  1", "AC1009", "  0", "!SECTION"},
               {"  2", "TABLES"}}),
         10, "SECTION"},
        {"EndsecOutsideAnySection", Join({Section("HEADER", {}), {"  0", "!ENDSEC"}, Eof()}), 8,
         "ENDSEC"},
        {"EndsecInsideATable",
         Join({Opened("TABLES"),
               {"  0", "TABLE", "  2", "LTYPE", " 70", "     0", "  0", "!ENDSEC"}}),
         12, "ENDSEC"},
        {"EndsecInsideABlock",
         Join({Opened("BLOCKS"), {"  0", "BLOCK", "  2", "DOOR", "  0", "!ENDSEC"}}), 10, "ENDSEC"},
        {"BlockInsideABlock",
         Join({Opened("BLOCKS"), {"  0", "BLOCK", "  2", "DOOR", "  0", "!BLOCK"}}), 10, "BLOCK"},
        {"EndblkOutsideABlock",
         Join({Opened("BLOCKS"),
               {"  0", "BLOCK", "  2", "DOOR", "  0", "ENDBLK", "  0", "!ENDBLK"}}),
         12, "ENDBLK"},
        {"InsertOfABlockNamedTables",
         Join({Opened("ENTITIES"),
               {"  0", "INSERT", "  8", "0", "  2", "!TABLES", " 10", "0.0"},
               EndSec(),
               Eof()}),
         10, "TABLES"},
        {"InsertOfABlockNamedEntities",
         Join({Opened("ENTITIES"), {"  0", "INSERT", "  8", "0", "  2", "!ENTITIES"}}), 10,
         "ENTITIES"},
        {"LayerNamedLayer",
         Join({Opened("TABLES"),
               {"  0", "TABLE", "  2", "LAYER", " 70", "     1", "  0", "LAYER", "  2", "!LAYER"}}),
         14, "LAYER"},
        {"LinetypeNamedLtype",
         Join({Opened("TABLES"),
               {"  0", "TABLE", "  2", "LTYPE", " 70", "     1", "  0", "LTYPE", "  2", "!LTYPE"}}),
         14, "LTYPE"},
        {"LtypeEntryInVport",
         Join({Opened("TABLES"),
               {"  0", "TABLE", "  2", "VPORT", " 70", "     1", "  0", "!LTYPE", "  2",
                "CONTINUOUS"}}),
         12, "LTYPE"},
        {"LayerEntryInVport",
         Join({Opened("TABLES"),
               {"  0", "TABLE", "  2", "VPORT", " 70", "     1", "  0", "!LAYER", "  2", "0"}}),
         12, "LAYER"},
        {"SecondTableNameInATable",
         Join({Opened("TABLES"),
               {"  0", "TABLE", "  2", "LTYPE", " 70", "     1", "  2", "!LAYER"}}),
         12, "LAYER"},
        {"VportEntriesPass",
         Join({TablesSection({"  0", "TABLE", "  2", "VPORT", " 70", "     2", "  0", "VPORT",
                              "  2", "*ACTIVE", "  0", "VPORT", "  2", "OTHER", "  0", "ENDTAB"}),
               Eof()}),
         0, ""},
        {"KeywordsAfterOtherCodesPass",
         Join({Section("ENTITIES", {"  0", "TEXT", "  8", "0", "  1", "SECTION", "  3", "ENDSEC",
                                    "  7", "TABLES", "  6", "LAYER", "  1", "ENDBLK"}),
               Eof()}),
         0, ""},
    };
    return cases;
}

class StructureFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(StructureFile, RunsAsTheStructureAllows) {
    const FileCase& c = GetParam();
    ExpectRunWithEitherLineEnd(
        c.script, c.stopLine == 0 ? FinishedCalls() : StructureErrorCalls(c.stopLine, c.keyword));
}

INSTANTIATE_TEST_SUITE_P(Files, StructureFile, ::testing::ValuesIn(FileCases()),
                         [](const ::testing::TestParamInfo<FileCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// Line numbers count source lines, not the lines the stages insert.

TEST(StructureErrorLine, CountsSourceLinesAfterInsertedGroups) {
    const Script script = Join({
        TablesSection(LayerTableLines(LayerEntryLines("WALL", "HIDDEN"), 1)),  // lines 1-24
        Opened("ENTITIES"),                                                    // 25-28
        {"  0", "LINE", "  8", "WALL"},                                        // 29-32
        Inserted({"  6", "HIDDEN"}),
        {"  0", "LINE", "  8", "WALL"},  // 33-36
        Inserted({"  6", "HIDDEN"}),
        {"  0", "!SECTION", "  2", "BLOCKS"},  // 37-40
    });
    ExpectRunWithEitherLineEnd(script, StructureErrorCalls(38, "SECTION"));
}

TEST(StructureErrorLine, CountsSourceLinesAfterTheReplacementTable) {
    const Script script = Join({
        Opened("TABLES"),                                   // lines 1-4
        {"  0", "TABLE", "  2", "LTYPE", " 70", "     6"},  // 5-10
        Inserted({"  0",    "LTYPE",  "  2",   "CONTINUOUS", "  0",     "LTYPE",  "  2",
                  "HIDDEN", "  0",    "LTYPE", "  2",        "PHANTOM", "  0",    "LTYPE",
                  "  2",    "CENTER", "  0",   "LTYPE",      "  2",     "DASHED", "  0",
                  "LTYPE",  "  2",    "DOT",   "  0",        "ENDTAB"}),
        {"  0", "!LTYPE", "  2", "CONTINUOUS"},  // 11-14
    });
    ExpectRunWithEitherLineEnd(script, StructureErrorCalls(12, "LTYPE"));
}

TEST(StructureErrorLine, NamesLinesBeyondNine) {
    Script script = Opened("HEADER");
    for (int i = 0; i < 50; ++i) script.insert(script.end(), {"  9", "$X", " 70", "     0"});
    script.insert(script.end(), {"  0", "!SECTION"});
    ExpectRun(script, StructureErrorCalls(206, "SECTION"));
}

}  // namespace
