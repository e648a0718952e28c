#include "app/plan_placement.h"

#include <gtest/gtest.h>

#include <limits>

#include "mapview/paint_fixture.h"

namespace {

using namespace nav;
using navtest::putI32;
using navtest::putText;

NavDatabase database() {
  NavDatabase db;
  db.airports.push_back(navtest::airport("KLFPG", "LFPG", "Roissy", 172800.5, 9180));
  putI32(db.airports[0], 109, 392);
  putI32(db.airports[0], 174, 400);
  db.navaids.push_back(navtest::navaid("PGS", "Pontoise", 117.0, 1, 176000, 7000));
  putText(db.navaids[0], 83, "LF");
  putText(db.navaids[0], 4, "KPGS");
  putI32(db.navaids[0], 117, 150);
  db.navaids.push_back(navtest::navaid("PGS", "Other", 117.0, 1, 1, 2));
  putText(db.navaids[1], 83, "XX");
  db.waypoints.push_back(navtest::waypoint("ABLAN", 100, 200));
  putText(db.waypoints[0], 4, "KW1");
  putText(db.waypoints[0], 40, "LF");
  db.waypoints.push_back(navtest::waypoint("ABLAN", 300, 400));
  putText(db.waypoints[1], 40, "ED");
  return db;
}

SearchRow result(const std::string& ident, const std::string& region, std::string_view code) {
  SearchRow r;
  r.cells[1] = ident;
  r.cells[2] = region;
  r.cells[3] = std::string(code);
  return r;
}

TEST(PlanPlacement, PlacingIntoANewPlanAndAfterTheCurrentRow) {
  const NavDatabase db = database();
  FlightPlan plan;
  placeSearchResult(plan, result("LFPG", "", typeCode::airport), db);
  ASSERT_EQ(plan.rows.size(), 2u);
  EXPECT_EQ(plan.current, 0u);
  const PlanRow& a = plan.rows[0];
  EXPECT_EQ(a[colName], "Roissy");
  EXPECT_EQ(a[colLat], "172800.500000");
  EXPECT_EQ(a[colLon], "9180.000000");
  EXPECT_EQ(a[colXx], "392.000000");  // elev, as placed from the search
  EXPECT_EQ(a[colYy], "");
  EXPECT_EQ(a[colDbky], "KLFPG");
  EXPECT_EQ(a[colType], "sarw");
  EXPECT_EQ(a[colAlt], "-99999.");
  EXPECT_EQ(a[colSped], "-1");
  EXPECT_EQ(a[colId], "LFPG");
  EXPECT_EQ(a[colNom], "Roissy");
  EXPECT_EQ(a[colFrequence], "-1");
  EXPECT_EQ(a[colRoute], "-1");
  EXPECT_EQ(plan.rows[1], PlanRow{});
  EXPECT_TRUE(plan.routeShown);
  EXPECT_TRUE(plan.saveEnabled);

  placeSearchResult(plan, result("PGS", "LF", typeCode::navaid), db);
  ASSERT_EQ(plan.rows.size(), 3u);
  EXPECT_EQ(plan.current, 1u);
  EXPECT_EQ(plan.rows[1][colName], "Pontoise");  // ident and region both match
  EXPECT_EQ(plan.rows[1][colXx], "150.000000");
  EXPECT_EQ(plan.rows[1][colId], "");
  EXPECT_EQ(plan.rows[2], PlanRow{});

  placeSearchResult(plan, result("ABLAN", "ED", typeCode::waypoint), db);
  EXPECT_EQ(plan.rows[2][colDbky], "KW1");  // the region is not compared: the first one
  EXPECT_EQ(plan.rows[2][colXx], "");

  SearchRow end = result("LFPG", "09L", typeCode::userWaypoint);
  end.cells[5] = "176004.5";
  end.cells[6] = "9000";
  placeSearchResult(plan, end, db);
  EXPECT_EQ(plan.rows[3][colName], "LFPG_09L");
  EXPECT_EQ(plan.rows[3][colLat], "176004.5");
  EXPECT_EQ(plan.rows[3][colXx], "0.000");
  EXPECT_EQ(plan.rows[3][colType], "usrw");
  EXPECT_EQ(plan.rows.size(), 5u);
}

TEST(PlanPlacement, PlacingOverASingleRowKeepsWhatItDoesNotWrite) {
  FlightPlan plan;
  plan.rows[0][colYy] = "7.5";
  plan.rows[0][colName] = "old";
  placeSearchResult(plan, result("LFPG", "", typeCode::airport), database());
  EXPECT_EQ(plan.rows[0][colName], "Roissy");
  EXPECT_EQ(plan.rows[0][colYy], "7.5");
  EXPECT_EQ(plan.rows.size(), 2u);

  FlightPlan missing;
  missing.rows.resize(2);
  placeSearchResult(missing, result("NONE", "", typeCode::airport), database());
  EXPECT_EQ(missing.rows.size(), 3u);
  EXPECT_EQ(missing.rows[1], PlanRow{});
  EXPECT_TRUE(missing.routeShown);
  EXPECT_TRUE(missing.saveEnabled);
}

TEST(PlanPlacement, DropsTakeTheHoverSelectionInItsOrder) {
  const NavDatabase db = database();
  FlightPlan plan;
  HoverSelection hover;
  hover.hoveredAirport = db.airports[0];
  hover.hoveredNavaid = db.navaids[0];
  putI32(hover.hoveredAirport, 0, 0);
  putI32(hover.hoveredNavaid, 0, 0);
  dropMapObject(plan, 0, hover);
  ASSERT_EQ(plan.rows.size(), 2u);
  EXPECT_EQ(plan.rows[0][colName], "Pontoise");  // the navaid first
  EXPECT_EQ(plan.rows[0][colYy], "0.0");
  EXPECT_EQ(plan.current, 0u);

  hover.hoveredNavaid = HoverSelection::emptySlot<NavaidRecord>();
  dropMapObject(plan, std::nullopt, hover);  // below the last row
  EXPECT_EQ(plan.rows[1][colName], "Roissy");
  EXPECT_EQ(plan.rows[1][colXx], "400.000000");  // elev2 when dropped

  HoverSelection empty;
  empty.userPoint = {userPointName(plan.userPointCounter), {.lat = 176004, .lon = 1279800}};
  dropMapObject(plan, 1, empty);
  const PlanRow& u = plan.rows[1];
  EXPECT_EQ(u[colName], "WPT0001");
  EXPECT_EQ(u[colLat], "176004.000000");
  EXPECT_EQ(u[colLon], "1279800.000000");
  EXPECT_EQ(u[colXx], "0.0");
  EXPECT_EQ(u[colYy], "0.0");
  EXPECT_EQ(u[colDbky], "");
  EXPECT_EQ(u[colType], "usrw");
  EXPECT_EQ(plan.userPointCounter, 2);
  EXPECT_EQ(userPointName(plan.userPointCounter), "WPT0002");

  clearPlan(plan);
  EXPECT_EQ(plan.rows.size(), 1u);
  EXPECT_EQ(plan.userPointCounter, 1);
  EXPECT_FALSE(plan.routeShown);
  EXPECT_FALSE(plan.saveEnabled);
}

TEST(PlanPlacement, DropBelowTheLastRowStaysBeforeATrailingEmptyRow) {
  HoverSelection hover;
  hover.userPoint = {"WPT0001", {.lat = 1, .lon = 2}};
  FlightPlan plan;  // one empty row
  dropMapObject(plan, std::nullopt, hover);
  ASSERT_EQ(plan.rows.size(), 2u);
  EXPECT_EQ(plan.rows[0][colName], "WPT0001");
  EXPECT_EQ(plan.rows[1], PlanRow{});

  plan.rows[1][colName] = "last";  // a filled last row: the drop goes after it
  hover.userPoint.name = "WPT0002";
  dropMapObject(plan, std::nullopt, hover);
  ASSERT_EQ(plan.rows.size(), 3u);
  EXPECT_EQ(plan.rows[2][colName], "WPT0002");
  dropMapObject(plan, 7, hover);  // a row number past the end counts as below
  EXPECT_EQ(plan.rows.size(), 4u);
  EXPECT_EQ(plan.rows[3][colName], "WPT0002");
}

TEST(PlanPlacement, TheUserPointCounterStopsAtItsTop) {
  FlightPlan plan;
  plan.userPointCounter = std::numeric_limits<std::int32_t>::max();  // as a recovery file may hold it
  HoverSelection hover;
  hover.userPoint = {"WPT2147483647", {.lat = 1, .lon = 2}};
  dropMapObject(plan, std::nullopt, hover);
  EXPECT_EQ(plan.userPointCounter, std::numeric_limits<std::int32_t>::max());
}

TEST(PlanPlacement, ALoadedPlansTrailingRowIsEmptyToo) {
  FlightPlan plan;
  plan.rows.resize(3);
  plan.rows[0][colName] = "ALPHA";
  plan.rows[1][colName] = "BRAVO";
  plan.rows[2][colTypeLoaded] = "0";  // as a saved plan reads back
  HoverSelection hover;
  hover.userPoint = {"Lydd", {.lat = 183000, .lon = 3600}};
  dropMapObject(plan, std::nullopt, hover);
  ASSERT_EQ(plan.rows.size(), 4u);
  EXPECT_EQ(plan.rows[2][colName], "Lydd");
  EXPECT_EQ(plan.rows[3][colTypeLoaded], "0");
}

}  // namespace
