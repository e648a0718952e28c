#include "tools/json_text.h"

#include <fmt/format.h>

#include <optional>
#include <type_traits>

#include "base/failure.h"

namespace navtools {

namespace {

using nlohmann::json;

// The library's own tree builder, told to remember where the text broke
// instead of throwing: its exception for a number out of range has no place.
class PlacedParser : public nlohmann::detail::json_sax_dom_parser<json> {
 public:
  explicit PlacedParser(json& result) : json_sax_dom_parser(result, false) {}

  template <class Exception>
  bool parse_error(std::size_t byte, const std::string& /*token*/, const Exception& /*error*/) {
    failedAt = byte;
    tooLarge = std::is_same_v<Exception, json::out_of_range>;
    return false;
  }

  std::optional<std::size_t> failedAt;
  bool tooLarge = false;
};

}  // namespace

json parseJson(std::string_view text) {
  json result;
  PlacedParser parser(result);
  const bool parsed = json::sax_parse(text, &parser);
  if (parser.failedAt && parser.tooLarge) nav::fail(fmt::format("number too large at byte {}", *parser.failedAt));
  if (!parsed || parser.failedAt)
    nav::fail(fmt::format("not valid JSON (error at byte {})", parser.failedAt.value_or(text.size())));
  return result;
}

}  // namespace navtools
