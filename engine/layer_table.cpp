#include "layer_table.h"

#include <bit>

std::size_t LayerTable::Hash(const LineText& name) {
    std::uint64_t hash = name.size;
    for (std::uint32_t at = 0; at < name.size; at += 8) {
        hash = (hash ^ LineWord(name, at)) * 0x9E3779B97F4A7C15u;  // Fibonacci hashing
    }
    // The top bits mix best: as many as index kIndexSize entries.
    return static_cast<std::size_t>(hash >> (64 - std::countr_zero(kIndexSize)));
}

void LayerTable::BuildIndex() const {
    index_.fill(-1);
    // In slot order, and only the first slot of a name, so that duplicates
    // resolve to the lowest slot as a search from slot 0 would.
    for (int slot = 0; slot < kSlots; ++slot) {
        const LineText& name = records_[static_cast<std::size_t>(slot)].name;
        std::size_t at = Hash(name) & (kIndexSize - 1);
        while (index_[at] >= 0 && !(records_[static_cast<std::size_t>(index_[at])].name == name)) {
            at = (at + 1) & (kIndexSize - 1);
        }
        if (index_[at] < 0) index_[at] = static_cast<std::int16_t>(slot);
    }
    indexed_ = true;
}

int LayerTable::LowestSlotNamed(const LineText& name) const {
    if (!indexed_) BuildIndex();
    for (std::size_t at = Hash(name) & (kIndexSize - 1);; at = (at + 1) & (kIndexSize - 1)) {
        const int slot = index_[at];
        if (slot < 0) return -1;
        if (records_[static_cast<std::size_t>(slot)].name == name) return slot;
    }
}
