#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "conversion.h"
#include "dxf_script.h"
#include "expected_messages.h"
#include "stage_bench.h"

namespace {

// Slot -> {name, linetype}; every other slot must be empty.
using Slots = std::map<int, std::pair<std::string, std::string>>;

void Feed(StageBench& bench, const Script& script) {
    for (const std::string& line : SourceLines(script)) ASSERT_TRUE(bench.Pass(line)) << line;
}

void ExpectLayers(const ConversionState& state, const Slots& slots) {
    for (int slot = 0; slot < LayerTable::kSlots; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const auto found = slots.find(slot);
        const LayerRecord& record = state.layers[static_cast<std::size_t>(slot)];
        EXPECT_EQ(record.name.view(), found == slots.end() ? "" : found->second.first);
        EXPECT_EQ(record.linetype.view(), found == slots.end() ? "" : found->second.second);
    }
}

std::vector<std::string> NoticeThenFinishedCalls() {
    return {"begin", "message:" + expected::kLayerLimit, "end", "message:" + expected::kFinished};
}

// A line of an entity on the layer, ending where the next record starts.
Script LineOn(const std::string& layer) {
    return {"  0", "LINE", "  8", layer, " 10", "0.0"};
}

// ---------------------------------------------------------------------------
// Two layers followed line by line.

struct CaptureLine {
    const char* raw;
    int scanState;
    int layerIndex;
};

const CaptureLine kTwoLayers[] = {
    {"  0", 0, -1},    {"TABLE", 0, -1}, {"  2", 0, -1},   {"LAYER", 0, -1}, {" 70", 0, -1},
    {"     2", 0, -1}, {"  0", 0, -1},   {"LAYER", 0, 1},  {"  2", 1, 1},    {"WALL", 2, 1},
    {" 70", 1, 1},     {"     0", 2, 1}, {" 62", 1, 1},    {"     7", 2, 1}, {"  6", 1, 1},
    {"HIDDEN", 2, 1},  {"  0", 1, 1},    {"LAYER", 0, 2},  {"  2", 1, 2},    {"TEXT", 2, 2},
    {" 70", 1, 2},     {"     0", 2, 2}, {" 62", 1, 2},    {"     1", 2, 2}, {"  6", 1, 2},
    {"BORDER", 2, 2},  {"  0", 1, 2},    {"ENDTAB", 1, 2},
};

TEST(CaptureExample, TwoLayersLineByLine) {
    StageBench bench;
    Feed(bench, {"  0", "SECTION", "  2", "TABLES"});
    int number = 4;
    for (const CaptureLine& line : kTwoLayers) {
        SCOPED_TRACE("line " + std::to_string(++number) + " " + line.raw);
        ASSERT_TRUE(bench.Pass(line.raw));
        EXPECT_EQ(bench.state().scanState, line.scanState);
        EXPECT_EQ(bench.state().layerIndex, line.layerIndex);
    }
    ExpectLayers(bench.state(), {{1, {"WALL", "HIDDEN"}}, {2, {"TEXT", ""}}});
    EXPECT_TRUE(bench.sink().calls.empty());
}

TEST(CaptureExample, RunCopiesTheTableUnchanged) {
    Script script = {"  0", "SECTION", "  2", "TABLES"};
    for (const CaptureLine& line : kTwoLayers) script.push_back(line.raw);
    script.insert(script.end(), {"  0", "ENDSEC", "  0", "EOF"});
    ExpectRunWithEitherLineEnd(script, FinishedCalls());
}

// ---------------------------------------------------------------------------
// The limit of 256 layers.

std::string NumberedName(int i) {
    std::string name = "L";
    name += std::to_string(i);
    return name;
}

Script NumberedLayers(int count) {
    Script entries;
    for (int i = 1; i <= count; ++i) {
        const Script entry = LayerEntryLines(NumberedName(i), "DASHED");
        entries.insert(entries.end(), entry.begin(), entry.end());
    }
    return entries;
}

TEST(CaptureLimit, ExactlyTwoHundredFiftySixLayersAreAllCaptured) {
    StageBench bench;
    Feed(bench, TablesSection(LayerTableLines(NumberedLayers(256), 256)));
    Slots slots;
    for (int i = 1; i <= 256; ++i) slots[i] = {NumberedName(i), "DASHED"};
    ExpectLayers(bench.state(), slots);
    EXPECT_EQ(bench.state().layerIndex, 256);
    EXPECT_TRUE(bench.sink().calls.empty());
}

TEST(CaptureLimit, TwoHundredFiftySixLayersRunWithoutNotice) {
    const Script script = Join({
        TablesSection(LayerTableLines(NumberedLayers(256), 256)),
        {"  0", "SECTION", "  2", "ENTITIES"},
        LineOn("L1"),
        Inserted({"  6", "DASHED"}),
        LineOn("L256"),
        Inserted({"  6", "DASHED"}),
        {"  0", "ENDSEC"},
        Eof(),
    });
    ExpectRunWithEitherLineEnd(script, FinishedCalls());
}

TEST(CaptureLimit, NoticeComesOnTheLineAfterTheLayerLineOfEntry257) {
    const Script lines = SourceLines(TablesSection(LayerTableLines(NumberedLayers(257), 257)));
    // Entry 257 opens on the last "LAYER" line of the table.
    std::size_t entryLine = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "LAYER") entryLine = i;
    }
    StageBench bench;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1) + " " + lines[i]);
        ASSERT_TRUE(bench.Pass(lines[i]));
        if (i <= entryLine) {
            EXPECT_TRUE(bench.sink().calls.empty());
        } else {
            EXPECT_EQ(bench.sink().calls,
                      std::vector<std::string>{"message:" + expected::kLayerLimit});
        }
    }
    EXPECT_EQ(bench.state().layerIndex, 257);
    EXPECT_EQ(bench.state().scanState, 3);
    Slots slots;
    for (int i = 1; i <= 256; ++i) slots[i] = {NumberedName(i), "DASHED"};
    ExpectLayers(bench.state(), slots);
}

