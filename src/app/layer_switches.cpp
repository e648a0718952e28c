#include "app/layer_switches.h"

namespace nav {

using S = ViewSettings;

const std::array<LayerButtonEntry, 17> kLayerButtons{{
    {"btnNDB", "NDB", &S::ndb, true},
    {"btnVOR", "VOR", &S::vor, true},
    {"btnAirport", "Airport", &S::airport, true},
    {"btnILS", "ILS", &S::ils, true},
    {"btnMarker", "Marker", &S::marker, true},
    {"btnID", "ID", &S::id, true},
    {"btnNom", "Nom", &S::name, true},
    {"btnFreq", "Freq", &S::freq, true},
    {"btnPlan", "PLN", &S::planning, true},
    {"btnMap", "Carte", &S::showMaps, true},
    {"btnGrid", "Grille", &S::showGrid, true},
    {"btnObstruct", "Obstacle", &S::obstruct, true},
    {"btnWPT", "Waypoint", &S::waypoint, true},
    {"btnNomwpt", "NomWPT", &S::wptName, true},
    {"btnHway", "H", &S::hiway, true},
    {"btnLway", "L", &S::loway, false},
    {"btnIDway", "ID", &S::idway, false},
}};

const std::array<std::string_view, 16> kStartupPressOrder{
    "btnVOR",  "btnNDB", "btnILS",  "btnAirport", "btnWPT",  "btnMarker", "btnObstruct", "btnPlan",
    "btnGrid", "btnMap", "btnFreq", "btnNom",     "btnHway", "btnLway",   "btnIDway",    "btnID",
};

const LayerButtonEntry* findLayerButton(std::string_view button) {
  for (const auto& entry : kLayerButtons)
    if (entry.button == button) return &entry;
  return nullptr;
}

bool toggleLayer(ViewSettings& settings, const LayerButtonEntry& entry) {
  if (!entry.hasHandler) return settings.*entry.flag;
  settings.*entry.flag = !(settings.*entry.flag);
  return settings.*entry.flag;
}

}  // namespace nav
