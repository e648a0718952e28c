#include "paint/qpainter_surface.h"

#include <QImage>
#include <QPolygon>
#include <algorithm>
#include <climits>
#include <cmath>

#include "paint/map_glyphs.h"
#include "paint/text_decoding.h"

namespace navui {

namespace {

QColor toColor(nav::Rgb c) { return QColor(c.r, c.g, c.b); }

// Lines are clipped to the area and this margin around it.
constexpr int kMargin = 64;
constexpr std::size_t kBatch = 2048;

// Liang-Barsky clipping of the segment to [x0, x1] x [y0, y1]; false when
// nothing of it is left.
bool clipSegment(double& ax, double& ay, double& bx, double& by, double x0, double y0, double x1, double y1) {
  double t0 = 0, t1 = 1;
  const double dx = bx - ax, dy = by - ay;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
  }
  const double sx = ax, sy = ay;
  ax = sx + t0 * dx;
  ay = sy + t0 * dy;
  bx = sx + t1 * dx;
  by = sy + t1 * dy;
  return true;
}

// The painter's pen for a map pen of this colour and width on an image of
// this ratio. A one-pixel pen would draw one of the image's pixels where a
// map pixel is several: there it is a map pixel wide.
QPen painterPen(const QColor& color, int width, qreal ratio) {
  QPen p(color);
  p.setWidth(width <= 1 ? 0 : width);  // width 0: the fast one-pixel pen
  p.setStyle(Qt::SolidLine);
  if (ratio != 1) {
    p.setWidth(std::max(1, width));
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
  }
  return p;
}

int clampCoordinate(std::int32_t v, int size) {
  return static_cast<int>(std::clamp<std::int64_t>(v, -kMargin, std::int64_t{size} + kMargin));
}

}  // namespace

int mapExtent(int imagePixels, qreal ratio) {
  return ratio == 1 ? imagePixels : static_cast<int>(std::lround(imagePixels / ratio));
}

QFont mapFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(11);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

std::uint32_t* directPixels(QImage& image) {
  const QImage::Format f = image.format();
  if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
    return nullptr;
  return reinterpret_cast<std::uint32_t*>(image.bits());
}

QPainterSurface::QPainterSurface(QImage& image)
    : image_(image),
      pixels_(directPixels(image)),
      stride_(image.bytesPerLine() / 4),
      ratio_(image.devicePixelRatio()),
      width_(mapExtent(image.width(), ratio_)),
      height_(mapExtent(image.height(), ratio_)),
      imageWidth_(image.width()),
      imageHeight_(image.height()),
      painter_(&image),
      font_(mapFont()),
      metrics_(font_) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setFont(font_);
  painter_.setBrush(fill_);
  applyPen();
  lines_.reserve(kBatch);
}

QPainterSurface::~QPainterSurface() {
  flush();
  painter_.end();
}

void QPainterSurface::flush() {
  if (lines_.empty()) return;
  syncPainterPen();
  painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
  lines_.clear();
}

void QPainterSurface::applyPen() {
  penPixel_ = 0xFF000000u | (std::uint32_t{pen_.color.r} << 16) | (std::uint32_t{pen_.color.g} << 8) | pen_.color.b;
  // The painter takes the pen only when it draws: the layers switch pens
  // for every station, and most of them draw pixel by pixel.
  painterPenStale_ = true;
}

void QPainterSurface::syncPainterPen() {
  if (!painterPenStale_) return;
  painterPenStale_ = false;
  painterHasTextPen_ = false;
  painter_.setPen(painterPen(toColor(pen_.color), pen_.width, ratio_));
}

void QPainterSurface::setPen(const nav::Pen& pen) {
  if (pen == pen_) return;
  flush();
  pen_ = pen;
  applyPen();
}

void QPainterSurface::setFillColor(nav::Rgb color) {
  const QColor c = toColor(color);
  if (c == fill_) return;
  flush();
  fill_ = c;
  painter_.setBrush(fill_);
}

void QPainterSurface::setTextColor(nav::Rgb color) {
  const QColor c = toColor(color);
  if (c == text_) return;
  text_ = c;
  painterHasTextPen_ = false;
}

