#pragma once

#include <array>

// The linetype names a layer may carry into its entities, in the order layer
// capture compares them; the LTYPE table replacement writes the first six.
using KnownLinetypes = std::array<const char*, 8>;

inline constexpr KnownLinetypes kKnownLinetypes = {
    "CONTINUOUS", "HIDDEN", "PHANTOM", "CENTER", "DASHED", "DOT", "DASHDOT", "DIVIDE",
};

// The extension appended to the output name.
inline constexpr const char* kOutputExtension = ".dxf";
