#include "interaction/name_search.h"

#include <algorithm>
#include <array>

#include "navdata/table_walk.h"

namespace nav {

namespace {

// Each Windows-1252 byte as the search compares it: ASCII letters in lower
// case, the accented Latin letters as their base letter, the rest as is.
constexpr std::array<char, 256> kFold = [] {
  std::array<char, 256> fold{};
  for (int i = 0; i < 256; ++i) fold[static_cast<std::size_t>(i)] = static_cast<char>(i);
  for (int c = 'A'; c <= 'Z'; ++c) fold[static_cast<std::size_t>(c)] = static_cast<char>(c - 'A' + 'a');
  // 0xC0 to 0xFF: ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞß àáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ
  constexpr const char* kBase =
      "aaaaaaaceeeeiiiidnooooo\xD7ouuuuy\xDE\xDF"
      "aaaaaaaceeeeiiiidnooooo\xF7ouuuuy\xFEy";
  for (int i = 0; i < 64; ++i) fold[static_cast<std::size_t>(0xC0 + i)] = kBase[i];
  fold[0x8A] = fold[0x9A] = 's';  // Š š
  fold[0x8E] = fold[0x9E] = 'z';  // Ž ž
  fold[0x9F] = 'y';               // Ÿ
  return fold;
}();

std::vector<std::string> wordsOf(std::string_view folded) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : folded) {
    if (c == ' ' || c == '-' || c == '\'') {
      if (!word.empty()) words.push_back(std::move(word)), word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

bool holdsEvery(const std::string& folded, const std::vector<std::string>& words) {
  return std::all_of(words.begin(), words.end(),
                     [&](const std::string& w) { return folded.find(w) != std::string::npos; });
}

}  // namespace

std::string foldedText(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = kFold[static_cast<unsigned char>(c)];
  return out;
}

std::vector<SearchRow> searchByName(std::string_view typed, const NavDatabase& db, char sep) {
  while (!typed.empty() && typed.front() == ' ') typed.remove_prefix(1);
  while (!typed.empty() && typed.back() == ' ') typed.remove_suffix(1);
  std::vector<SearchRow> rows;
  if (!typed.empty()) {
    const std::string ident = searchText(typed);
    const std::vector<std::string> words = wordsOf(foldedText(typed));
    // Three ranks, each in table order; each object once, at its best rank.
    std::array<std::vector<SearchRow>, 3> ranked;
    const auto rankOf = [&](std::string_view id, std::string_view name) {
      if (id == ident) return 0;
      if (id.substr(0, ident.size()) == ident) return 1;
      return holdsEvery(foldedText(name), words) ? 2 : 3;
    };
    for (const AirportRecord& a : prefetched(db.airports))
      if (const int r = rankOf(a.ident(), a.name()); r < 3)
        ranked[static_cast<std::size_t>(r)].push_back(airportResultRow(a, sep));
    for (const NavaidRecord& n : prefetched(db.navaids))
      if (const int r = rankOf(n.ident(), n.name()); r < 3)
        ranked[static_cast<std::size_t>(r)].push_back(navaidResultRow(n, sep));
    for (std::vector<SearchRow>& rank : ranked)
      for (SearchRow& row : rank) {
        if (rows.size() == kNameSearchLimit) break;
        rows.push_back(std::move(row));
      }
  }
  rows.emplace_back();
  return rows;
}

}  // namespace nav
