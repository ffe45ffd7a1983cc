#include "output_path.h"

#include <gtest/gtest.h>

#include "run_support.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

struct PathCase {
    const char* title;
    std::string_view sourcePath;
    std::string_view outputName;
    std::string_view separators;
    std::size_t lastSeparator;
    std::string_view outputPath;

    friend void PrintTo(const PathCase& c, std::ostream* os) { *os << c.title; }
};

const PathCase kPathCases[] = {
    // POSIX
    {"Directory", "/data/plan.dxf", "NEW", "/", 5, "/data/NEW.dxf"},
    {"NoSeparator", "plan.dxf", "NEW", "/", npos, "NEW.dxf"},
    {"Root", "/plan.dxf", "NEW", "/", 0, "/NEW.dxf"},
    {"SeparatorAtIndexOne", "a/plan.dxf", "NEW", "/", 1, "a/NEW.dxf"},
    {"DotDirectory", "./plan.dxf", "NEW", "/", 1, "./NEW.dxf"},
    {"DoubleSlash", "//plan.dxf", "NEW", "/", 1, "//NEW.dxf"},
    {"Nested", "a/b c/d/plan.dxf", "NEW", "/", 7, "a/b c/d/NEW.dxf"},
    {"TrailingSlash", "dir/sub/", "NEW", "/", 7, "dir/sub/NEW.dxf"},
    {"NameWithSpaces", "/d/plan.dxf", " my new plan ", "/", 2, "/d/ my new plan .dxf"},
    {"NameWithExtension", "/d/plan.dxf", "NEW.dxf", "/", 2, "/d/NEW.dxf.dxf"},
    {"NameOfTheSource", "/d/plan.dxf", "plan", "/", 2, "/d/plan.dxf"},
    {"BackslashIsNoPosixSeparator", "dir\\plan.dxf", "NEW", "/", npos, "NEW.dxf"},
    {"ShiftJisBytesInPosixPath", "/d/\x95\x5C/plan.dxf", "NEW", "/", 5, "/d/\x95\x5C/NEW.dxf"},
    // Windows
    {"WinDirectory", "C:\\DATA\\PLAN.dxf", "NEW", "\\/", 7, "C:\\DATA\\NEW.dxf"},
    {"WinRoot", "C:\\PLAN.dxf", "NEW", "\\/", 2, "C:\\NEW.dxf"},
    {"WinNoSeparator", "PLAN.dxf", "NEW", "\\/", npos, "NEW.dxf"},
    {"WinSlash", "C:/DATA/PLAN.dxf", "NEW", "\\/", 7, "C:/DATA/NEW.dxf"},
    {"WinMixedLastIsSlash", "C:\\DATA/sub\\x/PLAN.dxf", "NEW", "\\/", 13,
     "C:\\DATA/sub\\x/NEW.dxf"},
    {"WinUnc", "\\\\host\\share\\PLAN.dxf", "NEW", "\\/", 12, "\\\\host\\share\\NEW.dxf"},
};

class OutputPathComposition : public testing::TestWithParam<PathCase> {};

TEST_P(OutputPathComposition, FindsTheLastSeparator) {
    const PathCase& c = GetParam();
    EXPECT_EQ(LastSeparatorIndex(c.sourcePath, c.separators), c.lastSeparator);
}

TEST_P(OutputPathComposition, PutsTheOutputBesideTheSource) {
    const PathCase& c = GetParam();
    EXPECT_EQ(ComposeOutputPath(c.sourcePath, c.outputName, ".dxf", c.separators), c.outputPath);
}

INSTANTIATE_TEST_SUITE_P(Run, OutputPathComposition, testing::ValuesIn(kPathCases), TitleOf{});

TEST(OutputPathComposition, AppendsTheExtensionVerbatim) {
    EXPECT_EQ(ComposeOutputPath("/d/plan.dxf", "NEW", ""), "/d/NEW");
    EXPECT_EQ(ComposeOutputPath("/d/plan.dxf", "NEW", ".DXF"), "/d/NEW.DXF");
}

struct FolderCase {
    const char* title;
    std::string_view path;
    std::string_view separators;
    bool drives;
    std::size_t folderLength;

    friend void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.title; }
};

// A drive-relative path names the current folder of its drive.
const FolderCase kFolderCases[] = {
    {"PosixPlainName", "plan.dxf", "/", false, 0},
    {"PosixColonIsAByte", "C:plan.dxf", "/", false, 0},
    {"PosixFolder", "d/plan.dxf", "/", false, 2},
    {"WinDriveRelative", "C:plan.dxf", "\\/", true, 2},
    {"WinLowerCaseDrive", "z:plan.dxf", "\\/", true, 2},
    {"WinDriveRoot", "C:\\plan.dxf", "\\/", true, 3},
    {"WinDriveRelativeFolder", "C:d\\plan.dxf", "\\/", true, 4},
    {"WinNoDriveLetter", "1:plan.dxf", "\\/", true, 0},
    {"WinColonLater", "ab:plan.dxf", "\\/", true, 0},
    {"WinDriveOnly", "C:", "\\/", true, 2},
    {"WinTooShort", "C", "\\/", true, 0},
};

class FolderPart : public testing::TestWithParam<FolderCase> {};

TEST_P(FolderPart, EndsAfterTheLastSeparatorOrTheDrive) {
    const FolderCase& c = GetParam();
    EXPECT_EQ(FolderPartLength(c.path, c.separators, c.drives), c.folderLength);
}

INSTANTIATE_TEST_SUITE_P(Run, FolderPart, testing::ValuesIn(kFolderCases), TitleOf{});

TEST(OutputPathComposition, UsesThisSystemsSeparators) {
#ifdef _WIN32
    // Paths are UTF-8 here: あ is 0xE3 0x81 0x82, whose last two bytes would
    // pass for Shift-JIS lead bytes and hide the separator after them.
    EXPECT_EQ(ComposeOutputPath("C:\\\xE3\x81\x82\\plan.dxf", "NEW", ".dxf"),
              "C:\\\xE3\x81\x82\\NEW.dxf");
    EXPECT_EQ(ComposeOutputPath("d/plan.dxf", "NEW", ".dxf"), "d/NEW.dxf");
    EXPECT_EQ(ComposeOutputPath("d\\plan.dxf", "NEW", ".dxf"), "d\\NEW.dxf");
    EXPECT_EQ(ComposeOutputPath("C:plan.dxf", "NEW", ".dxf"), "C:NEW.dxf");
#else
    EXPECT_EQ(ComposeOutputPath("/d/\x95\x5C/plan.dxf", "NEW", ".dxf"), "/d/\x95\x5C/NEW.dxf");
    EXPECT_EQ(ComposeOutputPath("d\\plan.dxf", "NEW", ".dxf"), "NEW.dxf");
    EXPECT_EQ(ComposeOutputPath("C:plan.dxf", "NEW", ".dxf"), "NEW.dxf");
#endif
}

}  // namespace
