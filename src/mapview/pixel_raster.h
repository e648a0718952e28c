#pragma once

#include <algorithm>
#include <array>
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
  // Image pixels to a map pixel along each axis: 2 on a screen of twice the
  // density. Only marks (MarkPixels) are set in a raster of more than one;
  // its width and height are then the image's.
  std::int32_t scale = 1;

  bool contains(std::int64_t x, std::int64_t y) const { return x >= 0 && x < width && y >= 0 && y < height; }

  // A line whose ends both lie in the image, and so all of it.
  [[gnu::always_inline]] void line(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) const {
    std::uint32_t* pixel = pixels + y0 * stride + x0;
    if (static_cast<unsigned>(x1 - x0 + 2) <= 4 && static_cast<unsigned>(y1 - y0 + 2) <= 4) {
      // Lines of no, one or two pixels, most of them at the lowest levels:
      // their pixels come from a table, set without a loop or a branch,
      // where the loop's count mispredicted at almost every line. A pixel
      // the line does not have is written back unchanged.
      const ShortLine& s = kShortLines[(y1 - y0 + 2) * 5 + (x1 - x0 + 2)];
      const auto keepUnless = [this](std::uint32_t* at, bool set) {
        const std::uint32_t was = *at;
        *at = was ^ ((was ^ color) & (0u - static_cast<std::uint32_t>(set)));
      };
      keepUnless(pixel, s.pixels >= 1);
      keepUnless(pixel + s.secondY * stride + s.secondX, s.pixels >= 2);
      return;
    }
    longLine(pixel, x0, y0, x1, y1);
  }

  // A polyline whose points all lie in the image, as its lines drawn in
  // turn. A line's first pixel is its start; a line of no length has none,
  // but the next line that has a length starts at the same point. So every
  // point is set but the last and those equal to it at the end: set
  // without a test, where the outline at the lowest levels is nearly all
  // lines of no, one or two pixels.
  void polyline(std::span<const PixelPoint> points) const {
    std::size_t n = points.size();
    while (n >= 2 && points[n - 1] == points[n - 2]) --n;
    for (std::size_t i = 1; i < n; ++i) {
      const PixelPoint a = points[i - 1], b = points[i];
      std::uint32_t* pixel = pixels + a.y * stride + a.x;
      if (static_cast<unsigned>(b.x - a.x + 2) <= 4 && static_cast<unsigned>(b.y - a.y + 2) <= 4) {
        // The second pixel of a line of two; the first again otherwise.
        const ShortLine& s = kShortLines[(b.y - a.y + 2) * 5 + (b.x - a.x + 2)];
        *pixel = color;
        pixel[s.secondY * stride + s.secondX] = color;
      } else {
        longLine(pixel, a.x, a.y, b.x, b.y);
      }
    }
  }

 private:
  // Kept out of line, so that the short lines' code stays small enough to
  // be inlined where the outline and the marks are drawn.
  [[gnu::noinline]] void longLine(std::uint32_t* pixel, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                                  std::int32_t y1) const {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0);
    const std::ptrdiff_t sy = y0 < y1 ? stride : -stride;
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

  // A line of at most two pixels from (0, 0): how many, and where the
  // second lies (at (0, 0) when there is none).
  struct ShortLine {
    int pixels;
    int secondX, secondY;
  };
  // By the end's offset, x and y each from -2 to 2: Bresenham's first step.
  static constexpr std::array<ShortLine, 25> kShortLines = [] {
    std::array<ShortLine, 25> table{};
    for (int y1 = -2; y1 <= 2; ++y1)
      for (int x1 = -2; x1 <= 2; ++x1) {
        const int dx = x1 < 0 ? -x1 : x1, dy = y1 < 0 ? y1 : -y1;
        const int n = dx > -dy ? dx : -dy;
        const int e2 = 2 * (dx + dy);
        ShortLine& s = table[(y1 + 2) * 5 + (x1 + 2)];
        s.pixels = n;
        if (n == 2) {
          s.secondX = e2 >= dy ? (x1 > 0 ? 1 : -1) : 0;
          s.secondY = e2 <= dx ? (y1 > 0 ? 1 : -1) : 0;
        }
      }
    return table;
  }();
};

