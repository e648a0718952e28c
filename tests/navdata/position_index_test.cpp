#include "navdata/position_index.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "navdata/records.h"

namespace {

nav::WaypointRecord at(double lat, double lon) {
  nav::WaypointRecord r;
  r.put(nav::waypointField::lat, lat);
  r.put(nav::waypointField::lon, lon);
  return r;
}

bool inside(const nav::WaypointRecord& r, const nav::PositionBox& b) {
  return b.south <= r.lat() && r.lat() <= b.north && b.west <= r.lon() && r.lon() <= b.east;
}

// Positions anywhere, on the cells' edges, at the world's edges and past
// them, and not numbers; boxes anywhere, some empty or reaching past the
// world. The walk through the index must meet what a walk of the whole
// table meets, in the same order.
TEST(PositionIndex, FindsWhatAWalkOfTheWholeTableFinds) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> lat(-324000, 324000), lon(0, 1296000), spread(-30000, 30000);
  const double odd[] = {-324000,
                        324000,
                        0,
                        1296000,
                        648000,
                        3600,
                        -3600,
                        1e12,
                        -1e12,
                        std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()};
  std::vector<nav::WaypointRecord> table;
  for (int i = 0; i < 4000; ++i) {
    if (i % 10 == 0)
      table.push_back(at(odd[rng() % std::size(odd)], odd[rng() % std::size(odd)]));
    else if (i % 3 == 0)
      table.push_back(at(176400 + spread(rng), 8400 + spread(rng)));  // a crowded corner of the world
    else
      table.push_back(at(lat(rng), lon(rng)));
  }
  const nav::PositionIndex index(table);
  ASSERT_EQ(index.records(), table.size());
  int looked = 0, walkedAll = 0;
  for (int k = 0; k < 400; ++k) {
    const bool crowded = k % 2 == 0;
    const double s = k % 7 == 0 ? odd[rng() % std::size(odd)] : crowded ? 176400 + spread(rng) : lat(rng);
    const double w = crowded ? 8400 + spread(rng) : lon(rng) - 20000;
    const double h = k % 5 == 0 ? 400000 : std::abs(spread(rng)) * 2, wide = k % 5 == 0 ? 900000 : h * 2;
    const nav::PositionBox boxes[] = {{s, s + h, w, w + wide}, {170000, 183000, 2000, 15000}, {s + h, s, w, w}};
    std::vector<std::size_t> expected, met;
    for (std::size_t i = 0; i < table.size(); ++i)
      if (std::any_of(std::begin(boxes), std::end(boxes), [&](const auto& b) { return inside(table[i], b); }))
        expected.push_back(i);
    nav::visitInBoxes(table, index, boxes, [&](const nav::WaypointRecord& r) {
      const std::size_t i = static_cast<std::size_t>(&r - table.data());
      if (std::any_of(std::begin(boxes), std::end(boxes), [&](const auto& b) { return inside(r, b); }))
        met.push_back(i);
    });
    ASSERT_EQ(met, expected) << "box " << k;
    std::vector<std::uint32_t> found;
    if (index.candidates(boxes, found)) {
      ++looked;
      EXPECT_TRUE(std::is_sorted(found.begin(), found.end()));
      EXPECT_EQ(std::adjacent_find(found.begin(), found.end()), found.end());
    } else {
      ++walkedAll;
    }
  }
  EXPECT_GT(looked, 200);   // the small boxes look up their records
  EXPECT_GT(walkedAll, 0);  // the largest walk the table
}

TEST(PositionIndex, ATableItWasNotMadeForIsWalkedWhole) {
  std::vector<nav::WaypointRecord> table{at(0, 0), at(3600, 3600)};
  const nav::PositionIndex index(table);
  table.push_back(at(1e6, 1e6));  // changed since: the index knows nothing of it
  int met = 0, stopped = 0;
  const nav::PositionBox none[] = {{-1, -1, -1, -1}};
  nav::visitInBoxes(table, index, none, [&](const nav::WaypointRecord&) { ++met; });
  EXPECT_EQ(met, 3);
  const nav::PositionBox near[] = {{-10, 4000, -10, 4000}};
  nav::visitInBoxes(table, nav::PositionIndex(table), near, [&](const nav::WaypointRecord&) { return ++stopped < 1; });
  EXPECT_EQ(stopped, 1);  // stops when told to
}

}  // namespace
