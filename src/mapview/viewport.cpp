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

void Viewport::CenterAt(double lat, double lon) {
  lat = clampCentre(lat, kMaxCentreLat);
  lon = clampCentre(lon, kMaxCentreLon);
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

void fitView(Viewport& view, std::int32_t w, std::int32_t h) {
  view.clientWidth = w;
  view.clientHeight = h;
  view.markLat = 0;
  view.markLon = 0;
  view.Size(w, h);
}

void fitViewAbout(Viewport& view, double lon, double lat, std::int32_t mag, std::int32_t w, std::int32_t h) {
  view.left = view.right = lon;
  view.top = view.bottom = lat;
  view.mag = mag;
  fitView(view, w, h);
}

}  // namespace nav
