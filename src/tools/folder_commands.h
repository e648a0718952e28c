#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace navtools {

// navtool info FOLDER: loads the folder as start-up does and prints the
// size of every table and of the outline.
int infoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// navtool search FOLDER TEXT: the identifier search as Enter in "OACI" runs
// it; one line per result row, its columns separated by TAB characters.
int searchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// navtool find FOLDER TEXT: the search by name, identifier start or town,
// printed as navtool search prints its rows, best first.
int findCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// navtool identify FOLDER --mag M --lon LON --lat LAT [--layers LIST]: what
// the pointer at that position would identify.
int identifyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace navtools
