#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "child_run.h"
#include "messages.h"
#include "output_writer.h"
#include "run_support.h"
#include "temp_dir.h"

namespace {

struct LimitCase {
    const char* title;
    std::size_t sourceBytes;
    rlim_t fileSizeLimit;
    std::vector<std::string> calls;
    RunOutcome outcome;

    friend void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.title; }
};

// A source larger than the writer's buffer meets the limit while lines are
// still being copied; a smaller one only when the output is written out at
// the end of the input, which is still a write error.
const LimitCase kLimitCases[] = {
    {"NothingMayBeWritten", 3 * OutputWriter::kBufferBytes, 0,
     CursorThenMessages({messages::kWriteError}), RunOutcome::Stopped},
    {"LimitInTheFirstBuffer", 3 * OutputWriter::kBufferBytes, 1000,
     CursorThenMessages({messages::kWriteError}), RunOutcome::Stopped},
    {"LimitInTheSecondBuffer", 3 * OutputWriter::kBufferBytes, OutputWriter::kBufferBytes + 12345,
     CursorThenMessages({messages::kWriteError}), RunOutcome::Stopped},
    {"LimitMetAtTheEnd", OutputWriter::kBufferBytes / 4, 1000,
     CursorThenMessages({messages::kWriteError}), RunOutcome::Stopped},
    {"NothingMayBeWrittenOfASmallOutput", OutputWriter::kBufferBytes / 4, 0,
     CursorThenMessages({messages::kWriteError}), RunOutcome::Stopped},
};

class WriteError : public testing::TestWithParam<LimitCase> {};

TEST_P(WriteError, LeavesTheOutputAsFarAsWritten) {
    const LimitCase& c = GetParam();
    TempDir dir;
    const std::string source = FillerLines(c.sourceBytes);
    WriteFile(dir.File("plan.dxf"), source);
    const std::string fullOutput = CrLf(source);
    ASSERT_LT(c.fileSizeLimit, fullOutput.size());

    const rlim_t limit = c.fileSizeLimit;
    const ChildRun child = RunInChild(
        [limit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit fileSize{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &fileSize);
        },
        dir.File("plan.dxf"), "NEW");

    ASSERT_TRUE(child.exited) << "the child ended by signal " << child.signal;
    EXPECT_EQ(child.record.calls, c.calls);
    EXPECT_EQ(child.record.outcome, c.outcome);
    EXPECT_EQ(ReadFile(dir.File("plan.dxf")), source);
    const std::string output = ReadFile(dir.File("NEW.dxf"));
    EXPECT_EQ(output.size(), c.fileSizeLimit);
    EXPECT_TRUE(fullOutput.compare(0, output.size(), output) == 0)
        << "the output is no prefix of the full output; first difference at byte "
        << FirstDifference(output, fullOutput);
}

INSTANTIATE_TEST_SUITE_P(Run, WriteError, testing::ValuesIn(kLimitCases), TitleOf{});

}  // namespace
