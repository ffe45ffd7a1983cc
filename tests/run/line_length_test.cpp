#include <gtest/gtest.h>

#include "line_reader.h"
#include "messages.h"
#include "run_support.h"
#include "temp_dir.h"
#include "text_model.h"

namespace {

using namespace std::string_literals;

std::string Bytes(std::size_t n, char c = 'a') {
    return std::string(n, c);
}

std::string Repeat(const std::string& unit, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += unit;
    return text;
}

struct LengthCase {
    const char* title;
    std::string source;
    bool tooLong;
    std::string output;

    friend void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.title; }
};

const LengthCase kLengthCases[] = {
    {"97BytesAndLf", Bytes(97) + "\n" + "x\n", false, Bytes(97) + "\r\nx\r\n"},
    {"97BytesAndCrLf", Bytes(97) + "\r\n" + "x\r\n", false, Bytes(97) + "\r\nx\r\n"},
    {"97BytesAsLastLineWithoutBreak", "x\n" + Bytes(97), false, "x\r\n" + Bytes(97) + "\r\n"},
    {"97BytesThenCtrlZ", Bytes(97) + "\032" + Bytes(10), false, Bytes(97) + "\r\n"},
    {"97SpacesAndLf", Bytes(97, ' ') + "\n", false, Bytes(97, ' ') + "\r\n"},
    {"97BytesWithNuls", Bytes(50, '\0') + Bytes(47) + "\n", false,
     Bytes(50, '\0') + Bytes(47) + "\r\n"},
    {"97BytesOfDoubleByteCharacters", Repeat("\x95\x5C", 48) + "a\n", false,
     Repeat("\x95\x5C", 48) + "a\r\n"},
    {"98BytesAndLf", "x\n" + Bytes(98) + "\n" + "y\n", true, "x\r\n"},
    {"98BytesAndCrLf", "x\r\n" + Bytes(98) + "\r\n" + "y\r\n", true, "x\r\n"},
    {"98BytesAsLastLineWithoutBreak", "x\n" + Bytes(98), true, "x\r\n"},
    {"98BytesAsFirstLine", Bytes(98) + "\n", true, ""},
    {"99Bytes", "x\n" + Bytes(99) + "\n", true, "x\r\n"},
    {"ALongLine", "x\n" + Bytes(5000) + "\n", true, "x\r\n"},
    {"97BytesAndALoneCr", "x\n" + Bytes(97) + "\r\r\n", true, "x\r\n"},
    {"97BytesAndACrAtTheEnd", "x\n" + Bytes(97) + "\r", true, "x\r\n"},
    {"98BytesThenCtrlZ", "x\n" + Bytes(98) + "\032" + "\n", true, "x\r\n"},
    {"98Spaces", "x\n" + Bytes(98, ' ') + "\n", true, "x\r\n"},
    {"98BytesWithANulAtTen", "x\n" + Bytes(10) + "\0"s + Bytes(87) + "\n", true, "x\r\n"},
    {"98BytesOfDoubleByteCharacters", "x\n" + Repeat("\x95\x5C", 49) + "\n", true, "x\r\n"},
};

class LineLength : public testing::TestWithParam<LengthCase> {};

TEST_P(LineLength, AcceptsAtMost97Bytes) {
    const LengthCase& c = GetParam();
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), c.source);

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW");

    EXPECT_EQ(run.calls,
              CursorThenMessages({c.tooLong ? messages::kLineTooLong : messages::kFinished}));
    EXPECT_EQ(run.outcome, c.tooLong ? RunOutcome::Stopped : RunOutcome::Finished);
    EXPECT_EQ(ReadFile(dir.File("NEW.dxf")), c.output);
}

TEST_P(LineLength, AgreesWithTheModel) {
    const LengthCase& c = GetParam();
    const ModelRun model = ModelConversion(c.source);
    EXPECT_EQ(model.tooLong, c.tooLong);
    EXPECT_EQ(model.output, c.output);
}

INSTANTIATE_TEST_SUITE_P(Run, LineLength, testing::ValuesIn(kLengthCases), TitleOf{});

// Lines placed around the end of the reader's first block: the same rules
// hold wherever a block ends.
struct BoundaryCase {
    const char* title;
    std::size_t beforeBoundary;  // bytes of the tail that lie in the first block
    std::string tail;            // what follows the filler lines, to the end of the file
    bool tooLong;

