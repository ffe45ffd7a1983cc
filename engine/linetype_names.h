#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "known_linetypes.h"

// The linetype names known to a run in modern mode: the known linetypes
// and every name of the file's LTYPE table entries, compared as FoldCase
// makes them. BYLAYER and BYBLOCK never are, whatever the table holds.
class LinetypeNames {
public:
    void Reset(const KnownLinetypes& knownLinetypes);
    void Add(std::string_view name);
    bool Known(std::string_view name) const;
    // Grows whenever a name is added, so that an answer can be kept until then.
    std::uint32_t generation() const { return generation_; }

private:
    std::unordered_set<std::string> foldedNames_;
    std::uint32_t generation_ = 1;
    mutable std::string scratch_;
};
