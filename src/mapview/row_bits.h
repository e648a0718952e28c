#pragma once

#include <cstdint>
#include <span>

// Where the compiler offers AVX-512 for a function of its own, rows are set
// with masked stores on the processors that have it.
#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__)
#define NAV_AVX512_ROWS 1
#else
#define NAV_AVX512_ROWS 0
#endif

namespace nav {

// Sets in `color` the pixels of an image row whose bits are set: bit i of
// `row` (64 to a word) is pixel i - pad. No bit may be set for a pixel
// outside [0, width). Each pixel once, in address order, however the bits
// were gathered: a crowded row has most of its pixels set.
void setRowBits(std::span<const std::uint64_t> row, std::int32_t pad, std::uint32_t* pixels, std::int32_t width,
                std::uint32_t color);

// Whether setRowBits uses AVX-512's masked stores: where the processor has
// them, unless turned off (the tests check both ways).
extern bool rowBitsMaskedStores;

}  // namespace nav
