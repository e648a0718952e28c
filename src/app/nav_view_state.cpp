#include "app/nav_view_state.h"

#include "app/settings_file.h"
#include "flightplan/sit_writer.h"

namespace nav {

std::string NavViewState::settingsPath() const { return exeFolder + kSettingsFile; }
std::string NavViewState::tagListPath() const { return exeFolder + kTagListFile; }

std::string withTrailingSeparator(std::string folder) {
#ifdef _WIN32
  // A folder such as C:\Users\Frédéric\ already ends with one.
  if (!folder.empty() && folder.back() == '\\') return folder;
#endif
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool startUp(NavViewState& state, const StartupHooks& hooks, const FailureReporter& report) {
  state.settingsPending = true;
  state.rubber.rubberActive = false;
  state.detailMag = 6;
  state.view.markLat = 0;
  state.view.markLon = 0;
  state.settings.wptName = false;

  // Without an outline the map is drawn without it; start-up goes on.
  const bool outline = runGuarded([&] { loadWorldOutline(state.exeFolder, state.outline); }, report);
  const bool rest = runGuarded(
      [&] {
        const MapArea area = hooks.mapArea ? hooks.mapArea() : MapArea{};
        state.view.clientWidth = area.width;
        state.view.clientHeight = area.height;

        state.settingsPending = false;
        try {
          if (hooks.readSettings)
            hooks.readSettings(state);
          else
            loadViewSettings(state.settingsPath(), hooks.decimalSeparator, state.settings, state.view);
        } catch (...) {
          // Whatever happens while nav.ini is read, its keys take their
          // defaults and start-up goes on: the map and the buttons agree.
          defaultViewSettings(state.settings, state.view);
        }
        if (hooks.settingsRead) hooks.settingsRead();

        fitView(state.view, area.width, area.height);
        state.pens = createPens();
        loadNavDatabase(state.databaseFolder(), state.db);
      },
      report);
  return outline && rest;
}

}  // namespace nav
