#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "navdata/records.h"

namespace navtools {

// The bytes of one record, zero-filled, written field by field at the
// layout's offsets, little-endian.
class RecordBytes {
 public:
  explicit RecordBytes(std::size_t size) : bytes_(size, '\0') {}
  void putI32(std::size_t offset, std::int32_t v);
  void putF64(std::size_t offset, double v);
  // Bytes already in Windows-1252, cut to `width`; a shorter text leaves the
  // rest of the field NUL.
  void putText(std::size_t offset, std::size_t width, std::string_view text);
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// A database file being built: its records in order behind the header.
class DbdFile {
 public:
  explicit DbdFile(std::size_t recordSize) : recordSize_(recordSize) {}
  // Fails when the record is not of the file's record size.
  void append(const RecordBytes& record);
  std::int32_t recordCount() const { return count_; }
  std::string bytes() const;
  // Replaces the file at `path` in one step; fails naming it.
  void write(const std::string& path) const;

 private:
  std::size_t recordSize_;
  std::int32_t count_ = 0;
  std::string records_;
};

struct DbdTable {
  const char* fileName;
  std::size_t recordSize;
};

// The five files of a database folder, in the order the program loads them.
inline constexpr DbdTable kDbdTables[] = {
    {"WAYPOINT.dbd", nav::WaypointRecord::kSize}, {"AIRPORT.dbd", nav::AirportRecord::kSize},
    {"ILS.dbd", nav::IlsRecord::kSize},           {"NAVAID.dbd", nav::NavaidRecord::kSize},
    {"RUNWAY.dbd", nav::RunwayRecord::kSize}};

}  // namespace navtools
