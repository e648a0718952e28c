#include "mapview/object_layers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "mapview/map_painter.h"
#include "mapview/paint_fixture.h"

namespace {

using navtest::PaintFixture;
using Op = navtest::RecordingSurface::Op;

const nav::Rgb kBlue{0, 0, 255}, kGreen{0, 255, 0}, kRed{255, 0, 0}, kOutline{0, 192, 255};

std::vector<std::int32_t> box(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  return {x1, y1, x2, y2};
}

// 1000 x 500 centred on 0, 0: the centre is pixel (500, 250) at every level.
PaintFixture vorAt(int mag, int navType = 17) {
  PaintFixture f(1000, 500, mag);
  f.state.settings.vor = true;
  f.state.db.navaids.push_back(navtest::navaid("XYZ", "ABC", 113.9, navType, 0, 0));
  return f;
}

TEST(NavaidLayer, VorSymbolFollowsTheZoomLevel) {
  PaintFixture f = vorAt(7);
  f.surface.setPen({kOutline, 1});
  f.run(nav::drawNavaidLayer);
  const auto ellipses = f.surface.only("ellipse");
  ASSERT_EQ(ellipses.size(), 2u);
  EXPECT_EQ(ellipses[0].args, box(490, 240, 510, 260));
  EXPECT_EQ(ellipses[1].args, box(492, 242, 508, 258));  // the DME ring
  EXPECT_EQ(ellipses[0].pen.color, kBlue);
  const auto lines = f.surface.only("line");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].args, box(500, 260, 500, 265));
  EXPECT_EQ(lines[3].args, box(490, 250, 485, 250));
  EXPECT_EQ(f.surface.pen().color, kOutline);  // restored

  PaintFixture six = vorAt(6);
  six.surface.setPen({kOutline, 1});
  six.run(nav::drawNavaidLayer);
  const auto cross = six.surface.only("line");
  ASSERT_EQ(cross.size(), 2u);
  EXPECT_EQ(cross[0].args, box(502, 250, 497, 250));
  EXPECT_EQ(cross[1].args, box(500, 252, 500, 247));
  EXPECT_EQ(cross[0].pen.color, kOutline);  // small marks take whatever pen is current
  EXPECT_TRUE(six.surface.only("ellipse").empty());

  PaintFixture five = vorAt(5);
  five.run(nav::drawNavaidLayer);
  EXPECT_EQ(five.surface.only("line")[0].args, box(501, 250, 498, 250));

  PaintFixture plain = vorAt(7, 1);
  plain.run(nav::drawNavaidLayer);
  EXPECT_EQ(plain.surface.only("ellipse").size(), 1u);

  PaintFixture tacan = vorAt(7, 4);  // neither VOR nor NDB: never drawn
  tacan.run(nav::drawNavaidLayer);
  EXPECT_TRUE(tacan.surface.ops.empty());
}

TEST(NavaidLayer, StationLabels) {
  PaintFixture f = vorAt(7);
  f.state.settings.name = f.state.settings.freq = f.state.settings.id = true;
  f.run(nav::drawNavaidLayer);
  EXPECT_EQ(f.surface.texts(), (std::vector<std::string>{"ABC", "113.900 XYZ"}));
  const auto frames = f.surface.only("frame");
  ASSERT_EQ(frames.size(), 1u);
  // W = 11 characters of 6 pixels; two lines: top = y - 45.
  EXPECT_EQ(frames[0].args, box(500 - 33 - 2, 250 - 45, 500 + 33 + 2, 250 - 13));
  EXPECT_EQ(frames[0].fill, (nav::Rgb{0, 128, 0}));
  const auto texts = f.surface.only("text");
  EXPECT_EQ(texts[0].args, (std::vector<std::int32_t>{500 - 9, 250 - 30 - 13}));
  EXPECT_EQ(texts[1].args, (std::vector<std::int32_t>{500 - 33, 250 - 15 - 13}));
  EXPECT_EQ(texts[0].fill, (nav::Rgb{255, 255, 255}));  // written on white

  PaintFixture idOnly = vorAt(7);
  idOnly.state.settings.id = true;
  idOnly.run(nav::drawNavaidLayer);
  EXPECT_EQ(idOnly.surface.texts(), std::vector<std::string>{" XYZ"});
  EXPECT_EQ(idOnly.surface.only("frame")[0].args, box(500 - 12 - 2, 250 - 30, 500 + 12 + 2, 250 - 13));

  PaintFixture none = vorAt(7);
  none.run(nav::drawNavaidLayer);
  EXPECT_TRUE(none.surface.only("frame").empty());
}

