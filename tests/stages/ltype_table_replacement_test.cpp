#include "ltype_table_replacement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "conversion.h"
#include "dxf_script.h"
#include "stage_bench.h"

namespace {

using namespace SectionState;

const Script kReplacement = {
    "  0",   "LTYPE",  "  2",     "CONTINUOUS", "  0",   "LTYPE", "  2",    "HIDDEN", "  0",
    "LTYPE", "  2",    "PHANTOM", "  0",        "LTYPE", "  2",   "CENTER", "  0",    "LTYPE",
    "  2",   "DASHED", "  0",     "LTYPE",      "  2",   "DOT",   "  0",    "ENDTAB",
};

// Lines 1 to 10; the trigger's "0" is line 11, the line after it line 12.
// The replacement table stands before the trigger's "0" in the output.
Script LtypeHeader(const std::string& count) {
    return {"  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LTYPE", " 70", count};
}

// The source's own table: entries, the table's end, then the rest of a file.
Script LtypeEntriesAndRest() {
    return {"  0", "LTYPE",  "  2", "CONTINUOUS", " 70", "     0", "  0", "LTYPE", "  2", "DASHED",
            " 70", "     0", "  0", "ENDTAB",     "  0", "ENDSEC", "  0", "EOF"};
}

TEST(ReplacementTable, Has26LinesOf139Bytes) {
    ASSERT_EQ(kReplacement.size(), 26u);
    EXPECT_EQ(JoinLines(kReplacement, "\n").size(), 139u);
}

TEST(ReplacementTable, StageWritesItAndClosesTheTable) {
    StageBench bench;
    ConversionState& st = bench.state();
    st.sectionState = InLtypeTable;
    st.previousLine.assign("6");
    st.currentLine.assign("0");
    st.scanState = 2;
    st.layerIndex = 7;
    LineText wall;
    wall.assign("WALL");
    st.layers.SetName(7, wall);
    ASSERT_TRUE(ReplaceLtypeTable(st, kKnownLinetypes, bench.sink()));
    EXPECT_EQ(st.sectionState, InTables);
    EXPECT_EQ(st.scanState, 2);
    EXPECT_EQ(st.layerIndex, 7);
    EXPECT_EQ(st.layers[7].name.view(), "WALL");
    EXPECT_TRUE(bench.sink().calls.empty());
    const std::string written = bench.Written();
    EXPECT_EQ(written, JoinLines(kReplacement, "\r\n"));
    std::string withoutCr = written;
    withoutCr.erase(std::remove(withoutCr.begin(), withoutCr.end(), '\r'), withoutCr.end());
    EXPECT_EQ(withoutCr.size(), 139u);
}

TEST(ReplacementTable, TriggerLineIsEchoedAfterTheTable) {
    StageBench bench;
    for (const std::string& line : LtypeHeader("     6")) ASSERT_TRUE(bench.Pass(line));
    ASSERT_TRUE(bench.Pass("  0"));
    EXPECT_EQ(bench.state().sectionState, InTables);
    EXPECT_EQ(bench.Written(),
              JoinLines(Join({LtypeHeader("     6"), kReplacement, {"  0"}}), "\r\n"));
}

// ---------------------------------------------------------------------------
// Which header lines set the trigger off. With the source's entries behind
// it, a triggered run stops on the first entry's "LTYPE" line.

struct TriggerCase {
    const char* name;
    const char* countLine;
    const char* codeLine;
    bool fires;
};

const TriggerCase kTriggers[] = {
    {"RightAlignedSix", "     6", "  0", true},
    {"BareSix", "6", "0", true},
    {"SixWithTrailingSpaces", "6   ", "  0", true},
    {"SixWithSpacesAround", "  6  ", "  0  ", true},
    {"LeadingZero", "    06", "  0", false},
    {"Decimal", "   6.0", "  0", false},
    {"Sixteen", "    16", "  0", false},
    {"Sixty", "    60", "  0", false},
    {"Seven", "     7", "  0", false},
    {"PlusSix", "    +6", "  0", false},
    {"TabBeforeSix", "\t6", "  0", false},
    {"TabAfterSix", "6\t", "  0", false},
    {"CodeWithTab", "     6", "\t0", false},
};

class LtypeTrigger : public ::testing::TestWithParam<TriggerCase> {};

TEST_P(LtypeTrigger, FiresOnlyOnSix) {
    const TriggerCase& c = GetParam();
    const Script header = LtypeHeader(c.countLine);
    Script rest = LtypeEntriesAndRest();
    rest[0] = c.codeLine;
    if (c.fires) {
        // rest[1] is the first entry's "LTYPE".
        const Script afterStop(rest.begin() + 2, rest.end());
        ExpectRunWithEitherLineEnd(
            Join({header, Inserted(kReplacement), {rest[0], StopAt(rest[1])}, afterStop}),
            StructureErrorCalls(12, "LTYPE"));
    } else {
        ExpectRunWithEitherLineEnd(Join({header, rest}), FinishedCalls());
    }
}

INSTANTIATE_TEST_SUITE_P(Triggers, LtypeTrigger, ::testing::ValuesIn(kTriggers),
                         [](const ::testing::TestParamInfo<TriggerCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// What follows the trigger: the validator meets it in InTables.

struct FollowCase {
    const char* name;
    Script after;  // from line 12 on
    int stopLine;
    const char* keyword;
};

const std::vector<FollowCase>& FollowCases() {
    static const std::vector<FollowCase> cases = {
        {"FirstEntry", {"!LTYPE", "  2", "CONTINUOUS"}, 12, "LTYPE"},
        {"EndOfTable", {"!ENDTAB", "  0", "ENDSEC"}, 12, "ENDTAB"},
        {"Layer", {"!LAYER", "  2", "0"}, 12, "LAYER"},
        {"Section", {"!SECTION", "  2", "ENTITIES"}, 12, "SECTION"},
        {"Block", {"!BLOCK", "  2", "DOOR"}, 12, "BLOCK"},
        {"Endblk", {"!ENDBLK"}, 12, "ENDBLK"},
        {"NextTable",
         Join({{"TABLE", "  2", "LAYER", " 70", "     1", "  0", "LAYER", "  2", "WALL", "  6",
                "DASHED", "  0", "ENDTAB", "  0", "ENDSEC"},
               Section("ENTITIES",
                       Join({{"  0", "LINE", "  8", "WALL"}, Inserted({"  6", "DASHED"})})),
               Eof()}),
         0, ""},
        {"EndOfSection",
         Join({{"ENDSEC"}, Section("ENTITIES", {"  0", "LINE", "  8", "0"}), Eof()}), 0, ""},
        {"OtherLine", {"VPORT", "  2", "*ACTIVE", "  0", "ENDSEC", "  0", "EOF"}, 0, ""},
    };
    return cases;
}

class AfterTrigger : public ::testing::TestWithParam<FollowCase> {};

TEST_P(AfterTrigger, ValidatorDecides) {
    const FollowCase& c = GetParam();
    const Script script = Join({LtypeHeader("     6"), Inserted(kReplacement), {"  0"}, c.after});
    ExpectRunWithEitherLineEnd(
        script, c.stopLine == 0 ? FinishedCalls() : StructureErrorCalls(c.stopLine, c.keyword));
}

INSTANTIATE_TEST_SUITE_P(NextLines, AfterTrigger, ::testing::ValuesIn(FollowCases()),
                         [](const ::testing::TestParamInfo<FollowCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// A "6" followed by a "0" anywhere but in the LTYPE table's header.

struct ElsewhereCase {
    const char* name;
    Script script;
};

const std::vector<ElsewhereCase>& ElsewhereCases() {
    static const std::vector<ElsewhereCase> cases = {
        {"OutsideSection", {" 70", "     6", "  0", "SECTION", "  2", "HEADER", "  0", "ENDSEC"}},
        {"Header", Join({Section("HEADER", {"  9", "$X", " 70", "     6"}), Eof()})},
        {"BetweenTables",
         Join({TablesSection({" 70", "     6", "  0", "TABLE", "  2", "VPORT", "  0", "ENDTAB"}),
               Eof()})},
        {"OtherTable",
         Join({TablesSection({"  0", "TABLE", "  2", "VPORT", " 70", "     6", "  0", "ENDTAB"}),
               Eof()})},
        {"LayerTableHeader",
         Join({TablesSection(Join({{"  0", "TABLE", "  2", "LAYER", " 70", "     6"},
                                   LayerEntryLines("A"),
                                   {"  0", "ENDTAB"}})),
               Eof()})},
        {"LayerEntry", Join({TablesSection({"  0", "TABLE", "  2", "LAYER", " 70", "     1", "  0",
                                            "LAYER", "  2", "A", " 62", "     6", "  0", "ENDTAB"}),
                             Eof()})},
        {"LtypeEntry",
         Join({TablesSection({"  0", "TABLE", "  2", "LTYPE", " 70", "     1", "  0", "LTYPE",
                              "  2", "DASHED", " 73", "     6", "  0", "ENDTAB"}),
               Eof()})},
        {"LtypeHeaderNotEndingInSix",
         Join({TablesSection({"  0", "TABLE", "  2", "LTYPE", " 70", "     6", "  5", "14", "  0",
                              "LTYPE", "  2", "DASHED", "  0", "ENDTAB"}),
               Eof()})},
        {"Entities", Join({Section("ENTITIES", {"  0", "LINE", " 62", "     6"}), Eof()})},
        {"Block",
         Join({Section("BLOCKS", {"  0", "BLOCK", "  2", "DOOR", " 70", "     6", "  0", "ENDBLK"}),
               Eof()})},
    };
    return cases;
}

class NoTrigger : public ::testing::TestWithParam<ElsewhereCase> {};

TEST_P(NoTrigger, FileIsCopiedUnchanged) {
    ExpectRunWithEitherLineEnd(GetParam().script, FinishedCalls());
}

INSTANTIATE_TEST_SUITE_P(Elsewhere, NoTrigger, ::testing::ValuesIn(ElsewhereCases()),
                         [](const ::testing::TestParamInfo<ElsewhereCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(LtypeTrigger, SecondLtypeTableFiresAgain) {
    const Script script = Join({
        LtypeHeader("     6"),
        Inserted(kReplacement),
        {"  0", "TABLE", "  2", "LTYPE", " 70", "     6"},
        Inserted(kReplacement),
        {"  0", "ENDSEC", "  0", "EOF"},
    });
    ExpectRunWithEitherLineEnd(script, FinishedCalls());
}

TEST(LtypeTrigger, SecondLtypeTableStopsOnItsFirstEntry) {
    const Script script = Join({
        LtypeHeader("     6"),
        Inserted(kReplacement),
        {"  0", "TABLE", "  2", "LTYPE", " 70", "     6"},  // lines 11-16
        Inserted(kReplacement),
        {"  0", "!LTYPE", "  2", "DASHED"},  // lines 17-20
    });
    ExpectRunWithEitherLineEnd(script, StructureErrorCalls(18, "LTYPE"));
}

}  // namespace
