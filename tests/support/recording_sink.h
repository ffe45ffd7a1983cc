#pragma once

#include <string>
#include <vector>

#include "message_sink.h"

// Logs every message and cursor call in order: "message:<text>", "begin",
// "end".
class RecordingSink : public MessageSink {
public:
    void ShowMessage(const std::string& text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    std::vector<std::string> calls;
    // The messages alone, in order.
    std::vector<std::string> messages() const;
};

// The calls of a run that opened both files and ended with one message.
std::vector<std::string> CallsOfRunEndingWith(const std::string& message);
