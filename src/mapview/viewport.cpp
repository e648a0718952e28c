#include "mapview/viewport.h"

#include <algorithm>
#include <cmath>

#include "base/failure.h"
#include "navdata/records.h"

namespace nav {

namespace {

double clampCentre(double v, double limit) {
  if (std::isnan(v)) return 0;
  return std::clamp(v, -limit, limit);
}

}  // namespace

std::int32_t clampMag(std::int32_t mag) { return std::clamp(mag, 1, Viewport::kMaxMag); }

GeoPosition Viewport::PixelToGeo(std::int32_t x, std::int32_t y) const {
  GeoPosition p;
  p.lon = clientWidth > 0 ? left + (static_cast<double>(x) / clientWidth) * (right - left) : left;
  p.lat = clientHeight > 0 ? top - (static_cast<double>(y) / clientHeight) * (top - bottom) : top;
  return p;
}

void Viewport::rangeError() { fail("Range check error"); }

void Viewport::Size(std::int32_t w, std::int32_t h) {
  // Without a positive width and height there is no shape to fit.
  if (w <= 0 || h <= 0) return;
  const double cLon = clampCentre(centreLon(), kMaxCentreLon);
  const double cLat = clampCentre(centreLat(), kMaxCentreLat);
  const double r = static_cast<double>(w) / h;
  if (r > 2) {
    top = kQuarterTurn;
    bottom = -kQuarterTurn;
    left = -kQuarterTurn * r;
    right = kQuarterTurn * r;
  } else {
    left = -kHalfTurn;
    right = kHalfTurn;
    top = kHalfTurn / r;
    bottom = -kHalfTurn / r;
  }
  const std::int32_t passes = std::min(mag, kMaxMag) - 1;
  for (std::int32_t i = 0; i < passes; ++i) halveSpans();
  const double m = (right + left) / 2;
  const double n = (top + bottom) / 2;
  right = right + cLon - m;
  left = left + cLon - m;
  top = top + cLat - n;
  bottom = bottom + cLat - n;
  markLon = cLon;
  markLat = cLat;
}

void Viewport::CenterAt(GeoPosition centre) {
  const double lat = clampCentre(centre.lat, kMaxCentreLat);
  const double lon = clampCentre(centre.lon, kMaxCentreLon);
  markLon = lon;
  markLat = lat;
  const double dLon = (right + left) / 2 - lon;
  const double dLat = (top + bottom) / 2 - lat;
  left -= dLon;
  right -= dLon;
  top -= dLat;
  bottom -= dLat;
}

void Viewport::halveSpans() {
  const double qLon = (right - left) / 4;
  const double qLat = (top - bottom) / 4;
  right -= qLon;
  left += qLon;
  top -= qLat;
  bottom += qLat;
}

bool Viewport::zoomIn() {
  if (mag >= kMaxMag) return false;
  halveSpans();
  mag += 1;
  // mag2 only follows mag; a value from an old settings file may be anything,
  // so it doubles with 32-bit wrap-around instead of overflowing.
  mag2 = static_cast<std::int32_t>(static_cast<std::uint32_t>(mag2) * 2u);
  return true;
}

bool Viewport::zoomOut() {
  if (mag <= 1) return false;
  const double hLon = (right - left) / 2;
  const double hLat = (top - bottom) / 2;
  right += hLon;
  left -= hLon;
  top += hLat;
  bottom -= hLat;
  mag -= 1;
  mag2 = mag2 / 2;
  return true;
}

bool Viewport::zoomInAbout(std::int32_t x, std::int32_t y) { return zoomAbout(x, y, true); }
bool Viewport::zoomOutAbout(std::int32_t x, std::int32_t y) { return zoomAbout(x, y, false); }

bool Viewport::zoomAbout(std::int32_t x, std::int32_t y, bool in) {
  if (in ? mag >= kMaxMag : mag <= 1) return false;
  if (clientWidth <= 0 || clientHeight <= 0) return false;
  ZoomTrail& t = trail_;
  const bool sameRun =
      t.depth > 0 && t.after == edges() && t.x == x && t.y == y && t.width == clientWidth && t.height == clientHeight;
  if (sameRun && t.in != in) {
    const Edges back = t.before[--t.depth];
    left = back.left, right = back.right, top = back.top, bottom = back.bottom;
  } else {
    if (!sameRun || t.depth == static_cast<std::int32_t>(t.before.size()))
      t = ZoomTrail{{}, 0, in, x, y, clientWidth, clientHeight, {}};
    t.before[t.depth++] = edges();
    const GeoPosition p = PixelToGeo(x, y);
    const double fx = static_cast<double>(x) / clientWidth;
    const double fy = static_cast<double>(y) / clientHeight;
    const double factor = in ? 0.5 : 2;
    const double spanLon = (right - left) * factor;
    const double spanLat = (top - bottom) * factor;
    left = p.lon - fx * spanLon;
    right = left + spanLon;
    top = p.lat + fy * spanLat;
    bottom = top - spanLat;
    keepCentreWithinReach();
  }
  t.after = edges();
  mag += in ? 1 : -1;
  mag2 = in ? static_cast<std::int32_t>(static_cast<std::uint32_t>(mag2) * 2u) : mag2 / 2;
  return true;
}

void Viewport::pan(double east, double north) {
  const double dLon = (right - left) * east;
  const double dLat = (top - bottom) * north;
  left += dLon;
  right += dLon;
  top += dLat;
  bottom += dLat;
  keepCentreWithinReach();
}

void Viewport::keepCentreWithinReach() {
  // As CenterAt does: far beyond the world, deep zoom would put its corners
  // outside the pixel range.
  const double dLon = clampCentre(centreLon(), kMaxCentreLon) - centreLon();
  const double dLat = clampCentre(centreLat(), kMaxCentreLat) - centreLat();
  if (dLon == 0 && dLat == 0) return;
  left += dLon;
  right += dLon;
  top += dLat;
  bottom += dLat;
}

void fitView(Viewport& view, std::int32_t w, std::int32_t h) {
  view.clientWidth = w;
  view.clientHeight = h;
  view.markLat = 0;
  view.markLon = 0;
  view.Size(w, h);
}

void fitViewAbout(Viewport& view, GeoPosition centre, std::int32_t mag, std::int32_t w, std::int32_t h) {
  view.left = view.right = centre.lon;
  view.top = view.bottom = centre.lat;
  view.mag = mag;
  fitView(view, w, h);
}

bool showWholeWorld(Viewport& view) {
  if (view.clientWidth <= 0 || view.clientHeight <= 0) return false;
  fitViewAbout(view, {}, 1, view.clientWidth, view.clientHeight);
  view.mag2 = 1;
  return true;
}

bool fitViewToBox(Viewport& view, GeoPosition southWest, GeoPosition northEast, std::int32_t deepest) {
  if (view.clientWidth <= 0 || view.clientHeight <= 0) return false;
  const GeoPosition centre{.lat = (southWest.lat + northEast.lat) / 2, .lon = (southWest.lon + northEast.lon) / 2};
  Viewport fitted = view;
  for (std::int32_t mag = std::clamp(deepest, 1, Viewport::kMaxMag); mag >= 1; --mag) {
    fitViewAbout(fitted, centre, mag, view.clientWidth, view.clientHeight);
    const bool holds = (fitted.right - fitted.left) * 0.9 >= northEast.lon - southWest.lon &&
                       (fitted.top - fitted.bottom) * 0.9 >= northEast.lat - southWest.lat;
    if (holds) break;
  }
  // Level 1 when nothing deeper holds it.
  fitted.mag2 = std::int32_t{1} << (fitted.mag - 1);
  view = fitted;
  return true;
}

}  // namespace nav
