#include "start_options.h"

#include <gtest/gtest.h>
#include <wx/filefn.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct StartCase {
    std::vector<std::string> arguments;
    // Relative to the current directory unless it begins with '/'; "" for
    // none.
    std::string sourcePath;
    std::string error;
    bool modern = false;

    friend void PrintTo(const StartCase& c, std::ostream* out) {
        for (const std::string& argument : c.arguments) *out << '"' << argument << "\" ";
    }
};

class StartOptionsTest : public testing::TestWithParam<StartCase> {};

TEST_P(StartOptionsTest, TakesOneFileMadeAbsolute) {
    const StartCase& c = GetParam();
    std::vector<wxString> arguments;
    for (const std::string& argument : c.arguments)
        arguments.push_back(wxString::FromUTF8(argument));
    wxString expected = wxString::FromUTF8(c.sourcePath);
    if (!c.sourcePath.empty() && c.sourcePath[0] != '/') expected = wxGetCwd() + "/" + expected;

    const StartOptions options = ParseStartOptions(arguments);

    EXPECT_EQ(options.sourcePath, expected);
    EXPECT_EQ(options.error, wxString::FromUTF8(c.error));
    EXPECT_EQ(options.modern, c.modern);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StartOptionsTest,
    testing::Values(StartCase{{}, "", ""}, StartCase{{"/data/plan.dxf"}, "/data/plan.dxf", ""},
                    StartCase{{"plan.dxf"}, "plan.dxf", ""},
                    StartCase{{"./図面/../plan.DXF"}, "plan.DXF", ""},
                    StartCase{{"/data/no such file"}, "/data/no such file", ""},
                    StartCase{{"--", "-plan.dxf"}, "-plan.dxf", ""}, StartCase{{"-"}, "-", ""},
                    StartCase{{"-x"}, "", "不明なオプションです: -x"},
                    StartCase{{"a.dxf", "b.dxf"}, "", "余分な引数があります: b.dxf"},
                    StartCase{{""}, "", "元ﾌｧｲﾙ名が空です。"},
                    StartCase{{"--modern"}, "", "", true},
                    StartCase{{"plan.dxf", "--modern"}, "plan.dxf", "", true},
                    StartCase{{"--", "--modern"}, "--modern", ""}));

}  // namespace
