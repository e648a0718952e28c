#include "mapview/object_layers.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>

#include "base/number_format.h"
#include "navdata/table_walk.h"

namespace nav {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kVorFrame{0, 128, 0};
constexpr Rgb kAirportFrame{0, 128, 0};
constexpr Rgb kNdbFrame{0, 0, 255};
constexpr Rgb kIlsFrame{128, 0, 0};

void line(MapSurface& s, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  s.moveTo(x1, y1);
  s.lineTo(x2, y2);
}

void smallCross(MapSurface& s, std::int32_t x, std::int32_t y, std::int32_t arm) {
  line(s, x + arm, y, x - arm - 1, y);
  line(s, x, y + arm, x, y - arm - 1);
}

// The two label lines of a radio station: name above, frequency and
// identifier below, each as its switch says.
void stationLabel(MapSurface& s, const MapPaintContext& ctx, std::int32_t x, std::int32_t y, const std::string& name,
                  const std::string& freqText, const std::string& ident, Rgb frame) {
  const std::string upper = ctx.settings.name ? name : std::string();
  std::string lower = ctx.settings.freq ? freqText : std::string();
  if (ctx.settings.id) lower = fmt::format("{} {}", lower, ident);
  drawLabel(s, x, y, upper, lower, frame);
}

// The map tests kinds by equality: other combinations are never drawn.
bool isVor(std::int32_t type) { return type == navType::vor || type == navType::vorDme; }
bool isNdb(std::int32_t type) { return type == navType::ndb; }

// Places of one mark, drawn a few dozen at a time in the order the walk
// found them: one call for many marks instead of a few for each. What was
// gathered is drawn before the pen changes and when the walk ends, also
// when it ends in a failure.
class MarkBatch {
 public:
  MarkBatch(MapSurface& s, std::span<const PixelSegment> mark) : s_(s), mark_(mark) {}
  MarkBatch(const MarkBatch&) = delete;
  MarkBatch& operator=(const MarkBatch&) = delete;
  ~MarkBatch() { flush(); }
  void add(std::int32_t x, std::int32_t y) {
    places_[count_++] = {x, y};
    if (count_ == places_.size()) flush();
  }
  void flush() {
    if (count_ > 0) s_.marks(mark_, std::span(places_.data(), count_));
    count_ = 0;
  }

 private:
  MapSurface& s_;
  std::span<const PixelSegment> mark_;
  std::array<PixelPoint, 32> places_;  // a few: the stores of a long batch would stall the walk
  std::size_t count_ = 0;
};

// The small marks: an airport's below level 6, a waypoint's below level 6
// and from it on.
constexpr PixelSegment kAirportCross[] = {{{-1, -1}, {1, 1}}, {{1, -1}, {-1, 1}}};
constexpr PixelSegment kWaypointSmall[] = {{{0, -1}, {1, 1}}, {{1, 1}, {-1, 1}}, {{-1, 1}, {0, -1}}};
constexpr PixelSegment kWaypointSix[] = {{{0, -2}, {2, 2}}, {{2, 2}, {-2, 2}}, {{-2, 2}, {0, -2}}};

std::string lowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return text;
}

}  // namespace

void drawLabel(MapSurface& s, std::int32_t x, std::int32_t y, const std::string& upper, const std::string& lower,
               Rgb frameColor) {
  if (upper.empty() && lower.empty()) return;
  const std::int32_t fh = s.fontHeight();
  const TextSize n = upper.empty() ? TextSize{} : s.textExtent(upper);
  const TextSize t = lower.empty() ? TextSize{} : s.textExtent(lower);
  const std::int32_t w = std::max(n.width, t.width);
  const bool twoLines = !upper.empty() && !lower.empty();
  const std::int32_t top = twoLines ? y - 34 + fh : y - 19 + fh;
  s.setFillColor(frameColor);
  s.frame(x - w / 2 - 2, top, x + w / 2 + 2, y - 13);
  s.setFillColor(kWhite);
  if (twoLines) {
    s.textOut(x - n.width / 2, y - 30 - n.height, upper);
    s.textOut(x - t.width / 2, y - 15 - t.height, lower);
  } else {
    const std::string& only = upper.empty() ? lower : upper;
    const TextSize e = upper.empty() ? t : n;
    s.textOut(x - e.width / 2, y - 15 - e.height, only);
  }
}

