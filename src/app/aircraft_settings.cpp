#include "app/aircraft_settings.h"

#include <fmt/format.h>

#include <array>
#include <utility>

#include "app/settings_file.h"
#include "base/failure.h"
#include "base/file_io.h"
#include "base/ini_file.h"

namespace nav {

namespace {

constexpr const char* kSection = "Avion";

// Each key of the section and its field.
const std::array<std::pair<const char*, std::string AircraftSettings::*>, 7> kAircraftKeys{{
    {"vitesseCroisiere", &AircraftSettings::cruise},
    {"vitesseMontee", &AircraftSettings::climb},
    {"vitesseDescente", &AircraftSettings::descent},
    {"consommation", &AircraftSettings::fuelFlow},
    {"uniteCarburant", &AircraftSettings::fuelUnit},
    {"carburantUtilisable", &AircraftSettings::usableFuel},
    {"reserveMinutes", &AircraftSettings::reserve},
}};

}  // namespace

AircraftSettings loadAircraftSettings(const std::string& path) {
  AircraftSettings aircraft;
  // As for the view: a file that is not there, or cannot be read, gives
  // empty fields, never a failure at start.
  try {
    const IniFile ini = IniFile::parse(readWholeFile(path, kTextFileLimit));
    for (const auto& [key, field] : kAircraftKeys)
      if (auto text = ini.value(kSection, key)) aircraft.*field = *text;
  } catch (...) {
    aircraft = {};
  }
  return aircraft;
}

void saveAircraftSettings(const std::string& path, const AircraftSettings& aircraft) {
  const std::string failure = fmt::format("Unable to write to {}", path);
  IniFile ini = settingsToUpdate(path, failure);
  for (const auto& [key, field] : kAircraftKeys) {
    // A line break typed or pasted into a field would end the line early.
    std::string value = aircraft.*field;
    for (char& c : value)
      if (c == '\n' || c == '\r') c = ' ';
    ini.setValue(kSection, key, value);
  }
  replaceFileContent(path, ini.text(), failure);
}

}  // namespace nav
