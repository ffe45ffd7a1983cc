#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "conversion_state.h"

namespace {

struct NumberCase {
    std::int64_t lineNumber;
    const char* text;
};

class LineNumberText : public testing::TestWithParam<NumberCase> {};

// Plain decimal: no sign, no leading zeros, no separators, and on past the
// largest 32-bit number.
TEST_P(LineNumberText, IsThePlainDecimalOfTheLineNumber) {
    ConversionState state;
    state.lineNumber = GetParam().lineNumber;
    EXPECT_EQ(state.lineNumberText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Run, LineNumberText,
    testing::Values(NumberCase{1, "1"}, NumberCase{9, "9"}, NumberCase{10, "10"},
                    NumberCase{1000000, "1000000"}, NumberCase{2147483647, "2147483647"},
                    NumberCase{2147483648, "2147483648"}, NumberCase{4294967296, "4294967296"},
                    NumberCase{std::numeric_limits<std::int64_t>::max(), "9223372036854775807"}),
    [](const auto& info) { return "Line" + std::to_string(info.param.lineNumber); });

}  // namespace
