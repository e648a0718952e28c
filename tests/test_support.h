#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace navtest {

// A fresh empty folder under the system's temporary folder, removed with the
// object. `path()` ends with a separator.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The message of the failure `step` throws, as its text stands (without the
// error box's full stop); empty when it throws none.
std::string failureMessage(const std::function<void()>& step);

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
void makeFolder(const std::string& path);

#ifndef _WIN32
// Writes that take a file past `bytes` fail as on a full disk, for the life
// of the object.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::uint64_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  std::uint64_t oldSoft_, oldHard_;
  void (*oldHandler_)(int);
};
#endif

// Builds the bytes of a database file: the 56-byte header and the records.
class DbdBuilder {
 public:
  explicit DbdBuilder(std::int32_t recordSize) : recordSize_(recordSize) {}
  // Starts a new record of recordSize zero bytes; the setters write into it.
  DbdBuilder& record();
  DbdBuilder& i32(std::size_t offset, std::int32_t v);
  DbdBuilder& f64(std::size_t offset, double v);
  DbdBuilder& text(std::size_t offset, const std::string& s);
  // The header's count is the number of records unless overridden.
  std::string bytes() const;
  std::string bytes(std::int32_t headerCount) const;
  std::string bytes(std::int32_t headerCount, std::int32_t headerSize) const;

 private:
  std::int32_t recordSize_;
  std::vector<std::string> records_;
};

// Writes the five database files with no records below `folder`database/.
void writeEmptyDatabase(const std::string& folder);

// A tag list of 158 lines with the ten tags a saved plan is read back by.
std::string tagListText();
void writeTagList(const std::string& path);

}  // namespace navtest
