// The five database files, cut from one input, loaded as start-up does.
#include "fuzz/fuzz_support.h"
#include "navdata/nav_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = navfuzz::scratchFolder();
  const auto files = navfuzz::parts(navfuzz::bytes(data, size), 5);
  std::size_t i = 0;
  for (const nav::DbdFileKind& kind : nav::kDbdFiles)
    navfuzz::writeFile(folder + "database/" + kind.fileName, files[i++]);
  nav::NavViewState state;
  state.exeFolder = folder;
  nav::runGuarded([&] { nav::loadNavDatabase(state.databaseFolder(), state.db); }, {});
  navfuzz::useLoadedData(state);
  return 0;
}
