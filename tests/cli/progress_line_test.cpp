#include "progress_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

struct FormatCase {
    std::uint64_t bytesRead;
    std::uint64_t totalBytes;
    double seconds;
    const char* line;
};

TEST(ProgressLine, ShowsTheShareTheBytesAndTheRate) {
    const FormatCase cases[] = {
        {0, 200'000'000, 0.5, "  0%  0.0 / 200.0 MB  0.0 MB/s"},
        {50'000'000, 200'000'000, 0.5, " 25%  50.0 / 200.0 MB  100.0 MB/s"},
        {200'000'000, 200'000'000, 2.0, "100%  200.0 / 200.0 MB  100.0 MB/s"},
        {300'000'000, 200'000'000, 1.0, "100%  300.0 / 200.0 MB  300.0 MB/s"},  // the file grew
        {1'000'000, 0, 1.0, "100%  1.0 / 0.0 MB  1.0 MB/s"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(ProgressLine::Format(c.bytesRead, c.totalBytes, c.seconds), c.line);
    }
}

// A run shorter than half a second never shows the line, and clearing
// nothing writes nothing: a quick conversion on a terminal prints only its
// messages.
TEST(ProgressLine, StaysSilentForAShortRun) {
    std::FILE* terminal = std::tmpfile();
    ASSERT_NE(terminal, nullptr);
    ProgressLine progress(terminal, 1000);
    progress.Update(500);
    progress.Update(1000);
    progress.Clear();
    EXPECT_EQ(std::ftell(terminal), 0);
    std::fclose(terminal);
}

}  // namespace
