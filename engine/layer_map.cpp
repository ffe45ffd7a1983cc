#include "layer_map.h"

#include "lineweight.h"
#include "name_case.h"

void LayerMap::Layer::SetLinetype(std::string_view text) {
    if (text.size() <= LineText::kCapacity) {
        shortLinetype_.assign(text);
        longLinetype_.clear();
    } else {
        longLinetype_.assign(text);
    }
}

void LayerMap::Layer::SetLineweight(std::string_view text) {
    if (IsWidth(text)) {
        lineweight_.assign(text);
    } else {
        lineweight_.clear();
    }
}

std::string_view LayerMap::Fold(std::string_view name) const {
    FoldCase(name, folded_);
    return {folded_, name.size()};
}

void LayerMap::Index(const Slot& named) {
    const auto wordAt = [this, &named](std::size_t at) { return words_[named.firstWord + at / 8]; };
    std::size_t at = PlaceOf(Hash(named.size, named.head, wordAt));
    while (index_[at].entry >= 0) at = (at + 1) & (index_.size() - 1);
    index_[at] = named;
}

void LayerMap::SetName(std::size_t entry, std::string_view name) {
    At(entry);
    if (name.size() > kLongestName) return;
    name = Fold(name);
    if (FindFolded(name) >= 0) return;
    if (name == "0") layerZero_ = static_cast<int>(entry);
    const Slot named{FoldedWord(name.size(), 0), static_cast<std::uint32_t>(name.size()),
                     static_cast<std::int32_t>(entry), words_.size()};
    for (std::size_t at = 0; at < name.size(); at += 8) {
        words_.push_back(FoldedWord(name.size(), at));
    }
    if (++names_ * 2 > index_.size()) {
        std::vector<Slot> old(index_.empty() ? 64 : index_.size() * 2, Slot{0, 0, -1, 0});
        old.swap(index_);
        for (const Slot& slot : old) {
            if (slot.entry >= 0) Index(slot);
        }
    }
    Index(named);
}
