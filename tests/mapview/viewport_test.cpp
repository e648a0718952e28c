#include "mapview/viewport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/failure.h"
#include "test_support.h"

namespace {

using nav::Viewport;

Viewport sized(int w, int h, int mag = 1) {
  Viewport v;
  v.mag = mag;
  v.clientWidth = w;
  v.clientHeight = h;
  v.Size(w, h);
  return v;
}

TEST(ViewportSize, FitsTheWorldToTheAreasShape) {
  Viewport v = sized(743, 487);
  EXPECT_EQ(v.left, -648000);
  EXPECT_EQ(v.right, 648000);
  EXPECT_NEAR(v.top, 424732.17, 0.01);
  EXPECT_NEAR(v.bottom, -424732.17, 0.01);
  const nav::MapPixel p = v.GeoToPixel({.lat = 0, .lon = 0});
  EXPECT_EQ(p.x, 371);
  EXPECT_EQ(p.y, 243);
  EXPECT_TRUE(p.inside);

  v = sized(1000, 400);  // wider than 2:1: latitude fills the height
  EXPECT_EQ(v.top, 324000);
  EXPECT_EQ(v.bottom, -324000);
  EXPECT_EQ(v.left, -810000);
  EXPECT_EQ(v.right, 810000);

  v = sized(1000, 500);  // exactly 2:1 takes the longitude rule
  EXPECT_EQ(v.left, -648000);
  EXPECT_EQ(v.right, 648000);
  EXPECT_EQ(v.top, 324000);
}

TEST(ViewportSize, KeepsTheCentreAndZoomOnANewShape) {
  Viewport v;
  v.left = 7200 - 10;
  v.right = 7200 + 10;
  v.top = 172800 + 5;
  v.bottom = 172800 - 5;
  v.mag = 4;
  v.Size(800, 300);
  EXPECT_DOUBLE_EQ(v.centreLon(), 7200);
  EXPECT_DOUBLE_EQ(v.centreLat(), 172800);
  EXPECT_DOUBLE_EQ(v.top - v.bottom, 648000.0 / 8);
  EXPECT_DOUBLE_EQ((v.right - v.left) / (v.top - v.bottom), 800.0 / 300);
  EXPECT_EQ(v.markLon, 7200);
  EXPECT_EQ(v.markLat, 172800);
  EXPECT_EQ(v.mag, 4);

  v.Size(600, 600);
  EXPECT_DOUBLE_EQ(v.centreLon(), 7200);
  EXPECT_DOUBLE_EQ(v.right - v.left, 1296000.0 / 8);
}

TEST(ViewportSize, EmptyAreaChangesNothing) {
  Viewport v = sized(1000, 500);
  const Viewport before = v;
  v.Size(0, 0);
  v.Size(0, 300);
  v.Size(400, 0);
  EXPECT_EQ(v.left, before.left);
  EXPECT_EQ(v.top, before.top);
}

TEST(ViewportSize, FarAwayCentreIsBroughtBackWithinReach) {
  // A centre far outside the world (from an edited nav.ini) would put the
  // world's corners beyond the pixel range at deep zoom.
  Viewport v;
  v.left = v.right = 1e12;
  v.top = v.bottom = -1e12;
  v.mag = Viewport::kMaxMag;
  v.clientWidth = v.clientHeight = 8192;
  v.Size(8192, 8192);
  EXPECT_DOUBLE_EQ(v.centreLon(), Viewport::kMaxCentreLon);
  EXPECT_DOUBLE_EQ(v.centreLat(), -Viewport::kMaxCentreLat);
  EXPECT_NO_THROW(v.GeoToPixel({.lat = 324000, .lon = -648000}));
  EXPECT_NO_THROW(v.GeoToPixel({.lat = -324000, .lon = 648000}));

  v.left = v.right = v.top = v.bottom = std::numeric_limits<double>::quiet_NaN();
  v.Size(100, 100);
  EXPECT_DOUBLE_EQ(v.centreLon(), 0);
}

TEST(ViewportConversion, EdgesTruncationAndRange) {
  Viewport v = sized(1000, 500);
  nav::MapPixel p = v.GeoToPixel({.lat = v.top, .lon = v.left});
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  EXPECT_TRUE(p.inside);
  EXPECT_TRUE(v.GeoToPixel({.lat = v.bottom, .lon = v.right}).inside);
  p = v.GeoToPixel({.lat = 0, .lon = v.left - 1});
  EXPECT_FALSE(p.inside);
  EXPECT_EQ(p.x, 0);  // -0.77 truncated toward zero
  EXPECT_FALSE(v.GeoToPixel({.lat = v.top + 1, .lon = 0}).inside);
  EXPECT_EQ(v.GeoToPixel({.lat = 0, .lon = v.left - 1555.2}).x, -1);  // -1.2

  const nav::GeoPosition g = v.PixelToGeo(250, 125);
  EXPECT_DOUBLE_EQ(g.lon, -324000);
  EXPECT_DOUBLE_EQ(g.lat, 162000);
}

TEST(ViewportConversion, PixelsBeyond32BitsAreARangeError) {
  const Viewport v = sized(1000, 500);
  for (const auto& [lon, lat] :
       {std::pair{1e15, 0.0}, std::pair{-1e15, 0.0}, std::pair{0.0, std::numeric_limits<double>::quiet_NaN()}})
    EXPECT_EQ(navtest::failureMessage([&] { v.GeoToPixel({.lat = lat, .lon = lon}); }), "Range check error")
        << lon << ", " << lat;
}

TEST(ViewportZoom, InAndOutAboutTheCentre) {
  Viewport v = sized(1000, 500);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(v.zoomIn());
  EXPECT_EQ(v.left, -81000);
  EXPECT_EQ(v.right, 81000);
  EXPECT_EQ(v.top, 40500);
  EXPECT_EQ(v.bottom, -40500);
  EXPECT_EQ(v.mag, 4);
  EXPECT_EQ(v.mag2, 8);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(v.zoomOut());
  EXPECT_EQ(v.left, -648000);
  EXPECT_EQ(v.right, 648000);
  EXPECT_EQ(v.top, 324000);
  EXPECT_EQ(v.bottom, -324000);
  EXPECT_EQ(v.mag, 1);
  EXPECT_EQ(v.mag2, 1);
  EXPECT_FALSE(v.zoomOut());
  EXPECT_EQ(v.left, -648000);
}

TEST(ViewportZoom, StopsAtTheDeepestLevelItCanDraw) {
  Viewport v = sized(8192, 8192);
  v.CenterAt({.lat = 324000, .lon = 648000});  // a world corner at the centre
  while (v.zoomIn()) {
  }
  EXPECT_EQ(v.mag, Viewport::kMaxMag);
  EXPECT_NO_THROW(v.GeoToPixel({.lat = -324000, .lon = -648000}));
  const double span = v.right - v.left;
  EXPECT_FALSE(v.zoomIn());
  EXPECT_EQ(v.right - v.left, span);

  // mag2 from an old settings file may be anything; it never overflows.
  Viewport w = sized(100, 100);
  w.mag2 = 0x40000000;
  EXPECT_TRUE(w.zoomIn());
  EXPECT_EQ(w.mag2, std::numeric_limits<std::int32_t>::min());
  EXPECT_TRUE(w.zoomOut());
  EXPECT_EQ(w.mag2, -0x40000000);  // truncation toward zero
}

TEST(ViewportCenter, MovesTheViewAndTheMarkKeepingTheSpans) {
  Viewport v = sized(1000, 500, 3);
  const double span = v.right - v.left;
  v.CenterAt({.lat = 172800, .lon = 7200});  // latitude first
  EXPECT_DOUBLE_EQ(v.centreLon(), 7200);
  EXPECT_DOUBLE_EQ(v.centreLat(), 172800);
  EXPECT_DOUBLE_EQ(v.right - v.left, span);
  EXPECT_EQ(v.markLon, 7200);
  EXPECT_EQ(v.markLat, 172800);
  EXPECT_EQ(v.mag, 3);
}

}  // namespace
