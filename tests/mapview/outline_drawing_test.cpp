#include "mapview/outline_drawing.h"

#include <gtest/gtest.h>

#include <limits>

#include "mapview/paint_fixture.h"

namespace {

using navtest::PaintFixture;

// Outline polylines from (lon, lat) pairs in degrees; {0, 0} separates.
void setOutline(PaintFixture& f, std::initializer_list<std::pair<double, double>> points) {
  f.state.outline.values.clear();
  for (const auto& [lon, lat] : points) {
    f.state.outline.values.push_back(static_cast<float>(lon * 3600));
    f.state.outline.values.push_back(static_cast<float>(lat * 3600));
  }
  f.state.outline.outlineLoaded = true;
}

std::vector<navtest::RecordingSurface::Op> draw(PaintFixture& f) {
  f.run(nav::drawWorldOutline);
  return f.surface.only("line");
}

TEST(WorldOutlineDrawing, PenAndSinglePoints) {
  PaintFixture f(1000, 500, 4);
  f.surface.setPen({{1, 2, 3}, 1});
  setOutline(f, {{10, 10}});
  EXPECT_TRUE(draw(f).empty());  // a lone point is a move only
  EXPECT_EQ(f.penSaved.color, (nav::Rgb{1, 2, 3}));
  EXPECT_EQ(f.surface.pen().color, (nav::Rgb{0, 192, 255}));  // left selected

  PaintFixture none(1000, 500, 4);
  EXPECT_TRUE(draw(none).empty());  // nothing loaded
  EXPECT_EQ(none.surface.pen().color, (nav::Rgb{0, 0, 0}));
}

TEST(WorldOutlineDrawing, SeparatorsStartNewPolylines) {
  PaintFixture f(1000, 500, 4);  // +-22.5 by +-11.25 degrees, 1000 x 500
  setOutline(f, {{1, 1}, {2, 1}, {0, 0}, {-1, -1}, {-2, -1}, {0, 0}});
  const auto lines = draw(f);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].args[0], f.state.view.GeoToPixel({.lat = 3600, .lon = 3600}).x);
  EXPECT_EQ(lines[1].args[0], f.state.view.GeoToPixel({.lat = -3600, .lon = -3600}).x);
}

// The pixel of a position given in degrees, as a line's two arguments.
std::vector<std::int32_t> pixelAt(const PaintFixture& f, double lon, double lat) {
  const nav::MapPixel p = f.state.view.GeoToPixel({.lat = lat * 3600, .lon = lon * 3600});
  return {p.x, p.y};
}

TEST(WorldOutlineDrawing, LeavingAndReenteringTheView) {
  PaintFixture f(1000, 500, 4);
  const auto px = [&](double lon, double lat) { return pixelAt(f, lon, lat); };
  // Starts outside, enters, leaves, wanders outside, comes back.
  setOutline(f, {{-30, 5}, {-10, 5}, {10, 5}, {30, 5}, {40, 6}, {45, 7}, {10, 8}, {5, 8}});
  const auto lines = draw(f);
  ASSERT_EQ(lines.size(), 5u);
  auto seg = [](std::vector<std::int32_t> a, std::vector<std::int32_t> b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  EXPECT_EQ(lines[0].args, seg(px(-30, 5), px(-10, 5)));  // enters: drawn from its first point
  EXPECT_EQ(lines[1].args, seg(px(-10, 5), px(10, 5)));
  EXPECT_EQ(lines[2].args, seg(px(10, 5), px(30, 5)));  // leaves: drawn in full
  EXPECT_EQ(lines[3].args, seg(px(45, 7), px(10, 8)));  // comes back from the last outside point
  EXPECT_EQ(lines[4].args, seg(px(10, 8), px(5, 8)));
}

TEST(WorldOutlineDrawing, OutsideTheViewOnlyTheLastGoodPointCounts) {
  PaintFixture f(1000, 500, 4);
  const auto px = [&](double lon, double lat) { return pixelAt(f, lon, lat); };
  // A long way outside, a damaged value on it, then back in: the segment
  // that comes back starts at the last good point outside.
  setOutline(f, {{10, 5}, {30, 5}, {35, 5}, {40, 6}, {45, 7}, {10, 8}});
  f.state.outline.values.insert(f.state.outline.values.end() - 2, {3e30f, 1.f});
  auto lines = draw(f);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].args, (std::vector<std::int32_t>{px(45, 7)[0], px(45, 7)[1], px(10, 8)[0], px(10, 8)[1]}));

  // A separator while outside: the next polyline starts afresh inside.
  PaintFixture g(1000, 500, 4);
  setOutline(g, {{10, 5}, {30, 5}, {40, 6}, {0, 0}, {10, 8}, {5, 8}});
  lines = draw(g);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].args, (std::vector<std::int32_t>{px(10, 8)[0], px(10, 8)[1], px(5, 8)[0], px(5, 8)[1]}));
}

