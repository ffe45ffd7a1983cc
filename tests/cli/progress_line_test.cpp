#include "progress_line.h"

#include <gtest/gtest.h>

#include <chrono>
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
    ProgressLine progress(terminal, 1000, true);
    progress.Update(500);
    progress.Update(1000);
    progress.Clear();
    EXPECT_EQ(std::ftell(terminal), 0);
    std::fclose(terminal);
}

std::string Written(std::FILE* terminal) {
    std::string text(static_cast<std::size_t>(std::ftell(terminal)), '\0');
    std::rewind(terminal);
    EXPECT_EQ(std::fread(text.data(), 1, text.size(), terminal), text.size());
    return text;
}

// Each redraw overwrites the line before it, the last one included when a
// message follows: with an escape sequence, or else with spaces over every
// character drawn before, where a console takes no escapes.
TEST(ProgressLine, OverwritesWhatItDrewBefore) {
    const struct {
        bool escapes;
        const char* written;
    } cases[] = {
        {true,
         "\r 10%  100.0 / 1000.0 MB  100.0 MB/s\033[K"
         "\r 90%  900.0 / 1000.0 MB  4.5 MB/s\033[K"
         "\r100%  1000.0 / 1000.0 MB  4.0 MB/s\033[K"
         "\r\033[K"},
        {false,
         "\r 10%  100.0 / 1000.0 MB  100.0 MB/s"
         "\r 90%  900.0 / 1000.0 MB  4.5 MB/s  "
         "\r100%  1000.0 / 1000.0 MB  4.0 MB/s"
         "\r                                  \r"},
    };
    for (const auto& c : cases) {
        std::FILE* terminal = std::tmpfile();
        ASSERT_NE(terminal, nullptr);
        const auto start = ProgressLine::Clock::now();
        ProgressLine progress(terminal, 1'000'000'000, c.escapes);
        progress.Update(100'000'000, start + std::chrono::seconds(1));
        progress.Update(500'000'000, start + std::chrono::milliseconds(1100));  // too soon
        progress.Update(900'000'000, start + std::chrono::seconds(200));
        progress.Update(1'000'000'000, start + std::chrono::seconds(250));
        progress.Clear();
        progress.Clear();
        EXPECT_EQ(Written(terminal), c.written) << c.escapes;
        std::fclose(terminal);
    }
}

}  // namespace
