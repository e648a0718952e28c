#pragma once

#include "mapview/map_surface.h"
#include "mapview/paint_context.h"

namespace nav {

// Paints the whole map from scratch in a fixed order: world frame, outline,
// graticule, navaids, airports, ILS, waypoints, route, centre mark.
void CartePaint(MapSurface& surface, MapPaintContext& ctx);

void drawWorldFrame(MapSurface& surface, const MapPaintContext& ctx);
void drawCentreMark(MapSurface& surface, MapPaintContext& ctx);

}  // namespace nav
