#pragma once

#include <cstdint>

// A small, fast generator with a fixed algorithm, so that the same seed gives
// the same drawing on every machine and with every standard library.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A number from 0 to bound - 1; the slight bias does not matter here.
    std::uint32_t Below(std::uint32_t bound) {
        return static_cast<std::uint32_t>((Next() >> 32) * bound >> 32);
    }

    // True with the given chance in percent.
    bool Percent(std::uint32_t chance) { return Below(100) < chance; }

private:
    std::uint64_t state_;
};
