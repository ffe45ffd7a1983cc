#include "linetype_injection.h"

#include <string>

#include "lineweight.h"
#include "name_case.h"

namespace {

// The group code lines, padded for the writer's fixed-size copy.
constexpr char kLinetypeCode[OutputWriter::kShortLine] = "  6";
constexpr char kLineweightCode[OutputWriter::kShortLine] = "370";

// In modern mode a record's layer is its entry in the layer map from here
// on, clear of kNoLayer however many layers there are.
constexpr int kFirstMappedLayer = kNoLayer + 1;

LayerMap::Layer& MappedLayer(ConversionState& state, int layerSlot) {
    return state.layerMap.At(static_cast<std::size_t>(layerSlot - kFirstMappedLayer));
}

// The linetype a modern-mode layer gives its records, or "" when it is not
// a known one.
std::string_view MappedLinetype(ConversionState& state, LayerMap::Layer& layer) {
    const std::uint32_t generation = state.linetypeNames.generation();
    if (layer.checkedAt != generation) {
        layer.known = state.linetypeNames.Known(layer.linetype());
        layer.checkedAt = generation;
    }
    return layer.known ? layer.linetype() : std::string_view();
}

// An entity on layer 0 in a block definition takes the layer of each INSERT
// or DIMENSION that places the block, so it is left as it is; the layouts'
// blocks are never placed. The block's header record is left so too, in
// layouts as well: in R13 and later files its name, which tells a layout,
// stands after the place of its group.
bool LeftToInsertions(const ConversionState& state, int layerSlot) {
    if (state.sectionState != SectionState::InBlock) return false;
    if (state.blockIsLayout && !state.inBlockHeader) return false;
    const int layerZero = state.layerMap.layerZero();
    return layerZero >= 0 && layerSlot == kFirstMappedLayer + layerZero;
}

bool IsLayoutName(std::string_view name) {
    std::string folded(name.size(), '\0');
    FoldCase(name, folded.data());
    return folded == "*MODEL_SPACE" || folded.starts_with("*PAPER_SPACE");
}

void WriteGroup(ConversionState& state, const char* code, std::string_view value) {
    state.outputFile.WriteLine(std::string_view(code, 3));
    state.outputFile.WriteLine(value);
}

// Modern mode's part of the default conversion's loop is kept out of it.
// The layer's groups a record lacks, all in one place: the linetype, then
// the lineweight; each one written counts as the record's own.
[[gnu::noinline]] void WriteMappedGroups(ConversionState& state, int& hasLinetype,
                                         int& hasLineweight, int layerSlot) {
    if (layerSlot == kNoLayer || LeftToInsertions(state, layerSlot)) return;
    LayerMap::Layer& layer = MappedLayer(state, layerSlot);
    if (hasLinetype == 0) {
        const std::string_view linetype = MappedLinetype(state, layer);
        if (!linetype.empty()) {
            WriteGroup(state, kLinetypeCode, linetype);
            hasLinetype = 1;
        }
    }
    if (hasLineweight == 0 && !layer.lineweight().empty()) {
        WriteGroup(state, kLineweightCode, layer.lineweight());
        hasLineweight = 1;
    }
}

// A layer captured without a known linetype gives no group: a group 6 with
// an empty value names a linetype that does not exist.
void WriteLayerGroupsIfNeeded(ConversionState& state, int& hasLinetype, int& hasLineweight,
                              int layerSlot) {
    if (state.modern) {
        WriteMappedGroups(state, hasLinetype, hasLineweight, layerSlot);
        return;
    }
    if (hasLinetype != 0 || layerSlot == kNoLayer) return;
    const LineText& linetype = state.layers[static_cast<std::size_t>(layerSlot)].linetype;
    if (linetype.size == 0) return;
    WriteGroup(state, kLinetypeCode, linetype.view());
}

// Extended data must stay the last part of a record: nothing is written
// after its start.
void WriteBeforeExtendedData(ConversionState& state, int& hasLinetype, int& hasLineweight,
                             int layerSlot) {
    WriteLayerGroupsIfNeeded(state, hasLinetype, hasLineweight, layerSlot);
    hasLinetype = 1;
    hasLineweight = 1;
}

// In modern mode, a record with subclass markers takes the groups at the end
// of its common data, before its second code-100 line, where R13 and later
// readers look for them.
[[gnu::noinline]] void CountSubclassMarker(ConversionState& state, int& markers, int& hasLinetype,
                                           int& hasLineweight, int layerSlot) {
    if (++markers == 2) WriteMappedGroups(state, hasLinetype, hasLineweight, layerSlot);
}

void NoteSubclassMarker(ConversionState& state, int& markers, int& hasLinetype, int& hasLineweight,
                        int layerSlot) {
    if (Is(state.currentLine, "100") && state.modern) {
        CountSubclassMarker(state, markers, hasLinetype, hasLineweight, layerSlot);
    }
}

bool IsExtendedDataStart(const LineText& line) {
    return Is(line, "1001");
}

// A value line: the line before it is its group code.
[[gnu::noinline]] void FindMappedLayer(const ConversionState& state, int& layerSlot) {
    std::string_view name;
    if (!NameText(state, name)) return;
    const int found = state.layerMap.Find(name);
    if (found >= 0) layerSlot = kFirstMappedLayer + found;
}

// A value line of the block's header record in modern mode.
[[gnu::noinline]] void NoteBlockName(ConversionState& state) {
    std::string_view name;
    if (NameText(state, name)) state.blockIsLayout = IsLayoutName(name);
}

void NoteGroupValue(const ConversionState& state, int& hasLinetype, int& hasLineweight,
                    int& layerSlot) {
    if (IsChar(state.previousLine, '8')) {
        if (state.modern) {
            FindMappedLayer(state, layerSlot);
            return;
        }
        const int found = FindLayerIndex(state.layers, state.layerIndex, state.currentLine);
        if (found >= 0) layerSlot = found;
    } else if (IsChar(state.previousLine, '6')) {
        hasLinetype = 1;
    } else if (state.modern && IsLineweightCode(state.previousLine)) {
        hasLineweight = 1;
    }
}

}  // namespace

