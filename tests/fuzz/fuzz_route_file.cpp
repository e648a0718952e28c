// A route file of another planner imported into a plan on a small
// database, its route painted, exported in every format and each export
// read back, which must succeed.
#include <cstdlib>

#include "app/plan_exchange.h"
#include "exchange/route_exchange.h"
#include "fuzz/fuzz_support.h"
#include "mapview/paint_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const nav::NavDatabase db = [] {
    nav::NavDatabase d;
    d.airports.push_back(navtest::airport("4188", "LFPN", "Toussus", 175506.84, 7582.28));
    d.navaids.push_back(navtest::navaid("RBT", "Rambouillet", 114.7, 17, 175154.04, 7179.19));
    return d;
  }();
  nav::ExchangeRoute route;
  if (!nav::runGuarded([&] { route = nav::parseRouteFile(navfuzz::bytes(data, size), "in"); }, {})) return 0;
  const nav::PlanImport imported = nav::importRoute(route, db);
  nav::NavViewState state;
  state.pens = nav::createPens();
  state.settings.planning = true;
  navfuzz::usePlan(state, imported.plan);
  const nav::ExchangeRoute out = nav::exportRoute(imported.plan, db);
  for (const nav::RouteFormat f : nav::kRouteFormats) {
    const std::string text = nav::routeFileText(out, f);
    if (!nav::runGuarded([&] { nav::parseRouteFile(text, "out"); }, {})) std::abort();
  }
  return 0;
}
