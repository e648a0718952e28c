#!/usr/bin/env bash
# Builds in Release into build-release/ and runs every hot path beside its
# floor (bench/). Prints one table: path, time, floor, ratio and the bound
# the ratio must stay within; then how paint, hover, search and load grow
# with 1x, 2x and 4x the world-scale tables, and the window's peak memory.
# Times are the medians of repeated runs (CPU time), the repetitions of all
# benchmarks of one program interleaved at random, as the machine may be
# busy with other work. Exits with 1 when a ratio is over its bound.
#   NAVBENCH_REPETITIONS (default 9), NAVBENCH_FILTER (a benchmark regex)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 --target navtool navbench mapbench interactionbench planbench planningbench framebench startbench \
  windowmemory synthworld \
  >/dev/null

data=$build/bench-data
mkdir -p "$data"
# The synthetic world as a folder; the demo data and the OurAirports data
# (from ../shared/opendata when it is there) each with its nav.ini, every
# layer and label on, the view on Europe at level 7.
if [ ! -f "$data/synthetic/nav.ini" ]; then "$build/bench/synthworld" "$data/synthetic" 1; fi
rm -rf "$data/demo" && cp -r demo "$data/demo" && cp "$data/synthetic/nav.ini" "$data/demo/"
folders="demo=$data/demo:synthetic=$data/synthetic"
opendata=../shared/opendata
if [ -f "$opendata/airports.csv" ]; then
  if [ ! -f "$data/opendata/nav.ini" ]; then
    (cd "$build/bin" && ./navtool import-ourairports "../../$opendata" "../../$data/opendata") >/dev/null
    cp "$data/synthetic/nav.ini" "$data/opendata/"
  fi
  folders="$folders:opendata=$data/opendata"
fi

rows=$build/bench-rows.tsv  # kept: the table can be printed again from it
: >"$rows"
args=(--benchmark_repetitions="${NAVBENCH_REPETITIONS:-9}" --benchmark_enable_random_interleaving=true
  --benchmark_min_time=0.1 --benchmark_filter="${NAVBENCH_FILTER:-.}")
for program in mapbench interactionbench navbench planbench; do
  echo "running $program..." >&2
  QT_QPA_PLATFORM=offscreen NAVBENCH_ROWS=1 "$build/bench/$program" "${args[@]}" >>"$rows"
done
echo "running planningbench..." >&2
NAVBENCH_ROWS=1 "$build/bench/planningbench" "${args[@]}" >>"$rows"
echo "running framebench..." >&2
QT_QPA_PLATFORM=offscreen NAVBENCH_ROWS=1 NAVBENCH_WORLD="$data/synthetic" "$build/bench/framebench" "${args[@]}" \
  2>/dev/null >>"$rows"
echo "running startbench..." >&2
QT_QPA_PLATFORM=offscreen NAVBENCH_ROWS=1 NAVBENCH_FOLDERS="$folders" "$build/bench/startbench" "${args[@]}" \
  2>/dev/null >>"$rows"

awk -F'\t' '
function t(ns) {
  if (ns < 1e3) return sprintf("%.0f ns", ns)
  if (ns < 1e6) return sprintf("%.1f us", ns / 1e3)
  if (ns < 1e9) return sprintf("%.2f ms", ns / 1e6)
  return sprintf("%.2f s", ns / 1e9)
}
{ name[NR] = $1; path[$1] = $2; floor[$1] = $3; bound[$1] = $4; limit[$1] = $5 }
END {
  printf "%-34s %11s %11s %6s %6s %9s\n", "path", "time", "floor", "ratio", "bound", "time bound"
  over = 0
  for (i = 1; i <= NR; i++) {
    n = name[i]; b = bound[n] + 0; l = limit[n] + 0
    r = floor[n] > 0 ? path[n] / floor[n] : 0
    mark = ((b > 0 && r > b) || (l > 0 && path[n] > l)) ? "  OVER" : ""
    if (mark != "") over++
    printf "%-34s %11s %11s %6s %6s %9s%s\n", n, t(path[n]), (floor[n] > 0 ? t(floor[n]) : "-"),
      (floor[n] > 0 ? sprintf("%.2f", r) : "-"), (b > 0 ? sprintf("%.1f", b) : "-"), (l > 0 ? t(l) : "-"), mark
  }
  printf "\ngrowth with the tables (time at 1x, 2x, 4x; 4x over 1x for the path and its floor)\n"
  printf "%-30s %11s %11s %11s %6s %6s\n", "path", "1x", "2x", "4x", "path", "floor"
  for (i = 1; i <= NR; i++) {
    n = name[i]
    if (n !~ /\/x1$/) continue
    p = substr(n, 1, length(n) - 3)
    if (!((p "/x4") in path)) continue
    printf "%-30s %11s %11s %11s %6.2f %6.2f\n", p, t(path[n]), t(path[p "/x2"]), t(path[p "/x4"]),
      path[p "/x4"] / path[n], floor[p "/x4"] / floor[n]
  }
  if (over > 0) { printf "\n%d row(s) over their bound\n", over; exit 1 }
  printf "\nevery ratio and time within its bound\n"
}' "$rows" || status=$?

echo
echo "peak resident memory of the window (1600 x 900, offscreen, first paint done), MiB"
printf '%-12s %9s %9s %9s\n' data tables outline peak
for entry in ${folders//:/ }; do
  name=${entry%%=*} folder=${entry#*=}
  read -r tables outline peak < <(QT_QPA_PLATFORM=offscreen "$build/bench/windowmemory" "$folder" 2>/dev/null)
  printf '%-12s %9s %9s %9s\n' "$name" "$tables" "$outline" "$peak"
done

echo
echo "what a step of undo keeps (drops and deletions, a full undo stack of 200 steps)"
"$build/bench/planbench" --memory
exit "${status:-0}"
