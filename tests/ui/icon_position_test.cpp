#include "icon_position.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct PositionCase {
    int clientWidth;
    int clientHeight;
    int iconWidth;
    int iconHeight;
    int x;
    int y;

    friend void PrintTo(const PositionCase& c, std::ostream* out) {
        *out << c.clientWidth << "x" << c.clientHeight << " with " << c.iconWidth << "x"
             << c.iconHeight;
    }
};

class IconPositionTest : public testing::TestWithParam<PositionCase> {};

TEST_P(IconPositionTest, CentresRoundingUpAndTruncatingTowardZero) {
    const PositionCase& c = GetParam();
    const IconOrigin origin =
        CentredIconOrigin(c.clientWidth, c.clientHeight, c.iconWidth, c.iconHeight);
    EXPECT_EQ(origin.x, c.x);
    EXPECT_EQ(origin.y, c.y);
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconPositionTest,
                         testing::Values(PositionCase{36, 36, 32, 32, 2, 2},
                                         PositionCase{32, 32, 32, 32, 0, 0},
                                         PositionCase{35, 37, 32, 32, 2, 3},  // odd: rounds up
                                         PositionCase{33, 34, 32, 32, 1, 1},
                                         PositionCase{31, 30, 32, 32, 0, -0},   // -1/2 is 0
                                         PositionCase{0, 0, 32, 32, -15, -15},  // not -16
                                         PositionCase{1, 2, 32, 32, -15, -14},
                                         PositionCase{160, 28, 16, 16, 72, 6}));

}  // namespace
