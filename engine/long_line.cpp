#include "long_line.h"

#include "line_reader.h"
#include "line_text.h"
#include "output_writer.h"

namespace {

void WriteSpaces(OutputWriter& output, std::uint64_t count) {
    static constexpr char kSpaces[] =
        "                                                                ";
    constexpr std::uint64_t kRun = sizeof kSpaces - 1;
    for (; count > 0; count -= count < kRun ? count : kRun) {
        output.WriteBytes(std::string_view(kSpaces, count < kRun ? count : kRun));
    }
}

}  // namespace

void LongLine::Read(LineReader& reader, std::string_view whole, OutputWriter& output) {
    compared_.clear();
    name_.clear();
    innerSpaces_ = 0;
    overflow_ = false;
    streaming_ = false;
    heldCount_ = 0;
    trailingSpaces_ = 0;
    if (!whole.empty()) {
        Take(whole, output);
        return;
    }
    std::string_view piece;
    for (;;) {
        const bool last = reader.ReadPiece(piece);
        Take(piece, output);
        if (last) return;
    }
}

void LongLine::Take(std::string_view piece, OutputWriter& output) {
    std::size_t at = 0;
    for (; !streaming_ && at < piece.size(); ++at) {
        const char c = piece[at];
        if (c == ' ') {
            ++trailingSpaces_;
            Keep(c);
            continue;
        }
        if (heldCount_ == kLongestTrigger) {
            WriteHeld(output);
            streaming_ = true;
            break;
        }
        held_[heldCount_++] = {trailingSpaces_, c};
        trailingSpaces_ = 0;
        Keep(c);
    }
    if (!streaming_) return;
    const std::string_view rest = piece.substr(at);
    output.WriteBytes(rest);
    for (const char c : rest) {
        if (overflow_ && compared_.full()) break;
        Keep(c);
    }
}

void LongLine::Keep(char c) {
    if (c == ' ') {
        if (name_.size() > 0) ++innerSpaces_;
        return;
    }
    if (!compared_.full()) compared_.push_back(c);
    if (overflow_) return;
    if (name_.size() + innerSpaces_ >= kLongestName) {
        overflow_ = true;
        return;
    }
    for (; innerSpaces_ > 0; --innerSpaces_) name_.push_back(' ');
    name_.push_back(c);
}

void LongLine::WriteHeld(OutputWriter& output) {
    for (std::size_t i = 0; i < heldCount_; ++i) {
        WriteSpaces(output, held_[i].spacesBefore);
        output.WriteBytes(std::string_view(&held_[i].byte, 1));
    }
    WriteSpaces(output, trailingSpaces_);
}

void LongLine::Echo(OutputWriter& output) {
    if (!streaming_) WriteHeld(output);
    output.EndLine();
}
