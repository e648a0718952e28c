#pragma once

#include "mapview/map_surface.h"
#include "mapview/paint_context.h"

namespace nav {

// Draws the coastlines and borders of the current view: points outside the
// visible part of the world are neither moved to nor drawn, except for the
// segments that cross its edge. Leaves penOutline selected.
void drawWorldOutline(MapSurface& surface, MapPaintContext& ctx);

// How many pairs of a polyline make one drawn point at a zoom level.
int outlineThinningPeriod(std::int32_t mag);

}  // namespace nav
