#include <gtest/gtest.h>

#include "messages.h"
#include "run_support.h"
#include "temp_dir.h"

namespace {

enum class Source { Empty, Missing, MissingDirectory, FileAsDirectory, Existing };

struct InputCase {
    const char* title;
    Source source;
    const char* outputName;
    const char* existingOutput;  // a file made beside the source first, or nullptr
    std::string_view message;

    friend void PrintTo(const InputCase& c, std::ostream* os) { *os << c.title; }
};

const InputCase kInputCases[] = {
    {"EmptySourceAndEmptyName", Source::Empty, "", nullptr, messages::kNoSourceSelected},
    {"EmptySource", Source::Empty, "NEW", nullptr, messages::kNoSourceSelected},
    {"EmptySourceWithExistingOutput", Source::Empty, "NEW", "NEW.dxf", messages::kNoSourceSelected},
    {"MissingSourceAndEmptyName", Source::Missing, "", nullptr, messages::kSourceMissing},
    {"MissingSource", Source::Missing, "NEW", nullptr, messages::kSourceMissing},
    {"MissingSourceWithExistingOutput", Source::Missing, "NEW", "NEW.dxf",
     messages::kSourceMissing},
    {"SourceInMissingDirectory", Source::MissingDirectory, "NEW", nullptr,
     messages::kSourceMissing},
    {"SourceBelowAFile", Source::FileAsDirectory, "NEW", nullptr, messages::kSourceMissing},
    {"EmptyName", Source::Existing, "", nullptr, messages::kNoOutputName},
    // With an empty name the composed path would be ".dxf", which exists:
    // the name check comes first.
    {"EmptyNameWhereDotDxfExists", Source::Existing, "", ".dxf", messages::kNoOutputName},
    {"ExistingOutput", Source::Existing, "NEW", "NEW.dxf", messages::kOutputExists},
};

class InputChecks : public testing::TestWithParam<InputCase> {};

std::string SourcePath(const TempDir& dir, Source source) {
    switch (source) {
        case Source::Empty:
            return "";
        case Source::Missing:
            return dir.File("plan.dxf");
        case Source::MissingDirectory:
            return dir.File("nowhere/plan.dxf");
        case Source::FileAsDirectory:
            WriteFile(dir.File("file"), "data\n");
            return dir.File("file/plan.dxf");
        case Source::Existing:
            WriteFile(dir.File("plan.dxf"), "999\ncomment\n");
            return dir.File("plan.dxf");
    }
    return "";
}

TEST_P(InputChecks, ShowOnlyTheFirstFailingCheckAndTouchNoFile) {
    const InputCase& c = GetParam();
    TempDir dir;
    const std::string source = SourcePath(dir, c.source);
    if (c.existingOutput != nullptr) WriteFile(dir.File(c.existingOutput), "keep me\n");
    const std::vector<std::string> before = ListDir(dir.path());

    const RunRecord run = Convert(source, c.outputName);

    EXPECT_EQ(run.calls, MessagesOnly({c.message})) << "no busy cursor before both files open";
    EXPECT_EQ(run.outcome, RunOutcome::NotStarted);
    EXPECT_EQ(ListDir(dir.path()), before);
    if (c.existingOutput != nullptr) {
        EXPECT_EQ(ReadFile(dir.File(c.existingOutput)), "keep me\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Run, InputChecks, testing::ValuesIn(kInputCases), TitleOf{});

}  // namespace
