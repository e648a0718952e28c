#include "paint/map_image.h"

#include "mapview/map_painter.h"
#include "paint/qpainter_surface.h"

namespace navui {

namespace {

// Whether the world frame, filled white, lies over the whole area with its
// edges beyond it. A view inside the world keeps the frame's corners well
// within the pixel range, so that converting them cannot fail.
bool frameCoversArea(const nav::Viewport& v) {
  if (!(v.left > -nav::kHalfTurn && v.right < nav::kHalfTurn && v.top < nav::kQuarterTurn &&
        v.bottom > -nav::kQuarterTurn))
    return false;
  const nav::MapPixel a = v.GeoToPixel(-nav::kHalfTurn, nav::kQuarterTurn);
  const nav::MapPixel b = v.GeoToPixel(nav::kHalfTurn, -nav::kQuarterTurn);
  return a.x < 0 && a.y < 0 && b.x > v.clientWidth && b.y > v.clientHeight;
}

}  // namespace

void paintMapImage(QImage& image, nav::NavViewState& state, char decimalSeparator) {
  state.view.clientWidth = mapExtent(image.width(), image.devicePixelRatio());
  state.view.clientHeight = mapExtent(image.height(), image.devicePixelRatio());
  // The frame paints every pixel white where it covers the area; filling
  // the area first would only do it twice.
  if (!frameCoversArea(state.view)) image.fill(Qt::white);
  QPainterSurface surface(image);
  const std::vector<nav::RouteRow> route = nav::routeRows(state.plan);
  nav::MapPaintContext ctx{state.view,      state.settings,   state.db, state.outline,        state.pens,
                           state.detailMag, decimalSeparator, route,    state.plan.routeShown};
  nav::CartePaint(surface, ctx);
}

}  // namespace navui
