#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>

#include "created_outputs.h"
#include "file_ops.h"
#include "temp_dir.h"
#include "windows_paths.h"

namespace {

constexpr int kEndedByInterrupt = 130;

// A death test runs again from its start in a new process: both find the
// files in a folder of a fixed name in the current one.
class WindowsAbnormalEnd : public testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(FsPath(folder_)); }
    void TearDown() override { std::filesystem::remove_all(FsPath(folder_)); }

    std::string File(const std::string& name) const { return folder_ + "\\" + name; }

    const std::string folder_ =
        "abnormal-end-" +
        std::string(testing::UnitTest::GetInstance()->current_test_info()->name());
};

// What Ctrl-C does once the console's handler has it.
TEST_F(WindowsAbnormalEnd, RemovesTheOutputInProgressAndKeepsAClosedOne) {
    EXPECT_EXIT(
        {
            // A run's output path lives as long as the run.
            const std::string inProgressPath = File("in-progress.dxf");
            const std::string closedPath = File("closed.dxf");
            PrepareCreatedOutputs(2);
            const FileOps files = TrackCreatedOutputs(SystemFileOps());
            const int inProgress = files.createOutput(inProgressPath.c_str());
            files.write(inProgress, "  0\r\n", 5);
            const int closed = files.createOutput(closedPath.c_str());
            files.write(closed, "  0\r\n", 5);
            files.close(closed);
            RemoveCreatedOutputs();
            std::_Exit(kEndedByInterrupt);
        },
        testing::ExitedWithCode(kEndedByInterrupt), "");

    EXPECT_EQ(ListDir(folder_), std::vector<std::string>{"closed.dxf"});
    EXPECT_EQ(ReadFile(File("closed.dxf")), "  0\r\n");
}

// The output was renamed while it was written, and another file took its
// name: that file is not the run's and stays, and so does the renamed one.
TEST_F(WindowsAbnormalEnd, LeavesAFileThatTookTheOutputsName) {
    EXPECT_EXIT(
        {
            const std::string outputPath = File("NEW.dxf");
            PrepareCreatedOutputs(1);
            const FileOps files = TrackCreatedOutputs(SystemFileOps());
            const int output = files.createOutput(outputPath.c_str());
            files.write(output, "run\r\n", 5);
            ::MoveFileExW(WidePath(outputPath.c_str()).c_str(),
                          WidePath(File("moved.dxf").c_str()).c_str(), 0);
            WriteFile(File("NEW.dxf"), "someone else's\r\n");
            RemoveCreatedOutputs();
            std::_Exit(kEndedByInterrupt);
        },
        testing::ExitedWithCode(kEndedByInterrupt), "");

    EXPECT_EQ(ListDir(folder_), (std::vector<std::string>{"NEW.dxf", "moved.dxf"}));
    EXPECT_EQ(ReadFile(File("NEW.dxf")), "someone else's\r\n");
    EXPECT_EQ(ReadFile(File("moved.dxf")), "run\r\n");
}

}  // namespace
