#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

// One line on a terminal that shows how far a long conversion has read its
// source: the share, the bytes and the rate. It appears only once a run has
// gone on for half a second, is redrawn a few times a second, and is cleared
// before any message. Where the terminal takes no escape sequences (a
// Windows console, which takes them only on some versions and when asked),
// the line is blanked out with spaces instead.
class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    ProgressLine(std::FILE* terminal, std::uint64_t totalBytes, bool escapes);

    void Update(std::uint64_t bytesRead) { Update(bytesRead, Clock::now()); }
    void Update(std::uint64_t bytesRead, Clock::time_point now);
    // Removes the line, if it is shown, so that text can follow.
    void Clear();

    // The line for these figures, without the carriage return; exposed so
    // that its layout can be checked.
    static std::string Format(std::uint64_t bytesRead, std::uint64_t totalBytes, double seconds);

private:
    void Draw(const std::string& line);

    std::FILE* terminal_;
    std::uint64_t totalBytes_;
    bool escapes_;
    std::size_t drawnLength_ = 0;
    Clock::time_point start_;
    Clock::time_point lastDrawn_;
    bool shown_ = false;
};
