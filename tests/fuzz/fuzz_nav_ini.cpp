// nav.ini read at start-up, the view fitted and painted, written back at
// close and read again: the second reading gives what the first did.
#include "app/settings_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = navfuzz::scratchFolder();
  nav::NavViewState state;
  state.exeFolder = folder;
  navfuzz::writeFile(state.settingsPath(), navfuzz::bytes(data, size));
  nav::StartupHooks hooks;
  hooks.mapArea = [] { return nav::MapArea{640, 480}; };
  nav::startUp(state, hooks, {});
  navfuzz::useLoadedData(state);

  nav::ViewSettings first;
  nav::Viewport firstView;
  nav::loadViewSettings(state.settingsPath(), '.', first, firstView);
  if (nav::runGuarded([&] { nav::saveViewSettings(state.settingsPath(), first, firstView, '.'); }, {})) {
    nav::ViewSettings again;
    nav::Viewport againView;
    nav::loadViewSettings(state.settingsPath(), '.', again, againView);
    if (again.vor != first.vor || againView.mag != firstView.mag || again.largeSymbols != first.largeSymbols)
      __builtin_trap();
  }
  return 0;
}
