#include "interaction/identifier_search.h"

#include <fmt/format.h>

#include "base/failure.h"
#include "base/number_format.h"
#include "navdata/table_walk.h"

namespace nav {

namespace {

// The grid's insertion rules: an airport goes in at the current row, every
// other row below it and becomes the current one (at the top while the grid
// holds no result yet).
class ResultGrid {
 public:
  ResultGrid() : rows_(1) {}
  void insertAirport(SearchRow row) {
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(current_), std::move(row));
    ++results_;
  }
  void insertBelow(SearchRow row) {
    if (results_ == 0) {
      rows_.insert(rows_.begin(), std::move(row));
      current_ = 0;
    } else {
      rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(current_ + 1), std::move(row));
      ++current_;
    }
    ++results_;
  }
  std::vector<SearchRow>& rows() { return rows_; }
  std::size_t results() const { return results_; }
  std::size_t current() const { return current_; }

 private:
  std::vector<SearchRow> rows_;
  std::size_t current_ = 0;
  std::size_t results_ = 0;
};

std::string fixed2(double v, char sep) { return formatFixed(v, 2, sep); }

}  // namespace

bool SearchRow::empty() const {
  if (!icons.empty()) return false;
  for (const std::string& c : cells)
    if (!c.empty()) return false;
  return true;
}

std::string searchText(std::string_view typed) {
  std::string out(typed);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string foundLabel(std::size_t resultRows) { return fmt::format("Trouv\xE9 {}", resultRows); }

std::string navaidKindText(std::int32_t navType, double freq, char sep, std::vector<int>* icons) {
  std::string text;
  auto add = [&](int icon) {
    if (icons) icons->push_back(icon);
  };
  if (navType & navType::vor) {
    text += "VOR " + formatGeneral(freq, sep) + " mhz";
    add(searchIcon::vor);
  }
  if (navType & navType::tacan) {
    text += "TACAN ";
    add(searchIcon::tacanDme);
  }
  if (navType & navType::ndb) {
    text += "NDB " + formatGeneral(freq, sep) + " khz";
    add(searchIcon::ndb);
  }
  if (navType & navType::dme) {
    text += "DME ";
    add(searchIcon::tacanDme);
  }
  return text;
}

std::string waypointCategoryText(std::int32_t wptType) {
  switch (wptType) {
    case 0: return "?";
    case 1: return "WPT High";
    case 2: return "WPT Low";
    case 3: return "WPT High+Low";
    case 4: return "WPT Terminal";
    case 5: return "WPT High Alt RNAV";
    default: return "";
  }
}

SearchRow airportResultRow(const AirportRecord& a, char sep) {
  return {{searchIcon::airport},
          {"", a.ident(), a.region(), std::string(typeCode::airport), a.name(), fixed2(a.lat(), sep),
           fixed2(a.lon(), sep), a.dbky()}};
}

SearchRow navaidResultRow(const NavaidRecord& n, char sep) {
  SearchRow row;
  row.cells = {"",
               n.ident(),
               n.region(),
               std::string(typeCode::navaid),
               navaidKindText(n.navType(), n.freq(), sep, &row.icons),
               fixed2(n.lat(), sep),
               fixed2(n.lon(), sep),
               ""};
  return row;
}

std::vector<SearchRow> searchIdentifier(const std::string& text, const NavDatabase& db, char sep,
                                        std::size_t* currentRow) {
  ResultGrid grid;
  // Identifiers are compared where they lie, not copied out of each
  // record, the records ahead asked of the memory early.
  for (const AirportRecord& a : prefetchedField<airportField::ident>(db.airports)) {
    if (a.view(airportField::ident) != text) continue;
    grid.insertAirport(airportResultRow(a, sep));
  }

  // The runways of the airport on top; without an airport there is none to
  // list, even where a runway's key is empty.
  if (grid.results() > 0) {
    const std::string ident = grid.rows().front().cells[searchColIdent];
    const std::string key = grid.rows().front().cells[searchColDbky];
    for (const RunwayRecord& rw : prefetched(db.runways)) {
      if (rw.view(runwayField::aptKey) != key) continue;
      const std::string length = fmt::format("{}m", rw.length());
      grid.insertBelow({{searchIcon::airport},
                        {"", ident, rw.end1Id(), std::string(typeCode::userWaypoint), length,
                         formatGeneral(rw.end1Lat(), '.'), formatGeneral(rw.end1Lon(), '.'), ""}});
      grid.insertBelow({{searchIcon::airport},
                        {"", ident, rw.end2Id(), std::string(typeCode::userWaypoint), length,
                         formatGeneral(rw.end2Lat(), '.'), formatGeneral(rw.end2Lon(), '.'), ""}});
    }
  }

  for (const NavaidRecord& n : prefetchedField<navaidField::ident>(db.navaids)) {
    if (n.view(navaidField::ident) != text) continue;
    grid.insertBelow(navaidResultRow(n, sep));
  }

  for (const WaypointRecord& w : prefetchedField<waypointField::ident>(db.waypoints)) {
    if (w.identView() != text) continue;
    grid.insertBelow({{searchIcon::waypoint},
                      {"", w.ident(), w.region(), std::string(typeCode::waypoint), waypointCategoryText(w.wptType()),
                       fixed2(w.lat(), sep), fixed2(w.lon(), sep), ""}});
  }
  if (currentRow) *currentRow = grid.current();
  return std::move(grid.rows());
}

GeoPosition resultRowPosition(const SearchRow& row, char sep) {
  return {.lat = cellNumber(row.cells[searchColLat], sep, true), .lon = cellNumber(row.cells[searchColLon], sep, true)};
}

}  // namespace nav
