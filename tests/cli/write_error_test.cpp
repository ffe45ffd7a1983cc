#include <gtest/gtest.h>

#include "cli_support.h"
#include "dxfconv_process.h"
#include "messages.h"
#include "temp_dir.h"

namespace {

// Lines no stage reacts to, larger together than the writer's buffer.
std::string LargeSource() {
    std::string source;
    for (int i = 0; i < 20000; ++i)
        source += "999\nline " + std::to_string(i) + " of a large file\n";
    return source;
}

struct LimitCase {
    const char* title;
    bool batch;
    rlim_t limit;

    friend void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.title; }
};

const LimitCase kLimitCases[] = {
    {"Single", false, 1000},
    {"SingleLaterBuffer", false, 300000},
    {"Batch", true, 4096},
};

class CommandWriteError : public testing::TestWithParam<LimitCase> {};

TEST_P(CommandWriteError, ExitsWithOneAndLeavesTheOutputAsFarAsWritten) {
    const LimitCase& c = GetParam();
    TempDir dir;
    const std::string source = LargeSource();
    WriteFile(dir.File("plan.dxf"), source);
    const std::string fullOutput = CrLf(source);
    ASSERT_GT(fullOutput.size(), c.limit + 300000);

    const CommandResult result =
        c.batch ? RunDxfconv({"--suffix", "_lt", "plan.dxf"}, dir.path(), c.limit)
                : RunDxfconv({"plan.dxf", "plan_lt"}, dir.path(), c.limit);

    ASSERT_TRUE(result.exited) << "ended by signal " << result.signal;
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, Printed(messages::kWriteError, c.batch ? "plan.dxf: " : ""));
    EXPECT_EQ(ReadFile(dir.File("plan.dxf")), source);
    const std::string output = ReadFile(dir.File("plan_lt.dxf"));
    EXPECT_EQ(output.size(), c.limit);
    EXPECT_TRUE(fullOutput.compare(0, output.size(), output) == 0)
        << "the output is no prefix of the full output";
    EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"plan.dxf", "plan_lt.dxf"}));
}

INSTANTIATE_TEST_SUITE_P(Cli, CommandWriteError, testing::ValuesIn(kLimitCases), TitleOf{});

}  // namespace
