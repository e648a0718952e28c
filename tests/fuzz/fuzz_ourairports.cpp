// The three OurAirports files, cut from one input, imported; the folder
// written is loaded and used as the program would.
#include <sstream>

#include "app/command_line.h"
#include "fuzz/fuzz_support.h"
#include "tools/ourairports_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = navfuzz::scratchFolder();
  const auto files = navfuzz::parts(navfuzz::bytes(data, size), 3);
  navfuzz::writeFile(folder + "airports.csv", files[0]);
  navfuzz::writeFile(folder + "runways.csv", files[1]);
  navfuzz::writeFile(folder + "navaids.csv", files[2]);
  navfuzz::writeFile(folder + "liste.txt", navfuzz::tagList());
  navfuzz::writeFile(folder + "world5000s.map", std::string(8, '\1'));
  std::ostringstream out, err;
  if (navtools::importOurAirportsCommand({folder, folder + "out", "--verbose"}, folder, out, err) != 0) return 0;
  nav::NavViewState state;
  if (!nav::loadDataFolder(folder + "out", state, err)) __builtin_trap();  // what the import wrote always loads
  navfuzz::useLoadedData(state);
  return 0;
}
