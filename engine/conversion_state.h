#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "layer_map.h"
#include "layer_table.h"
#include "line_reader.h"
#include "line_text.h"
#include "linetype_names.h"
#include "long_line.h"
#include "name_case.h"
#include "output_writer.h"
#include "run_facts.h"

// Where the current line stands in the file's section, table and block
// structure. The numbers are part of the behaviour: ENDSEC is valid in every
// state below 10, ENDTAB in every state between 10 and 20.
namespace SectionState {
inline constexpr int OutsideSection = 10;
inline constexpr int SectionOpened = 0;
inline constexpr int InTables = 1;
inline constexpr int InEntities = 2;
inline constexpr int InBlocks = 3;
inline constexpr int InTable = 11;
inline constexpr int InLtypeTable = 12;
inline constexpr int InLtypeEntry = 13;
inline constexpr int InLayerTable = 14;
inline constexpr int InLayerEntry = 15;
inline constexpr int InBlock = 21;
}  // namespace SectionState

// scanState values by owner: layer capture 0 to 3, entity scan 10 to 12,
// block scan 21 and 22.
namespace ScanState {
inline constexpr int CaptureEntryOpened = 0;
inline constexpr int CaptureCodeLine = 1;
inline constexpr int CaptureValueLine = 2;
inline constexpr int CaptureClosed = 3;
inline constexpr int EntitiesOpened = 10;
inline constexpr int EntityValueLine = 11;
inline constexpr int EntityCodeLine = 12;
inline constexpr int BlockValueLine = 21;
inline constexpr int BlockCodeLine = 22;
}  // namespace ScanState

// Names are written only up to slot 256; slot 257 is searched but never
// written.
inline constexpr int kLastWritableLayerSlot = 256;

// Marks an entity or block record without a layer found.
inline constexpr int kNoLayer = 999;

// The record of one run, created when it starts and gone when it ends.
struct ConversionState {
    std::string outputPath;
    LineReader sourceFile;
    OutputWriter outputFile;
    std::int64_t lineNumber = 0;  // 64 bits: drawings of more than 2^31 lines exist
    std::string_view rawLine;     // the bytes as read, without the line break
    LineText currentLine;         // rawLine without its spaces
    LineText previousLine;
    int sectionState = SectionState::OutsideSection;
    int scanState = ScanState::CaptureEntryOpened;
    int layerIndex = -1;
    LayerTable layers;
    int entityHasLinetype = 0;
    int entityLayerIndex = kNoLayer;
    int blockHasLinetype = 0;
    int blockLayerIndex = kNoLayer;
    RunFacts facts;

    // Modern mode only (see RunOptions): the layers without a limit, the
    // names of the LTYPE table, group parity in an LTYPE entry, the code-100
    // lines of the current records, whether they have a lineweight of their
    // own (or were given one), whether the block record is the block's
    // header and whether the block is a layout (its header's group 2 names
    // one), and the current line when it is long.
    bool modern = false;
    LayerMap layerMap;
    LinetypeNames linetypeNames;
    int ltypeScanState = ScanState::CaptureEntryOpened;
    int entitySubclassMarkers = 0;
    int blockSubclassMarkers = 0;
    int entityHasLineweight = 0;
    int blockHasLineweight = 0;
    bool inBlockHeader = false;
    bool blockIsLayout = false;
    bool lineIsLong = false;
    LongLine longLine;

    // lineNumber in plain decimal, as messages name the line. Made when a
    // message needs it rather than for every line.
    std::string lineNumberText() const { return std::to_string(lineNumber); }
};

// The current line as modern mode takes a name: the line as read without
// the spaces at its ends; false when the line is too long to be a name.
inline bool NameText(const ConversionState& state, std::string_view& text) {
    if (!state.lineIsLong) [[likely]] {
        text = TrimSpaces(state.rawLine);
        return true;
    }
    text = state.longLine.name();
    return !state.longLine.overflow();
}
