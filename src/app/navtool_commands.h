#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace nav {

// `navtool info FOLDER`: loads the folder as start-up does and prints the size
// of every table and of the outline. Returns the exit code.
int navtoolInfo(const std::string& folder, std::ostream& out, std::ostream& err);

// Dispatches `navtool` arguments (without the program name).
int runNavtool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace nav
