#pragma once

#include <string_view>

#include "mapview/map_surface.h"
#include "mapview/paint_context.h"

namespace nav {

// The route of the flight plan: one polyline through the rows that lie in
// the view, started only by an airport; user points get the waypoint mark.
// Reads ctx.route and ctx.routeShown.
void drawRouteLayer(MapSurface& surface, MapPaintContext& ctx);

}  // namespace nav
