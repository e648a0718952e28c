#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/nav_view_state.h"
#include "base/failure.h"

namespace nav {

// A navtool command: `args` excludes its own name; returns the exit code.
using CommandFunction = int (*)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct Command {
  std::string_view name;
  std::string_view arguments;  // as the usage shows them
  std::string_view help;       // one line
  CommandFunction run;
};

// Runs the command named by args[0]; without one, or with --help, prints
// the usage made from the same table (exit code 2, or 0 for --help).
int runCommand(std::span<const Command> commands, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err);
std::string usageText(std::span<const Command> commands);

// The command line's arguments after the program's name, as UTF-8: on
// Windows from the wide-character command line, so that "Frédéric" is not
// lost to the ANSI code page; elsewhere as they are.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Failures printed as the error box shows them, for a UTF-8 terminal.
FailureReporter printingTo(std::ostream& err);

// Loads FOLDER's outline and database as start-up does, with the default
// view; failures go to `err`. False when anything failed.
bool loadDataFolder(const std::string& folder, NavViewState& state, std::ostream& err);

}  // namespace nav
