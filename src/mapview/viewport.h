#pragma once

#include <cstdint>

#include "navdata/records.h"

namespace nav {

struct GeoPosition {
  double lon = 0;
  double lat = 0;
};

struct MapPixel {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool inside = false;  // the position lies in the view, edges included
};

// The rectangle of the world shown on the map, in arc-seconds (equirectangular:
// columns linear in longitude, rows linear in latitude), and the conversions
// between map pixels and positions. Plain arithmetic, no drawing.
struct Viewport {
  // Deepest zoom level. Up to it, every position the map converts (the world's
  // corners included, with the view centre anywhere within kMaxCentreLon and
  // kMaxCentreLat) stays inside the 32-bit pixel range on map areas of up to
  // 8192 pixels each way.
  static constexpr std::int32_t kMaxMag = 16;
  static constexpr double kMaxCentreLon = 3 * kHalfTurn;
  static constexpr double kMaxCentreLat = 3 * kQuarterTurn;

  double left = -180;
  double right = 180;
  double top = 90;
  double bottom = -90;
  std::int32_t mag = 1;
  std::int32_t mag2 = 1;
  std::int32_t clientWidth = 0;
  std::int32_t clientHeight = 0;
  double markLon = 0;
  double markLat = 0;

  GeoPosition PixelToGeo(std::int32_t x, std::int32_t y) const;
  // Fails with "Range check error" when a pixel coordinate leaves 32 bits.
  MapPixel GeoToPixel(double lon, double lat) const {
    MapPixel p;
    p.x = toPixel(((lon - left) / (right - left)) * clientWidth);
    p.y = toPixel(((top - lat) / (top - bottom)) * clientHeight);
    p.inside = contains(lon, lat);
    return p;
  }
  // The inside test of GeoToPixel on its own, edges included.
  bool contains(double lon, double lat) const { return left <= lon && lon <= right && bottom <= lat && lat <= top; }

  // Fits the whole world to a w x h area at the current zoom level, keeping
  // the view centre, and puts the centre mark there.
  void Size(std::int32_t w, std::int32_t h);
  void CenterAt(double lat, double lon);
  // Each returns false when it changed nothing (at the deepest or the
  // whole-world level), so that the caller neither updates nor repaints.
  bool zoomIn();
  bool zoomOut();

  double centreLon() const { return (left + right) / 2; }
  double centreLat() const { return (top + bottom) / 2; }

 private:
  // Truncation toward zero; NaN fails the test as well.
  static std::int32_t toPixel(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) [[unlikely]]
      rangeError();
    return static_cast<std::int32_t>(v);
  }
  [[noreturn]] static void rangeError();
  // Shrinks both spans to half about the centre: one zoom level.
  void halveSpans();
};

// Brings a zoom level read from settings into 1 .. kMaxMag.
std::int32_t clampMag(std::int32_t mag);

// The view as start-up fits it: the map area's size taken, the centre mark
// at 0, 0, then the sizing rule about the view's centre at its level.
void fitView(Viewport& view, std::int32_t w, std::int32_t h);
// The same about (lon, lat) in signed arc-seconds at level `mag`.
void fitViewAbout(Viewport& view, double lon, double lat, std::int32_t mag, std::int32_t w, std::int32_t h);

}  // namespace nav
