#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace nav {

struct PixelPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A line from one pixel to another, its end pixel excluded.
struct PixelSegment {
  PixelPoint from;
  PixelPoint to;
  friend bool operator==(const PixelSegment&, const PixelSegment&) = default;
};

// A plain image of 32-bit pixels and the colour of the pen. Where a surface
// is one, the walks set their lines and marks in it as they find them: a
// call for each, or a batch stored at once, left the memory idle between
// the stores. Lines as the surfaces draw them: Bresenham's, without the end
// pixel.
struct PixelRaster {
  std::uint32_t* pixels = nullptr;
  std::ptrdiff_t stride = 0;  // pixels from one row to the next
  std::int32_t width = 0, height = 0;
  std::uint32_t color = 0;

  bool contains(std::int64_t x, std::int64_t y) const { return x >= 0 && x < width && y >= 0 && y < height; }

  // A line whose ends both lie in the image, and so all of it.
  void line(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) const {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0);
    const std::ptrdiff_t sy = y0 < y1 ? stride : -stride;
    std::uint32_t* pixel = pixels + y0 * stride + x0;
    int err = dx + dy;
    // Without branches: the outline's short lines turn every way, and a
    // mispredicted step cost more than the step itself.
    for (int n = std::max(dx, -dy); n > 0; --n) {
      *pixel = color;
      const int e2 = 2 * err;
      const bool stepX = e2 >= dy, stepY = e2 <= dx;
      err += (stepX ? dy : 0) + (stepY ? dx : 0);
      pixel += (stepX ? sx : 0) + (stepY ? sy : 0);
    }
  }
};

// The pixels of a mark, segments given about (0, 0), as offsets in a raster
// of `stride`, and the box they lie in: worked out once, set at every place.
class MarkPixels {
 public:
  MarkPixels(std::span<const PixelSegment> mark, std::ptrdiff_t stride) {
    for (const PixelSegment& s : mark) {
      left_ = std::min({left_, s.from.x, s.to.x});
      right_ = std::max({right_, s.from.x, s.to.x});
      top_ = std::min({top_, s.from.y, s.to.y});
      bottom_ = std::max({bottom_, s.from.y, s.to.y});
      const int dx = std::abs(s.to.x - s.from.x), sx = s.from.x < s.to.x ? 1 : -1;
      const int dy = -std::abs(s.to.y - s.from.y), sy = s.from.y < s.to.y ? 1 : -1;
      int x = s.from.x, y = s.from.y, err = dx + dy;
      for (int n = std::max(dx, -dy); n > 0; --n) {
        offsets_.push_back(y * stride + x);
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, x += sx;
        if (e2 <= dx) err += dx, y += sy;
      }
    }
  }
  // Sets the mark at (x, y) when all of it lies in the image; false, and
  // nothing set, otherwise.
  bool set(const PixelRaster& r, std::int32_t x, std::int32_t y) const {
    if (!r.contains(std::int64_t{x} + left_, std::int64_t{y} + top_) ||
        !r.contains(std::int64_t{x} + right_, std::int64_t{y} + bottom_))
      return false;
    std::uint32_t* origin = r.pixels + y * r.stride + x;
    for (const std::ptrdiff_t offset : offsets_) origin[offset] = r.color;
    return true;
  }

 private:
  std::vector<std::ptrdiff_t> offsets_;
  std::int32_t left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

}  // namespace nav
