#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "flightplan/flight_plan.h"
#include "flightplan/magnetic_model.h"
#include "navdata/nav_database.h"

namespace nav {

// A token of a typed route that built nothing, and why (Windows-1252).
struct RouteProblem {
  std::string token;
  std::string reason;
};

// What a route text builds: the plan's rows as placing each object by hand
// makes them, the empty last row included; the cruise speed and levels it
// gives; what did not resolve.
struct RouteBuild {
  FlightPlan plan;
  std::optional<double> cruiseKnots;
  std::vector<RouteProblem> problems;
};

// Tokens separated by spaces: identifiers of airports, navaids and
// waypoints; DCT (passed over); coordinates as 48N002E, 4830N00200E or
// 483015N0021030E; a radial and distance from a navaid as PTV090020
// (magnetic with `variation`, else true, and said so); a speed and level
// group (N0120A045, N0450F350, K0220S0150, M082F350), alone or after a
// slash, which sets the cruise speed and the following points' altitude.
// An identifier of several objects takes the one nearest to the previous
// point (the first, to the next), airports first for the first and the
// last token. `year` is the day of the flight for the variation.
RouteBuild buildRoute(std::string_view text, const NavDatabase& db, const MagneticVariation* variation, double year);

// The plan as a route text that builds it again: identifiers for the
// database's objects, coordinates (degrees, minutes and seconds) for the
// others.
std::string routeText(const FlightPlan& plan, const NavDatabase& db);

}  // namespace nav
