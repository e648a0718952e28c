#include "navdata/world_outline.h"

#include <bit>
#include <cstdint>

#include "base/failure.h"
#include "base/file_io.h"

namespace nav {

void loadWorldOutline(const std::string& exeFolder, WorldOutline& outline) {
  if (outline.outlineLoaded) return;
  const std::string data = readWholeFile(exeFolder + kWorldOutlineFile);
  const std::size_t count = data.size() / 4;  // bytes after the last whole value are ignored
  if (count == 0) fail("Range check error");
  std::vector<float> values(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t v = 0;
    for (std::size_t b = 0; b < 4; ++b)
      v |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[4 * i + b])) << (8 * b);
    values[i] = std::bit_cast<float>(v);
  }
  outline.values = std::move(values);
  outline.outlineLoaded = true;
}

}  // namespace nav
