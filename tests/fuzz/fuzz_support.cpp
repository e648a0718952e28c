#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/plan_placement.h"
#include "base/failure.h"
#include "flightplan/flight_plan.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"
#include "interaction/hover_identification.h"
#include "interaction/identifier_search.h"
#include "mapview/map_painter.h"
#include "mapview/recording_surface.h"
#include "test_support.h"

namespace navfuzz {

namespace fs = std::filesystem;

std::vector<std::string_view> parts(std::string_view input, std::size_t count) {
  static constexpr std::string_view kCut = "\n----\n";
  std::vector<std::string_view> out;
  while (out.size() + 1 < count) {
    const std::size_t cut = input.find(kCut);
    if (cut == std::string_view::npos) break;
    out.push_back(input.substr(0, cut));
    input.remove_prefix(cut + kCut.size());
  }
  out.push_back(input);
  out.resize(count);
  return out;
}

const std::string& scratchFolder() {
  // Never destroyed, so that it outlives the exit handler.
  static const std::string& folder = *new std::string([] {
    const fs::path path = fs::temp_directory_path() / ("navfuzz-" + std::to_string(::getpid()));
    // Gone with the process, whichever way the run ends normally.
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(folder, ec);
    });
    return path.string() + "/";
  }());
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder + "database");
  return folder;
}

void writeFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string tagList() { return navtest::tagListText(); }

namespace {

// Failures are the program's answers to bad input: the guard shows them.
template <class Step>
void guarded(Step&& step) {
  nav::runGuarded(step, [](const std::string&) {});
}

void paintAll(const nav::NavViewState& state, const nav::FlightPlan& plan) {
  for (const std::int32_t mag : {1, 7, 12}) {
    nav::Viewport view = state.view;
    nav::fitViewAbout(view, {.lat = 176400, .lon = 8400}, mag, 640, 480);
    navtest::RecordingSurface surface;
    const std::vector<nav::RouteRow> route = nav::routeRows(plan);
    nav::Pen penSaved;
    nav::MapPaintContext ctx{view,     state.settings,  state.db, state.outline, state.pens,
                             penSaved, state.detailMag, '.',      route,         true};
    guarded([&] { nav::CartePaint(surface, ctx); });
  }
}

// The first few identifiers of a table, as a user would type them.
template <class Table, class Ident>
void searchSome(const nav::NavViewState& state, nav::FlightPlan& plan, const Table& table, Ident ident) {
  for (std::size_t i = 0; i < table.size() && i < 3; ++i) {
    guarded([&] {
      const auto rows = nav::searchIdentifier(nav::searchText(ident(table[i])), state.db, ',');
      for (const nav::SearchRow& row : rows)
        if (!row.empty()) nav::placeSearchResult(plan, row, state.db);
    });
  }
}

}  // namespace

void usePlan(const nav::NavViewState& state, const nav::FlightPlan& plan) {
  paintAll(state, plan);
  const std::string folder = scratchFolder();
  writeFile(folder + "liste.txt", tagList());
  guarded([&] {
    nav::ecris_pln(plan.rows, folder + "liste.txt", folder + "plan.sit");
    const std::vector<nav::PlanRow> read = nav::readSitFile(folder + "plan.sit");
    // Cells holding line breaks or tags cannot come back as they were.
    bool plain = true;
    for (const nav::PlanRow& row : plan.rows)
      for (const std::string& cell : row.cells)
        plain = plain && cell.find_first_of(std::string_view("\r\n\t<\0", 5)) == std::string::npos;
    if (plain && read.size() != plan.rows.size()) __builtin_trap();
  });
}

void useLoadedData(nav::NavViewState& state) {
  state.pens = nav::createPens();
  nav::ViewSettings& s = state.settings;
  s.vor = s.ndb = s.ils = s.airport = s.marker = s.waypoint = s.name = s.id = s.freq = s.wptName = true;
  s.showGrid = s.showMaps = s.planning = true;

  nav::FlightPlan plan;
  searchSome(state, plan, state.db.airports, [](const auto& r) { return r.ident(); });
  searchSome(state, plan, state.db.navaids, [](const auto& r) { return r.ident(); });
  searchSome(state, plan, state.db.waypoints, [](const auto& r) { return r.ident(); });

  // The pointer over the first objects of each table, then dropped.
  const auto hover = [&](double lat, double lon, std::int32_t mag) {
    guarded([&] {
      const nav::PointerPosition pos = nav::pointerPosition({.lat = lat, .lon = nav::signedLon(lon)});
      const nav::Identification id = nav::identifyAt(pos.pointer, mag, s, state.db, plan.userPointCounter, '.');
      nav::dropMapObject(plan, std::nullopt, id.selection);
    });
  };
  for (std::size_t i = 0; i < state.db.airports.size() && i < 3; ++i)
    hover(state.db.airports[i].lat(), state.db.airports[i].lon(), 9);
  for (std::size_t i = 0; i < state.db.navaids.size() && i < 3; ++i)
    hover(state.db.navaids[i].lat(), state.db.navaids[i].lon(), 8);
  for (std::size_t i = 0; i < state.db.waypoints.size() && i < 3; ++i)
    hover(state.db.waypoints[i].lat(), state.db.waypoints[i].lon(), 8);
  for (std::size_t i = 0; i < state.db.ilsComponents.size() && i < 3; ++i)
    hover(state.db.ilsComponents[i].lat(), state.db.ilsComponents[i].lon(), 8);
  plan.routeShown = true;
  usePlan(state, plan);
}

}  // namespace navfuzz
