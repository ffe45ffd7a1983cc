// The modern mode beside the default one: each row is one source, with what
// each mode makes of it. Rows where the two agree guard what modern mode
// must leave as it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "conversion.h"
#include "dxf_script.h"
#include "expected_messages.h"
#include "long_line.h"

namespace {

// Lines separated by "|", marked as in a Script.
Script L(std::string_view text) {
    Script lines;
    for (std::size_t start = 0;;) {
        const std::size_t bar = text.find('|', start);
        lines.emplace_back(text.substr(start, bar - start));
        if (bar == std::string_view::npos) return lines;
        start = bar + 1;
    }
}

Script LtypeTable(const Script& names) {
    Script lines = {"  0", "TABLE", "  2", "LTYPE", " 70", std::to_string(names.size())};
    for (const std::string& name : names) lines.insert(lines.end(), {"  0", "LTYPE", "  2", name});
    return Join({lines, {"  0", "ENDTAB"}});
}

Script Layers(const std::vector<std::pair<std::string, std::string>>& layers) {
    Script entries;
    for (const auto& [name, linetype] : layers) {
        const Script entry = LayerEntryLines(name, linetype);
        entries.insert(entries.end(), entry.begin(), entry.end());
    }
    return LayerTableLines(entries, static_cast<int>(layers.size()));
}

Script Drawing(const Script& tables, const Script& entities) {
    return Join({TablesSection(tables), Section("ENTITIES", entities), Eof()});
}

// WALL on HIDDEN, then these entities.
Script Wall(std::string_view entities) {
    return Drawing(Layers({{"WALL", "HIDDEN"}}), L(entities));
}

// The script's lines from the n-th on.
Script From(const Script& script, std::size_t n) {
    return Script(script.begin() + static_cast<std::ptrdiff_t>(n), script.end());
}

// The script with the run stopping at its n-th line.
Script Stopped(Script script, std::size_t n) {
    script[n] = StopAt(script[n]);
    return script;
}

// WALL on HIDDEN of lineweight 25, then these entities.
Script WeightedWall(std::string_view entities) {
    return Drawing(LayerTableLines(Join({LayerEntryLines("WALL", "HIDDEN"), L("370|    25")}), 1),
                   L(entities));
}

// Layer 0 of lineweight 50, a line on it in the block DOOR and one in the
// model space's block, which ends with these lines.
Script ZeroInBlocks(std::string_view end) {
    return Join({TablesSection(LayerTableLines(L("  0|LAYER|  2|0|370|50"), 1)),
                 Section("BLOCKS", L("  0|BLOCK|  8|0|  2|DOOR|  0|LINE|  8|0|  0|ENDBLK|  0|BLOCK|"
                                     "  8|0|  2|*Model_Space|  0|LINE|  8|0|" +
                                     std::string(end))),
                 Eof()});
}

Script ManyLayers(int count) {
    std::vector<std::pair<std::string, std::string>> layers;
    for (int i = 1; i <= count; ++i) layers.emplace_back("L" + std::to_string(i), "HIDDEN");
    return Layers(layers);
}

const std::vector<std::string> kTooLong = {"begin", "end", "message:" + expected::kLineTooLong};

struct ModeCase {
    const char* name;
    Script plain;  // what the default mode makes of the source
    std::vector<std::string> plainCalls;
    Script modern;

    friend void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }
};

