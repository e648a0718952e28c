#pragma once

namespace nav {

// A position on the earth in arc-seconds, north and east positive. Whether
// the longitude is signed (-648000 to 648000, as the view has it) or stored
// (0 to 1296000, as records and plan cells have it) is said where one is
// used. Named fields, so that a latitude and a longitude cannot swap places
// unnoticed: write {.lat = ..., .lon = ...}.
struct GeoPosition {
  double lat = 0;
  double lon = 0;
  friend bool operator==(const GeoPosition&, const GeoPosition&) = default;
};

}  // namespace nav
