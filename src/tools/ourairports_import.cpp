#include "tools/ourairports_import.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <unordered_map>

#ifdef _WIN32
#include <windows.h>
#endif

#include "base/failure.h"
#include "base/file_io.h"
#include "base/native_file.h"
#include "base/windows1252.h"
#include "tools/csv_reader.h"
#include "tools/ourairports.h"

namespace navtools {

namespace {

namespace fs = std::filesystem;

constexpr const char* kImportUsage =
    "Usage: navtool import-ourairports CSVFOLDER OUTFOLDER [--types LIST] [--verbose]\n";

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

// What became of the rows of one file.
struct TableCounts {
  const char* fileName;
  const char* records;
  bool read = false;
  std::size_t written = 0;
  std::map<std::string, std::size_t> leftOutByReason{};

  std::size_t leftOut() const {
    std::size_t n = 0;
    for (const auto& [reason, count] : leftOutByReason) n += count;
    return n;
  }
};

// An airport of airports.csv, as its runways look for it.
struct AirportSeen {
  std::size_t line;
  bool imported = false;
  bool closedType = false;
};

// Every table converted, in memory.
struct Import {
  bool verbose = false;
  std::vector<std::string> leftOutLines;
  DatabaseFolder tables;
  TableCounts airportCounts{"airports.csv", "airports"};
  TableCounts runwayCounts{"runways.csv", "runways"};
  TableCounts navaidCounts{"navaids.csv", "navaids"};
  // Every airport of the file by id (the first row of each), and their ids
  // by OurAirports ident.
  std::unordered_map<std::string, AirportSeen> airportById;
  std::unordered_map<std::string, std::string> airportIdByIdent;
  std::set<std::string> typesSeen;

  void leaveOut(const CsvReader& csv, TableCounts& counts, std::string_view owner, const RowFault& fault) {
    ++counts.leftOutByReason[fault.reason];
    if (verbose)
      leftOutLines.push_back(
          fmt::format("{}, line {}: {} left out: {}", csv.fileName(), csv.line(), owner, fault.detail));
  }

