#include "tools/route_commands.h"

#include <fmt/format.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "app/command_line.h"
#include "app/nav_view_state.h"
#include "app/plan_exchange.h"
#include "app/route_text.h"
#include "base/number_format.h"
#include "base/windows1252.h"
#include "exchange/route_exchange.h"
#include "flightplan/nav_log.h"
#include "flightplan/plan_legs.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"

namespace navtools {

namespace {

constexpr const char* kLegsUsage =
    "Usage: navtool legs FILE.sit [--speed KT] [--wind DIR/KT] [--fuel-flow PER_HOUR] [--date YYYY-MM-DD]\n";

std::optional<double> dateOption(const std::string& text) {
  int y = 0, m = 0, d = 0;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &rest) != 3) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year{y} / m / d};
  if (!date.ok()) return std::nullopt;
  return nav::decimalYear(y, m, d);
}

double today() {
  const std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
  return nav::decimalYear(int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())));
}

std::string degreesText(const std::optional<int>& v) { return v ? fmt::format("{:03d}", *v) : std::string(); }

}  // namespace

int legsCommand(const std::vector<std::string>& args, const std::string& magneticFolder, std::ostream& out,
                std::ostream& err) {
  if (args.empty() || args.size() % 2 == 0) {
    err << kLegsUsage;
    return 2;
  }
  nav::LogInputs in;
  in.year = today();
  for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
    const std::string& option = args[i];
    const std::string& value = args[i + 1];
    bool good = true;
    if (option == "--speed") {
      in.trueAirspeed = nav::cruiseSpeed(value, '.');
      good = in.trueAirspeed.has_value();
    } else if (option == "--wind") {
      in.wind = nav::parseWind(value);
      good = in.wind.has_value();
    } else if (option == "--fuel-flow") {
      in.fuelPerHour = nav::cruiseSpeed(value, '.');
      good = in.fuelPerHour.has_value();
    } else if (option == "--date") {
      const std::optional<double> year = dateOption(value);
      good = year.has_value();
      if (year) in.year = *year;
    } else {
      err << kLegsUsage;
      return 2;
    }
    if (!good) {
      err << "bad " << option << " " << value << "\n";
      return 2;
    }
  }
  std::unique_ptr<nav::MagneticVariation> model;
  nav::runGuarded([&] { model = std::make_unique<nav::MagneticVariation>(magneticFolder); },
                  [&](const std::string& message) { err << "magnetic model: " << nav::withFullStop(message) << '\n'; });
  in.variation = model.get();
  const bool ok = nav::runGuarded(
      [&] {
        const std::vector<nav::PlanRow> rows = nav::readSitFile(args[0]);
        const nav::NavLog log = nav::navLog(rows, in);
        out << "from\tto\ttrue_course\tvariation\tmagnetic_course\twind_correction\tmagnetic_heading\tground_speed\t"
               "distance_nm\tcumulative_nm\ttime\tfuel\n";
        for (const nav::LogLeg& l : log.legs) {
          const std::string line =
              fmt::format("{}\t{}\t{}\t{}\t{}\t{}\t{}\t{}\t{}\t{}\t{}\t{}", rows[l.leg.fromRow][nav::colName],
                          rows[l.leg.toRow][nav::colName], l.leg.course ? nav::courseText(l.leg.course) : "",
                          l.variation ? nav::formatFixed(*l.variation, 1) : "", degreesText(l.magneticCourse),
                          l.windCorrection ? fmt::format("{}", *l.windCorrection) : "", degreesText(l.magneticHeading),
                          l.cannotFly     ? "---"
                          : l.groundSpeed ? nav::formatFixed(*l.groundSpeed, 0)
                                          : "",
                          nav::distanceText(l.leg.distanceNm, '.'), nav::distanceText(l.leg.cumulativeNm, '.'),
                          l.minutes ? nav::durationText(*l.minutes) : "", l.fuel ? nav::formatFixed(*l.fuel, 1) : "");
          out << nav::windows1252ToUtf8(line) << '\n';
        }
        out << fmt::format("total\t\t\t\t\t\t\t\t{}\t\t{}\t{}\n", nav::distanceText(log.totalNm, '.'),
                           log.totalMinutes ? nav::durationText(*log.totalMinutes) : "",
                           log.totalFuel ? nav::formatFixed(*log.totalFuel, 1) : "");
        for (const std::string& message : log.messages) err << nav::windows1252ToUtf8(message) << '\n';
      },
      nav::printingTo(err));
  return ok ? 0 : 1;
}

int routeCommand(const std::vector<std::string>& args, const std::string& magneticFolder, std::ostream& out,
                 std::ostream& err) {
  if (args.size() != 3) {
    err << "Usage: navtool route FOLDER TEXT OUT.sit\n";
    return 2;
  }
  nav::NavViewState state;
  if (!nav::loadDataFolder(args[0], state, err)) return 1;
  std::unique_ptr<nav::MagneticVariation> model;
  nav::runGuarded([&] { model = std::make_unique<nav::MagneticVariation>(magneticFolder); },
                  [&](const std::string& message) { err << "magnetic model: " << nav::withFullStop(message) << '\n'; });
  const bool ok = nav::runGuarded(
      [&] {
        const nav::RouteBuild built = nav::buildRoute(nav::utf8ToWindows1252(args[1]), state.db, model.get(), today());
        for (const nav::RouteProblem& p : built.problems)
          err << nav::windows1252ToUtf8(p.token + " : " + p.reason) << '\n';
        nav::ecris_pln(built.plan.rows, state.tagListPath(), args[2]);
        out << args[2] << ": " << built.plan.rows.size() << " rows\n";
      },
      nav::printingTo(err));
  return ok ? 0 : 1;
}

int exportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<nav::RouteFormat> format = args.size() >= 2 ? nav::formatOfName(args[1]) : std::nullopt;
  if (args.size() < 3 || args.size() > 4 || !format) {
    err << "Usage: navtool export FILE.sit gpx|fpl|pln|fms|kml OUT [FOLDER]\n";
    return 2;
  }
  nav::NavViewState state;
  if (args.size() == 4 && !nav::loadDataFolder(args[3], state, err)) return 1;
  const bool ok = nav::runGuarded(
      [&] {
        nav::FlightPlan plan;
        nav::replaceRows(plan, nav::readSitFile(args[0]));
        const nav::ExchangeRoute route = nav::exportRoute(plan, state.db);
        nav::writeRouteFile(route, *format, args[2]);
        out << args[2] << ": " << route.points.size() << " route points\n";
      },
      nav::printingTo(err));
  return ok ? 0 : 1;
}

int gpxCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "Usage: navtool gpx FILE.sit OUT.gpx\n";
    return 2;
  }
  return exportCommand({args[0], "gpx", args[1]}, out, err);
}

int importPlanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 3) {
    err << "Usage: navtool import-plan FILE FOLDER OUT.sit\n";
    return 2;
  }
  nav::NavViewState state;
  if (!nav::loadDataFolder(args[1], state, err)) return 1;
  const bool ok = nav::runGuarded(
      [&] {
        const nav::PlanImport imported = nav::importRoute(nav::readRouteFile(args[0]), state.db);
        nav::ecris_pln(imported.plan.rows, state.tagListPath(), args[2]);
        out << nav::windows1252ToUtf8(nav::importSummary(imported, args[0])) << '\n';
      },
      nav::printingTo(err));
  return ok ? 0 : 1;
}

}  // namespace navtools
