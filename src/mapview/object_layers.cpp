#include "mapview/object_layers.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "base/number_format.h"
#include "mapview/scaled_marks.h"
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

// The stations' small crosses, eleven thousand at the lowest levels, each in
// the pen of the moment: set straight into the surface's raster where it
// has one and the cross lies in the image, else drawn as its two lines, the
// horizontal one first. Either way the drawing position ends where the
// second line ends.
class SmallCrosses {
 public:
  explicit SmallCrosses(std::int32_t arm)
      : arm_(arm), segments_{{{{arm, 0}, {-arm - 1, 0}}, {{0, arm}, {0, -arm - 1}}}} {}
  void draw(MapSurface& s, std::int32_t x, std::int32_t y) {
    if (const std::optional<PixelRaster> raster = s.raster()) {
      if (!pixels_) pixels_.emplace(segments_, raster->stride, raster->scale);
      if (pixels_->set(*raster, x, y)) return s.moveTo(x, y - arm_ - 1);
    }
    const PixelPoint at{x, y};
    s.marks(segments_, std::span(&at, 1));
  }

 private:
  std::int32_t arm_;
  std::array<PixelSegment, 2> segments_;
  std::optional<MarkPixels> pixels_;  // made for the raster's stride and scale, which stay
};

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

// One mark at the places a walk finds, in order. Where the surface offers
// its raster the mark is set there at once; elsewhere, and where a mark
// reaches past the image, the places are drawn a few dozen at a time, one
// call for many. What was gathered is drawn before the pen changes and
// when the walk ends, also when it ends in a failure; the drawing position
// then stands where the last mark ends, as if each had been drawn in turn.
// On a raster of several image pixels to a map pixel the places are noted
// and set row after row of the image (ScaledMarks).
class MarkBatch {
 public:
  MarkBatch(MapSurface& s, std::span<const PixelSegment> mark) : s_(s), mark_(mark), raster_(s.raster()) {
    if (raster_) usePixels();
  }
  MarkBatch(const MarkBatch&) = delete;
  MarkBatch& operator=(const MarkBatch&) = delete;
  ~MarkBatch() {
    flush();
    if (scaled_) spareGrid() = std::move(*scaled_).takeStorage();
    if (any_) s_.moveTo(last_.x + mark_.back().to.x, last_.y + mark_.back().to.y);
  }
  void add(std::int32_t x, std::int32_t y) {
    any_ = true;
    last_ = {x, y};
    if (raster_) {
      if (scaled_) {
        if (scaled_->holds(x, y) && pixels_->fits(*raster_, x, y)) return scaled_->note(x, y);
      } else if (pixels_->set(*raster_, x, y)) {
        return;
      }
    }
    places_[count_++] = {x, y};
    if (count_ == places_.size()) drawPlaces();
  }
  void flush() {
    if (scaled_ && raster_) scaled_->flush(*raster_);
    drawPlaces();
  }
  // After a change of pen: the marks so far in the old one, the next in the new.
  void penChanged() {
    flush();
    raster_ = s_.raster();
    if (raster_ && !pixels_) usePixels();
  }

 private:
  void drawPlaces() {
    if (count_ > 0) s_.marks(mark_, std::span(places_.data(), count_));
    count_ = 0;
  }
  void usePixels() {
    pixels_.emplace(mark_, raster_->stride, raster_->scale);
    if (raster_->scale > 1)
      scaled_.emplace(*pixels_, raster_->width / raster_->scale, raster_->height / raster_->scale,
                      std::exchange(spareGrid(), {}));
  }
  // The last batch's grid, kept for the next.
  static std::vector<std::uint64_t>& spareGrid() {
    static thread_local std::vector<std::uint64_t> spare;
    return spare;
  }

  MapSurface& s_;
  std::span<const PixelSegment> mark_;
  std::optional<PixelRaster> raster_;
  std::optional<MarkPixels> pixels_;
  std::optional<ScaledMarks> scaled_;
  std::array<PixelPoint, 32> places_;
  std::size_t count_ = 0;
  bool any_ = false;
  PixelPoint last_;
};

// The records of a table inside the view, with their pixels, in table
// order: the walk gathers them, the drawing follows. The walk then runs
// without the text engine's work between records, each of which would
// otherwise push the other out of the caches.
template <class Record, class Keep>
std::vector<std::pair<const Record*, MapPixel>> visibleRecords(const std::vector<Record>& table,
                                                               const PositionIndex& index, const Viewport& v,
                                                               Keep keep) {
  std::vector<std::pair<const Record*, MapPixel>> out;
  visitInBoxes(table, index, storedBoxesOf(v), [&](const Record& r) {
    if (keep(r))
      if (const std::optional<MapPixel> p = visiblePixel(v, {.lat = r.lat(), .lon = r.lon()})) out.emplace_back(&r, *p);
  });
  return out;
}
constexpr auto kEvery = [](const auto&) { return true; };

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
  SmallCrosses crosses(v.mag == 6 ? 2 : 1);
  for (const auto& [record, p] : visibleRecords(ctx.db.navaids, ctx.db.positions.navaids, v, kEvery)) {
    const NavaidRecord& r = *record;
    const std::int32_t x = p.x, y = p.y;
    const std::int32_t type = r.navType();
    if (ctx.settings.vor && isVor(type)) {
      if (full) {
        savePen(s, ctx.penSaved);
        s.setPen(ctx.pens.penVor);
        stationLabel(s, ctx, x, y, r.name(), formatFixed(r.freq(), 3, ctx.decimalSeparator), r.ident(), kVorFrame);
        s.ellipse(x - 10, y - 10, x + 10, y + 10);
        line(s, x, y + 10, x, y + 15);
        line(s, x, y - 10, x, y - 15);
        line(s, x + 10, y, x + 15, y);
        line(s, x - 10, y, x - 15, y);
        if (type == navType::vorDme) s.ellipse(x - 8, y - 8, x + 8, y + 8);
      } else {
        crosses.draw(s, x, y);
      }
      restorePen(s, ctx.penSaved);
    }
    if (ctx.settings.ndb && isNdb(type)) {
      s.setPen(ctx.pens.penNdb);
      if (full) {
        savePen(s, ctx.penSaved);
        s.setPen(ctx.pens.penNdb);
        stationLabel(s, ctx, x, y, r.name(), formatFixed(r.freq(), 0, ctx.decimalSeparator), r.ident(), kNdbFrame);
        s.ellipse(x - 8, y - 8, x + 8, y + 8);
        s.ellipse(x - 6, y - 6, x + 6, y + 6);
        s.ellipse(x - 4, y - 4, x + 4, y + 4);
      } else {
        crosses.draw(s, x, y);
      }
      restorePen(s, ctx.penSaved);
    }
  }
}

