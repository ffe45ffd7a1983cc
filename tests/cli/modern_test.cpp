// dxfconv --modern in every form of the command, beside the same command
// without it, on a drawing the default mode refuses (a line of 120 bytes)
// whose text names its layer "My Wall" as "MY WALL", and whose block has a
// line on layer 0, which gets nothing. Both layers have a lineweight.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli_support.h"
#include "dxfconv_process.h"
#include "messages.h"
#include "temp_dir.h"

namespace {

using Names = std::vector<std::string>;

const std::string kLongValue(120, 'x');
const std::string kSource =
    "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n2\n  0\nLAYER\n  2\n0\n"
    "  6\nCONTINUOUS\n370\n50\n  0\nLAYER\n  2\nMy Wall\n  6\nHIDDEN\n370\n    35\n"
    "  0\nENDTAB\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  8\n0\n  2\nDOOR\n  0\nLINE\n  8\n0\n"
    "  0\nENDBLK\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nTEXT\n  8\nMY WALL\n  1\n" +
    kLongValue + "\n  0\nENDSEC\n  0\nEOF\n";

std::string ModernOutput() {
    std::string text = kSource;
    text.insert(text.find("  0\nENDSEC\n  0\nEOF"), "  6\nHIDDEN\n370\n35\n");
    std::string crlf;
    for (const char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return crlf;
}

struct FormCase {
    const char* title;
    std::vector<std::string> arguments;  // --modern is put in front for the modern run
    std::string err;                     // what the modern run prints
    Names outputs;                       // the files it makes
};

const FormCase kForms[] = {
    {"Single", {"plan.dxf", "NEW"}, Printed(messages::kFinished), {"NEW.dxf"}},
    {"Suffix",
     {"--suffix", "_lt", "plan.dxf"},
     Printed(messages::kFinished, "plan.dxf: "),
     {"plan_lt.dxf"}},
    {"Check", {"--check", "plan.dxf"}, Printed(messages::kFinished, "plan.dxf: "), {}},
    {"Jobs",
     {"-j", "2", "--suffix", "_lt", "plan.dxf", "copy.dxf"},
     Printed(messages::kFinished, "plan.dxf: ") + Printed(messages::kFinished, "copy.dxf: "),
     {"plan_lt.dxf", "copy_lt.dxf"}},
};

class ModernOption : public testing::TestWithParam<FormCase> {};

TEST_P(ModernOption, ConvertsWhatTheDefaultModeRefuses) {
    const FormCase& c = GetParam();
    TempDir plainDir;
    TempDir modernDir;
    for (const TempDir* dir : {&plainDir, &modernDir}) {
        WriteFile(dir->File("plan.dxf"), kSource);
        WriteFile(dir->File("copy.dxf"), kSource);
    }
    std::vector<std::string> modernArguments = {"--modern"};
    modernArguments.insert(modernArguments.end(), c.arguments.begin(), c.arguments.end());

    const CommandResult plain = RunDxfconv(c.arguments, plainDir.path());
    const CommandResult modern = RunDxfconv(modernArguments, modernDir.path());

    EXPECT_EQ(plain.status, 1);
    EXPECT_NE(plain.err.find("一行の文字数が98以上です。"), std::string::npos) << plain.err;
    EXPECT_EQ(modern.status, 0);
    EXPECT_EQ(modern.err, c.err);
    Names files = {"copy.dxf", "plan.dxf"};
    for (const std::string& output : c.outputs) {
        EXPECT_EQ(ReadFile(modernDir.File(output)), ModernOutput()) << output;
        files.push_back(output);
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(ListDir(modernDir.path()), files);
}

INSTANTIATE_TEST_SUITE_P(Cli, ModernOption, testing::ValuesIn(kForms), TitleOf{});

TEST(ModernOption, HelpNamesTheOption) {
    TempDir dir;
    const CommandResult result = RunDxfconv({"--help"}, dir.path());

    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("--modern"), std::string::npos);
    EXPECT_NE(result.out.find("R13"), std::string::npos);
}

}  // namespace
