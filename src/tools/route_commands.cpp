#include "tools/route_commands.h"

#include "app/command_line.h"
#include "base/windows1252.h"
#include "flightplan/gpx_route.h"
#include "flightplan/plan_legs.h"
#include "flightplan/sit_reader.h"

namespace navtools {

int legsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const bool withSpeed = args.size() == 3 && args[1] == "--speed";
  if (args.size() != 1 && !withSpeed) {
    err << "Usage: navtool legs FILE.sit [--speed KNOTS]\n";
    return 2;
  }
  const std::optional<double> speed = withSpeed ? nav::cruiseSpeed(args[2], '.') : std::nullopt;
  if (withSpeed && !speed) {
    err << "bad --speed " << args[2] << ": a positive number of knots\n";
    return 2;
  }
  const bool ok = nav::runGuarded(
      [&] {
        const std::vector<nav::PlanRow> rows = nav::readSitFile(args[0]);
        const nav::PlanLegs legs = nav::planLegs(rows);
        for (const nav::PlanLeg& leg : legs.legs) {
          std::string line = rows[leg.fromRow][nav::colName] + '\t' + rows[leg.toRow][nav::colName] + '\t' +
                             nav::courseText(leg.course) + '\t' + nav::distanceText(leg.distanceNm, '.') + '\t' +
                             nav::distanceText(leg.cumulativeNm, '.');
          if (speed) line += '\t' + nav::timeEnRoute(leg.distanceNm, *speed);
          out << nav::windows1252ToUtf8(line) << '\n';
        }
        out << "total\t" << nav::distanceText(legs.totalNm, '.');
        if (speed) out << '\t' << nav::timeEnRoute(legs.totalNm, *speed);
        out << '\n';
      },
      nav::printingTo(err));
  return ok ? 0 : 1;
}

int gpxCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "Usage: navtool gpx FILE.sit OUT.gpx\n";
    return 2;
  }
  const bool ok = nav::runGuarded(
      [&] {
        const std::vector<nav::PlanRow> rows = nav::readSitFile(args[0]);
        nav::writeGpxRoute(rows, args[1]);
        std::size_t points = 0;
        for (const nav::PlanRow& row : rows) points += nav::legEnd(row) ? 1 : 0;
        out << args[1] << ": " << points << " route points\n";
      },
      nav::printingTo(err));
  return ok ? 0 : 1;
}

}  // namespace navtools