// Levels 1 to 5: the airports' small crosses, each followed by the pen's
// restore, as at the other levels.
void drawAirportCrosses(MapSurface& s, MapPaintContext& ctx) {
  MarkBatch crosses(s, kAirportCross);
  bool restored = false;  // from then on nothing in the loop changes either pen
  visitInBoxes(ctx.db.airports, ctx.db.positions.airports, storedBoxesOf(ctx.view), [&](const AirportRecord& r) {
    const std::optional<MapPixel> p = visiblePixel(ctx.view, {.lat = r.lat(), .lon = r.lon()});
    if (!p) return;
    crosses.add(p->x, p->y);
    if (restored) return;
    restored = true;
    if (s.pen() == ctx.penSaved) return;  // restoring would change nothing
    crosses.flush();                      // the first cross may take another pen
    restorePen(s, ctx.penSaved);
    crosses.penChanged();
  });
}

void drawAirportLayer(MapSurface& s, MapPaintContext& ctx) {
  const Viewport& v = ctx.view;
  const bool full = ctx.fullDetail();
  if (v.mag < 6 && !full) return drawAirportCrosses(s, ctx);
  for (const auto& [record, p] : visibleRecords(ctx.db.airports, ctx.db.positions.airports, v, kEvery)) {
    const AirportRecord& r = *record;
    const std::int32_t x = p.x, y = p.y;
    if (full) {
      savePen(s, ctx.penSaved);
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
        const MapPixel a = v.GeoToPixel({.lat = rw.end1Lat(), .lon = signedLon(rw.end1Lon())});
        const MapPixel b = v.GeoToPixel({.lat = rw.end2Lat(), .lon = signedLon(rw.end2Lon())});
        line(s, a.x, a.y, b.x, b.y);
      }
    }
    restorePen(s, ctx.penSaved);
  }
}

void drawIlsLayer(MapSurface& s, MapPaintContext& ctx) {
  const Viewport& v = ctx.view;
  if (!ctx.fullDetail()) {
    // Short of full detail a station only saves the pen and takes the ILS
    // pen. From the second one on that changes nothing, so the walk ends there.
    int seen = 0;
    visitInBoxes(ctx.db.ilsComponents, ctx.db.positions.ilsComponents, storedBoxesOf(v), [&](const IlsRecord& r) {
      if (!visiblePixel(v, {.lat = r.lat(), .lon = r.lon()})) return true;
      savePen(s, ctx.penSaved);
      s.setPen(ctx.pens.penIls);
      return ++seen < 2;
    });
    return;
  }
  for (const auto& [record, p] : visibleRecords(ctx.db.ilsComponents, ctx.db.positions.ilsComponents, v, kEvery)) {
    const IlsRecord& r = *record;
    const std::int32_t x = p.x, y = p.y;
    savePen(s, ctx.penSaved);
    s.setPen(ctx.pens.penIls);
    const std::int32_t type = r.ilsType();
    const bool marker = ilsType::isMarker(type);
    if (type == ilsType::dme || type == ilsType::localizer || type == ilsType::glideSlope) {
      savePen(s, ctx.penSaved);
      s.setPen(ctx.pens.penIls);
    } else if (marker) {
      savePen(s, ctx.penSaved);
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
  savePen(s, ctx.penSaved);
  s.setPen(ctx.pens.penWaypoint);
  if (!(ctx.fullDetail() && ctx.settings.wptName)) {
    // Marks only, with no names between them.
    MarkBatch marks(s, v.mag >= 6 ? std::span<const PixelSegment>(kWaypointSix) : kWaypointSmall);
    visitInBoxes(ctx.db.waypoints, ctx.db.positions.waypoints, storedBoxesOf(v), [&](const WaypointRecord& r) {
      if (r.mapHidden() != 0) return;
      if (const std::optional<MapPixel> p = visiblePixel(v, {.lat = r.lat(), .lon = r.lon()})) marks.add(p->x, p->y);
    });
    return;
  }
  const auto shown = [](const WaypointRecord& r) { return r.mapHidden() == 0; };
  for (const auto& [r, p] : visibleRecords(ctx.db.waypoints, ctx.db.positions.waypoints, v, shown))
    drawWaypointSymbol(s, ctx, p.x, p.y, r->identView());
}

}  // namespace nav
