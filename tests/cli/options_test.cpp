#include <gtest/gtest.h>

#include "cli_support.h"
#include "command_line.h"
#include "dxfconv_process.h"
#include "messages.h"
#include "temp_dir.h"

namespace {

using Names = std::vector<std::string>;

constexpr char kSource[] = "999\ncomment\n  0\nEOF\n";

struct InfoCase {
    const char* title;
    std::vector<std::string> arguments;
    bool help;  // otherwise the version

    friend void PrintTo(const InfoCase& c, std::ostream* os) { *os << c.title; }
};

const InfoCase kInfoCases[] = {
    {"LongHelp", {"--help"}, true},
    {"ShortHelp", {"-h"}, true},
    {"HelpAmongOperands", {"plan.dxf", "-h", "NEW"}, true},
    {"Version", {"--version"}, false},
    {"VersionAmongOperands", {"plan.dxf", "NEW", "--version"}, false},
};

class InformationOptions : public testing::TestWithParam<InfoCase> {};

TEST_P(InformationOptions, PrintOnStandardOutputAndConvertNothing) {
    const InfoCase& c = GetParam();
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), kSource);

    const CommandResult result = RunDxfconv(c.arguments, dir.path());

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, c.help ? UsageText() : VersionText());
    EXPECT_EQ(ListDir(dir.path()), Names{"plan.dxf"});
}

INSTANTIATE_TEST_SUITE_P(Cli, InformationOptions, testing::ValuesIn(kInfoCases), TitleOf{});

TEST(InformationOptions, HelpIsJapaneseAndShowsBothForms) {
    const std::string help = UsageText();
    EXPECT_EQ(help.rfind("使い方: ", 0), 0u);
    EXPECT_NE(help.find("dxfconv [-q] 元ﾌｧｲﾙ 変換後ﾌｧｲﾙ名\n"), std::string::npos);
    EXPECT_NE(help.find("--suffix 接尾辞 元ﾌｧｲﾙ..."), std::string::npos);
    EXPECT_EQ(help.back(), '\n');
}

TEST(InformationOptions, VersionIsTheProjectsVersion) {
    EXPECT_EQ(VersionText(), "dxfconv " DXFCONV_EXPECTED_VERSION "\n");
}

// A source whose name starts with "-" follows "--".
TEST(EndOfOptions, LetsASourceStartWithADash) {
    TempDir dir;
    WriteFile(dir.File("-x.dxf"), kSource);

    const CommandResult single = RunDxfconv({"--", "-x.dxf", "-q"}, dir.path());
    const CommandResult batch = RunDxfconv({"--suffix", "_lt", "--", "-x.dxf"}, dir.path());

    EXPECT_EQ(single.status, 0);
    EXPECT_EQ(single.err, Printed(messages::kFinished));
    EXPECT_EQ(batch.status, 0);
    EXPECT_EQ(batch.err, Printed(messages::kFinished, "-x.dxf: "));
    EXPECT_EQ(ListDir(dir.path()), (Names{"-q.dxf", "-x.dxf", "-x_lt.dxf"}));
}

struct UsageCase {
    const char* title;
    std::vector<std::string> arguments;
    std::string named;  // what the error names

    friend void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.title; }
};

const UsageCase kUsageCases[] = {
    {"NoArguments", {}, "元ﾌｧｲﾙと変換後ﾌｧｲﾙ名が指定されていません。"},
    {"NoOutputName", {"plan.dxf"}, "変換後ﾌｧｲﾙ名が指定されていません。"},
    {"ExtraArgument", {"plan.dxf", "NEW", "extra"}, "extra"},
    {"UnknownLongOption", {"--bogus", "plan.dxf", "NEW"}, "--bogus"},
    {"UnknownShortOption", {"plan.dxf", "NEW", "-x"}, "-x"},
    {"DashSourceWithoutEndOfOptions", {"-x.dxf", "NEW"}, "-x.dxf"},
    {"OptionWithAValue", {"--quiet=yes", "plan.dxf", "NEW"}, "--quiet=yes"},
    {"ModernWithAValue", {"--modern=yes", "plan.dxf", "NEW"}, "--modern=yes"},
    {"SuffixWithoutValue", {"plan.dxf", "--suffix"}, "--suffix"},
    {"SuffixWithoutSources", {"--suffix", "_lt"}, "元ﾌｧｲﾙが指定されていません。"},
};

class UsageErrors : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrors, ExitWithTwoNamingTheArgumentAndConvertNothing) {
    const UsageCase& c = GetParam();
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), kSource);
    WriteFile(dir.File("-x.dxf"), kSource);

    const CommandResult result = RunDxfconv(c.arguments, dir.path());

    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("dxfconv: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(c.named), std::string::npos) << result.err;
    EXPECT_EQ(result.err.back(), '\n');
    EXPECT_EQ(ListDir(dir.path()), (Names{"-x.dxf", "plan.dxf"}));
}

INSTANTIATE_TEST_SUITE_P(Cli, UsageErrors, testing::ValuesIn(kUsageCases), TitleOf{});

}  // namespace
