#include "interaction/name_search.h"

#include <gtest/gtest.h>

#include <random>

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
  // An identifier as wide as its field, and a name just as wide.
  NavDatabase wide = db;
  wide.airports.push_back(navtest::airport("5", "ABCDE", std::string(40, 'Q'), 0, 0));
  EXPECT_EQ(idents(searchByName("abcde", wide, '.')), std::vector<std::string>{"ABCDE"});
  EXPECT_EQ(idents(searchByName("abcd", wide, '.')), std::vector<std::string>{"ABCDE"});
  EXPECT_EQ(idents(searchByName(std::string(40, 'q'), wide, '.')), std::vector<std::string>{"ABCDE"});
  EXPECT_TRUE(searchByName("  ", db, '.').back().empty());
  EXPECT_EQ(searchByName("  ", db, '.').size(), 1u);
}

// Names of every kind of byte, ASCII runs beside accented letters and the
// characters next to the letters ('@', '[', '`', '{'): a name is found for
// a word exactly when its folded text holds the word.
TEST(NameSearch, FindsAWordWhereTheFoldedNameHoldsIt) {
  std::mt19937 random(5);
  const std::string bytes =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcz@[`{\xC9\xE9\xC0\xFF\x8A"
      "0";
  std::uniform_int_distribution<std::size_t> pick(0, bytes.size() - 1), length(1, 40);
  for (int trial = 0; trial < 400; ++trial) {
    std::string name;
    for (std::size_t n = length(random); name.size() < n;) name += bytes[pick(random)];
    std::string word;
    for (int k = 0; k < 3; ++k) word += foldedText(std::string(1, bytes[pick(random)]));
    if (trial % 2 == 0) word = foldedText(name).substr(trial % name.size(), 3);  // often one it holds
    if (word.find_first_of(" -'") != std::string::npos || word.empty()) continue;
    NavDatabase db;
    db.airports.push_back(navtest::airport("1", "0000", name, 0, 0));
    const bool holds = foldedText(name).find(word) != std::string::npos;
    EXPECT_EQ(searchByName(word, db, '.').size(), holds ? 2u : 1u) << name << " / " << word;
  }
}

TEST(NameSearch, StopsAtItsLimit) {
  NavDatabase db;
  for (int i = 0; i < 300; ++i)
    db.airports.push_back(navtest::airport(std::to_string(i), "X" + std::to_string(i), "Same", 0, 0));
  EXPECT_EQ(searchByName("same", db, '.').size(), kNameSearchLimit + 1);
}

}  // namespace