void drawNavaidLayer(MapSurface& s, MapPaintContext& ctx) {
  const Viewport& v = ctx.view;
  const bool full = ctx.fullDetail();
  const std::int32_t arm = v.mag == 6 ? 2 : 1;
  for (const NavaidRecord& r : prefetched(ctx.db.navaids)) {
    const std::optional<MapPixel> p = visiblePixel(v, r.lat(), r.lon());
    if (!p) continue;
    const std::int32_t x = p->x, y = p->y;
    const std::int32_t type = r.navType();
    if (ctx.settings.vor && isVor(type)) {
      if (full) {
        savePen(s, ctx.pens);
        s.setPen(ctx.pens.penVor);
        stationLabel(s, ctx, x, y, r.name(), formatFixed(r.freq(), 3, ctx.decimalSeparator), r.ident(), kVorFrame);
        s.ellipse(x - 10, y - 10, x + 10, y + 10);
        line(s, x, y + 10, x, y + 15);
        line(s, x, y - 10, x, y - 15);
        line(s, x + 10, y, x + 15, y);
        line(s, x - 10, y, x - 15, y);
        if (type == navType::vorDme) s.ellipse(x - 8, y - 8, x + 8, y + 8);
      } else {
        smallCross(s, x, y, arm);
      }
      restorePen(s, ctx.pens);
    }
    if (ctx.settings.ndb && isNdb(type)) {
      s.setPen(ctx.pens.penNdb);
      if (full) {
        savePen(s, ctx.pens);
        s.setPen(ctx.pens.penNdb);
        stationLabel(s, ctx, x, y, r.name(), formatFixed(r.freq(), 0, ctx.decimalSeparator), r.ident(), kNdbFrame);
        s.ellipse(x - 8, y - 8, x + 8, y + 8);
        s.ellipse(x - 6, y - 6, x + 6, y + 6);
        s.ellipse(x - 4, y - 4, x + 4, y + 4);
      } else {
        smallCross(s, x, y, arm);
      }
      restorePen(s, ctx.pens);
    }
  }
}

// Levels 1 to 5: the airports' small crosses, each followed by the pen's
// restore, as at the other levels.
void drawAirportCrosses(MapSurface& s, MapPaintContext& ctx) {
  MarkBatch crosses(s, kAirportCross);
  for (const AirportRecord& r : prefetched(ctx.db.airports)) {
    const std::optional<MapPixel> p = visiblePixel(ctx.view, r.lat(), r.lon());
    if (!p) continue;
    crosses.add(p->x, p->y);
    if (!(s.pen() == ctx.pens.penSaved)) crosses.flush();  // the first cross may take another pen
    restorePen(s, ctx.pens);
  }
}

void drawAirportLayer(MapSurface& s, MapPaintContext& ctx) {
  const Viewport& v = ctx.view;
  const bool full = ctx.fullDetail();
  if (v.mag < 6 && !full) return drawAirportCrosses(s, ctx);
  for (const AirportRecord& r : prefetched(ctx.db.airports)) {
    const std::optional<MapPixel> p = visiblePixel(v, r.lat(), r.lon());
    if (!p) continue;
    const std::int32_t x = p->x, y = p->y;
    if (full) {
      savePen(s, ctx.pens);
      s.setPen(ctx.pens.penAirport);
      drawLabel(s, x, y, ctx.settings.name ? r.name() : std::string(), ctx.settings.id ? r.ident() : std::string(),
                kAirportFrame);
    }
    if (v.mag >= 6) {
      s.ellipse(x - 5, y - 5, x + 5, y + 5);
    } else {
      line(s, x - 1, y - 1, x + 1, y + 1);
      line(s, x + 1, y - 1, x - 1, y + 1);
    }
    if (v.mag > 8) {
      const std::string_view key = r.dbkyField();
      for (const RunwayRecord& rw : prefetched(ctx.db.runways)) {
        if (rw.aptKeyField() != key) continue;
        const MapPixel a = v.GeoToPixel(signedLon(rw.end1Lon()), rw.end1Lat());
        const MapPixel b = v.GeoToPixel(signedLon(rw.end2Lon()), rw.end2Lat());
        line(s, a.x, a.y, b.x, b.y);
      }
    }
    restorePen(s, ctx.pens);
  }
}

