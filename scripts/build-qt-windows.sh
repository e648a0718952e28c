#!/usr/bin/env bash
# Builds the Qt that the Windows program links with, once: a static Qt 6 for
# 64-bit Windows (Core, Gui, Widgets, PrintSupport, the "windows" platform,
# the "windowsvista" style and the Windows print support linked into the
# executable), cross-built with MinGW-w64 against the host's own moc, rcc
# and uic. Its sources are Debian's qt6-base, the version of the host's Qt
# tools, with Debian's patches applied; Qt's French texts for its standard
# dialogs come from Debian's qt6-translations-l10n.
#
# Prints the folder that holds it. It lives outside the clone, in a cache
# folder named after the contents of this script and of the files it uses,
# so that a second run, or a run from another clone, finds it there and
# returns at once:
#   ${PLANDEVOL_CACHE:-~/.cache/plandevol}/qt-6.4.2-mingw-static-HASH
# Everything it prints but that folder goes to stderr; the build's own
# output to a log beside it, shown when a step fails.
set -euo pipefail
cd "$(dirname "$0")/.."

version=6.4.2
hash=$(cat scripts/build-qt-windows.sh scripts/fetch-debian-source.sh cmake/mingw-w64.cmake | sha256sum | cut -c1-12)
cache=${PLANDEVOL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/plandevol}
prefix=$cache/qt-$version-mingw-static-$hash
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

bash scripts/setup.sh windows >&2
mkdir -p "$cache"
work=$cache/qt-$version-mingw-static-$hash.work
log=$cache/qt-$version-mingw-static-$hash.log
rm -rf "$work" "$prefix"
mkdir -p "$work"
: >"$log"
step() {
  echo "build-qt-windows: $1 (log: $log)" >&2
  shift
  if ! "$@" >>"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "build-qt-windows: failed, the whole log is $log" >&2
    exit 1
  fi
}

# Debian's source package, the version the host's tools come from.
source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
case "$source_version" in
  "$version"+*) ;;
  *) echo "build-qt-windows: the host's Qt tools are $source_version, this script builds $version" >&2; exit 1 ;;
esac
step "fetching Debian's qt6-base $source_version" bash scripts/fetch-debian-source.sh qt6-base "$source_version" "$work"
# dpkg-source applies the package's patch series: its security fixes and
# the Debian ones, which touch nothing a Windows build uses.
step "unpacking and patching" dpkg-source --no-check -x "$work"/qt6-base_*.dsc "$work/src"

# Only what the program uses; no OpenGL (INPUT_opengl below). Tablet
# support is off: its header (wintab) is not in Debian's sources. The fonts
# come from Windows itself (GDI and DirectWrite), so no FreeType. Qt 6.4
# builds its DirectWrite font engine only with Direct2D, which stays on;
# Direct2D 1.1 is only its own platform plugin, not used. The Markdown
# reader stays: the help window shows the guide from the README.
features=(
  sql network dbus xml concurrent testlib vulkan zstd icu glib
  freetype fontconfig direct2d1_1 tabletevent sessionmanager systemtrayicon
  jpeg gif ico movie textodfwriter textmarkdownwriter
  androiddeployqt windeployqt macdeployqt qmake
  jalalicalendar hijricalendar islamiccivilcalendar
)
off=()
for f in "${features[@]}"; do off+=("-DFEATURE_$f=OFF"); done
step "configuring (static, MinGW-w64)" cmake -S "$work/src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON \
  -DINPUT_opengl=no -DFEATURE_opengl_dynamic=OFF \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF \
  "${off[@]}"
start=$SECONDS
step "building (about 12 minutes on two idle cores)" cmake --build "$work/build" -j "$(nproc)"
echo "build-qt-windows: built in $(((SECONDS - start) / 60)) min" >&2
step "installing" cmake --install "$work/build"

# Qt's French texts (buttons, file dialog), embedded by the program's build.
mkdir -p "$prefix/translations"
cp /usr/share/qt6/translations/qtbase_fr.qm "$prefix/translations/"
# The licences the zip ships beside the program.
mkdir -p "$prefix/licenses"
cp "$work/src/LICENSES/"* "$prefix/licenses/"
cp "$work/src/debian/copyright" "$prefix/licenses/debian-copyright.txt"
rm -rf "$work"
touch "$prefix/.complete"
echo "$prefix"
