#pragma once

#include <string>

namespace nav {

// The page "Avion" as the user typed it (Windows-1252), kept between
// sessions in nav.ini's own section [Avion], which the view's keys never
// touch. Numbers stay texts: they are read, with a comma or a full stop,
// where they are used.
struct AircraftSettings {
  std::string cruise;
  std::string climb;
  std::string descent;
  std::string fuelFlow;
  std::string fuelUnit;  // "litres" or "gallons US"
  std::string usableFuel;
  std::string reserve;
};

// Empty fields for a file or keys that are not there; fails as reading
// nav.ini does for a file that cannot be read.
AircraftSettings loadAircraftSettings(const std::string& path);
// Sets the section's keys, every other line kept as it was.
void saveAircraftSettings(const std::string& path, const AircraftSettings& aircraft);

}  // namespace nav
