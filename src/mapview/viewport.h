#pragma once

#include <array>
#include <cstdint>

#include "base/geo_position.h"
#include "navdata/records.h"

namespace nav {

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

  // Positions of the view: signed longitudes.
  GeoPosition PixelToGeo(std::int32_t x, std::int32_t y) const;
  // Fails with "Range check error" when a pixel coordinate leaves 32 bits.
  MapPixel GeoToPixel(GeoPosition g) const {
    MapPixel p;
    p.x = toPixel(((g.lon - left) / (right - left)) * clientWidth);
    p.y = toPixel(((top - g.lat) / (top - bottom)) * clientHeight);
    p.inside = contains(g);
    return p;
  }
  // The inside test of GeoToPixel on its own, edges included.
  bool contains(GeoPosition g) const { return left <= g.lon && g.lon <= right && bottom <= g.lat && g.lat <= top; }

  // Fits the whole world to a w x h area at the current zoom level, keeping
  // the view centre, and puts the centre mark there.
  void Size(std::int32_t w, std::int32_t h);
  void CenterAt(GeoPosition centre);
  // Each returns false when it changed nothing (at the deepest or the
  // whole-world level), so that the caller neither updates nor repaints.
  bool zoomIn();
  bool zoomOut();
  // The same about the map pixel (x, y): the position under it stays under
  // it. A step that undoes the last one about the same pixel brings the
  // edges back exactly where they were.
  bool zoomInAbout(std::int32_t x, std::int32_t y);
  bool zoomOutAbout(std::int32_t x, std::int32_t y);
  // Moves the view by fractions of its width and height, east and north
  // positive; spans, level and centre mark stay.
  void pan(double east, double north);

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
  bool zoomAbout(std::int32_t x, std::int32_t y, bool in);
  void keepCentreWithinReach();

  struct Edges {
    double left, right, top, bottom;
    friend bool operator==(const Edges&, const Edges&) = default;
  };
  Edges edges() const { return {left, right, top, bottom}; }
  // The edges before each of the last steps about one pixel, all in one
  // direction; rounding would otherwise make the way back drift. Only used
  // while the view is still where the last step left it.
  struct ZoomTrail {
    std::array<Edges, kMaxMag> before{};
    std::int32_t depth = 0;
    bool in = false;
    std::int32_t x = 0, y = 0, width = 0, height = 0;
    Edges after{};
  } trail_;
};

// Brings a zoom level read from settings into 1 .. kMaxMag.
std::int32_t clampMag(std::int32_t mag);

// The view as start-up fits it: the map area's size taken, the centre mark
// at 0, 0, then the sizing rule about the view's centre at its level.
void fitView(Viewport& view, std::int32_t w, std::int32_t h);
// The same about `centre` (a signed longitude) at level `mag`.
void fitViewAbout(Viewport& view, GeoPosition centre, std::int32_t mag, std::int32_t w, std::int32_t h);
// The whole world at level 1 about 0, 0, the centre mark there; false on an
// empty map area, where nothing changes.
bool showWholeWorld(Viewport& view);
// The view about the middle of the box from `southWest` to `northEast`
// (signed longitudes), at the deepest level up to `deepest` that holds it
// with a twentieth of the view to spare at each side, the centre mark there;
// false on an empty map area, where nothing changes.
bool fitViewToBox(Viewport& view, GeoPosition southWest, GeoPosition northEast, std::int32_t deepest);

}  // namespace nav
