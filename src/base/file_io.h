#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace nav {

// Reads a whole regular file into memory. Fails with "Cannot open file %s"
// when the file cannot be opened or is not a regular file, and "Stream read
// error" when reading breaks off. A file of more than `limit` bytes is
// refused, naming it, before anything is read.
inline constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);
std::string readWholeFile(const std::string& path, std::size_t limit = kNoLimit);

// The most a text file the program reads (saved simulation, tag list,
// nav.ini) may hold: a plan of forty thousand waypoints, far more than any
// real one; what is over it is no such file.
inline constexpr std::size_t kTextFileLimit = std::size_t{16} << 20;

bool fileExists(const std::string& path);

// The new content of a file, and the message a failure to write it gives.
struct FileContent {
  std::string path;
  std::string content;
  std::string failureMessage;
};

// Replaces the content of `path` without ever leaving it half written: the
// content goes to a new temporary file beside it, which is then renamed over
// it. A link is followed and kept, the file's permission bits too. Fails with
// `failureMessage` when that cannot be done; the old file is then untouched.
void replaceFileContent(const std::string& path, const std::string& content, const std::string& failureMessage);

// The same for files that belong together: either every one is replaced, or
// none is and each stays as it was.
void replaceFilesTogether(const std::vector<FileContent>& files);

}  // namespace nav
