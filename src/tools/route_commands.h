#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace navtools {

// navtool legs FILE.sit [--speed KT] [--wind DIR/KT] [--fuel-flow PER_HOUR]
// [--date YYYY-MM-DD]: a header line, then one TAB-separated line per leg
// (from, to, true_course, variation, magnetic_course, wind_correction,
// magnetic_heading, ground_speed, distance_nm, cumulative_nm, time, fuel),
// then the total. Full stops; a column without its input is empty. The
// magnetic model is read from `magneticFolder`; without it the magnetic
// columns stay empty and the error stream says why. UTF-8.
int legsCommand(const std::vector<std::string>& args, const std::string& magneticFolder, std::ostream& out,
                std::ostream& err);

// navtool route FOLDER TEXT OUT.sit: the plan a typed route builds on the
// data of FOLDER, saved; each token that did not resolve is printed, with
// why, on the error stream (the rest is built all the same).
int routeCommand(const std::vector<std::string>& args, const std::string& magneticFolder, std::ostream& out,
                 std::ostream& err);

// navtool gpx FILE.sit OUT.gpx: export FILE.sit gpx OUT without a database.
int gpxCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// navtool import-plan FILE FOLDER OUT.sit: a GPX, FPL, PLN, FMS or KML
// route as the window imports it on the data of FOLDER, saved; the summary
// on the output.
int importPlanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// navtool export FILE.sit FORMAT OUT [FOLDER]: the plan in FORMAT (gpx, fpl,
// pln, fms, kml), its identifiers from the data of FOLDER; without it,
// airports by their OACI cell and the others by their names.
int exportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace navtools
