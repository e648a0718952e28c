#include "tools/outline_writer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "base/little_endian.h"
#include "navdata/records.h"

namespace navtools {

namespace {

using nav::kArcSecondsPerDegree;

float arcSeconds(double degrees, double limit) {
  return static_cast<float>(std::clamp(degrees * kArcSecondsPerDegree, -limit, limit));
}

// A polygon around a pole (Antarctica) closes along the pole itself, which a
// flat map would draw as a line along its whole edge.
bool alongAPole(const GeoPoint& p, const GeoPoint& q) {
  constexpr double kNearPole = 89.99;
  return std::abs(p.lat) > kNearPole && std::abs(q.lat) > kNearPole && (p.lat > 0) == (q.lat > 0);
}

}  // namespace

void OutlineBuilder::addPolyline(const std::vector<GeoPoint>& points) {
  std::vector<GeoPoint> piece;
  for (const GeoPoint& q : points) {
    if (!piece.empty() && alongAPole(piece.back(), q)) {
      addPiece(piece);
      piece.clear();
    } else if (!piece.empty() && std::abs(q.lon - piece.back().lon) > 180) {
      const GeoPoint p = piece.back();
      const double edge = p.lon > 0 ? 180 : -180;
      const double step = q.lon + 2 * edge - p.lon;
      // A step of 0 goes from one side of the antimeridian straight to the other.
      const double lat = step == 0 ? p.lat : p.lat + (q.lat - p.lat) * (edge - p.lon) / step;
      if (p.lon != edge) piece.push_back({edge, lat});
      addPiece(piece);
      piece.clear();
      if (q.lon != -edge) piece.push_back({-edge, lat});
    }
    piece.push_back(q);
  }
  addPiece(piece);
}

void OutlineBuilder::addPiece(const std::vector<GeoPoint>& piece) {
  if (piece.size() < 2) return;
  if (!values_.empty()) values_.insert(values_.end(), {0.f, 0.f});
  for (const GeoPoint& p : piece) {
    const float lon = arcSeconds(p.lon, nav::kHalfTurn);
    float lat = arcSeconds(p.lat, nav::kQuarterTurn);
    // (0, 0) is the separator; a real point there moves by half an arc-second.
    if (lon == 0 && lat == 0) lat = 0.5f;
    values_.insert(values_.end(), {lon, lat});
  }
  ++polylines_;
}

std::string OutlineBuilder::fileBytes() const {
  std::string out(values_.size() * 4, '\0');
  for (std::size_t i = 0; i < values_.size(); ++i) nav::storeLittleEndian(out.data() + 4 * i, values_[i]);
  return out;
}

}  // namespace navtools
