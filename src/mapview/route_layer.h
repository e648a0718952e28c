#pragma once

#include "mapview/map_surface.h"
#include "mapview/paint_context.h"

namespace nav {

// The route of the flight plan: every leg between consecutive rows that
// have a position, wherever they lie, cut at the map's edges by the surface;
// a leg across the 180th meridian goes the short way, out at one side of the
// world and back in at the other. User points get the waypoint mark.
// Reads ctx.route and ctx.routeShown.
void drawRouteLayer(MapSurface& surface, MapPaintContext& ctx);

}  // namespace nav
