#include "fault_run.h"

#include <cstdio>

#include "conversion_run.h"
#include "known_linetypes.h"

FaultRun::FaultRun(const std::string& text) : sourcePath(dir.File("plan.dxf")), sourceText(text) {
    WriteFile(sourcePath, sourceText);
}

std::vector<std::string> FaultRun::Run(FaultFiles& files, const std::string& outputName) {
    RecordingSink sink;
    RunConversion(sourcePath, outputName, kOutputExtension, kKnownLinetypes, sink, files.ops());
    return sink.calls;
}

std::string FaultRun::CleanOutput(int* writeCalls) {
    FaultFiles clean;
    Run(clean, "clean");
    if (writeCalls != nullptr) *writeCalls = clean.writeCalls;
    const std::string output = ReadFile(dir.File("clean.dxf"));
    std::remove(dir.File("clean.dxf").c_str());
    return output;
}

std::vector<std::string> CallsOfStoppedRun(const std::vector<std::string>& messages) {
    std::vector<std::string> calls = {"begin", "end"};
    for (const std::string& message : messages) calls.push_back("message:" + message);
    return calls;
}

std::string ReplacementTableInOutput() {
    std::string table;
    for (int i = 0; i < 6; ++i) {
        table += std::string("  0\r\nLTYPE\r\n  2\r\n") + kKnownLinetypes[i] + "\r\n";
    }
    return table + "  0\r\nENDTAB\r\n";
}
