#!/usr/bin/env bash
# Cross-builds the core (every library below the window), navtool's commands
# that need no Qt and the core tests for 64-bit Windows with MinGW-w64, then
# runs the tests and a navtool round trip under Wine. This machine checks the
# core only: the window needs Qt for Windows (README, "Windows").
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh windows

# fmt and nlohmann_json header-only, GoogleTest from Debian's sources, all
# with the same compiler.
headers=build-windows/headers
mkdir -p "$headers"
ln -sfn /usr/include/fmt "$headers/fmt"
ln -sfn /usr/include/nlohmann "$headers/nlohmann"
# GeographicLib's sources, the version Debian builds the Linux program with.
bash scripts/fetch-geographiclib-source.sh build-windows/geographiclib
cmake --preset windows-core-cross >/dev/null
cmake --build --preset windows-core-cross

# A Wine prefix of our own, made once.
wine=/usr/lib/wine/wine64
export WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot --init >/dev/null 2>&1
  /usr/lib/wine/wineserver --wait 2>/dev/null || true
fi

ctest --test-dir build-windows --output-on-failure

# navtool.exe on a data folder and a plan under a folder with accents; Wine
# hands it the names in wide characters from the UTF-8 of this shell.
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
accented="$work/Frédéric Öçé"
cp -r build-windows/bin "$accented"
navtool() { "$wine" "$accented/navtool.exe" "$@" | tr -d '\r'; }
navtool info "$accented" >"$work/info.txt"
grep '^airports [1-9]' "$work/info.txt" >/dev/null
navtool plan "$accented" "$accented/Plan été.sit" LFPG >/dev/null
navtool plan "$accented" "$accented/Plan été.sit" LFPG EGLL >/dev/null
navtool sit "$accented/Plan été.sit" >"$work/plan.txt"
grep Heathrow "$work/plan.txt" >/dev/null
echo "navtool.exe: a data folder and a plan saved twice under \"Frédéric Öçé\": passed"
