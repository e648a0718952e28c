#include <fmt/format.h>

#include <GeographicLib/Geodesic.hpp>
#include <memory>
#include <pugixml.hpp>
#include <string>

#include "app/plan_exchange.h"
#include "app/plan_placement.h"
#include "app/route_text.h"
#include "exchange/route_exchange.h"
#include "flightplan/magnetic_model.h"
#include "flightplan/nav_log.h"
#include "flightplan/plan_legs.h"
#include "floor_table.h"
#include "synthetic_world.h"

// The planning paths on the world-scale synthetic tables: a typed route of
// 20 tokens resolved, a GPX route of 1 000 points imported, and the legs of
// a 100-row plan with magnetic variation and wind.

namespace {

const nav::NavViewState& world() {
  static const nav::NavViewState s = [] {
    nav::NavViewState out;
    navbench::fillSyntheticWorld(out, 1);
    return out;
  }();
  return s;
}

// Airports, navaids and waypoints in turn, spread over their tables.
std::string routeText(int tokens) {
  const nav::NavDatabase& db = world().db;
  std::string text;
  for (int i = 0; i < tokens; ++i) {
    const std::size_t k = static_cast<std::size_t>(i) * 977;
    const std::string ident = i % 3 == 0   ? db.airports[k % db.airports.size()].ident()
                              : i % 3 == 1 ? db.navaids[k % db.navaids.size()].ident()
                                           : db.waypoints[k % db.waypoints.size()].ident();
    text += (text.empty() ? "" : " ") + ident;
  }
  return text;
}

// What a typed route must do at the least: find each token's identifier in
// every table.
std::size_t routeFloor(const std::string& text, const nav::NavDatabase& db) {
  std::size_t found = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const std::string_view token(text.data() + at, end - at);
    for (const nav::AirportRecord& a : db.airports) found += a.ident() == token;
    for (const nav::NavaidRecord& n : db.navaids) found += n.ident() == token;
    for (const nav::WaypointRecord& w : db.waypoints) found += w.identView() == token;
    at = end + 1;
  }
  return found;
}

void registerTypedRoute() {
  const auto pair = navbench::addPair(
      "route/20 tokens", 1.5,
      [](benchmark::State& bench) {
        const std::string text = routeText(20);
        for (auto _ : bench)
          benchmark::DoNotOptimize(nav::buildRoute(text, world().db, nullptr, 2026.9).plan.rows.data());
      },
      [](benchmark::State& bench) {
        const std::string text = routeText(20);
        for (auto _ : bench) benchmark::DoNotOptimize(routeFloor(text, world().db));
      });
  pair.path->Unit(benchmark::kMillisecond);
  pair.floor->Unit(benchmark::kMillisecond);
}

// A GPX route of the database's own objects, as another planner writes it.
std::string gpxOf(int points) {
  const nav::NavDatabase& db = world().db;
  std::string gpx = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"x\"><rte>\n";
  for (int i = 0; i < points; ++i) {
    const std::size_t k = static_cast<std::size_t>(i) * 613;
    double lat = 0, lon = 0;
    std::string ident, kind;
    if (i % 3 == 0) {
      const nav::AirportRecord& a = db.airports[k % db.airports.size()];
      ident = a.ident(), kind = "Airport", lat = a.lat(), lon = a.lon();
    } else if (i % 3 == 1) {
      const nav::NavaidRecord& n = db.navaids[k % db.navaids.size()];
      ident = n.ident(), kind = "Navaid", lat = n.lat(), lon = n.lon();
    } else {
      const nav::WaypointRecord& w = db.waypoints[k % db.waypoints.size()];
      ident = w.ident(), kind = "Waypoint", lat = w.lat(), lon = w.lon();
    }
    gpx += fmt::format("<rtept lat=\"{:.6f}\" lon=\"{:.6f}\"><name>{}</name><type>{}</type></rtept>\n", lat / 3600,
                       nav::signedLon(lon) / 3600, ident, kind);
  }
  return gpx + "</rte></gpx>\n";
}

