#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "conversion_run.h"

// What a run must make of a source, worked out apart from the engine: line
// by line, with plain strings and maps, as the conversion is described
// rather than as the engine makes it fast.
struct ModelRun {
    RunOutcome outcome = RunOutcome::Finished;
    // What the sink sees: "begin", "end" and "message:" followed by the text.
    std::vector<std::string> calls;
    std::string output;
    // How many of the source's lines the output holds.
    std::size_t linesWritten = 0;
};

ModelRun ModelConversion(std::string_view source, bool modern);

// The source's lines as text mode reads them: input ends at 0x1A, LF ends a
// line, a CR right before the LF goes with it, a last line may lack the LF.
std::vector<std::string_view> SourceLines(std::string_view source);
