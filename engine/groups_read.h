#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "byte_masks.h"
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

// The first four bytes of a line as one number, those past its end clear:
// a code of kGroupsRead, or a line that may be one.
constexpr std::uint32_t ShortLineKey(std::string_view line) {
    std::uint32_t key = 0;
    for (std::size_t i = 0; i < line.size() && i < 4; ++i) {
        key |= std::uint32_t{static_cast<unsigned char>(line[i])} << (8 * i);
    }
    return key;
}

// The keys of kGroupsRead by a hash that gives each a slot of its own, so
// that one comparison tells whether a key is among them.
struct GroupsReadTable {
    static constexpr int kSlotBits = 4;
    std::uint32_t multiplier = 0;
    std::array<std::uint32_t, 1 << kSlotBits> keys{};

    constexpr std::size_t Slot(std::uint32_t key) const {
        return (key * multiplier) >> (32 - kSlotBits);
    }
};

inline constexpr GroupsReadTable kGroupsReadTable = [] {
    for (std::uint32_t multiplier = 0x9E3779B1;; multiplier += 2) {
        GroupsReadTable table{multiplier, {}};
        std::array<bool, 1 << GroupsReadTable::kSlotBits> used{};
        bool distinct = true;
        for (const GroupRead& group : kGroupsRead) {
            const std::uint32_t key = ShortLineKey(group.code);
            distinct = distinct && !used[table.Slot(key)];
            used[table.Slot(key)] = true;
            table.keys[table.Slot(key)] = key;
        }
        if (distinct) return table;
    }
}();

// Up to this many bytes, a line is tested for a code in one go.
inline constexpr std::size_t kShortLineBytes = 16;

// The bytes of ShortLineKey, for each length of line.
inline constexpr auto kShortLineKeyMasks = [] {
    std::array<std::uint32_t, kShortLineBytes + 1> masks{};
    for (std::size_t size = 0; size <= kShortLineBytes; ++size) {
        masks[size] = size >= 4 ? 0xFFFFFFFF : (std::uint32_t{1} << (8 * size)) - 1;
    }
    return masks;
}();

// Whether a line as read is surely no code of kGroupsRead in either mode,
// so that it may go by in a run of lines the stages pass by
// (LineReader::PassRun). The common lines (up to 16 bytes, spaces only in
// front) are told apart without a branch that depends on their bytes; any
// other line counts as a code, and the stages' own test decides it. The
// key leaves out the length, and an empty slot of the table holds key 0: a
// line such as "0" and a NUL byte, "10010" or an empty line may count as a
// code too. Needs 20 readable bytes from the line's start (the reader's
// padding).
inline bool SurelyNoGroupRead(std::string_view line) {
    if (line.size() > kShortLineBytes) return false;
    const std::uint32_t inLine = (std::uint32_t{1} << line.size()) - 1;
    const std::uint32_t spaces = ByteMask16(line.data(), ' ') & inLine;
    const auto leading = static_cast<std::size_t>(std::countr_one(spaces));
    if ((spaces >> leading) != 0) return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(line.data() + leading);
    const std::uint32_t word = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                               std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
    const std::uint32_t key = word & kShortLineKeyMasks[line.size() - leading];
    return kGroupsReadTable.keys[kGroupsReadTable.Slot(key)] != key;
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
