#pragma once

#include <cstdint>
#include <string>

#include "mapview/map_surface.h"
#include "mapview/paint_context.h"

namespace nav {

// The spacing of the graticule in degrees at a zoom level.
double graticuleStep(std::int32_t mag);

// The label of a parallel (`latitude` true) or meridian at `t` arc-seconds:
// hemisphere letter and decimal degrees for steps of a degree or more,
// degrees, minutes and seconds for finer ones.
std::string graticuleLabel(std::int32_t t, double step, bool latitude, char decimalSeparator);

// Labelled parallels and meridians over the map, in penGrid; restores the
// pen it found.
void drawGraticule(MapSurface& surface, MapPaintContext& ctx);

}  // namespace nav
