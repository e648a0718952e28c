#include "tools/dbd_writer.h"

#include <fmt/format.h>

#include <filesystem>
#include <limits>

#include "base/failure.h"
#include "base/file_io.h"
#include "base/little_endian.h"
#include "base/native_file.h"

namespace navtools {

void DbdFile::appendBytes(const std::uint8_t* data, std::size_t size) {
  if (size != recordSize_)
    nav::fail(fmt::format("A record of {} bytes in a file of {}-byte records", size, recordSize_));
  if (count_ == std::numeric_limits<std::int32_t>::max()) nav::fail("Too many records for one file");
  records_.append(reinterpret_cast<const char*>(data), size);
  ++count_;
}

std::string DbdFile::bytes() const {
  std::string out(nav::kDbdHeaderSize, '\0');
  nav::storeLittleEndian(out.data() + nav::dbdHeader::recordCount.offset, count_);
  nav::storeLittleEndian(out.data() + nav::dbdHeader::recordSize.offset, static_cast<std::int32_t>(recordSize_));
  return out + records_;
}

void DatabaseFolder::write(const std::string& folder, std::vector<nav::FileContent> alongside) const {
  const std::filesystem::path database = nav::pathFromUtf8(folder) / "database";
  std::error_code ec;
  std::filesystem::create_directories(database, ec);
  if (ec) nav::fail(fmt::format("Cannot create folder {}", nav::utf8FromPath(database)));
  const std::pair<const nav::DbdFileKind&, const DbdFile&> tables[] = {{nav::kWaypointFile, waypoints},
                                                                       {nav::kAirportFile, airports},
                                                                       {nav::kIlsFile, ilsComponents},
                                                                       {nav::kNavaidFile, navaids},
                                                                       {nav::kRunwayFile, runways}};
  std::vector<nav::FileContent> files;
  for (const auto& [kind, file] : tables) {
    const std::string path = nav::utf8FromPath(database / kind.fileName);
    files.push_back({path, file.bytes(), fmt::format("Cannot write file {}", path)});
  }
  for (nav::FileContent& file : alongside) files.push_back(std::move(file));
  nav::replaceFilesTogether(files);
}

}  // namespace navtools
