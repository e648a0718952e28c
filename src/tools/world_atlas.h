#pragma once

#include <string_view>
#include <vector>

#include "tools/outline_writer.h"

namespace navtools {

// The arcs of a TopoJSON topology (as world-atlas publishes it) in degrees,
// every arc once, in file order. Quantized arcs are delta-decoded through the
// topology's transform. Fails with a message on text that is not such a
// topology.
std::vector<std::vector<GeoPoint>> topoJsonArcs(std::string_view topoJson);

}  // namespace navtools
