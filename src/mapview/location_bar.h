#pragma once

#include <string>

#include "mapview/viewport.h"

namespace nav {

// The text of the first status panel: the view centre in decimal degrees and
// in degrees, minutes and seconds, and the view's size in nautical miles
// (one per arc-minute of its spans). Windows-1252, degree sign 0xB0.
std::string locationBarText(const Viewport& view, char decimalSeparator);

}  // namespace nav
