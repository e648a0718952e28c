#include "mapview/graticule.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "base/number_format.h"

namespace nav {

namespace {

// The first line at or inside the lower edge and the limit near the upper
// edge, the edges in arc-seconds and the step in degrees: the lines fall on a
// whole degree plus multiples of the step.
struct LineRange {
  double first;
  double limit;
};

LineRange lineRange(double low, double high, double step, double worldHalf) {
  std::int32_t n = truncToInt32(low / step);
  if (low < 0) n -= 1;
  double a = n * step;
  a -= truncToInt32(a) % 3600;
  n = truncToInt32(high / step);
  if (high >= 0) n += 1;
  double b = n * step;
  a = std::clamp(a, -worldHalf, worldHalf);
  b = std::clamp(b, -worldHalf, worldHalf);
  return {a, b};
}

template <class DrawLine>
void walkLines(const LineRange& range, double step, DrawLine draw) {
  const std::int32_t stepSeconds = truncToInt32(3600 * step);
  if (stepSeconds <= 0) return;
  for (std::int32_t t = truncToInt32(range.first + 3600 * step); t < range.limit; t += stepSeconds) draw(t);
}

}  // namespace

double graticuleStep(std::int32_t mag) {
  if (mag <= 2) return 30;
  if (mag <= 4) return 10;
  if (mag == 5) return 5;
  if (mag == 6) return 2;
  if (mag == 7) return 1;
  return 1.0 / std::ldexp(1.0, mag - 7);
}

std::string graticuleLabel(std::int32_t t, double step, bool latitude, char decimalSeparator) {
  const char letter = latitude ? (t >= 0 ? 'N' : 'S') : (t >= 0 ? 'E' : 'W');
  if (step >= 1) return letter + formatFixed(std::fabs(t / 3600.0), 2, decimalSeparator);
  const Dms a = dmsOf(std::abs(t));
  return fmt::format("{}{}\xB0{}'{}\"", letter, a.d, a.m, a.s);
}

void drawGraticule(MapSurface& surface, MapPaintContext& ctx) {
  const Viewport& v = ctx.view;
  savePen(surface, ctx.penSaved);
  surface.setPen(ctx.pens.penGrid);
  surface.setTextColor({0, 0, 0});
  const double s = graticuleStep(v.mag);

  walkLines(lineRange(v.bottom, v.top, s, kQuarterTurn), s, [&](std::int32_t t) {
    const MapPixel p = v.GeoToPixel({.lat = static_cast<double>(t), .lon = -kHalfTurn});
    if (!(0 < p.y && p.y < v.clientHeight)) return;
    surface.textOut(std::max(p.x + 1, 1), std::max(p.y + 1, 1), graticuleLabel(t, s, true, ctx.decimalSeparator));
    surface.moveTo(std::max(p.x, 0), p.y);
    const MapPixel e = v.GeoToPixel({.lat = static_cast<double>(t), .lon = kHalfTurn});
    surface.lineTo(std::min(e.x, v.clientWidth), e.y);
  });

  walkLines(lineRange(v.left, v.right, s, kHalfTurn), s, [&](std::int32_t t) {
    const MapPixel p = v.GeoToPixel({.lat = kQuarterTurn, .lon = static_cast<double>(t)});
    if (!(0 < p.x && p.x < v.clientWidth)) return;
    surface.textOut(p.x + 1, std::max(p.y + 1, 1), graticuleLabel(t, s, false, ctx.decimalSeparator));
    surface.moveTo(p.x, std::max(p.y, 0));
    const MapPixel e = v.GeoToPixel({.lat = -kQuarterTurn, .lon = static_cast<double>(t)});
    surface.lineTo(e.x, std::min(e.y, v.clientHeight));
  });

  restorePen(surface, ctx.penSaved);
}

}  // namespace nav
