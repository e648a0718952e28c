#include "flightplan/plan_legs.h"

#include <gtest/gtest.h>

namespace {

using namespace nav;

// A row at a position in degrees, stored as the plan holds it: arc-seconds,
// longitudes from 0 to 360 degrees.
PlanRow at(const std::string& name, double latDeg, double lonDeg) {
  PlanRow row;
  row[colName] = name;
  row[colLat] = planPosition(latDeg * 3600);
  row[colLon] = planPosition((lonDeg < 0 ? lonDeg + 360 : lonDeg) * 3600);
  return row;
}

// Expected figures are GeodSolve's (geographiclib-tools), `GeodSolve -i -p 9`
// on the same degrees: initial azimuth and metres.
struct Reference {
  const char* what;
  double lat1, lon1, lat2, lon2;
  int course;
  double metres;
};

TEST(PlanLegs, DistanceAndCourseAsGeodSolveGivesThem) {
  const Reference cases[] = {
      {"short", 48.8, 2.3, 48.81, 2.31, 33, 1332.767730485},                   // 33.44296553
      {"long", 49, 2.5, 43.6, 1.4, 188, 606182.847122818},                     // -171.56247840
      {"back", 43.6, 1.4, 49, 2.5, 8, 606182.847122818},                       // 7.64136035
      {"across 180", 60, 170, 60, -170, 81, 1111742.541655206},                // 81.31775968
      {"over the pole", 80, 0, 80, 180, 360, 2233651.714751699},               // 0
      {"half the world", -33.9, 151.2, 37.6, -122.4, 56, 11929028.903800793},  // 56.12274592
      {"just west of north", 0, 0, 10, -0.05, 360, 1105868.698858195},         // -0.28546305
      {"due south", -10, 0, -20, 0, 180, 1106511.420937261},                   // 180
  };
  for (const Reference& c : cases) {
    SCOPED_TRACE(c.what);
    const PlanLegs legs = planLegs({at("A", c.lat1, c.lon1), at("B", c.lat2, c.lon2)});
    ASSERT_EQ(legs.legs.size(), 1u);
    EXPECT_EQ(legs.legs[0].course, c.course);
    EXPECT_NEAR(legs.legs[0].distanceNm, c.metres / 1852, 1e-6);
    EXPECT_NEAR(legs.totalNm, c.metres / 1852, 1e-6);
  }
}

TEST(PlanLegs, RowsWithoutAPositionArePassedOver) {
  PlanRow text = at("typed", 0, 0);
  text[colLat] = "abc";
  PlanRow beyondThePole = at("pole", 0, 0);
  beyondThePole[colLat] = "400000.000000";
  PlanRow latitudeOnly;
  latitudeOnly[colLat] = "1000.0";
  const PlanLegs legs = planLegs({PlanRow{}, at("Paris", 49, 2.5), text, beyondThePole, latitudeOnly,
                                  at("Toulouse", 43.6, 1.4), at("Paris", 49, 2.5), PlanRow{}});
  ASSERT_EQ(legs.legs.size(), 2u);
  EXPECT_EQ(legs.legs[0].fromRow, 1u);
  EXPECT_EQ(legs.legs[0].toRow, 5u);
  EXPECT_EQ(legs.legs[1].fromRow, 5u);
  EXPECT_EQ(legs.legs[1].toRow, 6u);
  const double oneWay = 606182.847122818 / 1852;
  EXPECT_NEAR(legs.legs[0].cumulativeNm, oneWay, 1e-6);
  EXPECT_NEAR(legs.legs[1].cumulativeNm, 2 * oneWay, 1e-6);
  EXPECT_NEAR(legs.totalNm, 2 * oneWay, 1e-6);

  EXPECT_TRUE(planLegs({PlanRow{}}).legs.empty());
  EXPECT_TRUE(planLegs({at("alone", 49, 2.5), PlanRow{}}).legs.empty());
  EXPECT_EQ(planLegs({PlanRow{}}).totalNm, 0);
}

TEST(PlanLegs, ALegOfNoLengthHasNoCourse) {
  const PlanLegs legs = planLegs({at("A", 10, 10), at("A again", 10, 10)});
  ASSERT_EQ(legs.legs.size(), 1u);
  EXPECT_EQ(legs.legs[0].distanceNm, 0);
  EXPECT_FALSE(legs.legs[0].course);
  EXPECT_EQ(courseText(legs.legs[0].course), "---");
  EXPECT_EQ(courseText(5), "005");
}

TEST(PlanLegs, EndsHaveASignedLongitudeAndNoneLiesBeyondAPole) {
  PlanRow west;
  west[colLat] = "157064.760000";
  west[colLon] = "1291090.250000";  // 1.36 degrees west, stored
  const auto p = legEnd(west);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->lat, 157064.76);
  EXPECT_EQ(p->lon, -4909.75);
  west[colLat] = "324000.5";
  EXPECT_FALSE(legEnd(west));
}

TEST(PlanLegs, CruiseSpeedAndTimeEnRoute) {
  EXPECT_FALSE(cruiseSpeed("Edit1", ','));
  EXPECT_FALSE(cruiseSpeed("", ','));
  EXPECT_FALSE(cruiseSpeed("0", ','));
  EXPECT_FALSE(cruiseSpeed("-120", ','));
  EXPECT_FALSE(cruiseSpeed("12O", ','));
  EXPECT_EQ(cruiseSpeed(" 120 ", ','), 120.0);
  EXPECT_EQ(cruiseSpeed("120,5", ','), 120.5);
  EXPECT_EQ(cruiseSpeed("120.5", ','), 120.5);

  EXPECT_EQ(timeEnRoute(327.3, 120), "2:44");  // 163.65 minutes
  EXPECT_EQ(timeEnRoute(10, 120), "0:05");
  EXPECT_EQ(timeEnRoute(0, 120), "0:00");
  EXPECT_EQ(timeEnRoute(119.99, 120), "1:00");  // 59.995 minutes, rounded
  EXPECT_EQ(timeEnRoute(3000, 100), "30:00");
  EXPECT_EQ(timeEnRoute(20000, 1e-9), "--:--");
  EXPECT_EQ(distanceText(327.349, ','), "327,3");
  EXPECT_EQ(distanceText(0.04, '.'), "0.0");
}

}  // namespace
