#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/geo_position.h"
#include "navdata/nav_database.h"

namespace nav {

// The fifteen cells of a plan row, named by the plan grid's column headers.
enum PlanColumn : std::size_t {
  colName,
  colLat,  // llps.lat
  colLon,  // llps.lon
  colXx,   // llps.xx
  colYy,   // llps.yy
  colDbky,
  colType,  // type
  colAlt,
  colSped,
  colTypeLoaded,  // Type
  colId,
  colNom,
  colFrequence,
  colRoute,
  colAltitude,
  kPlanColumns
};

// Column headers, Windows-1252.
extern const std::array<const char*, kPlanColumns> kPlanColumnNames;

struct PlanRow {
  std::array<std::string, kPlanColumns> cells;
  std::string& operator[](PlanColumn c) { return cells[c]; }
  const std::string& operator[](PlanColumn c) const { return cells[c]; }
  friend bool operator==(const PlanRow&, const PlanRow&) = default;
};

// The flight plan apart from its grid: never without a row; `current` counts
// from 0 (the grid's first row under its header).
struct FlightPlan {
  std::vector<PlanRow> rows{1};
  std::size_t current = 0;
  bool routeShown = false;
  std::int32_t userPointCounter = 1;
  bool saveEnabled = false;  // the save button's state
  friend bool operator==(const FlightPlan&, const FlightPlan&) = default;
};

// The position of a row from its llps.lat and llps.lon cells, a stored
// longitude; every reader of a row's position goes through it. The cells
// hold numbers with a full stop (a cell without one is a whole number); a
// comma is read as well, as earlier versions wrote it for runway ends placed
// under a French locale. None when a cell holds no number or the numbers
// lie beyond the poles or outside -180 to 360 degrees of longitude.
std::optional<GeoPosition> planRowPosition(const PlanRow& row);
// The same, failing as a number that does not convert does, and with
// "Range check error" off the earth.
GeoPosition requirePlanRowPosition(const PlanRow& row);

// A row that holds no waypoint: no name, no position, no type code. A
// loaded file's trailing row is one, though its other cells may hold text
// ("0" under Type).
bool holdsNoWaypoint(const PlanRow& row);

// Numbers as plan cells hold them, always with a full stop.
std::string planPosition(double v);        // "172800.500000"
std::string planAltitude(std::int32_t v);  // "1234.000000"

void deleteCurrentRow(FlightPlan& plan);
void moveCurrentRowUp(FlightPlan& plan);
void moveCurrentRowDown(FlightPlan& plan);
void clearPlan(FlightPlan& plan);
// The rows of a loaded file replace the plan's: the last is current.
void replaceRows(FlightPlan& plan, std::vector<PlanRow> rows);

}  // namespace nav
