#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tools/ourairports_import.h"

// navtool import-ourairports on world-scale files: those of the folder
// NAVBENCH_OURAIRPORTS names, else the OurAirports downloads beside the
// source tree, else the made-up files of
//   python3 bench/make_ourairports_like.py build/ourairports-like
// The outline and tag list come from the demo data beside the program.

namespace {

namespace fs = std::filesystem;

std::string csvFolder() {
  if (const char* env = std::getenv("NAVBENCH_OURAIRPORTS"); env && *env) return env;
  for (const char* folder : {NAVBENCH_OPENDATA, NAVBENCH_SYNTHETIC}) {
    std::error_code ec;
    if (fs::is_regular_file(fs::path(folder) / "airports.csv", ec)) return folder;
  }
  return {};
}

std::string lastLine(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text.substr(text.rfind('\n') + 1);  // npos + 1: the whole text
}

// Arg 1: with --verbose, every row left out listed.
void BM_ImportOurAirports(benchmark::State& state) {
  const std::string csv = csvFolder();
  if (csv.empty()) {
    state.SkipWithError(
        "No OurAirports files: set NAVBENCH_OURAIRPORTS to their folder, or write made-up ones with "
        "python3 bench/make_ourairports_like.py " NAVBENCH_SYNTHETIC);
    return;
  }
  const fs::path out = fs::temp_directory_path() / "navbench-ourairports";
  std::vector<std::string> args{csv, out.string()};
  if (state.range(0)) args.emplace_back("--verbose");
  std::string summary;
  for (auto _ : state) {
    // Each run writes a new folder, outline and tag list copied.
    state.PauseTiming();
    std::error_code ec;
    fs::remove_all(out, ec);
    state.ResumeTiming();
    std::ostringstream o, e;
    if (navtools::importOurAirportsCommand(args, NAVBENCH_DATA_FOLDER, o, e) != 0) {
      state.SkipWithError(lastLine(e.str()).c_str());
      break;
    }
    summary = o.str();
  }
  state.SetLabel(csv + ": " + lastLine(summary));
  std::error_code ec;
  fs::remove_all(out, ec);
}
BENCHMARK(BM_ImportOurAirports)->ArgName("verbose")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
