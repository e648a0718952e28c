#pragma once

#include <cstdint>

namespace nav {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A drawing pen: always solid; the default is the drawing surface's own pen.
struct Pen {
  Rgb color{};
  std::int32_t width = 1;
  friend bool operator==(const Pen&, const Pen&) = default;
};

struct Pens {
  Pen penAirport, penIls, penVor, penNdb, penWaypoint, penOutline, penGrid, penRoute, penMarker;
};

Pens createPens();

}  // namespace nav
