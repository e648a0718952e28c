#pragma once

#include <string>
#include <vector>

#include "mapview/map_surface.h"

namespace navtest {

// A drawing surface that remembers every call, with the pen and fill colour
// current at the time. Text is 6 pixels a character and 13 high.
class RecordingSurface : public nav::MapSurface {
 public:
  struct Op {
    std::string kind;                // "line", "ellipse", "rectangle", "polygon", "frame", "text"
    std::vector<std::int32_t> args;  // line: x1 y1 x2 y2; boxes: x1 y1 x2 y2; text: x y
    std::string text;
    nav::Pen pen;
    nav::Rgb fill;
    bool invert = false;
  };

  nav::Pen pen() const override { return pen_; }
  void setPen(const nav::Pen& pen) override { pen_ = pen; }
  void setFillColor(nav::Rgb color) override { fill_ = color; }
  void setTextColor(nav::Rgb color) override { textColor = color; }
  void setInvertMode(bool on) override { invert_ = on; }
  bool invertMode() const { return invert_; }
  void polygon(std::span<const nav::PixelPoint> points) override;
  void ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override {
    box("ellipse", x1, y1, x2, y2);
  }
  void rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override {
    box("rectangle", x1, y1, x2, y2);
  }
  void moveTo(std::int32_t x, std::int32_t y) override { x_ = x, y_ = y; }
  void lineTo(std::int32_t x, std::int32_t y) override;
  void frame(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override {
    box("frame", x1, y1, x2, y2);
  }
  void textOut(std::int32_t x, std::int32_t y, std::string_view text) override;
  nav::TextSize textExtent(std::string_view text) override { return {static_cast<std::int32_t>(6 * text.size()), 13}; }
  std::int32_t fontHeight() const override { return -11; }

  std::vector<Op> ops;
  nav::Rgb textColor{};

  std::vector<Op> only(const std::string& kind) const;
  std::vector<std::string> texts() const;

 private:
  void box(const char* kind, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  nav::Pen pen_{};
  nav::Rgb fill_{255, 255, 255};
  bool invert_ = false;
  std::int32_t x_ = 0, y_ = 0;
};

}  // namespace navtest
