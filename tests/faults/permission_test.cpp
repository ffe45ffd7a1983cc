#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "messages.h"
#include "temp_dir.h"
#include "unprivileged_run.h"

namespace {

const std::string kSource = "  0\nEOF\n";

std::string M(std::string_view text) {
    return "message:" + std::string(text);
}

// A directory the unprivileged user can reach, holding a folder with the
// source; permissions are given back at the end so that it can go.
class PermissionTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
        ASSERT_EQ(::mkdir(folder().c_str(), 0777), 0);
        ASSERT_EQ(::chmod(folder().c_str(), 0777), 0);
        WriteFile(source(), kSource);
        ASSERT_EQ(::chmod(source().c_str(), 0644), 0);
    }
    void TearDown() override {
        ::chmod(folder().c_str(), 0755);
        ::chmod(source().c_str(), 0644);
    }

    std::string folder() const { return dir_.File("drawings"); }
    std::string source() const { return folder() + "/plan.dxf"; }

    void ExpectRun(const std::vector<std::string>& calls) {
        const auto seen = RunAsUnprivilegedUser(source(), "out");
        if (!seen) GTEST_SKIP() << kCannotDropPrivileges;
        EXPECT_EQ(*seen, calls);
        ::chmod(folder().c_str(), 0755);
        ::chmod(source().c_str(), 0644);
        EXPECT_EQ(ListDir(folder()), std::vector<std::string>{"plan.dxf"});
        EXPECT_EQ(ReadFile(source()), kSource);
    }

    TempDir dir_;
};

TEST_F(PermissionTest, OutputFolderWithoutWritePermission) {
    ASSERT_EQ(::chmod(folder().c_str(), 0555), 0);
    ExpectRun({M(messages::kOutputOpenFailed)});
}

TEST_F(PermissionTest, UnreadableSource) {
    ASSERT_EQ(::chmod(source().c_str(), 0), 0);
    ExpectRun({M(messages::kSourceMissing)});
}

TEST_F(PermissionTest, SourceFolderThatCannotBeSearched) {
    ASSERT_EQ(::chmod(folder().c_str(), 0666), 0);
    ExpectRun({M(messages::kSourceMissing)});
}

TEST_F(PermissionTest, ReadableSourceInAWritableFolderIsConverted) {
    const auto seen = RunAsUnprivilegedUser(source(), "out");
    if (!seen) GTEST_SKIP() << kCannotDropPrivileges;
    EXPECT_EQ(*seen, (std::vector<std::string>{"begin", "end", M(messages::kFinished)}));
    EXPECT_EQ(ReadFile(folder() + "/out.dxf"), "  0\r\nEOF\r\n");
}

}  // namespace
