#pragma once

#include <string>

#include "app/nav_view_state.h"

namespace navbench {

// A world-scale database and outline with a fixed seed: about 60 000
// airports, 80 000 runways, 11 000 navaids, 250 000 waypoints, 20 000 ILS
// components and an outline of 500 000 points, spread over the land
// latitudes as real data is; `scale` times as many of each.
void fillSyntheticWorld(nav::NavViewState& state, int scale = 1);

// The same world as a data folder: database/, world5000s.map, and a nav.ini
// with every layer and label on, the view on Europe at level 7.
void writeSyntheticFolder(const std::string& folder, int scale = 1);

// Every layer and label on, the view centred on Europe at level `mag`, as
// the benchmarks paint and hover it.
inline constexpr double kEuropeLon = 8400;
inline constexpr double kEuropeLat = 176400;
void setEveryLayer(nav::ViewSettings& on);

}  // namespace navbench
