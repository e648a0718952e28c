#pragma once

#include <optional>
#include <vector>

#include "flightplan/flight_plan.h"
#include "interaction/hover_identification.h"
#include "interaction/identifier_search.h"
#include "mapview/paint_context.h"

// What the search, the map and the paint make of the plan: the plan model
// itself knows only the data.

namespace nav {

// The cells each kind of object writes into a plan row, as placing it from
// the result grid writes them; the others keep what they hold. A user
// point's row is as a drop from the map makes it.
void fillAirportRow(PlanRow& row, const AirportRecord& airport);
void fillNavaidRow(PlanRow& row, const NavaidRecord& navaid);
void fillWaypointRow(PlanRow& row, const WaypointRecord& waypoint);
PlanRow userPointPlanRow(const std::string& name, GeoPosition stored);
// The counter that names the next user point moves on; it stops at its top,
// where a counter read from a file may stand already.
void countUserPoint(FlightPlan& plan);

// "Placer dans le plan de vol": the current result row, looked up again in
// its table.
void placeSearchResult(FlightPlan& plan, const SearchRow& result, const NavDatabase& db);

// A drop from the map on plan row `rowUnderPoint`; when no row lies under
// the drop point, after the last row, or before it when it is empty.
void dropMapObject(FlightPlan& plan, std::optional<std::size_t> rowUnderPoint, const HoverSelection& hover);
// The row such a drop puts the new row at.
std::size_t dropRow(const FlightPlan& plan, std::optional<std::size_t> rowUnderPoint);

// The rows as the route layer reads them; views into `plan`'s cells.
std::vector<RouteRow> routeRows(const FlightPlan& plan);

// The box of every position the route passes (signed longitudes); none
// when no row has a position.
struct RouteBox {
  GeoPosition southWest;
  GeoPosition northEast;
};
std::optional<RouteBox> routeBox(const FlightPlan& plan);

}  // namespace nav
