#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli_support.h"
#include "dxfconv_process.h"
#include "messages.h"
#include "temp_dir.h"

namespace {

using Names = std::vector<std::string>;

constexpr char kSource[] = "999\ncomment\n  0\nEOF\n";
constexpr char kOutput[] = "999\r\ncomment\r\n  0\r\nEOF\r\n";

class Batch : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(root.File("a"));
        std::filesystem::create_directories(root.File("b/c"));
    }
    // A source below the temporary directory, by its path relative to it.
    std::string Source(const std::string& relative, const std::string& content = kSource) {
        WriteFile(root.File(relative), content);
        return relative;
    }

    TempDir root;
};

TEST_F(Batch, NamesEachOutputAfterItsSourceBesideIt) {
    const std::string plan = Source("a/plan.dxf");
    const std::string other = root.File(Source("b/c/other.dxf"));  // an absolute path
    const std::string top = Source("top.DXF");

    const CommandResult result = RunDxfconv({"--suffix", "_lt", plan, other, top}, root.path());

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, Printed(messages::kFinished, plan + ": ") +
                              Printed(messages::kFinished, other + ": ") +
                              Printed(messages::kFinished, top + ": "));
    EXPECT_EQ(ListDir(root.File("a")), (Names{"plan.dxf", "plan_lt.dxf"}));
    EXPECT_EQ(ListDir(root.File("b/c")), (Names{"other.dxf", "other_lt.dxf"}));
    EXPECT_EQ(ReadFile(root.File("a/plan_lt.dxf")), kOutput);
    EXPECT_EQ(ReadFile(root.File("b/c/other_lt.dxf")), kOutput);
    EXPECT_EQ(ReadFile(root.File("top_lt.dxf")), kOutput);
}

TEST_F(Batch, GoesOnAfterAFailedFileAndPrefixesEveryLine) {
    const std::string first = Source("a/first.dxf");
    const std::string tooLong = Source("a/long.dxf", "999\n" + std::string(98, 'x') + "\n");
    const std::string last = Source("b/last.dxf");

    const CommandResult result =
        RunDxfconv({"--suffix", "_lt", first, "a/missing.dxf", tooLong, last}, root.path());

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, Printed(messages::kFinished, first + ": ") +
                              Printed(messages::kSourceMissing, "a/missing.dxf: ") +
                              Printed(messages::kLineTooLong, tooLong + ": ") +
                              Printed("R13以降の形式の図面は --modern を付けると変換できます。",
                                      tooLong + ": ") +
                              Printed(messages::kFinished, last + ": "));
    EXPECT_EQ(ListDir(root.File("a")), (Names{"first.dxf", "first_lt.dxf", "long.dxf"}));
    EXPECT_EQ(ReadFile(root.File("b/last_lt.dxf")), kOutput);
}

// A crafted name cannot fake a line of its own: it is quoted.
TEST_F(Batch, QuotesASourcePathWithALineBreak) {
    const std::string finished(messages::kFinished);
    const std::string crafted = Source("a/x.dxf: " + finished + "\nb.dxf");

    const CommandResult result = RunDxfconv({"--suffix", "_lt", crafted}, root.path());

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err,
              Printed(messages::kFinished, "'a/x.dxf: " + finished + R"('$'\n''b.dxf': )"));
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
    EXPECT_TRUE(Exists(root.File("a/x.dxf: " + finished + "\nb_lt.dxf")));
}

TEST_F(Batch, QuietLeavesOutOnlyTheSuccesses) {
    const std::string first = Source("a/first.dxf");

    const CommandResult result =
        RunDxfconv({"-q", "--suffix=_lt", first, "a/missing.dxf"}, root.path());

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, Printed(messages::kSourceMissing, "a/missing.dxf: "));
    EXPECT_TRUE(Exists(root.File("a/first_lt.dxf")));
}

TEST_F(Batch, TheSameSourceTwiceIsRefusedTheSecondTime) {
    const std::string plan = Source("a/plan.dxf");

    const CommandResult result = RunDxfconv({"--suffix", "_lt", plan, plan}, root.path());

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, Printed(messages::kFinished, plan + ": ") +
                              Printed(messages::kOutputExists, plan + ": "));
}

TEST_F(Batch, AllFailedExitsWithOne) {
    const CommandResult result = RunDxfconv({"--suffix", "_lt", "x.dxf", "y.dxf"}, root.path());

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, Printed(messages::kSourceMissing, "x.dxf: ") +
                              Printed(messages::kSourceMissing, "y.dxf: "));
    EXPECT_EQ(ListDir(root.path()), (Names{"a", "b"}));
}

struct NamingCase {
    const char* title;
    const char* source;
    const char* suffix;
    const char* output;

    friend void PrintTo(const NamingCase& c, std::ostream* os) { *os << c.title; }
};

const NamingCase kNamingCases[] = {
    {"Extension", "plan.dxf", "_lt", "plan_lt.dxf"},
    {"UpperCaseExtension", "PLAN.DXF", "_lt", "PLAN_lt.dxf"},
    {"OnlyTheLastExtension", "plan.v2.dxf", "_lt", "plan.v2_lt.dxf"},
    {"NoExtension", "plan", "_lt", "plan_lt.dxf"},
    {"HiddenFile", ".plan", "_lt", ".plan_lt.dxf"},
    {"Spaces", "my plan.dxf", " new", "my plan new.dxf"},
    {"ShiftJis", "\x95\x5C.dxf", "_\x83\x5C", "\x95\x5C_\x83\x5C.dxf"},
};

class BatchNaming : public testing::TestWithParam<NamingCase> {};

TEST_P(BatchNaming, CreatesTheOutputBesideTheSource) {
    const NamingCase& c = GetParam();
    TempDir root;
    std::filesystem::create_directory(root.File("dir.d"));
    WriteFile(root.File("dir.d/") + c.source, kSource);

    const CommandResult result =
        RunDxfconv({"--suffix", c.suffix, std::string("dir.d/") + c.source}, root.path());

    EXPECT_EQ(result.status, 0);
    Names expected{c.output, c.source};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListDir(root.File("dir.d")), expected);
    EXPECT_EQ(ListDir(root.path()), Names{"dir.d"});
}

INSTANTIATE_TEST_SUITE_P(Cli, BatchNaming, testing::ValuesIn(kNamingCases), TitleOf{});

}  // namespace
