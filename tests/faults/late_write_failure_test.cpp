#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "dxf_lines.h"
#include "fault_run.h"
#include "messages.h"
#include "output_writer.h"

// The output's buffers are written behind the conversion. A write that
// fails must still stop the run where its buffer was handed on: whatever the
// conversion meets after that point, a structure error, the layer limit, a
// failed read or the end of the input, never shows.
namespace {

using messages::kWriteError;

constexpr std::size_t kBuffer = OutputWriter::kBufferBytes;
constexpr std::chrono::milliseconds kSlow{300};

// Comments that fill the first buffer, then what follows it.
std::string AfterTheFirstBuffer(const std::function<void(DxfLines&)>& rest) {
    DxfLines dxf;
    OpenSection(dxf, "HEADER").PadOutputTo(kBuffer + 1000);
    rest(dxf);
    return dxf.Text();
}

void SecondSection(DxfLines& dxf) {
    OpenSection(dxf, "HEADER");
    OpenSection(dxf, "TABLES");
}

void ManyLayers(DxfLines& dxf) {
    dxf.Group(0, "ENDSEC");
    OpenSection(dxf, "TABLES").Group(0, "TABLE").Group(2, "LAYER").Group(70, "300");
    for (int i = 0; i < 300; ++i) {
        dxf.Group(0, "LAYER").Group(2, "L" + std::to_string(i)).Group(70, "0");
        dxf.Group(62, "7").Group(6, "DASHED");
    }
    dxf.Group(0, "ENDTAB").Group(0, "ENDSEC").Group(0, "EOF");
}

void TheEnd(DxfLines& dxf) {
    dxf.Group(0, "ENDSEC").Group(0, "EOF");
}

struct LateCase {
    const char* name;
    std::function<void(DxfLines&)> rest;
    int failingRead = 0;
};

void PrintTo(const LateCase& c, std::ostream* os) {
    *os << c.name;
}

class LateWriteFailure : public testing::TestWithParam<LateCase> {};

TEST_P(LateWriteFailure, StopsTheRunWithTheWriteErrorAlone) {
    const LateCase& c = GetParam();
    FaultRun run(AfterTheFirstBuffer(c.rest));
    FaultFiles files;
    files.failingWrite = 1;
    files.failingWriteDelay = kSlow;
    files.failingRead = c.failingRead;
    EXPECT_EQ(run.Run(files), CallsOfStoppedRun({std::string(kWriteError)}));
    EXPECT_EQ(ReadFile(run.dir.File("out.dxf")), "");
    EXPECT_EQ(files.closeCalls[files.sourceFd], 1);
    EXPECT_EQ(files.closeCalls[files.outputFd], 1);
}

// Each of these comes a little way into the second buffer, which the
// conversion reaches long before the slow write has failed.
const LateCase kCases[] = {
    {"BeforeAStructureError", SecondSection},
    {"BeforeTheLayerLimit", ManyLayers},
    {"BeforeTheEndOfTheInput", TheEnd},
    {"BeforeAFailedRead", ManyLayers, 2},
};

INSTANTIATE_TEST_SUITE_P(Faults, LateWriteFailure, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
