#include "tools/world_atlas.h"

#include <gtest/gtest.h>

#include <bit>

#include "base/failure.h"
#include "test_support.h"
#include "tools/outline_writer.h"

namespace {

using navtools::GeoPoint;
using navtools::OutlineBuilder;
using navtools::topoJsonArcs;

std::vector<float> outlineOf(const std::string& topoJson) {
  OutlineBuilder outline;
  for (const auto& arc : topoJsonArcs(topoJson)) outline.addPolyline(arc);
  return outline.values();
}

TEST(WorldAtlasOutline, QuantizedArcsAreDeltaDecodedThroughTheTransform) {
  // x = 2 * q - 10, y = 0.5 * q + 40; each position a step from the one before.
  const std::string topology = R"({"type": "Topology",
    "transform": {"scale": [2, 0.5], "translate": [-10, 40]},
    "objects": {},
    "arcs": [[[5, 0], [1, 2], [-3, 4]],
             [[10, 20], [0, -4]]]})";
  const auto arcs = topoJsonArcs(topology);
  ASSERT_EQ(arcs.size(), 2u);
  ASSERT_EQ(arcs[0].size(), 3u);
  EXPECT_DOUBLE_EQ(arcs[0][1].lon, 2.0);   // q = 6
  EXPECT_DOUBLE_EQ(arcs[0][1].lat, 41.0);  // q = 2
  EXPECT_DOUBLE_EQ(arcs[0][2].lon, -4.0);  // q = 3
  EXPECT_DOUBLE_EQ(arcs[0][2].lat, 43.0);  // q = 6
  // A new arc starts again from zero.
  EXPECT_DOUBLE_EQ(arcs[1][0].lon, 10.0);
  EXPECT_DOUBLE_EQ(arcs[1][1].lat, 48.0);

  // Degrees become arc-seconds, one polyline per arc, a zero pair between.
  EXPECT_EQ(outlineOf(topology), (std::vector<float>{0.f, 144000.f, 7200.f, 147600.f, -14400.f, 154800.f,  //
                                                     0.f, 0.f,                                             //
                                                     36000.f, 180000.f, 36000.f, 172800.f}));
}

TEST(WorldAtlasOutline, PlainCoordinatesWithoutATransform) {
  const auto values = outlineOf(R"({"type": "Topology", "objects": {},
    "arcs": [[[-180.5, -90], [-100, 90.5], [0.25, -1, 99], [180, 3]]]})");
  // Extra dimensions are ignored; points beyond the world are brought back onto its edge.
  EXPECT_EQ(values, (std::vector<float>{-648000.f, -324000.f, -360000.f, 324000.f, 900.f, -3600.f, 648000.f, 10800.f}));
}

TEST(WorldAtlasOutline, NeverWritesARealPointAsTheSeparator) {
  const auto values = outlineOf(R"({"type": "Topology", "objects": {},
    "arcs": [[[1, 1], [0, 0], [1e-60, -1e-60]], [[0, 0]], [[2, 2], [3, 3]]]})");
  // The lone-point arc draws nothing and is left out.
  EXPECT_EQ(values,
            (std::vector<float>{3600.f, 3600.f, 0.f, 0.5f, 0.f, 0.5f, 0.f, 0.f, 7200.f, 7200.f, 10800.f, 10800.f}));
}

TEST(WorldAtlasOutline, CutsPolylinesAtTheAntimeridian) {
  OutlineBuilder outline;
  outline.addPolyline({{179, 10}, {-179, 12}, {-178, 12}});
  outline.addPolyline({{-180, 5}, {180, 5}, {179, 6}});  // a step along the antimeridian itself
  EXPECT_EQ(outline.polylineCount(), 3u);
  EXPECT_EQ(outline.values(),
            (std::vector<float>{179 * 3600.f, 36000.f, 648000.f, 39600.f, 0.f, 0.f,                            //
                                -648000.f, 39600.f, -179 * 3600.f, 43200.f, -178 * 3600.f, 43200.f, 0.f, 0.f,  //
                                648000.f, 18000.f, 179 * 3600.f, 21600.f}));
}

TEST(WorldAtlasOutline, LeavesOutTheClosingStepsAlongAPole) {
  OutlineBuilder outline;
  outline.addPolyline({{10, -80}, {-170, -89.999}, {0, -89.999}, {170, -89.999}, {-10, -70}});
  EXPECT_EQ(outline.values(), (std::vector<float>{36000.f, -288000.f, -170 * 3600.f, -323996.4f, 0.f, 0.f,  //
                                                  170 * 3600.f, -323996.4f, -36000.f, -252000.f}));
}

TEST(WorldAtlasOutline, FileBytesAreLittleEndianFloats) {
  OutlineBuilder outline;
  outline.addPolyline({{1, -1}, {2, 0.5}});
  const std::string bytes = outline.fileBytes();
  ASSERT_EQ(bytes.size(), 16u);
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[4 + i])) << (8 * i);
  EXPECT_EQ(std::bit_cast<float>(u), -3600.f);
}

TEST(WorldAtlasOutline, FailsOnWhatIsNotATopology) {
  for (const char* text : {"not json", "[1, 2]", R"({"arcs": [[[1]]]})", R"({"arcs": [[["1", 2]]]})",
                           R"({"transform": {"scale": [1]}, "arcs": []})"}) {
    EXPECT_THROW(topoJsonArcs(text), nav::Failure) << text;
  }
  // Where the text breaks, for a number out of a double's range as for bad syntax.
  EXPECT_EQ(navtest::failureMessage([] { topoJsonArcs(R"({"arcs": [[[1, 2e400]]]})"); }),
            "number too large at byte 20");
  EXPECT_EQ(navtest::failureMessage([] { topoJsonArcs(R"({"arcs": [[[1, 2]]]})"); }), "");
  EXPECT_EQ(navtest::failureMessage([] { topoJsonArcs(R"({"arcs": [[[1, 2]]})"); }),
            "not valid JSON (error at byte 19)");
}

}  // namespace
