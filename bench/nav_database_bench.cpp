#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "mapview/viewport.h"
#include "navdata/nav_database.h"

namespace {

namespace fs = std::filesystem;

// A database folder of `airports` airport records and as many waypoints,
// written once per run.
std::string makeDatabase(int records) {
  const fs::path folder = fs::temp_directory_path() / ("navbench-" + std::to_string(records)) / "database";
  fs::create_directories(folder);
  const std::pair<const char*, int> files[] = {
      {"WAYPOINT.dbd", 105}, {"AIRPORT.dbd", 260}, {"ILS.dbd", 130}, {"NAVAID.dbd", 129}, {"RUNWAY.dbd", 271}};
  for (const auto& [name, size] : files) {
    std::string bytes(56, '\0');
    const std::int32_t count = records;
    std::memcpy(bytes.data() + 16, &count, 4);
    std::memcpy(bytes.data() + 20, &size, 4);
    bytes.append(static_cast<std::size_t>(records) * static_cast<std::size_t>(size), 'x');
    std::ofstream(folder / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  return folder.string() + "/";
}

void BM_LoadNavDatabase(benchmark::State& state) {
  const std::string folder = makeDatabase(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    nav::NavDatabase db;
    nav::loadNavDatabase(folder, db);
    benchmark::DoNotOptimize(db.airports.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 5);
}
BENCHMARK(BM_LoadNavDatabase)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_GeoToPixel(benchmark::State& state) {
  nav::Viewport v;
  v.clientWidth = 1600;
  v.clientHeight = 800;
  v.Size(1600, 800);
  double lon = -648000;
  for (auto _ : state) {
    benchmark::DoNotOptimize(v.GeoToPixel(lon, 1000));
    lon = lon > 648000 ? -648000 : lon + 17;
  }
}
BENCHMARK(BM_GeoToPixel);

}  // namespace
