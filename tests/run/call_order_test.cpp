#include <gtest/gtest.h>

#include "messages.h"
#include "run_support.h"
#include "temp_dir.h"

namespace {

std::string StructureError(const std::string& lineNumber, const std::string& keyword) {
    return lineNumber + std::string(messages::kStructureErrorBefore) + keyword +
           std::string(messages::kStructureErrorAfter);
}

struct OrderCase {
    const char* title;
    std::string source;
    std::vector<std::string> calls;
    RunOutcome outcome;
    std::string output;

    friend void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.title; }
};

const OrderCase kOrderCases[] = {
    {"LinesWithoutStructure", "999\ncomment\n  5\n1F\n", CursorThenMessages({messages::kFinished}),
     RunOutcome::Finished, "999\r\ncomment\r\n  5\r\n1F\r\n"},
    {"EmptyFile", "", CursorThenMessages({messages::kFinished}), RunOutcome::Finished, ""},
    {"TooLongLine", "999\n" + std::string(98, 'a') + "\n",
     CursorThenMessages({messages::kLineTooLong}), RunOutcome::Stopped, "999\r\n"},
    {"StructureErrorOnLineTwo", "  0\nENDSEC\nlater\n",
     CursorThenMessages({StructureError("2", "ENDSEC")}), RunOutcome::Stopped, "  0\r\n"},
    // Empty lines and lines of spaces are lines and are counted.
    {"StructureErrorAfterEmptyLines", "\n   \n\n\n\n\n\n\n\n  0\nENDSEC\n",
     CursorThenMessages({StructureError("11", "ENDSEC")}), RunOutcome::Stopped,
     "\r\n   \r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n  0\r\n"},
    {"StructureErrorKeywordWithoutSpaces", "  0\n  ENDSEC  \n",
     CursorThenMessages({StructureError("2", "ENDSEC")}), RunOutcome::Stopped, "  0\r\n"},
};

class CallOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(CallOrder, ClearsTheCursorBeforeTheOneMessage) {
    const OrderCase& c = GetParam();
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), c.source);

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW");

    EXPECT_EQ(run.calls, c.calls);
    EXPECT_EQ(run.outcome, c.outcome);
    EXPECT_EQ(ReadFile(dir.File("NEW.dxf")), c.output);
}

INSTANTIATE_TEST_SUITE_P(Run, CallOrder, testing::ValuesIn(kOrderCases), TitleOf{});

}  // namespace
