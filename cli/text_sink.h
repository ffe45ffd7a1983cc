#pragma once

#include <string>

#include "message_sink.h"

// Writes each message to standard error, each line of it preceded by the
// prefix, and the message followed by one line break. The busy cursor has
// no counterpart on a terminal.
class StderrSink : public MessageSink {
public:
    StderrSink(std::string prefix, bool quiet) : prefix_(std::move(prefix)), quiet_(quiet) {}

    void ShowMessage(const std::string& text) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

private:
    std::string prefix_;
    bool quiet_;
};
