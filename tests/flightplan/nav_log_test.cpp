#include "flightplan/nav_log.h"

#include <gtest/gtest.h>

namespace {

using namespace nav;

PlanRow at(double latDeg, double lonDeg) {
  PlanRow row;
  row[colLat] = planPosition(latDeg * 3600);
  row[colLon] = planPosition((lonDeg < 0 ? lonDeg + 360 : lonDeg) * 3600);
  return row;
}

// Due north along the meridian, as a hand computation takes it: TAS 100,
// wind 270/20 gives sin(WCA) = -20/100, WCA -11.5, heading 348.5, GS
// 100 cos(11.54) = 97.98.
TEST(NavLog, TheWindTriangleAsByHand) {
  const std::vector<PlanRow> rows = {at(0, 10), at(1, 10)};
  LogInputs in;
  in.trueAirspeed = 100;
  in.wind = Wind{270, 20};
  in.fuelPerHour = 30;
  in.usableFuel = 40;
  in.reserveMinutes = 45;
  const NavLog log = navLog(rows, in);
  ASSERT_EQ(log.legs.size(), 1u);
  const LogLeg& leg = log.legs[0];
  EXPECT_EQ(leg.leg.course, 360);
  EXPECT_EQ(leg.windCorrection, -12);
  EXPECT_EQ(leg.trueHeading, 348);
  EXPECT_NEAR(*leg.groundSpeed, 97.98, 0.01);
  EXPECT_NEAR(*leg.minutes, leg.leg.distanceNm / 97.98 * 60, 0.01);
  EXPECT_NEAR(*log.totalFuel, *leg.minutes / 2, 0.01);
  // 40 litres less 18.4 leaves 21.6, short of the 22.5 of 45 minutes.
  EXPECT_NEAR(*log.reserveFuel, 22.5, 1e-9);
  EXPECT_FALSE(log.reserveKept);
  EXPECT_EQ(log.messages, std::vector<std::string>{"R\xE9serve non respect\xE9"
                                                   "e : le carburant ne suffit pas"});
  EXPECT_FALSE(leg.variation);  // no model given
}

TEST(NavLog, AWindTooStrongGivesNoFigureAndSaysSo) {
  const std::vector<PlanRow> rows = {at(0, 10), at(1, 10), at(1, 9)};
  LogInputs in;
  in.trueAirspeed = 100;
  in.wind = Wind{270, 120};  // across the first leg, against the second
  const NavLog log = navLog(rows, in);
  ASSERT_EQ(log.legs.size(), 2u);
  EXPECT_TRUE(log.legs[0].cannotFly);
  EXPECT_FALSE(log.legs[0].groundSpeed);
  EXPECT_TRUE(log.legs[1].cannotFly);  // 100 kt into 120
  EXPECT_FALSE(log.totalMinutes);
  EXPECT_EQ(log.messages,
            std::vector<std::string>{"Vent trop fort pour l'avion sur l'\xE9tape de route 360\xB0 et 1 autre(s)"});
}

// Magnetic course and heading are the true ones less the variation east,
// taken at the leg's midpoint.
TEST(NavLog, MagneticFromTheModel) {
  const MagneticVariation model(NAV_MAGNETIC_FOLDER);
  const std::vector<PlanRow> rows = {at(40.6398, -73.7789), at(42.3656, -71.0096)};  // KJFK, KBOS
  LogInputs in;
  in.variation = &model;
  in.year = 2026.9;
  in.trueAirspeed = 120;
  const NavLog log = navLog(rows, in);
  const LogLeg& leg = log.legs[0];
  const double mid = *model.at({.lat = 41.5 * 3600, .lon = -72.4 * 3600}, 2026.9);
  EXPECT_NEAR(*leg.variation, mid, 0.2);
  EXPECT_EQ(leg.magneticCourse, wholeDegrees(*leg.leg.course - *leg.variation));
  EXPECT_EQ(leg.magneticHeading, leg.magneticCourse);  // no wind
  in.year = 2031;
  EXPECT_FALSE(navLog(rows, in).legs[0].variation);
  EXPECT_EQ(navLog(rows, in).messages.size(), 1u);
}

}  // namespace
