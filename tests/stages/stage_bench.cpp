#include "stage_bench.h"

#include "known_linetypes.h"
#include "layer_capture.h"
#include "linetype_injection.h"
#include "ltype_table_replacement.h"
#include "structure_validator.h"

namespace {
constexpr int kFakeSource = 3;
constexpr int kFakeOutput = 4;
}  // namespace

StageBench::StageBench() : state_(std::make_unique<ConversionState>()) {
    ops_.openSource = [](const char*) { return kFakeSource; };
    ops_.createOutput = [](const char*) { return kFakeOutput; };
    ops_.read = [](int, void*, std::size_t) { return 0L; };
    ops_.write = [this](int, const void* bytes, std::size_t size) {
        written_.append(static_cast<const char*>(bytes), size);
        return static_cast<long>(size);
    };
    ops_.close = [](int) { return 0; };
    state_->sourceFile.Open(ops_, kFakeSource, sink_);
    state_->outputFile.Open(ops_, kFakeOutput);
}

bool StageBench::Pass(std::string_view rawLine) {
    return Run(rawLine, true);
}
bool StageBench::Validate(std::string_view rawLine) {
    return Run(rawLine, false);
}

bool StageBench::Run(std::string_view rawLine, bool allStages) {
    ConversionState& st = *state_;
    ++st.lineNumber;
    // As in the reader's buffer, the line is followed by readable padding,
    // which the writer's copy of a short line relies on.
    line_.assign(rawLine);
    line_.append(LineReader::kPadding, '\0');
    rawLine = std::string_view(line_.data(), rawLine.size());
    st.rawLine = rawLine;
    std::string stripped;
    for (const char c : rawLine) {
        if (c != ' ') stripped += c;
    }
    st.currentLine.assign(stripped);

    if (!ValidateStructure(st, kKnownLinetypes, sink_)) return false;
    if (allStages) {
        CaptureLayerLine(st, kKnownLinetypes, sink_);
        ScanEntityLine(st, kKnownLinetypes, sink_);
        ScanBlockLine(st, kKnownLinetypes, sink_);
        if (!ReplaceLtypeTable(st, kKnownLinetypes, sink_)) return false;
    }
    st.previousLine = st.currentLine;
    st.outputFile.WriteLine(rawLine);
    return true;
}

std::string StageBench::Written() {
    if (state_->outputFile.isOpen()) state_->outputFile.Close();
    return written_;
}