void registerGpxImport() {
  const auto pair = navbench::addPair(
      "import/gpx 1000 points", 2,
      [](benchmark::State& bench) {
        const std::string gpx = gpxOf(1000);
        for (auto _ : bench)
          benchmark::DoNotOptimize(
              nav::importRoute(nav::parseRouteFile(gpx, "route.gpx"), world().db).plan.rows.data());
      },
      // The least: the XML parsed, each table walked once for its
      // identifiers, and one geodesic a point to its match.
      [](benchmark::State& bench) {
        const std::string gpx = gpxOf(1000);
        const nav::NavDatabase& db = world().db;
        const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
        for (auto _ : bench) {
          pugi::xml_document doc;
          benchmark::DoNotOptimize(doc.load_buffer(gpx.data(), gpx.size()).status);
          double metres = 0;
          for (int i = 0; i < 1000; ++i) {
            double s = 0;
            earth.Inverse(45 + i * 1e-3, 2, 45 + i * 1e-3 + 1e-4, 2.0001, s);
            metres += s;
          }
          benchmark::DoNotOptimize(metres);
          std::size_t seen = 0;
          for (const nav::AirportRecord& a : db.airports) seen += a.ident().size();
          for (const nav::NavaidRecord& n : db.navaids) seen += n.ident().size();
          for (const nav::WaypointRecord& w : db.waypoints) seen += w.identView().size();
          benchmark::DoNotOptimize(seen);
        }
      });
  pair.path->Unit(benchmark::kMillisecond);
  pair.floor->Unit(benchmark::kMillisecond);
}

std::vector<nav::PlanRow> planOf(int rows) {
  const nav::NavDatabase& db = world().db;
  std::vector<nav::PlanRow> out(static_cast<std::size_t>(rows) + 1);
  for (int i = 0; i < rows; ++i)
    nav::fillAirportRow(out[static_cast<std::size_t>(i)], db.airports[static_cast<std::size_t>(i) * 7]);
  return out;
}

void registerLegs() {
  static const nav::MagneticVariation model(NAVBENCH_MAGNETIC_FOLDER);
  const auto pair = navbench::addPair(
      "legs/100 rows, variation, wind", 1.5,
      [](benchmark::State& bench) {
        const std::vector<nav::PlanRow> rows = planOf(100);
        nav::LogInputs in;
        in.trueAirspeed = 110;
        in.wind = nav::Wind{.fromDegrees = 270, .knots = 20};
        in.fuelPerHour = 30;
        in.usableFuel = 150;
        in.reserveMinutes = 30;
        in.variation = &model;
        in.year = 2026.9;
        for (auto _ : bench) benchmark::DoNotOptimize(nav::navLog(rows, in).legs.data());
      },
      // The least: each leg's geodesic, its middle, and the variation there.
      [](benchmark::State& bench) {
        const std::vector<nav::PlanRow> rows = planOf(100);
        const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
        for (auto _ : bench) {
          double sum = 0;
          for (std::size_t i = 0; i + 2 < rows.size(); ++i) {
            const nav::GeoPosition a = *nav::legEnd(rows[i]), b = *nav::legEnd(rows[i + 1]);
            double s = 0, azi1 = 0, azi2 = 0, lat = 0, lon = 0;
            earth.Inverse(a.lat / 3600, a.lon / 3600, b.lat / 3600, b.lon / 3600, s, azi1, azi2);
            earth.Direct(a.lat / 3600, a.lon / 3600, azi1, s / 2, lat, lon);
            sum += s + model.at({.lat = lat * 3600, .lon = lon * 3600}, 2026.9).value_or(0);
          }
          benchmark::DoNotOptimize(sum);
        }
      });
  pair.path->Unit(benchmark::kMicrosecond);
  pair.floor->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv) {
  registerTypedRoute();
  registerGpxImport();
  registerLegs();
  return navbench::runBenchmarks(argc, argv);
}
