#!/usr/bin/env bash
# Puts the sources of the GeographicLib that Debian packages into FOLDER, for
# a build that cannot use Debian's library (the Windows cross build). Taken
# from Debian's source archive, the same version as libgeographiclib-dev.
set -euo pipefail
folder=$1
[ -f "$folder/include/GeographicLib/Geodesic.hpp" ] && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(dpkg-query -W -f='${source:Version}' libgeographiclib-dev 2>/dev/null || true)
bash "$(dirname "$0")/fetch-debian-source.sh" geographiclib "$version" "$work"
mkdir -p "$folder"
tar -xzf "$work"/geographiclib_*.orig.tar.gz -C "$folder" --strip-components=1
