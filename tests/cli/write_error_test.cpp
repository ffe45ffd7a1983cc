#include <gtest/gtest.h>

#include <functional>

#include "cli_support.h"
#include "dxfconv_process.h"
#include "messages.h"
#include "output_writer.h"
#include "temp_dir.h"

namespace {

// Lines no stage reacts to: `lines` of them, about 30 bytes each.
std::string Source(int lines) {
    std::string source;
    for (int i = 0; i < lines; ++i) source += "999\nline " + std::to_string(i) + " of a file\n";
    return source;
}

// Large enough for three of the writer's buffers; small enough for one.
constexpr int kLargeSource = 60000;
constexpr int kSmallSource = 200;

struct LimitCase {
    const char* title;
    bool batch;
    int sourceLines;
    // Where the file size limit cuts the output, given its full size.
    std::function<rlim_t(std::size_t)> limit;

    friend void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.title; }
};

rlim_t Nothing(std::size_t) {
    return 0;
}
rlim_t InTheFirstBuffer(std::size_t) {
    return 1000;
}
rlim_t InTheSecondBuffer(std::size_t) {
    return OutputWriter::kBufferBytes + 12345;
}
// The buffer written only once the whole source has been read.
rlim_t InTheLastBuffer(std::size_t size) {
    return size - 1000;
}

// Whatever buffer the limit cuts, the run reports the write error: never
// "finished", not even when only the last write, made at the end, fails.
const LimitCase kLimitCases[] = {
    {"FullDisk", false, kSmallSource, Nothing},
    {"FullDiskLargeOutput", false, kLargeSource, Nothing},
    {"CutInTheFirstBuffer", false, kLargeSource, InTheFirstBuffer},
    {"CutInAnEarlierBuffer", false, kLargeSource, InTheSecondBuffer},
    {"CutInTheLastBuffer", false, kLargeSource, InTheLastBuffer},
    {"CutInTheOnlyBuffer", false, kSmallSource, InTheLastBuffer},
    {"BatchFullDisk", true, kSmallSource, Nothing},
    {"BatchCutInAnEarlierBuffer", true, kLargeSource, InTheSecondBuffer},
    {"BatchCutInTheLastBuffer", true, kLargeSource, InTheLastBuffer},
    {"BatchCutInTheOnlyBuffer", true, kSmallSource, InTheLastBuffer},
};

#if defined(DXFCONV_THREAD_SANITIZED)
// Its runtime writes a file of its own before the program starts.
constexpr bool kRunsWithNoFileSize = false;
#else
constexpr bool kRunsWithNoFileSize = true;
#endif

class CommandWriteError : public testing::TestWithParam<LimitCase> {};

TEST_P(CommandWriteError, ExitsWithOneAndRemovesTheCutOutput) {
    const LimitCase& c = GetParam();
    TempDir dir;
    const std::string source = Source(c.sourceLines);
    WriteFile(dir.File("plan.dxf"), source);
    const std::string fullOutput = CrLf(source);
    const rlim_t limit = c.limit(fullOutput.size());
    ASSERT_LT(limit, fullOutput.size());
    if (limit == 0 && !kRunsWithNoFileSize) GTEST_SKIP() << "ThreadSanitizer cannot start so";

    // SIGXFSZ keeps its default action: the command itself ignores it.
    const ChildSetup setup{.fileSizeLimit = limit};
    const CommandResult result =
        c.batch ? RunDxfconv({"--suffix", "_lt", "plan.dxf"}, dir.path(), setup)
                : RunDxfconv({"plan.dxf", "plan_lt"}, dir.path(), setup);

    ASSERT_TRUE(result.exited) << "ended by signal " << result.signal;
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, Printed(messages::kWriteError, c.batch ? "plan.dxf: " : ""));
    EXPECT_EQ(ReadFile(dir.File("plan.dxf")), source);
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"plan.dxf"});
}

INSTANTIATE_TEST_SUITE_P(Cli, CommandWriteError, testing::ValuesIn(kLimitCases), TitleOf{});

}  // namespace
