#include "paint/map_glyphs.h"

#include <QTextLayout>
#include <cmath>

#include "paint/qpainter_surface.h"
#include "paint/text_decoding.h"

namespace navui {

namespace {

// Every ordered pair of printable ASCII characters once: a de Bruijn
// sequence of order 2.
QString everyAsciiPair() {
  constexpr int kFirst = 0x20, kCount = 0x7F - 0x20;
  QString out;
  for (int a = 0; a < kCount; ++a) {
    out += QChar(kFirst + a);
    for (int b = a + 1; b < kCount; ++b) {
      out += QChar(kFirst + a);
      out += QChar(kFirst + b);
    }
  }
  out += QChar(kFirst);
  return out;
}

bool drawnAlone(unsigned char byte) {
  // Control characters, the code page's unused bytes (decoded to C1
  // controls) and the soft hyphen are handled by the text engine itself.
  if (byte < 0x20 || byte == 0x7F || byte == 0xAD) return false;
  return !(byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D);
}

}  // namespace

MapGlyphs::MapGlyphs(const QFont& font) : raw_(QRawFont::fromFont(font)) {
  if (!raw_.isValid()) return;
  for (int byte = 0; byte < 256; ++byte) {
    if (!drawnAlone(static_cast<unsigned char>(byte))) continue;
    const char c = static_cast<char>(byte);
    const QList<quint32> glyph = raw_.glyphIndexesForString(fromWindows1252(std::string_view(&c, 1)));
    if (glyph.size() == 1) glyphs_[static_cast<std::size_t>(byte)] = glyph[0];
  }
}

bool MapGlyphs::layout(std::string_view text, QGlyphRun& run, int& width) const {
  QList<quint32> glyphs;
  glyphs.reserve(static_cast<qsizetype>(text.size()));
  for (const char c : text) {
    const quint32 g = glyphs_[static_cast<unsigned char>(c)];
    if (g == 0) return false;
    glyphs.append(g);
  }
  const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
  QList<QPointF> positions;
  positions.reserve(advances.size());
  qreal x = 0;
  for (const QPointF& a : advances) {
    positions.append(QPointF(x, 0));
    x += a.x();
  }
  run.setRawFont(raw_);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  width = static_cast<int>(std::lround(x));
  return true;
}

bool MapGlyphs::agreesWithTextEngine(const QFont& font, const QString& sample) const {
  if (!raw_.isValid()) return false;
  QTextLayout engine(sample, font);
  engine.beginLayout();
  const QTextLine line = engine.createLine();
  engine.endLayout();
  const QList<QGlyphRun> runs = engine.glyphRuns();
  if (runs.size() != 1) return false;
  const std::string bytes = toWindows1252(sample);
  QGlyphRun ours;
  int width = 0;
  if (!layout(bytes, ours, width)) return false;
  const QList<QPointF> theirs = runs[0].positions(), mine = ours.positions();
  if (runs[0].glyphIndexes() != ours.glyphIndexes() || theirs.size() != mine.size()) return false;
  for (qsizetype i = 0; i < theirs.size(); ++i)
    if (theirs[i].x() - theirs[0].x() != mine[i].x()) return false;
  return width == std::lround(line.naturalTextWidth());
}

const MapGlyphs* MapGlyphs::forMapFont() {
  // Made once for the process and never freed: the font engine it holds
  // must not go after the application.
  static const MapGlyphs* const glyphs = [] {
    const QFont font = mapFont();
    auto* made = new MapGlyphs(font);
    if (made->agreesWithTextEngine(font, everyAsciiPair())) return static_cast<const MapGlyphs*>(made);
    delete made;
    return static_cast<const MapGlyphs*>(nullptr);
  }();
  return glyphs;
}

}  // namespace navui
