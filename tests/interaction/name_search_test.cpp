#include "interaction/name_search.h"

#include <gtest/gtest.h>

#include "mapview/paint_fixture.h"

namespace {

using namespace nav;

NavDatabase someAirports() {
  NavDatabase db;
  db.airports.push_back(navtest::airport("1", "LFPN", "Toussus-le-Noble", 0, 0));
  db.airports.push_back(navtest::airport("2", "LFOT", "Tours-Val-de-Loire", 0, 0));
  db.airports.push_back(navtest::airport("3", "LFPG", "Charles de Gaulle", 0, 0));
  db.airports.push_back(navtest::airport("4", "LFLB", "Chamb\xE9ry Aix-les-Bains", 0, 0));
  db.navaids.push_back(navtest::navaid("TOU", "Toulouse", 117.7, 1, 0, 0));
  db.navaids.push_back(navtest::navaid("LFP", "Nowhere", 110.0, 1, 0, 0));
  return db;
}

std::vector<std::string> idents(const std::vector<SearchRow>& rows) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) out.push_back(rows[i].cells[searchColIdent]);
  return out;
}

TEST(NameSearch, EveryWordAccentsAndCaseIgnoredBestFirst) {
  const NavDatabase db = someAirports();
  EXPECT_EQ(idents(searchByName("toussus", db, '.')), std::vector<std::string>{"LFPN"});
  EXPECT_EQ(idents(searchByName(" tours val ", db, '.')), std::vector<std::string>{"LFOT"});
  EXPECT_EQ(idents(searchByName("charles gaulle", db, '.')), std::vector<std::string>{"LFPG"});
  EXPECT_EQ(idents(searchByName("CHAMBERY", db, '.')), std::vector<std::string>{"LFLB"});
  // The identifier itself first, then those that start with it, then names.
  EXPECT_EQ(idents(searchByName("lfp", db, '.')), (std::vector<std::string>{"LFP", "LFPN", "LFPG"}));
  EXPECT_EQ(idents(searchByName("tou", db, '.')), (std::vector<std::string>{"TOU", "LFPN", "LFOT"}));
  EXPECT_TRUE(searchByName("  ", db, '.').back().empty());
  EXPECT_EQ(searchByName("  ", db, '.').size(), 1u);
}

TEST(NameSearch, StopsAtItsLimit) {
  NavDatabase db;
  for (int i = 0; i < 300; ++i)
    db.airports.push_back(navtest::airport(std::to_string(i), "X" + std::to_string(i), "Same", 0, 0));
  EXPECT_EQ(searchByName("same", db, '.').size(), kNameSearchLimit + 1);
}

}  // namespace
