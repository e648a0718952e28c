#include "app/route_text.h"

#include <gtest/gtest.h>

#include "app/plan_placement.h"
#include "mapview/paint_fixture.h"

namespace {

using namespace nav;

// Toussus, Rambouillet and a namesake in Bolivia, Chartres, Tours.
NavDatabase france() {
  NavDatabase db;
  db.airports.push_back(navtest::airport("4188", "LFPN", "Toussus", 175506.84, 7582.28));
  db.airports.push_back(navtest::airport("4179", "LFOT", "Tours", 170755.92, 2619.38));
  db.navaids.push_back(navtest::navaid("RBT", "Bolivia", 113.7, 1, -39674.52, 1058034.59));
  db.navaids.push_back(navtest::navaid("RBT", "Rambouillet", 114.7, 17, 175154.04, 7179.19));
  db.navaids.push_back(navtest::navaid("CHW", "Chartres", 115.2, 17, 174528.0, 3553.4));
  navtest::putText(db.navaids[0], 4, "N0");
  navtest::putText(db.navaids[1], 4, "N1");
  navtest::putText(db.navaids[2], 4, "N2");
  navtest::putText(db.navaids[0], 83, "BO");
  navtest::putText(db.navaids[1], 83, "FR");
  navtest::putText(db.navaids[2], 83, "FR");
  return db;
}

TEST(RouteText, BuildsWhatPlacingByHandBuilds) {
  const NavDatabase db = france();
  const RouteBuild built = buildRoute("lfpn DCT RBT chw/N0110A045 LFOT", db, nullptr, 2026.9);
  EXPECT_TRUE(built.problems.empty());
  FlightPlan byHand;
  for (const auto& [ident, region, code] :
       {std::tuple{"LFPN", "", "sarw"}, {"RBT", "FR", "snav"}, {"CHW", "FR", "snav"}, {"LFOT", "", "sarw"}}) {
    SearchRow row;
    row.cells[searchColIdent] = ident;
    row.cells[searchColRegion] = region;
    row.cells[searchColTypeCode] = code;
    placeSearchResult(byHand, row, db);
  }
  ASSERT_EQ(built.plan.rows.size(), 5u);
  EXPECT_EQ(built.plan.rows[1][colName], "Rambouillet");  // the namesake near the route
  // The same cells, but for the altitude the group gives the points after it.
  for (std::size_t r = 0; r < 5; ++r)
    for (std::size_t c = 0; c < kPlanColumns; ++c)
      if (c != colAltitude) {
        EXPECT_EQ(built.plan.rows[r].cells[c], byHand.rows[r].cells[c]) << r << " " << c;
      }
  EXPECT_EQ(built.plan.rows[3][colAltitude], "4500");
  EXPECT_EQ(built.plan.rows[2][colAltitude], "");
  EXPECT_EQ(built.cruiseKnots, 110);
  EXPECT_EQ(built.plan.current, byHand.current);
}

TEST(RouteText, CoordinatesBecomeUserPointsAndTheRestIsReported) {
  const NavDatabase db = france();
  const RouteBuild built = buildRoute("LFPN 4830N00200E 483015N0021030W UN866 BOGUS LORP5A LFOT", db, nullptr, 2026.9);
  ASSERT_EQ(built.plan.rows.size(), 5u);
  EXPECT_EQ(built.plan.rows[1][colType], "usrw");
  EXPECT_EQ(built.plan.rows[1][colLat], planPosition(48.5 * 3600));
  EXPECT_EQ(built.plan.rows[1][colLon], planPosition(2 * 3600));
  EXPECT_EQ(built.plan.rows[2][colLon], planPosition(kFullTurn - (2 * 3600 + 10 * 60 + 30)));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"UN866", "les voies a\xE9riennes ne sont pas dans la base"},
      {"BOGUS", "introuvable"},
      {"LORP5A",
       "les proc\xE9"
       "dures ne sont pas dans la base"}};
  ASSERT_EQ(built.problems.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(built.problems[i].token, expected[i].first);
    EXPECT_EQ(built.problems[i].reason, expected[i].second);
  }
}

// The text of a built plan builds the same plan again.
TEST(RouteText, RoundTrips) {
  const NavDatabase db = france();
  const RouteBuild built = buildRoute("LFPN RBT 4830N00200E CHW LFOT", db, nullptr, 2026.9);
  const std::string text = routeText(built.plan, db);
  EXPECT_EQ(text, "LFPN RBT 483000N0020000E CHW LFOT");
  EXPECT_EQ(buildRoute(text, db, nullptr, 2026.9).plan.rows, built.plan.rows);
}

}  // namespace
