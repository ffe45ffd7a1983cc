#include <gtest/gtest.h>

#include <string>

#include "dxf_lines.h"
#include "fault_run.h"
#include "line_reader.h"
#include "messages.h"

namespace {

// About four of the reader's blocks of records that all get a group.
std::string LongSource() {
    DxfLines dxf;
    OpenSection(dxf, "TABLES");
    LayerTable(dxf, "WALL", "DASHED").Group(0, "ENDSEC");
    OpenSection(dxf, "ENTITIES").Lines("WALL", 4 * LineReader::kBlockBytes / 40);
    dxf.Group(0, "ENDSEC").Group(0, "EOF");
    return dxf.Text();
}

// What a run gives for the lines that ended within the first bytes.
std::string OutputOfCompleteLines(const std::string& source, std::size_t bytes) {
    const std::size_t lastBreak = source.rfind('\n', bytes - 1);
    FaultRun prefix(lastBreak == std::string::npos ? "" : source.substr(0, lastBreak + 1));
    return prefix.CleanOutput();
}

class NthReadFailing : public testing::TestWithParam<int> {};

TEST_P(NthReadFailing, StopsAfterTheLinesReadBeforeIt) {
    const std::string source = LongSource();
    FaultRun run(source);
    FaultFiles files;
    files.failingRead = GetParam();
    EXPECT_EQ(run.Run(files), CallsOfStoppedRun({std::string(messages::kReadError)}));
    EXPECT_EQ(files.readCalls, GetParam());

    const std::string expected =
        files.bytesRead == 0 ? "" : OutputOfCompleteLines(source, files.bytesRead);
    EXPECT_EQ(ReadFile(run.dir.File("out.dxf")), expected);
    EXPECT_EQ(ReadFile(run.sourcePath), source);
    EXPECT_EQ(ListDir(run.dir.path()), (std::vector<std::string>{"out.dxf", "plan.dxf"}));
    EXPECT_EQ(files.closeCalls[files.sourceFd], 1);
    EXPECT_EQ(files.closeCalls[files.outputFd], 1);
}

// The first read is the one that looks for the binary sentinel.
INSTANTIATE_TEST_SUITE_P(Faults, NthReadFailing, testing::Values(1, 2, 3, 5));

TEST(NthReadFailing, AtTheEndOfInputIsStillAReadError) {
    const std::string source = "999\nlonger than the binary sentinel\n  0\nEOF\n";
    FaultRun run(source);
    FaultFiles files;
    files.failingRead = 2;  // the read that would have found the end
    EXPECT_EQ(run.Run(files), CallsOfStoppedRun({std::string(messages::kReadError)}));
    EXPECT_EQ(ReadFile(run.dir.File("out.dxf")),
              "999\r\nlonger than the binary sentinel\r\n  0\r\nEOF\r\n");
}

class ShortReads : public testing::TestWithParam<std::size_t> {};

TEST_P(ShortReads, GiveTheSameOutput) {
    DxfLines dxf;
    OpenSection(dxf, "TABLES");
    LayerTable(dxf, "WALL", "CENTER").Group(0, "ENDSEC");
    OpenSection(dxf, "ENTITIES").Lines("WALL", 3000).Group(0, "ENDSEC").Group(0, "EOF");
    FaultRun run(dxf.Text());
    const std::string expected = run.CleanOutput();
    FaultFiles files;
    files.readChunk = GetParam();
    EXPECT_EQ(run.Run(files), CallsOfStoppedRun({std::string(messages::kFinished)}));
    EXPECT_EQ(ReadFile(run.dir.File("out.dxf")), expected);
}

INSTANTIATE_TEST_SUITE_P(Faults, ShortReads, testing::Values(1, 2, 7, 99, 100, 4099));

}  // namespace