  // Appends the record, or counts the row by why it is none; true for a record.
  template <class Record>
  bool add(const CsvReader& csv, TableCounts& counts, DbdFile& file, std::string_view owner,
           const RecordOrFault<Record>& converted) {
    if (const RowFault* fault = std::get_if<RowFault>(&converted)) {
      leaveOut(csv, counts, owner, *fault);
      return false;
    }
    file.append(std::get<Record>(converted));
    ++counts.written;
    return true;
  }
};

std::string owner(const char* kind, const std::string& id) {
  return fmt::format("{} {}", kind, id.empty() ? "\"\"" : id);
}

// The rows of a file by id: a row that cannot be read, or whose id an
// earlier row had, is left out.
struct FirstRows {
  std::unordered_map<std::string, std::size_t> lineOfId;
  bool first(const CsvReader& csv, const std::string& id, TableCounts& counts, const std::string& who, Import& im);
};

RowFault repeatedId(const std::string& id, std::size_t firstLine) {
  return {"id already on an earlier line", fmt::format("id {} is already on line {}", id, firstLine)};
}

bool FirstRows::first(const CsvReader& csv, const std::string& id, TableCounts& counts, const std::string& who,
                      Import& im) {
  if (csv.rowFault()) {
    im.leaveOut(csv, counts, "row", *csv.rowFault());
    return false;
  }
  const auto [seen, fresh] = lineOfId.try_emplace(id, csv.line());
  if (!fresh) im.leaveOut(csv, counts, who, repeatedId(id, seen->second));
  return fresh;
}

void readAirports(const std::string& path, const TypeFilter& types, Import& im) {
  const std::string text = nav::readWholeFile(path);
  CsvReader csv(text, path);
  TableCounts& counts = im.airportCounts;
  counts.read = true;
  const std::size_t id = csv.column("id"), ident = csv.column("ident"), type = csv.column("type"),
                    name = csv.column("name"), lat = csv.column("latitude_deg"), lon = csv.column("longitude_deg"),
                    elev = csv.column("elevation_ft"), country = csv.column("iso_country"),
                    gps = csv.column("gps_code");
  // Older files have no ICAO column: their airports go by GPS code or ident.
  const std::optional<std::size_t> icao = csv.findColumn("icao_code");
  while (csv.next()) {
    if (csv.rowFault()) {
      im.leaveOut(csv, counts, "row", *csv.rowFault());
      continue;
    }
    const std::string& airportId = csv.field(id);
    const std::string who = owner("airport", airportId);
    const auto [seen, fresh] = im.airportById.try_emplace(airportId, AirportSeen{csv.line()});
    if (!fresh) {
      im.leaveOut(csv, counts, who, repeatedId(airportId, seen->second.line));
      continue;
    }
    im.airportIdByIdent.try_emplace(csv.field(ident), airportId);
    const std::string& airportType = csv.field(type);
    im.typesSeen.insert(airportType);
    seen->second.closedType = airportType == "closed";
    if (!types.keeps(airportType)) {
      const std::string text = fmt::format("type {} not imported (--types)", airportType);
      im.leaveOut(csv, counts, who, {text, text});
      continue;
    }
    const OurAirport airport{airportId,       csv.field(ident),   csv.field(gps),
                             csv.field(name), csv.field(lat),     csv.field(lon),
                             csv.field(elev), csv.field(country), icao ? csv.field(*icao) : std::string()};
    seen->second.imported =
        im.add(csv, counts, im.tables.airports, who, airportRecord(airport, im.tables.airports.recordCount()));
  }
}

void readRunways(const std::string& path, Import& im) {
  const std::string text = nav::readWholeFile(path);
  CsvReader csv(text, path);
  TableCounts& counts = im.runwayCounts;
  counts.read = true;
  const std::size_t id = csv.column("id"), ref = csv.column("airport_ref"), length = csv.column("length_ft"),
                    leIdent = csv.column("le_ident"), leLat = csv.column("le_latitude_deg"),
                    leLon = csv.column("le_longitude_deg"), heIdent = csv.column("he_ident"),
                    heLat = csv.column("he_latitude_deg"), heLon = csv.column("he_longitude_deg");
  const std::optional<std::size_t> airportIdent = csv.findColumn("airport_ident");
  const std::optional<std::size_t> closed = csv.findColumn("closed");
  FirstRows rows;
  while (csv.next()) {
    const std::string who = owner("runway", csv.field(id));
    if (!rows.first(csv, csv.field(id), counts, who, im)) continue;
    // The airport is told by its id; by its ident only where the id is missing.
    std::string airportId = csv.field(ref);
    std::string airportNamed = "airport_ref " + airportId;
    if (airportId.empty() && airportIdent) {
      airportNamed = fmt::format("airport_ident \"{}\"", csv.field(*airportIdent));
      const auto it = im.airportIdByIdent.find(csv.field(*airportIdent));
      if (it != im.airportIdByIdent.end()) airportId = it->second;
    }
    const auto airport = im.airportById.find(airportId);
    if (airport == im.airportById.end()) {
      im.leaveOut(csv, counts, who,
                  {"airport not in airports.csv", fmt::format("{} is not in airports.csv", airportNamed)});
      continue;
    }
    if (!airport->second.imported) {
      im.leaveOut(
          csv, counts, who,
          {"airport left out", fmt::format("airport {} (line {}) was left out", airportId, airport->second.line)});
      continue;
    }
    // Nothing in the program would tell a closed runway from an open one, so
    // it is not shown; those of a closed airport, imported only on demand,
    // are what is left to see of it.
    const std::string& closedValue = closed ? csv.field(*closed) : std::string();
    if (closedValue != "" && closedValue != "0" && closedValue != "1") {
      im.leaveOut(csv, counts, who, {"closed not 0 or 1", fmt::format("closed \"{}\" is not 0 or 1", closedValue)});
      continue;
    }
    if (closedValue == "1" && !airport->second.closedType) {
      im.leaveOut(csv, counts, who, {"closed", "closed"});
      continue;
    }
    const OurRunway runway{csv.field(id),      airportId,        csv.field(length),
                           csv.field(leIdent), csv.field(leLat), csv.field(leLon),
                           csv.field(heIdent), csv.field(heLat), csv.field(heLon)};
    im.add(csv, counts, im.tables.runways, who, runwayRecord(runway));
  }
}

void readNavaids(const std::string& path, Import& im) {
  const std::string text = nav::readWholeFile(path);
  CsvReader csv(text, path);
  TableCounts& counts = im.navaidCounts;
  counts.read = true;
  const std::size_t id = csv.column("id"), ident = csv.column("ident"), name = csv.column("name"),
                    type = csv.column("type"), freq = csv.column("frequency_khz"), lat = csv.column("latitude_deg"),
                    lon = csv.column("longitude_deg"), elev = csv.column("elevation_ft"),
                    country = csv.column("iso_country");
  FirstRows rows;
  while (csv.next()) {
    const std::string who = owner("navaid", csv.field(id));
    if (!rows.first(csv, csv.field(id), counts, who, im)) continue;
    const OurNavaid navaid{csv.field(id),  csv.field(ident), csv.field(name), csv.field(type),   csv.field(freq),
                           csv.field(lat), csv.field(lon),   csv.field(elev), csv.field(country)};
    im.add(csv, counts, im.tables.navaids, who, navaidRecord(navaid, im.tables.navaids.recordCount()));
  }
}

// The table's counts, then its reasons, the most frequent first.
void printCounts(std::ostream& out, const TableCounts& t) {
  if (!t.read) return;
  const std::size_t leftOut = t.leftOut();
  out << fmt::format("{}: {} {} written, {} left out{}\n", t.fileName, t.written, t.records, leftOut,
                     leftOut ? ":" : "");
  std::vector<std::pair<std::string, std::size_t>> reasons(t.leftOutByReason.begin(), t.leftOutByReason.end());
  std::stable_sort(reasons.begin(), reasons.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
  for (const auto& [reason, count] : reasons) out << fmt::format("  {:>7}  {}\n", count, reason);
}

// A file of the demo folder the build copies beside the executable.
std::string demoFile(const std::string& dataFolder, const char* name) {
  const fs::path path = nav::pathFromUtf8(dataFolder) / name;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec))
    nav::fail(fmt::format("No {} beside navtool (looked for {}); the build copies it there from demo/", name,
                          nav::utf8FromPath(path)));
  return nav::readWholeFile(nav::utf8FromPath(path));
}

}  // namespace