    friend void PrintTo(const BoundaryCase& c, std::ostream* os) { *os << c.title; }
};

const BoundaryCase kBoundaryCases[] = {
    {"97BytesLfAtTheBoundary", 97, Bytes(97) + "\nafter\n", false},
    {"97BytesLfLastInTheBlock", 98, Bytes(97) + "\nafter\n", false},
    {"97BytesAcross", 50, Bytes(97) + "\nafter\n", false},
    {"97BytesStartingAtTheBoundary", 0, Bytes(97) + "\nafter\n", false},
    {"97BytesCrLfSplitByTheBoundary", 98, Bytes(97) + "\r\nafter\n", false},
    {"97BytesCrLfAfterTheBoundary", 97, Bytes(97) + "\r\nafter\n", false},
    {"ShortLineCrLfSplitByTheBoundary", 4, "abc\r\nafter\n", false},
    {"LoneCrLastInTheBlock", 4, "abc\rx\nafter\n", false},
    {"EmptyCrLfLineSplit", 1, "\r\n\r\nafter\n", false},
    {"98BytesAcross", 50, Bytes(98) + "\nafter\n", true},
    {"98BytesLfAtTheBoundary", 98, Bytes(98) + "\nafter\n", true},
    {"98BytesStartingAtTheBoundary", 0, Bytes(98) + "\nafter\n", true},
    {"97BytesCrCrLfAcross", 98, Bytes(97) + "\r\r\nafter\n", true},
    {"CtrlZAtTheBoundary", 0, "\032after\n", false},
    {"CtrlZLastInTheBlock", 1, "\032after\n", false},
    {"CtrlZInALineAcross", 3, "ab\032after\n", false},
    {"CrLastInTheBlockThenCtrlZ", 4, "abc\r\032\n", false},
    {"97BytesLastLineEndingAtTheBoundary", 97, Bytes(97), false},
    {"97BytesLastLineAcross", 40, Bytes(97), false},
    {"98BytesLastLineEndingAtTheBoundary", 98, Bytes(98), true},
    {"98BytesLastLineAcross", 40, Bytes(98), true},
    {"FileEndsWithCrAtTheBoundary", 4, "abc\r", false},
    {"FileOfExactlyOneBlock", 0, "", false},
    {"FileOneByteOverABlock", 0, "x", false},
    {"GroupLinesCrLfAndLfAcross", 12, " 20\r\n2.5\r\n 30\n0.0\r\n 40\r\n1\n", false},
    {"GroupLinesUpTo98Bytes", 12, " 20\r\n2.5\r\n" + Bytes(98) + "\r\nafter\r\n", true},
};

class BlockBoundary : public testing::TestWithParam<BoundaryCase> {};

void ExpectTheModelsOutput(const std::string& source, bool tooLong) {
    const ModelRun model = ModelConversion(source);
    ASSERT_EQ(model.tooLong, tooLong) << "the case does not test what it says";
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), source);

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW");

    EXPECT_EQ(run.calls,
              CursorThenMessages({tooLong ? messages::kLineTooLong : messages::kFinished}));
    const std::string output = ReadFile(dir.File("NEW.dxf"));
    EXPECT_EQ(output.size(), model.output.size());
    EXPECT_TRUE(output == model.output)
        << "the output differs from the model at byte " << FirstDifference(output, model.output);
}

TEST_P(BlockBoundary, ReadsLinesAcrossTheEndOfABlock) {
    const BoundaryCase& c = GetParam();
    ExpectTheModelsOutput(FillerLines(LineReader::kBlockBytes - c.beforeBoundary) + c.tail,
                          c.tooLong);
}

// The same after groups that pass the stages by in runs, up to the tail.
TEST_P(BlockBoundary, PassesRunsOfLinesUpToTheEndOfABlock) {
    const BoundaryCase& c = GetParam();
    ExpectTheModelsOutput(GroupLines(LineReader::kBlockBytes - c.beforeBoundary) + c.tail,
                          c.tooLong);
}

INSTANTIATE_TEST_SUITE_P(Run, BlockBoundary, testing::ValuesIn(kBoundaryCases), TitleOf{});

}  // namespace
