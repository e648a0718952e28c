#!/usr/bin/env bash
# Sets up, builds and starts the program on the demo data laid beside it.
# Without a display (a server, a container) it runs under a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x900x24" build/bin/plandevol "$@"
fi
exec build/bin/plandevol "$@"
