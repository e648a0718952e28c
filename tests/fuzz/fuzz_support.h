#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/nav_view_state.h"
#include "flightplan/flight_plan.h"

namespace navfuzz {

// The fuzzer's bytes.
inline std::string_view bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Parts of one input, cut at "\n----\n": one file each for readers that
// take several.
std::vector<std::string_view> parts(std::string_view input, std::size_t count);

// A folder of this process's own, emptied at every call; ends with '/'.
const std::string& scratchFolder();
void writeFile(const std::string& path, std::string_view bytes);

// A tag list the saved plans are written with.
std::string tagList();

// What a user does with a loaded folder: the search, the pointer over the
// objects, drops and placements into the plan, paints of every layer at
// several zoom levels with the route, the plan saved and read back.
void useLoadedData(nav::NavViewState& state);

// A plan's rows placed, its route painted, saved and read back: the rows
// read must be those written.
void usePlan(const nav::NavViewState& state, const nav::FlightPlan& plan);

}  // namespace navfuzz