int importOurAirportsCommand(const std::vector<std::string>& args, const std::string& dataFolder, std::ostream& out,
                             std::ostream& err) {
  std::vector<std::string> folders;
  std::optional<std::string> typeList;
  bool verbose = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--types" && i + 1 < args.size()) {
      typeList = args[++i];
    } else if (args[i] == "--verbose") {
      verbose = true;
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
  const fs::path csvFolder = nav::pathFromUtf8(folders[0]);
  const fs::path outFolder = nav::pathFromUtf8(folders[1]);
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
            notes.push_back(fmt::format("Kept the {} already in {}.", name, nav::utf8FromPath(outFolder)));
          else
            demoCopies.emplace_back(outFolder / name, demoFile(dataFolder, name));
        }

        // Everything is read and converted before anything is written, so bad
        // input leaves the output folder as it was.
        Import im;
        im.verbose = verbose;
        readAirports(nav::utf8FromPath(csvFolder / "airports.csv"), *types, im);
        const auto readIfThere = [&](const char* name, void (*read)(const std::string&, Import&)) {
          const fs::path path = csvFolder / name;
          std::error_code ec;
          if (fs::exists(path, ec))
            read(nav::utf8FromPath(path), im);
          else
            notes.push_back(fmt::format("No {} in {}: that table stays empty.", name, nav::utf8FromPath(csvFolder)));
        };
        readIfThere("runways.csv", readRunways);
        readIfThere("navaids.csv", readNavaids);

        // The tables and the copies in one go: a failure on any leaves every
        // old file as it was.
        std::vector<nav::FileContent> copies;
        for (const auto& [path, bytes] : demoCopies)
          copies.push_back(
              {nav::utf8FromPath(path), bytes, fmt::format("Cannot write file {}", nav::utf8FromPath(path))});
        im.tables.write(nav::utf8FromPath(outFolder), std::move(copies));

        // The rows left out come first, so that the totals end the output.
        for (const std::string& line : im.leftOutLines) out << line << '\n';
        for (const std::string& note : notes) out << note << '\n';
        // Most likely a misspelt type.
        if (types->listed)
          for (const std::string& type : *types->listed)
            if (!im.typesSeen.contains(type)) err << fmt::format("No airport of type \"{}\" in airports.csv.\n", type);
        for (const TableCounts* t : {&im.airportCounts, &im.runwayCounts, &im.navaidCounts}) printCounts(out, *t);
        // One line that says it all on its own: scripts keep the last line.
        out << fmt::format(
            "{} airports written, {} left out; {} runways written, {} left out; {} navaids written, {} left out; in "
            "{}\n",
            im.airportCounts.written, im.airportCounts.leftOut(), im.runwayCounts.written, im.runwayCounts.leftOut(),
            im.navaidCounts.written, im.navaidCounts.leftOut(), nav::utf8FromPath(database));
      },
      [&](const std::string& text) { err << text << '\n'; });
  return ok ? 0 : 1;
}

std::string executableFolder(const char* argv0) {
  std::error_code ec;
#ifdef _WIN32
  std::wstring name(32768, L'\0');
  name.resize(GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size())));
  fs::path exe(name);
#else
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
#endif
  if (ec || exe.empty()) exe = fs::absolute(nav::pathFromUtf8(argv0 ? argv0 : ""), ec);
  return nav::utf8FromPath(exe.parent_path());
}

}  // namespace navtools