TEST(CaptureLimit, TwoHundredFiftySevenLayersShowTheNoticeOnceAndGoOn) {
    const Script script = Join({
        TablesSection(Join({LayerTableLines(NumberedLayers(257), 257),
                            LayerTableLines(LayerEntryLines("LATE", "HIDDEN"), 1)})),
        {"  0", "SECTION", "  2", "ENTITIES"},
        LineOn("L256"),
        Inserted({"  6", "DASHED"}),
        LineOn("L257"),
        LineOn("LATE"),
        LineOn("L1"),
        Inserted({"  6", "DASHED"}),
        {"  0", "ENDSEC"},
        Eof(),
    });
    ExpectRunWithEitherLineEnd(script, NoticeThenFinishedCalls());
}

TEST(CaptureLimit, TwoHundredFiftySevenLayersAreCopiedUnchanged) {
    const Script script = Join({
        TablesSection(LayerTableLines(NumberedLayers(257), 257)),
        Eof(),
    });
    ExpectRun(script, NoticeThenFinishedCalls());
}

// ---------------------------------------------------------------------------
// Where capture works and where it does not.

TEST(CaptureTables, TableWithoutEntriesLeavesTheIndexAtMinusOne) {
    StageBench bench;
    Feed(bench, TablesSection(LayerTableLines({}, 0)));
    EXPECT_EQ(bench.state().layerIndex, -1);
    ExpectLayers(bench.state(), {});
}

TEST(CaptureTables, SecondLayerTableLeavesOneSlotEmpty) {
    StageBench bench;
    Feed(bench,
         TablesSection(Join({
             LayerTableLines(Join({LayerEntryLines("A", "HIDDEN"), LayerEntryLines("B", "DASHED")}),
                             2),
             {"  0", "TABLE", "  2", "STYLE", " 70", "     1", "  0", "STYLE", "  2", "STANDARD",
              "  0", "ENDTAB"},
             LayerTableLines(Join({LayerEntryLines("C", "CENTER"), LayerEntryLines("D")}), 2),
         })));
    EXPECT_EQ(bench.state().layerIndex, 5);
    ExpectLayers(
        bench.state(),
        {{1, {"A", "HIDDEN"}}, {2, {"B", "DASHED"}}, {4, {"C", "CENTER"}}, {5, {"D", ""}}});
}

TEST(CaptureTables, SecondLayerTableIsLookedUp) {
    const Script script = Join({
        TablesSection(Join({LayerTableLines(LayerEntryLines("A", "HIDDEN"), 1),
                            LayerTableLines(LayerEntryLines("C", "CENTER"), 1)})),
        {"  0", "SECTION", "  2", "ENTITIES"},
        LineOn("C"),
        Inserted({"  6", "CENTER"}),
        LineOn("A"),
        Inserted({"  6", "HIDDEN"}),
        {"  0", "ENDSEC"},
        Eof(),
    });
    ExpectRunWithEitherLineEnd(script, FinishedCalls());
}

