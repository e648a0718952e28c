#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "flightplan/flight_plan.h"

namespace nav {

// The waypoints of a saved-simulation file's text, found by their tags.
// Fails with "List index out of bounds (%d)", the number of lines, when a
// tag it needs is missing; nothing is returned then.
std::vector<PlanRow> parseSit(std::string_view text);

// Reads and parses the file at `path` ("Cannot open file %s"); a file over
// kTextFileLimit is refused before it is read.
std::vector<PlanRow> readSitFile(const std::string& path);

}  // namespace nav
