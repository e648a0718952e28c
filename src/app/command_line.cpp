#include "app/command_line.h"

#include <fmt/format.h>

#include <algorithm>

#include "base/windows1252.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

namespace nav {

std::string usageText(std::span<const Command> commands) {
  std::string text = "Usage: navtool COMMAND ...\nCommands:\n";
  for (const Command& c : commands) {
    const std::string call = fmt::format("{} {}", c.name, c.arguments);
    // Long calls put their help on the next line.
    if (call.size() <= 26)
      text += fmt::format("  {:<26}  {}\n", call, c.help);
    else
      text += fmt::format("  {}\n  {:<26}  {}\n", call, "", c.help);
  }
  return text;
}

int runCommand(std::span<const Command> commands, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    out << usageText(commands);
    return 0;
  }
  if (!args.empty()) {
    for (const Command& c : commands)
      if (c.name == args[0]) return c.run({args.begin() + 1, args.end()}, out, err);
  }
  err << usageText(commands);
  return 2;
}

std::vector<std::string> utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide) {
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
      const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
      std::string arg(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
      WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), bytes, nullptr, nullptr);
      args.push_back(std::move(arg));
    }
    LocalFree(wide);
    // What navtool prints is UTF-8 too.
    SetConsoleOutputCP(CP_UTF8);
    return args;
  }
#endif
  return {argv + std::min(argc, 1), argv + argc};
}

FailureReporter printingTo(std::ostream& err) {
  return [&err](const std::string& text) { err << windows1252ToUtf8(text) << '\n'; };
}

bool loadDataFolder(const std::string& folder, NavViewState& state, std::ostream& err) {
  state.exeFolder = withTrailingSeparator(folder);
  StartupHooks hooks;
  hooks.readSettings = [](NavViewState&) {};  // the default view: only the data matter
  return startUp(state, hooks, printingTo(err));
}

}  // namespace nav
