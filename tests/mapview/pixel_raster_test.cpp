#include "mapview/pixel_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr int kSize = 16;

// Bresenham's line as the painters draw it, one step at a time, the end
// pixel left out.
std::vector<std::uint32_t> reference(int x0, int y0, int x1, int y1) {
  std::vector<std::uint32_t> image(kSize * kSize, 0);
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    image[y0 * kSize + x0] = 1;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
  return image;
}

// The raster's lines, the shortest ones set without a loop among them.
TEST(PixelRaster, LinesEveryWaySetBresenhamsPixelsWithoutTheEnd) {
  for (int dy = -4; dy <= 4; ++dy)
    for (int dx = -4; dx <= 4; ++dx) {
      std::vector<std::uint32_t> image(kSize * kSize, 0);
      const nav::PixelRaster raster{image.data(), kSize, kSize, kSize, 1};
      raster.line(7, 7, 7 + dx, 7 + dy);
      EXPECT_EQ(image, reference(7, 7, 7 + dx, 7 + dy)) << dx << ", " << dy;
    }
}

// A polyline sets the pixels of its lines drawn in turn: steps of every
// length and way, points repeated in the middle and at the end.
TEST(PixelRaster, PolylinesSetThePixelsOfTheirLines) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> step(-3, 3), coin(0, 5);
  for (int trial = 0; trial < 2000; ++trial) {
    std::vector<nav::PixelPoint> points{{8, 8}};
    const int count = 1 + trial % 9;
    for (int i = 0; i < count; ++i) {
      const nav::PixelPoint& last = points.back();
      const int d = coin(random) == 0 ? 0 : 1;  // now and then the same point again
      points.push_back(
          {std::clamp(last.x + d * step(random), 0, kSize - 1), std::clamp(last.y + d * step(random), 0, kSize - 1)});
    }
    if (trial % 3 == 0) points.push_back(points.back());
    std::vector<std::uint32_t> image(kSize * kSize, 0), lines(kSize * kSize, 0);
    const nav::PixelRaster raster{image.data(), kSize, kSize, kSize, 1};
    raster.polyline(points);
    for (std::size_t i = 1; i < points.size(); ++i) {
      const std::vector<std::uint32_t> one = reference(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
      for (std::size_t k = 0; k < one.size(); ++k) lines[k] |= one[k];
    }
    ASSERT_EQ(image, lines) << "trial " << trial;
  }
}

// A mark's pixels once each, wherever its segments meet, at a place where
// it fits, and nothing where it would reach past the image.
TEST(PixelRaster, MarksAreTheirSegmentsLinesAndStayInside) {
  constexpr nav::PixelSegment triangle[] = {{{0, -2}, {2, 2}}, {{2, 2}, {-2, 2}}, {{-2, 2}, {0, -2}}};
  std::vector<std::uint32_t> image(kSize * kSize, 0);
  const nav::PixelRaster raster{image.data(), kSize, kSize, kSize, 1};
  const nav::MarkPixels mark(triangle, kSize);
  ASSERT_TRUE(mark.set(raster, 5, 5));
  std::vector<std::uint32_t> lines(kSize * kSize, 0);
  for (const nav::PixelSegment& s : triangle) {
    const std::vector<std::uint32_t> one = reference(5 + s.from.x, 5 + s.from.y, 5 + s.to.x, 5 + s.to.y);
    for (std::size_t i = 0; i < one.size(); ++i) lines[i] |= one[i];
  }
  EXPECT_EQ(image, lines);
  EXPECT_FALSE(mark.set(raster, 1, 8));
  EXPECT_FALSE(mark.set(raster, 8, kSize - 2));
  EXPECT_EQ(image, lines);
}

}  // namespace
