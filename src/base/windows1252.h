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

// The character of one byte, for the window's texts. The five undefined
// bytes stand for the C1 controls of the same value, as in Windows' own
// conversion, so that they come back as the same bytes.
char16_t windows1252Char(unsigned char byte);
// The byte of one character, the other way; '?' when the code page lacks it.
char windows1252Byte(char32_t cp);

}  // namespace nav
