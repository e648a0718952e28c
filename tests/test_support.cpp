#include "test_support.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "base/native_file.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace navtest {

std::string failureMessage(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
  const fs::path base = fs::temp_directory_path();
  std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path folder = base / ("navtest-" + std::to_string(random() % 1000000000));
    std::error_code ec;
    if (!fs::create_directory(folder, ec)) continue;
    fs::permissions(folder, fs::perms::owner_all, ec);
    path_ = nav::utf8FromPath(folder) + "/";
    return;
  }
  throw std::runtime_error("cannot create a scratch folder");
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  const fs::path folder = nav::pathFromUtf8(path_);
  // Tests make files read-only; give the owner the rights back to remove them.
  for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator(); ++it)
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(folder, ec);
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(nav::pathFromUtf8(path), std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& path) {
  std::ifstream in(nav::pathFromUtf8(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void makeFolder(const std::string& path) { fs::create_directories(nav::pathFromUtf8(path)); }

#ifndef _WIN32
FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  oldSoft_ = old.rlim_cur;
  oldHard_ = old.rlim_max;
  // The signal would end the process; the write is to fail instead.
  oldHandler_ = signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{static_cast<rlim_t>(bytes), old.rlim_max};
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  const rlimit old{static_cast<rlim_t>(oldSoft_), static_cast<rlim_t>(oldHard_)};
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler_);
}
#endif

DbdBuilder& DbdBuilder::record() {
  records_.emplace_back(static_cast<std::size_t>(recordSize_), '\0');
  return *this;
}

DbdBuilder& DbdBuilder::i32(std::size_t offset, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (std::size_t i = 0; i < 4; ++i) records_.back().at(offset + i) = static_cast<char>((u >> (8 * i)) & 0xFF);
  return *this;
}

DbdBuilder& DbdBuilder::f64(std::size_t offset, double v) {
  const auto u = std::bit_cast<std::uint64_t>(v);
  for (std::size_t i = 0; i < 8; ++i) records_.back().at(offset + i) = static_cast<char>((u >> (8 * i)) & 0xFF);
  return *this;
}

DbdBuilder& DbdBuilder::text(std::size_t offset, const std::string& s) {
  records_.back().replace(offset, s.size(), s);
  return *this;
}

std::string DbdBuilder::bytes() const { return bytes(static_cast<std::int32_t>(records_.size())); }

std::string DbdBuilder::bytes(std::int32_t headerCount) const { return bytes(headerCount, recordSize_); }

std::string DbdBuilder::bytes(std::int32_t headerCount, std::int32_t headerSize) const {
  std::string out(56, '\0');
  auto put = [&](std::size_t offset, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (std::size_t i = 0; i < 4; ++i) out[offset + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
  };
  put(16, headerCount);
  put(20, headerSize);
  for (const std::string& r : records_) out += r;
  return out;
}

void writeEmptyDatabase(const std::string& folder) {
  makeFolder(folder + "database");
  const std::pair<const char*, std::int32_t> files[] = {
      {"WAYPOINT.dbd", 105}, {"AIRPORT.dbd", 260}, {"ILS.dbd", 130}, {"NAVAID.dbd", 129}, {"RUNWAY.dbd", 271}};
  for (const auto& [name, size] : files) writeFile(folder + "database/" + name, DbdBuilder(size).bytes());
}

std::string tagListText() {
  std::string text;
  for (int i = 0; i < 158; ++i) {
    const char* fixed = i == 12    ? "<altd>"
                        : i == 29  ? "<dbky>"
                        : i == 39  ? "<endo>"
                        : i == 73  ? "<indx>"
                        : i == 77  ? "<llps>"
                        : i == 89  ? "<name>"
                        : i == 114 ? "<sped>"
                        : i == 142 ? "<type>"
                        : i == 150 ? "<warp>"
                        : i == 157 ? "<wpnt>"
                                   : nullptr;
    text += fixed ? std::string(fixed) : "<t" + std::to_string(i) + ">";
    text += "\r\n";
  }
  return text;
}

void writeTagList(const std::string& path) { writeFile(path, tagListText()); }

}  // namespace navtest
