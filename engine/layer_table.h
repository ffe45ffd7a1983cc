#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

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

// The layers of a run in modern mode: as many as the file has, each name
// found in constant time on average. Entries are numbered from 0 in the
// order of the table; a name given twice keeps its first entry.
class LayerMap {
public:
    struct Layer {
        std::string linetype;  // as the entry spells it; empty when it has none
        // Whether linetype is a known one, as decided at generation checkedAt.
        std::uint32_t checkedAt = 0;
        bool known = false;
    };

    // The entry, made when it is new.
    Layer& At(std::size_t entry) {
        if (entry >= layers_.size()) layers_.resize(entry + 1);
        return layers_[entry];
    }
    void SetName(std::size_t entry, std::string_view name);

    // The entry of that name, or -1.
    int Find(std::string_view name) const {
        if (names_.empty()) return -1;
        for (std::size_t at = Hash(name) & (index_.size() - 1);;
             at = (at + 1) & (index_.size() - 1)) {
            const std::int32_t named = index_[at];
            if (named < 0) return -1;
            if (names_[static_cast<std::size_t>(named)].name == name) {
                return names_[static_cast<std::size_t>(named)].entry;
            }
        }
    }

private:
    struct Name {
        std::string name;
        int entry;
    };

    // Eight bytes at a time, as names are hashed on every lookup; the top
    // bits mix best.
    static std::size_t Hash(std::string_view name) {
        std::uint64_t hash = name.size();
        std::size_t at = 0;
        for (; at + 8 <= name.size(); at += 8) {
            std::uint64_t word;
            std::memcpy(&word, name.data() + at, sizeof word);
            hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
        }
        std::uint64_t rest = 0;
        std::memcpy(&rest, name.data() + at, name.size() - at);
        hash = (hash ^ rest) * 0x9E3779B97F4A7C15u;
        return static_cast<std::size_t>(hash >> 32);
    }
    void Index(std::int32_t named);

    std::vector<Layer> layers_;
    std::vector<Name> names_;
    // Open addressing, at most half full: a name's place in names_, or -1.
    std::vector<std::int32_t> index_;
};