void drawIlsLayer(MapSurface& s, MapPaintContext& ctx) {
  const Viewport& v = ctx.view;
  const bool full = ctx.fullDetail();
  for (const IlsRecord& r : prefetched(ctx.db.ilsComponents)) {
    const std::optional<MapPixel> p = visiblePixel(v, r.lat(), r.lon());
    if (!p) continue;
    const std::int32_t x = p->x, y = p->y;
    savePen(s, ctx.pens);
    s.setPen(ctx.pens.penIls);
    if (!full) continue;
    const std::int32_t type = r.ilsType();
    const bool marker = ilsType::isMarker(type);
    if (type == ilsType::dme || type == ilsType::localizer || type == ilsType::glideSlope) {
      savePen(s, ctx.pens);
      s.setPen(ctx.pens.penIls);
    } else if (marker) {
      savePen(s, ctx.pens);
      s.setPen(ctx.pens.penMarker);
    }
    if (type == ilsType::dme) {
      s.rectangle(x - 2, y - 2, x + 2, y + 2);
    } else if (type == ilsType::localizer && ctx.settings.ils) {
      std::string text = ctx.settings.name ? r.name() : std::string();
      if (ctx.settings.freq) text = fmt::format("{} {}", text, formatFixed(r.freq(), 3, ctx.decimalSeparator));
      if (ctx.settings.id) text = fmt::format("{} {}", text, r.ident());
      drawLabel(s, x, y, std::string(), text, kIlsFrame);
      s.rectangle(x - 4, y - 4, x + 4, y + 4);
    } else if (type == ilsType::glideSlope && ctx.settings.ils) {
      s.rectangle(x - 2, y - 2, x + 2, y + 2);
    } else if (marker && ctx.settings.marker) {
      s.rectangle(x - 2, y - 2, x + 2, y + 2);
    }
  }
}

void drawWaypointSymbol(MapSurface& s, const MapPaintContext& ctx, std::int32_t x, std::int32_t y,
                        std::string_view ident) {
  if (ctx.fullDetail() && ctx.settings.wptName) {
    const TextSize e = s.textExtent(ident);
    s.textOut(x - e.width / 2, y + 5, lowerAscii(std::string(ident)));
  }
  const std::int32_t d = ctx.view.mag >= 6 ? 2 : 1;
  const PixelPoint triangle[] = {{x, y - d}, {x + d, y + d}, {x - d, y + d}, {x, y - d}};
  s.polyline(triangle);
}

void drawWaypointLayer(MapSurface& s, MapPaintContext& ctx) {
  const Viewport& v = ctx.view;
  savePen(s, ctx.pens);
  s.setPen(ctx.pens.penWaypoint);
  if (!(ctx.fullDetail() && ctx.settings.wptName)) {
    // Marks only, with no names between them.
    MarkBatch marks(s, v.mag >= 6 ? std::span<const PixelSegment>(kWaypointSix) : kWaypointSmall);
    for (const WaypointRecord& r : prefetched(ctx.db.waypoints)) {
      if (r.mapHidden() != 0) continue;
      if (const std::optional<MapPixel> p = visiblePixel(v, r.lat(), r.lon())) marks.add(p->x, p->y);
    }
    return;
  }
  for (const WaypointRecord& r : prefetched(ctx.db.waypoints)) {
    if (r.mapHidden() != 0) continue;
    if (const std::optional<MapPixel> p = visiblePixel(v, r.lat(), r.lon()))
      drawWaypointSymbol(s, ctx, p->x, p->y, r.identView());
  }
}

}  // namespace nav
