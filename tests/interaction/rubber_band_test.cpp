#include "interaction/rubber_band.h"

#include <gtest/gtest.h>

#include "mapview/recording_surface.h"

namespace {

std::vector<std::vector<std::int32_t>> lines(const navtest::RecordingSurface& s) {
  std::vector<std::vector<std::int32_t>> out;
  for (const auto& op : s.only("line")) {
    EXPECT_TRUE(op.invert);
    EXPECT_EQ(op.pen.color, (nav::Rgb{0, 0, 0}));
    out.push_back(op.args);
  }
  return out;
}

TEST(RubberBand, FollowsThePointerAndRemovesTheLastFigure) {
  nav::RubberBand band;
  navtest::RecordingSurface s;
  s.setPen({{0, 192, 255}, 1});
  band.press(100, 100);
  EXPECT_TRUE(band.rubberActive);
  band.follow(s, 150, 80);
  EXPECT_FALSE(s.invertMode());  // back to copy mode
  const auto first = lines(s);
  ASSERT_EQ(first.size(), 10u);
  EXPECT_EQ(first[0], (std::vector<std::int32_t>{100, 100, 100, 100}));  // the old figure: a point, nothing
  EXPECT_EQ(first[1], (std::vector<std::int32_t>{100, 100, 150, 80}));   // the new diagonal
  EXPECT_EQ(first[6], (std::vector<std::int32_t>{100, 100, 100, 80}));   // the new rectangle
  EXPECT_EQ(first[7], (std::vector<std::int32_t>{100, 80, 150, 80}));
  EXPECT_EQ(first[8], (std::vector<std::int32_t>{150, 80, 150, 100}));
  EXPECT_EQ(first[9], (std::vector<std::int32_t>{150, 100, 100, 100}));
  EXPECT_EQ(band.rubberCorner, (nav::PixelPoint{150, 80}));

  navtest::RecordingSurface r;
  band.release(r);
  const auto removed = lines(r);
  ASSERT_EQ(removed.size(), 5u);
  EXPECT_EQ(removed[0], (std::vector<std::int32_t>{100, 100, 150, 80}));
  EXPECT_FALSE(band.rubberActive);

  navtest::RecordingSurface again;
  band.release(again);  // a release without a band draws nothing
  EXPECT_TRUE(again.ops.empty());
}

}  // namespace
