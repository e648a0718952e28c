#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "mapview/pens.h"
#include "mapview/pixel_raster.h"

namespace nav {

struct TextSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// The drawing operations the map layers use, and nothing more. One
// implementation paints with QPainter, another records the calls for tests.
// Boxes run from (x1, y1) to (x2, y2), the right and bottom edges excluded;
// a line excludes its end point. Texts are Windows-1252 bytes.
class MapSurface {
 public:
  virtual ~MapSurface() = default;

  virtual Pen pen() const = 0;
  virtual void setPen(const Pen& pen) = 0;
  // The brush: fills shapes, colours frames and the background of text.
  virtual void setFillColor(Rgb color) = 0;
  virtual void setTextColor(Rgb color) = 0;
  // Inverting mode: lines turn each pixel into the inverse of its colour, so
  // that drawing the same line twice restores what was there.
  virtual void setInvertMode(bool on) = 0;

  virtual void polygon(std::span<const PixelPoint> points) = 0;
  virtual void ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) = 0;
  virtual void rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) = 0;
  virtual void moveTo(std::int32_t x, std::int32_t y) = 0;
  virtual void lineTo(std::int32_t x, std::int32_t y) = 0;
  // Move to the first point, lines to the others; the pen stays at the last.
  // One call where a mark is drawn a hundred thousand times.
  virtual void polyline(std::span<const PixelPoint> points) {
    if (points.empty()) return;
    moveTo(points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i) lineTo(points[i].x, points[i].y);
  }
  // One small mark at many places, in order: at each place, a move to the
  // start and a line to the end of every segment of `mark`, which is given
  // about (0, 0). The low zoom levels draw a quarter of a million of them.
  virtual void marks(std::span<const PixelSegment> mark, std::span<const PixelPoint> places) {
    for (const PixelPoint& at : places)
      for (const PixelSegment& s : mark) {
        moveTo(at.x + s.from.x, at.y + s.from.y);
        lineTo(at.x + s.to.x, at.y + s.to.y);
      }
  }
  // The raster lines and marks of the current pen can be set into, when the
  // surface has one; good until the pen changes. What is set there leaves
  // the drawing position as it was.
  virtual std::optional<PixelRaster> raster() { return std::nullopt; }
  virtual void frame(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) = 0;
  virtual void textOut(std::int32_t x, std::int32_t y, std::string_view text) = 0;
  virtual TextSize textExtent(std::string_view text) = 0;
  // The map font's height setting: negative, the character height in pixels.
  virtual std::int32_t fontHeight() const = 0;
};

// The map's pen discipline: drawing routines save the current pen into the
// spare pen, select their own, and some restore the saved one afterwards.
inline void savePen(MapSurface& s, Pen& penSaved) { penSaved = s.pen(); }
inline void restorePen(MapSurface& s, const Pen& penSaved) { s.setPen(penSaved); }

}  // namespace nav