TEST(NavaidLayer, NdbRingsAndWholeKilohertz) {
  PaintFixture f(1000, 500, 7);
  f.state.settings.ndb = true;
  f.state.settings.freq = true;
  f.state.db.navaids.push_back(navtest::navaid("NB", "NDB ONE", 375, 8, 0, 0));
  f.state.db.navaids.push_back(navtest::navaid("VR", "VOR", 113, 1, 0, 0));  // VOR layer is off
  f.run(nav::drawNavaidLayer);
  EXPECT_EQ(f.surface.texts(), std::vector<std::string>{"375"});
  EXPECT_EQ(f.surface.only("frame")[0].fill, kBlue);
  const auto rings = f.surface.only("ellipse");
  ASSERT_EQ(rings.size(), 3u);
  EXPECT_EQ(rings[0].args, box(492, 242, 508, 258));
  EXPECT_EQ(rings[2].args, box(496, 246, 504, 254));
  EXPECT_EQ(rings[0].pen.color, kGreen);

  PaintFixture low(1000, 500, 3);
  low.state.settings.ndb = true;
  low.state.db.navaids.push_back(navtest::navaid("NB", "", 375, 8, 0, 0));
  low.run(nav::drawNavaidLayer);
  ASSERT_EQ(low.surface.only("line").size(), 2u);
  EXPECT_EQ(low.surface.only("line")[0].pen.color, kGreen);
}

TEST(AirportLayer, MarksLabelsAndRunways) {
  // Level 9 over the western hemisphere: stored longitudes above 648000.
  PaintFixture f(1000, 500, 9, -7200, 0);
  f.state.settings.airport = f.state.settings.id = true;
  const double left = f.state.view.left;
  f.state.db.airports.push_back(navtest::airport("KEY1", "EDGE", "On the edge", 0, left + 1296000));
  f.state.db.runways.push_back(navtest::runway("KEY1", 10, left + 1296000, -10, left + 1296000 + 100));
  f.state.db.runways.push_back(navtest::runway("KEY2", 10, 0, 0, 0));
  f.surface.setPen({kOutline, 1});
  f.run(nav::drawAirportLayer);
  const auto circles = f.surface.only("ellipse");
  ASSERT_EQ(circles.size(), 1u);
  EXPECT_EQ(circles[0].args, box(-5, 245, 5, 255));
  EXPECT_EQ(circles[0].pen.color, kRed);
  EXPECT_EQ(f.surface.texts(), std::vector<std::string>{"EDGE"});
  const auto lines = f.surface.only("line");
  ASSERT_EQ(lines.size(), 1u);  // only the runway of this airport
  EXPECT_EQ(lines[0].args[0], 0);
  EXPECT_EQ(lines[0].pen.color, kRed);
  EXPECT_EQ(f.surface.pen().color, kOutline);

  PaintFixture eight(1000, 500, 8, -7200, 0);
  eight.state.settings.airport = true;
  eight.state.db = f.state.db;
  eight.state.db.airports[0] = navtest::airport("KEY1", "EDGE", "", 0, -7200 + 1296000);
  eight.run(nav::drawAirportLayer);
  EXPECT_TRUE(eight.surface.only("line").empty());  // runways from level 9

  PaintFixture world(1000, 500, 1);
  world.state.settings.airport = true;
  world.state.db.airports.push_back(navtest::airport("K", "X", "", 0, 0));
  world.surface.setPen({kOutline, 1});
  world.run(nav::drawAirportLayer);
  const auto x = world.surface.only("line");
  ASSERT_EQ(x.size(), 2u);
  EXPECT_EQ(x[0].args, box(499, 249, 501, 251));
  EXPECT_EQ(x[1].args, box(501, 249, 499, 251));
  EXPECT_EQ(x[0].pen.color, kOutline);

  // The first cross takes the pen left current; the pen is then restored
  // from the spare pen, which the others take.
  world.state.db.airports.push_back(navtest::airport("K2", "Y", "", 3600, 3600));
  world.penSaved = {kBlue, 1};
  world.surface = {};
  world.surface.setPen({kOutline, 1});
  world.run(nav::drawAirportLayer);
  const auto two = world.surface.only("line");
  ASSERT_EQ(two.size(), 4u);
  EXPECT_EQ(two[1].pen.color, kOutline);
  EXPECT_EQ(two[2].pen.color, kBlue);
  EXPECT_EQ(two[3].pen.color, kBlue);
}

