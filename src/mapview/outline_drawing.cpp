#include "mapview/outline_drawing.h"

#include <cmath>

namespace nav {

int outlineThinningPeriod(std::int32_t mag) {
  switch (mag) {
    case 1: return 4;
    case 2: return 3;
    case 3: return 2;
    default: return 1;
  }
}

namespace {

constexpr double kFarOff = 3 * kHalfTurn;

}  // namespace

void drawWorldOutline(MapSurface& surface, MapPaintContext& ctx) {
  if (!ctx.outline.outlineLoaded) return;
  savePen(surface, ctx.pens);
  surface.setPen(ctx.pens.penOutline);

  const Viewport& v = ctx.view;
  const double west = v.left < -kHalfTurn ? -kHalfTurn : v.left;
  const double east = v.right >= kHalfTurn ? kHalfTurn : v.right;
  const double north = v.top >= kQuarterTurn ? kQuarterTurn : v.top;
  const double south = v.bottom < -kQuarterTurn ? -kQuarterTurn : v.bottom;

  bool penUp = true;
  bool prevOut = false;
  bool wrapBreak = false;
  double prevLon = 0;
  // lastOut is kept as a position and converted only when a segment comes
  // back into the view: most points of a zoomed-in view never need a pixel.
  double lastOutLon = 0, lastOutLat = 0;
  const int period = outlineThinningPeriod(v.mag);
  int passOver = 0;  // a countdown, not a modulo: the walk's costliest step otherwise
  const bool wholeWorld = v.mag == 1;

  const std::vector<float>& values = ctx.outline.values;
  const std::size_t pairs = values.size() / 2;
  for (std::size_t i = 0; i < pairs; ++i) {
    const double lon = values[2 * i];
    const double lat = values[2 * i + 1];
    if (lon == 0 && lat == 0) {
      penUp = true;
      passOver = 0;  // the first point after a separator is always drawn
      continue;
    }
    if (passOver > 0) {
      --passOver;
      continue;
    }
    passOver = period - 1;
    // A value far off the world (a damaged file) would break every paint
    // with a range error; such a point is passed over. Below this bound no
    // conversion can leave the 32-bit range, so converting later changes
    // nothing.
    if (!(std::fabs(lon) <= kFarOff && std::fabs(lat) <= kFarOff)) continue;

    const bool curOut = lon < west || lon > east || lat < south || lat > north;
    if (wholeWorld && !penUp && ((lon > 612000 && prevLon < -612000) || (lon < -612000 && prevLon > 612000)))
      wrapBreak = true;

    if (curOut && prevOut && !penUp) {
      // Outside and still outside: nothing to draw.
    } else {
      const MapPixel p = v.GeoToPixel(lon, lat);
      if (penUp) {
        surface.moveTo(p.x, p.y);
      } else if (curOut) {
        surface.lineTo(p.x, p.y);  // the segment that leaves the view, in full
      } else if (prevOut) {
        const MapPixel last = v.GeoToPixel(lastOutLon, lastOutLat);
        surface.moveTo(last.x, last.y);  // the segment that comes back, in full
        surface.lineTo(p.x, p.y);
      } else if (wrapBreak) {
        surface.moveTo(p.x, p.y);  // no line across the whole map at the 180th meridian
        wrapBreak = false;
      } else {
        surface.lineTo(p.x, p.y);
      }
    }
    if (curOut) lastOutLon = lon, lastOutLat = lat;

    prevLon = lon;
    prevOut = curOut;
    penUp = false;
  }
}

}  // namespace nav
