#include "tools/dbd_writer.h"

#include <fmt/format.h>

#include <bit>
#include <limits>

#include "base/failure.h"
#include "base/file_io.h"
#include "navdata/nav_database.h"

namespace navtools {

namespace {

template <class Unsigned>
void putLittleEndian(std::string& bytes, std::size_t offset, Unsigned v) {
  for (std::size_t i = 0; i < sizeof v; ++i) bytes.at(offset + i) = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

void RecordBytes::putI32(std::size_t offset, std::int32_t v) {
  putLittleEndian(bytes_, offset, static_cast<std::uint32_t>(v));
}

void RecordBytes::putF64(std::size_t offset, double v) {
  putLittleEndian(bytes_, offset, std::bit_cast<std::uint64_t>(v));
}

void RecordBytes::putText(std::size_t offset, std::size_t width, std::string_view text) {
  if (offset + width > bytes_.size()) nav::fail(fmt::format("Text field at {} overruns the record", offset));
  const std::string_view kept = text.substr(0, width);
  bytes_.replace(offset, kept.size(), kept);
}

void DbdFile::append(const RecordBytes& record) {
  if (record.bytes().size() != recordSize_)
    nav::fail(fmt::format("A record of {} bytes in a file of {}-byte records", record.bytes().size(), recordSize_));
  if (count_ == std::numeric_limits<std::int32_t>::max()) nav::fail("Too many records for one file");
  records_ += record.bytes();
  ++count_;
}

std::string DbdFile::bytes() const {
  std::string out(nav::kDbdHeaderSize, '\0');
  putLittleEndian(out, 16, static_cast<std::uint32_t>(count_));
  putLittleEndian(out, 20, static_cast<std::uint32_t>(recordSize_));
  return out + records_;
}

void DbdFile::write(const std::string& path) const {
  nav::replaceFileContent(path, bytes(), fmt::format("Cannot write file {}", path));
}

}  // namespace navtools
