// The recovery file read at start-up, as the window does (a damaged one
// moved aside), then used as the plan; read whole, it is written again and
// reads back the same.
#include "flightplan/plan_recovery.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = navfuzz::scratchFolder();
  const std::string path = folder + nav::kRecoveryFile;
  navfuzz::writeFile(path, navfuzz::bytes(data, size));
  nav::FlightPlan plan;
  if (!nav::runGuarded([&] { plan = nav::readRecoveryFile(path); }, {})) return 0;
  if (nav::parseRecovery(nav::recoveryText(plan)) != plan) __builtin_trap();
  nav::NavViewState state;
  state.exeFolder = folder;
  state.pens = nav::createPens();
  state.settings.planning = state.settings.waypoint = true;
  navfuzz::usePlan(state, plan);
  return 0;
}
