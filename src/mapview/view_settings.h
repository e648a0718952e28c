#pragma once

namespace nav {

// The layer switches and the other values kept in nav.ini, named by their
// keys, and the unsaved waypoint-name switch. The view's edges and zoom
// level are the viewport's.
struct ViewSettings {
  double idealDist = 139.0;
  bool showGrid = true;
  bool showMaps = true;
  bool planning = false;
  bool vor = false;
  bool ils = false;
  bool ndb = false;
  bool airport = false;
  bool marker = false;
  bool obstruct = false;
  bool waypoint = false;
  bool hiway = false;
  bool loway = false;
  bool idway = false;
  bool name = false;
  bool id = false;
  bool freq = false;
  bool showAirportZones = false;
  bool largeSymbols = true;

  bool wptName = false;  // never written: off at every start
};

}  // namespace nav
