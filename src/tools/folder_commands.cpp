#include "tools/folder_commands.h"

#include <fmt/format.h>

#include "app/command_line.h"
#include "app/settings_file.h"
#include "base/failure.h"
#include "base/number_format.h"
#include "base/windows1252.h"
#include "interaction/hover_identification.h"
#include "interaction/identifier_search.h"
#include "interaction/name_search.h"

namespace navtools {

namespace {

std::string dbkyOrDash(bool filled, const std::string& dbky) { return filled ? dbky : "-"; }

}  // namespace

int infoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "Usage: navtool info FOLDER\n";
    return 2;
  }
  nav::NavViewState state;
  const bool ok = nav::loadDataFolder(args[0], state, err);
  const nav::NavDatabase& db = state.db;
  out << "waypoints " << db.waypointCount() << '\n'
      << "airports " << db.airportCount() << '\n'
      << "ils " << db.ilsCount() << '\n'
      << "navaids " << db.navaidCount() << '\n'
      << "runways " << db.runwayCount() << '\n'
      << "outline " << state.outline.values.size() << '\n';
  return ok ? 0 : 1;
}

namespace {

void printResultRows(const std::vector<nav::SearchRow>& rows, std::ostream& out) {
  for (std::size_t r = 0; r + 1 < rows.size(); ++r) {
    std::string line = fmt::format("{}", fmt::join(rows[r].icons, ","));
    for (std::size_t c = nav::searchColIdent; c < nav::kSearchColumns; ++c) line += '\t' + rows[r].cells[c];
    out << nav::windows1252ToUtf8(line) << '\n';
  }
  out << nav::windows1252ToUtf8(nav::foundLabel(rows.size() - 1)) << '\n';
}

}  // namespace

int searchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "Usage: navtool search FOLDER TEXT\n";
    return 2;
  }
  nav::NavViewState state;
  const bool loaded = nav::loadDataFolder(args[0], state, err);
  const std::string text = nav::searchText(nav::utf8ToWindows1252(args[1]));
  printResultRows(nav::searchIdentifier(text, state.db, '.'), out);
  return loaded ? 0 : 1;
}

int findCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "Usage: navtool find FOLDER TEXT\n";
    return 2;
  }
  nav::NavViewState state;
  const bool loaded = nav::loadDataFolder(args[0], state, err);
  printResultRows(nav::searchByName(nav::utf8ToWindows1252(args[1]), state.db, '.'), out);
  return loaded ? 0 : 1;
}

int identifyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  constexpr const char* usage = "Usage: navtool identify FOLDER --mag M --lon LON --lat LAT [--layers LIST]\n";
  if (args.empty()) {
    err << usage;
    return 2;
  }
  std::optional<std::int32_t> mag;
  std::optional<double> lon, lat;
  nav::ViewSettings layers;
  layers.showGrid = layers.showMaps = false;
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) {
      err << usage;
      return 2;
    }
    const std::string& key = args[i];
    const std::string& value = args[i + 1];
    if (key == "--mag") {
      mag = nav::parseInteger(value);
    } else if (key == "--lon") {
      lon = nav::parseReal(value);
    } else if (key == "--lat") {
      lat = nav::parseReal(value);
    } else if (key == "--layers") {
      std::size_t start = 0;
      while (start <= value.size()) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        const std::string name = value.substr(start, comma - start);
        if (!name.empty() && !nav::setLayerSwitch(layers, name, true)) {
          err << "unknown layer " << name << '\n';
          return 2;
        }
        start = comma + 1;
      }
    } else {
      err << "unknown option " << key << '\n' << usage;
      return 2;
    }
  }
  if (!mag || !lon || !lat) {
    err << usage;
    return 2;
  }

  nav::NavViewState state;
  const bool loaded = nav::loadDataFolder(args[0], state, err);
  return nav::runGuarded(
             [&] {
               const nav::PointerPosition pos = nav::pointerPosition({.lat = *lat, .lon = *lon});
               const nav::Identification id = nav::identifyAt(pos.pointer, *mag, layers, state.db, 1, '.');
               const nav::HoverSelection& h = id.selection;
               out << nav::windows1252ToUtf8(id.description) << '\n'
                   << "airport " << nav::windows1252ToUtf8(dbkyOrDash(h.hasAirport(), h.hoveredAirport.dbky())) << '\n'
                   << "navaid " << nav::windows1252ToUtf8(dbkyOrDash(h.hasNavaid(), h.hoveredNavaid.dbky())) << '\n'
                   << "waypoint " << nav::windows1252ToUtf8(dbkyOrDash(h.hasWaypoint(), h.hoveredWaypoint.dbky()))
                   << '\n'
                   << "userPoint " << h.userPoint.name << ' ' << nav::formatGeneral(h.userPoint.position.lat) << ' '
                   << nav::formatGeneral(h.userPoint.position.lon) << '\n';
             },
             nav::printingTo(err)) &&
                 loaded
             ? 0
             : 1;
}

}  // namespace navtools
