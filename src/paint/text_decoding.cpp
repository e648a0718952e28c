#include "paint/text_decoding.h"

#include <QLocale>
#include <array>

#include "base/windows1252.h"

namespace navui {

// The code page's own table rather than Qt's codec: Qt for Windows is built
// without ICU and has no Windows-1252 codec.

QString fromWindows1252(std::string_view bytes) {
  static const std::array<QChar, 256> table = [] {
    std::array<QChar, 256> t;
    for (int b = 0; b < 256; ++b) t[b] = QChar(nav::windows1252Char(static_cast<unsigned char>(b)));
    return t;
  }();
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char c : bytes) *out++ = table[static_cast<unsigned char>(c)];
  return text;
}

std::string toWindows1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (const char32_t cp : text.toUcs4()) bytes += nav::windows1252Byte(cp);
  return bytes;
}

char userDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  if (point.size() == 1 && point.at(0).unicode() < 0x80) return static_cast<char>(point.at(0).unicode());
  return '.';
}

}  // namespace navui
