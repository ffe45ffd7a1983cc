#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_support.h"
#include "dxfconv_process.h"
#include "messages.h"
#include "temp_dir.h"

namespace {

using Names = std::vector<std::string>;

constexpr char kSource[] = "999\ncomment\n  0\nEOF\n";
constexpr char kOutput[] = "999\r\ncomment\r\n  0\r\nEOF\r\n";
constexpr char kMisplaced[] = "  0\nENDSEC\n";  // ENDSEC outside any section
constexpr char kCutShort[] =
    "元ﾌｧｲﾙが EOF で終わっていません。ﾌｧｲﾙが途中で切れている可能性があります。";

// Sources that end in every way a run can: converted, missing, stopped.
struct Drawings {
    TempDir dir;
    Names sources;
    std::string expectedMessages;

    Drawings() {
        for (int i = 0; i < 12; ++i) {
            const std::string name = "d" + std::to_string(i) + ".dxf";
            const int kind = i % 3;
            if (kind == 0) WriteFile(dir.File(name), kSource);
            if (kind == 2) WriteFile(dir.File(name), kMisplaced);
            sources.push_back(name);
            const std::string prefix = name + ": ";
            if (kind == 0) expectedMessages += Printed(messages::kFinished, prefix);
            if (kind == 1) expectedMessages += Printed(messages::kSourceMissing, prefix);
            if (kind == 2) {
                expectedMessages +=
                    Printed(std::string("2") + std::string(messages::kStructureErrorBefore) +
                                "ENDSEC" + std::string(messages::kStructureErrorAfter),
                            prefix);
            }
        }
    }
};

TEST(Jobs, PrintEachFilesMessagesTogetherInTheOrderOfTheSources) {
    for (const char* jobs : {"1", "4", "0"}) {
        SCOPED_TRACE(jobs);
        Drawings drawings;
        std::vector<std::string> arguments = {"-j", jobs, "--suffix", "_lt"};
        arguments.insert(arguments.end(), drawings.sources.begin(), drawings.sources.end());

        const CommandResult result = RunDxfconv(arguments, drawings.dir.path());

        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, drawings.expectedMessages);
        EXPECT_EQ(ReadFile(drawings.dir.File("d0_lt.dxf")), kOutput);
        EXPECT_EQ(ReadFile(drawings.dir.File("d9_lt.dxf")), kOutput);
        EXPECT_FALSE(Exists(drawings.dir.File("d1_lt.dxf")));
        EXPECT_FALSE(Exists(drawings.dir.File("d2_lt.dxf")));
    }
}

TEST(Jobs, AllFinishedGivesStatusZero) {
    TempDir dir;
    WriteFile(dir.File("a.dxf"), kSource);
    WriteFile(dir.File("b.dxf"), kSource);
    const CommandResult result =
        RunDxfconv({"--jobs=2", "-q", "--suffix", "_x", "a.dxf", "b.dxf"}, dir.path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ListDir(dir.path()), (Names{"a.dxf", "a_x.dxf", "b.dxf", "b_x.dxf"}));
}

TEST(Check, ConvertsWithoutCreatingAnyFile) {
    Drawings drawings;
    std::vector<std::string> arguments = {"--check"};
    arguments.insert(arguments.end(), drawings.sources.begin(), drawings.sources.end());
    const Names before = ListDir(drawings.dir.path());

    const CommandResult result = RunDxfconv(arguments, drawings.dir.path());

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, drawings.expectedMessages);
    EXPECT_EQ(ListDir(drawings.dir.path()), before);
}

TEST(Check, SucceedsWhereTheOutputNameIsTakenAndLeavesItAlone) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), kSource);
    WriteFile(dir.File("dxfconv-check.dxf"), "mine");

    const CommandResult result = RunDxfconv({"--check", "-j", "3", "plan.dxf"}, dir.path());

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, Printed(messages::kFinished, "plan.dxf: "));
    EXPECT_EQ(ReadFile(dir.File("dxfconv-check.dxf")), "mine");
    EXPECT_EQ(ListDir(dir.path()), (Names{"dxfconv-check.dxf", "plan.dxf"}));
}

// A drawing cut short converts, with a word on it, but fails a check.
TEST(Check, FailsOnADrawingCutShortEvenWhenQuiet) {
    TempDir dir;
    WriteFile(dir.File("cut.dxf"), "999\ncomment\n  0\nEOF\n999\n");

    const CommandResult result = RunDxfconv({"--check", "-q", "cut.dxf"}, dir.path());

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, Printed(kCutShort, "cut.dxf: "));
}

TEST(Check, ReportsTheLayerNoticeAndTheStopLikeARealRun) {
    TempDir dir;
    std::string source = "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n";
    for (int i = 0; i < 257; ++i) source += "  0\nLAYER\n  2\nL" + std::to_string(i) + "\n";
    source += "  0\nENDTAB\n  0\nENDTAB\n";
    WriteFile(dir.File("many.dxf"), source);

    const CommandResult result = RunDxfconv({"--check", "many.dxf"}, dir.path());

    const std::string stopLine = std::to_string(8 + 257 * 4 + 4);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, Printed(messages::kLayerLimit, "many.dxf: ") +
                              Printed(stopLine + std::string(messages::kStructureErrorBefore) +
                                          "ENDTAB" + std::string(messages::kStructureErrorAfter),
                                      "many.dxf: "));
    EXPECT_EQ(ListDir(dir.path()), Names{"many.dxf"});
}

}  // namespace