TEST(WorldOutlineDrawing, LongPolylinesStayInOnePiece) {
  PaintFixture f(1000, 500, 4);
  std::vector<float>& values = f.state.outline.values;
  for (int i = 0; i < 200; ++i) {  // a zigzag of 200 points, all in the view
    values.push_back(static_cast<float>((-20 + 0.2 * i) * 3600));
    values.push_back(static_cast<float>((i % 2 ? 1 : -1) * 3600));
  }
  f.state.outline.outlineLoaded = true;
  const auto lines = draw(f);
  ASSERT_EQ(lines.size(), 199u);
  for (std::size_t i = 1; i < lines.size(); ++i) {  // each starts where the last ended
    EXPECT_EQ(lines[i].args[0], lines[i - 1].args[2]);
    EXPECT_EQ(lines[i].args[1], lines[i - 1].args[3]);
  }
}

TEST(WorldOutlineDrawing, BreaksAcrossTheDateLineAtTheWholeWorldOnly) {
  PaintFixture world(1000, 500, 1);
  // Thinning at level 1 draws every fourth point: keep the crossing on them.
  setOutline(world, {{179.9, 10}, {0, 1}, {0, 2}, {0, 3}, {-179.9, 10}, {0, 4}, {0, 5}, {0, 6}, {-170, 10}});
  const auto lines = draw(world);
  ASSERT_EQ(lines.size(), 1u);  // the step across the map is a move
  EXPECT_EQ(lines[0].args[2], world.state.view.GeoToPixel({.lat = 36000, .lon = -170 * 3600}).x);

  PaintFixture four(1000, 500, 4, 179 * 3600.0, 0);
  setOutline(four, {{179.5, 1}, {-179.5, 1}});
  EXPECT_EQ(draw(four).size(), 1u);  // beyond level 1 no break: the segment leaves the view
}

TEST(WorldOutlineDrawing, ThinningKeepsTheFirstPointOfEveryPolyline) {
  EXPECT_EQ(nav::outlineThinningPeriod(1), 4);
  EXPECT_EQ(nav::outlineThinningPeriod(2), 3);
  EXPECT_EQ(nav::outlineThinningPeriod(3), 2);
  EXPECT_EQ(nav::outlineThinningPeriod(4), 1);
  EXPECT_EQ(nav::outlineThinningPeriod(0), 1);

  std::initializer_list<std::pair<double, double>> line = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1},
                                                           {6, 1}, {7, 1}, {0, 0}, {9, 2}, {10, 2}};
  PaintFixture three(1000, 500, 3);
  setOutline(three, line);
  const auto lines3 = draw(three);
  ASSERT_EQ(lines3.size(), 3u);  // points 1, 3, 5, 7, then 9 starts afresh
  EXPECT_EQ(lines3[2].args[2], three.state.view.GeoToPixel({.lat = 3600, .lon = 7 * 3600}).x);

  PaintFixture one(1000, 500, 1);
  setOutline(one, line);
  ASSERT_EQ(draw(one).size(), 1u);  // 1 and 5; 9 alone

  PaintFixture five(1000, 500, 5);
  setOutline(five, line);
  EXPECT_EQ(draw(five).size(), 7u);
}

TEST(WorldOutlineDrawing, DamagedValuesArePassedOver) {
  PaintFixture f(1000, 500, 16);
  setOutline(f, {{1e-3, 1e-3}, {2e-3, 1e-3}});
  f.state.outline.values.insert(f.state.outline.values.begin() + 2, {3e30f, 0.5f});
  f.state.outline.values.push_back(std::numeric_limits<float>::quiet_NaN());
  f.state.outline.values.push_back(1.f);
  std::vector<navtest::RecordingSurface::Op> lines;
  EXPECT_NO_THROW(lines = draw(f));
  EXPECT_EQ(lines.size(), 1u);  // the two good points still make their segment
}

}  // namespace
