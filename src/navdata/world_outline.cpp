#include "navdata/world_outline.h"

#include <bit>
#include <cstdint>

#include "base/failure.h"
#include "base/file_io.h"
#include "base/little_endian.h"

namespace nav {

void loadWorldOutline(const std::string& exeFolder, WorldOutline& outline) {
  if (outline.outlineLoaded) return;
  const std::string data = readWholeFile(exeFolder + kWorldOutlineFile);
  const std::size_t count = data.size() / 4;  // bytes after the last whole value are ignored
  if (count == 0) fail("Range check error");
  std::vector<float> values(count);
  for (std::size_t i = 0; i < count; ++i) values[i] = loadLittleEndian<float>(data.data() + 4 * i);
  outline.values = std::move(values);
  outline.outlineLoaded = true;
}

}  // namespace nav
