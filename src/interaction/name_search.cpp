#include "interaction/name_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

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

// Whether the text holds the word, which is not empty: a loop of its own,
// where a call for each of a few dozen bytes cost more than the search.
bool holds(std::string_view text, std::string_view word) {
  const char first = word.front();
  for (std::size_t i = 0; i + word.size() <= text.size(); ++i)
    if (text[i] == first && std::memcmp(text.data() + i + 1, word.data() + 1, word.size() - 1) == 0) return true;
  return false;
}

// Whether a name field, up to its first NUL and folded, holds every word:
// folded into a buffer of the field's width, as the search walks every
// airport and navaid at each keystroke and a string for each cost most of
// its time.
bool holdsEvery(std::string_view field, const std::vector<std::string>& words) {
  std::array<char, 64> buffer;
  if (field.size() > buffer.size()) {
    const std::string folded = foldedText(field.substr(0, field.find('\0')));
    return std::all_of(words.begin(), words.end(), [&](const std::string& w) { return holds(folded, w); });
  }
  std::size_t i = 0, length = field.size();
  // Eight bytes at a time while they are ASCII, most names being only
  // that: upper-case letters get the bit of lower case, and the first NUL
  // ends the name.
  constexpr std::uint64_t kHigh = 0x8080808080808080u, kOnes = 0x0101010101010101u;
  for (; i + 8 <= field.size(); i += 8) {
    std::uint64_t x;
    std::memcpy(&x, field.data() + i, 8);
    if ((x & kHigh) != 0) break;
    const std::uint64_t aboveZ = x + (0x7F - 'Z') * kOnes, fromA = x + (0x80 - 'A') * kOnes;
    const std::uint64_t nul = (x - kOnes) & ~x & kHigh;
    x |= ((fromA ^ aboveZ) & kHigh) >> 2;
    std::memcpy(buffer.data() + i, &x, 8);
    if (nul != 0) {
      length = i + static_cast<std::size_t>(std::countr_zero(nul)) / 8;
      break;
    }
  }
  if (length == field.size())
    for (; i < field.size(); ++i) {
      if (field[i] == '\0') {
        length = i;
        break;
      }
      buffer[i] = kFold[static_cast<unsigned char>(field[i])];
    }
  const std::string_view folded(buffer.data(), length);
  return std::all_of(words.begin(), words.end(), [&](const std::string& w) { return holds(folded, w); });
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
    // On the fields' whole width: the identifier up to its first NUL is
    // the text, or starts with it, as the text's bytes lie at its start. A
    // text with a NUL of its own is neither.
    const bool plainIdent = ident.find('\0') == std::string::npos;
    const auto rankOf = [&](std::string_view idField, std::string_view nameField) {
      if (plainIdent && ident.size() <= idField.size() && std::memcmp(idField.data(), ident.data(), ident.size()) == 0)
        return ident.size() == idField.size() || idField[ident.size()] == '\0' ? 0 : 1;
      return holdsEvery(nameField, words) ? 2 : 3;
    };
    for (const AirportRecord& a : prefetched(db.airports))
      if (const int r = rankOf(a.raw(airportField::ident), a.raw(airportField::name)); r < 3)
        ranked[static_cast<std::size_t>(r)].push_back(airportResultRow(a, sep));
    for (const NavaidRecord& n : prefetched(db.navaids))
      if (const int r = rankOf(n.raw(navaidField::ident), n.raw(navaidField::name)); r < 3)
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
