#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "exchange/format_support.h"

namespace nav::exchange {

// MSFS and FSX (.pln): the <ATCWaypoint>s of <FlightPlan.FlightPlan>,
// altitudes from their positions.
ExchangeRoute readPln(const XmlFile& file);
// A VFR plan of direct legs; the cruising altitude is the highest planned.
std::string plnText(const ExchangeRoute& route);

// "N48° 45' 4.00",E2° 6' 22.00",+000538.00": latitude, longitude and
// altitude in feet; none when it is not such a text.
struct WorldPosition {
  double lat = 0;
  double lon = 0;
  std::optional<double> altitudeFeet;
};
std::optional<WorldPosition> parseWorldPosition(std::string_view text);
std::string worldPositionText(double lat, double lon, double altitudeFeet);

}  // namespace nav::exchange
