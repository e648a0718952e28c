#pragma once

#include <array>
#include <string_view>

#include "mapview/view_settings.h"

namespace nav {

// One button of the left button bar that shows and flips a layer switch.
struct LayerButtonEntry {
  std::string_view button;
  std::string_view caption;
  bool ViewSettings::*flag;
  bool hasHandler;  // without one, a click changes nothing
};

// Top to bottom, below the zoom buttons.
extern const std::array<LayerButtonEntry, 17> kLayerButtons;

// The buttons whose pressed state start-up sets from their switch, in that
// order; "btnNomwpt" is not among them and starts released.
extern const std::array<std::string_view, 16> kStartupPressOrder;

const LayerButtonEntry* findLayerButton(std::string_view button);

// The layer switch of a button click: flips the flag and returns its new
// value, which is also the button's new pressed state.
bool toggleLayer(ViewSettings& settings, const LayerButtonEntry& entry);

}  // namespace nav