// The pixels of a mark, segments given about (0, 0), as offsets in a raster
// of `stride`, and the box they lie in: worked out once, set at every place.
class MarkPixels {
 public:
  // At a scale of more than one, each segment runs between the image pixels
  // of its ends, `scale` pixels thick, as a scaled surface draws a line.
  MarkPixels(std::span<const PixelSegment> mark, std::ptrdiff_t stride, std::int32_t scale = 1) : scale_(scale) {
    // The box holds the mark's origin and its segments' ends too.
    const auto extend = [&](int x, int y) {
      left_ = std::min(left_, x), right_ = std::max(right_, x);
      top_ = std::min(top_, y), bottom_ = std::max(bottom_, y);
    };
    const auto add = [&](int x, int y) {
      extend(x, y);
      points_.push_back({x, y});
    };
    const int w = scale;
    for (const PixelSegment& s : mark) {
      int ax = s.from.x * w, ay = s.from.y * w, bx = s.to.x * w, by = s.to.y * w;
      extend(ax, ay);
      extend(bx, by);
      const bool alongX = std::abs(bx - ax) >= std::abs(by - ay);
      // Going back along its long axis, a thick line keeps to the far side
      // of each band, so that it covers the same map pixels as going forward.
      if (w > 1 && alongX && bx < ax) ax += w - 1, bx += w - 1;
      if (w > 1 && !alongX && by < ay) ay += w - 1, by += w - 1;
      const int dx = std::abs(bx - ax), sx = ax < bx ? 1 : -1;
      const int dy = -std::abs(by - ay), sy = ay < by ? 1 : -1;
      int err = dx + dy;
      for (int n = std::max(dx, -dy); n > 0; --n) {
        for (int k = 0; k < w; ++k) add(alongX ? ax : ax + k, alongX ? ay + k : ay);
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, ax += sx;
        if (e2 <= dx) err += dx, ay += sy;
      }
    }
    // A pixel two segments share is set once.
    std::sort(points_.begin(), points_.end(),
              [](const PixelPoint& a, const PixelPoint& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    points_.erase(std::unique(points_.begin(), points_.end()), points_.end());
    offsets_.reserve(points_.size());
    for (const PixelPoint& p : points_) offsets_.push_back(p.y * stride + p.x);
  }
  // The mark's image pixels about its origin's, row after row.
  std::span<const PixelPoint> points() const { return points_; }
  std::int32_t scale() const { return scale_; }
  // Whether the whole mark at (x, y) lies in the image.
  bool fits(const PixelRaster& r, std::int32_t x, std::int32_t y) const {
    const std::int64_t ix = std::int64_t{x} * scale_, iy = std::int64_t{y} * scale_;
    return r.contains(ix + left_, iy + top_) && r.contains(ix + right_, iy + bottom_);
  }
  // Sets the mark at (x, y) when all of it lies in the image; false, and
  // nothing set, otherwise.
  bool set(const PixelRaster& r, std::int32_t x, std::int32_t y) const {
    if (!fits(r, x, y)) return false;
    setFitting(r, x, y);
    return true;
  }
  // The same for a mark known to fit.
  void setFitting(const PixelRaster& r, std::int32_t x, std::int32_t y) const {
    const std::int64_t ix = std::int64_t{x} * scale_, iy = std::int64_t{y} * scale_;
    std::uint32_t* const origin = r.pixels + iy * r.stride + ix;
    const std::ptrdiff_t* const o = offsets_.data();
    const std::uint32_t c = r.color;
    // Unrolled for the map's small marks (up to a dozen pixels), set a
    // quarter of a million times at the lowest levels: the loop's own work
    // was most of a mark's cost.
    switch (offsets_.size()) {
      case 16: origin[o[15]] = c; [[fallthrough]];
      case 15: origin[o[14]] = c; [[fallthrough]];
      case 14: origin[o[13]] = c; [[fallthrough]];
      case 13: origin[o[12]] = c; [[fallthrough]];
      case 12: origin[o[11]] = c; [[fallthrough]];
      case 11: origin[o[10]] = c; [[fallthrough]];
      case 10: origin[o[9]] = c; [[fallthrough]];
      case 9: origin[o[8]] = c; [[fallthrough]];
      case 8: origin[o[7]] = c; [[fallthrough]];
      case 7: origin[o[6]] = c; [[fallthrough]];
      case 6: origin[o[5]] = c; [[fallthrough]];
      case 5: origin[o[4]] = c; [[fallthrough]];
      case 4: origin[o[3]] = c; [[fallthrough]];
      case 3: origin[o[2]] = c; [[fallthrough]];
      case 2: origin[o[1]] = c; [[fallthrough]];
      case 1: origin[o[0]] = c; [[fallthrough]];
      case 0: break;
      default:
        for (const std::ptrdiff_t offset : offsets_) origin[offset] = c;
    }
  }

 private:
  std::vector<PixelPoint> points_;
  std::vector<std::ptrdiff_t> offsets_;
  std::int32_t scale_ = 1;
  std::int32_t left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

}  // namespace nav
