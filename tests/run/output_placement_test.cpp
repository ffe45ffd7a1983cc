#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "messages.h"
#include "run_support.h"
#include "temp_dir.h"

namespace {

constexpr char kSource[] = "999\ncomment\n  0\nEOF\n";

// Runs relative paths from a directory, and returns to where it was after.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~CurrentDirectory() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

// Every entry below a directory, links not followed, relative to it.
std::set<std::string> Tree(const std::string& root) {
    std::set<std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        entries.insert(std::filesystem::relative(entry.path(), root).string());
    }
    return entries;
}

struct PlacementCase {
    const char* title;
    const char* directory;   // made below the temporary directory first, or ""
    const char* sourcePath;  // relative to the temporary directory
    bool runFromInside;      // pass the path relative to the current directory
    const char* outputName;
    const char* outputPath;  // relative to the temporary directory

    friend void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.title; }
};

const PlacementCase kPlacementCases[] = {
    {"AbsoluteSource", "dwg", "dwg/plan.dxf", false, "NEW", "dwg/NEW.dxf"},
    {"NameWithSpaces", "dwg", "dwg/plan.dxf", false, "my new plan", "dwg/my new plan.dxf"},
    {"NameWithOuterSpaces", "dwg", "dwg/plan.dxf", false, " NEW ", "dwg/ NEW .dxf"},
    {"DirectoryWithSpaces", "my drawings", "my drawings/plan.dxf", false, "NEW",
     "my drawings/NEW.dxf"},
    {"NameWithExtension", "dwg", "dwg/plan.dxf", false, "NEW.dxf", "dwg/NEW.dxf.dxf"},
    {"ShiftJisHyouDirectory", "\x95\x5C", "\x95\x5C/plan.dxf", false, "NEW", "\x95\x5C/NEW.dxf"},
    {"ShiftJisSoDirectory", "\x83\x5C", "\x83\x5C/plan.dxf", false, "NEW", "\x83\x5C/NEW.dxf"},
    {"ShiftJisName", "dwg", "dwg/plan.dxf", false, "\x83\x5C", "dwg/\x83\x5C.dxf"},
    {"SourceInCurrentDirectory", "", "plan.dxf", true, "NEW", "NEW.dxf"},
    {"DotSlashSource", "", "./plan.dxf", true, "NEW", "NEW.dxf"},
    {"RelativeSourceInSubdirectory", "dwg", "dwg/plan.dxf", true, "NEW", "dwg/NEW.dxf"},
    {"SourceAtIndexOne", "d", "d/plan.dxf", true, "NEW", "d/NEW.dxf"},
};

class OutputPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(OutputPlacement, CreatesTheOutputBesideTheSourceAndNothingElse) {
    const PlacementCase& c = GetParam();
    TempDir dir;
    if (*c.directory != '\0') std::filesystem::create_directory(dir.File(c.directory));
    WriteFile(dir.File(c.sourcePath), kSource);
    std::set<std::string> expectedTree = Tree(dir.path());
    expectedTree.insert(c.outputPath);

    RunRecord run;
    if (c.runFromInside) {
        const CurrentDirectory inside(dir.path());
        run = Convert(c.sourcePath, c.outputName);
    } else {
        run = Convert(dir.File(c.sourcePath), c.outputName);
    }

    EXPECT_EQ(run.calls, CursorThenMessages({messages::kFinished}));
    EXPECT_EQ(run.outcome, RunOutcome::Finished);
    EXPECT_EQ(Tree(dir.path()), expectedTree);
    ASSERT_TRUE(Exists(dir.File(c.outputPath)));
    EXPECT_EQ(ReadFile(dir.File(c.outputPath)), CrLf(kSource));
}

INSTANTIATE_TEST_SUITE_P(Run, OutputPlacement, testing::ValuesIn(kPlacementCases), TitleOf{});

TEST(OutputPlacement, BesideALinkNotBesideItsTarget) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("real"));
    WriteFile(dir.File("real/plan.dxf"), kSource);
    std::filesystem::create_symlink("real/plan.dxf", dir.File("link.dxf"));

    const RunRecord run = Convert(dir.File("link.dxf"), "NEW");

    EXPECT_EQ(run.calls, CursorThenMessages({messages::kFinished}));
    EXPECT_EQ(ReadFile(dir.File("NEW.dxf")), CrLf(kSource));
    EXPECT_FALSE(Exists(dir.File("real/NEW.dxf")));
}

TEST(OutputPlacement, TheSourcesOwnBaseNameIsRefusedAsExisting) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), kSource);

    const RunRecord run = Convert(dir.File("plan.dxf"), "plan");

    EXPECT_EQ(run.calls, MessagesOnly({messages::kOutputExists}));
    EXPECT_EQ(run.outcome, RunOutcome::NotStarted);
    EXPECT_EQ(ReadFile(dir.File("plan.dxf")), kSource);
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"plan.dxf"});
}

TEST(OutputPlacement, ANameIntoAMissingDirectoryFailsToOpen) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), kSource);

    const RunRecord run = Convert(dir.File("plan.dxf"), "nowhere/NEW");

    EXPECT_EQ(run.calls, MessagesOnly({messages::kOutputOpenFailed}));
    EXPECT_EQ(run.outcome, RunOutcome::NotStarted);
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"plan.dxf"});
}

}  // namespace
