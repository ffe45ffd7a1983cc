#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "conversion_state.h"

namespace {

std::string Text(const LineNumberText& number) {
    return std::string(number.view());
}

TEST(LineNumberText, StartsEmpty) {
    EXPECT_EQ(Text(LineNumberText{}), "");
}

TEST(LineNumberText, CountsInPlainDecimalThroughEveryCarryBelowAMillion) {
    LineNumberText number;
    for (std::int64_t n = 1; n <= 1'000'000; ++n) {
        number.Increment();
        const std::string expected = std::to_string(n);
        if (Text(number) != expected) {
            FAIL() << "after " << n << " increments: " << Text(number);
        }
    }
}

struct CarryCase {
    std::int64_t increments;
    const char* before;
    const char* after;
};

class LineNumberCarry : public testing::TestWithParam<CarryCase> {};

TEST_P(LineNumberCarry, CarriesIntoANewDigit) {
    const std::int64_t increments = GetParam().increments;
    LineNumberText number;
    for (std::int64_t n = 0; n < increments; ++n) number.Increment();
    EXPECT_EQ(Text(number), GetParam().before);
    number.Increment();
    EXPECT_EQ(Text(number), GetParam().after);
}

// Line numbers go on past the largest 32-bit number.
INSTANTIATE_TEST_SUITE_P(Run, LineNumberCarry,
                         testing::Values(CarryCase{9, "9", "10"}, CarryCase{99, "99", "100"},
                                         CarryCase{2147483647, "2147483647", "2147483648"}),
                         [](const auto& info) { return std::string("From") + info.param.before; });

}  // namespace
