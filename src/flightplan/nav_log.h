#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "flightplan/magnetic_model.h"
#include "flightplan/plan_legs.h"

namespace nav {

// One wind for the whole flight: where it blows from (true degrees) and its
// speed in knots.
struct Wind {
  double fromDegrees = 0;
  double knots = 0;
};

// "270/20": from 270 degrees true at 20 knots, with a full stop or
// `decimalSeparator` in the numbers; none unless both make sense.
std::optional<Wind> parseWind(std::string_view text, char decimalSeparator = '.');

// What the log is computed from; each part may be missing, and what needs
// it is then left out.
struct LogInputs {
  std::optional<double> trueAirspeed;  // knots
  std::optional<Wind> wind;
  std::optional<double> fuelPerHour;  // in the user's unit
  std::optional<double> usableFuel;
  std::optional<double> reserveMinutes;
  const MagneticVariation* variation = nullptr;
  double year = 0;  // the day of the flight, decimal
};

struct LogLeg {
  PlanLeg leg;
  std::optional<double> variation;  // degrees east, at the leg's midpoint
  std::optional<int> magneticCourse;
  std::optional<int> windCorrection;  // degrees, right positive
  std::optional<int> trueHeading;
  std::optional<int> magneticHeading;
  std::optional<double> groundSpeed;
  std::optional<double> minutes;
  std::optional<double> fuel;
  bool cannotFly = false;  // the wind is too strong for the aircraft on it
};

struct NavLog {
  std::vector<LogLeg> legs;
  double totalNm = 0;
  std::optional<double> totalMinutes;  // none when a leg has no time
  std::optional<double> totalFuel;
  std::optional<double> reserveFuel;
  std::optional<double> fuelLeft;  // usable fuel less the trip's
  bool reserveKept = true;
  // Said to the user, in French (Windows-1252).
  std::vector<std::string> messages;
};

NavLog navLog(const std::vector<PlanRow>& rows, const LogInputs& in);

// A degree value as courses are shown, a whole number 1 to 360.
int wholeDegrees(double degrees);

}  // namespace nav
