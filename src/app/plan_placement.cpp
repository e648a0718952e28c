#include "app/plan_placement.h"

#include <algorithm>
#include <limits>

#include "flightplan/plan_legs.h"

namespace nav {

namespace {

constexpr const char* kNoAltitude = "-99999.";
constexpr const char* kNoSpeed = "-1";

void fillCommon(PlanRow& row, double lat, double lon, const std::string& dbky, std::string_view type) {
  row[colLat] = planPosition(lat);
  row[colLon] = planPosition(lon);
  row[colDbky] = dbky;
  row[colType] = std::string(type);
  row[colAlt] = kNoAltitude;
  row[colSped] = kNoSpeed;
}

// The row a placement fills: the single row of a plan that has one (an
// empty row then follows it), else a new row after the current one.
PlanRow& placementTarget(FlightPlan& plan) {
  if (plan.rows.size() == 1) {
    plan.rows.emplace_back();
    plan.current = 0;
    return plan.rows[0];
  }
  plan.current += 1;
  plan.rows.insert(plan.rows.begin() + static_cast<std::ptrdiff_t>(plan.current), PlanRow{});
  return plan.rows[plan.current];
}

}  // namespace

void fillAirportRow(PlanRow& row, const AirportRecord& a) {
  row[colName] = a.name();
  fillCommon(row, a.lat(), a.lon(), a.dbky(), typeCode::airport);
  row[colXx] = planAltitude(a.elev());
  row[colId] = a.ident();
  row[colNom] = a.name();
  row[colFrequence] = "-1";
  row[colRoute] = "-1";
}

void fillNavaidRow(PlanRow& row, const NavaidRecord& n) {
  row[colName] = n.name();
  fillCommon(row, n.lat(), n.lon(), n.dbky(), typeCode::navaid);
  row[colXx] = planAltitude(n.elev());
}

void fillWaypointRow(PlanRow& row, const WaypointRecord& w) {
  row[colName] = w.ident();
  fillCommon(row, w.lat(), w.lon(), w.dbky(), typeCode::waypoint);
}

void placeSearchResult(FlightPlan& plan, const SearchRow& result, const NavDatabase& db) {
  PlanRow& row = placementTarget(plan);
  const std::string& ident = result.cells[searchColIdent];
  const std::string& region = result.cells[searchColRegion];
  const std::string& code = result.cells[searchColTypeCode];
  if (code == typeCode::airport) {
    for (const AirportRecord& a : db.airports) {
      if (a.ident() != ident) continue;
      fillAirportRow(row, a);
      break;
    }
  } else if (code == typeCode::userWaypoint) {
    row[colName] = ident + "_" + region;
    row[colLat] = result.cells[searchColLat];
    row[colLon] = result.cells[searchColLon];
    row[colXx] = "0.000";
    row[colDbky].clear();
    row[colType] = std::string(typeCode::userWaypoint);
    row[colAlt] = kNoAltitude;
    row[colSped] = kNoSpeed;
  } else if (code == typeCode::navaid) {
    for (const NavaidRecord& n : db.navaids) {
      if (n.ident() != ident || n.region() != region) continue;
      fillNavaidRow(row, n);
      break;
    }
  } else if (code == typeCode::waypoint) {
    for (const WaypointRecord& w : db.waypoints) {
      if (w.ident() != ident) continue;
      fillWaypointRow(row, w);
      break;
    }
  }
  plan.routeShown = true;
  plan.saveEnabled = true;
}

PlanRow userPointPlanRow(const std::string& name, GeoPosition stored) {
  PlanRow row;
  row[colName] = name.substr(0, 10);
  fillCommon(row, stored.lat, stored.lon, "", typeCode::userWaypoint);
  row[colXx] = "0.0";
  row[colYy] = "0.0";
  return row;
}

void countUserPoint(FlightPlan& plan) {
  if (plan.userPointCounter < std::numeric_limits<std::int32_t>::max()) plan.userPointCounter += 1;
}

std::size_t dropRow(const FlightPlan& plan, std::optional<std::size_t> rowUnderPoint) {
  std::size_t at = rowUnderPoint && *rowUnderPoint < plan.rows.size() ? *rowUnderPoint : plan.rows.size();
  // Below the last row: before a trailing empty row, which would otherwise
  // stand in the middle of the plan and be saved as a waypoint.
  if (at == plan.rows.size() && holdsNoWaypoint(plan.rows.back())) --at;
  return at;
}

void dropMapObject(FlightPlan& plan, std::optional<std::size_t> rowUnderPoint, const HoverSelection& hover) {
  plan.saveEnabled = true;
  const std::size_t at = dropRow(plan, rowUnderPoint);
  plan.rows.insert(plan.rows.begin() + static_cast<std::ptrdiff_t>(at), PlanRow{});
  PlanRow& row = plan.rows[at];
  if (hover.hasNavaid()) {
    const NavaidRecord& n = hover.hoveredNavaid;
    row[colName] = n.name();
    fillCommon(row, n.lat(), n.lon(), n.dbky(), typeCode::navaid);
    row[colXx] = planAltitude(n.elev());
    row[colYy] = "0.0";
  } else if (hover.hasAirport()) {
    const AirportRecord& a = hover.hoveredAirport;
    row[colName] = a.name();
    fillCommon(row, a.lat(), a.lon(), a.dbky(), typeCode::airport);
    row[colXx] = planAltitude(a.elev2());
    row[colYy] = "0.0";
  } else if (hover.hasWaypoint()) {
    const WaypointRecord& w = hover.hoveredWaypoint;
    row[colName] = w.ident();
    fillCommon(row, w.lat(), w.lon(), w.dbky(), typeCode::waypoint);
    row[colXx] = "0.0";
    row[colYy] = "0.0";
  } else {
    const UserPoint& u = hover.userPoint;
    row = userPointPlanRow(u.name, u.position);
    countUserPoint(plan);
  }
  plan.routeShown = true;
}

std::vector<RouteRow> routeRows(const FlightPlan& plan) {
  std::vector<RouteRow> rows;
  rows.reserve(plan.rows.size());
  for (const PlanRow& r : plan.rows) rows.push_back({r[colName], legEnd(r), r[colDbky], r[colType]});
  return rows;
}

std::optional<RouteBox> routeBox(const FlightPlan& plan) {
  std::optional<RouteBox> box;
  for (const PlanRow& r : plan.rows) {
    const std::optional<GeoPosition> p = legEnd(r);
    if (!p) continue;
    if (!box) box = RouteBox{*p, *p};
    box->southWest = {.lat = std::min(box->southWest.lat, p->lat), .lon = std::min(box->southWest.lon, p->lon)};
    box->northEast = {.lat = std::max(box->northEast.lat, p->lat), .lon = std::max(box->northEast.lon, p->lon)};
  }
  return box;
}

}  // namespace nav
