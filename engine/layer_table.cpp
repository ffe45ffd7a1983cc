#include "layer_table.h"

std::size_t LayerTable::Hash(const LineText& name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (std::uint32_t i = 0; i < name.size; ++i) {
        hash = (hash ^ static_cast<unsigned char>(name.bytes[i])) * 16777619u;
    }
    return hash;
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
