#pragma once

#include <functional>
#include <string>

#include "message_sink.h"

class ProgressLine;

// Turns each message into text for standard error: every line of it
// preceded by the prefix, and the message followed by one line break. The
// busy cursor has no counterpart on a terminal; progress goes to the
// progress line when there is one.
class TextSink : public MessageSink {
public:
    using Emit = std::function<void(const std::string& text)>;

    TextSink(std::string prefix, bool quiet, Emit emit, ProgressLine* progress = nullptr)
        : prefix_(std::move(prefix)), quiet_(quiet), emit_(std::move(emit)), progress_(progress) {}

    void ShowMessage(const std::string& text) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void ReportProgress(std::uint64_t bytesRead) override;

private:
    std::string prefix_;
    bool quiet_;
    Emit emit_;
    ProgressLine* progress_;
};

// What stands before each message line of a source in a list: its path and
// ": ". A path with a control byte (a line break could fake a line of its
// own) is quoted as GNU ls --quoting-style=shell-escape quotes it in a UTF-8
// locale; any other path stands as it is.
std::string SourcePrefix(const std::string& path);

// Writes text to standard error at once.
void WriteToStderr(const std::string& text);