TEST(CaptureTables, LayerTableAfterEntitiesIsNotCaptured) {
    const Script script = Join({
        Section("ENTITIES", LineOn("WALL")),
        TablesSection(LayerTableLines(LayerEntryLines("WALL", "HIDDEN"), 1)),
        Section("ENTITIES", LineOn("WALL")),
        Eof(),
    });
    StageBench bench;
    Feed(bench, script);
    ExpectLayers(bench.state(), {});
    EXPECT_EQ(bench.state().layerIndex, 0);
    ExpectRunWithEitherLineEnd(script, FinishedCalls());
}

TEST(CaptureTables, LayerTableAfterTheFirstBlockIsNotCaptured) {
    const Script script = Join({
        Section("BLOCKS", {"  0", "BLOCK", "  8", "0", "  2", "DOOR", "  0", "ENDBLK"}),
        TablesSection(LayerTableLines(LayerEntryLines("WALL", "HIDDEN"), 1)),
        Section("ENTITIES", LineOn("WALL")),
        Eof(),
    });
    StageBench bench;
    Feed(bench, script);
    ExpectLayers(bench.state(), {});
    ExpectRunWithEitherLineEnd(script, FinishedCalls());
}

TEST(CaptureTables, LayerTableAfterABlocksSectionWithoutBlocksIsCaptured) {
    const Script script = Join({
        Section("BLOCKS", {}),
        TablesSection(LayerTableLines(LayerEntryLines("WALL", "HIDDEN"), 1)),
        Section("ENTITIES", Join({LineOn("WALL"), Inserted({"  6", "HIDDEN"})})),
        Eof(),
    });
    ExpectRunWithEitherLineEnd(script, FinishedCalls());
}

TEST(CaptureTables, OtherTablesAreNotCaptured) {
    StageBench bench;
    Feed(bench, TablesSection(Join({
                    {"  0", "TABLE", "  2", "LTYPE", " 70", "     1", "  0", "LTYPE", "  2",
                     "HIDDEN", "  6", "DASHED", "  0", "ENDTAB"},
                    {"  0", "TABLE", "  2", "VPORT", " 70", "     1", "  0", "VPORT", "  2",
                     "*ACTIVE", "  6", "DASHED", "  0", "ENDTAB"},
                })));
    ExpectLayers(bench.state(), {});
    EXPECT_EQ(bench.state().layerIndex, -1);
}

// ---------------------------------------------------------------------------
// What an entry's lines give.

struct EntryCase {
    const char* name;
    Script entry;  // from the entry's "LAYER" line on
    std::string layerName;
    std::string linetype;
};

const std::vector<EntryCase>& EntryCases() {
    static const std::vector<EntryCase> cases = {
        {"PlainEntry", {"  2", "WALL", " 70", "     0", "  6", "HIDDEN"}, "WALL", "HIDDEN"},
        {"NameWithSpacesRemoved", {"  2", " W A L L ", "  6", "DOT"}, "WALL", "DOT"},
        {"EmptyName", {"  2", "", "  6", "HIDDEN"}, "", "HIDDEN"},
        {"SpacesOnlyName", {"  2", "     ", "  6", "DASHED"}, "", "DASHED"},
        {"LinetypeWithSpacesAround", {"  2", "A", "  6", "   DASHED  "}, "A", "DASHED"},
        {"LinetypeWithInnerSpaces", {"  2", "A", "  6", "DASH ED"}, "A", "DASHED"},
        {"LinetypeInLowerCase", {"  2", "A", "  6", "dashed"}, "A", ""},
        {"LinetypeInMixedCase", {"  2", "A", "  6", "Continuous"}, "A", ""},
        {"LinetypeWithTab", {"  2", "A", "  6", "\tDASHED"}, "A", ""},
        {"UnknownLinetype", {"  2", "A", "  6", "DASHED2"}, "A", ""},
        {"NoGroup6", {"  2", "A", " 70", "     0", " 62", "     7"}, "A", ""},
        {"Continuous", {"  2", "A", "  6", "CONTINUOUS"}, "A", "CONTINUOUS"},
        {"Phantom", {"  2", "A", "  6", "PHANTOM"}, "A", "PHANTOM"},
        {"Center", {"  2", "A", "  6", "CENTER"}, "A", "CENTER"},
        {"Dashdot", {"  2", "A", "  6", "DASHDOT"}, "A", "DASHDOT"},
        {"Divide", {"  2", "A", "  6", "DIVIDE"}, "A", "DIVIDE"},
        {"UnknownKeepsAnEarlierLinetype",
         {"  2", "A", "  6", "HIDDEN", "  6", "BORDER"},
         "A",
         "HIDDEN"},
        {"LaterKnownLinetypeReplaces",
         {"  2", "A", "  6", "HIDDEN", "  6", "DASHED"},
         "A",
         "DASHED"},
        {"LaterNameReplaces", {"  2", "A", "  2", "B"}, "B", ""},
        // A value that reads 2 or 6 is no group code: the line after it is a
        // code line, however it reads.
        {"ValueTwoIsNotACode", {"  2", "A", " 62", "     2", "B", "     0"}, "A", ""},
        {"ValueSixIsNotACode", {"  2", "A", " 62", "     6", "CONTINUOUS", "     0"}, "A", ""},
        // A value line reading LAYER after another code does not flip the
        // parity, so the code and value lines after it change places.
        {"ValueLayerKeepsTheParity", {"  2", "A", "  3", "LAYER", "  6", "HIDDEN"}, "A", ""},
    };
    return cases;
}

