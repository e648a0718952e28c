#include "mapview/scaled_marks.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr nav::PixelSegment kTriangle[] = {{{0, -2}, {2, 2}}, {{2, 2}, {-2, 2}}, {{-2, 2}, {0, -2}}};
constexpr nav::PixelSegment kCross[] = {{{-1, -1}, {1, 1}}, {{1, -1}, {-1, 1}}};

// Marks noted and flushed row after row set the pixels that setting each
// mark in turn sets: sparse rows, rows crowded with overlapping marks,
// places at the grid's edges, at a scale of 2 and 3, with and without the
// processor's masked stores; and the grid's bits handed to the next batch
// come back clear.
TEST(ScaledMarks, SetWhatSettingEachMarkInTurnSets) {
  std::mt19937 random(11);
  std::vector<std::uint64_t> storage;
  const bool masked = nav::rowBitsMaskedStores;
  for (const bool useMasked : {false, masked})
    for (const int scale : {2, 3})
      for (const auto& mark :
           {std::span<const nav::PixelSegment>(kTriangle), std::span<const nav::PixelSegment>(kCross)})
        for (const int crowd : {3, 400, 3000}) {
          constexpr int kMapWidth = 150, kMapHeight = 40;
          const int width = kMapWidth * scale, height = kMapHeight * scale, stride = width + 5;
          std::vector<std::uint32_t> expected(static_cast<std::size_t>(stride * height), 0), image = expected;
          const nav::PixelRaster one{expected.data(), stride, width, height, 7, scale};
          const nav::PixelRaster batch{image.data(), stride, width, height, 7, scale};
          const nav::MarkPixels pixels(mark, stride, scale);
          nav::ScaledMarks marks(pixels, kMapWidth, kMapHeight, std::move(storage));
          const auto place = [&](int px, int py) {
            if (!pixels.fits(one, px, py)) return;
            pixels.setFitting(one, px, py);
            marks.note(px, py);
          };
          std::uniform_int_distribution<int> x(0, kMapWidth - 1), y(0, kMapHeight - 1);
          for (int i = 0; i < crowd; ++i) place(x(random), i % 7 == 0 ? 20 : y(random));  // one row crowded
          for (const int edge : {1, 2, 3}) place(edge, edge), place(kMapWidth - edge, kMapHeight - edge);
          nav::rowBitsMaskedStores = useMasked;
          marks.flush(batch);
          ASSERT_EQ(image, expected) << "scale " << scale << ", " << crowd << " marks, masked " << useMasked;
          // Flushed, nothing is left to set again.
          std::fill(image.begin(), image.end(), 0);
          marks.flush(batch);
          EXPECT_EQ(image, std::vector<std::uint32_t>(image.size(), 0));
          storage = std::move(marks).takeStorage();
          EXPECT_EQ(storage, std::vector<std::uint64_t>(storage.size(), 0));
        }
  nav::rowBitsMaskedStores = masked;
}

}  // namespace
