#include <gtest/gtest.h>

#include "faulty_files.h"
#include "messages.h"
#include "run_support.h"
#include "temp_dir.h"
#include "text_model.h"

namespace {

using namespace std::string_literals;

struct TextCase {
    const char* title;
    std::string source;
    std::string output;

    friend void PrintTo(const TextCase& c, std::ostream* os) { *os << c.title; }
};

const TextCase kTextCases[] = {
    {"EmptyFile", "", ""},
    {"LfLines", "999\nabc\n", "999\r\nabc\r\n"},
    {"CrLfLines", "999\r\nabc\r\n", "999\r\nabc\r\n"},
    {"MixedLineEnds", "a\r\nb\nc\r\n", "a\r\nb\r\nc\r\n"},
    {"LastLineWithoutBreak", "a\nb", "a\r\nb\r\n"},
    {"NoLineBreakAtAll", "abc", "abc\r\n"},
    {"LoneCrIsAByte", "a\rb\n", "a\rb\r\n"},
    {"CrCrLfKeepsOneCr", "a\r\r\n", "a\r\r\n"},
    {"CrAtTheEndOfTheFile", "a\r", "a\r\r\n"},
    {"CrLineOnly", "\r", "\r\r\n"},
    {"LfCrIsABreakAndAByte", "a\n\rb\n", "a\r\n\rb\r\n"},
    {"CtrlZEndsTheInput", "a\n\032b\n", "a\r\n"},
    {"CtrlZInsideALine", "ab\032cd\ne\n", "ab\r\n"},
    {"CtrlZFirst", "\032abc\n", ""},
    {"CrBeforeCtrlZ", "a\r\032\n", "a\r\r\n"},
    {"CtrlZAfterTheLastBreak", "a\n\032", "a\r\n"},
    {"EmptyLine", "\n", "\r\n"},
    {"EmptyCrLfLine", "\r\n", "\r\n"},
    {"EmptyLinesInside", "a\n\n\nb\n", "a\r\n\r\n\r\nb\r\n"},
    {"SpaceOnlyLines", "   \n \r\n", "   \r\n \r\n"},
    {"TabsAndFullWidthSpacesStay", "\t0\t\n\x81\x40x\n", "\t0\t\r\n\x81\x40x\r\n"},
    {"NulInsideALine", "a\0b\nc\n"s, "a\0b\r\nc\r\n"s},
    {"NulOnlyLine", "\0\n"s, "\0\r\n"s},
    {"NulAtTheEnd", "x\0"s, "x\0\r\n"s},
    {"HighBytes", "\x81\x40\x95\x5C\xFF\n", "\x81\x40\x95\x5C\xFF\r\n"},
    // Read in pieces, these reach past the binary sentinel's 22 bytes.
    {"CtrlZEarlyThenMoreLines", "a\n\032" + std::string(30, 'b') + "\nccc\nddd\n", "a\r\n"},
    {"CtrlZInALineEndingPastTheSentinel", "ab\032" + std::string(20, 'b') + "\nccc\n", "ab\r\n"},
    {"ManyBreaksInTheFirstBytes", "1\n2\r\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n",
     "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n"},
};

class TextMode : public testing::TestWithParam<TextCase> {};

TEST_P(TextMode, WritesEveryLineWithCrLf) {
    const TextCase& c = GetParam();
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), c.source);

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW");

    EXPECT_EQ(run.calls, CursorThenMessages({messages::kFinished}));
    EXPECT_EQ(run.outcome, RunOutcome::Finished);
    EXPECT_EQ(ReadFile(dir.File("NEW.dxf")), c.output);
}

// The model the larger tests compare with agrees with every case here.
TEST_P(TextMode, AgreesWithTheModel) {
    const TextCase& c = GetParam();
    const ModelRun model = ModelConversion(c.source);
    EXPECT_FALSE(model.tooLong);
    EXPECT_EQ(model.output, c.output);
}

// Every read a few bytes only: each line is joined from pieces of blocks.
TEST_P(TextMode, GivesTheSameWhenReadInPieces) {
    const TextCase& c = GetParam();
    for (const std::size_t piece : {1, 2, 3, 5, 7, 22, 23}) {
        TempDir dir;
        WriteFile(dir.File("plan.dxf"), c.source);
        FaultyFiles files({.readChunk = piece});

        const RunRecord run = Convert(dir.File("plan.dxf"), "NEW", files.ops());

        EXPECT_EQ(run.calls, CursorThenMessages({messages::kFinished})) << piece;
        EXPECT_EQ(ReadFile(dir.File("NEW.dxf")), c.output) << "reads of " << piece;
    }
}

INSTANTIATE_TEST_SUITE_P(Run, TextMode, testing::ValuesIn(kTextCases), TitleOf{});

TEST(TextMode, CrLfAndLfSourcesGiveTheSameOutput) {
    TempDir dir;
    const std::string lf = "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n";
    WriteFile(dir.File("lf.dxf"), lf);
    WriteFile(dir.File("crlf.dxf"), CrLf(lf));

    EXPECT_EQ(Convert(dir.File("lf.dxf"), "FROM_LF").calls,
              CursorThenMessages({messages::kFinished}));
    EXPECT_EQ(Convert(dir.File("crlf.dxf"), "FROM_CRLF").calls,
              CursorThenMessages({messages::kFinished}));
    EXPECT_EQ(ReadFile(dir.File("FROM_LF.dxf")), CrLf(lf));
    EXPECT_EQ(ReadFile(dir.File("FROM_CRLF.dxf")), CrLf(lf));
}

// A NUL byte is part of the line the stages compare: "ENDSEC" and a NUL is
// no keyword, while "ENDSEC" outside a section is a structure error.
TEST(TextMode, ANulByteIsComparedLikeAnyOther) {
    TempDir dir;
    // Names that are no Windows device (NUL) and differ in more than case.
    WriteFile(dir.File("with_nul.dxf"), "  0\nENDSEC\0\n"s);
    WriteFile(dir.File("plain.dxf"), "  0\nENDSEC\n");

    EXPECT_EQ(Convert(dir.File("with_nul.dxf"), "FROM_NUL").calls,
              CursorThenMessages({messages::kFinished}));
    EXPECT_EQ(ReadFile(dir.File("FROM_NUL.dxf")), "  0\r\nENDSEC\0\r\n"s);

    const std::string error = "2"s + std::string(messages::kStructureErrorBefore) + "ENDSEC" +
                              std::string(messages::kStructureErrorAfter);
    EXPECT_EQ(Convert(dir.File("plain.dxf"), "FROM_PLAIN").calls, CursorThenMessages({error}));
    EXPECT_EQ(ReadFile(dir.File("FROM_PLAIN.dxf")), "  0\r\n");
}

}  // namespace