TEST(IlsLayer, KindsAndSwitches) {
  PaintFixture f(1000, 500, 7);
  f.state.settings.marker = true;
  f.state.db.ilsComponents.push_back(navtest::ils(16, "I16", "", 0, 0, 0));
  f.state.db.ilsComponents.push_back(navtest::ils(64, "ILOC", "LOC 27", 110.3, 0, 0));
  f.state.db.ilsComponents.push_back(navtest::ils(1024, "MM", "", 0, 0, 0));
  f.run(nav::drawIlsLayer);
  const auto rects = f.surface.only("rectangle");
  ASSERT_EQ(rects.size(), 2u);  // kind 16 and the marker; not the localizer
  EXPECT_EQ(rects[0].args, box(498, 248, 502, 252));
  EXPECT_EQ(rects[1].pen.color, kRed);

  PaintFixture loc(1000, 500, 7);
  loc.state.settings.ils = loc.state.settings.freq = loc.state.settings.id = true;
  loc.state.db.ilsComponents = f.state.db.ilsComponents;
  loc.run(nav::drawIlsLayer);
  EXPECT_EQ(loc.surface.texts(), std::vector<std::string>{" 110.300 ILOC"});
  EXPECT_EQ(loc.surface.only("frame")[0].fill, (nav::Rgb{128, 0, 0}));
  EXPECT_EQ(loc.surface.only("rectangle").size(), 2u);  // kind 16 and the localizer's square

  PaintFixture six(1000, 500, 6);
  six.state.settings.ils = six.state.settings.marker = true;
  six.state.db.ilsComponents = f.state.db.ilsComponents;
  six.run(nav::drawIlsLayer);
  EXPECT_TRUE(six.surface.ops.empty());
}

// Short of full detail the layer draws nothing but leaves the pens as every
// station in view taking the ILS pen in turn would: none, one, several, and
// stations out of view between them.
TEST(IlsLayer, BelowFullDetailOnlyThePensChange) {
  const nav::Pen start{kGreen, 1};
  for (int inView : {0, 1, 2, 5}) {
    PaintFixture f(1000, 500, 6);
    f.state.settings.ils = true;
    for (int i = 0; i < 6; ++i) {
      f.state.db.ilsComponents.push_back(navtest::ils(64, "FAR", "", 0, 300000, 600000));
      if (i < inView) f.state.db.ilsComponents.push_back(navtest::ils(64, "I", "", 110.3, 0, 0));
    }
    f.surface.setPen(start);
    f.penSaved = {kRed, 3};
    f.run(nav::drawIlsLayer);
    const nav::Pen ils = f.state.pens.penIls;
    EXPECT_EQ(f.surface.pen(), inView == 0 ? start : ils) << inView;
    const nav::Pen saved = inView == 0 ? nav::Pen{kRed, 3} : inView == 1 ? start : ils;
    EXPECT_EQ(f.penSaved, saved) << inView;
    EXPECT_TRUE(f.surface.only("rectangle").empty());
  }
}

TEST(WaypointLayer, TrianglesNamesAndHiddenPoints) {
  PaintFixture f(1000, 500, 7);
  f.state.settings.waypoint = f.state.settings.wptName = true;
  f.state.db.waypoints.push_back(navtest::waypoint("ABC12", 0, 0));
  f.state.db.waypoints.push_back(navtest::waypoint("HIDE", 0, 0, 1));
  f.run(nav::drawWaypointLayer);
  EXPECT_EQ(f.surface.texts(), std::vector<std::string>{"abc12"});
  EXPECT_EQ(f.surface.only("text")[0].args, (std::vector<std::int32_t>{500 - 15, 255}));
  const auto lines = f.surface.only("line");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].args, box(500, 248, 502, 252));
  EXPECT_EQ(lines[2].args, box(498, 252, 500, 248));
  EXPECT_EQ(lines[0].pen.color, (nav::Rgb{0, 0, 0}));

  PaintFixture low(1000, 500, 5);
  low.state.settings.waypoint = low.state.settings.wptName = true;
  low.state.db.waypoints = f.state.db.waypoints;
  low.run(nav::drawWaypointLayer);
  EXPECT_TRUE(low.surface.texts().empty());
  EXPECT_EQ(low.surface.only("line")[0].args, box(500, 249, 501, 251));

  // Many marks: every one drawn, in table order.
  PaintFixture many(1000, 500, 5);
  many.state.settings.waypoint = true;
  for (int i = 0; i < 70; ++i) many.state.db.waypoints.push_back(navtest::waypoint("W", 0, (i - 35) * 1000.0));
  many.run(nav::drawWaypointLayer);
  const auto marks = many.surface.only("line");
  ASSERT_EQ(marks.size(), 210u);
  for (int i = 0; i < 70; ++i) {
    const nav::MapPixel p = many.state.view.GeoToPixel({.lat = 0, .lon = (i - 35) * 1000.0});
    EXPECT_EQ(marks[static_cast<std::size_t>(3 * i)].args, box(p.x, p.y - 1, p.x + 1, p.y + 1));
  }
}

