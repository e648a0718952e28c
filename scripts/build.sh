#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/.
# WERROR=ON makes every warning an error, as CI builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
  -DCMAKE_COMPILE_WARNING_AS_ERROR="${WERROR:-OFF}" >/dev/null
cmake --build build
