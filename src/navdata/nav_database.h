#pragma once

#include <string>
#include <vector>

#include "navdata/position_index.h"
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
  // Made by indexPositions() once the tables are filled; a walk over a
  // table its index was not made for walks all of it.
  PositionIndexes positions;

  void indexPositions() {
    positions = {PositionIndex(waypoints), PositionIndex(airports), PositionIndex(navaids),
                 PositionIndex(ilsComponents)};
  }

  std::size_t waypointCount() const { return waypoints.size(); }
  std::size_t airportCount() const { return airports.size(); }
  std::size_t ilsCount() const { return ilsComponents.size(); }
  std::size_t navaidCount() const { return navaids.size(); }
  std::size_t runwayCount() const { return runways.size(); }
};

// Every file: a 56-byte header, then its records back to back.
inline constexpr std::size_t kDbdHeaderSize = 56;
namespace dbdHeader {
inline constexpr Int32Field recordCount{16};
inline constexpr Int32Field recordSize{20};
}  // namespace dbdHeader

// The five files of a database folder, in the order start-up loads them.
struct DbdFileKind {
  const char* fileName;
  std::size_t recordSize;
};
inline constexpr DbdFileKind kWaypointFile{"WAYPOINT.dbd", WaypointRecord::kSize};
inline constexpr DbdFileKind kAirportFile{"AIRPORT.dbd", AirportRecord::kSize};
inline constexpr DbdFileKind kIlsFile{"ILS.dbd", IlsRecord::kSize};
inline constexpr DbdFileKind kNavaidFile{"NAVAID.dbd", NavaidRecord::kSize};
inline constexpr DbdFileKind kRunwayFile{"RUNWAY.dbd", RunwayRecord::kSize};
inline constexpr DbdFileKind kDbdFiles[] = {kWaypointFile, kAirportFile, kIlsFile, kNavaidFile, kRunwayFile};

// Fills the tables from `folder` (ending with a path separator) in the order
// WAYPOINT, AIRPORT, ILS, NAVAID, RUNWAY. Fails at the first file that cannot
// be read; the tables before it stay loaded, the others empty.
void loadNavDatabase(const std::string& folder, NavDatabase& db);

}  // namespace nav
