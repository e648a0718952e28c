#include "tools/ourairports.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "app/failure.h"
#include "app/file_io.h"
#include "tools/csv_reader.h"
#include "tools/windows1252.h"

namespace navtools {

namespace {

namespace fs = std::filesystem;

constexpr double kArcSecondsPerDegree = 3600;
constexpr double kFullCircle = 360 * kArcSecondsPerDegree;
constexpr double kMetresPerFoot = 0.3048;
constexpr std::size_t kKeyWidth = 10;

std::optional<double> parseNumber(const std::string& text) {
  double v = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, v);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
  return v;
}

double number(std::string_view owner, const std::string& text, const char* what, double low, double high) {
  const std::optional<double> v = parseNumber(text);
  if (!v || *v < low || *v > high)
    nav::fail(fmt::format("{}: {} \"{}\" is not a number from {} to {}", owner, what, text, low, high));
  return *v;
}

std::int32_t optionalFeet(std::string_view owner, const std::string& text, const char* what) {
  return text.empty() ? 0 : static_cast<std::int32_t>(std::lround(number(owner, text, what, -100000, 100000)));
}

struct StoredPosition {
  double lat, lon;
};

StoredPosition storedPosition(std::string_view owner, const std::string& lat, const std::string& lon,
                              const char* latWhat, const char* lonWhat) {
  StoredPosition p{number(owner, lat, latWhat, -90, 90) * kArcSecondsPerDegree,
                   number(owner, lon, lonWhat, -180, 180) * kArcSecondsPerDegree};
  // The files keep longitudes from 0 to 360 degrees.
  if (p.lon < 0) p.lon += kFullCircle;
  return p;
}

void checkKey(std::string_view owner, const std::string& key) {
  if (key.empty() || key.size() > kKeyWidth)
    nav::fail(fmt::format("{}: its id does not fit the 10-character key", owner));
}

// A name on one line: the result grid, the popup and the saved plans are
// line-based, and quoted CSV fields may hold line ends.
std::string oneLineWindows1252(const std::string& utf8) {
  std::string text = utf8ToWindows1252(utf8);
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return text;
}

}  // namespace

std::string airportIdent(const OurAirport& airport) {
  constexpr std::size_t kWidth = 5;
  for (const std::string& code : {airport.icaoCode, airport.gpsCode, airport.ident})
    if (!code.empty() && code.size() <= kWidth) return code;
  return {};
}

std::optional<RecordBytes> airportRecord(const OurAirport& airport, std::int32_t recId) {
  const std::string ident = airportIdent(airport);
  if (ident.empty()) return std::nullopt;
  const std::string owner = "airport " + airport.id;
  if (airport.id.empty() || airport.id.size() > kKeyWidth)
    nav::fail(fmt::format("airport \"{}\": its id does not fit the 10-character key", airport.id));

  const StoredPosition p = storedPosition(owner, airport.latitudeDeg, airport.longitudeDeg, "latitude", "longitude");
  const std::int32_t elev = optionalFeet(owner, airport.elevationFt, "elevation");

  RecordBytes r(nav::AirportRecord::kSize);
  r.putI32(0, recId);
  r.putText(4, 10, airport.id);
  r.putText(18, 5, utf8ToWindows1252(ident));
  r.putText(23, 40, oneLineWindows1252(airport.name));
  r.putText(63, 3, utf8ToWindows1252(airport.isoCountry));
  r.putF64(93, p.lat);
  r.putF64(101, p.lon);
  r.putI32(109, elev);
  r.putI32(174, elev);
  return r;
}

std::optional<RecordBytes> runwayRecord(const OurRunway& runway) {
  for (const std::string* coordinate :
       {&runway.leLatitudeDeg, &runway.leLongitudeDeg, &runway.heLatitudeDeg, &runway.heLongitudeDeg})
    if (coordinate->empty()) return std::nullopt;
  const std::string owner = "runway " + runway.id;
  checkKey(owner + " (its airport)", runway.airportId);
  const StoredPosition le =
      storedPosition(owner, runway.leLatitudeDeg, runway.leLongitudeDeg, "le_latitude_deg", "le_longitude_deg");
  const StoredPosition he =
      storedPosition(owner, runway.heLatitudeDeg, runway.heLongitudeDeg, "he_latitude_deg", "he_longitude_deg");
  const double lengthFt = runway.lengthFt.empty() ? 0 : number(owner, runway.lengthFt, "length_ft", 0, 100000);

  RecordBytes r(nav::RunwayRecord::kSize);
  r.putText(14, 10, runway.airportId);
  r.putI32(24, static_cast<std::int32_t>(std::lround(lengthFt * kMetresPerFoot)));
  r.putText(59, 4, utf8ToWindows1252(runway.leIdent));
  r.putF64(63, le.lat);
  r.putF64(71, le.lon);
  r.putText(155, 4, utf8ToWindows1252(runway.heIdent));
  r.putF64(159, he.lat);
  r.putF64(167, he.lon);
  return r;
}

