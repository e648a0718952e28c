#pragma once

#include <cstdint>
#include <string>

#include "base/geo_position.h"
#include "mapview/view_settings.h"
#include "navdata/nav_database.h"

namespace nav {

// The pointer's position in whole arc-seconds, as the box test and a user
// point take it, and the text of the second status panel.
struct PointerPosition {
  GeoPosition pointer;     // a stored longitude: 0 to 1296000
  std::string statusText;  // Windows-1252, degree sign 0xB0
};
// `at` with a signed longitude, as the view gives it.
PointerPosition pointerPosition(GeoPosition at);

// Half the side of the box around the pointer, in arc-seconds.
inline std::int32_t hoverRadius(std::int32_t mag) { return 50 - 3 * mag; }

struct UserPoint {
  std::string name;
  GeoPosition position;  // a stored longitude
};

// "WPT0001" for 1, "WPT12345" for 12345.
std::string userPointName(std::int32_t counter);

// What the last move found under the pointer. An empty slot holds -1 where
// the record keeps its recId.
struct HoverSelection {
  AirportRecord hoveredAirport = emptySlot<AirportRecord>();
  NavaidRecord hoveredNavaid = emptySlot<NavaidRecord>();
  WaypointRecord hoveredWaypoint = emptySlot<WaypointRecord>();
  UserPoint userPoint;

  bool hasAirport() const { return hoveredAirport.recId() >= 0; }
  bool hasNavaid() const { return hoveredNavaid.recId() >= 0; }
  bool hasWaypoint() const { return hoveredWaypoint.recId() >= 0; }

  template <class Record>
  static Record emptySlot() {
    Record r;
    for (int i = 0; i < 4; ++i) r.bytes[i] = 0xFF;
    return r;
  }
};

struct Identification {
  std::string description;  // empty when nothing was identified
  bool found = false;
  HoverSelection selection;
};

// The object under the pointer in the layers that are on; the first match in
// table order of each layer, the description of the last layer that found
// one (airport, navaid, waypoint, ILS).
// `pointer` as pointerPosition gives it.
Identification identifyAt(GeoPosition pointer, std::int32_t mag, const ViewSettings& layers, const NavDatabase& db,
                          std::int32_t userPointCounter, char decimalSeparator);

// Top-left corner of the popup on the screen for a pointer at (x, y) in the
// map, whose client area starts at (ox, oy); W x H is the main window's
// client size, pw x ph the popup's outer size.
struct ScreenPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};
ScreenPoint popupTopLeft(std::int32_t ox, std::int32_t oy, std::int32_t x, std::int32_t y, std::int32_t W,
                         std::int32_t H, std::int32_t pw, std::int32_t ph);

// A pw x ph window at `at` moved back inside the screen area from
// (left, top) to (right, bottom), edges excluded; its top-left corner wins
// when it is larger than the area.
struct ScreenArea {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};
ScreenPoint keptInside(ScreenPoint at, std::int32_t pw, std::int32_t ph, const ScreenArea& area);

}  // namespace nav
