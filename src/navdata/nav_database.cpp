#include "navdata/nav_database.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/failure.h"

namespace nav {

namespace {

std::int32_t headerI32(const std::string& data, std::size_t offset) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i)
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[offset + i])) << (8 * i);
  return static_cast<std::int32_t>(v);
}

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
  const std::int32_t recordCount = headerI32(header, 16);
  const std::int32_t recordSize = headerI32(header, 20);
  if (recordCount < 0) fail("Range check error");
  // A table with no records needs no record size: the next file loads.
  if (recordCount == 0) return;
  if (recordSize <= 0) fail(fmt::format("Invalid record size {} in file {}", recordSize, path));

  // Only records the file really holds are kept: the header's numbers never
  // decide how much is allocated.
  const std::size_t size = static_cast<std::size_t>(recordSize);
  const std::size_t whole = (static_cast<std::size_t>(fileSize) - kDbdHeaderSize) / size;
  const std::size_t count = std::min(static_cast<std::size_t>(recordCount), whole);
  table.resize(count);
  if (size == Record::kSize) {
    // The table's layout is the file's: the records go straight into it.
    static_assert(sizeof(Record) == Record::kSize);
    if (!in.read(reinterpret_cast<char*>(table.data()), static_cast<std::streamsize>(count * size)))
      fail("Stream read error");
  } else {
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
  loadTable(folder + "WAYPOINT.dbd", db.waypoints);
  loadTable(folder + "AIRPORT.dbd", db.airports);
  loadTable(folder + "ILS.dbd", db.ilsComponents);
  loadTable(folder + "NAVAID.dbd", db.navaids);
  loadTable(folder + "RUNWAY.dbd", db.runways);
}

}  // namespace nav