class CaptureEntry : public ::testing::TestWithParam<EntryCase> {
protected:
    Script Table() const {
        return TablesSection(LayerTableLines(Join({{"  0", "LAYER"}, GetParam().entry}), 1));
    }
};

TEST_P(CaptureEntry, StoresNameAndKnownLinetype) {
    StageBench bench;
    Feed(bench, Table());
    ExpectLayers(bench.state(), {{1, {GetParam().layerName, GetParam().linetype}}});
    EXPECT_EQ(bench.state().layerIndex, 1);
}

TEST_P(CaptureEntry, RunCopiesTheEntryUnchanged) {
    ExpectRunWithEitherLineEnd(Join({Table(), Eof()}), FinishedCalls());
}

INSTANTIATE_TEST_SUITE_P(Entries, CaptureEntry, ::testing::ValuesIn(EntryCases()),
                         [](const ::testing::TestParamInfo<EntryCase>& info) {
                             return std::string(info.param.name);
                         });

// Modern mode's layer map compares names a word at a time, zero-padded; the
// rows are names that only the last byte, the length, a NUL, an inner space
// or a Shift-JIS second byte that reads as a letter tells apart.
TEST(CaptureModernMap, EachNameFindsItsOwnEntry) {
    using namespace std::string_literals;
    const std::vector<std::string> names = {"",
                                            "0",
                                            "A",
                                            "AB",
                                            "AB\0"s,
                                            "ABCDEFG",
                                            "ABCDEFGH",
                                            "ABCDEFGI",
                                            "ABCDEFGH1",
                                            "ABCDEFGH\0"s,
                                            "ABCDEFGH2",
                                            "Wall",
                                            "Wa ll",
                                            "壁",
                                            "\x82"
                                            "a",
                                            "\x82"
                                            "A",
                                            std::string(97, 'x'),
                                            std::string(98, 'x'),
                                            std::string(kLongestName, 'y')};
    LayerMap map;
    for (std::size_t entry = 0; entry < names.size(); ++entry) map.SetName(entry, names[entry]);
    // A name given twice, in any case, keeps its first entry.
    map.SetName(names.size(), "ab");
    for (std::size_t entry = 0; entry < names.size(); ++entry) {
        EXPECT_EQ(map.Find(names[entry]), static_cast<int>(entry)) << "entry " << entry;
    }
    EXPECT_EQ(map.Find("WALL"), 11);
    EXPECT_EQ(map.Find("ABC"), -1);
    EXPECT_EQ(map.Find(std::string(kLongestName - 1, 'y')), -1);
}

TEST(CaptureModernMap, ThousandsOfLayersAreAllFound) {
    LayerMap map;
    constexpr int kLayers = 20000;
    for (int entry = 0; entry < kLayers; ++entry) map.SetName(entry, "L" + std::to_string(entry));
    for (int entry = 0; entry < kLayers; entry += 7) {
        EXPECT_EQ(map.Find("L" + std::to_string(entry)), entry);
    }
    EXPECT_EQ(map.Find("L" + std::to_string(kLayers)), -1);
}

TEST(CaptureModernMap, LinetypeIsKeptAsSpelled) {
    LayerMap map;
    EXPECT_EQ(map.At(3).linetype(), "");
    map.At(3).SetLinetype("Hidden2");
    EXPECT_EQ(map.At(3).linetype(), "Hidden2");
    map.At(3).SetLinetype("");
    EXPECT_EQ(map.At(3).linetype(), "");
}

}  // namespace
