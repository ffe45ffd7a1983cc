#pragma once

#include <cstdint>
#include <string>

// How a run talks to the user. The dialog shows message boxes and the busy
// cursor; the command line writes to standard error; tests record.
class MessageSink {
public:
    virtual ~MessageSink() = default;

    // A modal message with an OK button; returns when it has been dismissed.
    // The text is UTF-8 and may hold line breaks.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // How many bytes of the source have been read so far; called once for
    // every block read, so a caller may show progress. Does nothing unless
    // a sink wants it.
    virtual void ReportProgress(std::uint64_t bytesRead) { static_cast<void>(bytesRead); }
};
