#pragma once

#include <string>
#include <string_view>

// What a run makes of a source that no stage reacts to, worked out one byte
// at a time the plain way, independently of the engine's block reader.
struct ModelRun {
    std::string output;
    bool tooLong = false;  // a line of 98 bytes or more stopped the run
};

ModelRun ModelConversion(std::string_view source);
