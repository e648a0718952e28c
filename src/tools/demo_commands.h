#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace navtools {

// navtool subcommands that build the demo data; `args` excludes the
// subcommand's own name. Each returns the process exit code.
int demoOutlineCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int demoAirportsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace navtools
