#pragma once

#include "app/nav_view_state.h"

namespace navbench {

// A world-scale database and outline with a fixed seed: about 60 000
// airports, 80 000 runways, 11 000 navaids, 250 000 waypoints, 20 000 ILS
// components and an outline of 500 000 points, spread over the land
// latitudes as real data is.
void fillSyntheticWorld(nav::NavViewState& state);

}  // namespace navbench
