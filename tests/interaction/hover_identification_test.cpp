#include "interaction/hover_identification.h"

#include <gtest/gtest.h>

#include "mapview/paint_fixture.h"

namespace {

using navtest::airport;
using navtest::navaid;
using navtest::putI32;
using navtest::putText;
using navtest::waypoint;

nav::ViewSettings layers(std::initializer_list<bool nav::ViewSettings::*> on) {
  nav::ViewSettings s;
  for (auto f : on) s.*f = true;
  return s;
}

using S = nav::ViewSettings;

TEST(PointerPosition, WholeArcSecondsAndStatusText) {
  nav::PointerPosition p = nav::pointerPosition({.lat = 176004.5, .lon = -16200.3});
  EXPECT_EQ(p.pointer.lat, 176004);
  EXPECT_EQ(p.pointer.lon, 1279800);
  EXPECT_EQ(p.statusText, "N 48\xB0 53' 24\" - W 4\xB0 30' 0\"");

  p = nav::pointerPosition({.lat = -0.5, .lon = 0});
  EXPECT_EQ(p.statusText, "S 0\xB0 0' 0\" - E 0\xB0 0' 0\"");
  EXPECT_EQ(p.pointer.lat, 0);

  p = nav::pointerPosition({.lat = -36000.2, .lon = -10});
  EXPECT_EQ(p.pointer.lon, 1295990);
  EXPECT_EQ(p.pointer.lat, -36000);

  p = nav::pointerPosition({.lat = 0, .lon = 9180});  // exactly 2 degrees 33 minutes
  EXPECT_EQ(p.statusText, "N 0\xB0 0' 0\" - E 2\xB0 33' 0\"");
  EXPECT_EQ(p.pointer.lon, 9180);
}

TEST(HoverRadius, ShrinksWithZoom) {
  EXPECT_EQ(nav::hoverRadius(1), 47);
  EXPECT_EQ(nav::hoverRadius(7), 29);
  EXPECT_EQ(nav::hoverRadius(16), 2);
  EXPECT_LT(nav::hoverRadius(17), 0);
}

TEST(Identify, BoxIsStrictAndSquare) {
  nav::NavDatabase db;
  db.airports.push_back(airport("K1", "EDGE", "Edge", 1000 + 29, 5000));  // exactly r away at level 7
  db.airports.push_back(airport("K2", "IN", "Inside", 1000 + 28, 5000 - 28));
  const auto on = layers({&S::airport});
  const nav::Identification id = nav::identifyAt({.lat = 1000, .lon = 5000}, 7, on, db, 1, '.');
  EXPECT_EQ(id.description, "AIRPORT Inside (K2)");
  EXPECT_TRUE(id.found);
  EXPECT_TRUE(id.selection.hasAirport());
  EXPECT_EQ(id.selection.hoveredAirport.dbky(), "K2");

  // A southern airport 10 arc-seconds off: found while the radius exceeds 10.
  db.airports = {airport("KS", "S", "South", -36010, 3600)};
  EXPECT_TRUE(nav::identifyAt({.lat = -36000, .lon = 3600}, 13, on, db, 1, '.').found);
  EXPECT_FALSE(nav::identifyAt({.lat = -36000, .lon = 3600}, 14, on, db, 1, '.').found);
  EXPECT_FALSE(nav::identifyAt({.lat = -36000, .lon = 3600}, 17, on, db, 1, '.').found);

  // No wrap at the seam of stored longitudes.
  db.airports = {airport("KW", "W", "Seam", 0, 5)};
  EXPECT_FALSE(nav::identifyAt({.lat = 0, .lon = 1295990}, 7, on, db, 1, '.').found);
}

TEST(Identify, OnlyAirportsAtLevelSixAndBelow) {
  nav::NavDatabase db;
  db.navaids.push_back(navaid("VOR", "Vor", 113.9, 1, 0, 100));
  db.waypoints.push_back(waypoint("WP", 0, 100));
  const auto on = layers({&S::vor, &S::waypoint, &S::ils, &S::airport});
  const nav::Identification six = nav::identifyAt({.lat = 0, .lon = 100}, 6, on, db, 1, '.');
  EXPECT_FALSE(six.found);
  EXPECT_FALSE(six.selection.hasNavaid());
  EXPECT_FALSE(six.selection.hasWaypoint());
  EXPECT_TRUE(nav::identifyAt({.lat = 0, .lon = 100}, 7, on, db, 1, '.').found);
}

TEST(Identify, LaterLayersWinTheDescriptionAndEverySlotStays) {
  nav::NavDatabase db;
  db.airports.push_back(airport("KA", "APT", "Airport", 0, 100));
  db.waypoints.push_back(waypoint("WPT1", 0, 100));
  putText(db.waypoints[0], 4, "KW");
  nav::IlsRecord ils = navtest::ils(1024, "MM", "Middle", 75, 0, 100);
  putText(ils, 4, "KI");
  putText(ils, 14, "KA");
  putText(ils, 24, "27");
  db.ilsComponents.push_back(ils);
  auto on = layers({&S::airport, &S::waypoint});
  nav::Identification id = nav::identifyAt({.lat = 0, .lon = 100}, 10, on, db, 1, '.');
  EXPECT_EQ(id.description, "WAYPOINT WPT1 (KW)");
  EXPECT_TRUE(id.selection.hasAirport());
  EXPECT_TRUE(id.selection.hasWaypoint());

  on.ils = true;  // every ILS kind, marker beacons included
  id = nav::identifyAt({.lat = 0, .lon = 100}, 10, on, db, 1, ',');
  EXPECT_EQ(id.description, "ILS : 27 MM Middle KA 75,000 Mhz (KI)");

  db.waypoints[0].bytes[46] = 1;  // hidden from the map: never identified
  on.ils = false;
  id = nav::identifyAt({.lat = 0, .lon = 100}, 10, on, db, 1, '.');
  EXPECT_EQ(id.description, "AIRPORT Airport (KA)");
  EXPECT_FALSE(id.selection.hasWaypoint());
}

// Many objects a few arc seconds apart about the corner of four squares of
// a degree: the first of each table under the pointer, through the index
// as through the whole table.
TEST(Identify, TheIndexFindsTheFirstUnderThePointer) {
  nav::NavDatabase db;
  for (int i = 0; i < 400; ++i) {
    const double lat = (i * 37) % 200 - 100, lon = 3600 + (i * 53) % 200 - 100;
    const std::string id = "X" + std::to_string(i);
    db.airports.push_back(airport("K" + id, id, "A", lat, lon));
    db.navaids.push_back(navaid(id, "N", 113.9, i % 2 ? 1 : 2, lat + 3, lon));
    db.waypoints.push_back(waypoint(id, lat, lon + 3, static_cast<std::uint8_t>(i % 5 == 0)));
    db.ilsComponents.push_back(navtest::ils(64, id, "I", 110.3, lat - 3, lon));
  }
  nav::NavDatabase indexed = db;
  indexed.indexPositions();
  const auto on = layers({&S::airport, &S::vor, &S::ndb, &S::waypoint, &S::ils});
  for (const int mag : {1, 7, 13})
    for (double lat = -120; lat <= 120; lat += 17)
      for (double lon = 3480; lon <= 3720; lon += 13) {
        const nav::Identification a = nav::identifyAt({.lat = lat, .lon = lon}, mag, on, db, 1, '.');
        const nav::Identification b = nav::identifyAt({.lat = lat, .lon = lon}, mag, on, indexed, 1, '.');
        EXPECT_EQ(a.description, b.description);
        EXPECT_EQ(a.selection.hoveredAirport.dbky(), b.selection.hoveredAirport.dbky());
        EXPECT_EQ(a.selection.hoveredNavaid.ident(), b.selection.hoveredNavaid.ident());
        EXPECT_EQ(a.selection.hoveredWaypoint.ident(), b.selection.hoveredWaypoint.ident());
      }
}

TEST(Identify, NavaidOfALayerThatIsOffEndsTheScan) {
  nav::NavDatabase db;
  db.navaids.push_back(navaid("V1", "Vor", 113.9, 1, 0, 100));
  putText(db.navaids[0], 4, "KV");
  db.navaids.push_back(navaid("N1", "Ndb", 375, 8, 0, 100));
  const auto ndbOnly = layers({&S::ndb});
  nav::Identification id = nav::identifyAt({.lat = 0, .lon = 100}, 8, ndbOnly, db, 1, '.');
  EXPECT_FALSE(id.found);
  EXPECT_EQ(id.description, "");
  EXPECT_TRUE(id.selection.hasNavaid());
  EXPECT_EQ(id.selection.hoveredNavaid.dbky(), "KV");

  db.navaids[0] = navaid("VD", "Vordme", 115.35, 17, 0, 100);
  putText(db.navaids[0], 4, "K17");
  id = nav::identifyAt({.lat = 0, .lon = 100}, 8, ndbOnly, db, 1, '.');
  EXPECT_EQ(id.description, "VOR-DME VD Vordme 115.350 (K17) ");

  db.navaids[0] = navaid("DM", "Dme", 110, 16, 0, 100);
  id = nav::identifyAt({.lat = 0, .lon = 100}, 8, ndbOnly, db, 1, '.');
  EXPECT_EQ(id.description, " DM Dme 110.000 () ");
}

TEST(Identify, UserPointAndEmptySlots) {
  nav::NavDatabase db;
  const nav::Identification id =
      nav::identifyAt({.lat = 176004, .lon = 1279800}, 7, nav::ViewSettings{}, db, 12345, '.');
  EXPECT_EQ(id.selection.userPoint.name, "WPT12345");
  EXPECT_EQ(id.selection.userPoint.position.lat, 176004);
  EXPECT_EQ(id.selection.userPoint.position.lon, 1279800);
  EXPECT_EQ(id.selection.hoveredAirport.recId(), -1);
  EXPECT_EQ(id.selection.hoveredNavaid.recId(), -1);
  EXPECT_EQ(nav::userPointName(1), "WPT0001");
  EXPECT_EQ(nav::userPointName(10000), "WPT10000");
}

TEST(PopupPlacement, BesideThePointerOrFlippedAtTheEdges) {
  // Map client area at (100, 200) on the screen; window 1000 x 700; popup 222 x 17.
  EXPECT_EQ(nav::popupTopLeft(100, 200, 50, 60, 1000, 700, 222, 17), (nav::ScreenPoint{150, 280}));
  EXPECT_EQ(nav::popupTopLeft(100, 200, 778, 683, 1000, 700, 222, 17),
            (nav::ScreenPoint{100 + 778 - 222, 200 + 683 - 117}));
  EXPECT_EQ(nav::popupTopLeft(100, 200, 777, 682, 1000, 700, 222, 17), (nav::ScreenPoint{877, 902}));
}

TEST(PopupPlacement, KeptInsideTheScreen) {
  // The rule compares map coordinates with the window's size, so the popup
  // can leave a 1024 x 768 screen; it is moved back in.
  const nav::ScreenArea screen{0, 0, 1024, 768};
  const nav::ScreenPoint off = nav::popupTopLeft(100, 200, 777, 500, 1000, 700, 222, 17);  // x 877, y 720
  EXPECT_EQ(nav::keptInside(off, 222, 17, screen), (nav::ScreenPoint{1024 - 222, 720}));
  EXPECT_EQ(nav::keptInside({900, 760}, 222, 17, screen), (nav::ScreenPoint{802, 751}));
  EXPECT_EQ(nav::keptInside({-5, -9}, 222, 17, {10, 20, 1000, 700}), (nav::ScreenPoint{10, 20}));
  EXPECT_EQ(nav::keptInside({50, 60}, 222, 17, screen), (nav::ScreenPoint{50, 60}));  // inside: unchanged
}

}  // namespace
