#include "flightplan/nav_log.h"

#include <fmt/format.h>

#include <GeographicLib/Geodesic.hpp>
#include <cmath>
#include <numbers>

#include "navdata/records.h"

namespace nav {

namespace {

constexpr double kRadians = std::numbers::pi / 180;

// Halfway along the leg's geodesic from `a` (a signed longitude), which
// the leg's course and distance give.
GeoPosition midpoint(GeoPosition a, const PlanLeg& leg) {
  constexpr double k = kArcSecondsPerDegree;
  double lat = 0, lon = 0;
  GeographicLib::Geodesic::WGS84().Direct(a.lat / k, a.lon / k, leg.initialAzimuth,
                                          leg.distanceNm * kMetresPerNauticalMile / 2, lat, lon);
  return {.lat = lat * k, .lon = lon * k};
}

}  // namespace

std::optional<Wind> parseWind(std::string_view text, char sep) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::optional<double> from = cruiseSpeed(text.substr(0, slash), sep);
  const std::optional<double> knots = cruiseSpeed(text.substr(slash + 1), sep);
  // Directions run 001 to 360, north is 360; a calm ("270/0") is no wind.
  if (!from || !knots || *from > 360) return std::nullopt;
  return Wind{*from, *knots};
}

int wholeDegrees(double degrees) {
  long whole = std::lround(std::fmod(degrees, 360.0));
  if (whole <= 0) whole += 360;
  return static_cast<int>(whole);
}

NavLog navLog(const std::vector<PlanRow>& rows, const LogInputs& in) {
  NavLog log;
  const PlanLegs legs = planLegs(rows);
  log.totalNm = legs.totalNm;
  bool timed = in.trueAirspeed.has_value();
  bool outsideModel = false;
  std::vector<std::string> windTooStrong;
  for (const PlanLeg& leg : legs.legs) {
    LogLeg out;
    out.leg = leg;
    if (in.variation) {
      out.variation = in.variation->at(midpoint(*legEnd(rows[leg.fromRow]), leg), in.year);
      outsideModel = outsideModel || !out.variation;
    }
    // A leg of no length has no course, hence no heading; its time is none.
    if (leg.course) {
      const double course = *leg.course;
      if (out.variation) out.magneticCourse = wholeDegrees(course - *out.variation);
      if (in.trueAirspeed && in.wind) {
        const double tas = *in.trueAirspeed;
        const double angle = (in.wind->fromDegrees - course) * kRadians;
        const double cross = in.wind->knots * std::sin(angle);
        if (std::abs(cross) >= tas) {
          out.cannotFly = true;
        } else {
          const double correction = std::asin(cross / tas);
          const double ground = tas * std::cos(correction) - in.wind->knots * std::cos(angle);
          if (ground <= 0) {
            out.cannotFly = true;
          } else {
            out.windCorrection = static_cast<int>(std::lround(correction / kRadians));
            const double heading = course + correction / kRadians;
            out.trueHeading = wholeDegrees(heading);
            if (out.variation) out.magneticHeading = wholeDegrees(heading - *out.variation);
            out.groundSpeed = ground;
          }
        }
      } else if (in.trueAirspeed) {
        out.trueHeading = *leg.course;
        out.magneticHeading = out.magneticCourse;
        out.groundSpeed = *in.trueAirspeed;
      }
    } else if (in.trueAirspeed) {
      out.groundSpeed = *in.trueAirspeed;  // nothing to fly
    }
    if (out.cannotFly) {
      windTooStrong.push_back(fmt::format("{}\xB0", fmt::format("{:03d}", *leg.course)));
      timed = false;
    }
    if (out.groundSpeed) {
      out.minutes = leg.distanceNm / *out.groundSpeed * 60;
      if (in.fuelPerHour) out.fuel = *out.minutes / 60 * *in.fuelPerHour;
    }
    log.legs.push_back(out);
  }
  if (timed) {
    double minutes = 0, fuel = 0;
    for (const LogLeg& l : log.legs) minutes += l.minutes.value_or(0), fuel += l.fuel.value_or(0);
    log.totalMinutes = minutes;
    if (in.fuelPerHour) log.totalFuel = fuel;
  }
  if (!windTooStrong.empty())
    log.messages.push_back(
        fmt::format("Vent trop fort pour l'avion sur l'\xE9tape de route {}", windTooStrong.front()) +
        (windTooStrong.size() > 1 ? fmt::format(" et {} autre(s)", windTooStrong.size() - 1) : ""));
  if (outsideModel)
    log.messages.push_back(
        fmt::format("D\xE9"
                    "clinaison inconnue : le mod\xE8le magn\xE9tique vaut de {:.0f} \xE0 {:.0f}",
                    in.variation->firstYear(), in.variation->lastYear()));
  if (log.totalFuel && in.fuelPerHour && in.reserveMinutes) {
    log.reserveFuel = *in.reserveMinutes / 60 * *in.fuelPerHour;
    if (in.usableFuel) {
      log.fuelLeft = *in.usableFuel - *log.totalFuel;
      log.reserveKept = *log.fuelLeft >= *log.reserveFuel;
      if (!log.reserveKept)
        log.messages.push_back(
            "R\xE9serve non respect\xE9"
            "e : le carburant ne suffit pas");
    }
  }
  return log;
}

}  // namespace nav
