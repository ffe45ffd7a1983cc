#include "ltype_table_replacement.h"

#include "messages.h"

namespace {
constexpr int kWrittenLinetypes = 6;

// Modern mode copies the table and makes the names of its entries known.
// Group parity as in layer capture: the entry's LTYPE line starts it, so
// that a value that reads "2" is never taken for a group code.
void NoteLtypeEntryLine(ConversionState& state) {
    if (state.sectionState != SectionState::InLtypeEntry) return;
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

bool ReplaceLtypeTable(ConversionState& state, const KnownLinetypes& knownLinetypes,
                       MessageSink& sink) {
    if (state.modern) {
        NoteLtypeEntryLine(state);
        return true;
    }
    if (state.sectionState != SectionState::InLtypeTable || !IsChar(state.currentLine, '0') ||
        !IsChar(state.previousLine, '6')) {
        return true;
    }
    for (int i = 0; i < kWrittenLinetypes; ++i) {
        state.outputFile.WriteText("  0\nLTYPE\n  2\n");
        state.outputFile.WriteText(knownLinetypes[static_cast<std::size_t>(i)]);
        state.outputFile.WriteText("\n");
    }
    state.outputFile.WriteText("  0\nENDTAB\n");
    if (state.outputFile.failed()) {
        AbortRun(state, sink, messages::kWriteError);
        return false;
    }
    state.sectionState = SectionState::InTables;
    return true;
}
