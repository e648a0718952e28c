#include "base/file_io.h"

#include <fmt/format.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/failure.h"

namespace nav {

namespace fs = std::filesystem;

bool fileExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs::path(path), ec);
}

std::string readWholeFile(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(fs::path(path), ec)) fail(fmt::format("Cannot open file {}", path));
  std::ifstream in(path, std::ios::binary);
  if (!in) fail(fmt::format("Cannot open file {}", path));
  std::string data;
  // One read of the size the file has now; the loop picks up anything that
  // was appended meanwhile, and files whose size cannot be told.
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size > 0) {
    data.resize(static_cast<std::size_t>(size));
    in.read(data.data(), size);
    data.resize(static_cast<std::size_t>(in.gcount()));
  }
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    data.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) fail("Stream read error");
  return data;
}

void replaceFileContent(const std::string& path, const std::string& content, const std::string& failureMessage) {
  const fs::path target(path);
  fs::path temp = target;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) fail(failureMessage);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temp, ignored);
      fail(failureMessage);
    }
  }
  std::error_code ec;
  // A write-protected file stays as it is, as it would for a direct write.
  if (fs::exists(target, ec)) {
    const auto perms = fs::status(target, ec).permissions();
    if (!ec && (perms & fs::perms::owner_write) == fs::perms::none) {
      fs::remove(temp, ec);
      fail(failureMessage);
    }
    fs::permissions(temp, perms, ec);
  }
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    fail(failureMessage);
  }
}

}  // namespace nav