void QPainterSurface::setInvertMode(bool on) {
  if (on == invert_) return;
  flush();
  invert_ = on;
  painter_.setCompositionMode(on ? QPainter::RasterOp_NotDestination : QPainter::CompositionMode_SourceOver);
}

void QPainterSurface::polygon(std::span<const nav::PixelPoint> points) {
  flush();
  // Clamping the corners keeps the world frame (the only polygon, axis
  // aligned) exact while its corners lie far outside the area.
  QPolygon poly;
  for (const nav::PixelPoint& pt : points)
    poly << QPoint(clampCoordinate(pt.x, width_), clampCoordinate(pt.y, height_));
  syncPainterPen();
  if (ratio_ != 1)
    painter_.drawPolygon(QPolygonF(poly).translated(0.5, 0.5));
  else
    painter_.drawPolygon(poly);
}

QRectF QPainterSurface::strokeBox(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) const {
  return QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1.0, y2 - y1 - 1.0);
}

int QPainterSurface::wholeRatio() const {
  const int w = static_cast<int>(std::lround(ratio_));
  return w == ratio_ ? w : 0;
}

bool QPainterSurface::stamp(Shape shape, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  const int w = wholeRatio();
  if (w <= 1 || !pixels_ || invert_ || pen_.width > 1 || x2 - x1 < 2 || y2 - y1 < 2 || x2 - x1 > 64 || y2 - y1 > 64)
    return false;
  const auto key = std::make_tuple(shape, x2 - x1, y2 - y1);
  auto found = stamps_.find(key);
  if (found == stamps_.end()) {
    // Drawn with the pen syncPainterPen sets, in two colours the map does
    // not use, on a transparent image with a margin about the box.
    constexpr int kMargin = 2;
    const QColor penColor(1, 2, 3), brushColor(4, 5, 6);
    QImage image(w * (x2 - x1 + 2 * kMargin), w * (y2 - y1 + 2 * kMargin), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(w);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing, false);
      painter.setPen(painterPen(penColor, pen_.width, w));
      painter.setBrush(brushColor);
      const QRectF box(kMargin + 0.5, kMargin + 0.5, x2 - x1 - 1.0, y2 - y1 - 1.0);
      if (shape == Shape::ellipse)
        painter.drawEllipse(box);
      else
        painter.drawRect(box);
    }
    Stamp made;
    made.left = made.top = INT_MAX;
    made.right = made.bottom = INT_MIN;
    for (int y = 0; y < image.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        const bool byPen = line[x] == penColor.rgba(), byBrush = line[x] == brushColor.rgba();
        if (!byPen && !byBrush) continue;
        const int dx = x - w * kMargin, dy = y - w * kMargin;
        made.left = std::min(made.left, dx), made.right = std::max(made.right, dx);
        made.top = std::min(made.top, dy), made.bottom = std::max(made.bottom, dy);
        (byPen ? made.pen : made.brush).push_back(dy * stride_ + dx);
      }
    }
    found = stamps_.emplace(key, std::move(made)).first;
  }
  const Stamp& st = found->second;
  if (st.pen.empty() && st.brush.empty()) return true;
  const std::int64_t ix = std::int64_t{x1} * w, iy = std::int64_t{y1} * w;
  if (ix + st.left < 0 || iy + st.top < 0 || ix + st.right >= imageWidth_ || iy + st.bottom >= imageHeight_)
    return false;
  std::uint32_t* const origin = pixels_ + iy * stride_ + ix;
  const std::uint32_t brush = fill_.rgba();
  for (const qsizetype o : st.brush) origin[o] = brush;
  for (const qsizetype o : st.pen) origin[o] = penPixel_;
  return true;
}

