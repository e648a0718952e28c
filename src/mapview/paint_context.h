#pragma once

#include <cstdint>

#include "app/view_settings.h"
#include "mapview/pens.h"
#include "mapview/viewport.h"
#include "navdata/nav_database.h"
#include "navdata/world_outline.h"

namespace nav {

struct FlightPlan;

// What every map layer reads during one paint. Only the pens change: the
// spare pen keeps what the last save put in it, from one paint to the next.
struct MapPaintContext {
  const Viewport& view;
  const ViewSettings& settings;
  const NavDatabase& db;
  const WorldOutline& outline;
  Pens& pens;
  std::int32_t detailMag = 6;
  char decimalSeparator = '.';
  const FlightPlan* plan = nullptr;  // the route's rows, when there is a plan

  bool fullDetail() const { return view.mag > detailMag; }
};

}  // namespace nav
