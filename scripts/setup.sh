#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Packages that are already there are skipped, so a second run costs nothing.
#   setup.sh           the build with gcc, the program and the tests
#   setup.sh fuzz      and clang with libFuzzer and the sanitizers' runtimes
#   setup.sh windows   and the MinGW-w64 cross compiler, Wine, and what drives
#                      and packs the Windows program (xdotool, ImageMagick, zip)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-qpa-plugins libqt6test6 libgl-dev
  libfmt-dev libgeographiclib-dev libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev libpugixml-dev
  qt6-translations-l10n
  xvfb xauth fonts-liberation fonts-liberation2 fontconfig
  geographiclib-tools gpsbabel libxml2-utils
)
for extra in "$@"; do
  case "$extra" in
    fuzz) packages+=(clang libclang-rt-dev) ;;
    windows) packages+=(g++-mingw-w64-x86-64-posix wine64 fonts-wine xdotool imagemagick zip unzip) ;;
    *) echo "setup.sh: unknown group $extra" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
