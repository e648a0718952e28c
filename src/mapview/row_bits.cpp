#include "mapview/row_bits.h"

#include <array>
#include <bit>
#include <cstring>
#if NAV_AVX512_ROWS
#include <immintrin.h>
#endif

namespace nav {

namespace {

// Four pixels, set or kept by four bits of a row's mask.
using Pixels4 = std::uint32_t __attribute__((vector_size(16)));
constexpr std::array<std::array<std::uint32_t, 4>, 16> kNibbleMasks = [] {
  std::array<std::array<std::uint32_t, 4>, 16> masks{};
  for (unsigned n = 0; n < 16; ++n)
    for (unsigned i = 0; i < 4; ++i) masks[n][i] = (n >> i & 1) != 0 ? 0xFFFFFFFFu : 0;
  return masks;
}();

#if NAV_AVX512_ROWS
// Sixteen pixels at a time with a masked store, which reads nothing.
__attribute__((target("avx512f"))) void setRowMasked(std::span<const std::uint64_t> row, std::int32_t pad,
                                                     std::uint32_t* pixels, std::uint32_t color) {
  const __m512i fill = _mm512_set1_epi32(static_cast<int>(color));
  for (std::size_t w = 0; w < row.size(); ++w) {
    const std::uint64_t bits = row[w];
    if (bits == 0) continue;
    // Left of the pad and right of the image no bit is set, and a masked
    // store leaves those pixels alone.
    const std::ptrdiff_t x = static_cast<std::ptrdiff_t>(w * 64) - pad;
    for (int q = 0; q < 4; ++q)
      if (const auto k = static_cast<__mmask16>(bits >> (16 * q)); k != 0)
        _mm512_mask_storeu_epi32(pixels + x + 16 * q, k, fill);
  }
}
#endif

}  // namespace

#if NAV_AVX512_ROWS
bool rowBitsMaskedStores = __builtin_cpu_supports("avx512f");
#else
bool rowBitsMaskedStores = false;
#endif

// Otherwise four at a time, the four read, the set ones replaced, and
// written back.
void setRowBits(std::span<const std::uint64_t> row, std::int32_t pad, std::uint32_t* pixels, std::int32_t width,
                std::uint32_t color) {
#if NAV_AVX512_ROWS
  if (rowBitsMaskedStores) return setRowMasked(row, pad, pixels, color);
#endif
  Pixels4 fill;
  for (unsigned i = 0; i < 4; ++i) fill[i] = color;
  for (std::size_t w = 0; w < row.size(); ++w)
    for (std::uint64_t bits = row[w]; bits != 0;) {
      const int first = std::countr_zero(bits) & ~3;
      const unsigned n = static_cast<unsigned>(bits >> first) & 15;
      bits &= first >= 60 ? 0 : ~std::uint64_t{0} << (first + 4);
      const std::ptrdiff_t x = static_cast<std::ptrdiff_t>(w * 64) + first - pad;
      std::uint32_t* const at = pixels + x;
      if (x + 4 > width) {
        for (unsigned i = 0; i < 4; ++i)
          if ((n >> i & 1) != 0) at[i] = color;
        continue;
      }
      Pixels4 v, m;
      std::memcpy(&v, at, sizeof v);
      std::memcpy(&m, kNibbleMasks[n].data(), sizeof m);
      v = (v & ~m) | (fill & m);
      std::memcpy(at, &v, sizeof v);
    }
}

}  // namespace nav
