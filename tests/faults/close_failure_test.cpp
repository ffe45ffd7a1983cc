#include <gtest/gtest.h>

#include <string>

#include "fault_run.h"
#include "messages.h"

namespace {

using namespace messages;

const std::string kGood = "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n";
const std::string kGoodOutput =
    "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
// A second ENDSEC on line 8.
const std::string kMisplaced = kGood.substr(0, 36) + "  0\nENDSEC\n";
const std::string kMisplacedOutput = kGoodOutput.substr(0, 42) + "  0\r\n";
const std::string kMisplacedMessage = "8行目の ENDSEC が不正です。\n　変換は完了していません。";
const std::string kTooLong = "  0\n" + std::string(98, 'x') + "\n";
const std::string kTooLongOutput = "  0\r\n";
const std::string kBinary = std::string("AutoCAD Binary DXF\r\n\x1A\0", 22) + "rest";

std::string M(std::string_view text) {
    return "message:" + std::string(text);
}

struct CloseCase {
    const char* name;
    const std::string* source;
    bool failSource;
    bool failOutput;
    bool failCreate;
    std::vector<std::string> calls;
    const std::string* output;  // nullptr: no output file
};

const CloseCase kCases[] = {
    // The closing sequence, after the whole source was converted.
    {"SourceAtTheEnd",
     &kGood,
     true,
     false,
     false,
     {"begin", "end", M(kSourceCloseFailedAtEnd)},
     &kGoodOutput},
    {"OutputAtTheEnd",
     &kGood,
     false,
     true,
     false,
     {"begin", "end", M(kOutputCloseFailedAtEnd)},
     &kGoodOutput},
    {"BothAtTheEnd",
     &kGood,
     true,
     true,
     false,
     {"begin", "end", M(kSourceCloseFailedAtEnd), M(kOutputCloseFailedAtEnd)},
     &kGoodOutput},
    // The abort sequence, after a structure error.
    {"SourceAfterAStructureError",
     &kMisplaced,
     true,
     false,
     false,
     {"begin", "end", M(kMisplacedMessage), M(kSourceCloseFailed)},
     &kMisplacedOutput},
    {"OutputAfterAStructureError",
     &kMisplaced,
     false,
     true,
     false,
     {"begin", "end", M(kMisplacedMessage), M(kOutputCloseFailed)},
     &kMisplacedOutput},
    {"BothAfterAStructureError",
     &kMisplaced,
     true,
     true,
     false,
     {"begin", "end", M(kMisplacedMessage), M(kSourceCloseFailed), M(kOutputCloseFailed)},
     &kMisplacedOutput},
    {"BothAfterALongLine",
     &kTooLong,
     true,
     true,
     false,
     {"begin", "end", M(kLineTooLong), M(kSourceCloseFailed), M(kOutputCloseFailed)},
     &kTooLongOutput},
    // Before the busy cursor: only the source was open.
    {"SourceAfterTheOutputCouldNotBeCreated",
     &kGood,
     true,
     false,
     true,
     {M(kOutputOpenFailed), M(kSourceCloseFailed)},
     nullptr},
    {"SourceAfterABinarySource",
     &kBinary,
     true,
     false,
     false,
     {M(kBinarySource), M(kSourceCloseFailed)},
     nullptr},
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class CloseFailure : public testing::TestWithParam<CloseCase> {};

TEST_P(CloseFailure, ShowsItsOwnMessageInItsPlace) {
    const CloseCase& c = GetParam();
    FaultRun run(*c.source);
    FaultFiles files;
    files.failSourceClose = c.failSource;
    files.failOutputClose = c.failOutput;
    if (c.failCreate) {
        files.beforeCreateOutput = [](const char* path) { WriteFile(path, "taken"); };
    }
    EXPECT_EQ(run.Run(files), c.calls);
    EXPECT_EQ(ReadFile(run.sourcePath), *c.source);
    EXPECT_EQ(files.closeCalls[files.sourceFd], 1);
    if (c.output != nullptr) {
        EXPECT_EQ(ReadFile(run.dir.File("out.dxf")), *c.output);
        EXPECT_EQ(files.closeCalls[files.outputFd], 1);
    } else if (!c.failCreate) {
        EXPECT_EQ(ListDir(run.dir.path()), std::vector<std::string>{"plan.dxf"});
    } else {
        EXPECT_EQ(ReadFile(run.dir.File("out.dxf")), "taken");
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, CloseFailure, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
