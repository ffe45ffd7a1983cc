#pragma once

#include <string_view>

#include "line_text.h"

// Group 370, an entity's or a layer's lineweight in hundredths of a
// millimetre: -1 by layer, -2 by block, -3 the default.
inline bool IsLineweightCode(const LineText& line) {
    return Is(line, "370");
}

// Whether a value, without the spaces at its ends, is a width of 0 or more
// that an entity can carry as it stands: digits only. The negative values
// would hand the width on to the layer or block again, and anything else
// is no width at all.
inline bool IsWidth(std::string_view value) {
    if (value.empty()) return false;
    for (const char c : value) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}
