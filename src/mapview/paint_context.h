#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "mapview/pens.h"
#include "mapview/view_settings.h"
#include "mapview/viewport.h"
#include "navdata/nav_database.h"
#include "navdata/world_outline.h"

namespace nav {

// One row of the flight plan as the route reads it: the texts of its cells
// and the position the legs take from it, a signed longitude.
struct RouteRow {
  std::string_view name;
  std::optional<GeoPosition> position;
  std::string_view dbky;
  std::string_view type;
};

// What every map layer reads during one paint. Only the spare pen changes:
// it keeps what the last save put in it, and a layer that restores before it
// saves takes what the last paint left there, so that whoever paints owns it
// and hands it from one paint to the next.
struct MapPaintContext {
  const Viewport& view;
  const ViewSettings& settings;
  const NavDatabase& db;
  const WorldOutline& outline;
  const Pens& pens;
  Pen& penSaved;
  std::int32_t detailMag = 6;
  char decimalSeparator = '.';
  std::span<const RouteRow> route{};  // the flight plan's rows
  bool routeShown = false;            // the plan shows its route

  bool fullDetail() const { return view.mag > detailMag; }
};

}  // namespace nav
