#include "base/file_io.h"

#include <fmt/format.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "base/failure.h"
#include "base/native_file.h"

namespace nav {

namespace fs = std::filesystem;

bool fileExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(pathFromUtf8(path), ec);
}

std::string readWholeFile(const std::string& path, std::size_t limit) {
  InputFile in(path);
  const auto tooLarge = [&] { fail(fmt::format("File {} is too large: over {} MB", path, limit >> 20)); };
  if (in.size() > limit) tooLarge();
  std::string data(static_cast<std::size_t>(in.size()), '\0');
  data.resize(in.read(data.data(), data.size()));
  // Anything appended meanwhile is read too, within the limit.
  char buffer[1 << 16];
  while (const std::size_t got = in.read(buffer, sizeof buffer)) {
    if (got > limit - data.size()) tooLarge();
    data.append(buffer, got);
  }
  return data;
}

namespace {

// One file on its way: where it goes and the complete new content beside it.
struct Staged {
  const FileContent* file = nullptr;
  fs::path target;  // links followed
  std::unique_ptr<TempFile> temp;
  std::optional<fs::path> backup;  // a second name of the old file, while the others are replaced
  bool replaced = false;
};

// A folder that cannot be written is said so when the file itself could be.
[[noreturn]] void failToCreate(const FileContent& file, const fs::path& target) {
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::error_code ec;
  if (fs::exists(target, ec) && nativeFile::writable(target) && !nativeFile::writable(folder))
    fail(fmt::format("{}: the folder {} is write-protected", file.failureMessage, utf8FromPath(folder)));
  fail(file.failureMessage);
}

// The temporary files an earlier save of `target` left when it was killed
// between its write and its rename. One that young may be another
// program's save under way.
void removeLeftTemporaries(const fs::path& target) {
  constexpr auto kLeftFor = std::chrono::minutes(10);
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const std::string prefix = utf8FromPath(target.filename()) + ".";
  std::error_code ec;
  const auto now = fs::file_time_type::clock::now();
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = utf8FromPath(it->path().filename());
    if (!nativeFile::isFreshName(name, prefix, ".tmp")) continue;
    std::error_code statFailed;
    if (!it->is_regular_file(statFailed) || it->is_symlink(statFailed)) continue;
    const auto written = it->last_write_time(statFailed);
    if (statFailed || now - written < kLeftFor) continue;
    std::error_code ignored;
    fs::remove(it->path(), ignored);
  }
}

void stage(Staged& s) {
  const FileContent& file = *s.file;
  s.target = nativeFile::finalTarget(pathFromUtf8(file.path), file.failureMessage);
  std::error_code ec;
  // A write-protected file stays as it is, as it would for a direct write;
  // a device, a FIFO or a folder is no file to replace with one.
  const fs::file_status status = fs::status(s.target, ec);
  if (fs::exists(status) && !fs::is_regular_file(status)) fail(file.failureMessage);
  if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
    fail(file.failureMessage);
  removeLeftTemporaries(s.target);
  try {
    s.temp = std::make_unique<TempFile>(s.target, file.failureMessage);
  } catch (const Failure&) {
    failToCreate(file, s.target);
  }
  if (!s.temp->complete(file.content, s.target)) fail(file.failureMessage);
}

// Puts the old files back after a rename failed part of the way.
void rollBack(std::vector<Staged>& staged) {
  for (Staged& s : staged) {
    std::error_code ignored;
    if (!s.replaced) continue;
    if (s.backup)
      nativeFile::renameOver(*s.backup, s.target);
    else
      fs::remove(s.target, ignored);
    // Put back, or else the only copy left of the old content: kept either way.
    s.backup.reset();
  }
}

}  // namespace

void replaceFilesTogether(const std::vector<FileContent>& files) {
  std::vector<Staged> staged;
  staged.reserve(files.size());
  // Every new content complete on the disk before any old file is touched; a
  // failure here removes the temporary files and leaves the targets alone.
  for (const FileContent& file : files) {
    Staged& s = staged.emplace_back();
    s.file = &file;
    stage(s);
  }

  // Each old file keeps a second name until all are replaced, so that a
  // rename failing half way can put them back. One file needs none: its
  // rename is the one step.
  struct BackupRemover {
    std::vector<Staged>& staged;
    ~BackupRemover() {
      for (const Staged& s : staged) {
        std::error_code ignored;
        if (s.backup) fs::remove(*s.backup, ignored);
      }
    }
  } removeBackups{staged};
  for (Staged& s : staged) {
    std::error_code ec;
    if (staged.size() == 1 || !fs::exists(s.target, ec)) continue;
    const fs::path name = nativeFile::freshNameBeside(s.target, ".old");
    if (nativeFile::linkTo(s.target, name)) s.backup = name;
  }
  for (Staged& s : staged) {
    if (!s.temp->renameOver(s.target)) {
      rollBack(staged);
      fail(s.file->failureMessage);
    }
    s.replaced = true;
  }
  for (const Staged& s : staged) nativeFile::syncFolder(s.target.parent_path());
}

void replaceFileContent(const std::string& path, const std::string& content, const std::string& failureMessage) {
  replaceFilesTogether({FileContent{path, content, failureMessage}});
}

}  // namespace nav
