#include <gtest/gtest.h>

#include <optional>

#include "faulty_files.h"
#include "line_reader.h"
#include "messages.h"
#include "output_writer.h"
#include "run_support.h"
#include "temp_dir.h"
#include "text_model.h"

namespace {

using namespace std::string_literals;

const std::string kSmall = "999\ncomment\n";
const std::string kTooLong = "999\n" + std::string(98, 'a') + "\nlater\n";
const std::string kStructureError = "999\nx\n  0\nENDSEC\nlater\n";
const std::string kBinary = "AutoCAD Binary DXF\r\n\x1A\0data"s;
// Larger than the reader's block and the writer's buffer.
const std::string kLarge = FillerLines(3 * LineReader::kBlockBytes + 17);

std::string StructureError() {
    std::string text = "4";
    text += messages::kStructureErrorBefore;
    text += "ENDSEC";
    text += messages::kStructureErrorAfter;
    return text;
}

// Groups that pass the stages by in runs, over more than one buffer, after
// LF lines: the output's buffers end inside runs, not where blocks do.
const std::string kLfLines = "999\nLF lines\n";
const std::string kGroups = GroupLines(3 * LineReader::kBlockBytes + 17);

// The first buffer of their output, as line by line it ends.
std::string GroupsFirstBuffer() {
    const std::string output = CrLf(kLfLines) + kGroups;
    return output.substr(0, output.rfind('\n', OutputWriter::kBufferBytes - 1) + 1);
}

// The lines of the large source that end within its first block.
std::string LargeFirstBlockLines() {
    return kLarge.substr(0, kLarge.rfind('\n', LineReader::kBlockBytes - 1) + 1);
}

struct FaultCase {
    const char* title;
    FaultPlan plan;
    std::string source;
    std::vector<std::string> calls;
    RunOutcome outcome;
    std::optional<std::string> output;  // nullopt: no output file may exist

    friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.title; }
};

