#include "tools/demo_commands.h"

#include <fmt/format.h>

#include <filesystem>
#include <functional>
#include <string_view>

#include "base/failure.h"
#include "base/file_io.h"
#include "base/native_file.h"
#include "tools/dbd_writer.h"
#include "tools/json_text.h"
#include "tools/ourairports.h"
#include "tools/outline_writer.h"
#include "tools/world_atlas.h"

namespace navtools {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

int reportingFailures(std::ostream& err, const std::function<void()>& step) {
  return nav::runGuarded(step, [&](const std::string& text) { err << text << '\n'; }) ? 0 : 1;
}

// Runs `step`, its failure message prefixed with the file it was reading.
template <class Step>
auto readingFile(const std::string& path, Step&& step) {
  try {
    return step();
  } catch (const nav::Failure& e) {
    nav::fail(fmt::format("{}: {}", path, e.what()));
  }
}

// A column's text; the JSON may give numbers as numbers.
std::string column(const json& airport, const char* key) {
  const auto it = airport.find(key);
  if (it == airport.end() || it->is_null()) return {};
  return it->is_string() ? it->get<std::string>() : it->dump();
}

OurAirport ourAirport(const json& item) {
  if (!item.is_object()) nav::fail("an airport is not an object");
  return {column(item, "id"),           column(item, "ident"),        column(item, "gps_code"),
          column(item, "name"),         column(item, "latitude_deg"), column(item, "longitude_deg"),
          column(item, "elevation_ft"), column(item, "iso_country")};
}

}  // namespace

int demoOutlineCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "Usage: navtool demo-outline TOPOJSON OUT.map\n";
    return 2;
  }
  const std::string& source = args[0];
  const std::string& target = args[1];
  return reportingFailures(err, [&] {
    const std::string text = nav::readWholeFile(source);
    OutlineBuilder outline;
    for (const auto& arc : readingFile(source, [&] { return topoJsonArcs(text); })) outline.addPolyline(arc);
    nav::replaceFileContent(target, outline.fileBytes(), fmt::format("Cannot write file {}", target));
    out << fmt::format("{} polylines, {} values written to {}\n", outline.polylineCount(), outline.values().size(),
                       target);
  });
}

int demoAirportsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "Usage: navtool demo-airports AIRPORTS_JSON OUTFOLDER\n";
    return 2;
  }
  const std::string& source = args[0];
  const fs::path database = nav::pathFromUtf8(args[1]) / "database";
  return reportingFailures(err, [&] {
    const std::string text = nav::readWholeFile(source);
    DatabaseFolder tables;
    DbdFile& airports = tables.airports;
    std::size_t leftOut = 0;
    // Everything is converted before anything is written, so bad input leaves
    // the folder as it was.
    readingFile(source, [&] {
      const json list = parseJson(text);
      if (!list.is_array()) nav::fail("not a list of airports");
      // The demo data is chosen by hand: anything but a missing identifier
      // is a fault to fix.
      for (const json& item : list) {
        const OurAirport airport = ourAirport(item);
        if (airportIdent(airport).empty()) {
          ++leftOut;
          continue;
        }
        const auto converted = airportRecord(airport, airports.recordCount());
        if (const RowFault* fault = std::get_if<RowFault>(&converted))
          nav::fail(fmt::format("airport {}: {}", airport.id, fault->detail));
        airports.append(std::get<nav::AirportRecord>(converted));
      }
    });

    tables.write(args[1]);
    out << fmt::format("{} airports written to {} ({} left out: no identifier of 1 to 5 characters)\n",
                       airports.recordCount(), nav::utf8FromPath(database / "AIRPORT.dbd"), leftOut);
  });
}

}  // namespace navtools
