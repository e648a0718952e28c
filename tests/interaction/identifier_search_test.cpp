#include "interaction/identifier_search.h"

#include <gtest/gtest.h>

#include "base/failure.h"
#include "base/number_format.h"
#include "mapview/paint_fixture.h"
#include "test_support.h"

namespace {

using navtest::airport;
using navtest::navaid;
using navtest::putI32;
using navtest::putText;
using navtest::runway;
using navtest::waypoint;

std::vector<std::string> column(const std::vector<nav::SearchRow>& rows, std::size_t c) {
  std::vector<std::string> out;
  for (const auto& r : rows) out.push_back(r.cells[c]);
  return out;
}

nav::NavDatabase sample() {
  nav::NavDatabase db;
  db.airports.push_back(airport("A1", "ABCD", "First", 176004.5, 9180));
  db.airports.push_back(airport("A2", "ABCD", "Second", 100, 200));
  db.airports.push_back(airport("A3", "OTHER", "Other", 1, 2));
  db.runways.push_back(runway("A2", 176004.5, 1279800, 10, 20));
  putText(db.runways[0], 59, "09");
  putText(db.runways[0], 155, "27");
  putI32(db.runways[0], 24, 2400);
  db.runways.push_back(runway("A1", 0, 0, 0, 0));  // of the other airport
  db.navaids.push_back(navaid("ABCD", "Vordme", 115.35, 17, 5, 6));
  db.navaids.push_back(navaid("ABCD", "Beacon", 350, 8, 7, 8));
  db.waypoints.push_back(waypoint("ABCD", 9, 10));
  putI32(db.waypoints[0], 51, 7);
  return db;
}

TEST(IdentifierSearch, RowOrderFollowsTheGridsInsertions) {
  std::size_t current = 99;
  const auto rows = nav::searchIdentifier("ABCD", sample(), ',', &current);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(column(rows, 4), (std::vector<std::string>{"Second", "2400m", "2400m", "VOR 115,35 mhzDME ", "NDB 350 khz",
                                                       "", "First", ""}));
  EXPECT_EQ(column(rows, 3), (std::vector<std::string>{"sarw", "usrw", "usrw", "snav", "snav", "wywy", "sarw", ""}));
  EXPECT_EQ(column(rows, 2)[1], "09");
  EXPECT_EQ(column(rows, 2)[2], "27");
  EXPECT_EQ(column(rows, 1)[1], "ABCD");  // the airport's identifier
  EXPECT_EQ(current, 5u);                 // the last row inserted below another
  EXPECT_TRUE(rows.back().empty());
  EXPECT_EQ(nav::foundLabel(rows.size() - 1), "Trouv\xE9 7");
}

TEST(IdentifierSearch, ColumnsAndFormats) {
  const auto rows = nav::searchIdentifier("ABCD", sample(), ',');
  EXPECT_EQ(rows[0].cells[5], "100,00");
  EXPECT_EQ(rows[0].cells[7], "A2");
  EXPECT_EQ(rows[1].cells[5], "176004.5");  // runway ends: general format with a point
  EXPECT_EQ(rows[1].cells[6], "1279800");
  EXPECT_EQ(rows[6].cells[5], "176004,50");
  EXPECT_EQ(rows[0].icons, std::vector<int>{nav::searchIcon::airport});
  EXPECT_EQ(rows[3].icons, (std::vector<int>{nav::searchIcon::vor, nav::searchIcon::tacanDme}));
  EXPECT_EQ(rows[4].icons, std::vector<int>{nav::searchIcon::ndb});
  EXPECT_EQ(rows[5].icons, std::vector<int>{nav::searchIcon::waypoint});
  EXPECT_EQ(nav::waypointCategoryText(5), "WPT High Alt RNAV");
  EXPECT_EQ(nav::navaidKindText(4 | 16, 0, '.', nullptr), "TACAN DME ");
}

TEST(IdentifierSearch, WholeTextsOnly) {
  const nav::NavDatabase db = sample();
  EXPECT_EQ(nav::searchText("abcd é"), "ABCD é");
  EXPECT_EQ(nav::searchIdentifier("ABCD ", db, '.').size(), 1u);  // a trailing space matches nothing
  EXPECT_EQ(nav::searchIdentifier("abcd", db, '.').size(), 1u);   // the field upper-cases, the search does not
  const auto only = nav::searchIdentifier("OTHER", db, '.');
  EXPECT_EQ(only.size(), 2u);

  nav::NavDatabase nav1;
  nav1.navaids.push_back(navaid("XYZ", "", 350, 8, 0, 0));
  const auto rows = nav::searchIdentifier("XYZ", nav1, '.');
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].cells[4], "NDB 350 khz");

  // Without an airport on top no runway is listed, even one with an empty key.
  nav1.runways.push_back(runway("", 0, 0, 0, 0));
  EXPECT_EQ(nav::searchIdentifier("XYZ", nav1, '.').size(), 2u);

  nav::NavDatabase longIdent;
  longIdent.waypoints.push_back(waypoint("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 0, 0));
  EXPECT_EQ(nav::searchIdentifier("ABCDEFGHIJKLMNOPQRSTUVWXYZ", longIdent, '.').size(), 2u);
}

TEST(IdentifierSearch, RowPositionsForCentring) {
  const auto rows = nav::searchIdentifier("ABCD", sample(), ',');
  nav::GeoPosition p = nav::resultRowPosition(rows[1], ',');  // a point is accepted too
  EXPECT_EQ(p.lat, 176004.5);
  EXPECT_EQ(nav::signedLon(p.lon), -16200);
  p = nav::resultRowPosition(rows[0], ',');
  EXPECT_EQ(p.lat, 100);
  // The empty row has no position.
  EXPECT_EQ(navtest::failureMessage([&] { nav::resultRowPosition(rows.back(), ','); }),
            "'' is not a valid floating point value");
  EXPECT_THROW(nav::cellNumber("12,5", '.', false), nav::Failure);
  EXPECT_EQ(nav::cellNumber("176004.000000", '.', false), 176004);
}

}  // namespace
