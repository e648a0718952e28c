#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace navtools {

// navtool legs FILE.sit [--speed KNOTS]: one line per leg, TAB-separated:
// from, to, true course, distance and cumulative distance in nautical
// miles, and the time en route when a speed is given; then the total. UTF-8.
int legsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// navtool gpx FILE.sit OUT.gpx: the plan as the window exports it.
int gpxCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace navtools
