// A saved simulation loaded into the plan, its route painted, saved again
// and read back.
#include "flightplan/flight_plan.h"
#include "flightplan/sit_reader.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = navfuzz::scratchFolder();
  navfuzz::writeFile(folder + "in.sit", navfuzz::bytes(data, size));
  nav::NavViewState state;
  state.exeFolder = folder;
  nav::FlightPlan plan;
  if (!nav::runGuarded([&] { nav::replaceRows(plan, nav::readSitFile(folder + "in.sit")); }, {})) return 0;
  state.pens = nav::createPens();
  state.settings.planning = true;
  navfuzz::usePlan(state, plan);
  return 0;
}
