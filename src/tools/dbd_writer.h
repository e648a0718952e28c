#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "navdata/nav_database.h"

namespace navtools {

// A database file being built: its records in order behind the header.
class DbdFile {
 public:
  explicit DbdFile(const nav::DbdFileKind& kind) : recordSize_(kind.recordSize) {}
  // Fails when the record is not of the file's record size.
  template <std::size_t N>
  void append(const nav::FixedRecord<N>& record) {
    appendBytes(record.bytes.data(), N);
  }
  std::int32_t recordCount() const { return count_; }
  std::string bytes() const;

 private:
  void appendBytes(const std::uint8_t* data, std::size_t size);

  std::size_t recordSize_;
  std::int32_t count_ = 0;
  std::string records_;
};

// The five files of a database folder being built; those left without
// records are written empty.
struct DatabaseFolder {
  DbdFile waypoints{nav::kWaypointFile};
  DbdFile airports{nav::kAirportFile};
  DbdFile ilsComponents{nav::kIlsFile};
  DbdFile navaids{nav::kNavaidFile};
  DbdFile runways{nav::kRunwayFile};

  // Writes FOLDER/database/, creating the folder when missing, together
  // with the files `alongside`: either every file is replaced or none is, so
  // that the tables' keys always match. Fails naming the file.
  void write(const std::string& folder, std::vector<nav::FileContent> alongside = {}) const;
};

}  // namespace navtools
