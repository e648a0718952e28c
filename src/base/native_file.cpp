#include "base/native_file.h"

#include <fmt/format.h>

#include <random>

#include "base/failure.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace nav {

namespace fs = std::filesystem;

fs::path pathFromUtf8(std::string_view utf8) {
#ifdef _WIN32
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
#else
  return fs::path(std::string(utf8));
#endif
}

std::string utf8FromPath(const fs::path& path) {
#ifdef _WIN32
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
#else
  return path.string();
#endif
}

namespace {

[[noreturn]] void cannotOpen(const std::string& path) { fail(fmt::format("Cannot open file {}", path)); }

constexpr std::size_t kChunk = std::size_t{1} << 30;  // one system call's worth

}  // namespace

#ifdef _WIN32

namespace {

HANDLE handleOf(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

}  // namespace

InputFile::InputFile(const std::string& path) {
  const HANDLE h =
      CreateFileW(pathFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) cannotOpen(path);
  handle_ = reinterpret_cast<std::intptr_t>(h);
  LARGE_INTEGER size;
  if (GetFileType(h) != FILE_TYPE_DISK || !GetFileSizeEx(h, &size)) {
    CloseHandle(h);
    cannotOpen(path);
  }
  size_ = static_cast<std::uint64_t>(size.QuadPart);
}

InputFile::~InputFile() { CloseHandle(handleOf(handle_)); }

std::size_t InputFile::read(char* into, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(std::min(count - done, kChunk));
    if (!ReadFile(handleOf(handle_), into + done, want, &got, nullptr)) fail("Stream read error");
    if (got == 0) break;
    done += got;
  }
  return done;
}

TempFile::TempFile(const fs::path& target, const std::string& failureMessage) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = nativeFile::freshNameBeside(target, ".tmp");
    const HANDLE h = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(h);
      return;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  fail(failureMessage);
}

void TempFile::close() {
  if (handle_ != -1) CloseHandle(handleOf(handle_));
  handle_ = -1;
}

bool TempFile::complete(std::string_view content, const fs::path&) {
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD wrote = 0;
    const auto want = static_cast<DWORD>(std::min(content.size() - done, kChunk));
    if (!WriteFile(handleOf(handle_), content.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  const bool flushed = FlushFileBuffers(handleOf(handle_));
  close();
  return flushed;
}

bool nativeFile::renameOver(const fs::path& from, const fs::path& to) {
  // A plain rename refuses an existing target on Windows.
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

namespace nativeFile {

fs::path finalTarget(const fs::path& path, const std::string&) { return path; }

bool writable(const fs::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  // Read-only only means something for files; folders need a probe.
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return !(attributes & FILE_ATTRIBUTE_READONLY);
  const fs::path probe = freshNameBeside(path / "probe", ".tmp");
  const HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

bool linkTo(const fs::path& existing, const fs::path& newName) {
  return CreateHardLinkW(newName.c_str(), existing.c_str(), nullptr);
}

void syncFolder(const fs::path&) {}

}  // namespace nativeFile

#else

InputFile::InputFile(const std::string& path) {
  // Not blocking, so that a FIFO is seen for what it is rather than waited on.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) cannotOpen(path);
  handle_ = fd;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    cannotOpen(path);
  }
  size_ = static_cast<std::uint64_t>(st.st_size);
}

InputFile::~InputFile() { ::close(static_cast<int>(handle_)); }

std::size_t InputFile::read(char* into, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(static_cast<int>(handle_), into + done, std::min(count - done, kChunk));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) fail("Stream read error");
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

TempFile::TempFile(const fs::path& target, const std::string& failureMessage) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = nativeFile::freshNameBeside(target, ".tmp");
    // 0666 so that the user's umask decides, as for any file made new.
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) {
      handle_ = fd;
      return;
    }
    if (errno != EEXIST) break;
  }
  fail(failureMessage);
}

void TempFile::close() {
  if (handle_ != -1) ::close(static_cast<int>(handle_));
  handle_ = -1;
}

bool TempFile::complete(std::string_view content, const fs::path& likeFile) {
  const int fd = static_cast<int>(handle_);
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t wrote = ::write(fd, content.data() + done, std::min(content.size() - done, kChunk));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  struct stat st {};
  if (::stat(likeFile.c_str(), &st) == 0) {
    // The owner first: changing it may clear the set-id bits the mode restores.
    [[maybe_unused]] const int owned = fchown(fd, st.st_uid, st.st_gid);
    fchmod(fd, st.st_mode & 07777);
  }
  const bool synced = fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  handle_ = -1;
  return synced && closed;
}

bool nativeFile::renameOver(const fs::path& from, const fs::path& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

namespace nativeFile {

fs::path finalTarget(const fs::path& path, const std::string& failureMessage) {
  fs::path at = path;
  // As many links as the system itself follows before it gives up.
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(at, ec))) return at;
    const fs::path next = fs::read_symlink(at, ec);
    if (ec) fail(failureMessage);
    at = next.is_absolute() ? next : at.parent_path() / next;
  }
  fail(failureMessage);
}

bool writable(const fs::path& path) { return ::access(path.c_str(), W_OK) == 0; }

bool linkTo(const fs::path& existing, const fs::path& newName) {
  return ::link(existing.c_str(), newName.c_str()) == 0;
}

void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  ::close(fd);
}

}  // namespace nativeFile

#endif

bool TempFile::renameOver(const fs::path& target) {
  close();
  renamed_ = nativeFile::renameOver(path_, target);
  return renamed_;
}

TempFile::~TempFile() {
  close();
  std::error_code ignored;
  if (!renamed_) fs::remove(path_, ignored);
}

namespace {

constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTagLength = 10;

}  // namespace

bool nativeFile::isFreshName(std::string_view name, std::string_view prefix, std::string_view suffix) {
  if (name.size() != prefix.size() + kTagLength + suffix.size()) return false;
  if (name.substr(0, prefix.size()) != prefix || name.substr(name.size() - suffix.size()) != suffix) return false;
  const std::string_view tag = name.substr(prefix.size(), kTagLength);
  return tag.find_first_not_of(std::string_view(kLetters, sizeof kLetters - 1)) == std::string_view::npos;
}

fs::path nativeFile::freshNameBeside(const fs::path& target, std::string_view suffix) {
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::string tag;
  for (std::size_t i = 0; i < kTagLength; ++i) tag += kLetters[random() % (sizeof kLetters - 1)];
  fs::path name = target.filename();
  name += fmt::format(".{}{}", tag, suffix);
  return target.parent_path() / name;
}

}  // namespace nav
