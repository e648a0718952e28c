#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "interaction/identifier_search.h"

namespace nav {

inline constexpr std::size_t kNameSearchLimit = 200;

// The search by name as the user types: the airports and navaids whose name
// holds every typed word, accents and case ignored ("toussus", "tours
// val"), and those whose identifier starts with the text; best first (the
// identifier itself, then identifiers that start with it, then names), in
// table order within each, at most kNameSearchLimit rows, then the one
// empty row. Leading and trailing spaces are ignored; nothing typed finds
// nothing. Windows-1252 text.
std::vector<SearchRow> searchByName(std::string_view typed, const NavDatabase& db, char decimalSeparator);

// A text folded as the name search compares it: lower case, accents off.
std::string foldedText(std::string_view text);

}  // namespace nav
