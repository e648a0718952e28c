#include "interaction/hover_identification.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "base/number_format.h"
#include "navdata/position_index.h"

namespace nav {

namespace {

bool underPointer(double la, double lo, double pLat, double pLon, std::int32_t r) {
  return pLat - r < la && la < pLat + r && pLon - r < lo && lo < pLon + r;
}

const char* navaidLabel(std::int32_t navType) {
  switch (navType) {
    case navType::vor: return "VOR";
    case navType::ndb: return "NDB";
    case navType::vorDme: return "VOR-DME";
    default: return "";
  }
}

}  // namespace

PointerPosition pointerPosition(GeoPosition at) {
  const double lat = at.lat, lon = at.lon;
  const Dms la = dmsOf(lat);
  const Dms lo = dmsOf(lon);
  PointerPosition p;
  p.pointer.lat = la.whole;
  p.pointer.lon = lo.whole < 0 ? lo.whole + kFullTurn : lo.whole;
  const std::string latPart =
      fmt::format("{} {}\xB0 {}' {}\"", lat >= 0 ? 'N' : 'S', std::abs(la.d), std::abs(la.m), std::abs(la.s));
  p.statusText = fmt::format("{} - {} {}\xB0 {}' {}\"", latPart, lon >= 0 ? 'E' : 'W', std::abs(lo.d), std::abs(lo.m),
                             std::abs(lo.s));
  return p;
}

std::string userPointName(std::int32_t counter) { return fmt::format("WPT{:04d}", counter); }

Identification identifyAt(GeoPosition pointer, std::int32_t mag, const ViewSettings& on, const NavDatabase& db,
                          std::int32_t userPointCounter, char sep) {
  const double pLat = pointer.lat, pLon = pointer.lon;
  Identification out;
  const std::int32_t r = hoverRadius(mag);

  // The pointer's box as the records hold positions; each walk stops at
  // its table's first record inside.
  const std::array<PositionBox, 1> box{{{pLat - r, pLat + r, pLon - r, pLon + r}}};
  if (on.airport) {
    visitInBoxes(db.airports, db.positions.airports, box, [&](const AirportRecord& a) {
      if (!underPointer(a.lat(), a.lon(), pLat, pLon, r)) return true;
      out.selection.hoveredAirport = a;
      out.description = fmt::format("AIRPORT {} ({})", a.name(), a.dbky());
      out.found = true;
      return false;
    });
  }

  if (mag > 6) {
    if (on.vor || on.ndb) {
      visitInBoxes(db.navaids, db.positions.navaids, box, [&](const NavaidRecord& n) {
        if (!underPointer(n.lat(), n.lon(), pLat, pLon, r)) return true;
        out.selection.hoveredNavaid = n;
        const std::int32_t type = n.navType();
        if ((type == navType::vor && !on.vor) || (type == navType::ndb && !on.ndb)) return false;
        out.description = fmt::format("{} {} {} {} ({}) ", navaidLabel(type), n.ident(), n.name(),
                                      formatFixed(n.freq(), 3, sep), n.dbky());
        out.found = true;
        return false;
      });
    }
    if (on.waypoint) {
      visitInBoxes(db.waypoints, db.positions.waypoints, box, [&](const WaypointRecord& w) {
        if (w.mapHidden() != 0 || !underPointer(w.lat(), w.lon(), pLat, pLon, r)) return true;
        out.selection.hoveredWaypoint = w;
        out.description = fmt::format("WAYPOINT {} ({})", w.ident(), w.dbky());
        out.found = true;
        return false;
      });
    }
    if (on.ils) {
      visitInBoxes(db.ilsComponents, db.positions.ilsComponents, box, [&](const IlsRecord& i) {
        if (!underPointer(i.lat(), i.lon(), pLat, pLon, r)) return true;
        out.description = fmt::format("ILS : {} {} {} {} {} Mhz ({})", i.rwyId(), i.ident(), i.name(), i.aptKey(),
                                      formatFixed(i.freq(), 3, sep), i.dbky());
        out.found = true;
        return false;
      });
    }
  }

  out.selection.userPoint = {userPointName(userPointCounter), pointer};
  return out;
}

ScreenPoint popupTopLeft(std::int32_t ox, std::int32_t oy, std::int32_t x, std::int32_t y, std::int32_t W,
                         std::int32_t H, std::int32_t pw, std::int32_t ph) {
  return {x < W - pw ? ox + x : ox + x - pw, y < H - ph ? oy + y + 20 : oy + y - ph - 100};
}

ScreenPoint keptInside(ScreenPoint at, std::int32_t pw, std::int32_t ph, const ScreenArea& area) {
  at.x = std::max(std::min(at.x, area.right - pw), area.left);
  at.y = std::max(std::min(at.y, area.bottom - ph), area.top);
  return at;
}

}  // namespace nav
