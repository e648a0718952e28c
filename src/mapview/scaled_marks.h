#pragma once

#include <climits>
#include <cstdint>
#include <vector>

#include "mapview/pixel_raster.h"
#include "mapview/row_bits.h"

namespace nav {

// One mark at many places on a raster of several image pixels to a map
// pixel. Such an image is too large for the caches, and a mark set place
// by place reaches into several of its rows each time. The places are
// noted here instead, a bit for each map pixel; flush() then sets the
// marks' pixels row after row of the image, left to right, each pixel once
// however many marks cover it.
class ScaledMarks {
 public:
  // For a raster of the mark's scale whose map pixels are gridWidth by
  // gridHeight. `storage` is the bits of an earlier one, handed back by
  // takeStorage(), or empty: the grid is then made without a fresh
  // allocation, which at every paint cost a page fault every 4 KB.
  ScaledMarks(const MarkPixels& mark, std::int32_t gridWidth, std::int32_t gridHeight,
              std::vector<std::uint64_t> storage = {});

  // Whether the grid holds map pixel (x, y), not negative: a raster whose
  // size is not a whole number of map pixels reaches past the last.
  bool holds(std::int32_t x, std::int32_t y) const { return x < gridWidth_ && y < gridHeight_; }
  // A place the grid holds whose whole mark lies in the raster
  // (MarkPixels::fits).
  void note(std::int32_t x, std::int32_t y) {
    places_[static_cast<std::size_t>(y) * wordsPerRow_ + static_cast<std::size_t>(x >> 6)] |= std::uint64_t{1}
                                                                                              << (x & 63);
    firstRow_ = std::min(firstRow_, y);
    lastRow_ = std::max(lastRow_, y);
  }
  bool anyNoted() const { return firstRow_ <= lastRow_; }
  // Sets the marks noted since the last flush in the raster's colour, then
  // forgets them.
  void flush(const PixelRaster& r);
  // The grid's bits, all clear, for the next one.
  std::vector<std::uint64_t> takeStorage() && {
    flushed();
    return std::move(places_);
  }

 private:
  struct MarkRow {
    std::int32_t dy;                // image rows below the origin's
    std::vector<std::int32_t> dxs;  // image pixels right of the origin's
  };
  // A few grid rows spread out to image pixels, by row modulo their count:
  // an image row takes its marks from at most that many. A row of few
  // places keeps their first image pixels, one of many a bit at each.
  struct Spread {
    std::int32_t row = -1;
    bool dense = false;
    std::vector<std::int32_t> firsts;
    std::vector<std::uint64_t> bits;
  };
  const Spread& spread(std::int32_t y);
  void flushed();

  std::int32_t scale_;
  std::int32_t gridWidth_, gridHeight_;
  std::size_t wordsPerRow_;  // of the grid
  std::size_t imageWords_;   // of an image row
  std::int32_t padBits_;     // left of an image row's first pixel, for the mark's left reach
  std::vector<MarkRow> rows_;
  std::vector<std::uint64_t> places_;                    // by grid row, a bit for each map pixel
  std::int32_t firstRow_ = INT_MAX, lastRow_ = INT_MIN;  // the noted rows: none while first > last
  std::vector<Spread> spread_;
  std::vector<std::uint64_t> imageRow_;
};

}  // namespace nav