const std::vector<ModeCase>& Cases() {
    static const std::string kLong(300, 'x');
    static const std::string kLongName = "L" + std::string(200, 'A');
    static const std::string kKept(kLongestName, 'K');
    static const std::string kNotKept = kKept + "K";
    static const std::string kHuge(700000, 'v');
    static const std::string kSpacedCode = std::string(120, ' ') + "0";
    static const std::string kHugeSpacedCode = std::string(600000, ' ') + "0";
    static const std::string kBom = "\xEF\xBB\xBF";
    static const Script kLineOnWall = L("  0|LINE|  8|WALL");
    static const Script kSix = LtypeTable({"Continuous", "HIDDEN2", "CENTER2", "X", "Y", "Z"});
    static const Script kOneLong = Layers({{kLongName, "DASHED"}});
    static const Script kTwoLong = Layers({{kKept, "DOT"}, {kNotKept, "DOT"}});
    static const Script kBomSource = Wall("  0|LINE|  8|WALL|+  6|+HIDDEN");
    // A 370 before the name, values 0, -1 and 2.5 (neither of the last is a width).
    static const Script kWidths = LayerTableLines(
        L("  0|LAYER|370|    13|  2|A|  0|LAYER|  2|B|370|0|  0|LAYER|  2|C|370|-1|  0|LAYER|  "
          "2|D|370|2.5"),
        4);
    const auto finished = FinishedCalls();
    static const std::vector<ModeCase> cases = {
        // The LTYPE table's names are known, linetype names in any ASCII case.
        {"LtypeTableName",
         Drawing(Join({LtypeTable({"HIDDEN2"}), Layers({{"WALL", "HIDDEN2"}})}), kLineOnWall),
         finished,
         Drawing(Join({LtypeTable({"HIDDEN2"}), Layers({{"WALL", "HIDDEN2"}})}),
                 L("  0|LINE|  8|WALL|+  6|+HIDDEN2"))},
        {"CaseIgnoredLayersSpellingWritten", Drawing(Layers({{"WALL", "Hidden"}}), kLineOnWall),
         finished, Drawing(Layers({{"WALL", "Hidden"}}), L("  0|LINE|  8|WALL|+  6|+Hidden"))},
        {"TableNameInOtherCase",
         Drawing(Join({LtypeTable({"center2"}), Layers({{"WALL", "CENTER2"}})}), kLineOnWall),
         finished,
         Drawing(Join({LtypeTable({"center2"}), Layers({{"WALL", "CENTER2"}})}),
                 L("  0|LINE|  8|WALL|+  6|+CENTER2"))},
        {"ByLayerNeverKnown",
         Drawing(Join({LtypeTable({"ByLayer", "Continuous"}),
                       Layers({{"WALL", "ByLayer"}, {"0", "Continuous"}})}),
                 L("  0|LINE|  8|WALL|  0|LINE|  8|0")),
         finished,
         Drawing(Join({LtypeTable({"ByLayer", "Continuous"}),
                       Layers({{"WALL", "ByLayer"}, {"0", "Continuous"}})}),
                 L("  0|LINE|  8|WALL|  0|LINE|  8|0|+  6|+Continuous"))},
        {"LinetypeOfNoTableEntry", Drawing(Layers({{"WALL", "BORDER"}}), kLineOnWall), finished,
         Drawing(Layers({{"WALL", "BORDER"}}), kLineOnWall)},
        {"LtypeTableAfterTheLayerTable",
         Drawing(Join({Layers({{"WALL", "DOTTINY"}}), LtypeTable({"DOTTINY"})}), kLineOnWall),
         finished,
         Drawing(Join({Layers({{"WALL", "DOTTINY"}}), LtypeTable({"DOTTINY"})}),
                 L("  0|LINE|  8|WALL|+  6|+DOTTINY"))},
        {"ValueTwoInAnLtypeEntryNamesNothing",
         Drawing(Join({L("  0|TABLE|  2|LTYPE| 70|1|  0|LTYPE|  2|DASHED2| 73|     2| 49|0.5|  "
                         "0|ENDTAB"),
                       Layers({{"WALL", "49"}, {"0", "DASHED2"}})}),
                 L("  0|LINE|  8|WALL|  0|LINE|  8|0")),
         finished,
         Drawing(Join({L("  0|TABLE|  2|LTYPE| 70|1|  0|LTYPE|  2|DASHED2| 73|     2| 49|0.5|  "
                         "0|ENDTAB"),
                       Layers({{"WALL", "49"}, {"0", "DASHED2"}})}),
                 L("  0|LINE|  8|WALL|  0|LINE|  8|0|+  6|+DASHED2"))},
        {"LtypeTableOfSixEntriesIsCopied",
         Join({L("  0|SECTION|  2|TABLES|  0|TABLE|  2|LTYPE| 70|6|+  0|+LTYPE|+  2|+CONTINUOUS|+  "
                 "0|+LTYPE|+  2|+HIDDEN"
                 "|+  0|+LTYPE|+  2|+PHANTOM|+  0|+LTYPE|+  2|+CENTER|+  0|+LTYPE|+  2|+DASHED|+  "
                 "0|+LTYPE|+  2|+DOT"
                 "|+  0|+ENDTAB|  0|!LTYPE"),
               From(kSix, 8), Layers({{"WALL", "HIDDEN2"}}), L("  0|ENDSEC"),
               Section("ENTITIES", kLineOnWall), Eof()}),
         StructureErrorCalls(12, "LTYPE"),
         Drawing(Join({kSix, Layers({{"WALL", "HIDDEN2"}})}),
                 L("  0|LINE|  8|WALL|+  6|+HIDDEN2"))},

        // Lines of any length; a name of more than kLongestName bytes is not captured.
        {"LongValue", Wall("  0|TEXT|  8|WALL|  1|!" + kLong), kTooLong,
         Wall("  0|TEXT|  8|WALL|  1|" + kLong + "|+  6|+HIDDEN")},
        {"LongLayerName", Stopped(Drawing(kOneLong, L("  0|LINE|  8|" + kLongName)), 13), kTooLong,
         Drawing(kOneLong, L("  0|LINE|  8|" + kLongName + "|+  6|+DASHED"))},
        {"NameLongerThanKept",
         Stopped(Drawing(kTwoLong, L("  0|LINE|  8|" + kKept + "|  0|LINE|  8|" + kNotKept)), 13),
         kTooLong,
         Drawing(kTwoLong, L("  0|LINE|  8|" + kKept + "|+  6|+DOT|  0|LINE|  8|" + kNotKept))},
        {"LineLongerThanAReadBlock", Wall("  0|TEXT|  8|WALL|  1|!" + kHuge + "|  0|LINE|  8|WALL"),
         kTooLong,
         Wall("  0|TEXT|  8|WALL|  1|" + kHuge + "|+  6|+HIDDEN|  0|LINE|  8|WALL|+  6|+HIDDEN")},
        {"LongLineOfSpacesEndsARecord",
         Wall("  0|LINE|  8|WALL|!" + kSpacedCode + "|LINE|  8|WALL"), kTooLong,
         Wall("  0|LINE|  8|WALL|+  6|+HIDDEN|" + kSpacedCode + "|LINE|  8|WALL|+  6|+HIDDEN")},
        {"SpacesLongerThanAReadBlockHeldBack",
         Join({TablesSection(Layers({{"WALL", "HIDDEN"}})),
               L("  0|SECTION|  2|ENTITIES|  0|LINE|  8|WALL|!" + kHugeSpacedCode + "|ENDSEC"),
               Eof()}),
         kTooLong,
         Join({TablesSection(Layers({{"WALL", "HIDDEN"}})),
               L("  0|SECTION|  2|ENTITIES|  0|LINE|  8|WALL|+  6|+HIDDEN|" + kHugeSpacedCode +
                 "|ENDSEC"),
               Eof()})},

        // No layer limit.
        {"LayersPast256",
         Drawing(ManyLayers(300), L("  0|LINE|  8|L300")),
         {"begin", "message:" + expected::kLayerLimit, "end", "message:" + expected::kFinished},
         Drawing(ManyLayers(300), L("  0|LINE|  8|L300|+  6|+HIDDEN"))},

        // Records with subclass markers take the group before their second one.
        {"EndOfTheCommonData",
         Wall("  0|LINE|  5|1A|330|1F|100|AcDbEntity|  8|WALL|100|AcDbLine| 10|0.0|+  6|+HIDDEN"),
         finished,
         Wall("  0|LINE|  5|1A|330|1F|100|AcDbEntity|  8|WALL|+  6|+HIDDEN|100|AcDbLine| 10|0.0")},
        {"ViewportWithExtendedData",
         Wall("  0|VIEWPORT|100|AcDbEntity|  8|WALL|100|AcDbViewport|+  6|+HIDDEN|1001|ACAD"),
         finished,
         Wall("  0|VIEWPORT|100|AcDbEntity|  8|WALL|+  6|+HIDDEN|100|AcDbViewport|1001|ACAD")},
        {"OneMarkerEndOfRecord", Wall("  0|SEQEND|100|AcDbEntity|  8|WALL|+  6|+HIDDEN"), finished,
         Wall("  0|SEQEND|100|AcDbEntity|  8|WALL|+  6|+HIDDEN")},
        {"OwnLinetypeInTheCommonData",
         Wall("  0|LINE|100|AcDbEntity|  8|WALL|  6|DASHED|100|AcDbLine"), finished,
         Wall("  0|LINE|100|AcDbEntity|  8|WALL|  6|DASHED|100|AcDbLine")},
        {"LayerAfterTheSecondMarker",
         Wall("  0|LINE|100|AcDbEntity|100|AcDbLine|  8|WALL|+  6|+HIDDEN"), finished,
         Wall("  0|LINE|100|AcDbEntity|100|AcDbLine|  8|WALL|+  6|+HIDDEN")},
        {"ThirdMarker",
         Wall("  0|DIMENSION|100|AcDbEntity|  8|WALL|100|AcDbDimension|100|AcDbAligned|+  "
              "6|+HIDDEN"),
         finished,
         Wall("  0|DIMENSION|100|AcDbEntity|  8|WALL|+  "
              "6|+HIDDEN|100|AcDbDimension|100|AcDbAligned")},
        {"BlockRecords",
         Join({TablesSection(Layers({{"WALL", "HIDDEN"}})),
               Section("BLOCKS", L("  0|BLOCK|100|AcDbEntity|  8|WALL|100|AcDbBlockBegin|+  "
                                   "6|+HIDDEN|  0|LINE|100|AcDbEntity"
                                   "|  8|WALL|100|AcDbLine|+  6|+HIDDEN|  0|ENDBLK|100|AcDbEntity| "
                                   " 8|WALL|100|AcDbBlockEnd")),
               Eof()}),
         finished,
         Join({TablesSection(Layers({{"WALL", "HIDDEN"}})),
               Section("BLOCKS", L("  0|BLOCK|100|AcDbEntity|  8|WALL|+  "
                                   "6|+HIDDEN|100|AcDbBlockBegin|  0|LINE|100|AcDbEntity"
                                   "|  8|WALL|+  6|+HIDDEN|100|AcDbLine|  0|ENDBLK|100|AcDbEntity| "
                                   " 8|WALL|100|AcDbBlockEnd")),
               Eof()})},

        // A UTF-8 byte-order mark at the very start, and only there.
        {"ByteOrderMarkAtTheStart",
         Join({L(kBom + "  0|SECTION|  2|!TABLES"), From(Wall("  0|LINE|  8|WALL"), 4)}),
         StructureErrorCalls(4, "TABLES"), Join({L(kBom + "  0"), From(kBomSource, 1)})},
        {"ByteOrderMarkElsewhere",
         L("  0|SECTION|  2|ENTITIES|" + kBom + "  0|ENDSEC|  0|!SECTION"),
         StructureErrorCalls(8, "SECTION"),
         L("  0|SECTION|  2|ENTITIES|" + kBom + "  0|ENDSEC|  0|!SECTION")},

        // The layer's lineweight when it is a width, after the linetype.
        {"LineweightBeforeTheSecondMarker",
         WeightedWall("  0|LINE|100|AcDbEntity|  8|WALL|100|AcDbLine|+  6|+HIDDEN"), finished,
         WeightedWall("  0|LINE|100|AcDbEntity|  8|WALL|+  6|+HIDDEN|+370|+25|100|AcDbLine")},
        {"OwnGroupsEachKept",
         WeightedWall("  0|LINE|  8|WALL|370|-3|+  6|+HIDDEN|  0|LINE|  8|WALL|  6|DOT|1001|A"),
         finished,
         WeightedWall(
             "  0|LINE|  8|WALL|370|-3|+  6|+HIDDEN|  0|LINE|  8|WALL|  6|DOT|+370|+25|1001|A")},
        {"OnlyWidthsGiven",
         Drawing(kWidths, L("  0|LINE|  8|A|  0|LINE|  8|B|  0|LINE|  8|C|  0|LINE|  8|D")),
         finished,
         Drawing(
             kWidths,
             L("  0|LINE|  8|A|+370|+13|  0|LINE|  8|B|+370|+0|  0|LINE|  8|C|  0|LINE|  8|D"))},
        {"LayerZeroOnlyInLayouts", ZeroInBlocks("  0|ENDBLK"), finished,
         ZeroInBlocks("+370|+50|  0|ENDBLK")},

        // The structure checks stay.
        {"StructureError", L("  0|SECTION|  2|ENTITIES|  0|!ENDTAB"),
         StructureErrorCalls(6, "ENDTAB"), L("  0|SECTION|  2|ENTITIES|  0|!ENDTAB")},
    };
    return cases;
}

class ModernModeTest : public testing::TestWithParam<ModeCase> {};

TEST_P(ModernModeTest, EachModeMakesItsOutput) {
    const ModeCase& c = GetParam();
    ASSERT_EQ(SourceLines(c.plain), SourceLines(c.modern)) << "a row's two scripts differ";
    const bool modernStops =
        std::any_of(c.modern.begin(), c.modern.end(),
                    [](const std::string& line) { return line.rfind('!', 0) == 0; });
    for (const LineEnd lineEnd : {LineEnd::Lf, LineEnd::CrLf}) {
        ExpectRun(c.plain, c.plainCalls, lineEnd);
        ExpectModernRun(c.modern, modernStops ? c.plainCalls : FinishedCalls(), lineEnd);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ModernModeTest, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<ModeCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
