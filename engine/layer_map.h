#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "line_text.h"
#include "long_line.h"

// The layers of a run in modern mode: as many as the file has, each name
// found in constant time on average. Names are compared as FoldCase makes
// them; one longer than kLongestName is neither kept nor found. Entries are
// numbered from 0 in the order of the table; a name given twice keeps its
// first entry.
//
// A lookup runs for every group-8 value of the drawing and a linetype is
// read for nearly every record, while the reading and writing of the file
// keep pushing both out of the cache. So an index slot holds a name's length
// and first 8 bytes, which decide most lookups without another load; longer
// names go on in one array of zero-padded words; and a layer keeps a
// linetype that fits in place, beside whether it is known, and its
// lineweight.
class LayerMap {
public:
    class Layer {
    public:
        void SetLinetype(std::string_view text);
        // As the entry spells it; empty when it has none. Followed by
        // readable bytes, as the writer's fixed-size copy of a short line needs.
        std::string_view linetype() const {
            return longLinetype_.empty() ? shortLinetype_.view() : std::string_view(longLinetype_);
        }

        // The entry's group 370 when it is a width of 0 or more, as the entry
        // spells it; empty otherwise.
        void SetLineweight(std::string_view text);
        const std::string& lineweight() const { return lineweight_; }

        // Whether linetype is a known one, as decided at generation checkedAt.
        std::uint32_t checkedAt = 0;
        bool known = false;

    private:
        LineText shortLinetype_;
        std::string longLinetype_;
        std::string lineweight_;
    };

    // The entry, made when it is new.
    Layer& At(std::size_t entry) {
        if (entry >= layers_.size()) layers_.resize(entry + 1);
        return layers_[entry];
    }
    void SetName(std::size_t entry, std::string_view name);

    // The entry of that name, or -1.
    int Find(std::string_view name) const {
        return name.size() > kLongestName ? -1 : FindFolded(Fold(name));
    }
    // The entry of layer "0", or -1.
    int layerZero() const { return layerZero_; }

private:
    struct Slot {
        std::uint64_t head;     // the first 8 bytes, zero-padded
        std::uint32_t size;     // at most kLongestName
        std::int32_t entry;     // -1 for a free slot
        std::size_t firstWord;  // in words_, where the whole name stands
    };

    // The name as FoldCase makes it, in folded_, whose bytes past it are
    // readable.
    std::string_view Fold(std::string_view name) const;

    // The 8 bytes of the folded name from byte `at` on, those past its end
    // as zero.
    std::uint64_t FoldedWord(std::size_t size, std::size_t at) const {
        std::uint64_t word;
        std::memcpy(&word, folded_ + at, sizeof word);
        const std::size_t left = size - at;
        if (left >= 8) return word;
        if (left == 0) return 0;
        const int unused = 8 * static_cast<int>(8 - left);
        return std::endian::native == std::endian::little ? word & (~std::uint64_t{0} >> unused)
                                                          : word & (~std::uint64_t{0} << unused);
    }

    // Fibonacci hashing a word at a time: the top bits choose the place.
    template <class WordAt>
    static std::uint64_t Hash(std::size_t size, std::uint64_t head, WordAt wordAt) {
        std::uint64_t hash = (size ^ head) * 0x9E3779B97F4A7C15u;
        for (std::size_t at = 8; at < size; at += 8) {
            hash = (hash ^ wordAt(at)) * 0x9E3779B97F4A7C15u;
        }
        return hash;
    }
    std::size_t PlaceOf(std::uint64_t hash) const {
        return static_cast<std::size_t>(hash >> 32) & (index_.size() - 1);
    }

    // The entry of the name in folded_, or -1.
    int FindFolded(std::string_view name) const {
        if (index_.empty()) return -1;
        const std::size_t size = name.size();
        const auto wordAt = [this, size](std::size_t at) { return FoldedWord(size, at); };
        const std::uint64_t head = wordAt(0);
        for (std::size_t at = PlaceOf(Hash(size, head, wordAt));;
             at = (at + 1) & (index_.size() - 1)) {
            const Slot& slot = index_[at];
            if (slot.entry < 0) return -1;
            if (slot.head == head && slot.size == size && SameTail(slot)) return slot.entry;
        }
    }
    bool SameTail(const Slot& slot) const {
        for (std::size_t at = 8; at < slot.size; at += 8) {
            if (FoldedWord(slot.size, at) != words_[slot.firstWord + at / 8]) return false;
        }
        return true;
    }
    void Index(const Slot& named);

    std::vector<Layer> layers_;
    std::vector<std::uint64_t> words_;
    std::size_t names_ = 0;
    // Open addressing, at most half full.
    std::vector<Slot> index_;
    int layerZero_ = -1;
    mutable char folded_[kLongestName + 8] = {};
};
