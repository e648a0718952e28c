#pragma once

#include <nlohmann/json.hpp>
#include <string_view>

namespace navtools {

// Parses JSON text. Fails saying where the text breaks: a syntax error, or a
// number too large for a double, each with its byte.
nlohmann::json parseJson(std::string_view text);

}  // namespace navtools
