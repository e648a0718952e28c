#!/usr/bin/env bash
# Sets up, builds and starts the program on the demo data laid beside it.
# Only the program, navtool and the demo data are built: the tests and
# benchmarks are scripts/test.sh's. Without a display (a server, a
# container) it runs under a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build build --target plandevol navtool demo_data
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x900x24" build/bin/plandevol "$@"
fi
exec build/bin/plandevol "$@"
