#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/geo_position.h"
#include "navdata/nav_database.h"

namespace nav {

// Icons of the result grid's first column, by their image-list index.
namespace searchIcon {
inline constexpr int vor = 5;
inline constexpr int ndb = 6;
inline constexpr int tacanDme = 7;
inline constexpr int airport = 10;
inline constexpr int waypoint = 12;
}  // namespace searchIcon

// The result grid's columns.
enum SearchColumn : std::size_t {
  searchColIcons,     // the icons; its text stays empty
  searchColIdent,     // the identifier (a runway end's airport)
  searchColRegion,    // the region, or a runway end's designator
  searchColTypeCode,  // the kind the plan enters it as
  searchColText,      // name, runway length, navaid kind or waypoint category
  searchColLat,
  searchColLon,
  searchColDbky,  // an airport's key
  kSearchColumns
};

// One row of the result grid: the icons of column 0 and the texts of the
// eight columns.
struct SearchRow {
  std::vector<int> icons;
  std::array<std::string, kSearchColumns> cells;
  bool empty() const;
};

// The search text as Enter in the search field makes it: a to z upper-cased.
std::string searchText(std::string_view typed);

// Every airport, runway end of the top airport, navaid and waypoint whose
// identifier is exactly `text`, in the grid's row order, followed by the one
// empty row. `currentRow` receives the row the grid ends on: the last row
// inserted below another, or the first.
std::vector<SearchRow> searchIdentifier(const std::string& text, const NavDatabase& db, char decimalSeparator,
                                        std::size_t* currentRow = nullptr);

// The result rows of an airport and of a navaid, as both searches list them.
SearchRow airportResultRow(const AirportRecord& airport, char decimalSeparator);
SearchRow navaidResultRow(const NavaidRecord& navaid, char decimalSeparator);

// "Trouvé %d", Windows-1252.
std::string foundLabel(std::size_t resultRows);

// The kind text and icons of a navaid, built bit by bit from navType.
std::string navaidKindText(std::int32_t navType, double freq, char decimalSeparator, std::vector<int>* icons);
std::string waypointCategoryText(std::int32_t wptType);

// The position of a result row, a stored longitude. Numbers are read with
// the user's separator or a point; anything else fails.
GeoPosition resultRowPosition(const SearchRow& row, char decimalSeparator);

}  // namespace nav
