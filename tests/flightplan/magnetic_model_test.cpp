#include "flightplan/magnetic_model.h"

#include <gtest/gtest.h>

#include <array>

#include "test_support.h"

namespace {

using namespace nav;

// Declinations from the npm package magvar 2.2.0, an evaluator of the same
// WMM2025 of its own, run once with node.
struct Reference {
  const char* where;
  double lat, lon;
  std::array<double, 3> declination;  // at 2025.0, 2027.5 and 2029.9
};
constexpr Reference kReferences[] = {
    {"KJFK", 40.6398, -73.7789, {-12.62, -12.52, -12.43}},  {"KBOS", 42.3656, -71.0096, {-14.07, -13.90, -13.73}},
    {"LFPN", 48.7519, 2.10619, {1.75, 2.13, 2.49}},         {"YSSY", -33.9461, 151.177, {12.81, 12.86, 12.92}},
    {"BIKF", 63.985, -22.6056, {-11.86, -11.12, -10.41}},   {"FACT", -33.9648, 18.6017, {-26.51, -27.10, -27.66}},
    {"PANC", 61.1744, -149.996, {14.45, 13.74, 13.07}},     {"RJTT", 35.5523, 139.78, {-7.81, -7.91, -8.00}},
    {"SBGR", -23.4356, -46.4731, {-21.87, -22.01, -22.15}}, {"NZCH", -43.4894, 172.532, {24.52, 24.72, 24.92}},
};

TEST(MagneticVariation, AgreesWithAnIndependentEvaluator) {
  const MagneticVariation model(NAV_MAGNETIC_FOLDER);
  constexpr double years[] = {2025.0, 2027.5, 2029.9};
  for (const Reference& r : kReferences)
    for (std::size_t i = 0; i < 3; ++i) {
      const std::optional<double> d = model.at({.lat = r.lat * 3600, .lon = r.lon * 3600}, years[i]);
      ASSERT_TRUE(d) << r.where;
      EXPECT_NEAR(*d, r.declination[i], 0.1) << r.where << " " << years[i];
    }
}

TEST(MagneticVariation, SaysNothingOutsideItsYearsAndFailsWithoutItsFiles) {
  const MagneticVariation model(NAV_MAGNETIC_FOLDER);
  EXPECT_FALSE(model.at({.lat = 0, .lon = 0}, 2024.99));
  EXPECT_FALSE(model.at({.lat = 0, .lon = 0}, 2030.01));
  navtest::ScratchFolder empty;
  EXPECT_EQ(navtest::failureMessage([&] { MagneticVariation none(empty.path()); }),
            "Cannot open file " + empty.path() + "wmm2025.wmm");
  EXPECT_DOUBLE_EQ(decimalYear(2025, 1, 1), 2025.0);
  EXPECT_DOUBLE_EQ(decimalYear(2028, 7, 2), 2028 + 183.0 / 366);  // a leap year
}

}  // namespace
