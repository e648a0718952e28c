#include "tools/plan_commands.h"

#include <fmt/format.h>

#include "app/command_line.h"
#include "app/plan_placement.h"
#include "base/failure.h"
#include "base/number_format.h"
#include "base/windows1252.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"
#include "interaction/identifier_search.h"

namespace navtools {

int sitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "Usage: navtool sit FILE\n";
    return 2;
  }
  const bool ok = nav::runGuarded(
      [&] {
        for (const nav::PlanRow& row : nav::readSitFile(args[0])) {
          std::string line;
          for (std::size_t c = 0; c < nav::kPlanColumns; ++c) line += (c ? "\t" : "") + row.cells[c];
          out << nav::windows1252ToUtf8(line) << '\n';
        }
      },
      nav::printingTo(err));
  return ok ? 0 : 1;
}

int planCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 2) {
    err << "Usage: navtool plan FOLDER OUT.sit ENTRY...   (ENTRY: TEXT or TEXT#N)\n";
    return 2;
  }
  nav::NavViewState state;
  if (!nav::loadDataFolder(args[0], state, err)) return 1;
  nav::FlightPlan plan;
  const bool ok = nav::runGuarded(
      [&] {
        for (std::size_t i = 2; i < args.size(); ++i) {
          std::string text = args[i];
          std::size_t n = 1;
          if (const auto hash = text.rfind('#'); hash != std::string::npos) {
            const auto number = nav::parseInteger(text.substr(hash + 1));
            if (!number || *number < 1) nav::fail(fmt::format("bad row number in {}", args[i]));
            n = static_cast<std::size_t>(*number);
            text.resize(hash);
          }
          const std::string searched = nav::searchText(nav::utf8ToWindows1252(text));
          const std::vector<nav::SearchRow> rows = nav::searchIdentifier(searched, state.db, '.');
          if (n >= rows.size()) nav::fail(fmt::format("{}: no result row {} ({} found)", args[i], n, rows.size() - 1));
          nav::placeSearchResult(plan, rows[n - 1], state.db);
        }
        nav::ecris_pln(plan.rows, state.tagListPath(), args[1]);
        out << args[1] << ": " << plan.rows.size() << " rows\n";
      },
      nav::printingTo(err));
  return ok ? 0 : 1;
}

}  // namespace navtools
