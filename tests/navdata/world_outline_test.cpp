#include "navdata/world_outline.h"

#include <gtest/gtest.h>

#include <bit>

#include "base/failure.h"
#include "test_support.h"

namespace {

std::string floats(std::initializer_list<float> values) {
  std::string out;
  for (float f : values) {
    const auto u = std::bit_cast<std::uint32_t>(f);
    for (int i = 0; i < 4; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
  }
  return out;
}

TEST(WorldOutline, KeepsEveryWholeValueInFileOrder) {
  navtest::ScratchFolder dir;
  navtest::writeFile(dir.path() + "world5000s.map", floats({-648000.f, 1.5f, 0.f, 0.f, 36000.f}) + "ab");
  nav::WorldOutline outline;
  nav::loadWorldOutline(dir.path(), outline);
  EXPECT_TRUE(outline.outlineLoaded);
  EXPECT_EQ(outline.values, (std::vector<float>{-648000.f, 1.5f, 0.f, 0.f, 36000.f}));
  EXPECT_EQ(outline.pairCount(), 2u);  // the lone last value has no partner

  // Once loaded, a second call reads nothing.
  navtest::writeFile(dir.path() + "world5000s.map", floats({1.f, 2.f}));
  nav::loadWorldOutline(dir.path(), outline);
  EXPECT_EQ(outline.values.size(), 5u);
}

TEST(WorldOutline, MissingOrEmptyFileLeavesItUnloaded) {
  navtest::ScratchFolder dir;
  nav::WorldOutline outline;
  EXPECT_EQ(navtest::failureMessage([&] { nav::loadWorldOutline(dir.path(), outline); }),
            "Cannot open file " + dir.path() + "world5000s.map");
  EXPECT_FALSE(outline.outlineLoaded);

  navtest::writeFile(dir.path() + "world5000s.map", "abc");
  EXPECT_EQ(navtest::failureMessage([&] { nav::loadWorldOutline(dir.path(), outline); }), "Range check error");
  EXPECT_FALSE(outline.outlineLoaded);
  EXPECT_TRUE(outline.values.empty());
}

}  // namespace
