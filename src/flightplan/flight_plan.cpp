#include "flightplan/flight_plan.h"

#include <fmt/format.h>

#include <cmath>
#include <utility>

#include "base/failure.h"
#include "base/number_format.h"

namespace nav {

const std::array<const char*, kPlanColumns> kPlanColumnNames{"name", "llps.lat", "llps.lon",     "llps.xx", "llps.yy",
                                                             "dbky", "type",     "alt",          "sped",    "Type",
                                                             "ID",   "Nom",      "Fr\xE9quence", "Route",   "Altitude"};

namespace {

std::optional<double> cellValue(const std::string& text) {
  if (auto v = parseReal(text, '.')) return v;
  return parseReal(text, ',');
}

double requireCellValue(const std::string& text) {
  if (auto v = cellValue(text)) return *v;
  failNotANumber(text);
}

bool onTheEarth(double lat, double lon) {
  return std::abs(lat) <= kQuarterTurn && lon >= -kHalfTurn && lon <= kFullTurn;
}

}  // namespace

std::optional<GeoPosition> planRowPosition(const PlanRow& row) {
  const auto lat = cellValue(row[colLat]);
  const auto lon = cellValue(row[colLon]);
  if (!lat || !lon || !onTheEarth(*lat, *lon)) return std::nullopt;
  return GeoPosition{.lat = *lat, .lon = *lon};
}

GeoPosition requirePlanRowPosition(const PlanRow& row) {
  const double lat = requireCellValue(row[colLat]);
  const double lon = requireCellValue(row[colLon]);
  if (!onTheEarth(lat, lon)) fail("Range check error");
  return {.lat = lat, .lon = lon};
}

bool holdsNoWaypoint(const PlanRow& row) {
  return row[colName].empty() && row[colType].empty() && !planRowPosition(row);
}

std::string planPosition(double v) { return fmt::format("{:.6f}", v); }

std::string planAltitude(std::int32_t v) { return fmt::format("{}.000000", v); }

void deleteCurrentRow(FlightPlan& plan) {
  if (plan.rows.size() == 1) {
    plan.rows[0] = PlanRow{};
    return;
  }
  plan.rows.erase(plan.rows.begin() + static_cast<std::ptrdiff_t>(plan.current));
  if (plan.current >= plan.rows.size()) plan.current = plan.rows.size() - 1;
}

void moveCurrentRowUp(FlightPlan& plan) {
  if (plan.current == 0) return;
  std::swap(plan.rows[plan.current], plan.rows[plan.current - 1]);
  plan.current -= 1;
}

void moveCurrentRowDown(FlightPlan& plan) {
  if (plan.current + 1 >= plan.rows.size()) return;
  std::swap(plan.rows[plan.current], plan.rows[plan.current + 1]);
  plan.current += 1;
}

void clearPlan(FlightPlan& plan) {
  plan.rows.assign(1, PlanRow{});
  plan.current = 0;
  plan.userPointCounter = 1;
  plan.routeShown = false;
  plan.saveEnabled = false;
}

void replaceRows(FlightPlan& plan, std::vector<PlanRow> rows) {
  if (rows.empty()) rows.emplace_back();
  plan.rows = std::move(rows);
  plan.current = plan.rows.size() - 1;
  plan.routeShown = true;
  plan.saveEnabled = true;
}

}  // namespace nav
