#include "flightplan/plan_legs.h"

#include <fmt/format.h>

#include <GeographicLib/Geodesic.hpp>
#include <cmath>

#include "base/number_format.h"
#include "navdata/records.h"

namespace nav {

namespace {}  // namespace

std::optional<GeoPosition> legEnd(const PlanRow& row) {
  const std::optional<GeoPosition> p = planRowPosition(row);
  if (!p || std::abs(p->lat) > kQuarterTurn) return std::nullopt;
  return GeoPosition{.lat = p->lat, .lon = signedLon(p->lon)};
}

PlanLegs planLegs(const std::vector<PlanRow>& rows) {
  const GeographicLib::Geodesic& wgs84 = GeographicLib::Geodesic::WGS84();
  PlanLegs result;
  std::optional<std::size_t> previousRow;
  GeoPosition previous;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::optional<GeoPosition> here = legEnd(rows[r]);
    if (!here) continue;
    if (previousRow) {
      double metres = 0, azi1 = 0, azi2 = 0;
      constexpr double k = kArcSecondsPerDegree;
      wgs84.Inverse(previous.lat / k, previous.lon / k, here->lat / k, here->lon / k, metres, azi1, azi2);
      PlanLeg leg;
      leg.fromRow = *previousRow;
      leg.toRow = r;
      leg.distanceNm = metres / kMetresPerNauticalMile;
      leg.initialAzimuth = azi1;
      if (metres > 0) {
        const long whole = std::lround(azi1 < 0 ? azi1 + 360 : azi1);
        leg.course = static_cast<int>(whole == 0 ? 360 : whole);
      }
      result.totalNm += leg.distanceNm;
      leg.cumulativeNm = result.totalNm;
      result.legs.push_back(leg);
    }
    previousRow = r;
    previous = *here;
  }
  return result;
}

std::optional<double> cruiseSpeed(std::string_view text, char decimalSeparator) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::optional<double> v = parseReal(text, '.');
  if (!v && decimalSeparator != '.') v = parseReal(text, decimalSeparator);
  if (!v || !(*v > 0)) return std::nullopt;
  return v;
}

std::string courseText(const std::optional<int>& course) {
  return course ? fmt::format("{:03d}", *course) : std::string("---");
}

std::string distanceText(double nm, char decimalSeparator) { return formatFixed(nm, 1, decimalSeparator); }

std::string timeEnRoute(double nm, double knots) { return durationText(nm / knots * 60); }

std::string durationText(double exactMinutes) {
  const double minutes = std::round(exactMinutes);
  // A speed of a few hundredths of a knot gives times no one flies.
  if (!(minutes < 1e9)) return "--:--";
  const auto whole = static_cast<long long>(minutes);
  return fmt::format("{}:{:02d}", whole / 60, whole % 60);
}

}  // namespace nav
