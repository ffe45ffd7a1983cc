#include "linetype_injection.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "conversion.h"
#include "dxf_script.h"
#include "stage_bench.h"

namespace {

Script Group(const std::string& linetype) {
    return Inserted({"  6", linetype});
}

// Slots: 1 WALL HIDDEN, 2 TEXT without linetype, 3 "0" CONTINUOUS, 4 and 5
// DOUBLE (DASHED, then DOT), 6 "A B" CENTER (captured as AB), 7 AB PHANTOM,
// 8 DDOT DASHDOT, 9 DIV DIVIDE, 10 ODD with a linetype of no known name.
Script Tables() {
    return TablesSection(LayerTableLines(
        Join({LayerEntryLines("WALL", "HIDDEN"), LayerEntryLines("TEXT"),
              LayerEntryLines("0", "CONTINUOUS"), LayerEntryLines("DOUBLE", "DASHED"),
              LayerEntryLines("DOUBLE", "DOT"), LayerEntryLines("A B", "CENTER"),
              LayerEntryLines("AB", "PHANTOM"), LayerEntryLines("DDOT", "DASHDOT"),
              LayerEntryLines("DIV", "DIVIDE"), LayerEntryLines("ODD", "BORDER")}),
        10));
}

Script EntitiesFile(const Script& body) {
    return Join({Tables(), Section("ENTITIES", body), Eof()});
}

Script BlocksFile(const Script& body) {
    return Join({Tables(), Section("BLOCKS", body),
                 Section("ENTITIES", {"  0", "INSERT", "  8", "TEXT", "  2", "DOOR"}), Eof()});
}

struct RecordCase {
    const char* name;
    Script body;
};

// ---------------------------------------------------------------------------
// Records of the ENTITIES section.

const std::vector<RecordCase>& EntityCases() {
    static const std::vector<RecordCase> cases = {
        {"ExampleOfTheScan", Join({{"  0", "LINE", "  8", "WALL", " 10", "0.0"},
                                   Group("HIDDEN"),
                                   {"  0", "LINE", "  8", "WALL", "  6", "DASHED"},
                                   {"  0", "TEXT", "  8", "TEXT"}})},
        {"OwnGroup6Bylayer", {"  0", "LINE", "  8", "WALL", "  6", "BYLAYER"}},
        {"OwnGroup6Byblock", {"  0", "LINE", "  8", "WALL", "  6", "BYBLOCK"}},
        {"OwnGroup6SameAsLayer", {"  0", "LINE", "  8", "WALL", "  6", "HIDDEN"}},
        {"OwnGroup6Empty", {"  0", "LINE", "  8", "WALL", "  6", ""}},
        {"OwnGroup6Unknown", {"  0", "LINE", "  8", "WALL", "  6", "XYZ"}},
        {"OwnGroup6BeforeGroup8", {"  0", "LINE", "  6", "DASHED", "  8", "WALL", " 10", "0.0"}},
        {"WithoutGroup6",
         Join({{"  0", "CIRCLE", "  8", "WALL", " 10", "1.0", " 40", "2.0"}, Group("HIDDEN")})},
        {"LayerNotInTable", {"  0", "LINE", "  8", "ROOF", " 10", "0.0"}},
        {"LayerInOtherCase", {"  0", "LINE", "  8", "wall", " 10", "0.0"}},
        {"NoGroup8", {"  0", "LINE", " 10", "0.0"}},
        {"LayerZero",
         Join({{"  0", "LINE", "  8", "0", " 10", "0", " 20", "0"}, Group("CONTINUOUS")})},
        {"LayerWithoutKnownLinetype", {"  0", "LINE", "  8", "TEXT", " 10", "0.0"}},
        {"LayerWithUnknownLinetype", {"  0", "LINE", "  8", "ODD", " 10", "0.0"}},
        {"EmptyGroup8", {"  0", "LINE", "  8", "", " 10", "0.0"}},
        {"SpacesOnlyGroup8", {"  0", "LINE", "  8", "    ", " 10", "0.0"}},
        {"LaterGroup8Wins",
         Join({{"  0", "LINE", "  8", "WALL", "  8", "0"}, Group("CONTINUOUS")})},
        {"LaterUnknownGroup8KeepsTheEarlier",
         Join({{"  0", "LINE", "  8", "WALL", "  8", "ROOF"}, Group("HIDDEN")})},
        {"SameNameTwiceUsesTheLowerSlot",
         Join({{"  0", "LINE", "  8", "DOUBLE"}, Group("DASHED")})},
        {"NameWithInnerSpace", Join({{"  0", "LINE", "  8", "A B"}, Group("CENTER")})},
        {"NamesDifferingInSpacesAreOne", Join({{"  0", "LINE", "  8", "AB"}, Group("CENTER")})},
        {"NameWithSpacesAround", Join({{"  0", "LINE", "  8", "  A B  "}, Group("CENTER")})},
        {"DashdotAndDivide", Join({{"  0", "LINE", "  8", "DDOT"},
                                   Group("DASHDOT"),
                                   {"  0", "LINE", "  8", "DIV"},
                                   Group("DIVIDE")})},
        {"PolylineVertexSeqend", Join({{"  0", "POLYLINE", "  8", "WALL", " 66", "     1"},
                                       Group("HIDDEN"),
                                       {"  0", "VERTEX", "  8", "0", " 10", "0.0"},
                                       Group("CONTINUOUS"),
                                       {"  0", "VERTEX", "  8", "WALL", "  6", "DASHED"},
                                       {"  0", "VERTEX", "  8", "DOUBLE", " 10", "1.0"},
                                       Group("DASHED"),
                                       {"  0", "SEQEND", "  8", "WALL"},
                                       Group("HIDDEN")})},
        {"Empty", {}},
        {"ExtendedDataComesAfterTheGroup", Join({{"  0", "LINE", "  8", "WALL", " 10", "0.0"},
                                                 Group("HIDDEN"),
                                                 {"1001", "APP", "1000", "note", "1070", "     6"},
                                                 {"  0", "LINE", "  8", "WALL"},
                                                 Group("HIDDEN")})},
        {"TwoApplicationsOfExtendedData",
         Join({{"  0", "LINE", "  8", "0", " 10", "0.0"},
               Group("CONTINUOUS"),
               {"1001", "APP", "1000", "x", "1001", "APP2", "1000", "y"}})},
        {"ExtendedDataWithOwnGroup6",
         {"  0", "LINE", "  8", "WALL", "  6", "DASHED", "1001", "APP", "1000", "note"}},
        {"ExtendedDataOnLayerWithoutLinetype",
         {"  0", "LINE", "  8", "TEXT", "1001", "APP", "1000", "note"}},
        {"ExtendedDataWithoutLayer", {"  0", "LINE", " 10", "0.0", "1001", "APP"}},
        {"ExtendedDataMarkerAsValue",
         Join({{"  0", "LINE", "  8", "WALL", " 70", "1001", " 10", "0.0"}, Group("HIDDEN")})},
        // Values that read as group codes the scan follows, among groups it
        // does not: the scan keeps to code and value all the same.
        {"ValuesThatReadAsCodes",
         Join({{"  0", "LINE", " 62", "     8", " 10", "WALL", " 70", "     0", " 20", "6"},
               {" 8 ", "WALL", "  1", "a text of more than sixteen bytes", " 30", "0.0"},
               Group("HIDDEN")})},
    };
    return cases;
}

class EntityRecord : public ::testing::TestWithParam<RecordCase> {};

TEST_P(EntityRecord, GetsTheGroupWhereTheRulesSay) {
    ExpectRunWithEitherLineEnd(EntitiesFile(GetParam().body), FinishedCalls());
}

INSTANTIATE_TEST_SUITE_P(Entities, EntityRecord, ::testing::ValuesIn(EntityCases()),
                         [](const ::testing::TestParamInfo<RecordCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// Records inside BLOCK definitions.

const std::vector<RecordCase>& BlockCases() {
    static const std::vector<RecordCase> cases = {
        {"HeaderAndEntities",
         Join({{"  0", "BLOCK", "  8", "0", "  2", "DOOR", " 70", "     0", " 10", "0.0"},
               Group("CONTINUOUS"),
               {"  0", "LINE", "  8", "WALL", " 10", "0.0"},
               Group("HIDDEN"),
               {"  0", "LINE", "  8", "WALL", "  6", "DASHED"},
               {"  0", "ENDBLK", "  8", "WALL"}})},
        {"BlockWithoutEntities",
         Join({{"  0", "BLOCK", "  8", "WALL", "  2", "DOOR", " 70", "     0"},
               Group("HIDDEN"),
               {"  0", "ENDBLK", "  8", "WALL"}})},
        {"HeaderOnLayerWithoutLinetype",
         {"  0", "BLOCK", "  8", "TEXT", "  2", "DOOR", "  0", "ENDBLK", "  8", "TEXT"}},
        {"HeaderWithoutLayer",
         {"  0", "BLOCK", "  2", "DOOR", " 70", "     0", "  0", "ENDBLK", "  8", "0"}},
        {"NextBlockStartsAfresh",
         Join({{"  0", "BLOCK", "  8", "WALL", "  2", "DOOR"},
               Group("HIDDEN"),
               {"  0", "ENDBLK", "  8", "WALL", "  0", "BLOCK", "  2", "WINDOW", " 70", "     0"},
               {"  0", "LINE", "  8", "DDOT"},
               Group("DASHDOT"),
               {"  0", "ENDBLK", "  8", "0"}})},
        {"LastRecordBeforeEndblk",
         Join({{"  0", "BLOCK", "  2", "DOOR", "  0", "ARC", "  8", "0", " 40", "1.0"},
               Group("CONTINUOUS"),
               {"  0", "ENDBLK"}})},
        {"PolylineVertexSeqend",
         Join({{"  0", "BLOCK", "  2", "DOOR", "  0", "POLYLINE", "  8", "WALL"},
               Group("HIDDEN"),
               {"  0", "VERTEX", "  8", "WALL"},
               Group("HIDDEN"),
               {"  0", "SEQEND", "  8", "0"},
               Group("CONTINUOUS"),
               {"  0", "ENDBLK"}})},
        {"SameNameTwiceAndSpaces",
         Join({{"  0", "BLOCK", "  2", "DOOR", "  0", "LINE", "  8", "DOUBLE"},
               Group("DASHED"),
               {"  0", "LINE", "  8", "AB"},
               Group("CENTER"),
               {"  0", "ENDBLK"}})},
        {"TwoGroup8Lines",
         Join({{"  0", "BLOCK", "  2", "DOOR", "  0", "LINE", "  8", "WALL", "  8", "ROOF"},
               Group("HIDDEN"),
               {"  0", "LINE", "  8", "WALL", "  8", "DIV"},
               Group("DIVIDE"),
               {"  0", "ENDBLK"}})},
        {"ExtendedDataComesAfterTheGroup",
         Join({{"  0", "BLOCK", "  2", "DOOR", "  0", "LINE", "  8", "WALL", " 10", "0.0"},
               Group("HIDDEN"),
               {"1001", "APP", "1000", "note"},
               {"  0", "ENDBLK"}})},
        {"ExtendedDataOnTheHeader", Join({{"  0", "BLOCK", "  8", "0", "  2", "DOOR"},
                                          Group("CONTINUOUS"),
                                          {"1001", "APP", "1000", "note", "  0", "ENDBLK"}})},
        {"ExtendedDataWithOwnGroup6",
         {"  0", "BLOCK", "  2", "DOOR", "  0", "LINE", "  8", "WALL", "  6", "DASHED", "1001",
          "APP", "1000", "note", "  0", "ENDBLK"}},
        {"OwnGroup6Bylayer",
         {"  0", "BLOCK", "  2", "DOOR", "  0", "LINE", "  8", "WALL", "  6", "BYLAYER", "  0",
          "ENDBLK"}},
        // A block whose lines are out of step ends without its record closed;
        // the next BLOCK starts without that record's layer.
        {"ValuesThatReadAsCodes",
         Join({{"  0", "BLOCK", "  2", "DOOR", "  0", "LINE", " 62", "     8", " 10", "WALL"},
               {" 70", "     0", "  8 ", "DIV", " 20", "  6", " 30", "0.0"},
               Group("DIVIDE"),
               {"  0", "ENDBLK"}})},
        {"OutOfStepBlockDoesNotPassItsLayerOn",
         {"  0", "BLOCK", "  8", "WALL", "EXTRA", "  0", "ENDBLK", "  0", "BLOCK", "  2", "W",
          "  0", "ENDBLK"}},
        {"Empty", {}},
    };
    return cases;
}

class BlockRecord : public ::testing::TestWithParam<RecordCase> {};

TEST_P(BlockRecord, GetsTheGroupWhereTheRulesSay) {
    ExpectRunWithEitherLineEnd(BlocksFile(GetParam().body), FinishedCalls());
}

INSTANTIATE_TEST_SUITE_P(Blocks, BlockRecord, ::testing::ValuesIn(BlockCases()),
                         [](const ::testing::TestParamInfo<RecordCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// The scans followed line by line, on the layers WALL (HIDDEN) and TEXT
// (linetype BORDER, not captured).

Script TwoLayerTables() {
    return TablesSection(LayerTableLines(
        Join({LayerEntryLines("WALL", "HIDDEN"), LayerEntryLines("TEXT", "BORDER")}), 2));
}

struct ScanLine {
    const char* raw;
    int scanState;
    int hasLinetype;
    int layerSlot;
};

const ScanLine kEntityExample[] = {
    {"ENTITIES", 10, -1, -1}, {"  0", 11, 0, 999}, {"LINE", 12, 0, 999},   {"  8", 11, 0, 999},
    {"WALL", 12, 0, 1},       {" 10", 11, 0, 1},   {"0.0", 12, 0, 1},      {"  0", 11, 0, 999},
    {"LINE", 12, 0, 999},     {"  8", 11, 0, 999}, {"WALL", 12, 0, 1},     {"  6", 11, 0, 1},
    {"DASHED", 12, 1, 1},     {"  0", 11, 0, 999}, {"TEXT", 12, 0, 999},   {"  8", 11, 0, 999},
    {"TEXT", 12, 0, 2},       {"  0", 11, 0, 999}, {"ENDSEC", 11, 0, 999},
};

TEST(ScanExample, EntityScanLineByLine) {
    StageBench bench;
    const Script tables = TwoLayerTables();
    for (const std::string& line : tables) ASSERT_TRUE(bench.Pass(line));
    for (const char* line : {"  0", "SECTION", "  2"}) ASSERT_TRUE(bench.Pass(line));
    Script expected = Join({tables, {"  0", "SECTION", "  2"}});
    for (const ScanLine& line : kEntityExample) {
        SCOPED_TRACE(line.raw);
        ASSERT_TRUE(bench.Pass(line.raw));
        EXPECT_EQ(bench.state().scanState, line.scanState);
        if (line.hasLinetype >= 0) {
            EXPECT_EQ(bench.state().entityHasLinetype, line.hasLinetype);
        }
        if (line.layerSlot >= 0) {
            EXPECT_EQ(bench.state().entityLayerIndex, line.layerSlot);
        }
        if (std::string(line.raw) == "  0" && expected.back() == "0.0") {
            expected.insert(expected.end(), {"  6", "HIDDEN"});
        }
        expected.push_back(line.raw);
    }
    EXPECT_EQ(bench.Written(), JoinLines(expected, "\r\n"));
}

const ScanLine kBlockExample[] = {
    {"  0", -1, -1, -1}, {"BLOCK", 22, 0, 999},  {"  8", 21, 0, 999}, {"WALL", 22, 0, 1},
    {"  2", 21, 0, 1},   {"DOOR", 22, 0, 1},     {"  0", 21, 0, 999}, {"LINE", 22, 0, 999},
    {"  8", 21, 0, 999}, {"TEXT", 22, 0, 2},     {"  6", 21, 0, 2},   {"DASHED", 22, 1, 2},
    {"  0", 21, 0, 999}, {"ENDBLK", 21, 0, 999}, {"  8", 21, 0, 999}, {"WALL", 21, 0, 999},
};

TEST(ScanExample, BlockScanLineByLine) {
    StageBench bench;
    const Script tables = TwoLayerTables();
    for (const std::string& line : tables) ASSERT_TRUE(bench.Pass(line));
    for (const char* line : {"  0", "SECTION", "  2", "BLOCKS"}) ASSERT_TRUE(bench.Pass(line));
    Script expected = Join({tables, {"  0", "SECTION", "  2", "BLOCKS"}});
    for (const ScanLine& line : kBlockExample) {
        SCOPED_TRACE(line.raw);
        ASSERT_TRUE(bench.Pass(line.raw));
        if (line.scanState >= 0) {
            EXPECT_EQ(bench.state().scanState, line.scanState);
        }
        if (line.hasLinetype >= 0) {
            EXPECT_EQ(bench.state().blockHasLinetype, line.hasLinetype);
        }
        if (line.layerSlot >= 0) {
            EXPECT_EQ(bench.state().blockLayerIndex, line.layerSlot);
        }
        if (std::string(line.raw) == "  0" && expected.back() == "DOOR") {
            expected.insert(expected.end(), {"  6", "HIDDEN"});
        }
        expected.push_back(line.raw);
    }
    EXPECT_EQ(bench.Written(), JoinLines(expected, "\r\n"));
}

// ---------------------------------------------------------------------------
// The lookup.

struct LookupCase {
    const char* name;
    int layerIndex;
    const char* wanted;
    int slot;
};

LineText Named(const char* text) {
    LineText name;
    name.assign(text);
    return name;
}

LineText NumberedName(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "L%d", number);
    return Named(text);
}

TEST(FindLayerIndex, SearchesUpToTheIndexAndTheLastSlot) {
    LayerTable layers;
    layers.SetName(1, Named("WALL"));
    layers.SetName(2, Named("WALL"));
    layers.SetName(5, Named("ROOF"));
    layers.SetName(257, Named("LAST"));
    const LookupCase cases[] = {
        {"FirstMatchWins", 5, "WALL", 1},
        {"BoundedByTheIndex", 4, "ROOF", -1},
        {"IndexReachesTheSlot", 5, "ROOF", 5},
        {"EmptyNameMatchesSlotZero", 5, "", 0},
        {"NothingBeforeTheFirstTable", -1, "", -1},
        {"CaseSensitive", 5, "wall", -1},
        {"LastSlotReachedAt257", 257, "LAST", 257},
        {"IndexAboveTheTableStopsAtTheLastSlot", 300, "LAST", 257},
        {"BelowTheLastSlot", 256, "LAST", -1},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindLayerIndex(layers, c.layerIndex, Named(c.wanted)), c.slot);
    }
}

// The lookup keeps an index of the names; a name set after a lookup must
// be found, and the name it replaced no longer.
TEST(FindLayerIndex, FollowsNamesSetAfterALookup) {
    LayerTable layers;
    layers.SetName(1, Named("WALL"));
    EXPECT_EQ(FindLayerIndex(layers, 3, Named("WALL")), 1);
    layers.SetName(1, Named("ROOF"));
    layers.SetName(3, Named("WALL"));
    EXPECT_EQ(FindLayerIndex(layers, 3, Named("WALL")), 3);
    EXPECT_EQ(FindLayerIndex(layers, 3, Named("ROOF")), 1);
}

// Many names landing in the same part of the index still resolve to the
// lowest slot of each.
TEST(FindLayerIndex, EveryNameOfAFullTableIsFoundAtItsLowestSlot) {
    LayerTable layers;
    for (int slot = 1; slot <= 256; ++slot) {
        layers.SetName(static_cast<std::size_t>(slot), NumberedName(slot % 200));
    }
    // Slots 201 to 256 repeat the names of slots 1 to 56; L0 is slot 200.
    for (int slot = 1; slot <= 256; ++slot) {
        const int k = slot % 200;
        EXPECT_EQ(FindLayerIndex(layers, 257, NumberedName(k)), k == 0 ? 200 : k) << k;
    }
}

}  // namespace
