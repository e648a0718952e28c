#pragma once

#include <string>
#include <string_view>

#include "base/ini_file.h"
#include "mapview/view_settings.h"
#include "mapview/viewport.h"

namespace nav {

inline constexpr const char* kSettingsFile = "nav.ini";
inline constexpr const char* kSettingsSection = "View";
inline constexpr int kSettingsKeyCount = 25;

// Sets the layer switch named by its nav.ini key (or "wptName"); false when
// no switch has that name.
bool setLayerSwitch(ViewSettings& settings, std::string_view key, bool on);

// Gives every key of nav.ini its default; `wptName` and the view's other
// fields are left as they are.
void defaultViewSettings(ViewSettings& settings, Viewport& view);

// Reads the 25 keys of nav.ini's [View] into the switches and the view's
// edges and zoom; a missing, empty or bad value takes its default, a missing
// file gives all defaults, and so does anything that breaks the reading
// (a file that is no nav.ini, memory that runs out). Reals are read with the user's separator, a full
// stop or a comma. The zoom level is brought into the range the map can
// draw. `wptName` and the view's other fields are left as they are.
void loadViewSettings(const std::string& path, char decimalSeparator, ViewSettings& settings, Viewport& view);

// Sets every key, reals with the user's separator, leaving the other lines
// and sections of the file as they were; creates the file when missing.
// Fails with "Unable to write to %s".
// nav.ini as it stands, for keys to be set in it: empty when there is none;
// fails with `failure` when it cannot be read, so that it is not replaced.
IniFile settingsToUpdate(const std::string& path, const std::string& failure);
void saveViewSettings(const std::string& path, const ViewSettings& settings, const Viewport& view,
                      char decimalSeparator);

}  // namespace nav
