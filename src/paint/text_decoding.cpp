#include "paint/text_decoding.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>
#include <vector>

namespace navui {

namespace {

QString decodeWithCodec(std::string_view bytes) {
  QStringDecoder decoder("windows-1252");
  if (!decoder.isValid()) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// What the codec makes of each byte, asked once: opening the codec for every
// label of the map cost more than drawing it. Empty when a byte does not
// decode to one character, and the codec is then asked every time.
std::vector<QChar> byteTable() {
  std::vector<QChar> table;
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    const QString one = decodeWithCodec(std::string_view(&c, 1));
    if (one.size() != 1) return {};
    table.push_back(one.at(0));
  }
  return table;
}

}  // namespace

QString fromWindows1252(std::string_view bytes) {
  static const std::vector<QChar> table = byteTable();
  if (table.empty()) return decodeWithCodec(bytes);
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char c : bytes) *out++ = table[static_cast<unsigned char>(c)];
  return text;
}

std::string toWindows1252(const QString& text) {
  QStringEncoder encoder("windows-1252", QStringConverter::Flag::Default);
  if (!encoder.isValid()) return text.toLatin1().toStdString();
  const QByteArray bytes = encoder.encode(text);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

char userDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  if (point.size() == 1 && point.at(0).unicode() < 0x80) return static_cast<char>(point.at(0).unicode());
  return '.';
}

}  // namespace navui
