#include "mapview/recording_surface.h"

namespace navtest {

void RecordingSurface::polygon(std::span<const nav::PixelPoint> points) {
  Op op{"polygon", {}, {}, pen_, fill_};
  for (const auto& p : points) {
    op.args.push_back(p.x);
    op.args.push_back(p.y);
  }
  ops.push_back(op);
}

void RecordingSurface::lineTo(std::int32_t x, std::int32_t y) {
  ops.push_back({"line", {x_, y_, x, y}, {}, pen_, fill_, invert_});
  x_ = x;
  y_ = y;
}

void RecordingSurface::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
  ops.push_back({"text", {x, y}, std::string(text), pen_, fill_});
  x_ = x + static_cast<std::int32_t>(6 * text.size());
  y_ = y;
}

void RecordingSurface::box(const char* kind, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  ops.push_back({kind, {x1, y1, x2, y2}, {}, pen_, fill_});
}

std::vector<RecordingSurface::Op> RecordingSurface::only(const std::string& kind) const {
  std::vector<Op> out;
  for (const Op& op : ops)
    if (op.kind == kind) out.push_back(op);
  return out;
}

std::vector<std::string> RecordingSurface::texts() const {
  std::vector<std::string> out;
  for (const Op& op : ops)
    if (op.kind == "text") out.push_back(op.text);
  return out;
}

}  // namespace navtest
