// Peak memory of the readers on the inputs that used to exhaust it, counted
// by this program's own allocator: each benchmark reports the most bytes held
// at once while reading, and that peak over the file's size.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "app/settings_file.h"
#include "base/failure.h"
#include "flightplan/sit_reader.h"
#include "mapview/viewport.h"
#include "navdata/nav_database.h"

namespace {

std::atomic<std::size_t> held{0}, peak{0};

void count(std::size_t bytes) {
  const std::size_t now = held += bytes;
  std::size_t top = peak.load();
  while (now > top && !peak.compare_exchange_weak(top, now)) {
  }
}

}  // namespace

// Every block carries its size in front of it, so that delete can count it.
void* operator new(std::size_t size) {
  auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
  if (!block) throw std::bad_alloc();
  *block = size;
  count(size);
  return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}
void operator delete(void* p) noexcept {
  if (!p) return;
  auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - sizeof(std::max_align_t));
  held -= *block;
  std::free(block);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

namespace fs = std::filesystem;

std::string writeFile(const std::string& name, const std::string& bytes) {
  const fs::path path = fs::temp_directory_path() / ("navbench-memory-" + name);
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

// Runs `read` once an iteration; the peak is that of the last iteration.
template <class Read>
void measure(benchmark::State& state, std::size_t fileBytes, Read read) {
  for (auto _ : state) {
    peak = held.load();
    const std::size_t before = held.load();
    read();
    state.counters["peak_MB"] = static_cast<double>(peak - before) / (1 << 20);
  }
  state.counters["file_MB"] = static_cast<double>(fileBytes) / (1 << 20);
  state.counters["peak_per_file_byte"] = state.counters["peak_MB"] / state.counters["file_MB"];
}

// A saved simulation of bare line breaks, just under the size refused: it
// holds no waypoint, and reading it costs its bytes, not a string a line.
void BM_SitOfBareLineBreaks(benchmark::State& state) {
  const std::string text(15 << 20, '\n');
  const std::string path = writeFile("breaks.sit", text);
  measure(state, text.size(), [&] {
    try {
      nav::readSitFile(path);
    } catch (const nav::Failure&) {
    }
  });
}
BENCHMARK(BM_SitOfBareLineBreaks)->Unit(benchmark::kMillisecond)->Iterations(3);

// nav.ini of 4 MB of line breaks, read as start-up reads it.
void BM_NavIniOfBareLineBreaks(benchmark::State& state) {
  const std::string text = std::string(4 << 20, '\n') + "[View]\nvor=1\n";
  const std::string path = writeFile("nav.ini", text);
  measure(state, text.size(), [&] {
    nav::ViewSettings settings;
    nav::Viewport view;
    nav::loadViewSettings(path, '.', settings, view);
    benchmark::DoNotOptimize(settings.vor);
  });
}
BENCHMARK(BM_NavIniOfBareLineBreaks)->Unit(benchmark::kMillisecond)->Iterations(3);

// An 8 MB RUNWAY.dbd of the shortest record size still read (a quarter of the
// 271-byte layout), and of 1 byte a record, refused.
void BM_RunwaysOfShortRecords(benchmark::State& state) {
  const auto size = static_cast<std::int32_t>(state.range(0));
  const std::size_t records = (std::size_t{8} << 20) / static_cast<std::size_t>(size);
  std::string bytes(56, '\0');
  const auto count = static_cast<std::int32_t>(records);
  std::memcpy(bytes.data() + 16, &count, 4);
  std::memcpy(bytes.data() + 20, &size, 4);
  bytes.append(records * static_cast<std::size_t>(size), 'x');
  const fs::path folder = fs::path(writeFile("db/WAYPOINT.dbd", "")).parent_path();
  for (const char* name : {"WAYPOINT.dbd", "AIRPORT.dbd", "ILS.dbd", "NAVAID.dbd"})
    std::ofstream(folder / name, std::ios::binary).write(std::string(56, '\0').data(), 56);
  std::ofstream(folder / "RUNWAY.dbd", std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  measure(state, bytes.size(), [&] {
    nav::NavDatabase db;
    try {
      nav::loadNavDatabase(folder.string() + "/", db);
    } catch (const nav::Failure&) {
    }
    benchmark::DoNotOptimize(db.runways.data());
  });
}
BENCHMARK(BM_RunwaysOfShortRecords)->Arg(68)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
