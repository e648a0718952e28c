#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "mapview/viewport.h"

namespace {

using nav::Viewport;

Viewport view(int w, int h, int mag, double lon, double lat) {
  Viewport v;
  nav::fitViewAbout(v, {.lat = lat, .lon = lon}, mag, w, h);
  v.mag2 = 1 << (mag - 1);
  return v;
}

// Paris on an area of an odd shape, and the whole world on a 2:1 one.
const Viewport kParis = view(743, 487, 5, 8460.25, 175884.7);
const Viewport kWorld = view(1000, 500, 1, 0, 0);

void expectUnder(const Viewport& v, nav::GeoPosition p, int x, int y) {
  const nav::MapPixel at = v.GeoToPixel({.lat = p.lat, .lon = p.lon});
  EXPECT_LE(std::abs(at.x - x), 1) << "x " << at.x << " for " << x << " at level " << v.mag;
  EXPECT_LE(std::abs(at.y - y), 1) << "y " << at.y << " for " << y << " at level " << v.mag;
}

void expectSameEdges(const Viewport& a, const Viewport& b) {
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.right, b.right);
  EXPECT_EQ(a.top, b.top);
  EXPECT_EQ(a.bottom, b.bottom);
  EXPECT_EQ(a.mag, b.mag);
  EXPECT_EQ(a.mag2, b.mag2);
}

TEST(ViewportZoomAbout, ThePositionUnderThePixelStaysUnderIt) {
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{742, 486}, std::pair{123, 321}, std::pair{371, 243}}) {
    Viewport v = kParis;
    const nav::GeoPosition p = v.PixelToGeo(x, y);
    const double span = v.right - v.left, height = v.top - v.bottom;
    ASSERT_TRUE(v.zoomInAbout(x, y));
    EXPECT_EQ(v.mag, 6);
    EXPECT_EQ(v.mag2, kParis.mag2 * 2);
    EXPECT_DOUBLE_EQ(v.right - v.left, span / 2);
    EXPECT_DOUBLE_EQ(v.top - v.bottom, height / 2);
    expectUnder(v, p, x, y);
    EXPECT_EQ(v.markLon, kParis.markLon);  // the centre mark stays where it was
    EXPECT_EQ(v.markLat, kParis.markLat);

    v = kParis;
    ASSERT_TRUE(v.zoomOutAbout(x, y));
    EXPECT_EQ(v.mag, 4);
    EXPECT_DOUBLE_EQ(v.right - v.left, span * 2);
    expectUnder(v, p, x, y);
  }
}

TEST(ViewportZoomAbout, StepsInAndOutComeBackExactly) {
  for (const Viewport& start : {kParis, kWorld}) {
    for (const auto& [x, y] : {std::pair{1, 2}, std::pair{600, 37}, std::pair{371, 243}}) {
      SCOPED_TRACE(testing::Message() << "level " << start.mag << " pixel " << x << ", " << y);
      const nav::GeoPosition p = start.PixelToGeo(x, y);
      Viewport v = start;
      for (int n = 1; n <= 4; ++n) {
        for (int i = 0; i < n; ++i) ASSERT_TRUE(v.zoomInAbout(x, y));
        expectUnder(v, p, x, y);
        for (int i = 0; i < n; ++i) ASSERT_TRUE(v.zoomOutAbout(x, y));
        expectSameEdges(v, start);
      }
      // Back and forth, out first where there is room.
      if (start.mag > 1) {
        ASSERT_TRUE(v.zoomOutAbout(x, y));
        ASSERT_TRUE(v.zoomInAbout(x, y));
        ASSERT_TRUE(v.zoomInAbout(x, y));
        ASSERT_TRUE(v.zoomOutAbout(x, y));
        expectUnder(v, p, x, y);
        expectSameEdges(v, start);
      }
    }
  }
}

