#include "paint/map_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/plan_placement.h"
#include "mapview/map_painter.h"
#include "paint/qpainter_surface.h"

namespace navui {

namespace {

// The part of the image the world frame's fill is sure to cover: its inside
// less a few pixels, or an empty box.
QRect insideWorldFrame(const nav::Viewport& v, qreal ratio) {
  constexpr double kMargin = 3;  // past any rounding of the frame's corners
  const double w = v.clientWidth, h = v.clientHeight;
  const double west = (-nav::kHalfTurn - v.left) / (v.right - v.left) * w;
  const double east = (nav::kHalfTurn - v.left) / (v.right - v.left) * w;
  const double north = (v.top - nav::kQuarterTurn) / (v.top - v.bottom) * h;
  const double south = (v.top + nav::kQuarterTurn) / (v.top - v.bottom) * h;
  const double left = std::max(west + kMargin, 0.0), right = std::min(east - kMargin, w);
  const double top = std::max(north + kMargin, 0.0), bottom = std::min(south - kMargin, h);
  if (!(left < right && top < bottom)) return {};
  const int x1 = static_cast<int>(std::ceil(left * ratio)), x2 = static_cast<int>(std::floor(right * ratio));
  const int y1 = static_cast<int>(std::ceil(top * ratio)), y2 = static_cast<int>(std::floor(bottom * ratio));
  return x1 < x2 && y1 < y2 ? QRect(x1, y1, x2 - x1, y2 - y1) : QRect();
}

// White where the world frame will not paint: the frame's fill does the
// rest, and filling all of it first cost as much again. Where the frame
// covers the whole area nothing is filled.
void fillAroundWorldFrame(QImage& image, const nav::Viewport& v) {
  const QRect all = image.rect();
  const QRect inside = insideWorldFrame(v, image.devicePixelRatio()).intersected(all);
  if (inside == all) return;
  const QImage::Format f = image.format();
  const bool direct =
      f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
  if (inside.isEmpty() || !direct) return image.fill(Qt::white);
  const auto fill = [&](int x, int y, int width, int height) {
    for (int row = y; row < y + height; ++row) {
      auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(row));
      std::fill(line + x, line + x + width, 0xFFFFFFFFu);
    }
  };
  fill(0, 0, all.width(), inside.top());
  fill(0, inside.top(), inside.left(), inside.height());
  fill(inside.right() + 1, inside.top(), all.width() - inside.right() - 1, inside.height());
  fill(0, inside.bottom() + 1, all.width(), all.height() - inside.bottom() - 1);
}

}  // namespace

void paintMapImage(QImage& image, const nav::NavViewState& state, const nav::FlightPlan& plan, nav::Pen& penSaved,
                   char decimalSeparator) {
  nav::Viewport view = state.view;
  view.clientWidth = mapExtent(image.width(), image.devicePixelRatio());
  view.clientHeight = mapExtent(image.height(), image.devicePixelRatio());
  fillAroundWorldFrame(image, view);
  QPainterSurface surface(image);
  const std::vector<nav::RouteRow> route = nav::routeRows(plan);
  nav::MapPaintContext ctx{view,     state.settings,  state.db,         state.outline, state.pens,
                           penSaved, state.detailMag, decimalSeparator, route,         plan.routeShown};
  nav::CartePaint(surface, ctx);
}

}  // namespace navui
