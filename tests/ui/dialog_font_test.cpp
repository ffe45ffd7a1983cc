#include "dialog_font.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

TEST(DialogFontTest, TriesTheTemplateFaceFirstThenTheMinchoFallbacksInOrder) {
    const std::vector<std::string_view> expected = {"ＭＳ 明朝",        "MS Mincho",   "IPAMincho",
                                                    "IPA明朝",          "IPAexMincho", "IPAex明朝",
                                                    "Noto Serif CJK JP"};
    EXPECT_EQ(DialogFontFaces("ＭＳ 明朝"), expected);
}

struct FaceCase {
    std::set<std::string> installed;
    std::string_view chosen;

    friend void PrintTo(const FaceCase& c, std::ostream* out) {
        *out << (c.installed.empty() ? "nothing" : *c.installed.begin()) << "...";
    }
};

class FirstInstalledFaceTest : public testing::TestWithParam<FaceCase> {};

TEST_P(FirstInstalledFaceTest, TakesTheFirstFaceThatIsInstalled) {
    const std::set<std::string>& installed = GetParam().installed;
    EXPECT_EQ(FirstInstalledFace(
                  DialogFontFaces("ＭＳ 明朝"),
                  [&](std::string_view face) { return installed.count(std::string(face)) > 0; }),
              GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, FirstInstalledFaceTest,
    testing::Values(FaceCase{{"ＭＳ 明朝", "MS Mincho", "IPAMincho"}, "ＭＳ 明朝"},
                    FaceCase{{"IPAMincho", "IPA明朝", "Noto Serif CJK JP"}, "IPAMincho"},
                    FaceCase{{"Noto Serif CJK JP", "IPAex明朝"}, "IPAex明朝"},
                    FaceCase{{"Noto Serif CJK JP"}, "Noto Serif CJK JP"},
                    FaceCase{{"DejaVu Sans"}, ""}, FaceCase{{}, ""}));

}  // namespace
