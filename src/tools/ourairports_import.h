#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace navtools {

// navtool import-ourairports CSVFOLDER OUTFOLDER [--types LIST] [--verbose]:
// the OurAirports CSV files as a database folder, with the world outline and
// tag list found in `dataFolder` (the executable's folder) copied beside it
// unless OUTFOLDER has its own. A row that cannot become a record is left out
// and counted by its reason (--verbose lists each on `out`); a file that
// cannot be read stops the import before anything is written. Returns the
// exit code.
int importOurAirportsCommand(const std::vector<std::string>& args, const std::string& dataFolder, std::ostream& out,
                             std::ostream& err);

// The folder of the running executable; `argv0` is the fallback where the
// system cannot tell.
std::string executableFolder(const char* argv0);

}  // namespace navtools
