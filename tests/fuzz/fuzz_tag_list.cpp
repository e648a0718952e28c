// A tag list a plan is saved with; what was saved is loaded back.
#include "flightplan/flight_plan.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = navfuzz::scratchFolder();
  navfuzz::writeFile(folder + "liste.txt", navfuzz::bytes(data, size));
  nav::PlanRow row;
  row[nav::colName] = "LFPG";
  row[nav::colLat] = "176400.000000";
  row[nav::colType] = "sarw";
  nav::runGuarded(
      [&] {
        nav::ecris_pln({row, nav::PlanRow{}}, folder + "liste.txt", folder + "plan.sit");
        nav::FlightPlan plan;
        nav::replaceRows(plan, nav::readSitFile(folder + "plan.sit"));
      },
      {});
  return 0;
}
