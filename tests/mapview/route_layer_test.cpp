#include "mapview/route_layer.h"

#include <gtest/gtest.h>

#include "mapview/paint_fixture.h"

namespace {

using namespace nav;

RouteRow row(std::string_view type, std::string_view dbky, std::optional<GeoPosition> position = std::nullopt,
             std::string_view name = "") {
  return {name, position, dbky, type};
}

// 1000 x 500 centred on 0, 0 at level 7: one pixel is 20.25 arc-seconds.
struct RouteFixture : navtest::PaintFixture {
  std::vector<RouteRow> rows;
  bool shown = true;
  RouteFixture() : PaintFixture(1000, 500, 7) {
    state.settings.planning = true;
    state.db.airports.push_back(navtest::airport("A1", "ONE", "", 0, 0));
    state.db.airports.push_back(navtest::airport("A2", "TWO", "", 2025, 2025));
    state.db.airports.push_back(navtest::airport("FAR", "FAR", "", 300000, 300000));
    state.db.navaids.push_back(navtest::navaid("N", "", 0, 1, -2025, 4050));
    navtest::putText(state.db.navaids[0], 4, "N1");
  }
  std::vector<std::vector<std::int32_t>> draw() {
    auto ctx = context();
    ctx.route = rows;
    ctx.routeShown = shown;
    drawRouteLayer(surface, ctx);
    std::vector<std::vector<std::int32_t>> out;
    for (const auto& op : surface.only("line")) out.push_back(op.args);
    return out;
  }
};

TEST(RouteLayer, OnlyAnAirportInTheViewStartsTheLine) {
  RouteFixture f;
  f.rows = {row(typeCode::navaid, "N1"), row(typeCode::airport, "FAR"), row(typeCode::airport, "A1"),
            row(typeCode::navaid, "N1"), row(typeCode::airport, "A2"),  RouteRow{}};
  const auto lines = f.draw();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], (std::vector<std::int32_t>{500, 250, 700, 350}));  // from A1 to the navaid
  EXPECT_EQ(lines[1], (std::vector<std::int32_t>{700, 350, 600, 150}));
  EXPECT_EQ(f.surface.only("line")[0].pen.color, (Rgb{0, 0, 0}));
}

TEST(RouteLayer, NeedsBothTheSwitchAndTheFlag) {
  RouteFixture f;
  f.rows = {row(typeCode::airport, "A1"), row(typeCode::airport, "A2")};
  f.shown = false;
  EXPECT_TRUE(f.draw().empty());
  f.shown = true;
  f.state.settings.planning = false;
  EXPECT_TRUE(f.draw().empty());
}

TEST(RouteLayer, AirportsSharingAKeyAreBothJoined) {
  RouteFixture f;
  f.state.db.airports[1] = navtest::airport("A1", "TWO", "", 2025, 2025);
  f.rows = {row(typeCode::airport, "A1")};
  EXPECT_EQ(f.draw().size(), 1u);
}

TEST(RouteLayer, UserPointsReadTheirCellsAndGetTheWaypointMark) {
  RouteFixture f;
  f.state.settings.waypoint = f.state.settings.wptName = true;
  f.rows = {row(typeCode::airport, "A1"),
            row(typeCode::userWaypoint, "", GeoPosition{.lat = 2025, .lon = 1293975}, "WPT0001"),
            row(typeCode::userWaypoint, ""), row(typeCode::airport, "A2")};
  const auto lines = f.draw();
  ASSERT_EQ(lines.size(), 1u + 3u + 1u);
  EXPECT_EQ(lines[0], (std::vector<std::int32_t>{500, 250, 400, 150}));  // 1293975 is 2025 west
  EXPECT_EQ(f.surface.texts(), std::vector<std::string>{"wpt0001"});
  // The next leg starts from the triangle's top vertex.
  EXPECT_EQ(lines[4], (std::vector<std::int32_t>{400, 148, 600, 150}));
}

}  // namespace
