#include "flightplan/flight_plan.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

using namespace nav;

TEST(FlightPlan, ARowsPositionIsReadOneWayForEveryReader) {
  PlanRow row;
  row[colLat] = "176384.52";
  row[colLon] = "1291090";  // a whole number; stored, kept as it is
  EXPECT_EQ(planRowPosition(row), (GeoPosition{.lat = 176384.52, .lon = 1291090}));
  // The comma earlier versions wrote for runway ends under a French locale.
  row[colLat] = "176384,52";
  row[colLon] = "9189,86";
  EXPECT_EQ(planRowPosition(row), (GeoPosition{.lat = 176384.52, .lon = 9189.86}));
  EXPECT_EQ(requirePlanRowPosition(row), (GeoPosition{.lat = 176384.52, .lon = 9189.86}));
  row[colLat] = "1e308";  // off the earth: no leg, no route point
  EXPECT_FALSE(planRowPosition(row));
  EXPECT_EQ(navtest::failureMessage([&] { requirePlanRowPosition(row); }), "Range check error");
  row[colLon] = "abc";
  EXPECT_FALSE(planRowPosition(row));
  EXPECT_EQ(navtest::failureMessage([&] { requirePlanRowPosition(row); }), "'abc' is not a valid floating point value");
  EXPECT_EQ(navtest::failureMessage([&] { requirePlanRowPosition(PlanRow{}); }),
            "'' is not a valid floating point value");
}

TEST(FlightPlan, DeleteAndMoveRows) {
  FlightPlan plan;
  deleteCurrentRow(plan);
  EXPECT_EQ(plan.rows.size(), 1u);
  plan.rows[0][colName] = "x";
  deleteCurrentRow(plan);
  EXPECT_EQ(plan.rows[0][colName], "");

  plan.rows.resize(3);
  for (int i = 0; i < 3; ++i) plan.rows[i][colName] = std::string(1, static_cast<char>('a' + i));
  plan.current = 0;
  moveCurrentRowUp(plan);  // the first row: nothing
  EXPECT_EQ(plan.rows[0][colName], "a");
  moveCurrentRowDown(plan);
  EXPECT_EQ(plan.rows[1][colName], "a");
  EXPECT_EQ(plan.current, 1u);
  moveCurrentRowDown(plan);
  moveCurrentRowDown(plan);  // the last row: nothing
  EXPECT_EQ(plan.current, 2u);
  EXPECT_EQ(plan.rows[2][colName], "a");
  deleteCurrentRow(plan);  // the last of several: the one above becomes current
  EXPECT_EQ(plan.rows.size(), 2u);
  EXPECT_EQ(plan.current, 1u);
  plan.current = 0;
  deleteCurrentRow(plan);
  EXPECT_EQ(plan.rows[0][colName], "c");
  EXPECT_EQ(plan.current, 0u);
}

TEST(FlightPlan, NumberTextsAlwaysUseAFullStop) {
  EXPECT_EQ(planPosition(172800.5), "172800.500000");
  EXPECT_EQ(planPosition(-36000), "-36000.000000");
  EXPECT_EQ(planPosition(1295999.9999999), "1296000.000000");
  EXPECT_EQ(planAltitude(1234), "1234.000000");
  EXPECT_EQ(planAltitude(-5), "-5.000000");
}

}  // namespace
