#include "start_options.h"

#include <gtest/gtest.h>
#include <wx/filefn.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

struct StartCase {
    std::vector<std::string> arguments;
    // Relative to the current directory unless it begins with '/'; "" for
    // none. Written with '/', which stands for a backslash on Windows.
    std::string sourcePath;
    std::string error;
    bool modern = false;

    friend void PrintTo(const StartCase& c, std::ostream* out) {
        for (const std::string& argument : c.arguments) *out << '"' << argument << "\" ";
    }
};

// The path as the platform writes it absolute: on Windows with backslashes and,
// when it begins with '/', on the current directory's drive.
wxString Absolute(const std::string& path) {
    wxString text = wxString::FromUTF8(path);
#ifdef __WINDOWS__
    text.Replace("/", "\\");
    if (path[0] == '/') return wxGetCwd().Left(2) + text;
    return wxGetCwd() + "\\" + text;
#else
    if (path[0] == '/') return text;
    return wxGetCwd() + "/" + text;
#endif
}

#ifdef __WINDOWS__
const StartCase kDotsCase{{"./図面/../plan.DXF"}, "plan.DXF", ""};
#else
// Only the system resolves "..", and there is no 図面 here.
const StartCase kDotsCase{{"./図面/../plan.DXF"}, "./図面/../plan.DXF", ""};
#endif

class StartOptionsTest : public testing::TestWithParam<StartCase> {};

TEST_P(StartOptionsTest, TakesOneFileMadeAbsolute) {
    const StartCase& c = GetParam();
    std::vector<wxString> arguments;
    for (const std::string& argument : c.arguments)
        arguments.push_back(wxString::FromUTF8(argument));
    const wxString expected = c.sourcePath.empty() ? wxString() : Absolute(c.sourcePath);

    const StartOptions options = ParseStartOptions(arguments);

    EXPECT_EQ(options.sourcePath, expected);
    EXPECT_EQ(options.error, wxString::FromUTF8(c.error));
    EXPECT_EQ(options.modern, c.modern);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StartOptionsTest,
    testing::Values(StartCase{{}, "", ""}, StartCase{{"/data/plan.dxf"}, "/data/plan.dxf", ""},
                    StartCase{{"plan.dxf"}, "plan.dxf", ""}, kDotsCase,
                    StartCase{{"/plan.dxf"}, "/plan.dxf", ""},
                    StartCase{{"/data/no such file"}, "/data/no such file", ""},
                    StartCase{{"--", "-plan.dxf"}, "-plan.dxf", ""}, StartCase{{"-"}, "-", ""},
                    StartCase{{"-x"}, "", "不明なオプションです: -x"},
                    StartCase{{"a.dxf", "b.dxf"}, "", "余分な引数があります: b.dxf"},
                    StartCase{{""}, "", "元ﾌｧｲﾙ名が空です。"},
                    StartCase{{"--modern"}, "", "", true},
                    StartCase{{"plan.dxf", "--modern"}, "plan.dxf", "", true},
                    StartCase{{"--", "--modern"}, "--modern", ""}));

#ifndef __WINDOWS__
// lnk/../plan.dxf is the plan.dxf beside what lnk points to, as the command
// and every other program find it, not the one beside lnk.
TEST(StartOptionsTest, GoesUpFromWhereALinkLeads) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("a/b"));
    std::filesystem::create_directory_symlink("a/b", dir.File("lnk"));
    const StartOptions options =
        ParseStartOptions({wxString::FromUTF8(dir.File("lnk/../plan.dxf"))});
    EXPECT_EQ(options.sourcePath,
              wxString::FromUTF8(std::filesystem::canonical(dir.path()).string() + "/a/plan.dxf"));
}
#endif

}  // namespace
