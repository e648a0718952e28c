// A TopoJSON topology converted into the world outline, which is then
// loaded and painted.
#include <sstream>

#include "fuzz/fuzz_support.h"
#include "navdata/world_outline.h"
#include "tools/demo_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = navfuzz::scratchFolder();
  navfuzz::writeFile(folder + "world.json", navfuzz::bytes(data, size));
  std::ostringstream out, err;
  if (navtools::demoOutlineCommand({folder + "world.json", folder + nav::kWorldOutlineFile}, out, err) != 0) return 0;
  nav::NavViewState state;
  state.exeFolder = folder;
  nav::runGuarded([&] { nav::loadWorldOutline(state.exeFolder, state.outline); }, {});
  navfuzz::useLoadedData(state);
  return 0;
}
