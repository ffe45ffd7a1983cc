// The modern mode beside the default one: each row is one source, with what
// each mode makes of it. Rows where the two agree guard what modern mode
// must leave as it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "conversion.h"
#include "dxf_script.h"
#include "expected_messages.h"
#include "long_line.h"

namespace {

Script Group(const std::string& linetype) {
    return Inserted({"  6", linetype});
}

Script LtypeTableLines(const Script& names, const std::string& count) {
    Script lines = {"  0", "TABLE", "  2", "LTYPE", " 70", count};
    for (const std::string& name : names) {
        lines.insert(lines.end(), {"  0", "LTYPE", "  2", name, " 70", "     0"});
    }
    lines.insert(lines.end(), {"  0", "ENDTAB"});
    return lines;
}

Script Layer(const std::string& name, const std::string& linetype) {
    return LayerTableLines(LayerEntryLines(name, linetype), 1);
}

Script Drawing(const Script& tables, const Script& entities) {
    return Join({TablesSection(tables), Section("ENTITIES", entities), Eof()});
}

Script Line(const std::string& layer) {
    return {"  0", "LINE", "  8", layer, " 10", "0.0"};
}

std::vector<std::string> TooLongCalls() {
    return {"begin", "end", "message:" + expected::kLineTooLong};
}

std::vector<std::string> LayerLimitCalls() {
    return {"begin", "message:" + expected::kLayerLimit, "end", "message:" + expected::kFinished};
}

Script ManyLayers(int count) {
    Script entries;
    for (int i = 1; i <= count; ++i) {
        const Script entry = LayerEntryLines("L" + std::to_string(i), "HIDDEN");
        entries.insert(entries.end(), entry.begin(), entry.end());
    }
    return LayerTableLines(entries, count);
}

// The script's lines from the n-th on.
Script From(const Script& script, std::size_t n) {
    return Script(script.begin() + static_cast<std::ptrdiff_t>(n), script.end());
}

struct ModeCase {
    const char* name;
    Script plain;  // the default mode's output marks
    std::vector<std::string> plainCalls;
    Script modern;
};

const std::vector<ModeCase>& Cases() {
    static const std::string kLongText(300, 'x');
    static const std::string kLongName = "L" + std::string(200, 'A');
    static const std::string kKeptName = std::string(kLongestName, 'K');
    static const std::string kTooLongName = kKeptName + "K";
    static const std::string kHugeValue(700000, 'v');
    static const std::string kSpacedCode = std::string(120, ' ') + "0";
    static const std::string kHugeSpacedCode = std::string(600000, ' ') + "0";
    static const std::string kBom = "\xEF\xBB\xBF";
    static const Script kSixTable = LtypeTableLines(
        {"Continuous", "HIDDEN2", "CENTER2", "PHANTOM2", "DASHED2", "DOT2"}, "     6");
    static const Script kReplacement = Inserted(
        {"  0",   "LTYPE",  "  2",     "CONTINUOUS", "  0",   "LTYPE", "  2",    "HIDDEN", "  0",
         "LTYPE", "  2",    "PHANTOM", "  0",        "LTYPE", "  2",   "CENTER", "  0",    "LTYPE",
         "  2",   "DASHED", "  0",     "LTYPE",      "  2",   "DOT",   "  0",    "ENDTAB"});
    static const Script kTwoLayers =
        LayerTableLines(Join({LayerEntryLines("WALL", "49"), LayerEntryLines("0", "DASHED2")}), 2);
    static const Script kCustomLtype = {"  0", "TABLE", "  2", "LTYPE",   " 70", "     1",
                                        "  0", "LTYPE", "  2", "DASHED2", " 73", "     2",
                                        " 49", "0.5",   "  0", "ENDTAB"};
    static const std::vector<ModeCase> cases = {
        // The LTYPE table's names, and linetype names in any ASCII case.
        {"LtypeTableNameIsKnown",
         Drawing(Join({LtypeTableLines({"HIDDEN2"}, "     1"), Layer("WALL", "HIDDEN2")}),
                 Line("WALL")),
         FinishedCalls(),
         Drawing(Join({LtypeTableLines({"HIDDEN2"}, "     1"), Layer("WALL", "HIDDEN2")}),
                 Join({Line("WALL"), Group("HIDDEN2")}))},
        {"CaseIgnoredAndTheLayersSpellingWritten", Drawing(Layer("WALL", "Hidden"), Line("WALL")),
         FinishedCalls(), Drawing(Layer("WALL", "Hidden"), Join({Line("WALL"), Group("Hidden")}))},
        {"TableNameInOtherCase",
         Drawing(Join({LtypeTableLines({"center2"}, "     1"), Layer("WALL", "CENTER2")}),
                 Line("WALL")),
         FinishedCalls(),
         Drawing(Join({LtypeTableLines({"center2"}, "     1"), Layer("WALL", "CENTER2")}),
                 Join({Line("WALL"), Group("CENTER2")}))},
        {"ByLayerNeverKnownContinuousInAnyCase",
         Drawing(Join({LtypeTableLines({"ByBlock", "ByLayer", "Continuous"}, "     3"),
                       LayerTableLines(Join({LayerEntryLines("WALL", "ByLayer"),
                                             LayerEntryLines("0", "Continuous")}),
                                       2)}),
                 Join({Line("WALL"), Line("0")})),
         FinishedCalls(),
         Drawing(Join({LtypeTableLines({"ByBlock", "ByLayer", "Continuous"}, "     3"),
                       LayerTableLines(Join({LayerEntryLines("WALL", "ByLayer"),
                                             LayerEntryLines("0", "Continuous")}),
                                       2)}),
                 Join({Line("WALL"), Line("0"), Group("Continuous")}))},
        {"LinetypeOfNoTableEntry", Drawing(Layer("WALL", "BORDER"), Line("WALL")), FinishedCalls(),
         Drawing(Layer("WALL", "BORDER"), Line("WALL"))},
        {"LtypeTableAfterTheLayerTable",
         Drawing(Join({Layer("WALL", "DOTTINY"), LtypeTableLines({"DOTTINY"}, "     1")}),
                 Line("WALL")),
         FinishedCalls(),
         Drawing(Join({Layer("WALL", "DOTTINY"), LtypeTableLines({"DOTTINY"}, "     1")}),
                 Join({Line("WALL"), Group("DOTTINY")}))},
        {"ValueTwoInAnLtypeEntryNamesNothing",
         Drawing(Join({kCustomLtype, kTwoLayers}), Join({Line("WALL"), Line("0")})),
         FinishedCalls(),
         Drawing(Join({kCustomLtype, kTwoLayers}),
                 Join({Line("WALL"), Line("0"), Group("DASHED2")}))},
        {"LtypeTableOfSixEntriesIsCopied",
         Join({{"  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LTYPE", " 70", "     6"},
               kReplacement,
               {"  0", StopAt("LTYPE")},
               From(kSixTable, 8),
               Layer("WALL", "HIDDEN2"),
               {"  0", "ENDSEC"},
               Section("ENTITIES", Line("WALL")),
               Eof()}),
         StructureErrorCalls(12, "LTYPE"),
         Drawing(Join({kSixTable, Layer("WALL", "HIDDEN2")}),
                 Join({Line("WALL"), Group("HIDDEN2")}))},

        // Lines of any length.
        {"LongValuePasses",
         Join({TablesSection(Layer("WALL", "HIDDEN")),
               {"  0", "SECTION", "  2", "ENTITIES", "  0", "TEXT", "  8", "WALL", "  1",
                StopAt(kLongText), "  0", "ENDSEC"},
               Eof()}),
         TooLongCalls(),
         Drawing(Layer("WALL", "HIDDEN"),
                 Join({{"  0", "TEXT", "  8", "WALL", "  1", kLongText}, Group("HIDDEN")}))},
        {"LongLayerNameIsCaptured",
         Join({{"  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LAYER", " 70", "     1",
                "  0", "LAYER", "  2", StopAt(kLongName)},
               From(Layer(kLongName, "DASHED"), 10),
               {"  0", "ENDSEC"},
               Section("ENTITIES", Line(kLongName)),
               Eof()}),
         TooLongCalls(),
         Drawing(Layer(kLongName, "DASHED"), Join({Line(kLongName), Group("DASHED")}))},
        {"NameLongerThanKeptIsNotCaptured",
         Join({{"  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LAYER", " 70", "     2",
                "  0", "LAYER", "  2", StopAt(kKeptName)},
               From(LayerEntryLines(kKeptName, "DOT"), 4),
               LayerEntryLines(kTooLongName, "DOT"),
               {"  0", "ENDTAB", "  0", "ENDSEC"},
               Section("ENTITIES", Join({Line(kKeptName), Line(kTooLongName)})),
               Eof()}),
         TooLongCalls(),
         Drawing(LayerTableLines(Join({LayerEntryLines(kKeptName, "DOT"),
                                       LayerEntryLines(kTooLongName, "DOT")}),
                                 2),
                 Join({Line(kKeptName), Group("DOT"), Line(kTooLongName)}))},
        {"LineLongerThanAReadBlock",
         Join({TablesSection(Layer("WALL", "HIDDEN")),
               {"  0", "SECTION", "  2", "ENTITIES", "  0", "TEXT", "  8", "WALL", "  1",
                StopAt(kHugeValue), "  0", "LINE", "  8", "WALL", "  0", "ENDSEC"},
               Eof()}),
         TooLongCalls(),
         Drawing(Layer("WALL", "HIDDEN"), Join({{"  0", "TEXT", "  8", "WALL", "  1", kHugeValue},
                                                Group("HIDDEN"),
                                                {"  0", "LINE", "  8", "WALL"},
                                                Group("HIDDEN")}))},
        {"LongLineOfSpacesEndsARecordAfterTheGroup",
         Join({TablesSection(Layer("WALL", "HIDDEN")),
               {"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", "  8", "WALL",
                StopAt(kSpacedCode), "LINE", "  8", "WALL", "  0", "ENDSEC"},
               Eof()}),
         TooLongCalls(),
         Join({TablesSection(Layer("WALL", "HIDDEN")),
               {"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", "  8", "WALL"},
               Group("HIDDEN"),
               {kSpacedCode, "LINE", "  8", "WALL"},
               Group("HIDDEN"),
               {"  0", "ENDSEC"},
               Eof()})},
        {"SpacesLongerThanAReadBlockStillHeldBack",
         Join({TablesSection(Layer("WALL", "HIDDEN")),
               {"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", "  8", "WALL",
                StopAt(kHugeSpacedCode), "ENDSEC"},
               Eof()}),
         TooLongCalls(),
         Join({TablesSection(Layer("WALL", "HIDDEN")),
               {"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", "  8", "WALL"},
               Group("HIDDEN"),
               {kHugeSpacedCode, "ENDSEC"},
               Eof()})},

        // No layer limit.
        {"LayersPast256AreCaptured", Drawing(ManyLayers(300), Line("L300")), LayerLimitCalls(),
         Drawing(ManyLayers(300), Join({Line("L300"), Group("HIDDEN")}))},

        // Placement in records with subclass markers.
        {"GroupAtTheEndOfTheCommonData",
         Drawing(Layer("WALL", "HIDDEN"),
                 Join({{"  0", "LINE", "  5", "1A", "330", "1F", "100", "AcDbEntity", "  8", "WALL",
                        "100", "AcDbLine", " 10", "0.0"},
                       Group("HIDDEN")})),
         FinishedCalls(),
         Drawing(Layer("WALL", "HIDDEN"), Join({{"  0", "LINE", "  5", "1A", "330", "1F", "100",
                                                 "AcDbEntity", "  8", "WALL"},
                                                Group("HIDDEN"),
                                                {"100", "AcDbLine", " 10", "0.0"}}))},
        {"ViewportWithExtendedData",
         Drawing(Layer("WALL", "HIDDEN"), Join({{"  0", "VIEWPORT", "100", "AcDbEntity", "  8",
                                                 "WALL", "100", "AcDbViewport", " 10", "0.0"},
                                                Group("HIDDEN"),
                                                {"1001", "ACAD", "1000", "MVIEW"}})),
         FinishedCalls(),
         Drawing(Layer("WALL", "HIDDEN"),
                 Join({{"  0", "VIEWPORT", "100", "AcDbEntity", "  8", "WALL"},
                       Group("HIDDEN"),
                       {"100", "AcDbViewport", " 10", "0.0", "1001", "ACAD", "1000", "MVIEW"}}))},
        {"OneMarkerKeepsTheEndOfTheRecord",
         Drawing(Layer("WALL", "HIDDEN"),
                 Join({{"  0", "SEQEND", "100", "AcDbEntity", "  8", "WALL"}, Group("HIDDEN")})),
         FinishedCalls(),
         Drawing(Layer("WALL", "HIDDEN"),
                 Join({{"  0", "SEQEND", "100", "AcDbEntity", "  8", "WALL"}, Group("HIDDEN")}))},
        {"OwnLinetypeInTheCommonData",
         Drawing(Layer("WALL", "HIDDEN"), {"  0", "LINE", "100", "AcDbEntity", "  8", "WALL", "  6",
                                           "DASHED", "100", "AcDbLine"}),
         FinishedCalls(),
         Drawing(Layer("WALL", "HIDDEN"), {"  0", "LINE", "100", "AcDbEntity", "  8", "WALL", "  6",
                                           "DASHED", "100", "AcDbLine"})},
        {"LayerAfterTheSecondMarkerEndOfRecord",
         Drawing(Layer("WALL", "HIDDEN"),
                 Join({{"  0", "LINE", "100", "AcDbEntity", "100", "AcDbLine", "  8", "WALL"},
                       Group("HIDDEN")})),
         FinishedCalls(),
         Drawing(Layer("WALL", "HIDDEN"),
                 Join({{"  0", "LINE", "100", "AcDbEntity", "100", "AcDbLine", "  8", "WALL"},
                       Group("HIDDEN")}))},
        {"ThirdMarkerWritesNothing",
         Drawing(Layer("WALL", "HIDDEN"),
                 Join({{"  0", "DIMENSION", "100", "AcDbEntity", "  8", "WALL", "100",
                        "AcDbDimension", "100", "AcDbAlignedDimension"},
                       Group("HIDDEN")})),
         FinishedCalls(),
         Drawing(Layer("WALL", "HIDDEN"),
                 Join({{"  0", "DIMENSION", "100", "AcDbEntity", "  8", "WALL"},
                       Group("HIDDEN"),
                       {"100", "AcDbDimension", "100", "AcDbAlignedDimension"}}))},
        {"BlockRecordsWithMarkers",
         Join({TablesSection(Layer("WALL", "HIDDEN")),
               Section("BLOCKS",
                       Join({{"  0", "BLOCK", "100", "AcDbEntity", "  8", "WALL", "100",
                              "AcDbBlockBegin", "  2", "DOOR"},
                             Group("HIDDEN"),
                             {"  0", "LINE", "100", "AcDbEntity", "  8", "WALL", "100", "AcDbLine"},
                             Group("HIDDEN"),
                             {"  0", "ENDBLK", "100", "AcDbEntity", "  8", "WALL", "100",
                              "AcDbBlockEnd"}})),
               Eof()}),
         FinishedCalls(),
         Join({TablesSection(Layer("WALL", "HIDDEN")),
               Section("BLOCKS", Join({{"  0", "BLOCK", "100", "AcDbEntity", "  8", "WALL"},
                                       Group("HIDDEN"),
                                       {"100", "AcDbBlockBegin", "  2", "DOOR", "  0", "LINE",
                                        "100", "AcDbEntity", "  8", "WALL"},
                                       Group("HIDDEN"),
                                       {"100", "AcDbLine", "  0", "ENDBLK", "100", "AcDbEntity",
                                        "  8", "WALL", "100", "AcDbBlockEnd"}})),
               Eof()})},

        // A UTF-8 byte-order mark at the very start.
        {"ByteOrderMarkAtTheStart",
         Join({{kBom + "  0", "SECTION", "  2", StopAt("TABLES")},
               From(Drawing(Layer("WALL", "HIDDEN"), Line("WALL")), 4)}),
         StructureErrorCalls(4, "TABLES"),
         Join({{kBom + "  0"},
               From(Drawing(Layer("WALL", "HIDDEN"), Join({Line("WALL"), Group("HIDDEN")})), 1)})},
        {"ByteOrderMarkOnlyAtTheStart",
         {"  0", "SECTION", "  2", "ENTITIES", kBom + "  0", "ENDSEC", "  0", StopAt("SECTION")},
         StructureErrorCalls(8, "SECTION"),
         {"  0", "SECTION", "  2", "ENTITIES", kBom + "  0", "ENDSEC", "  0", StopAt("SECTION")}},

        // The structure checks stay.
        {"StructureErrorAsWithoutTheMode",
         {"  0", "SECTION", "  2", "ENTITIES", "  0", StopAt("ENDTAB")},
         StructureErrorCalls(6, "ENDTAB"),
         {"  0", "SECTION", "  2", "ENTITIES", "  0", StopAt("ENDTAB")}},
    };
    return cases;
}

class ModernModeTest : public testing::TestWithParam<ModeCase> {};

TEST_P(ModernModeTest, EachModeMakesItsOutput) {
    const ModeCase& c = GetParam();
    ASSERT_EQ(SourceLines(c.plain), SourceLines(c.modern)) << "a row's two scripts differ";
    const bool modernStops = std::any_of(c.modern.begin(), c.modern.end(), [](const auto& line) {
        return !line.empty() && line[0] == '!';
    });
    const std::vector<std::string> modernCalls = modernStops ? c.plainCalls : FinishedCalls();
    for (const LineEnd lineEnd : {LineEnd::Lf, LineEnd::CrLf}) {
        ExpectRun(c.plain, c.plainCalls, lineEnd);
        ExpectModernRun(c.modern, modernCalls, lineEnd);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ModernModeTest, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<ModeCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
