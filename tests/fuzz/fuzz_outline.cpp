// The world outline file, loaded and painted at every zoom level used.
#include "fuzz/fuzz_support.h"
#include "navdata/world_outline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = navfuzz::scratchFolder();
  navfuzz::writeFile(folder + nav::kWorldOutlineFile, navfuzz::bytes(data, size));
  nav::NavViewState state;
  state.exeFolder = folder;
  nav::runGuarded([&] { nav::loadWorldOutline(state.exeFolder, state.outline); }, {});
  navfuzz::useLoadedData(state);
  return 0;
}
