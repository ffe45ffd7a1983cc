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
    bool shiftJis;
    std::size_t lastSeparator;
    std::string_view outputPath;

    friend void PrintTo(const PathCase& c, std::ostream* os) { *os << c.title; }
};

// 表 is 0x95 0x5C and ソ is 0x83 0x5C in Shift-JIS; ｶ is the single byte
// 0xB6. The trail byte 0x5C of a double-byte character is no separator.
const PathCase kPathCases[] = {
    // POSIX
    {"Directory", "/data/plan.dxf", "NEW", "/", false, 5, "/data/NEW.dxf"},
    {"NoSeparator", "plan.dxf", "NEW", "/", false, npos, "NEW.dxf"},
    {"Root", "/plan.dxf", "NEW", "/", false, 0, "/NEW.dxf"},
    {"SeparatorAtIndexOne", "a/plan.dxf", "NEW", "/", false, 1, "a/NEW.dxf"},
    {"DotDirectory", "./plan.dxf", "NEW", "/", false, 1, "./NEW.dxf"},
    {"DoubleSlash", "//plan.dxf", "NEW", "/", false, 1, "//NEW.dxf"},
    {"Nested", "a/b c/d/plan.dxf", "NEW", "/", false, 7, "a/b c/d/NEW.dxf"},
    {"TrailingSlash", "dir/sub/", "NEW", "/", false, 7, "dir/sub/NEW.dxf"},
    {"NameWithSpaces", "/d/plan.dxf", " my new plan ", "/", false, 2, "/d/ my new plan .dxf"},
    {"NameWithExtension", "/d/plan.dxf", "NEW.dxf", "/", false, 2, "/d/NEW.dxf.dxf"},
    {"NameOfTheSource", "/d/plan.dxf", "plan", "/", false, 2, "/d/plan.dxf"},
    {"BackslashIsNoPosixSeparator", "dir\\plan.dxf", "NEW", "/", false, npos, "NEW.dxf"},
    {"ShiftJisBytesInPosixPath", "/d/\x95\x5C/plan.dxf", "NEW", "/", false, 5,
     "/d/\x95\x5C/NEW.dxf"},
    // Windows
    {"WinDirectory", "C:\\DATA\\PLAN.dxf", "NEW", "\\/", true, 7, "C:\\DATA\\NEW.dxf"},
    {"WinRoot", "C:\\PLAN.dxf", "NEW", "\\/", true, 2, "C:\\NEW.dxf"},
    {"WinNoSeparator", "PLAN.dxf", "NEW", "\\/", true, npos, "NEW.dxf"},
    {"WinSlash", "C:/DATA/PLAN.dxf", "NEW", "\\/", true, 7, "C:/DATA/NEW.dxf"},
    {"WinMixedLastIsSlash", "C:\\DATA/sub\\x/PLAN.dxf", "NEW", "\\/", true, 13,
     "C:\\DATA/sub\\x/NEW.dxf"},
    {"WinUnc", "\\\\host\\share\\PLAN.dxf", "NEW", "\\/", true, 12, "\\\\host\\share\\NEW.dxf"},
    {"WinHyouDirectory", "C:\\\x95\x5C\\PLAN.dxf", "NEW", "\\/", true, 5, "C:\\\x95\x5C\\NEW.dxf"},
    {"WinSoDirectory", "C:\\DATA\\\x83\x5C\x83\x5C\\PLAN.dxf", "NEW", "\\/", true, 12,
     "C:\\DATA\\\x83\x5C\x83\x5C\\NEW.dxf"},
    {"WinHyouFileName", "C:\\DATA\\\x95\x5C.dxf", "NEW", "\\/", true, 7, "C:\\DATA\\NEW.dxf"},
    {"WinHyouOnly", "\x95\x5C.dxf", "NEW", "\\/", true, npos, "NEW.dxf"},
    {"WinHyouWithoutShiftJis", "C:\\DATA\\\x95\x5C.dxf", "NEW", "\\/", false, 9,
     "C:\\DATA\\\x95\\NEW.dxf"},
    {"WinLeadByteRangeEnds", "C:\\\x81\x5C\x9F\x5C\xE0\x5C\xFC\x5C.dxf", "NEW", "\\/", true, 2,
     "C:\\NEW.dxf"},
    {"WinHalfWidthKatakanaIsOneByte", "C:\\\xB6\\PLAN.dxf", "NEW", "\\/", true, 4,
     "C:\\\xB6\\NEW.dxf"},
    {"WinNonLeadBytes", "C:\\\x80\\\xA0\\\xFD\\PLAN.dxf", "NEW", "\\/", true, 8,
     "C:\\\x80\\\xA0\\\xFD\\NEW.dxf"},
    {"WinLeadByteAtTheEnd", "C:\\DATA\\\x95", "NEW", "\\/", true, 7, "C:\\DATA\\NEW.dxf"},
};

class OutputPathComposition : public testing::TestWithParam<PathCase> {};

TEST_P(OutputPathComposition, FindsTheLastSeparator) {
    const PathCase& c = GetParam();
    EXPECT_EQ(LastSeparatorIndex(c.sourcePath, c.separators, c.shiftJis), c.lastSeparator);
}

TEST_P(OutputPathComposition, PutsTheOutputBesideTheSource) {
    const PathCase& c = GetParam();
    EXPECT_EQ(ComposeOutputPath(c.sourcePath, c.outputName, ".dxf", c.separators, c.shiftJis),
              c.outputPath);
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
    EXPECT_EQ(FolderPartLength(c.path, c.separators, false, c.drives), c.folderLength);
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
