#pragma once

#include <string_view>

#include "conversion_state.h"
#include "line_text.h"

// The group codes that some stage compares a line with. The stages compare
// previousLine with nothing else, and the code line of any other group, or
// a value line after one, only with keywords it then cannot be: every other
// group's two lines are only copied (see the run's loop). A stage that
// starts to read another group adds its code here, or the group never
// reaches it.
struct GroupRead {
    std::string_view code;
    bool modernOnly;
};

inline constexpr GroupRead kGroupsRead[] = {
    {"0", false},     // keywords: records, sections, tables, blocks, EOF
    {"2", false},     // names: sections, tables, blocks, layers, linetypes
    {"6", false},     // linetype
    {"8", false},     // layer
    {"1001", false},  // extended data, which ends a record's own groups
    {"100", true},    // subclass marker
    {"370", true},    // lineweight
};

// Whether the line, without its spaces, is a code of kGroupsRead.
inline bool IsGroupRead(const LineText& line, bool modern) {
    for (const GroupRead& group : kGroupsRead) {
        if (Is(line, group.code) && (modern || !group.modernOnly)) return true;
    }
    return false;
}

// Whether the stages look at every line whatever it holds: layer capture
// until it is over for the run, the validator once an "EOF" line has been
// seen.
inline bool StagesFollowEveryLine(const ConversionState& state) {
    return state.scanState < ScanState::CaptureClosed || state.facts.sourceComplete;
}

// On a line of a group no stage reads, or after one, all that any stage does
// is the entity or block scan's step between code and value line. Steps
// there and back again cancel out, so a run of such lines takes one step
// when it is odd in length.
inline void StepScansOver(ConversionState& state) {
    if (state.sectionState == SectionState::InEntities) {
        if (state.scanState == ScanState::EntityValueLine) {
            state.scanState = ScanState::EntityCodeLine;
        } else if (state.scanState == ScanState::EntityCodeLine) {
            state.scanState = ScanState::EntityValueLine;
        }
    } else if (state.sectionState == SectionState::InBlock) {
        state.scanState = state.scanState == ScanState::BlockValueLine ? ScanState::BlockCodeLine
                                                                       : ScanState::BlockValueLine;
    }
}
