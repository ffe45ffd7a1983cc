#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "line_text.h"

struct LayerRecord {
    LineText name;
    LineText linetype;
};

// The captured layers, slots 0 to 257, with an index from name to the lowest
// slot of that name, so that looking up an entity's layer does not search
// every slot. The index is rebuilt when a name changed since it was built;
// in practice that is once a run, as names are captured before any lookup.
class LayerTable {
public:
    static constexpr int kSlots = 258;

    const LayerRecord& operator[](std::size_t slot) const { return records_[slot]; }

    void SetName(std::size_t slot, const LineText& name) {
        records_[slot].name = name;
        indexed_ = false;
    }
    void SetLinetype(std::size_t slot, const LineText& linetype) {
        records_[slot].linetype = linetype;
    }

    // The lowest slot whose name equals name, or -1.
    int LowestSlotNamed(const LineText& name) const;

private:
    static constexpr std::size_t kIndexSize = 1024;  // a power of two, well above kSlots
    static std::size_t Hash(const LineText& name);
    void BuildIndex() const;

    std::array<LayerRecord, kSlots> records_{};
    mutable std::array<std::int16_t, kIndexSize> index_{};  // slot, or -1 for a free entry
    mutable bool indexed_ = false;
};
