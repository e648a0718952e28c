#include "mapview/route_layer.h"

#include "mapview/object_layers.h"

namespace nav {

void drawRouteLayer(MapSurface& s, MapPaintContext& ctx) {
  if (!ctx.settings.planning || !ctx.routeShown) return;
  bool routeStart = true;
  savePen(s, ctx.penSaved);
  s.setPen(ctx.pens.penRoute);
  const Viewport& v = ctx.view;

  // Only an airport inside the view starts the line; the other kinds only
  // continue it.
  auto visit = [&](GeoPosition stored, bool mayStart) {
    const std::optional<MapPixel> p = visiblePixel(v, stored);
    if (!p) return;
    if (routeStart) {
      if (!mayStart) return;
      s.moveTo(p->x, p->y);
      routeStart = false;
    } else {
      s.lineTo(p->x, p->y);
    }
  };

  for (const RouteRow& row : ctx.route) {
    const std::string_view type = row.type;
    const std::string_view key = row.dbky;
    if (type == typeCode::airport) {
      for (const AirportRecord& a : ctx.db.airports)
        if (a.dbky() == key) visit({.lat = a.lat(), .lon = a.lon()}, true);
    } else if (type == typeCode::navaid) {
      for (const NavaidRecord& n : ctx.db.navaids)
        if (n.dbky() == key) visit({.lat = n.lat(), .lon = n.lon()}, false);
    } else if (type == typeCode::waypoint) {
      for (const WaypointRecord& w : ctx.db.waypoints)
        if (w.dbky() == key) visit({.lat = w.lat(), .lon = w.lon()}, false);
    } else if (type == typeCode::userWaypoint) {
      // A loaded file may hold anything here; a row without numbers is
      // passed over.
      if (!row.position) continue;
      const std::optional<MapPixel> p = visiblePixel(v, *row.position);
      if (!p || routeStart) continue;
      s.lineTo(p->x, p->y);
      if (ctx.settings.waypoint) drawWaypointSymbol(s, ctx, p->x, p->y, row.name);
    }
  }
}

}  // namespace nav
