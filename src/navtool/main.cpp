#include <iostream>
#include <string>
#include <vector>

#include "app/navtool_commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return nav::runNavtool(args, std::cout, std::cerr);
}