int FindLayerIndex(const LayerTable& layers, int layerIndex, const LineText& name) {
    // The lowest slot of the name is the first a search from slot 0 meets;
    // when it lies past the bound, so does every other slot of that name.
    const int last = layerIndex < LayerTable::kSlots - 1 ? layerIndex : LayerTable::kSlots - 1;
    const int slot = layers.LowestSlotNamed(name);
    return slot <= last ? slot : -1;
}

void ScanEntityLine(ConversionState& state, const KnownLinetypes&, MessageSink&) {
    if (state.sectionState != SectionState::InEntities) return;
    const bool codeZero = IsChar(state.currentLine, '0');

    if (codeZero && state.scanState == ScanState::EntitiesOpened) {  // E1
        state.scanState = ScanState::EntityValueLine;
        state.entityHasLinetype = 0;
        state.entityLayerIndex = kNoLayer;
        state.entitySubclassMarkers = 0;
        state.entityHasLineweight = 0;
    } else if (state.scanState == ScanState::EntityValueLine) {  // E2
        state.scanState = ScanState::EntityCodeLine;
        NoteGroupValue(state, state.entityHasLinetype, state.entityHasLineweight,
                       state.entityLayerIndex);
    } else if (!codeZero && state.scanState == ScanState::EntityCodeLine) {  // E3
        state.scanState = ScanState::EntityValueLine;
        if (IsExtendedDataStart(state.currentLine)) {
            WriteBeforeExtendedData(state, state.entityHasLinetype, state.entityHasLineweight,
                                    state.entityLayerIndex);
        }
        NoteSubclassMarker(state, state.entitySubclassMarkers, state.entityHasLinetype,
                           state.entityHasLineweight, state.entityLayerIndex);
    } else if (codeZero && state.scanState == ScanState::EntityCodeLine) {  // E4
        WriteLayerGroupsIfNeeded(state, state.entityHasLinetype, state.entityHasLineweight,
                                 state.entityLayerIndex);
        state.scanState = ScanState::EntityValueLine;
        state.entityHasLinetype = 0;
        state.entityLayerIndex = kNoLayer;
        state.entitySubclassMarkers = 0;
        state.entityHasLineweight = 0;
    }
}

void ScanBlockLine(ConversionState& state, const KnownLinetypes&, MessageSink&) {
    if (state.sectionState != SectionState::InBlock) return;

    if (state.scanState == ScanState::BlockCodeLine) {
        if (IsChar(state.currentLine, '0')) {  // B1
            WriteLayerGroupsIfNeeded(state, state.blockHasLinetype, state.blockHasLineweight,
                                     state.blockLayerIndex);
            state.blockHasLinetype = 0;
            state.blockLayerIndex = kNoLayer;
            state.blockSubclassMarkers = 0;
            state.blockHasLineweight = 0;
            state.inBlockHeader = false;
        } else if (IsExtendedDataStart(state.currentLine)) {  // B2, extended data
            WriteBeforeExtendedData(state, state.blockHasLinetype, state.blockHasLineweight,
                                    state.blockLayerIndex);
        }
        NoteSubclassMarker(state, state.blockSubclassMarkers, state.blockHasLinetype,
                           state.blockHasLineweight, state.blockLayerIndex);
        state.scanState = ScanState::BlockValueLine;
    } else if (state.scanState == ScanState::BlockValueLine) {  // B3
        state.scanState = ScanState::BlockCodeLine;
        NoteGroupValue(state, state.blockHasLinetype, state.blockHasLineweight,
                       state.blockLayerIndex);
        if (state.inBlockHeader && IsChar(state.previousLine, '2') && state.modern) {
            NoteBlockName(state);
        }
    }
}