TEST(CartePaint, EmptyMapIsTheWorldFrameAndTheCentreCross) {
  PaintFixture f(1000, 500, 1);
  f.state.settings.showMaps = true;  // no outline loaded: nothing of it
  f.state.settings.vor = true;       // and an empty table
  f.run(nav::CartePaint);
  ASSERT_EQ(f.surface.ops.size(), 3u);
  EXPECT_EQ(f.surface.ops[0].kind, "polygon");
  EXPECT_EQ(f.surface.ops[0].args, (std::vector<std::int32_t>{0, 0, 1000, 0, 1000, 500, 0, 500}));
  EXPECT_EQ(f.surface.ops[0].pen.color, (nav::Rgb{0, 0, 0}));
  EXPECT_EQ(f.surface.ops[0].fill, (nav::Rgb{255, 255, 255}));
  EXPECT_EQ(f.surface.ops[1].args, box(498, 250, 502, 250));
  EXPECT_EQ(f.surface.ops[2].args, box(500, 252, 500, 248));
  EXPECT_EQ(f.surface.ops[2].pen.color, kRed);
}

TEST(CartePaint, ObjectsFarOutsideTheViewDoNotBreakThePaint) {
  PaintFixture f(1000, 500, 16, 0, 0);
  f.state.settings.vor = f.state.settings.airport = f.state.settings.waypoint = true;
  f.state.db.navaids.push_back(navtest::navaid("FAR", "", 0, 1, 1e300, 1e300));
  f.state.db.airports.push_back(navtest::airport("K", "FAR", "", -1e300, 5));
  f.state.db.waypoints.push_back(navtest::waypoint("NAN", std::nan(""), 0));
  auto ctx = f.context();
  EXPECT_NO_THROW(nav::CartePaint(f.surface, ctx));
}

// Every layer, at levels from the whole world to the deepest and over the
// seam of longitudes: the same drawing with the tables' index as without.
TEST(CartePaint, DrawsTheSameThroughThePositionIndex) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> near(-20000, 20000), lat(-324000, 324000), lon(0, 1296000);
  const auto filled = [&](PaintFixture& f) {
    nav::ViewSettings& on = f.state.settings;
    on.vor = on.ndb = on.airport = on.ils = on.waypoint = on.name = on.id = on.freq = on.wptName = true;
    nav::NavDatabase& db = f.state.db;
    for (int i = 0; i < 600; ++i) {
      // About Paris, about the seam on both sides, and anywhere.
      const double la = i % 3 == 0 ? 176400 + near(rng) : i % 3 == 1 ? near(rng) : lat(rng);
      const double lo = i % 3 == 0   ? 8400 + near(rng)
                        : i % 3 == 1 ? std::fmod(1296000 + 648000 + near(rng), 1296000)
                                     : lon(rng);
      const std::string id = "P" + std::to_string(i);
      db.navaids.push_back(navtest::navaid(id, "N", 113.9, i % 2 ? 1 : 2, la, lo));
      db.airports.push_back(navtest::airport("K" + id, id, "A", la + 60, lo + 60));
      db.ilsComponents.push_back(navtest::ils(64, id, "I", 110.3, la - 60, lo - 60));
      db.waypoints.push_back(navtest::waypoint(id, la + 120, lo - 120, static_cast<std::uint8_t>(i % 7 == 0)));
    }
  };
  const auto same = [](const std::vector<Op>& a, const std::vector<Op>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i].kind != b[i].kind || a[i].args != b[i].args || a[i].text != b[i].text ||
          a[i].pen.color != b[i].pen.color)
        return false;
    return true;
  };
  for (const double centre : {8400.0, 647000.0, -647000.0})
    for (const int mag : {1, 4, 6, 7, 10, 13}) {
      PaintFixture walked(1000, 500, mag, centre, centre == 8400 ? 176400 : 0);
      filled(walked);
      PaintFixture indexed = walked;
      indexed.state.db.indexPositions();
      auto a = walked.context(), b = indexed.context();
      nav::CartePaint(walked.surface, a);
      nav::CartePaint(indexed.surface, b);
      EXPECT_GT(walked.surface.ops.size(), 2u);
      EXPECT_TRUE(same(walked.surface.ops, indexed.surface.ops)) << "level " << mag << " about " << centre;
    }
}

}  // namespace
