#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

#include "fault_run.h"
#include "messages.h"

namespace {

const std::string kSource = "  0\nEOF\n";

std::string M(std::string_view text) {
    return "message:" + std::string(text);
}

// What happens to a path after the run has checked it and before it opens it.
struct Swap {
    const char* name;
    std::function<void(const std::string& path, const std::string& aside)> act;
    std::vector<std::string> namesAfter;  // in the run's folder
};

// The source goes aside first, so that the test can see it is untouched.
void MoveAside(const std::string& path, const std::string& aside) {
    ASSERT_EQ(std::rename(path.c_str(), aside.c_str()), 0);
}

const Swap kSourceSwaps[] = {
    {"ReplacedByADirectory",
     [](const std::string& path, const std::string& aside) {
         MoveAside(path, aside);
         ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
     },
     {"aside.dxf", "plan.dxf"}},
    {"Removed", MoveAside, {"aside.dxf"}},
    {"ReplacedByAFifo",
     [](const std::string& path, const std::string& aside) {
         MoveAside(path, aside);
         ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
     },
     {"aside.dxf", "plan.dxf"}},
    {"ReplacedByALinkToADirectory",
     [](const std::string& path, const std::string& aside) {
         MoveAside(path, aside);
         ASSERT_EQ(::symlink("/", path.c_str()), 0);
     },
     {"aside.dxf", "plan.dxf"}},
};

void PrintTo(const Swap& c, std::ostream* os) {
    *os << c.name;
}

class SourceSwappedBeforeOpening : public testing::TestWithParam<Swap> {};

TEST_P(SourceSwappedBeforeOpening, IsRefusedAsMissingAndNothingIsCreated) {
    FaultRun run(kSource);
    const std::string aside = run.dir.File("aside.dxf");
    FaultFiles files;
    files.beforeOpenSource = [&](const char* path) { GetParam().act(path, aside); };
    EXPECT_EQ(run.Run(files), std::vector<std::string>{M(messages::kSourceMissing)});
    EXPECT_EQ(ListDir(run.dir.path()), GetParam().namesAfter);
    EXPECT_EQ(ReadFile(aside), kSource);
    EXPECT_TRUE(files.closeCalls.empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, SourceSwappedBeforeOpening, testing::ValuesIn(kSourceSwaps),
                         [](const auto& info) { return std::string(info.param.name); });

// Someone else's file or link appears at the output path after the check.
TEST(OutputAppearingBeforeCreation, FileIsLeftAsItWas) {
    FaultRun run(kSource);
    FaultFiles files;
    files.beforeCreateOutput = [](const char* path) { WriteFile(path, "someone else's"); };
    EXPECT_EQ(run.Run(files), std::vector<std::string>{M(messages::kOutputOpenFailed)});
    EXPECT_EQ(ReadFile(run.dir.File("out.dxf")), "someone else's");
    EXPECT_EQ(ReadFile(run.sourcePath), kSource);
    EXPECT_EQ(files.closeCalls[files.sourceFd], 1);
}

TEST(OutputAppearingBeforeCreation, LinkIsNotFollowed) {
    FaultRun run(kSource);
    const std::string target = run.dir.File("target.dxf");
    FaultFiles files;
    files.beforeCreateOutput = [&](const char* path) {
        ASSERT_EQ(::symlink(target.c_str(), path), 0);
    };
    EXPECT_EQ(run.Run(files), std::vector<std::string>{M(messages::kOutputOpenFailed)});
    EXPECT_EQ(ListDir(run.dir.path()), (std::vector<std::string>{"out.dxf", "plan.dxf"}));
    EXPECT_FALSE(Exists(target));
}

}  // namespace
