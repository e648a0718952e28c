#pragma once

#include <string>
#include <string_view>

namespace navtools {

// UTF-8 text as the Windows-1252 bytes the database files hold. A character
// the code page lacks becomes '?', and so does each broken UTF-8 sequence.
std::string utf8ToWindows1252(std::string_view utf8);

}  // namespace navtools
