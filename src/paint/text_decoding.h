#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace navui {

// Record fields, file contents and messages are Windows-1252 bytes; they are
// decoded only where they are shown.
QString fromWindows1252(std::string_view bytes);
// What the user types, back to bytes; characters the code page lacks become '?'.
std::string toWindows1252(const QString& text);

// The user's decimal separator, as one byte ('.' when it is not ASCII).
char userDecimalSeparator();

}  // namespace navui
