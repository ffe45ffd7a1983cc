#include "layer_capture.h"

#include <cstring>
#include <string>

#include "lineweight.h"
#include "messages.h"

namespace {

// Modern mode keeps any linetype: whether it is known is decided when it is
// written, once the LTYPE table has been read wherever it stands. It keeps
// the lineweight too, which it gives on as well.
[[gnu::noinline]] void CaptureMappedLayerValue(ConversionState& state, std::size_t slot) {
    std::string_view text;
    if (!NameText(state, text)) return;
    if (IsChar(state.previousLine, '2')) state.layerMap.SetName(slot, text);
    if (IsChar(state.previousLine, '6')) state.layerMap.At(slot).SetLinetype(text);
    if (IsLineweightCode(state.previousLine)) state.layerMap.At(slot).SetLineweight(text);
}

// Modern mode: every name of the LTYPE table's entries is a known
// linetype. Group parity as for layers: the entry's LTYPE line starts it, so
// that a value that reads "2" is never taken for a group code.
[[gnu::noinline]] void CaptureLtypeEntryLine(ConversionState& state) {
    if (Is(state.currentLine, "LTYPE") && IsChar(state.previousLine, '0')) {
        state.ltypeScanState = ScanState::CaptureEntryOpened;
        return;
    }
    state.ltypeScanState = state.ltypeScanState == ScanState::CaptureCodeLine
                               ? ScanState::CaptureValueLine
                               : ScanState::CaptureCodeLine;
    std::string_view name;
    if (state.ltypeScanState == ScanState::CaptureValueLine && IsChar(state.previousLine, '2') &&
        NameText(state, name)) {
        state.linetypeNames.Add(name);
    }
}

}  // namespace

void CaptureLayerLine(ConversionState& state, const KnownLinetypes& knownLinetypes,
                      MessageSink& sink) {
    if (state.scanState >= ScanState::CaptureClosed) return;
    if (state.sectionState == SectionState::InLtypeEntry && state.modern) {
        CaptureLtypeEntryLine(state);
        return;
    }

    if (state.layerIndex > kLastWritableLayerSlot && !state.modern) {
        // The one message shown while the busy cursor is on; the run goes on,
        // unless a write failed, which the pass reports after this line.
        if (WrittenSoFar(state)) sink.ShowMessage(std::string(messages::kLayerLimit));
        state.scanState = ScanState::CaptureClosed;
        return;
    }

    // Group parity: the entry's LAYER line sets 0, then every line flips
    // between code (1) and value (2), so that a value that reads "2" or "6"
    // is never taken for a group code.
    const bool inEntry = state.sectionState == SectionState::InLayerEntry;
    const bool layerLine = Is(state.currentLine, "LAYER");
    if (!layerLine && inEntry) {
        state.scanState = state.scanState == ScanState::CaptureCodeLine
                              ? ScanState::CaptureValueLine
                              : ScanState::CaptureCodeLine;
    } else if (layerLine && IsChar(state.previousLine, '0') && inEntry) {
        state.scanState = ScanState::CaptureEntryOpened;
        ++state.layerIndex;
    }

    if (!inEntry || state.scanState != ScanState::CaptureValueLine) return;
    // The validator and this stage count entries from -1, so a value line of
    // an entry always has a slot from 1 to 256 here (from 1 on in modern mode).
    const auto slot = static_cast<std::size_t>(state.layerIndex);

    if (state.modern) {
        CaptureMappedLayerValue(state, slot);
        return;
    }

    if (IsChar(state.previousLine, '2')) {
        state.layers.SetName(slot, state.currentLine);
        return;
    }
    if (IsChar(state.previousLine, '6')) {
        for (const char* linetype : knownLinetypes) {
            if (Is(state.currentLine, linetype)) {
                state.layers.SetLinetype(slot, state.currentLine);
                return;
            }
        }
    }
}
