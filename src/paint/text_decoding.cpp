#include "paint/text_decoding.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

namespace navui {

QString fromWindows1252(std::string_view bytes) {
  QStringDecoder decoder("windows-1252");
  if (!decoder.isValid()) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
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
