#!/usr/bin/env bash
# Builds the readers' fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs a campaign:
#   scripts/fuzz.sh                  every target for 60 seconds
#   scripts/fuzz.sh TARGET [SECONDS] one target (database, outline, nav_ini,
#                                    tag_list, sit, csv, ourairports,
#                                    topojson, airports_json, recovery,
#                                    route_file)
#   scripts/fuzz.sh all SECONDS      every target for SECONDS each
# Each starts from its committed seeds (tests/fuzz/corpus/TARGET); what it
# finds new goes to build-fuzz/corpus/TARGET, a crash to build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh fuzz

targets=(database outline nav_ini tag_list sit csv ourairports topojson airports_json recovery route_file)
which="${1:-all}"
seconds="${2:-60}"
if [ "$which" != all ]; then
  if [[ ! " ${targets[*]} " =~ " ${which} " ]]; then
    echo "fuzz.sh: no target $which (${targets[*]})" >&2
    exit 2
  fi
  targets=("$which")
fi

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DNAV_FUZZ=ON -DNAV_QT=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz --target fuzz_targets

# The targets write the files they read: in memory where the system has it.
scratch=$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/navfuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -p build-fuzz/crashes
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t"
  log="build-fuzz/fuzz_$t.log"
  echo "== fuzz_$t for ${seconds}s"
  # Bounded input and memory: a finding is a fault of the program, never of
  # the machine running out.
  if ! TMPDIR="$scratch" "build-fuzz/bin/fuzz_$t" "build-fuzz/corpus/$t" "tests/fuzz/corpus/$t" \
    -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=20 \
    -artifact_prefix="build-fuzz/crashes/$t-" -print_final_stats=1 >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz_$t: a finding, kept in build-fuzz/crashes/ ($log)" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log"
done
