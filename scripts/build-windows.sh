#!/usr/bin/env bash
# Cross-builds the whole program for 64-bit Windows into build-windows/:
# plandevol.exe and navtool.exe (render included), each one executable with
# Qt and the MinGW runtime linked in, the demo data beside them, and the
# core tests. Qt is the static one of scripts/build-qt-windows.sh (built
# once, then taken from its cache); fmt and nlohmann_json header-only,
# GeographicLib, pugixml and GoogleTest from Debian's sources, all with the same
# compiler.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh windows

NAV_QT_WINDOWS=$(bash scripts/build-qt-windows.sh)
export NAV_QT_WINDOWS
headers=build-windows/headers
mkdir -p "$headers"
ln -sfn /usr/include/fmt "$headers/fmt"
ln -sfn /usr/include/nlohmann "$headers/nlohmann"
bash scripts/fetch-library-source.sh geographiclib libgeographiclib-dev build-windows/geographiclib include/GeographicLib/Geodesic.hpp
bash scripts/fetch-library-source.sh pugixml libpugixml-dev build-windows/pugixml src/pugixml.cpp
cmake --preset windows-cross >/dev/null
cmake --build --preset windows-cross
