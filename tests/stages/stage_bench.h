#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "conversion_state.h"
#include "file_ops.h"
#include "recording_sink.h"

// A run's state driven line by line without files, so that tests can look at
// the state between lines. The output goes into a string.
class StageBench {
public:
    StageBench();
    StageBench(const StageBench&) = delete;
    StageBench& operator=(const StageBench&) = delete;

    // One pass as the run makes it: number the line, remove its spaces, run
    // every stage in order, echo. False when a stage ended the run.
    bool Pass(std::string_view rawLine);
    // The same pass with the structure validator as its only stage.
    bool Validate(std::string_view rawLine);

    ConversionState& state() { return *state_; }
    RecordingSink& sink() { return sink_; }
    // Everything written, stages' lines and echoes alike. Ends the output:
    // no line can follow.
    std::string Written();

private:
    bool Run(std::string_view rawLine, bool allStages);

    std::string written_;
    std::string line_;  // the line being passed, with padding
    FileOps ops_;
    RecordingSink sink_;
    std::unique_ptr<ConversionState> state_;
};
