#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nav {

// The view fields kept in nav.ini, section "View", named by their keys, and
// the unsaved waypoint-name switch.
struct ViewSettings {
  double idealDist = 139.0;
  bool showGrid = true;
  bool showMaps = true;
  bool planning = false;
  bool vor = false;
  bool ils = false;
  bool ndb = false;
  bool airport = false;
  bool marker = false;
  bool obstruct = false;
  bool waypoint = false;
  bool hiway = false;
  bool loway = false;
  bool idway = false;
  bool name = false;
  bool id = false;
  bool freq = false;
  bool showAirportZones = false;
  bool largeSymbols = true;
  double left = -180.0;
  double right = 180.0;
  double top = 90.0;
  double bottom = -90.0;
  std::int32_t mag = 1;
  std::int32_t mag2 = 1;

  bool wptName = false;  // never written: off at every start
};

inline constexpr const char* kSettingsFile = "nav.ini";
inline constexpr const char* kSettingsSection = "View";
inline constexpr int kSettingsKeyCount = 25;

// Sets the layer switch named by its nav.ini key (or "wptName"); false when
// no switch has that name.
bool setLayerSwitch(ViewSettings& settings, std::string_view key, bool on);

// Reals are read and written with `decimalSeparator`, the user's. A missing,
// empty or bad value takes its default; a missing file gives all defaults.
// The zoom level is brought into the range the map can draw.
ViewSettings loadViewSettings(const std::string& path, char decimalSeparator);

// Sets every key, leaving the other lines and sections of the file as they
// were; creates the file when missing. Fails with "Unable to write to %s".
void saveViewSettings(const std::string& path, const ViewSettings& settings, char decimalSeparator);

}  // namespace nav
