#pragma once

#include <string>
#include <vector>

#include "navdata/records.h"

namespace nav {

// The five tables, each a contiguous array of records in file order; a lookup
// takes the first match. Filled once at start-up, read-only afterwards.
struct NavDatabase {
  std::vector<WaypointRecord> waypoints;
  std::vector<AirportRecord> airports;
  std::vector<IlsRecord> ilsComponents;
  std::vector<NavaidRecord> navaids;
  std::vector<RunwayRecord> runways;

  std::size_t waypointCount() const { return waypoints.size(); }
  std::size_t airportCount() const { return airports.size(); }
  std::size_t ilsCount() const { return ilsComponents.size(); }
  std::size_t navaidCount() const { return navaids.size(); }
  std::size_t runwayCount() const { return runways.size(); }
};

inline constexpr std::size_t kDbdHeaderSize = 56;

// Fills the tables from `folder` (ending with a path separator) in the order
// WAYPOINT, AIRPORT, ILS, NAVAID, RUNWAY. Fails at the first file that cannot
// be read; the tables before it stay loaded, the others empty.
void loadNavDatabase(const std::string& folder, NavDatabase& db);

}  // namespace nav
