#include "mapview/scaled_marks.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstring>
#if NAV_AVX512_ROWS
#include <immintrin.h>
#endif

namespace nav {

#if NAV_AVX512_ROWS
bool ScaledMarks::maskedStores = __builtin_cpu_supports("avx512f");
#else
bool ScaledMarks::maskedStores = false;
#endif

ScaledMarks::ScaledMarks(const MarkPixels& mark, std::int32_t gridWidth, std::int32_t gridHeight,
                         std::vector<std::uint64_t> storage)
    : scale_(std::max(1, mark.scale())),
      gridWidth_(std::max(0, gridWidth)),
      gridHeight_(std::max(0, gridHeight)),
      wordsPerRow_((static_cast<std::size_t>(gridWidth_) + 63) / 64),
      places_(std::move(storage)) {
  // Storage handed back is all clear; what it gains or loses in size is too.
  places_.resize(wordsPerRow_ * static_cast<std::size_t>(gridHeight_));
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
  for (const PixelPoint& p : mark.points()) {
    if (rows_.empty() || rows_.back().dy != p.y) rows_.push_back({p.y, {}});
    rows_.back().dxs.push_back(p.x);
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  padBits_ = (-left + 63) / 64 * 64;
  imageWords_ = (static_cast<std::size_t>(gridWidth_) * static_cast<std::size_t>(scale_) + 63) / 64;
  imageRow_.assign(imageWords_ + static_cast<std::size_t>(padBits_ / 64) + static_cast<std::size_t>(right / 64) + 2, 0);
  spread_.resize(static_cast<std::size_t>((bottom - top) / scale_ + 2));
  for (Spread& row : spread_) row.bits.assign(imageWords_, 0);
}

void ScaledMarks::flushed() {
  if (firstRow_ <= lastRow_)
    std::fill(places_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(firstRow_) * wordsPerRow_),
              places_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(lastRow_ + 1) * wordsPerRow_), 0);
  firstRow_ = INT_MAX;
  lastRow_ = INT_MIN;
}

// Grid row y with each place moved to its first image pixel.
const ScaledMarks::Spread& ScaledMarks::spread(std::int32_t y) {
  Spread& out = spread_[static_cast<std::size_t>(y) % spread_.size()];
  if (out.row == y) return out;
  if (out.dense) std::fill(out.bits.begin(), out.bits.end(), 0);
  out.row = y;
  out.firsts.clear();
  const std::uint64_t* row = places_.data() + static_cast<std::size_t>(y) * wordsPerRow_;
  for (std::size_t w = 0; w < wordsPerRow_; ++w)
    for (std::uint64_t bits = row[w]; bits != 0; bits &= bits - 1)
      out.firsts.push_back(static_cast<std::int32_t>(w * 64 + static_cast<std::size_t>(std::countr_zero(bits))) *
                           scale_);
  // Past a place for each word of an image row, shifting the row's words
  // sets its marks in fewer steps than setting them place by place.
  out.dense = out.firsts.size() > imageWords_;
  if (out.dense)
    for (const std::int32_t x : out.firsts) out.bits[static_cast<std::size_t>(x) >> 6] |= std::uint64_t{1} << (x & 63);
  return out;
}

namespace {

// Four pixels, set or kept by four bits of a row's mask.
using Pixels4 = std::uint32_t __attribute__((vector_size(16)));
constexpr std::array<std::array<std::uint32_t, 4>, 16> kNibbleMasks = [] {
  std::array<std::array<std::uint32_t, 4>, 16> masks{};
  for (unsigned n = 0; n < 16; ++n)
    for (unsigned i = 0; i < 4; ++i) masks[n][i] = (n >> i & 1) != 0 ? 0xFFFFFFFFu : 0;
  return masks;
}();

}  // namespace

#if NAV_AVX512_ROWS
// The same with a masked store of sixteen pixels, which reads nothing.
__attribute__((target("avx512f"))) void ScaledMarks::setRowMasked(std::uint32_t* pixels, std::uint32_t color) const {
  const __m512i fill = _mm512_set1_epi32(static_cast<int>(color));
  for (std::size_t w = 0; w < imageRow_.size(); ++w) {
    const std::uint64_t bits = imageRow_[w];
    if (bits == 0) continue;
    // Left of the pad and right of the image no bit is set, and a masked
    // store leaves those pixels alone.
    const std::ptrdiff_t x = static_cast<std::ptrdiff_t>(w * 64) - padBits_;
    for (int q = 0; q < 4; ++q)
      if (const auto k = static_cast<__mmask16>(bits >> (16 * q)); k != 0)
        _mm512_mask_storeu_epi32(pixels + x + 16 * q, k, fill);
  }
}
#endif

// The pixels of imageRow_'s bits in a row of the image: four at a time,
// a plain store where all four are set, where a crowded row has most of
// its pixels set.
void ScaledMarks::setRow(std::uint32_t* pixels, std::int32_t width, std::uint32_t color) const {
#if NAV_AVX512_ROWS
  if (maskedStores) return setRowMasked(pixels, color);
#endif
  Pixels4 fill;
  for (unsigned i = 0; i < 4; ++i) fill[i] = color;
  for (std::size_t w = 0; w < imageRow_.size(); ++w)
    for (std::uint64_t bits = imageRow_[w]; bits != 0;) {
      const int first = std::countr_zero(bits) & ~3;
      const unsigned n = static_cast<unsigned>(bits >> first) & 15;
      bits &= first >= 60 ? 0 : ~std::uint64_t{0} << (first + 4);
      // Bits left of the pad are never set: the marks fit the image.
      const std::ptrdiff_t x = static_cast<std::ptrdiff_t>(w * 64) + first - padBits_;
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

void ScaledMarks::flush(const PixelRaster& r) {
  if (!anyNoted()) return;
  const std::int32_t top = rows_.empty() ? 0 : rows_.front().dy, bottom = rows_.empty() ? 0 : rows_.back().dy;
  const std::int32_t from = std::max(0, firstRow_ * scale_ + top);
  const std::int32_t to = std::min(r.height - 1, lastRow_ * scale_ + bottom);
  for (Spread& row : spread_) row.row = -1;
  for (std::int32_t imageY = from; imageY <= to; ++imageY) {
    std::uint32_t* const pixels = r.pixels + static_cast<std::ptrdiff_t>(imageY) * r.stride;
    bool anyDense = false;
    for (const MarkRow& row : rows_) {
      const std::int32_t across = imageY - row.dy;
      if (across < 0 || across % scale_ != 0) continue;
      const std::int32_t y = across / scale_;
      if (y < firstRow_ || y > lastRow_) continue;
      const Spread& places = spread(y);
      if (!places.dense) {
        for (const std::int32_t x : places.firsts)
          for (const std::int32_t dx : row.dxs) pixels[x + dx] = r.color;
        continue;
      }
      if (!anyDense) std::fill(imageRow_.begin(), imageRow_.end(), 0), anyDense = true;
      // The row's pixels of every mark: the places shifted by each of the
      // mark's pixels in it, each pixel then set once.
      for (const std::int32_t dx : row.dxs) {
        const std::int32_t shift = dx + padBits_;
        std::uint64_t* into = imageRow_.data() + (shift >> 6);
        const int bit = shift & 63;
        for (std::size_t w = 0; w < imageWords_; ++w) {
          const std::uint64_t bits = places.bits[w];
          if (bits == 0) continue;
          into[w] |= bits << bit;
          if (bit != 0) into[w + 1] |= bits >> (64 - bit);
        }
      }
    }
    if (anyDense) setRow(pixels, r.width, r.color);
  }
  flushed();
}

}  // namespace nav
