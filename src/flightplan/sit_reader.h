#pragma once

#include <string>
#include <vector>

#include "flightplan/flight_plan.h"

namespace nav {

// The waypoints of a saved-simulation file's lines, found by their tags.
// Fails with "List index out of bounds (%d)", the number of lines, when a
// tag it needs is missing; nothing is returned then.
std::vector<PlanRow> parseSit(const std::vector<std::string>& lines);

// Reads and parses the file at `path` ("Cannot open file %s").
std::vector<PlanRow> readSitFile(const std::string& path);

}  // namespace nav
