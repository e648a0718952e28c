#pragma once

#include <optional>
#include <string>
#include <vector>

#include "exchange/route_exchange.h"
#include "flightplan/flight_plan.h"
#include "navdata/nav_database.h"

namespace nav {

// What a route from another planner makes of the plan: its rows as placing
// each object by hand makes them (the empty last row included), and which
// of its points the database did not hold.
struct PlanImport {
  FlightPlan plan;
  std::size_t fromDatabase = 0;
  std::vector<std::string> userPoints;  // their names, Windows-1252
  std::optional<double> cruiseKnots;
};

// A database object of the point's identifier and kind within this of the
// file's position stands for it, the nearest if several do.
inline constexpr double kImportMatchNm = 1;

// Each point a database row where an object matches, else a user point at
// the file's position named by its identifier; planned altitudes kept.
PlanImport importRoute(const ExchangeRoute& route, const NavDatabase& db);
// "5 points importés de vol.gpx : 4 de la base, 1 point utilisateur (MAISON)",
// Windows-1252; `fileName` in UTF-8.
std::string importSummary(const PlanImport& import, const std::string& fileName);

// The plan's rows that have a position, with their identifiers and kinds
// from the database and their planned altitudes. Fails with "Le plan de vol
// n'a aucun point à exporter" when no row has a position.
ExchangeRoute exportRoute(const FlightPlan& plan, const NavDatabase& db);

}  // namespace nav
