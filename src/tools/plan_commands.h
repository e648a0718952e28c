#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace navtools {

// navtool sit FILE: the rows of a saved-simulation file as the load command
// reads them, one line each, cells separated by TAB characters.
int sitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// navtool plan FOLDER OUT.sit ENTRY...: builds a plan from search results
// (ENTRY is TEXT or TEXT#N, N counting result rows from 1) and saves it as
// the save command does.
int planCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace navtools
