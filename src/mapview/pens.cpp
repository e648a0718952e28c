#include "mapview/pens.h"

namespace nav {

Pens createPens() {
  Pens p;
  p.penAirport = {{255, 0, 0}, 1};
  p.penIls = {{255, 0, 0}, 1};
  p.penVor = {{0, 0, 255}, 1};
  p.penNdb = {{0, 255, 0}, 1};
  p.penWaypoint = {{0, 0, 0}, 1};
  p.penOutline = {{0, 192, 255}, 1};
  p.penGrid = {{0, 192, 255}, 1};
  p.penRoute = {{0, 0, 0}, 1};
  p.penMarker = {{255, 0, 0}, 1};
  return p;
}

}  // namespace nav
