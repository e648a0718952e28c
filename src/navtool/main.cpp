#include <iostream>
#include <string>
#include <vector>

#include "app/navtool_commands.h"
#include "tools/demo_commands.h"
#include "tools/interaction_commands.h"
#include "tools/ourairports.h"
#include "tools/plan_commands.h"
#include "ui/render_command.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty()) {
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "render") return navui::renderCommand(rest, std::cout, std::cerr);
    if (args[0] == "search") return navtools::searchCommand(rest, std::cout, std::cerr);
    if (args[0] == "sit") return navtools::sitCommand(rest, std::cout, std::cerr);
    if (args[0] == "plan") return navtools::planCommand(rest, std::cout, std::cerr);
    if (args[0] == "identify") return navtools::identifyCommand(rest, std::cout, std::cerr);
    if (args[0] == "demo-outline") return navtools::demoOutlineCommand(rest, std::cout, std::cerr);
    if (args[0] == "demo-airports") return navtools::demoAirportsCommand(rest, std::cout, std::cerr);
    if (args[0] == "import-ourairports")
      return navtools::importOurAirportsCommand(rest, navtools::executableFolder(argv[0]), std::cout, std::cerr);
  }
  return nav::runNavtool(args, std::cout, std::cerr);
}