std::int32_t navaidType(std::string_view type) {
  constexpr std::int32_t vor = 1, tacan = 4, ndb = 8, dme = 16;
  if (type == "VOR") return vor;
  if (type == "VOR-DME" || type == "VORTAC") return vor | dme;
  if (type == "NDB" || type == "NDB-DME") return ndb;
  if (type == "TACAN") return tacan;
  if (type == "DME") return dme;
  return 0;
}

std::optional<RecordBytes> navaidRecord(const OurNavaid& navaid, std::int32_t recId) {
  const std::int32_t navType = navaidType(navaid.type);
  if (navType == 0) return std::nullopt;
  const std::string owner = "navaid " + navaid.id;
  checkKey(owner, navaid.id);
  const StoredPosition p = storedPosition(owner, navaid.latitudeDeg, navaid.longitudeDeg, "latitude", "longitude");
  const double khz = navaid.frequencyKhz.empty() ? 0 : number(owner, navaid.frequencyKhz, "frequency", 0, 1e7);
  // The program shows NDB frequencies in kHz and all others in MHz.
  const double freq = (navType & 8) ? khz : khz / 1000;

  RecordBytes r(nav::NavaidRecord::kSize);
  r.putI32(0, recId);
  r.putText(4, 10, navaid.id);
  r.putText(14, 5, utf8ToWindows1252(navaid.ident));
  r.putText(19, 40, oneLineWindows1252(navaid.name));
  r.putF64(59, freq);
  r.putText(83, 3, utf8ToWindows1252(navaid.isoCountry));
  r.putI32(89, navType);
  r.putF64(101, p.lat);
  r.putF64(109, p.lon);
  r.putI32(117, optionalFeet(owner, navaid.elevationFt, "elevation"));
  return r;
}

