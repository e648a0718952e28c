#pragma once

#include <functional>
#include <string>

#include "base/failure.h"
#include "interaction/hover_identification.h"
#include "interaction/rubber_band.h"
#include "mapview/pens.h"
#include "mapview/view_settings.h"
#include "mapview/viewport.h"
#include "navdata/nav_database.h"
#include "navdata/world_outline.h"

namespace nav {

// What the main window owns for the life of the process, apart from its
// widgets, the plan (its editor) and the search results (the search pane).
struct NavViewState {
  std::string exeFolder;  // with a trailing separator
  ViewSettings settings;  // layer switches and the other values kept in nav.ini
  Viewport view;          // the view's edges and zoom level, also kept in nav.ini
  NavDatabase db;
  WorldOutline outline;
  Pens pens;
  bool settingsPending = true;
  RubberBand rubber;
  std::int32_t detailMag = 6;
  HoverSelection hover;

  std::string settingsPath() const;
  std::string databaseFolder() const { return exeFolder + "database/"; }
  std::string tagListPath() const;
};

// Appends the separator a folder name needs to have file names put after it.
std::string withTrailingSeparator(std::string folder);

struct MapArea {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// What a start-up takes from whoever starts: the window, navtool, a test.
struct StartupHooks {
  // Sizes the window and gives the map area's client size; none: no area.
  std::function<MapArea()> mapArea;
  // Reads the switches and the view; none: nav.ini beside the data.
  std::function<void(NavViewState&)> readSettings;
  // Runs once the switches are known: the layer buttons take them.
  std::function<void()> settingsRead;
  char decimalSeparator = '.';  // of nav.ini's reals
};

// Start-up in its fixed order: the world outline, the map area, the
// settings, the view fitted to the area about the saved centre at the saved
// level, the pens, the database. A failure of the outline is reported and
// start-up goes on; any other failure ends it at the failing step. Returns
// false when anything failed.
bool startUp(NavViewState& state, const StartupHooks& hooks, const FailureReporter& report);

}  // namespace nav
