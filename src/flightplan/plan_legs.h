#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "flightplan/flight_plan.h"

namespace nav {

// A plan row's position as an end of a leg: a signed longitude; none when
// its cells hold no usable numbers (the trailing empty row, a user's typing
// in a loaded file) or a latitude beyond a pole.
std::optional<GeoPosition> legEnd(const PlanRow& row);

// The way from one positioned row to the next, on the WGS-84 ellipsoid.
struct PlanLeg {
  std::size_t fromRow = 0;  // rows of the plan, from 0
  std::size_t toRow = 0;
  double distanceNm = 0;
  // Initial true course in whole degrees, 1 to 360; none for a leg of no
  // length, where any course would be made up.
  std::optional<int> course;
  double cumulativeNm = 0;
  double initialAzimuth = 0;  // degrees, as the geodesic gives it: where the leg's middle is found
};

struct PlanLegs {
  std::vector<PlanLeg> legs;
  double totalNm = 0;
};

inline constexpr double kMetresPerNauticalMile = 1852;
inline constexpr double kFeetPerMetre = 1 / 0.3048;

// Rows without a position are passed over: their neighbours make the leg.
PlanLegs planLegs(const std::vector<PlanRow>& rows);

// The cruise speed the user typed, in knots, with a full stop or
// `decimalSeparator`; none unless it is a positive number.
std::optional<double> cruiseSpeed(std::string_view text, char decimalSeparator);

// Texts as the legs table, the log and navtool show them.
std::string courseText(const std::optional<int>& course);    // "045", "---"
std::string distanceText(double nm, char decimalSeparator);  // "123.4"
std::string timeEnRoute(double nm, double knots);            // "1:05"
std::string durationText(double minutes);                    // "1:05"

}  // namespace nav