void QPainterSurface::ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  flush();
  if (stamp(Shape::ellipse, x1, y1, x2, y2)) return;
  syncPainterPen();
  if (ratio_ != 1)
    painter_.drawEllipse(strokeBox(x1, y1, x2, y2));
  else
    painter_.drawEllipse(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

void QPainterSurface::rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  flush();
  if (stamp(Shape::rectangle, x1, y1, x2, y2)) return;
  syncPainterPen();
  if (ratio_ != 1)
    painter_.drawRect(strokeBox(x1, y1, x2, y2));
  else
    painter_.drawRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

void QPainterSurface::moveTo(std::int32_t x, std::int32_t y) {
  posX_ = x;
  posY_ = y;
}

// Bresenham's line without its end point, as the map's geometry counts it.
inline void QPainterSurface::plotLine(int x0, int y0, int x1, int y1) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  const auto inside = [this](int x, int y) {
    return static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(height_);
  };
  const bool checked = !inside(x0, y0) || !inside(x1, y1);
  if (!checked && !invert_) return penRaster().line(x0, y0, x1, y1);
  int err = dx + dy;
  for (int n = std::max(dx, -dy); n > 0; --n) {
    if (!checked || inside(x0, y0)) {
      std::uint32_t& pixel = pixels_[y0 * stride_ + x0];
      pixel = invert_ ? pixel ^ 0x00FFFFFFu : penPixel_;
    }
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

// The same where a map pixel is several of the image's: the line runs
// between the image pixels of its ends, as thick as a map pixel, each image
// pixel set once, so that an inverted line is whole and inverting it again
// restores it.
void QPainterSurface::plotScaledLine(int x0, int y0, int x1, int y1) {
  const int w = std::max(1, static_cast<int>(std::lround(ratio_)));
  // The first image pixel of a map pixel's band of w.
  const auto image = [&](int v) { return static_cast<int>(std::floor((v + 0.5) * ratio_ - w / 2.0 + 0.5)); };
  int ax = image(x0), ay = image(y0), bx = image(x1), by = image(y1);
  const bool alongX = std::abs(bx - ax) >= std::abs(by - ay);
  // Going back along its long axis, a line keeps to the far side of each
  // band, so that it covers the same map pixels as going forward.
  if (alongX && bx < ax) ax += w - 1, bx += w - 1;
  if (!alongX && by < ay) ay += w - 1, by += w - 1;
  const int dx = std::abs(bx - ax), sx = ax < bx ? 1 : -1;
  const int dy = -std::abs(by - ay), sy = ay < by ? 1 : -1;
  // Most lines lie wholly inside: no test for each pixel then.
  const bool checked = std::min(ax, bx) < 0 || std::min(ay, by) < 0 || std::max(ax, bx) + w > imageWidth_ ||
                       std::max(ay, by) + w > imageHeight_;
  const qsizetype across = alongX ? stride_ : 1;
  int err = dx + dy;
  if (!checked && !invert_ && w == 2) {
    // The outline's longer lines at a ratio of 2: two pixels a step,
    // without a branch.
    std::uint32_t* pixel = pixels_ + ay * stride_ + ax;
    const qsizetype stepY = sy * stride_;
    for (int n = std::max(dx, -dy); n > 0; --n) {
      pixel[0] = penPixel_;
      pixel[across] = penPixel_;
      const int e2 = 2 * err;
      const bool stepsX = e2 >= dy, stepsY = e2 <= dx;
      err += (stepsX ? dy : 0) + (stepsY ? dx : 0);
      pixel += (stepsX ? sx : 0) + (stepsY ? stepY : 0);
    }
    return;
  }
  for (int n = std::max(dx, -dy); n > 0; --n) {
    if (!checked) {
      std::uint32_t* pixel = pixels_ + ay * stride_ + ax;
      for (int k = 0; k < w; ++k, pixel += across) *pixel = invert_ ? *pixel ^ 0x00FFFFFFu : penPixel_;
    } else {
      for (int k = 0; k < w; ++k) {
        const int px = alongX ? ax : ax + k, py = alongX ? ay + k : ay;
        if (static_cast<unsigned>(px) < static_cast<unsigned>(imageWidth_) &&
            static_cast<unsigned>(py) < static_cast<unsigned>(imageHeight_)) {
          std::uint32_t& pixel = pixels_[py * stride_ + px];
          pixel = invert_ ? pixel ^ 0x00FFFFFFu : penPixel_;
        }
      }
    }
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, ax += sx;
    if (e2 <= dx) err += dx, ay += sy;
  }
}

void QPainterSurface::lineTo(std::int32_t x, std::int32_t y) {
  const std::int64_t ax = posX_, ay = posY_;
  posX_ = x;
  posY_ = y;
  const auto near = [](std::int64_t v, int size) { return v >= -kMargin && v <= size + kMargin; };
  int x0, y0, x1, y1;
  if (near(ax, width_) && near(x, width_) && near(ay, height_) && near(y, height_)) {
    x0 = static_cast<int>(ax), y0 = static_cast<int>(ay), x1 = x, y1 = y;
  } else {
    double cx0 = static_cast<double>(ax), cy0 = static_cast<double>(ay), cx1 = x, cy1 = y;
    if (!clipSegment(cx0, cy0, cx1, cy1, -kMargin, -kMargin, width_ + kMargin, height_ + kMargin)) return;
    x0 = static_cast<int>(std::lround(cx0)), y0 = static_cast<int>(std::lround(cy0));
    x1 = static_cast<int>(std::lround(cx1)), y1 = static_cast<int>(std::lround(cy1));
  }
  if (pixels_ && pen_.width <= 1) {
    if (ratio_ == 1)
      plotLine(x0, y0, x1, y1);
    else
      plotScaledLine(x0, y0, x1, y1);
    return;
  }
  lines_.emplace_back(x0, y0, x1, y1);
  if (lines_.size() >= kBatch) flush();
}

void QPainterSurface::polyline(std::span<const nav::PixelPoint> points) {
  if (points.empty()) return;
  // A map mark drawn a hundred thousand times: one test for the whole
  // figure instead of one per line.
  if (pixels_ && pen_.width <= 1 && !invert_ && ratio_ == 1 &&
      std::all_of(points.begin(), points.end(), [this](const nav::PixelPoint& p) {
        return static_cast<unsigned>(p.x) < static_cast<unsigned>(width_) &&
               static_cast<unsigned>(p.y) < static_cast<unsigned>(height_);
      })) {
    penRaster().polyline(points);
    posX_ = points.back().x;
    posY_ = points.back().y;
    return;
  }
  if (ratio_ != 1) {
    if (const std::optional<nav::PixelRaster> scaled = raster()) {
      for (std::size_t i = 1; i < points.size(); ++i) {
        const nav::PixelPoint a = points[i - 1], b = points[i];
        const int dx = b.x - a.x, dy = b.y - a.y;
        if (static_cast<unsigned>(dx + kShortReach) > 2 * kShortReach ||
            static_cast<unsigned>(dy + kShortReach) > 2 * kShortReach ||
            !shortScaledLine(dx, dy).set(*scaled, a.x, a.y)) {
          posX_ = a.x, posY_ = a.y;
          QPainterSurface::lineTo(b.x, b.y);
        }
      }
      posX_ = points.back().x;
      posY_ = points.back().y;
      return;
    }
  }
  posX_ = points[0].x;
  posY_ = points[0].y;
  for (std::size_t i = 1; i < points.size(); ++i) QPainterSurface::lineTo(points[i].x, points[i].y);
}

const nav::MarkPixels& QPainterSurface::shortScaledLine(int dx, int dy) {
  std::optional<nav::MarkPixels>& line = shortScaled_[(dy + kShortReach) * (2 * kShortReach + 1) + (dx + kShortReach)];
  if (!line) {
    const nav::PixelSegment segment{{0, 0}, {dx, dy}};
    line.emplace(std::span(&segment, 1), stride_, wholeRatio());
  }
  return *line;
}

std::optional<nav::PixelRaster> QPainterSurface::raster() {
  if (!pixels_ || pen_.width > 1 || invert_) return std::nullopt;
  if (ratio_ == 1) return penRaster();
  // At a whole ratio a map pixel is a square of the image's, and a mark
  // its scaled lines, set as plotScaledLine sets them; at another the
  // lines themselves are drawn.
  const int w = wholeRatio();
  if (w == 0) return std::nullopt;
  return nav::PixelRaster{pixels_, stride_, imageWidth_, imageHeight_, penPixel_, w};
}

// The ring of map pixels just inside the box, each a square of the
// image's, as the painter strokes it with a map pixel's pen and mitred
// corners.
bool QPainterSurface::setFrame(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  const int w = wholeRatio();
  if (w <= 1 || !pixels_ || invert_ || x2 - x1 < 3 || y2 - y1 < 3) return false;
  const std::int64_t left = std::int64_t{x1} * w, right = std::int64_t{x2} * w;
  const std::int64_t top = std::int64_t{y1} * w, bottom = std::int64_t{y2} * w;
  if (left < 0 || top < 0 || right > imageWidth_ || bottom > imageHeight_) return false;
  const std::uint32_t color = fill_.rgba();
  for (std::int64_t y = top; y < bottom; ++y) {
    std::uint32_t* const row = pixels_ + y * stride_;
    if (y < top + w || y >= bottom - w) {
      std::fill(row + left, row + right, color);
    } else {
      std::fill(row + left, row + left + w, color);
      std::fill(row + right - w, row + right, color);
    }
  }
  return true;
}

void QPainterSurface::frame(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  flush();
  if (setFrame(x1, y1, x2, y2)) return;
  // No save and restore of the painter's whole state: only its pen and brush change.
  if (ratio_ != 1) {
    QPen pen(fill_, 1);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
  } else {
    painter_.setPen(QPen(fill_, 0));
  }
  painterHasTextPen_ = false;
  painter_.setBrush(Qt::NoBrush);
  if (ratio_ != 1)
    painter_.drawRect(strokeBox(x1, y1, x2, y2));
  else
    painter_.drawRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
  painter_.setBrush(fill_);
  painterPenStale_ = true;
}

// The white box under a text: a plain fill of whole pixels, set directly
// where the image allows it, as the painter would set them.
void QPainterSurface::fillBox(int x, int y, int w, int h) {
  const int scale = ratio_ == 1 ? 1 : wholeRatio();
  if (!pixels_ || invert_ || fill_.alpha() != 255 || scale == 0) return painter_.fillRect(x, y, w, h, fill_);
  const auto left = std::max<std::int64_t>(std::int64_t{x} * scale, 0);
  const auto right = std::min<std::int64_t>((std::int64_t{x} + w) * scale, imageWidth_);
  const auto top = std::max<std::int64_t>(std::int64_t{y} * scale, 0);
  const auto bottom = std::min<std::int64_t>((std::int64_t{y} + h) * scale, imageHeight_);
  if (left >= right) return;
  const std::uint32_t color = fill_.rgba();
  for (auto row = top; row < bottom; ++row)
    std::fill(pixels_ + row * stride_ + left, pixels_ + row * stride_ + right, color);
}

void QPainterSurface::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
  flush();
  const Measured& m = measure(text);
  fillBox(x, y, m.width, metrics_.height());
  // No save and restore of the painter's whole state: only its pen changes,
  // and not between the lines of a label.
  if (!painterHasTextPen_) painter_.setPen(text_);
  painterHasTextPen_ = true;
  if (m.asGlyphs)
    painter_.drawGlyphRun(QPointF(x, y + metrics_.ascent()), m.glyphs);
  else
    painter_.drawText(x, y + metrics_.ascent(), fromWindows1252(text));
  painterPenStale_ = true;
  posX_ = x + m.width;
  posY_ = y;
}

nav::TextSize QPainterSurface::textExtent(std::string_view text) { return {measure(text).width, metrics_.height()}; }

// A label's lines are measured, then written: the last two are kept so that
// each line is laid out once.
const QPainterSurface::Measured& QPainterSurface::measure(std::string_view text) {
  for (const Measured& m : measured_)
    if (m.valid && m.text == text) return m;
  Measured& m = measured_[nextMeasured_];
  nextMeasured_ = (nextMeasured_ + 1) % measured_.size();
  m.valid = true;
  m.text.assign(text);
  // Looked up at the first text, not before: the check behind it takes a
  // few milliseconds once, and a map without labels needs none of it.
  const MapGlyphs* glyphs = MapGlyphs::forMapFont();
  m.asGlyphs = glyphs && glyphs->layout(text, m.glyphs, m.width);
  if (!m.asGlyphs) m.width = metrics_.horizontalAdvance(fromWindows1252(text));
  return m;
}

}  // namespace navui
