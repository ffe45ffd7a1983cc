#include "browse_request.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

TEST(BrowseRequestTest, PatternIsAStarBeforeTheExtension) {
    EXPECT_EQ(BrowsePattern(".dxf"), "*.dxf");
    EXPECT_EQ(BrowsePattern(".x"), "*.x");
}

TEST(BrowseRequestTest, FilterOffersDxfFilesThenAllFilesAndEndsInTwoBars) {
    EXPECT_EQ(BrowseFilter(".dxf"), "DXFﾌｧｲﾙ(*.dxf)|*.dxf|すべてのﾌｧｲﾙ(*.*)|*.*||");
}

TEST(BrowseRequestTest, FilterFollowsTheExtension) {
    EXPECT_EQ(BrowseFilter(".abc"), "DXFﾌｧｲﾙ(*.abc)|*.abc|すべてのﾌｧｲﾙ(*.*)|*.*||");
}

TEST(BrowseRequestTest, WildcardDropsOnlyTheClosingBars) {
    EXPECT_EQ(WildcardFromFilter(BrowseFilter(".dxf")),
              "DXFﾌｧｲﾙ(*.dxf)|*.dxf|すべてのﾌｧｲﾙ(*.*)|*.*");
    EXPECT_EQ(WildcardFromFilter("a|b"), "a|b");
    EXPECT_EQ(WildcardFromFilter("a|b|||"), "a|b|");
}

struct AnyCaseCase {
    const char* wildcard;
    const char* anyCase;

    friend void PrintTo(const AnyCaseCase& c, std::ostream* out) {
        *out << '"' << c.wildcard << '"';
    }
};

class AnyCasePatternsTest : public testing::TestWithParam<AnyCaseCase> {};

TEST_P(AnyCasePatternsTest, RewritesPatternsOnlyAndKeepsTheDescriptions) {
    EXPECT_EQ(AnyCasePatterns(GetParam().wildcard), GetParam().anyCase);
}

INSTANTIATE_TEST_SUITE_P(
    Wildcards, AnyCasePatternsTest,
    testing::Values(AnyCaseCase{"DXFﾌｧｲﾙ(*.dxf)|*.dxf|すべてのﾌｧｲﾙ(*.*)|*.*",
                                "DXFﾌｧｲﾙ(*.dxf)|*.[dD][xX][fF]|すべてのﾌｧｲﾙ(*.*)|*"},
                    AnyCaseCase{"a|*.Dxf;*.DWG|b|*.*;x",
                                "a|*.[dD][xX][fF];*.[dD][wW][gG]|b|*;[xX]"},
                    AnyCaseCase{"n|*.d2x-", "n|*.[dD]2[xX]-"},  // digits and signs stay
                    AnyCaseCase{"a.*|*.*", "a.*|*"},            // a description is text
                    AnyCaseCase{"only a description", "only a description"}, AnyCaseCase{"", ""}));

TEST(BrowseRequestTest, TitleNamesTheDxfSource) {
    EXPECT_EQ(kBrowseTitle, "DXF元ﾌｧｲﾙを選択");
}

struct DirectoryCase {
    const char* path;
    const char* directory;

    friend void PrintTo(const DirectoryCase& c, std::ostream* out) { *out << '"' << c.path << '"'; }
};

class InitialDirectoryTest : public testing::TestWithParam<DirectoryCase> {};

TEST_P(InitialDirectoryTest, IsTheTextBeforeALastSeparatorAtIndexTwoOrLater) {
    EXPECT_EQ(InitialDirectory(GetParam().path), GetParam().directory) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, InitialDirectoryTest,
    testing::Values(DirectoryCase{"", ""},                               // nothing chosen yet
                    DirectoryCase{"/home/user/plan.dxf", "/home/user"},  // the usual case
                    DirectoryCase{"/plan.dxf", ""},                      // separator at 0
                    DirectoryCase{"a/plan.dxf", ""},                     // separator at 1
                    DirectoryCase{"ab/plan.dxf", "ab"},                  // separator at 2
                    DirectoryCase{"plan.dxf", ""},                       // no separator
                    DirectoryCase{"/data/", "/data"},                    // ends in one
                    DirectoryCase{"/図面/表ソ/plan.dxf", "/図面/表ソ"},  // double-byte names
                    DirectoryCase{"/a&b/c d/plan.dxf", "/a&b/c d"}));    // kept verbatim

}  // namespace
