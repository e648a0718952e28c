#include "mapview/scaled_marks.h"

#include <algorithm>
#include <bit>
#include <climits>

namespace nav {

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
    if (anyDense) setRowBits(imageRow_, padBits_, pixels, r.width, r.color);
  }
  flushed();
}

}  // namespace nav
