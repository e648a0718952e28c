#pragma once

#include <string>
#include <vector>

#include "flightplan/flight_plan.h"

namespace nav {

// The plan as a GPX 1.1 route, UTF-8: one <rtept> per row with a position,
// with its name, latitude and longitude in degrees and its kind code as
// <type>. The route is named after its first and last points.
std::string gpxRoute(const std::vector<PlanRow>& rows);

// Writes it to `path` without ever leaving a half-written file
// ("Cannot create file %s").
void writeGpxRoute(const std::vector<PlanRow>& rows, const std::string& path);

}  // namespace nav