std::vector<FaultCase> FaultCases() {
    using namespace messages;
    return {
        {"OpenSourceFails",
         {.openSourceFails = true},
         kSmall,
         MessagesOnly({kSourceMissing}),
         RunOutcome::NotStarted,
         std::nullopt},
        {"CreateOutputFails",
         {.createOutputFails = true},
         kSmall,
         MessagesOnly({kOutputOpenFailed}),
         RunOutcome::NotStarted,
         std::nullopt},
        {"CreateOutputAndSourceCloseFail",
         {.createOutputFails = true, .sourceCloseFails = true},
         kSmall,
         MessagesOnly({kOutputOpenFailed, kSourceCloseFailed}),
         RunOutcome::NotStarted,
         std::nullopt},
        {"BinarySourceCloseFails",
         {.sourceCloseFails = true},
         kBinary,
         MessagesOnly({kBinarySource, kSourceCloseFailed}),
         RunOutcome::NotStarted,
         std::nullopt},

        {"SourceCloseFailsAtTheEnd",
         {.sourceCloseFails = true},
         kSmall,
         CursorThenMessages({kSourceCloseFailedAtEnd}),
         RunOutcome::CloseFailed,
         CrLf(kSmall)},
        {"OutputCloseFailsAtTheEnd",
         {.outputCloseFails = true},
         kSmall,
         CursorThenMessages({kOutputCloseFailedAtEnd}),
         RunOutcome::CloseFailed,
         CrLf(kSmall)},
        {"BothClosesFailAtTheEnd",
         {.sourceCloseFails = true, .outputCloseFails = true},
         kSmall,
         CursorThenMessages({kSourceCloseFailedAtEnd, kOutputCloseFailedAtEnd}),
         RunOutcome::CloseFailed,
         CrLf(kSmall)},
        {"EmptySourceCloseFailsAtTheEnd",
         {.sourceCloseFails = true},
         "",
         CursorThenMessages({kSourceCloseFailedAtEnd}),
         RunOutcome::CloseFailed,
         ""},

        {"SourceCloseFailsAfterAnAbort",
         {.sourceCloseFails = true},
         kTooLong,
         CursorThenMessages({kLineTooLong, kSourceCloseFailed}),
         RunOutcome::Stopped,
         "999\r\n"},
        {"OutputCloseFailsAfterAnAbort",
         {.outputCloseFails = true},
         kTooLong,
         CursorThenMessages({kLineTooLong, kOutputCloseFailed}),
         RunOutcome::Stopped,
         "999\r\n"},
        {"BothClosesFailAfterAnAbort",
         {.sourceCloseFails = true, .outputCloseFails = true},
         kTooLong,
         CursorThenMessages({kLineTooLong, kSourceCloseFailed, kOutputCloseFailed}),
         RunOutcome::Stopped,
         "999\r\n"},
        {"BothClosesFailAfterAStructureError",
         {.sourceCloseFails = true, .outputCloseFails = true},
         kStructureError,
         CursorThenMessages({StructureError(), kSourceCloseFailed, kOutputCloseFailed}),
         RunOutcome::Stopped,
         "999\r\nx\r\n  0\r\n"},

        {"FirstReadFails",
         {.failingRead = 1},
         kSmall,
         CursorThenMessages({kReadError}),
         RunOutcome::Stopped,
         ""},
        {"ReadFailsInTheSecondBlock",
         {.failingRead = 2},
         kLarge,
         CursorThenMessages({kReadError}),
         RunOutcome::Stopped,
         CrLf(LargeFirstBlockLines())},
        // The error shows where the reading meets it, after the lines that
        // were read whole.
        {"ReadFailsAfterTheLastByte",
         {.failingRead = 2},
         kSmall,
         CursorThenMessages({kReadError}),
         RunOutcome::Stopped,
         CrLf(kSmall)},
        {"ReadFailsWithinTheLastLine",
         {.failingRead = 2},
         "999\ncomment",
         CursorThenMessages({kReadError}),
         RunOutcome::Stopped,
         "999\r\n"},
        {"ShortReadsThenAFailure",
         {.failingRead = 3, .readChunk = 4},
         "abc\ndef\nghi\n",
         CursorThenMessages({kReadError}),
         RunOutcome::Stopped,
         "abc\r\ndef\r\n"},
        // Past a 0x1A nothing is read, so nothing can fail there.
        {"ReadFailsPastACtrlZ",
         {.failingRead = 2},
         "abc\n\032def\n",
         CursorThenMessages({kFinished}),
         RunOutcome::Finished,
         "abc\r\n"},
        {"ReadFailsAndBothClosesFail",
         {.failingRead = 1, .sourceCloseFails = true, .outputCloseFails = true},
         kSmall,
         CursorThenMessages({kReadError, kSourceCloseFailed, kOutputCloseFailed}),
         RunOutcome::Stopped,
         ""},

        // The writer buffers: a small output meets its write error when it
        // is written out at the end of the input, a large one while lines
        // are copied. Either way the run has not finished.
        {"WritesFailForASmallOutput",
         {.everyWriteFails = true},
         kSmall,
         CursorThenMessages({kWriteError}),
         RunOutcome::Stopped,
         ""},
        {"WritesFailForASmallOutputAndItsCloseFails",
         {.everyWriteFails = true, .outputCloseFails = true},
         kSmall,
         CursorThenMessages({kWriteError, kOutputCloseFailed}),
         RunOutcome::Stopped,
         ""},
        {"WritesFailForALargeOutput",
         {.everyWriteFails = true},
         kLarge,
         CursorThenMessages({kWriteError}),
         RunOutcome::Stopped,
         ""},
        {"WritesAndOutputCloseFail",
         {.everyWriteFails = true, .outputCloseFails = true},
         kLarge,
         CursorThenMessages({kWriteError, kOutputCloseFailed}),
         RunOutcome::Stopped,
         ""},
        {"WritesAndSourceCloseFail",
         {.everyWriteFails = true, .sourceCloseFails = true},
         kLarge,
         CursorThenMessages({kWriteError, kSourceCloseFailed}),
         RunOutcome::Stopped,
         ""},
        {"ThirdWriteFails",
         {.failingWrite = 3, .writeChunk = 1000},
         kLarge,
         CursorThenMessages({kWriteError}),
         RunOutcome::Stopped,
         CrLf(kLarge).substr(0, 2000)},
        {"SecondWriteFailsAfterRunsOfLines",
         {.failingWrite = 2},
         kLfLines + kGroups,
         CursorThenMessages({kWriteError}),
         RunOutcome::Stopped,
         GroupsFirstBuffer()},
        {"ThirdWriteFailsAtTheEnd",
         {.failingWrite = 3, .writeChunk = 1000},
         FillerLines(10000),
         CursorThenMessages({kWriteError}),
         RunOutcome::Stopped,
         CrLf(FillerLines(10000)).substr(0, 2000)},
    };
}

class FileFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(FileFaults, ShowTheMessagesInOrderAndCloseEveryFile) {
    const FaultCase& c = GetParam();
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), c.source);
    FaultyFiles files(c.plan);

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW", files.ops());

    EXPECT_EQ(run.calls, c.calls);
    EXPECT_EQ(run.outcome, c.outcome);
    EXPECT_EQ(files.unbalancedDescriptors(), std::vector<int>{});
    if (c.output) {
        ASSERT_TRUE(Exists(dir.File("NEW.dxf")));
        const std::string output = ReadFile(dir.File("NEW.dxf"));
        EXPECT_EQ(output.size(), c.output->size());
        EXPECT_TRUE(output == *c.output)
            << "first difference at byte " << FirstDifference(output, *c.output);
    } else {
        EXPECT_FALSE(Exists(dir.File("NEW.dxf")));
    }
}

INSTANTIATE_TEST_SUITE_P(Run, FileFaults, testing::ValuesIn(FaultCases()), TitleOf{});

// Every kind of line and line break, to be cut anywhere by short reads and
// writes.
std::string AwkwardSource() {
    std::string source = "999\r\nfirst\n\n   \r\n\r\n";
    source += std::string(97, 'a') + "\r\n";
    source += std::string(97, 'b') + "\n";
    source += "lone\rcr\r\r\n";
    source += "nul\0inside\n"s;
    source += std::string(96, 'c') + "\r\r\n";
    source += "\x95\x5C\x83\x5C\r\n";
    source += FillerLines(3000);
    source += std::string(97, 'd');
    return source;
}

struct ChunkCase {
    std::size_t readChunk;
    std::size_t writeChunk;

    friend void PrintTo(const ChunkCase& c, std::ostream* os) {
        *os << "reads of " << c.readChunk << ", writes of " << c.writeChunk;
    }
};

class ShortTransfers : public testing::TestWithParam<ChunkCase> {};

TEST_P(ShortTransfers, GiveTheSameOutputAsWholeBlocks) {
    const ChunkCase& c = GetParam();
    const std::string source = AwkwardSource();
    const ModelRun model = ModelConversion(source);
    ASSERT_FALSE(model.tooLong);
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), source);
    FaultyFiles files({.readChunk = c.readChunk, .writeChunk = c.writeChunk});

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW", files.ops());

    EXPECT_EQ(run.calls, CursorThenMessages({messages::kFinished}));
    const std::string output = ReadFile(dir.File("NEW.dxf"));
    EXPECT_TRUE(output == model.output)
        << "first difference at byte " << FirstDifference(output, model.output);
}

INSTANTIATE_TEST_SUITE_P(Run, ShortTransfers,
                         testing::Values(ChunkCase{1, 0}, ChunkCase{2, 0}, ChunkCase{3, 0},
                                         ChunkCase{21, 0}, ChunkCase{22, 0}, ChunkCase{23, 0},
                                         ChunkCase{97, 0}, ChunkCase{98, 0}, ChunkCase{99, 0},
                                         ChunkCase{100, 0}, ChunkCase{4096, 0}, ChunkCase{0, 1},
                                         ChunkCase{0, 7}, ChunkCase{7, 3}),
                         [](const auto& info) {
                             return "Read" + std::to_string(info.param.readChunk) + "Write" +
                                    std::to_string(info.param.writeChunk);
                         });

TEST(ShortTransfers, TheBinarySentinelIsFoundOneByteAtATime) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), kBinary);
    FaultyFiles files({.readChunk = 1});

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW", files.ops());

    EXPECT_EQ(run.calls, MessagesOnly({messages::kBinarySource}));
    EXPECT_FALSE(Exists(dir.File("NEW.dxf")));
    EXPECT_EQ(files.unbalancedDescriptors(), std::vector<int>{});
}

}  // namespace
