#include "interaction/rubber_band.h"

namespace nav {

namespace {

void invertingBlackPen(MapSurface& s) {
  s.setInvertMode(true);
  Pen black = s.pen();
  black.color = {0, 0, 0};
  s.setPen(black);
}

void rectangleThrough(MapSurface& s, PixelPoint a, std::int32_t bx, std::int32_t by) {
  s.moveTo(a.x, a.y);
  s.lineTo(a.x, by);
  s.lineTo(bx, by);
  s.lineTo(bx, a.y);
  s.lineTo(a.x, a.y);
}

}  // namespace

void RubberBand::press(std::int32_t x, std::int32_t y) {
  rubberActive = true;
  rubberAnchor = rubberCorner = {x, y};
}

void RubberBand::follow(MapSurface& s, std::int32_t x, std::int32_t y) {
  if (!rubberActive) return;
  const PixelPoint a = rubberAnchor, b = rubberCorner;
  invertingBlackPen(s);
  s.moveTo(a.x, a.y);
  s.lineTo(b.x, b.y);
  s.moveTo(a.x, a.y);
  s.lineTo(x, y);
  rectangleThrough(s, a, b.x, b.y);
  rectangleThrough(s, a, x, y);
  s.setInvertMode(false);
  rubberCorner = {x, y};
}

void RubberBand::release(MapSurface& s) {
  if (!rubberActive) return;
  const PixelPoint a = rubberAnchor, b = rubberCorner;
  invertingBlackPen(s);
  s.moveTo(a.x, a.y);
  s.lineTo(b.x, b.y);
  rectangleThrough(s, a, b.x, b.y);
  s.setInvertMode(false);
  rubberActive = false;
}

}  // namespace nav
