#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// A large R12 drawing of the kind surveyors and planners convert: every
// section, an LTYPE table whose header does not set off the table
// replacement, a LAYER table, a few blocks and a long ENTITIES section.
struct DxfGeneratorOptions {
    std::uint64_t targetBytes = 1 << 20;  // reached to within one record
    bool crlf = true;
    int layers = 50;  // 1 to kMaxGeneratedLayers, layer "0" included
    std::uint64_t seed = 1;
};

// Above this the converter stops capturing layers, and the records on the
// later layers would need a model of that limit.
inline constexpr int kMaxGeneratedLayers = 256;

// What was written, and what a conversion adds to it: the linetype groups of
// records without a linetype of their own on a layer with a known linetype.
struct DxfGeneratorSummary {
    std::uint64_t bytes = 0;
    std::uint64_t lines = 0;
    std::uint64_t records = 0;
    std::uint64_t recordsWithLinetype = 0;
    std::uint64_t injectedGroups = 0;
    std::uint64_t injectedBytes = 0;  // with CR LF line ends, as written

    // The converter's output size for this drawing.
    std::uint64_t expectedOutputBytes(bool crlf) const {
        return bytes + (crlf ? 0 : lines) + injectedBytes;
    }
};

// The name of layer i (0 is the layer "0").
std::string GeneratedLayerName(int index);

// Writes the drawing through out, in pieces of up to a few hundred kilobytes.
// Throws std::invalid_argument for options out of range.
DxfGeneratorSummary GenerateDxf(const DxfGeneratorOptions& options,
                                const std::function<void(std::string_view)>& out);
