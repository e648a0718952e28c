#pragma once

#include <string>
#include <vector>

namespace nav {

// The coastlines and borders: the file's 32-bit floats in file order, taken in
// pairs (longitude, latitude) in signed arc-seconds; a pair of zeros ends a
// polyline.
struct WorldOutline {
  std::vector<float> values;
  bool outlineLoaded = false;

  std::size_t pairCount() const { return values.size() / 2; }
};

inline constexpr const char* kWorldOutlineFile = "world5000s.map";

// Reads exeFolder + world5000s.map once; does nothing when already loaded.
// An empty file fails with "Range check error".
void loadWorldOutline(const std::string& exeFolder, WorldOutline& outline);

}  // namespace nav
