#include "mapview/outline_drawing.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

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

// The pen's moves and lines handed to the surface as polylines, a run of
// points at a time: a line per call was most of the cost where the whole
// outline lies in the view.
class PenPath {
 public:
  explicit PenPath(MapSurface& surface) : surface_(surface) {}
  PenPath(const PenPath&) = delete;
  PenPath& operator=(const PenPath&) = delete;
  ~PenPath() { flush(); }
  void moveTo(const MapPixel& p) {
    flush();
    run_[0] = {p.x, p.y};
    count_ = 1;
  }
  void lineTo(const MapPixel& p) {
    run_[count_++] = {p.x, p.y};
    if (count_ == run_.size()) {
      flush();
      run_[0] = run_[run_.size() - 1];  // the next run starts where the pen is
      count_ = 1;
    }
  }
  void flush() {
    if (count_ == 1) surface_.moveTo(run_[0].x, run_[0].y);
    if (count_ > 1) surface_.polyline(std::span(run_.data(), count_));
    count_ = 0;
  }

 private:
  MapSurface& surface_;
  std::array<PixelPoint, 64> run_;
  std::size_t count_ = 0;
};

bool isSeparator(float lon, float lat) {
  // Both values zero, negative zero too: one test of their bits.
  return ((std::bit_cast<std::uint32_t>(lon) | std::bit_cast<std::uint32_t>(lat)) << 1) == 0;
}

struct Bounds {
  double west, east, south, north;
  bool contain(double lon, double lat) const { return lon >= west && lon <= east && lat >= south && lat <= north; }
};

// Where the outline is outside the view and every point is handled: runs
// ahead to the next separator or point inside the view, and keeps the last
// point passed (far-off ones aside), looked for backwards once the run
// ends: nearly always the point just before. A loop of its own, kept free
// of calls and of that bookkeeping, holds its values in registers; most
// points of a zoomed-in view end here.
std::size_t skipOutside(const float* values, std::size_t i, std::size_t pairs, const Bounds& view, double& lastLon,
                        double& lastLat) {
  const std::size_t start = i;
  for (; i < pairs; ++i) {
    const float lonValue = values[2 * i], latValue = values[2 * i + 1];
    if (isSeparator(lonValue, latValue) || view.contain(lonValue, latValue)) break;
  }
  for (std::size_t k = i; k > start; --k) {
    const double x = values[2 * (k - 1)], y = values[2 * (k - 1) + 1];
    if (std::fabs(x) <= kFarOff && std::fabs(y) <= kFarOff) {
      lastLon = x, lastLat = y;
      break;
    }
  }
  return i;
}

}  // namespace

void drawWorldOutline(MapSurface& surface, MapPaintContext& ctx) {
  if (!ctx.outline.outlineLoaded) return;
  savePen(surface, ctx.penSaved);
  surface.setPen(ctx.pens.penOutline);

  const Viewport& v = ctx.view;
  const double west = v.left < -kHalfTurn ? -kHalfTurn : v.left;
  const double east = v.right >= kHalfTurn ? kHalfTurn : v.right;
  const double north = v.top >= kQuarterTurn ? kQuarterTurn : v.top;
  const double south = v.bottom < -kQuarterTurn ? -kQuarterTurn : v.bottom;
  const Bounds view{west, east, south, north};

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

  PenPath pen(surface);
  const float* values = ctx.outline.values.data();
  const std::size_t pairs = ctx.outline.values.size() / 2;
  const bool runAhead = period == 1 && !wholeWorld;
  for (std::size_t i = 0; i < pairs; ++i) {
    if (runAhead && prevOut && !penUp) {
      i = skipOutside(values, i, pairs, view, lastOutLon, lastOutLat);
      if (i == pairs) break;
      prevLon = lastOutLon;
    }
    const float lonValue = values[2 * i], latValue = values[2 * i + 1];
    if (isSeparator(lonValue, latValue)) {
      penUp = true;
      passOver = 0;  // the first point after a separator is always drawn
      continue;
    }
    if (passOver > 0) {
      --passOver;
      continue;
    }
    passOver = period - 1;
    const double lon = lonValue, lat = latValue;
    const bool curOut = !view.contain(lon, lat);
    // A value far off the world (a damaged file) would break every paint
    // with a range error; such a point is passed over. The view lies within
    // the world, so only a point outside it can be one. Below this bound no
    // conversion can leave the 32-bit range, so converting later changes
    // nothing.
    if (curOut && !(std::fabs(lon) <= kFarOff && std::fabs(lat) <= kFarOff)) continue;
    if (wholeWorld && !penUp && ((lon > 612000 && prevLon < -612000) || (lon < -612000 && prevLon > 612000)))
      wrapBreak = true;

    if (curOut && prevOut && !penUp) {
      // Outside and still outside: nothing to draw. Most points of a
      // zoomed-in view end here.
      lastOutLon = lon, lastOutLat = lat;
      prevLon = lon;
      continue;
    }
    {
      const MapPixel p = v.GeoToPixel({.lat = lat, .lon = lon});
      if (penUp) {
        pen.moveTo(p);
      } else if (curOut) {
        pen.lineTo(p);  // the segment that leaves the view, in full
      } else if (prevOut) {
        const MapPixel last = v.GeoToPixel({.lat = lastOutLat, .lon = lastOutLon});
        pen.moveTo(last);  // the segment that comes back, in full
        pen.lineTo(p);
      } else if (wrapBreak) {
        pen.moveTo(p);  // no line across the whole map at the 180th meridian
        wrapBreak = false;
      } else {
        pen.lineTo(p);
      }
    }
    if (curOut) lastOutLon = lon, lastOutLat = lat;

    prevLon = lon;
    prevOut = curOut;
    penUp = false;
  }
}

}  // namespace nav
