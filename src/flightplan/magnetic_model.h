#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/geo_position.h"

namespace GeographicLib {
class MagneticModel;
}

namespace nav {

// The World Magnetic Model 2025 (data/magnetic, laid beside the program),
// evaluated by GeographicLib at sea level.
class MagneticVariation {
 public:
  inline static const char* const kFolder = "magnetic";
  // Reads wmm2025.wmm and its coefficients from `folder` (UTF-8, ending
  // with a separator); fails with "Cannot open file …" when they are
  // missing or damaged.
  explicit MagneticVariation(const std::string& folder);
  ~MagneticVariation();
  MagneticVariation(const MagneticVariation&) = delete;
  MagneticVariation& operator=(const MagneticVariation&) = delete;

  // Declination in degrees, east positive, at `at` (a signed longitude);
  // none outside the model's years, where it is not extrapolated.
  std::optional<double> at(GeoPosition at, double year) const;
  double firstYear() const;
  double lastYear() const;

 private:
  std::unique_ptr<GeographicLib::MagneticModel> model_;
};

// The decimal year of a day (UTC), as the model counts time: 2025-01-01 is
// 2025.0, and each day a 365th or 366th of its year.
double decimalYear(int year, int month, int day);

}  // namespace nav
