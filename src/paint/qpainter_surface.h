#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "mapview/map_surface.h"

namespace navui {

// The map's drawing surface on an image, painted with QPainter. One-pixel
// lines, by far the most of a map, are set pixel by pixel instead: the map
// draws up to a million of them at every paint. Coordinates far outside the
// area are clipped here, since the raster engine cannot take the full 32-bit
// range. On an image with a device pixel ratio other than 1 the coordinates
// stay the map's own pixels, and lines and outlines are as thick as one of
// them.
class QPainterSurface : public nav::MapSurface {
 public:
  explicit QPainterSurface(QImage& image);
  ~QPainterSurface() override;

  nav::Pen pen() const override { return pen_; }
  void setPen(const nav::Pen& pen) override;
  void setFillColor(nav::Rgb color) override;
  void setTextColor(nav::Rgb color) override;
  void setInvertMode(bool on) override;
  void polygon(std::span<const nav::PixelPoint> points) override;
  void ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override;
  void rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override;
  void moveTo(std::int32_t x, std::int32_t y) override;
  void lineTo(std::int32_t x, std::int32_t y) override;
  void polyline(std::span<const nav::PixelPoint> points) override;
  std::optional<nav::PixelRaster> raster() override;
  void frame(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override;
  void textOut(std::int32_t x, std::int32_t y, std::string_view text) override;
  nav::TextSize textExtent(std::string_view text) override;
  std::int32_t fontHeight() const override { return -11; }

  // Draws the lines collected so far.
  void flush();

 private:
  void applyPen();
  void syncPainterPen();
  nav::PixelRaster penRaster() const { return {pixels_, stride_, width_, height_, penPixel_}; }
  struct Measured {
    bool valid = false;
    std::string text;
    int width = 0;
    bool asGlyphs = false;  // else the text engine draws it
    QGlyphRun glyphs;
  };
  const Measured& measure(std::string_view text);
  void fillBox(int x, int y, int w, int h);
  void plotLine(int x0, int y0, int x1, int y1);
  void plotScaledLine(int x0, int y0, int x1, int y1);
  // At a whole ratio, a line of at most kShortReach map pixels each way as
  // its image pixels, by its end's offset: the outline's lines at the
  // lowest levels, made once a surface.
  static constexpr int kShortReach = 4;
  const nav::MarkPixels& shortScaledLine(int dx, int dy);
  // Where an outline is stroked: on the middle of the map's pixels when they
  // are several of the image's.
  QRectF strokeBox(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) const;
  // A filled shape the painter draws the same way wherever it is, as the
  // image pixels its pen and its brush set, about the image pixel of its
  // box's corner: taken once from the painter's own drawing of it into a
  // small image, then set at every place. At a whole ratio of more than 1
  // the stations' circles were most of a paint's time in the painter.
  enum class Shape { ellipse, rectangle };
  struct Stamp {
    std::vector<qsizetype> pen, brush;
    int left = 0, top = 0, right = 0, bottom = 0;  // the box of both, in image pixels
  };
  bool stamp(Shape shape, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  // A label's frame and the box under its text, set directly at a whole
  // ratio as the painter sets them; false where the painter must.
  bool setFrame(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  int wholeRatio() const;  // 0 when the ratio is not whole

  QImage& image_;
  std::uint32_t* pixels_;  // null when the image format needs the painter
  qsizetype stride_;       // in pixels
  qreal ratio_;            // image pixels to a map pixel
  int width_;              // in map pixels
  int height_;
  int imageWidth_;  // in image pixels
  int imageHeight_;
  QPainter painter_;
  std::uint32_t penPixel_ = 0xFF000000;
  bool painterPenStale_ = true;     // the painter's pen may not be pen_
  bool painterHasTextPen_ = false;  // the painter's pen is the text colour
  bool invert_ = false;
  nav::Pen pen_{};
  QColor fill_{Qt::white};
  QColor text_{Qt::black};
  std::int64_t posX_ = 0;
  std::int64_t posY_ = 0;
  std::vector<QLine> lines_;
  std::array<std::optional<nav::MarkPixels>, (2 * kShortReach + 1) * (2 * kShortReach + 1)> shortScaled_;
  std::map<std::tuple<Shape, int, int>, Stamp> stamps_;  // by shape, width and height
  QFont font_;
  QFontMetrics metrics_;
  std::array<Measured, 2> measured_;
  std::size_t nextMeasured_ = 0;
};

// The map font: Arial (or its metric twin) with characters 11 pixels high.
QFont mapFont();

// An image's extent in map pixels, at its device pixel ratio.
int mapExtent(int imagePixels, qreal ratio);

}  // namespace navui
