#pragma once

#include <string>

#include "fault_files.h"
#include "recording_sink.h"
#include "temp_dir.h"

// One run of a source through planted faults, in a directory of its own.
struct FaultRun {
    explicit FaultRun(const std::string& sourceText);

    // Runs the source into outputName with the faults of files; returns the
    // calls the sink saw.
    std::vector<std::string> Run(FaultFiles& files, const std::string& outputName = "out");
    // The output of a run without faults, and how many writes it took.
    std::string CleanOutput(int* writeCalls = nullptr);

    TempDir dir;
    std::string sourcePath;
    std::string sourceText;
};

// The calls of a run that opened both files and ended with these messages.
std::vector<std::string> CallsOfStoppedRun(const std::vector<std::string>& messages);

// The replacement LTYPE table as the output holds it.
std::string ReplacementTableInOutput();
