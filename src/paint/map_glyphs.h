#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <array>
#include <string_view>

namespace navui {

// The map's labels set as glyphs of the map font, without the text engine:
// its shaping and layout were most of a label's cost, a few hundred labels
// at every paint. Only where that gives the very pixels and widths the text
// engine gives: bytes whose character is drawn alone (no control
// characters, no soft hyphen), and a font whose kerning the engine applies
// as the font's own table says, which is checked once on every pair of
// printable ASCII characters.
class MapGlyphs {
 public:
  // The glyphs of the map font, or null when they would not match the text
  // engine's drawing.
  static const MapGlyphs* forMapFont();

  explicit MapGlyphs(const QFont& font);
  // The glyphs and the width of a Windows-1252 text, the first placed at
  // 0 on the baseline; false when a byte has no glyph of its own here.
  bool layout(std::string_view text, QGlyphRun& run, int& width) const;
  // Whether the layout here agrees with the text engine's on `sample`.
  bool agreesWithTextEngine(const QFont& font, const QString& sample) const;

 private:
  QRawFont raw_;
  std::array<quint32, 256> glyphs_{};  // 0: left to the text engine
};

}  // namespace navui
