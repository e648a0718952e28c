#include <map>

#include "floor_table.h"
#include "interaction/hover_identification.h"
#include "interaction/identifier_search.h"
#include "interaction/name_search.h"
#include "synthetic_world.h"

// What the pointer identifies at each move, and the identifier search, on
// the world-scale synthetic tables and on 2 and 4 times as much.

namespace {

const nav::NavViewState& world(int scale) {
  static std::map<int, nav::NavViewState> worlds;
  auto [it, added] = worlds.try_emplace(scale);
  if (added) {
    navbench::fillSyntheticWorld(it->second, scale);
    navbench::setEveryLayer(it->second.settings);
  }
  return it->second;
}

struct Place {
  const char* name;
  double lon, lat;  // signed, as the view gives them
};

// Land: the middle of Europe, among objects but on none; sea: the south
// Pacific, where the synthetic world is thinnest; an object: the airport a
// sixth into its table, with an ILS component beside it.
Place placeOf(const std::string& name, const nav::NavDatabase& db) {
  if (name == "land") return {"land", navbench::kEuropeLon + 0.4, navbench::kEuropeLat + 0.4};
  if (name == "sea") return {"sea", -504000.4, -108000.4};
  const nav::AirportRecord& a = db.airports[10000];
  return {"object", nav::signedLon(a.lon()) + 0.4, a.lat() + 0.4};
}

bool underPointer(double la, double lo, double pLat, double pLon, std::int32_t r) {
  return pLat - r < la && la < pLat + r && pLon - r < lo && lo < pLon + r;
}

// The least a move must do: walk the tables the identification walks with
// the box test, each to its first match.
int hoverFloor(double pLat, double pLon, std::int32_t mag, const nav::NavDatabase& db) {
  const std::int32_t r = nav::hoverRadius(mag);
  int found = 0;
  for (const nav::AirportRecord& a : db.airports)
    if (underPointer(a.lat(), a.lon(), pLat, pLon, r)) {
      ++found;
      break;
    }
  if (mag <= 6) return found;
  for (const nav::NavaidRecord& n : db.navaids)
    if (underPointer(n.lat(), n.lon(), pLat, pLon, r)) {
      ++found;
      break;
    }
  for (const nav::WaypointRecord& w : db.waypoints)
    if (w.mapHidden() == 0 && underPointer(w.lat(), w.lon(), pLat, pLon, r)) {
      ++found;
      break;
    }
  for (const nav::IlsRecord& i : db.ilsComponents)
    if (underPointer(i.lat(), i.lon(), pLat, pLon, r)) {
      ++found;
      break;
    }
  return found;
}

void registerHover(int mag, const std::string& where, int scale) {
  const std::string name = "hover/level:" + std::to_string(mag) + "/" + where + "/x" + std::to_string(scale);
  const auto pair = navbench::addPair(
      name, 1.3,
      [=](benchmark::State& bench) {
        const nav::NavViewState& s = world(scale);
        const Place at = placeOf(where, s.db);
        for (auto _ : bench) {
          const nav::PointerPosition pos = nav::pointerPosition({.lat = at.lat, .lon = at.lon});
          const nav::Identification found =
              nav::identifyAt({.lat = pos.pointer.lat, .lon = pos.pointer.lon}, mag, s.settings, s.db, 1, '.');
          benchmark::DoNotOptimize(pos.statusText.data());
          benchmark::DoNotOptimize(found.description.data());
        }
      },
      [=](benchmark::State& bench) {
        const nav::NavViewState& s = world(scale);
        const Place at = placeOf(where, s.db);
        const nav::PointerPosition pos = nav::pointerPosition({.lat = at.lat, .lon = at.lon});
        for (auto _ : bench) benchmark::DoNotOptimize(hoverFloor(pos.pointer.lat, pos.pointer.lon, mag, s.db));
      });
  pair.path->Unit(benchmark::kMicrosecond);
  pair.floor->Unit(benchmark::kMicrosecond);
}

// The least a search must do: compare every identifier of the airport,
// navaid and waypoint tables with the text and, when an airport is found,
// every runway's airport key with its key.
std::string_view text(const std::uint8_t* field, std::size_t width) {
  const auto* begin = reinterpret_cast<const char*>(field);
  std::size_t n = 0;
  while (n < width && begin[n] != '\0') ++n;
  return {begin, n};
}

int searchFloor(std::string_view wanted, const nav::NavDatabase& db) {
  int found = 0;
  const nav::AirportRecord* top = nullptr;
  for (const nav::AirportRecord& a : db.airports)
    if (text(a.bytes.data() + nav::airportField::ident.offset, nav::airportField::ident.width) == wanted) {
      ++found;
      top = &a;
    }
  if (top) {
    const std::string_view key =
        text(top->bytes.data() + nav::airportField::dbky.offset, nav::airportField::dbky.width);
    for (const nav::RunwayRecord& r : db.runways)
      if (text(r.bytes.data() + nav::runwayField::aptKey.offset, nav::runwayField::aptKey.width) == key) found += 2;
  }
  for (const nav::NavaidRecord& n : db.navaids)
    if (text(n.bytes.data() + nav::navaidField::ident.offset, nav::navaidField::ident.width) == wanted) ++found;
  for (const nav::WaypointRecord& w : db.waypoints)
    if (text(w.bytes.data() + nav::waypointField::ident.offset, nav::waypointField::ident.width) == wanted) ++found;
  return found;
}

// A miss; an airport with its four runways (the last airport of its
// identifier has runways at each scale); a waypoint identifier that 3, 5 and
// 10 waypoints share.
void registerSearch(const std::string& what, const std::string& ident, int scale) {
  const std::string name = "search/" + what + "/x" + std::to_string(scale);
  const auto pair = navbench::addPair(
      name, 1.5,
      [=](benchmark::State& bench) {
        const nav::NavViewState& s = world(scale);
        for (auto _ : bench) benchmark::DoNotOptimize(nav::searchIdentifier(ident, s.db, '.').data());
      },
      [=](benchmark::State& bench) {
        const nav::NavViewState& s = world(scale);
        for (auto _ : bench) benchmark::DoNotOptimize(searchFloor(ident, s.db));
      });
  pair.path->Unit(benchmark::kMicrosecond);
  pair.floor->Unit(benchmark::kMicrosecond);
}

// The name search per keystroke: every airport's and navaid's name folded
// and searched for the words; its floor finds the text in each name as it
// lies, with no folding.
std::size_t nameFloor(std::string_view wanted, const nav::NavDatabase& db) {
  std::size_t found = 0;
  for (const nav::AirportRecord& a : db.airports)
    found += text(a.bytes.data() + nav::airportField::name.offset, nav::airportField::name.width).find(wanted) !=
             std::string_view::npos;
  for (const nav::NavaidRecord& n : db.navaids)
    found += text(n.bytes.data() + nav::navaidField::name.offset, nav::navaidField::name.width).find(wanted) !=
             std::string_view::npos;
  return found;
}

void registerNameSearch(int scale) {
  const auto pair = navbench::addPair(
      "search/name/x" + std::to_string(scale), 2, 20e6,
      [=](benchmark::State& bench) {
        const nav::NavViewState& s = world(scale);
        for (auto _ : bench) benchmark::DoNotOptimize(nav::searchByName("tours val", s.db, '.').data());
      },
      [=](benchmark::State& bench) {
        const nav::NavViewState& s = world(scale);
        for (auto _ : bench) benchmark::DoNotOptimize(nameFloor("tours", s.db));
      });
  pair.path->Unit(benchmark::kMicrosecond);
  pair.floor->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv) {
  for (int scale : {1, 2, 4}) {
    for (int mag : {1, 7, 13})
      for (const char* where : {"land", "sea", "object"}) registerHover(mag, where, scale);
    registerSearch("miss", "ZZZZ", scale);
    registerSearch("airport", scale == 1 ? "K999" : scale == 2 ? "K998" : "K997", scale);
    registerSearch("waypoint", "W4242", scale);
    registerNameSearch(scale);
  }
  return navbench::runBenchmarks(argc, argv);
}
