#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Bit i is set where p[i] == c: 64 bytes, or 16 for the short form. The
// bytes must be readable; callers keep padding behind their data.
inline std::uint64_t ByteMask64(const char* p, char c) {
#if defined(__SSE2__)
    const __m128i needle = _mm_set1_epi8(c);
    std::uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        const auto bits =
            static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, needle)));
        mask |= static_cast<std::uint64_t>(bits) << (16 * i);
    }
    return mask;
#else
    std::uint64_t mask = 0;
    for (int i = 0; i < 64; ++i) mask |= static_cast<std::uint64_t>(p[i] == c) << i;
    return mask;
#endif
}

inline std::uint32_t ByteMask16(const char* p, char c) {
#if defined(__SSE2__)
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(c))));
#else
    std::uint32_t mask = 0;
    for (int i = 0; i < 16; ++i) mask |= static_cast<std::uint32_t>(p[i] == c) << i;
    return mask;
#endif
}
