#pragma once

#include <array>
#include <optional>
#include <string>

#include "mapview/map_surface.h"
#include "mapview/paint_context.h"

namespace nav {

// Up to two lines of text centred above (x, y) in a box framed with
// `frameColor`; N is the upper line, T the lower. Nothing when both are empty.
void drawLabel(MapSurface& surface, std::int32_t x, std::int32_t y, const std::string& upper, const std::string& lower,
               Rgb frameColor);

// The layers of navigation objects: each walks its table (through its
// index, the part of it about the view) and draws what lies inside the
// view, more of it at full detail.
void drawNavaidLayer(MapSurface& surface, MapPaintContext& ctx);
void drawAirportLayer(MapSurface& surface, MapPaintContext& ctx);
void drawIlsLayer(MapSurface& surface, MapPaintContext& ctx);
void drawWaypointLayer(MapSurface& surface, MapPaintContext& ctx);

// The pixel of a stored position (longitude 0 to 1296000) when it lies in
// the view. Tested before converting: a record far outside the view cannot
// then break the paint with a range error.
// Inline: the layers call it for every record of every table.
inline std::optional<MapPixel> visiblePixel(const Viewport& view, GeoPosition stored) {
  const GeoPosition g{.lat = stored.lat, .lon = signedLon(stored.lon)};
  if (!view.contains(g)) return std::nullopt;
  return view.GeoToPixel(g);
}

// The stored positions visiblePixel may find in the view: those of the
// eastern half as they are, those of the western half a turn further on.
// An arc second wider, for the rounding of that turn.
inline std::array<PositionBox, 2> storedBoxesOf(const Viewport& view) {
  constexpr double kSlack = 1;
  const double south = view.bottom - kSlack, north = view.top + kSlack;
  return {{{south, north, view.left - kSlack, std::min(view.right, kHalfTurn) + kSlack},
           {south, north, std::max(view.left + kFullTurn, kHalfTurn) - kSlack, view.right + kFullTurn + kSlack}}};
}

// The waypoint mark and, at full detail with waypoint names on, its name in
// lower case below it; the route layer gives user points the same look.
void drawWaypointSymbol(MapSurface& surface, const MapPaintContext& ctx, std::int32_t x, std::int32_t y,
                        std::string_view ident);

}  // namespace nav
