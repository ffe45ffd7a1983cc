#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "child_run.h"
#include "messages.h"
#include "run_support.h"
#include "temp_dir.h"

namespace {

using namespace std::string_literals;

const std::string kSentinel = "AutoCAD Binary DXF\r\n\x1A\0"s;

TEST(SourceKind, ADirectoryIsNoSource) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("plan.dxf"));

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW");

    EXPECT_EQ(run.calls, MessagesOnly({messages::kSourceMissing}));
    EXPECT_EQ(run.outcome, RunOutcome::NotStarted);
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"plan.dxf"});
}

// The output path then lies inside the directory; nothing may appear there.
TEST(SourceKind, ADirectoryWithATrailingSlashIsNoSource) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("dwg"));

    const RunRecord run = Convert(dir.File("dwg/"), "NEW");

    EXPECT_EQ(run.calls, MessagesOnly({messages::kSourceMissing}));
    EXPECT_TRUE(ListDir(dir.File("dwg")).empty());
}

TEST(SourceKind, ADeviceIsNoSource) {
    TempDir dir;
    std::filesystem::create_symlink("/dev/null", dir.File("plan.dxf"));

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW");

    EXPECT_EQ(run.calls, MessagesOnly({messages::kSourceMissing}));
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"plan.dxf"});
}

// Run in a child: opening a FIFO without a writer could block for ever.
TEST(SourceKind, AFifoIsNoSourceAndDoesNotBlock) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("plan.dxf").c_str(), 0600), 0);

    const ChildRun child = RunInChild([] {}, dir.File("plan.dxf"), "NEW");

    ASSERT_TRUE(child.exited) << (child.signal == SIGALRM ? "the run blocked" : "the child failed");
    EXPECT_EQ(child.record.calls, MessagesOnly({messages::kSourceMissing}));
    EXPECT_EQ(child.record.outcome, RunOutcome::NotStarted);
    EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"plan.dxf"});
}

struct NonTextCase {
    const char* title;
    std::string source;
    std::string_view refusal;  // "" for a source read as text
    std::string output;        // when read as text

    friend void PrintTo(const NonTextCase& c, std::ostream* os) { *os << c.title; }
};

const NonTextCase kNonTextCases[] = {
    {"SentinelAndData", kSentinel + "\0\x02\x00\x10"s + "more\n", messages::kBinarySource, ""},
    {"SentinelOnly", kSentinel, messages::kBinarySource, ""},
    // Anything short of the whole sentinel is read as text, which ends at
    // the 0x1A.
    {"SentinelWithoutItsNul", kSentinel.substr(0, 21), "", "AutoCAD Binary DXF\r\n"},
    {"SentinelWithLfOnly", "AutoCAD Binary DXF\n\x1A\0"s, "", "AutoCAD Binary DXF\r\n"},
    {"SentinelInLowerCase", "autocad binary dxf\r\n\x1A\0"s, "", "autocad binary dxf\r\n"},
    {"SentinelOnTheSecondLine", "999\n" + kSentinel, "", "999\r\nAutoCAD Binary DXF\r\n"},
    {"SentinelAfterASpace", " " + kSentinel, "", " AutoCAD Binary DXF\r\n"},
    // UTF-16 text with its byte-order mark, either byte order.
    {"Utf16LittleEndian",
     "\xFF\xFE \0 \0"
     "0\0\n\0S\0E\0C\0T\0I\0O\0N\0\n\0"s,
     messages::kUtf16Source, ""},
    {"Utf16BigEndian",
     "\xFE\xFF\0 \0 \0"
     "0\0\n\0S\0E\0C\0T\0I\0O\0N\0\n"s,
     messages::kUtf16Source, ""},
    {"Utf16MarkOnly", "\xFF\xFE"s, messages::kUtf16Source, ""},
    // Half a mark, a mark not at the start, and UTF-8's mark are text.
    {"FirstByteOfTheMarkOnly", "\xFF"s, "", "\xFF\r\n"},
    {"Utf16MarkOnTheSecondLine", "999\n\xFF\xFE\n"s, "", "999\r\n\xFF\xFE\r\n"},
    {"Utf16MarkAfterASpace", " \xFE\xFF\n"s, "", " \xFE\xFF\r\n"},
    {"Utf8Mark",
     "\xEF\xBB\xBF"
     "999\n"s,
     "",
     "\xEF\xBB\xBF"
     "999\r\n"},
};

class NonTextSource : public testing::TestWithParam<NonTextCase> {};

TEST_P(NonTextSource, IsRefusedBeforeTheOutputIsCreated) {
    const NonTextCase& c = GetParam();
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), c.source);

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW");

    if (!c.refusal.empty()) {
        EXPECT_EQ(run.calls, MessagesOnly({c.refusal}));
        EXPECT_EQ(run.outcome, RunOutcome::NotStarted);
        EXPECT_FALSE(Exists(dir.File("NEW.dxf")));
    } else {
        EXPECT_EQ(run.calls, CursorThenMessages({messages::kFinished}));
        EXPECT_EQ(ReadFile(dir.File("NEW.dxf")), c.output);
    }
}

INSTANTIATE_TEST_SUITE_P(Run, NonTextSource, testing::ValuesIn(kNonTextCases), TitleOf{});

}  // namespace
