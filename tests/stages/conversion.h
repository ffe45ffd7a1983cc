#pragma once

#include <string>
#include <vector>

#include "conversion_run.h"
#include "dxf_script.h"

// What one run made of a source file.
struct Conversion {
    RunOutcome outcome;
    bool outputExists;
    std::string output;              // the output file's bytes
    std::vector<std::string> calls;  // the sink's log
};

// Runs a conversion of these source bytes, written to a file in a fresh
// directory, into the output name "out".
Conversion Convert(const std::string& sourceBytes);
// The same with these options.
Conversion Convert(const std::string& sourceBytes, const RunOptions& options);

// The sink's log of a run that went through to the end.
std::vector<std::string> FinishedCalls();
// The sink's log of a run stopped by a misplaced keyword.
std::vector<std::string> StructureErrorCalls(int lineNumber, const std::string& keyword);
std::string StructureErrorText(int lineNumber, const std::string& keyword);

// Converts the script's source with the given line ends and expects the
// script's output bytes and the sink's log.
void ExpectRun(const Script& script, const std::vector<std::string>& calls,
               LineEnd lineEnd = LineEnd::Lf);
// The same in modern mode.
void ExpectModernRun(const Script& script, const std::vector<std::string>& calls,
                     LineEnd lineEnd = LineEnd::Lf);
// The same for both kinds of line ends.
void ExpectRunWithEitherLineEnd(const Script& script, const std::vector<std::string>& calls);
