#pragma once

#include "flightplan/flight_plan.h"
#include "mapview/map_surface.h"
#include "mapview/paint_context.h"

namespace nav {

// The route of the flight plan: one polyline through the rows that lie in
// the view, started only by an airport; user points get the waypoint mark.
void drawRouteLayer(MapSurface& surface, MapPaintContext& ctx, const FlightPlan& plan);

}  // namespace nav
