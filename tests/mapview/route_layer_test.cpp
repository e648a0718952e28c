#include "mapview/route_layer.h"

#include <gtest/gtest.h>

#include "mapview/paint_fixture.h"

namespace {

using namespace nav;

RouteRow row(std::string_view type, std::optional<GeoPosition> position, std::string_view name = "") {
  return {name, position, "", type};
}
GeoPosition at(double lat, double lon) { return {.lat = lat, .lon = lon}; }

// 1000 x 500 centred on 0, 0 at level 7: one pixel is 20.25 arc-seconds.
struct RouteFixture : navtest::PaintFixture {
  std::vector<RouteRow> rows;
  bool shown = true;
  RouteFixture() : PaintFixture(1000, 500, 7) { state.settings.planning = true; }
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

// Every leg between rows with a position, whatever their kind and wherever
// they lie: a navaid may start the route, a point far off the view still
// has its legs, and a row without a position is passed over.
TEST(RouteLayer, DrawsEveryLegWhereverItsEndsLie) {
  RouteFixture f;
  f.rows = {row(typeCode::navaid, at(-2025, 4050)), row(typeCode::airport, at(202500, 202500)),
            row(typeCode::airport, at(0, 0)),       row(typeCode::waypoint, std::nullopt),
            row(typeCode::airport, at(2025, 2025)), RouteRow{}};
  const auto lines = f.draw();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], (std::vector<std::int32_t>{700, 350, 10500, -9750}));  // out of the view
  EXPECT_EQ(lines[1], (std::vector<std::int32_t>{10500, -9750, 500, 250}));  // and back
  EXPECT_EQ(lines[2], (std::vector<std::int32_t>{500, 250, 600, 150}));
  EXPECT_EQ(f.surface.only("line")[0].pen.color, (Rgb{0, 0, 0}));
}

TEST(RouteLayer, NeedsBothTheSwitchAndTheFlag) {
  RouteFixture f;
  f.rows = {row(typeCode::airport, at(0, 0)), row(typeCode::airport, at(2025, 2025))};
  f.shown = false;
  EXPECT_TRUE(f.draw().empty());
  f.shown = true;
  f.state.settings.planning = false;
  EXPECT_TRUE(f.draw().empty());
}

// The short way: out at the world's edge on one side and in at the other,
// where the straight line crosses the meridian, never across the map.
TEST(RouteLayer, ALegAcrossTheDateLineTakesTheShortWay) {
  navtest::PaintFixture world(1000, 500, 1);
  world.state.settings.planning = true;
  auto ctx = world.context();
  const std::vector<RouteRow> rows = {row(typeCode::airport, at(0, 640000)),
                                      row(typeCode::airport, at(20000, -632000))};
  ctx.route = rows;
  ctx.routeShown = true;
  drawRouteLayer(world.surface, ctx);
  const auto lines = world.surface.only("line");
  ASSERT_EQ(lines.size(), 2u);
  const Viewport& v = world.state.view;
  const MapPixel east = v.GeoToPixel(at(0, 640000)), eastEdge = v.GeoToPixel(at(20000.0 / 3, kHalfTurn));
  const MapPixel westEdge = v.GeoToPixel(at(20000.0 / 3, -kHalfTurn)), west = v.GeoToPixel(at(20000, -632000));
  EXPECT_EQ(lines[0].args, (std::vector<std::int32_t>{east.x, east.y, eastEdge.x, eastEdge.y}));
  EXPECT_EQ(lines[1].args, (std::vector<std::int32_t>{westEdge.x, westEdge.y, west.x, west.y}));
}

TEST(RouteLayer, UserPointsGetTheWaypointMark) {
  RouteFixture f;
  f.state.settings.waypoint = f.state.settings.wptName = true;
  f.rows = {row(typeCode::airport, at(0, 0)), row(typeCode::userWaypoint, at(2025, -2025), "WPT0001"),
            row(typeCode::userWaypoint, std::nullopt), row(typeCode::airport, at(2025, 2025)),
            row(typeCode::userWaypoint, at(200000, 0), "WPT0002")};
  const auto lines = f.draw();
  ASSERT_EQ(lines.size(), 1u + 3u + 1u + 1u);  // the far one has no mark
  EXPECT_EQ(lines[0], (std::vector<std::int32_t>{500, 250, 400, 150}));
  EXPECT_EQ(f.surface.texts(), std::vector<std::string>{"wpt0001"});
  // The next leg starts from the triangle's top vertex.
  EXPECT_EQ(lines[4], (std::vector<std::int32_t>{400, 148, 600, 150}));
}

}  // namespace
