#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/plan_placement.h"
#include "base/file_io.h"
#include "file_bytes.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"
#include "floor_table.h"
#include "mapview/viewport.h"
#include "navdata/nav_database.h"
#include "synthetic_world.h"

// Loading the database, saving and loading a plan, each beside the bare
// reading or writing of the same bytes.

namespace {

namespace fs = std::filesystem;

fs::path worldPath(int scale) { return fs::temp_directory_path() / ("navbench-world-x" + std::to_string(scale)); }

// The synthetic world's folder at `scale`, written once per run and taken
// away at its end.
std::string worldFolder(int scale) {
  const fs::path folder = worldPath(scale);
  static bool written[8] = {};
  if (!written[scale]) {
    navbench::writeSyntheticFolder(folder.string(), scale);
    written[scale] = true;
  }
  return folder.string() + "/database/";
}

void registerLoad(int scale) {
  const auto pair = navbench::addPair(
      "load/database/x" + std::to_string(scale), 1.5,
      [=](benchmark::State& bench) {
        const std::string folder = worldFolder(scale);
        for (auto _ : bench) {
          nav::NavDatabase db;
          nav::loadNavDatabase(folder, db);
          benchmark::DoNotOptimize(db.waypoints.data());
        }
      },
      [=](benchmark::State& bench) {
        const std::string folder = worldFolder(scale);
        // The least a load must do: every file's bytes in memory, all of
        // them at once, as the tables are.
        for (auto _ : bench) {
          std::unique_ptr<char[]> files[std::size(nav::kDbdFiles)];
          for (std::size_t i = 0; i < std::size(files); ++i)
            files[i] = navbench::readFileBytes(folder + nav::kDbdFiles[i].fileName);
        }
      });
  pair.path->Unit(benchmark::kMillisecond);
  pair.floor->Unit(benchmark::kMillisecond);
}

// A plan of 1 000 airports, as dropped from the map.
std::vector<nav::PlanRow> thousandRows() {
  nav::NavViewState s;
  navbench::fillSyntheticWorld(s);
  nav::FlightPlan plan;
  for (std::size_t i = 0; i < 1000; ++i) {
    nav::HoverSelection hover;
    hover.hoveredAirport = s.db.airports[i * 37];
    nav::dropMapObject(plan, std::nullopt, hover);
  }
  plan.rows.pop_back();  // the empty row the plan starts with
  return plan.rows;
}

const fs::path planFile = fs::temp_directory_path() / "navbench-plan.sit";
const std::string tagList = std::string(NAVBENCH_DEFAULT_FOLDER) + "/" + nav::kTagListFile;

void writeBytes(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void registerPlanFiles() {
  static const std::vector<nav::PlanRow> rows = thousandRows();
  const auto save = navbench::addPair(
      "plan/save 1000 rows", 0,
      [](benchmark::State& bench) {
        for (auto _ : bench) nav::ecris_pln(rows, tagList, planFile.string());
      },
      [](benchmark::State& bench) {
        nav::ecris_pln(rows, tagList, planFile.string());
        const std::string bytes = nav::readWholeFile(planFile.string());
        const std::string other = planFile.string() + ".floor";
        for (auto _ : bench) writeBytes(other, bytes);
      });
  const auto load = navbench::addPair(
      "plan/load 1000 rows", 0,
      [](benchmark::State& bench) {
        nav::ecris_pln(rows, tagList, planFile.string());
        for (auto _ : bench) benchmark::DoNotOptimize(nav::readSitFile(planFile.string()).data());
      },
      [](benchmark::State& bench) {
        nav::ecris_pln(rows, tagList, planFile.string());
        for (auto _ : bench) benchmark::DoNotOptimize(navbench::readFileBytes(planFile.string()).get());
      });
  for (auto* b : {save.path, save.floor, load.path, load.floor}) b->Unit(benchmark::kMicrosecond);
}

void BM_GeoToPixel(benchmark::State& state) {
  nav::Viewport v;
  v.clientWidth = 1600;
  v.clientHeight = 800;
  v.Size(1600, 800);
  double lon = -648000;
  for (auto _ : state) {
    benchmark::DoNotOptimize(v.GeoToPixel({.lat = 1000, .lon = lon}));
    lon = lon > 648000 ? -648000 : lon + 17;
  }
}
BENCHMARK(BM_GeoToPixel);

}  // namespace

int main(int argc, char** argv) {
  for (int scale : {1, 2, 4}) registerLoad(scale);
  registerPlanFiles();
  const int status = navbench::runBenchmarks(argc, argv);
  std::error_code ec;
  for (int scale : {1, 2, 4}) fs::remove_all(worldPath(scale), ec);
  fs::remove(planFile, ec);
  fs::remove(planFile.string() + ".floor", ec);
  return status;
}
