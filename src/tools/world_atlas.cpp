#include "tools/world_atlas.h"

#include <fmt/format.h>

#include <array>

#include "base/failure.h"
#include "tools/json_text.h"

namespace navtools {

namespace {

using nlohmann::json;

std::array<double, 2> numberPair(const json& value, const char* what) {
  if (!value.is_array() || value.size() < 2 || !value[0].is_number() || !value[1].is_number())
    nav::fail(fmt::format("{} is not a pair of numbers", what));
  return {value[0].get<double>(), value[1].get<double>()};
}

}  // namespace

std::vector<std::vector<GeoPoint>> topoJsonArcs(std::string_view topoJson) {
  const json topology = parseJson(topoJson);
  if (!topology.is_object() || !topology.contains("arcs") || !topology["arcs"].is_array())
    nav::fail("not a TopoJSON topology: it has no list of arcs");

  std::array<double, 2> scale{1, 1}, translate{0, 0};
  const bool quantized = topology.contains("transform");
  if (quantized) {
    const json& transform = topology["transform"];
    if (!transform.is_object()) nav::fail("the transform is not an object");
    scale = numberPair(transform.value("scale", json()), "the transform's scale");
    translate = numberPair(transform.value("translate", json()), "the transform's translate");
  }

  std::vector<std::vector<GeoPoint>> arcs;
  arcs.reserve(topology["arcs"].size());
  for (const json& arc : topology["arcs"]) {
    const std::string what = fmt::format("a position of arc {}", arcs.size());
    if (!arc.is_array()) nav::fail(fmt::format("arc {} is not a list of positions", arcs.size()));
    std::vector<GeoPoint>& points = arcs.emplace_back();
    points.reserve(arc.size());
    // Quantized positions are each a step from the one before.
    double x = 0, y = 0;
    for (const json& position : arc) {
      const auto [px, py] = numberPair(position, what.c_str());
      if (quantized) {
        x += px;
        y += py;
        points.push_back({x * scale[0] + translate[0], y * scale[1] + translate[1]});
      } else {
        points.push_back({px, py});
      }
    }
  }
  return arcs;
}

}  // namespace navtools
