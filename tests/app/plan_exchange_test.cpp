#include "app/plan_exchange.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/plan_placement.h"
#include "base/windows1252.h"
#include "mapview/paint_fixture.h"
#include "test_support.h"

namespace {

using namespace nav;

const std::string kFixtures = NAV_EXCHANGE_FIXTURES;

// Toussus, Rambouillet with a namesake in Bolivia, Chartres, the VOR of
// Amboise and its NDB under a mile away, Tours.
NavDatabase france() {
  NavDatabase db;
  db.airports.push_back(navtest::airport("4188", "LFPN", "Toussus", 175506.84, 7582.28));
  db.airports.push_back(navtest::airport("4179", "LFOT", "Tours", 170755.92, 2619.38));
  db.navaids.push_back(navtest::navaid("RBT", "Bolivia", 113.7, 1, -39674.52, 1058034.59));
  db.navaids.push_back(navtest::navaid("RBT", "Rambouillet", 114.7, 17, 175154.04, 7179.19));
  db.navaids.push_back(navtest::navaid("CHW", "Chartres", 115.2, 17, 174528.0, 3553.4));
  db.navaids.push_back(navtest::navaid("AMB", "Amboise", 113.7, 17, 170744.4, 3831.84));
  db.navaids.push_back(navtest::navaid("AMB", "Amboise NDB", 341, 8, 170724.4, 3851.84));
  const char* keys[] = {"N0", "N1", "N2", "N3", "N4"};
  for (std::size_t i = 0; i < db.navaids.size(); ++i) {
    navtest::putText(db.navaids[i], 4, keys[i]);
    navtest::putText(db.navaids[i], 83, "LF");
  }
  return db;
}

// The five rows placing each object by hand makes, and the empty last row.
std::vector<PlanRow> byHand(const NavDatabase& db) {
  std::vector<PlanRow> rows(6);
  fillAirportRow(rows[0], db.airports[0]);
  fillNavaidRow(rows[1], db.navaids[1]);
  fillNavaidRow(rows[2], db.navaids[2]);
  fillNavaidRow(rows[3], db.navaids[3]);
  fillAirportRow(rows[4], db.airports[1]);
  return rows;
}

TEST(PlanExchange, AnotherPlannersRouteBecomesDatabaseRows) {
  const NavDatabase db = france();
  for (const char* name : {"lfpn-lfot.gpx", "lfpn-lfot.fms", "lfpn-lfot.pln"}) {
    SCOPED_TRACE(name);
    const PlanImport imported = importRoute(readRouteFile(kFixtures + name), db);
    ASSERT_EQ(imported.plan.rows.size(), 6u);
    const std::vector<PlanRow> expected = byHand(db);
    // Rambouillet, not its namesake; Amboise's VOR, the nearest where the
    // file gives no kind.
    for (std::size_t r = 0; r < 6; ++r)
      for (std::size_t c = 0; c < kPlanColumns; ++c)
        if (c != colAltitude) {
          EXPECT_EQ(imported.plan.rows[r].cells[c], expected[r].cells[c]) << r << " " << c;
        }
    const bool gpx = std::string(name).ends_with("gpx");
    EXPECT_EQ(imported.plan.rows[1][colAltitude], gpx ? "" : "3500");
    EXPECT_EQ(imported.plan.rows[4][colAltitude], "");
    EXPECT_EQ(imported.fromDatabase, 5u);
    EXPECT_TRUE(imported.userPoints.empty());
    EXPECT_EQ(imported.plan.current, 4u);
    EXPECT_TRUE(imported.plan.saveEnabled);
    EXPECT_EQ(importSummary(imported, name), std::string("5 points import\xE9s de ") + name + " : 5 de la base");
  }
}

TEST(PlanExchange, WhatTheDatabaseDoesNotHoldBecomesAUserPoint) {
  const NavDatabase db = france();
  // RBT two miles off, an NDB of the name of a VOR, a point of no
  // identifier, and a name longer than the plan takes; the NDB of Amboise
  // where its VOR is, as it lies within a mile.
  const ExchangeRoute route = parseRouteFile(
      "<gpx><rte>"
      "<rtept lat=\"48.6539\" lon=\"2.0442\"><name>RBT</name></rtept>"
      "<rtept lat=\"48.48\" lon=\"0.9871\"><name>CHW</name><type>NDB</type></rtept>"
      "<rtept lat=\"47\" lon=\"-1.5\"></rtept>"
      "<rtept lat=\"-33.5\" lon=\"151.25\"><name>Ferme de l'\xC3\xA9t\xC3\xA9 2</name></rtept>"
      "<rtept lat=\"47.4290\" lon=\"1.0644\"><name>AMB</name><sym>NDB</sym></rtept>"
      "</rte></gpx>",
      "vol.gpx");
  const PlanImport imported = importRoute(route, db);
  ASSERT_EQ(imported.plan.rows.size(), 6u);
  EXPECT_EQ(imported.plan.rows[4][colName], "Amboise NDB");
  const std::vector<std::string> names = {"RBT", "CHW", "WPT0001", "Ferme de l"};
  for (std::size_t r = 0; r < 4; ++r) {
    EXPECT_EQ(imported.plan.rows[r][colType], "usrw") << r;
    EXPECT_EQ(imported.plan.rows[r][colName], names[r]) << r;
  }
  EXPECT_EQ(imported.plan.rows[2][colLon], planPosition(kFullTurn - 1.5 * 3600));
  EXPECT_EQ(imported.plan.rows[3][colLat], planPosition(-33.5 * 3600));
  EXPECT_EQ(imported.plan.userPointCounter, 2);
  EXPECT_EQ(importSummary(imported, "vol.gpx"),
            "5 points import\xE9s de vol.gpx : 1 de la base, 4 points utilisateur (RBT, CHW, WPT0001, Ferme de l)");
}

// Every format takes a plan out and back in as it was: the database's rows
// cell for cell, a user point by its name and position, planned altitudes
// where the format has them.
TEST(PlanExchange, EveryExportReimportsToTheSamePlan) {
  const NavDatabase db = france();
  FlightPlan plan;
  plan.rows = byHand(db);
  plan.rows.insert(plan.rows.begin() + 2,
                   userPointPlanRow("PT1", {.lat = 48.6 * 3600, .lon = kFullTurn - 0.25 * 3600}));
  plan.rows[1][colAltitude] = "3500";
  plan.rows[2][colAltitude] = "4500";
  for (const RouteFormat f : kRouteFormats) {
    SCOPED_TRACE(std::string(formatExtension(f)));
    const ExchangeRoute out = exportRoute(plan, db);
    EXPECT_EQ(out.points[1].ident, "RBT");
    EXPECT_EQ(out.points[4].kind, PointKind::vor);
    const PlanImport back = importRoute(parseRouteFile(routeFileText(out, f), "vol"), db);
    ASSERT_EQ(back.plan.rows.size(), plan.rows.size());
    const bool altitudes = f != RouteFormat::gpx && f != RouteFormat::fpl;
    for (std::size_t r = 0; r < plan.rows.size(); ++r) {
      for (std::size_t c = 0; c < kPlanColumns; ++c) {
        const std::string &was = plan.rows[r].cells[c], &is = back.plan.rows[r].cells[c];
        if (c == colAltitude && !altitudes) continue;
        if (r == 2 && (c == colLat || c == colLon))
          EXPECT_NEAR(std::stod(is), std::stod(was), 0.006) << c;
        else
          EXPECT_EQ(is, was) << r << " " << c;
      }
    }
    EXPECT_EQ(back.fromDatabase, 5u);
  }
  EXPECT_EQ(windows1252ToUtf8(navtest::failureMessage([&] { exportRoute(FlightPlan{}, db); })),
            "Le plan de vol n'a aucun point à exporter");
}

}  // namespace
