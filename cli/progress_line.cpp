#include "progress_line.h"

namespace {
constexpr auto kQuietStart = std::chrono::milliseconds(500);
constexpr auto kRedrawEvery = std::chrono::milliseconds(200);
constexpr double kMegabyte = 1e6;
}  // namespace

ProgressLine::ProgressLine(std::FILE* terminal, std::uint64_t totalBytes, bool escapes)
    : terminal_(terminal), totalBytes_(totalBytes), escapes_(escapes), start_(Clock::now()) {}

std::string ProgressLine::Format(std::uint64_t bytesRead, std::uint64_t totalBytes,
                                 double seconds) {
    // A file that grows while it is read may pass its size at the start.
    const double share =
        totalBytes == 0 ? 100.0
                        : 100.0 * static_cast<double>(bytesRead) / static_cast<double>(totalBytes);
    const double rate = seconds > 0 ? static_cast<double>(bytesRead) / kMegabyte / seconds : 0.0;
    char text[96];
    std::snprintf(text, sizeof text, "%3.0f%%  %.1f / %.1f MB  %.1f MB/s",
                  share > 100.0 ? 100.0 : share, static_cast<double>(bytesRead) / kMegabyte,
                  static_cast<double>(totalBytes) / kMegabyte, rate);
    return text;
}

void ProgressLine::Update(std::uint64_t bytesRead, Clock::time_point now) {
    if (now - start_ < kQuietStart || (shown_ && now - lastDrawn_ < kRedrawEvery)) return;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    Draw(Format(bytesRead, totalBytes_, seconds));
    lastDrawn_ = now;
    shown_ = true;
}

void ProgressLine::Clear() {
    if (!shown_) return;
    if (escapes_) {
        std::fputs("\r\033[K", terminal_);
    } else {
        std::fprintf(terminal_, "\r%*s\r", static_cast<int>(drawnLength_), "");
    }
    std::fflush(terminal_);
    drawnLength_ = 0;
    shown_ = false;
}

// Overwrites what was drawn before; a shorter line is padded over the rest.
void ProgressLine::Draw(const std::string& line) {
    if (escapes_) {
        std::fprintf(terminal_, "\r%s\033[K", line.c_str());
    } else {
        const int rest =
            drawnLength_ > line.size() ? static_cast<int>(drawnLength_ - line.size()) : 0;
        std::fprintf(terminal_, "\r%s%*s", line.c_str(), rest, "");
    }
    std::fflush(terminal_);
    drawnLength_ = line.size();
}
