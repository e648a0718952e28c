#include "mapview/map_painter.h"

#include <array>

#include "mapview/graticule.h"
#include "mapview/object_layers.h"
#include "mapview/outline_drawing.h"
#include "mapview/route_layer.h"

namespace nav {

void drawWorldFrame(MapSurface& s, const MapPaintContext& ctx) {
  const MapPixel a = ctx.view.GeoToPixel({.lat = kQuarterTurn, .lon = -kHalfTurn});
  const MapPixel b = ctx.view.GeoToPixel({.lat = -kQuarterTurn, .lon = kHalfTurn});
  const std::array<PixelPoint, 4> corners{{{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}}};
  s.polygon(corners);
}

void drawCentreMark(MapSurface& s, MapPaintContext& ctx) {
  savePen(s, ctx.penSaved);
  s.setPen(ctx.pens.penIls);
  const MapPixel p = ctx.view.GeoToPixel({.lat = ctx.view.markLat, .lon = ctx.view.markLon});
  s.moveTo(p.x - 2, p.y);
  s.lineTo(p.x + 2, p.y);
  s.moveTo(p.x, p.y + 2);
  s.lineTo(p.x, p.y - 2);
}

void CartePaint(MapSurface& s, MapPaintContext& ctx) {
  const ViewSettings& on = ctx.settings;
  s.setTextColor({0, 0, 0});
  s.setFillColor({255, 255, 255});
  Pen black = s.pen();
  black.color = {0, 0, 0};
  s.setPen(black);
  drawWorldFrame(s, ctx);
  if (ctx.outline.outlineLoaded && on.showMaps) drawWorldOutline(s, ctx);
  if (on.showGrid) drawGraticule(s, ctx);
  if (on.vor || on.ndb) drawNavaidLayer(s, ctx);
  if (on.airport) drawAirportLayer(s, ctx);
  if (on.ils || on.marker) drawIlsLayer(s, ctx);
  if (on.waypoint) drawWaypointLayer(s, ctx);
  drawRouteLayer(s, ctx);
  drawCentreMark(s, ctx);
}

}  // namespace nav
