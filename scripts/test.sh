#!/usr/bin/env bash
# Sets up, builds and runs every test. Widget tests use Qt's offscreen
# platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j 2
