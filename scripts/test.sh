#!/usr/bin/env bash
# Sets up, builds and runs every test. Widget tests use Qt's offscreen
# platform, so no display is needed. A warning fails the build.
set -euo pipefail
cd "$(dirname "$0")/.."
WERROR=ON bash scripts/build.sh
ctest --test-dir build --output-on-failure -j 2
