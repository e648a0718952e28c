#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nav {

// Lines as the tag list and saved-simulation files are read: split at CR, LF
// and CR LF; a NUL byte ends the text; a last line without a break counts.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace nav
