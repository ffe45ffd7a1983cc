#include "space_removal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SpaceCase {
    std::string raw;
    std::string expected;
};

// Lines on both sides of the 16-byte fast path, with spaces in front, inside
// and behind, and the bytes that are not spaces.
TEST(RemoveSpaces, LeavesEveryByteButTheSpaces) {
    const SpaceCase cases[] = {
        {"", ""},
        {"  0", "0"},
        {" 10", "10"},
        {"ENTITIES      ", "ENTITIES"},
        {"   ", ""},
        {std::string(16, ' '), ""},
        {"               6", "6"},   // 15 spaces: 16 bytes
        {"                6", "6"},  // 16 spaces: 17 bytes
        {"A B", "AB"},
        {" A B C D E F G H ", "ABCDEFGH"},
        {"\t0", "\t0"},
        {"\xE3\x80\x80"
         "0",
         "\xE3\x80\x80"
         "0"},  // the full-width space stays
        {std::string("0\0 0", 4), std::string("0\0"
                                              "0",
                                              3)},
        {std::string(97, 'x'), std::string(97, 'x')},
        {std::string(40, ' ') + "WALL" + std::string(40, ' '), "WALL"},
    };
    for (const SpaceCase& c : cases) {
        // As in the reader's buffer: readable bytes behind the line, and
        // spaces there must not count.
        const std::string buffer = c.raw + std::string(32, ' ');
        LineText line;
        line.assign("a longer line left from before, which must not show");
        RemoveSpaces(std::string_view(buffer.data(), c.raw.size()), line);
        EXPECT_EQ(std::string(line.view()), c.expected) << '"' << c.raw << '"';
    }
}

}  // namespace
