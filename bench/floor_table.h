#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

// Every hot path is benchmarked beside its floor: the least the path must do
// with the same data. A run ends with one table: path, time, floor, ratio.

namespace navbench {

using BenchFn = std::function<void(benchmark::State&)>;

// Registers `name` and `name/floor`; `bound` is the ratio the path must stay
// within, 0 for none. Both come back for their options (unit, iterations).
struct BenchPair {
  benchmark::internal::Benchmark* path;
  benchmark::internal::Benchmark* floor;
};
BenchPair addPair(const std::string& name, double bound, BenchFn path, BenchFn floor);
// The same, the path also held to a time (`timeBoundNs`).
BenchPair addPair(const std::string& name, double bound, double timeBoundNs, BenchFn path, BenchFn floor);

// A path held to a time (`boundNs`) rather than to a floor: what the user
// waits for, whatever the least work would be.
benchmark::internal::Benchmark* addBounded(const std::string& name, double boundNs, BenchFn path);

// Runs the benchmarks selected on the command line, then prints the table.
// With NAVBENCH_ROWS=1 in the environment it prints only the table's rows,
// tab-separated (name, path ns, floor ns, ratio bound, time bound ns), for
// scripts/bench.sh; 0 where there is none.
int runBenchmarks(int argc, char** argv);

}  // namespace navbench
