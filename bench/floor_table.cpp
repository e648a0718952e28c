#include "floor_table.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace navbench {

namespace {

struct Entry {
  std::string name;
  double bound;          // of the ratio to the floor; 0 for none
  double timeBound = 0;  // ns; 0 for none
  bool hasFloor = true;
};

std::vector<Entry>& entries() {
  static std::vector<Entry> list;
  return list;
}

double toNanoseconds(double v, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond: return v;
    case benchmark::kMicrosecond: return v * 1e3;
    case benchmark::kMillisecond: return v * 1e6;
    case benchmark::kSecond: return v * 1e9;
  }
  return v;
}

double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string timeText(double ns) {
  char text[32];
  if (ns < 1e3)
    std::snprintf(text, sizeof text, "%.0f ns", ns);
  else if (ns < 1e6)
    std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
  else if (ns < 1e9)
    std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
  else
    std::snprintf(text, sizeof text, "%.2f s", ns / 1e9);
  return text;
}

// The console's report as usual, and the CPU time of every repetition kept
// by name for the table.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  explicit TableReporter(bool rowsOnly) : rowsOnly_(rowsOnly) {}

  bool ReportContext(const Context& context) override {
    return rowsOnly_ ? true : ConsoleReporter::ReportContext(context);
  }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && !r.error_occurred)
        times_[r.run_name.function_name].push_back(toNanoseconds(r.GetAdjustedCPUTime(), r.time_unit));
    if (!rowsOnly_) ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    if (!rowsOnly_) std::printf("\n%-44s %12s %12s %7s %6s\n", "path", "time", "floor", "ratio", "bound");
    for (const Entry& e : entries()) {
      if (!e.hasFloor) {
        const auto path = times_.find(e.name);
        if (path == times_.end()) continue;
        const double t = median(path->second);
        if (rowsOnly_)
          std::printf("%s\t%.0f\t0\t0\t%.0f\n", e.name.c_str(), t, e.timeBound);
        else
          std::printf("%-44s %12s %12s %7s %6s%s\n", e.name.c_str(), timeText(t).c_str(), "-", "-",
                      timeText(e.timeBound).c_str(), t > e.timeBound ? "  over" : "");
        continue;
      }
      const auto path = times_.find(e.name);
      const auto floor = times_.find(e.name + "/floor");
      if (path == times_.end() || floor == times_.end()) continue;
      const double t = median(path->second), f = median(floor->second);
      if (rowsOnly_) {
        std::printf("%s\t%.0f\t%.0f\t%g\t%.0f\n", e.name.c_str(), t, f, e.bound, e.timeBound);
        continue;
      }
      const bool over = (e.bound > 0 && t > e.bound * f) || (e.timeBound > 0 && t > e.timeBound);
      std::printf("%-44s %12s %12s %7.2f %6s%s\n", e.name.c_str(), timeText(t).c_str(), timeText(f).c_str(), t / f,
                  e.bound > 0 ? (std::to_string(e.bound).substr(0, 4)).c_str() : "", over ? "  over" : "");
    }
    std::fflush(stdout);
  }

 private:
  bool rowsOnly_;
  std::map<std::string, std::vector<double>> times_;
};

}  // namespace

BenchPair addPair(const std::string& name, double bound, BenchFn path, BenchFn floor) {
  return addPair(name, bound, 0, std::move(path), std::move(floor));
}

BenchPair addPair(const std::string& name, double bound, double timeBoundNs, BenchFn path, BenchFn floor) {
  entries().push_back({name, bound, timeBoundNs});
  return {benchmark::RegisterBenchmark(name.c_str(), std::move(path)),
          benchmark::RegisterBenchmark((name + "/floor").c_str(), std::move(floor))};
}

benchmark::internal::Benchmark* addBounded(const std::string& name, double boundNs, BenchFn path) {
  entries().push_back({name, 0, boundNs, false});
  return benchmark::RegisterBenchmark(name.c_str(), std::move(path));
}

int runBenchmarks(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const char* rows = std::getenv("NAVBENCH_ROWS");
  TableReporter reporter(rows && std::string(rows) == "1");
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace navbench
