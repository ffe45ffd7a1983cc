#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "conversion_run.h"
#include "file_ops.h"

// How one run ended and every call it made on its sink, in order.
struct RunRecord {
    RunOutcome outcome = RunOutcome::NotStarted;
    std::vector<std::string> calls;
};

// Runs a conversion with the real extension and linetypes, and checks that
// a regular source is byte for byte what it was before the run.
RunRecord Convert(const std::string& sourcePath, const std::string& outputName,
                  const FileOps& files = SystemFileOps());

// The call a sink records for a message.
std::string Message(std::string_view text);

// The calls of a run that ended before opening both files, showing these
// messages only.
std::vector<std::string> MessagesOnly(std::initializer_list<std::string_view> texts);

// The calls of a run that opened both files and then showed these messages.
std::vector<std::string> CursorThenMessages(std::initializer_list<std::string_view> texts);

// Exactly size bytes of lines that no stage reacts to, each ending in LF.
std::string FillerLines(std::size_t size);

// Exactly size bytes (40 or more) of CR LF lines: the start of an ENTITIES
// section, then groups that the stages pass by in runs.
std::string GroupLines(std::size_t size);

// The index of the first byte where two texts differ, or the shorter size.
std::size_t FirstDifference(std::string_view a, std::string_view b);

// Names a row of a test table after its title.
struct TitleOf {
    template <typename Row>
    std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return info.param.title;
    }
};
