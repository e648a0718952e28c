#pragma once

#include <string>
#include <vector>

namespace navtools {

// A position in degrees, east and north positive.
struct GeoPoint {
  double lon = 0;
  double lat = 0;
};

// Builds the content of world5000s.map: (longitude, latitude) float pairs in
// signed arc-seconds, a (0, 0) pair between polylines.
class OutlineBuilder {
 public:
  // A polyline that crosses the antimeridian is cut there, each piece ending
  // on it, so that the flat map does not draw a line across the world.
  // Steps along a pole are left out the same way. Pieces of fewer than two
  // points draw nothing and are dropped.
  void addPolyline(const std::vector<GeoPoint>& points);

  const std::vector<float>& values() const { return values_; }
  std::size_t polylineCount() const { return polylines_; }
  std::string fileBytes() const;

 private:
  void addPiece(const std::vector<GeoPoint>& piece);

  std::vector<float> values_;
  std::size_t polylines_ = 0;
};

}  // namespace navtools
