#include "app/nav_view_state.h"

namespace nav {

void NavViewState::applySettings(const ViewSettings& read) {
  const bool wptName = settings.wptName;
  settings = read;
  settings.wptName = wptName;
  view.left = read.left;
  view.right = read.right;
  view.top = read.top;
  view.bottom = read.bottom;
  view.mag = read.mag;
  view.mag2 = read.mag2;
}

ViewSettings NavViewState::settingsToSave() const {
  ViewSettings out = settings;
  out.left = view.left;
  out.right = view.right;
  out.top = view.top;
  out.bottom = view.bottom;
  out.mag = view.mag;
  out.mag2 = view.mag2;
  return out;
}

std::string withTrailingSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool loadDataFiles(NavViewState& state, const FailureReporter& report) {
  const bool outline = runGuarded([&] { loadWorldOutline(state.exeFolder, state.outline); }, report);
  const bool database = runGuarded([&] { loadNavDatabase(state.databaseFolder(), state.db); }, report);
  return outline && database;
}

}  // namespace nav