TEST(ViewportZoomAbout, AViewMovedSinceIsZoomedFromWhereItStands) {
  Viewport v = kParis;
  ASSERT_TRUE(v.zoomInAbout(100, 100));
  v.pan(0.25, 0);
  const nav::GeoPosition p = v.PixelToGeo(100, 100);
  ASSERT_TRUE(v.zoomOutAbout(100, 100));
  expectUnder(v, p, 100, 100);
  EXPECT_EQ(v.mag, kParis.mag);
  EXPECT_NE(v.left, kParis.left);
}

TEST(ViewportZoomAbout, StopsWhereTheButtonsStop) {
  Viewport v = kWorld;
  EXPECT_FALSE(v.zoomOutAbout(10, 10));
  expectSameEdges(v, kWorld);
  while (v.zoomInAbout(999, 499)) {
  }
  EXPECT_EQ(v.mag, Viewport::kMaxMag);
  const Viewport deepest = v;
  EXPECT_FALSE(v.zoomInAbout(999, 499));
  expectSameEdges(v, deepest);

  Viewport empty;
  empty.mag = 3;
  EXPECT_FALSE(empty.zoomInAbout(0, 0));
  EXPECT_FALSE(empty.zoomOutAbout(0, 0));
}

TEST(ViewportZoomAbout, ZoomingOutAtACornerNeverLeavesTheDrawableRange) {
  // Out at one corner and in at the opposite one, over and over, walks the
  // view away from the world; it is held where the deepest level can still
  // convert the world's corners.
  Viewport v = view(8192, 8192, Viewport::kMaxMag, 648000, 324000);
  for (int round = 0; round < 3; ++round) {
    while (v.zoomOutAbout(0, 0)) {
    }
    while (v.zoomInAbout(8191, 8191)) {
    }
  }
  EXPECT_LE(std::abs(v.centreLon()), Viewport::kMaxCentreLon);
  EXPECT_LE(std::abs(v.centreLat()), Viewport::kMaxCentreLat);
  EXPECT_NO_THROW(v.GeoToPixel({.lat = -324000, .lon = -648000}));
  EXPECT_NO_THROW(v.GeoToPixel({.lat = 324000, .lon = 648000}));
}

TEST(ViewportPan, MovesByFractionsOfTheViewKeepingTheMark) {
  Viewport v = kParis;
  const double span = v.right - v.left, height = v.top - v.bottom;
  v.pan(0.25, 0);
  EXPECT_DOUBLE_EQ(v.centreLon(), kParis.centreLon() + span / 4);
  EXPECT_DOUBLE_EQ(v.centreLat(), kParis.centreLat());
  v.pan(0, -0.25);
  EXPECT_DOUBLE_EQ(v.centreLat(), kParis.centreLat() - height / 4);
  EXPECT_DOUBLE_EQ(v.right - v.left, span);
  EXPECT_EQ(v.mag, kParis.mag);
  EXPECT_EQ(v.markLon, kParis.markLon);

  for (int i = 0; i < 1000; ++i) v.pan(-0.25, 0.25);
  EXPECT_DOUBLE_EQ(v.centreLon(), -Viewport::kMaxCentreLon);
  EXPECT_DOUBLE_EQ(v.centreLat(), Viewport::kMaxCentreLat);
}

TEST(ViewportWholeWorld, LevelOneAboutTheOrigin) {
  Viewport v = kParis;
  v.mag2 = 77;
  EXPECT_TRUE(nav::showWholeWorld(v));
  const Viewport fresh = view(743, 487, 1, 0, 0);
  EXPECT_EQ(v.mag2, 1);
  expectSameEdges(v, fresh);
  EXPECT_EQ(v.markLon, 0);
  EXPECT_EQ(v.markLat, 0);

  Viewport empty;
  empty.mag = 4;
  EXPECT_FALSE(nav::showWholeWorld(empty));
  EXPECT_EQ(empty.mag, 4);
}

}  // namespace
