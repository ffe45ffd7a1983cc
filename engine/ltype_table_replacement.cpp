#include "ltype_table_replacement.h"

#include "messages.h"

namespace {
constexpr int kWrittenLinetypes = 6;
}  // namespace

bool ReplaceLtypeTable(ConversionState& state, const KnownLinetypes& knownLinetypes,
                       MessageSink& sink) {
    if (state.sectionState != SectionState::InLtypeTable || !IsChar(state.currentLine, '0') ||
        !IsChar(state.previousLine, '6')) {
        return true;
    }
    // Modern mode copies the table as it is; layer capture notes its names.
    if (state.modern) return true;
    for (int i = 0; i < kWrittenLinetypes; ++i) {
        state.outputFile.WriteText("  0\nLTYPE\n  2\n");
        state.outputFile.WriteText(knownLinetypes[static_cast<std::size_t>(i)]);
        state.outputFile.WriteText("\n");
    }
    state.outputFile.WriteText("  0\nENDTAB\n");
    state.facts.ltypeTableReplaced = true;
    if (state.outputFile.failed()) {
        AbortRun(state, sink, messages::kWriteError);
        return false;
    }
    state.sectionState = SectionState::InTables;
    return true;
}