namespace {

constexpr const char* kImportUsage = "Usage: navtool import-ourairports CSVFOLDER OUTFOLDER [--types LIST]\n";

struct Counts {
  std::size_t written = 0;
  std::size_t leftOut = 0;
};

// Runs `convert` on the row last read; a failure is told with the file and
// the line of the row.
template <class Convert>
auto onRow(const CsvReader& csv, Convert&& convert) {
  try {
    return convert();
  } catch (const nav::Failure& e) {
    csv.failOnRow(e.what());
  }
}

// The airport types kept: those of the list, or when there is none every
// type but the closed airports and the heliports.
struct TypeFilter {
  std::optional<std::set<std::string>> listed;
  bool keeps(const std::string& type) const {
    return listed ? listed->contains(type) : type != "closed" && type != "heliport";
  }
};

// None when the list names no type.
std::optional<TypeFilter> typeFilter(const std::optional<std::string>& list) {
  if (!list) return TypeFilter{};
  std::set<std::string> types;
  std::size_t start = 0;
  while (start <= list->size()) {
    const std::size_t comma = std::min(list->find(',', start), list->size());
    if (comma > start) types.insert(list->substr(start, comma - start));
    start = comma + 1;
  }
  if (types.empty()) return std::nullopt;
  return TypeFilter{std::move(types)};
}

// Every table converted, in memory.
struct Import {
  DbdFile airports{nav::AirportRecord::kSize};
  DbdFile runways{nav::RunwayRecord::kSize};
  DbdFile navaids{nav::NavaidRecord::kSize};
  Counts airportCounts, runwayCounts, navaidCounts;
  // The kept airports by id, and their ids by OurAirports ident.
  std::unordered_set<std::string> keptIds;
  std::unordered_map<std::string, std::string> keptIdByIdent;
  std::set<std::string> typesSeen;
};

void readAirports(const std::string& path, const TypeFilter& types, Import& im) {
  const std::string text = nav::readWholeFile(path);
  CsvReader csv(text, path);
  const std::size_t id = csv.column("id"), ident = csv.column("ident"), type = csv.column("type"),
                    name = csv.column("name"), lat = csv.column("latitude_deg"), lon = csv.column("longitude_deg"),
                    elev = csv.column("elevation_ft"), country = csv.column("iso_country"),
                    gps = csv.column("gps_code");
  // Older files have no ICAO column.
  const std::optional<std::size_t> icao = csv.findColumn("icao_code");
  std::unordered_map<std::string, std::size_t> lineOfId;
  while (csv.next()) {
    const auto [seen, fresh] = lineOfId.try_emplace(csv.field(id), csv.line());
    if (!fresh) csv.failOnRow(fmt::format("airport id \"{}\" is already on line {}", csv.field(id), seen->second));
    im.typesSeen.insert(csv.field(type));
    if (!types.keeps(csv.field(type))) {
      ++im.airportCounts.leftOut;
      continue;
    }
    const OurAirport airport{csv.field(id),   csv.field(ident),   csv.field(gps),
                             csv.field(name), csv.field(lat),     csv.field(lon),
                             csv.field(elev), csv.field(country), icao ? csv.field(*icao) : std::string()};
    const auto record = onRow(csv, [&] { return airportRecord(airport, im.airports.recordCount()); });
    if (!record) {
      ++im.airportCounts.leftOut;
      continue;
    }
    im.airports.append(*record);
    ++im.airportCounts.written;
    im.keptIds.insert(airport.id);
    im.keptIdByIdent.emplace(airport.ident, airport.id);
  }
}

void readRunways(const std::string& path, Import& im) {
  const std::string text = nav::readWholeFile(path);
  CsvReader csv(text, path);
  const std::size_t id = csv.column("id"), ref = csv.column("airport_ref"), length = csv.column("length_ft"),
                    leIdent = csv.column("le_ident"), leLat = csv.column("le_latitude_deg"),
                    leLon = csv.column("le_longitude_deg"), heIdent = csv.column("he_ident"),
                    heLat = csv.column("he_latitude_deg"), heLon = csv.column("he_longitude_deg");
  const std::optional<std::size_t> airportIdent = csv.findColumn("airport_ident");
  while (csv.next()) {
    // The airport is told by its id; by its ident only where the id is missing.
    std::string airportId = csv.field(ref);
    if (airportId.empty() && airportIdent) {
      const auto it = im.keptIdByIdent.find(csv.field(*airportIdent));
      if (it != im.keptIdByIdent.end()) airportId = it->second;
    }
    if (!im.keptIds.contains(airportId)) {
      ++im.runwayCounts.leftOut;
      continue;
    }
    const OurRunway runway{csv.field(id),      airportId,        csv.field(length),
                           csv.field(leIdent), csv.field(leLat), csv.field(leLon),
                           csv.field(heIdent), csv.field(heLat), csv.field(heLon)};
    const auto record = onRow(csv, [&] { return runwayRecord(runway); });
    if (!record) {
      ++im.runwayCounts.leftOut;
      continue;
    }
    im.runways.append(*record);
    ++im.runwayCounts.written;
  }
}

void readNavaids(const std::string& path, Import& im) {
  const std::string text = nav::readWholeFile(path);
  CsvReader csv(text, path);
  const std::size_t id = csv.column("id"), ident = csv.column("ident"), name = csv.column("name"),
                    type = csv.column("type"), freq = csv.column("frequency_khz"), lat = csv.column("latitude_deg"),
                    lon = csv.column("longitude_deg"), elev = csv.column("elevation_ft"),
                    country = csv.column("iso_country");
  std::unordered_map<std::string, std::size_t> lineOfId;
  while (csv.next()) {
    const auto [seen, fresh] = lineOfId.try_emplace(csv.field(id), csv.line());
    if (!fresh) csv.failOnRow(fmt::format("navaid id \"{}\" is already on line {}", csv.field(id), seen->second));
    const OurNavaid navaid{csv.field(id),  csv.field(ident), csv.field(name), csv.field(type),   csv.field(freq),
                           csv.field(lat), csv.field(lon),   csv.field(elev), csv.field(country)};
    const auto record = onRow(csv, [&] { return navaidRecord(navaid, im.navaids.recordCount()); });
    if (!record) {
      ++im.navaidCounts.leftOut;
      continue;
    }
    im.navaids.append(*record);
    ++im.navaidCounts.written;
  }
}

// A file of the demo folder the build copies beside the executable.
std::string demoFile(const std::string& dataFolder, const char* name) {
  const fs::path path = fs::path(dataFolder) / name;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec))
    nav::fail(
        fmt::format("No {} beside navtool (looked for {}); the build copies it there from demo/", name, path.string()));
  return nav::readWholeFile(path.string());
}

