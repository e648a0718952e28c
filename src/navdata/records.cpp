#include "navdata/records.h"

namespace nav {

std::string fieldText(const std::uint8_t* field, std::size_t width) {
  const void* nul = std::memchr(field, 0, width);
  const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - field) : width;
  return std::string(reinterpret_cast<const char*>(field), length);
}

}  // namespace nav
