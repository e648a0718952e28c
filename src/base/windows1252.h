#pragma once

#include <string>
#include <string_view>

namespace nav {

// UTF-8 text as the Windows-1252 bytes the database files hold. A character
// the code page lacks becomes '?', and so does each broken UTF-8 sequence.
std::string utf8ToWindows1252(std::string_view utf8);

// The other way, for printing record texts on a UTF-8 terminal. The five
// bytes the code page leaves undefined become U+FFFD.
std::string windows1252ToUtf8(std::string_view bytes);

}  // namespace nav
