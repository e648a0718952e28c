#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace nav {

// Paths reach the core as UTF-8 text and the system as its own paths: wide
// characters on Windows, so that "C:\Users\Frédéric" opens there too.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);

// A regular file opened for reading. Anything else (a folder, a FIFO, a
// device) is refused with "Cannot open file %s": a FIFO would block for ever
// and /dev/zero never ends.
class InputFile {
 public:
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // The size the file had when it was opened.
  std::uint64_t size() const { return size_; }
  // Reads up to `count` bytes; fewer only at the end of the file. Fails with
  // "Stream read error" when the system cannot read.
  std::size_t read(char* into, std::size_t count);

 private:
  std::intptr_t handle_ = -1;
  std::uint64_t size_ = 0;
};

// A file created new under a name of its own beside its target: exclusively,
// never an existing file and never through a link. Removed on destruction
// unless it was renamed over its target.
class TempFile {
 public:
  // Fails with `failureMessage` when no such file can be created in the
  // folder of `target`.
  TempFile(const std::filesystem::path& target, const std::string& failureMessage);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes everything, gives the file the permission bits and owner of
  // `likeFile` when that exists, and puts it on the disk. False on failure
  // (a full disk).
  bool complete(std::string_view content, const std::filesystem::path& likeFile);
  // Renames the file over `target` (replacing it, on Windows too). False on
  // failure, the file then stays where it was.
  bool renameOver(const std::filesystem::path& target);

 private:
  void close();

  std::filesystem::path path_;
  std::intptr_t handle_ = -1;
  bool renamed_ = false;
};

namespace nativeFile {

// The file a path names in the end: links followed, each relative to the
// folder of the link, so that a save replaces the file and keeps the link.
// Fails with `failureMessage` on a loop.
std::filesystem::path finalTarget(const std::filesystem::path& path, const std::string& failureMessage);

// Whether the current user may write to an existing file or folder.
bool writable(const std::filesystem::path& path);

// Renames `from` over `to`, replacing it (on Windows too, where a plain
// rename refuses an existing target). False on failure.
bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to);

// A second name for an existing file (a hard link); false where the system
// has none to give.
bool linkTo(const std::filesystem::path& existing, const std::filesystem::path& newName);

// A name beside `target` that nothing has: NAME.RANDOM.SUFFIX.
std::filesystem::path freshNameBeside(const std::filesystem::path& target, std::string_view suffix);
// Whether `name` is one freshNameBeside gives: `prefix` (NAME.), RANDOM, `suffix`.
bool isFreshName(std::string_view name, std::string_view prefix, std::string_view suffix);

// Puts the folder's entries on the disk, so that renames in it survive a
// power cut (nothing to do on Windows).
void syncFolder(const std::filesystem::path& folder);

}  // namespace nativeFile

}  // namespace nav
