#include "navdata/nav_database.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/failure.h"
#include "base/little_endian.h"

namespace nav {

namespace {

template <class Record>
void loadTable(const std::string& path, std::vector<Record>& table) {
  table.clear();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) fail(fmt::format("Cannot open file {}", path));
  std::ifstream in(path, std::ios::binary);
  if (!in) fail(fmt::format("Cannot open file {}", path));
  in.seekg(0, std::ios::end);
  const std::streamoff fileSize = in.tellg();
  in.seekg(0, std::ios::beg);
  if (fileSize < 0) fail("Stream read error");

  std::string header(kDbdHeaderSize, '\0');
  if (!in.read(header.data(), static_cast<std::streamsize>(kDbdHeaderSize))) fail("Stream read error");
  const auto recordCount = loadLittleEndian<std::int32_t>(header.data() + dbdHeader::recordCount.offset);
  const auto recordSize = loadLittleEndian<std::int32_t>(header.data() + dbdHeader::recordSize.offset);
  if (recordCount < 0) fail("Range check error");
  // A table with no records needs no record size: the next file loads.
  if (recordCount == 0) return;
  if (recordSize <= 0) fail(fmt::format("Invalid record size {} in file {}", recordSize, path));

  // Only records the file really holds are kept: the header's numbers never
  // decide how much is allocated.
  const std::size_t size = static_cast<std::size_t>(recordSize);
  const std::size_t whole = (static_cast<std::size_t>(fileSize) - kDbdHeaderSize) / size;
  const std::size_t count = std::min(static_cast<std::size_t>(recordCount), whole);
  if (size == Record::kSize) {
    // The table's layout is the file's. The records pass through a small
    // buffer that stays in the cache: reading straight into the table would
    // first have to fill all of it with zeros.
    static_assert(sizeof(Record) == Record::kSize);
    table.reserve(count);
    std::vector<Record> chunk(std::min<std::size_t>(count, (256 * 1024) / Record::kSize + 1));
    while (table.size() < count) {
      const std::size_t n = std::min(chunk.size(), count - table.size());
      if (!in.read(reinterpret_cast<char*>(chunk.data()), static_cast<std::streamsize>(n * size)))
        fail("Stream read error");
      table.insert(table.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
    }
  } else {
    table.resize(count);
    // A record longer than the layout is cut to it; a shorter one leaves zeros.
    std::string data(count * size, '\0');
    if (!in.read(data.data(), static_cast<std::streamsize>(data.size()))) fail("Stream read error");
    const std::size_t copied = std::min(size, Record::kSize);
    for (std::size_t i = 0; i < count; ++i) std::memcpy(table[i].bytes.data(), data.data() + i * size, copied);
  }
  if (count < static_cast<std::size_t>(recordCount)) fail("Stream read error");
}

}  // namespace

void loadNavDatabase(const std::string& folder, NavDatabase& db) {
  db = NavDatabase{};
  loadTable(folder + kWaypointFile.fileName, db.waypoints);
  loadTable(folder + kAirportFile.fileName, db.airports);
  loadTable(folder + kIlsFile.fileName, db.ilsComponents);
  loadTable(folder + kNavaidFile.fileName, db.navaids);
  loadTable(folder + kRunwayFile.fileName, db.runways);
}

}  // namespace nav