void writeFile(const fs::path& path, const std::string& bytes) {
  nav::replaceFileContent(path.string(), bytes, fmt::format("Cannot write file {}", path.string()));
}

}  // namespace

int importOurAirportsCommand(const std::vector<std::string>& args, const std::string& dataFolder, std::ostream& out,
                             std::ostream& err) {
  std::vector<std::string> folders;
  std::optional<std::string> typeList;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--types" && i + 1 < args.size()) {
      typeList = args[++i];
    } else if (args[i].starts_with("--")) {
      err << kImportUsage;
      return 2;
    } else {
      folders.push_back(args[i]);
    }
  }
  const std::optional<TypeFilter> types = typeFilter(typeList);
  if (folders.size() != 2 || !types) {
    err << kImportUsage;
    return 2;
  }
  const fs::path csvFolder = folders[0];
  const fs::path outFolder = folders[1];
  const fs::path database = outFolder / "database";

  const bool ok = nav::runGuarded(
      [&] {
        // An outline or tag list already there may be the user's own (the tag
        // list of a real installation): it is kept.
        std::vector<std::string> notes;
        std::vector<std::pair<fs::path, std::string>> demoCopies;
        for (const char* name : {"world5000s.map", "liste.txt"}) {
          std::error_code ec;
          if (fs::exists(outFolder / name, ec))
            notes.push_back(fmt::format("Kept the {} already in {}.", name, outFolder.string()));
          else
            demoCopies.emplace_back(outFolder / name, demoFile(dataFolder, name));
        }

        // Everything is read and converted before anything is written, so bad
        // input leaves the output folder as it was.
        Import im;
        readAirports((csvFolder / "airports.csv").string(), *types, im);
        const auto readIfThere = [&](const char* name, void (*read)(const std::string&, Import&)) {
          const fs::path path = csvFolder / name;
          std::error_code ec;
          if (fs::exists(path, ec))
            read(path.string(), im);
          else
            notes.push_back(fmt::format("No {} in {}: that table stays empty.", name, csvFolder.string()));
        };
        readIfThere("runways.csv", readRunways);
        readIfThere("navaids.csv", readNavaids);

        std::error_code ec;
        fs::create_directories(database, ec);
        if (ec) nav::fail(fmt::format("Cannot create folder {}", database.string()));
        for (const DbdTable& table : kDbdTables) {
          const fs::path path = database / table.fileName;
          const std::string_view name = table.fileName;
          if (name == "AIRPORT.dbd")
            im.airports.write(path.string());
          else if (name == "RUNWAY.dbd")
            im.runways.write(path.string());
          else if (name == "NAVAID.dbd")
            im.navaids.write(path.string());
          else
            DbdFile(table.recordSize).write(path.string());
        }
        for (const auto& [path, bytes] : demoCopies) writeFile(path, bytes);

        for (const std::string& note : notes) out << note << '\n';
        // Most likely a misspelt type.
        if (types->listed)
          for (const std::string& type : *types->listed)
            if (!im.typesSeen.contains(type)) err << fmt::format("No airport of type \"{}\" in airports.csv.\n", type);
        out << fmt::format(
            "{} airports written, {} left out; {} runways written, {} left out; {} navaids written, {} left out; in "
            "{}\n",
            im.airportCounts.written, im.airportCounts.leftOut, im.runwayCounts.written, im.runwayCounts.leftOut,
            im.navaidCounts.written, im.navaidCounts.leftOut, database.string());
      },
      [&](const std::string& text) { err << text << '\n'; });
  return ok ? 0 : 1;
}

std::string executableFolder(const char* argv0) {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) exe = fs::absolute(fs::path(argv0 ? argv0 : ""), ec);
  return exe.parent_path().string();
}

}  // namespace navtools
