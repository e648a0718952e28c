#include "navdata/nav_database.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "base/failure.h"
#include "base/little_endian.h"
#include "base/native_file.h"

namespace nav {

namespace {

// A record may be shorter than its layout (its fields beyond it read as
// zero), but not below a quarter of it: each slot takes the layout's size in
// memory, so this keeps a table within four times its file. A quarter still
// holds the key and the identifier's start; below it no field past the key
// would remain, and such a file is no database.
constexpr std::size_t kShortestRecordShare = 4;

// Reads a file in slices of 64 KB; fails with "Stream read error" at its end.
class BufferedInput {
 public:
  explicit BufferedInput(InputFile& in) : in_(in) {}
  void read(char* into, std::size_t count) {
    while (count > 0) {
      if (at_ == end_) refill();
      const std::size_t n = std::min(count, end_ - at_);
      std::memcpy(into, buffer_.data() + at_, n);
      at_ += n;
      into += n;
      count -= n;
    }
  }
  void skip(std::size_t count) {
    while (count > 0) {
      if (at_ == end_) refill();
      const std::size_t n = std::min(count, end_ - at_);
      at_ += n;
      count -= n;
    }
  }

 private:
  void refill() {
    at_ = 0;
    end_ = in_.read(buffer_.data(), buffer_.size());
    if (end_ == 0) fail("Stream read error");
  }
  InputFile& in_;
  std::array<char, std::size_t{1} << 16> buffer_{};
  std::size_t at_ = 0, end_ = 0;
};

template <class Record>
void loadTable(const std::string& path, std::vector<Record>& table) {
  table.clear();
  InputFile in(path);
  char header[kDbdHeaderSize];
  if (in.read(header, kDbdHeaderSize) != kDbdHeaderSize) fail("Stream read error");
  const auto recordCount = loadLittleEndian<std::int32_t>(header + dbdHeader::recordCount.offset);
  const auto recordSize = loadLittleEndian<std::int32_t>(header + dbdHeader::recordSize.offset);
  if (recordCount < 0) fail("Range check error");
  // A table with no records needs no record size: the next file loads.
  if (recordCount == 0) return;
  if (recordSize <= 0 || static_cast<std::size_t>(recordSize) * kShortestRecordShare < Record::kSize)
    fail(fmt::format("Invalid record size {} in file {}", recordSize, path));

  // Only records the file really holds are kept: the header's numbers never
  // decide how much is allocated.
  const std::size_t size = static_cast<std::size_t>(recordSize);
  const std::uint64_t whole = (in.size() > kDbdHeaderSize ? in.size() - kDbdHeaderSize : 0) / size;
  const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(recordCount, whole));
  if (size == Record::kSize) {
    // The table's layout is the file's. The records pass through a small
    // buffer that stays in the cache: reading straight into the table would
    // first have to fill all of it with zeros.
    static_assert(sizeof(Record) == Record::kSize);
    table.reserve(count);
    std::vector<Record> chunk(std::min<std::size_t>(count, (256 * 1024) / Record::kSize + 1));
    while (table.size() < count) {
      const std::size_t n = std::min(chunk.size(), count - table.size());
      if (in.read(reinterpret_cast<char*>(chunk.data()), n * size) != n * size) fail("Stream read error");
      table.insert(table.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
    }
  } else {
    table.resize(count);
    // A record longer than the layout is cut to it; a shorter one leaves
    // zeros. Through a buffer of fixed size, whatever the record size says.
    BufferedInput buffered(in);
    const std::size_t copied = std::min(size, Record::kSize);
    for (Record& record : table) {
      buffered.read(reinterpret_cast<char*>(record.bytes.data()), copied);
      buffered.skip(size - copied);
    }
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
  db.indexPositions();
}

}  // namespace nav
