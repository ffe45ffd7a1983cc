#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "file_ops.h"
#include "messages.h"
#include "run_support.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr char kSource[] = "999\ncomment\n";

enum class Existing { File, EmptyFile, Directory, DanglingLink, LinkToFile, LinkToDirectory, Fifo };

struct ExistingCase {
    const char* title;
    Existing kind;

    friend void PrintTo(const ExistingCase& c, std::ostream* os) { *os << c.title; }
};

const ExistingCase kExistingCases[] = {
    {"File", Existing::File},
    {"EmptyFile", Existing::EmptyFile},
    {"Directory", Existing::Directory},
    {"DanglingLink", Existing::DanglingLink},
    {"LinkToFile", Existing::LinkToFile},
    {"LinkToDirectory", Existing::LinkToDirectory},
    {"Fifo", Existing::Fifo},
};

void MakeExisting(const TempDir& dir, Existing kind, const std::string& path) {
    switch (kind) {
        case Existing::File:
            WriteFile(path, "keep me\n");
            break;
        case Existing::EmptyFile:
            WriteFile(path, "");
            break;
        case Existing::Directory:
            fs::create_directory(path);
            break;
        case Existing::DanglingLink:
            fs::create_symlink(dir.File("target.dxf"), path);
            break;
        case Existing::LinkToFile:
            WriteFile(dir.File("target.dxf"), "keep me\n");
            fs::create_symlink(dir.File("target.dxf"), path);
            break;
        case Existing::LinkToDirectory:
            fs::create_directory(dir.File("target"));
            fs::create_symlink(dir.File("target"), path);
            break;
        case Existing::Fifo:
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
            break;
    }
}

// What stands at a path, told apart well enough to see any change.
std::string Describe(const std::string& path) {
    const fs::file_status status = fs::symlink_status(path);
    switch (status.type()) {
        case fs::file_type::symlink:
            return "link to " + fs::read_symlink(path).string();
        case fs::file_type::regular:
            return "file: " + ReadFile(path);
        case fs::file_type::directory:
            return "directory of " + std::to_string(ListDir(path).size());
        case fs::file_type::fifo:
            return "fifo";
        default:
            return "other";
    }
}

class NeverOverwrite : public testing::TestWithParam<ExistingCase> {};

TEST_P(NeverOverwrite, RefusesAnExistingOutputPathOfAnyKind) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), kSource);
    MakeExisting(dir, GetParam().kind, dir.File("NEW.dxf"));
    const std::vector<std::string> namesBefore = ListDir(dir.path());
    const std::string before = Describe(dir.File("NEW.dxf"));
    const std::string targetBefore =
        Exists(dir.File("target.dxf")) ? Describe(dir.File("target.dxf")) : "none";

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW");

    EXPECT_EQ(run.calls, MessagesOnly({messages::kOutputExists}));
    EXPECT_EQ(run.outcome, RunOutcome::NotStarted);
    EXPECT_EQ(ListDir(dir.path()), namesBefore);
    EXPECT_EQ(Describe(dir.File("NEW.dxf")), before);
    EXPECT_EQ(Exists(dir.File("target.dxf")) ? Describe(dir.File("target.dxf")) : "none",
              targetBefore);
}

INSTANTIATE_TEST_SUITE_P(Run, NeverOverwrite, testing::ValuesIn(kExistingCases), TitleOf{});

// The existence check and the creation are two steps; whatever appears in
// between must still not be opened.
class CreateOutputRace : public testing::TestWithParam<ExistingCase> {};

TEST_P(CreateOutputRace, CreatingFailsOnWhatAppearedMeanwhile) {
    TempDir dir;
    MakeExisting(dir, GetParam().kind, dir.File("NEW.dxf"));
    const std::string before = Describe(dir.File("NEW.dxf"));

    const int fd = SystemFileOps().createOutput(dir.File("NEW.dxf").c_str());

    EXPECT_LT(fd, 0);
    if (fd >= 0) ::close(fd);
    EXPECT_EQ(Describe(dir.File("NEW.dxf")), before);
    if (GetParam().kind == Existing::DanglingLink) {
        EXPECT_FALSE(Exists(dir.File("target.dxf")));
    }
}

INSTANTIATE_TEST_SUITE_P(Run, CreateOutputRace, testing::ValuesIn(kExistingCases), TitleOf{});

TEST(CreateOutput, MakesAnEmptyFileWithTheUmasksMode) {
    TempDir dir;
    const mode_t previous = ::umask(027);
    const int fd = SystemFileOps().createOutput(dir.File("NEW.dxf").c_str());
    ::umask(previous);
    ASSERT_GE(fd, 0);
    ::close(fd);

    struct stat info {};
    ASSERT_EQ(::stat(dir.File("NEW.dxf").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(info.st_size, 0);
}

TEST(NeverOverwrite, ASecondRunWithTheSameNameIsRefused) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), kSource);
    ASSERT_EQ(Convert(dir.File("plan.dxf"), "NEW").outcome, RunOutcome::Finished);
    const std::string first = ReadFile(dir.File("NEW.dxf"));

    const RunRecord second = Convert(dir.File("plan.dxf"), "NEW");

    EXPECT_EQ(second.calls, MessagesOnly({messages::kOutputExists}));
    EXPECT_EQ(ReadFile(dir.File("NEW.dxf")), first);
}

}  // namespace
