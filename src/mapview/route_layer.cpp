#include "mapview/route_layer.h"

#include <cmath>

#include "mapview/object_layers.h"

namespace nav {

void drawRouteLayer(MapSurface& s, MapPaintContext& ctx) {
  if (!ctx.settings.planning || !ctx.routeShown) return;
  savePen(s, ctx.penSaved);
  s.setPen(ctx.pens.penRoute);
  const Viewport& v = ctx.view;

  // Positions are signed and on the earth, so that every pixel stays within
  // the 32-bit range at every level.
  std::optional<GeoPosition> previous;
  for (const RouteRow& row : ctx.route) {
    if (!row.position) continue;
    const GeoPosition here = *row.position;
    const MapPixel p = v.GeoToPixel(here);
    if (!previous) {
      s.moveTo(p.x, p.y);
    } else if (const double east = here.lon - previous->lon; std::abs(east) > kHalfTurn) {
      // Out at the world's edge on the previous point's side, back in at the
      // other, where the straight line of the short way crosses it.
      const double edge = east > 0 ? -kHalfTurn : kHalfTurn;
      const double beyond = here.lon + 2 * edge;
      const double t = (edge - previous->lon) / (beyond - previous->lon);
      const double lat = previous->lat + t * (here.lat - previous->lat);
      const MapPixel out = v.GeoToPixel({.lat = lat, .lon = edge});
      const MapPixel in = v.GeoToPixel({.lat = lat, .lon = -edge});
      s.lineTo(out.x, out.y);
      s.moveTo(in.x, in.y);
      s.lineTo(p.x, p.y);
    } else {
      s.lineTo(p.x, p.y);
    }
    // The next leg starts from where the mark leaves the pen, its top vertex.
    if (row.type == typeCode::userWaypoint && ctx.settings.waypoint && p.inside)
      drawWaypointSymbol(s, ctx, p.x, p.y, row.name);
    previous = here;
  }
}

}  // namespace nav
