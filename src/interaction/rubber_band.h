#pragma once

#include "mapview/map_surface.h"

namespace nav {

// The figure the right button draws on the map: the diagonal between where
// it went down and the pointer, and the rectangle on them. It is drawn by
// inverting pixels, so drawing it again takes it away and the map is never
// painted again for it.
struct RubberBand {
  bool rubberActive = false;
  PixelPoint rubberAnchor;
  PixelPoint rubberCorner;

  void press(std::int32_t x, std::int32_t y);
  // Takes the figure last drawn away and draws the one to (x, y).
  void follow(MapSurface& surface, std::int32_t x, std::int32_t y);
  // Takes the figure last drawn away; ends the band.
  void release(MapSurface& surface);
};

}  // namespace nav
