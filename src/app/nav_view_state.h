#pragma once

#include <string>

#include "app/failure.h"
#include "app/view_settings.h"
#include "flightplan/flight_plan.h"
#include "interaction/hover_identification.h"
#include "interaction/identifier_search.h"
#include "interaction/rubber_band.h"
#include "mapview/pens.h"
#include "mapview/viewport.h"
#include "navdata/nav_database.h"
#include "navdata/world_outline.h"

namespace nav {

// Everything the main window owns for the life of the process, apart from its
// widgets.
struct NavViewState {
  std::string exeFolder;  // with a trailing separator
  ViewSettings settings;  // layer switches and the values kept in nav.ini
  Viewport view;
  NavDatabase db;
  WorldOutline outline;
  Pens pens;
  bool settingsPending = true;
  RubberBand rubber;
  std::int32_t detailMag = 6;
  HoverSelection hover;
  FlightPlan plan;
  std::vector<SearchRow> searchRows{1};  // the result grid, its empty last row included

  std::string settingsPath() const { return exeFolder + kSettingsFile; }
  std::string databaseFolder() const { return exeFolder + "database/"; }
  std::string tagListPath() const { return exeFolder + "liste.txt"; }

  // Takes the settings read from nav.ini; the view edges and zoom go to the
  // viewport, which the sizing rule then fits to the map area.
  void applySettings(const ViewSettings& read);
  // The settings as they stand, the view's current edges and zoom included.
  ViewSettings settingsToSave() const;
};

// Appends the separator a folder name needs to have file names put after it.
std::string withTrailingSeparator(std::string folder);

// Loads the world outline and then the database from `state.exeFolder`, as
// start-up does: a failure of the outline is reported and the database is
// loaded all the same. Returns false when anything failed.
bool loadDataFiles(NavViewState& state, const FailureReporter& report);

}  // namespace nav
