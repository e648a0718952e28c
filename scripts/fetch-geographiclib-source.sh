#!/usr/bin/env bash
# Puts the sources of the GeographicLib that Debian packages into FOLDER, for
# a build that cannot use Debian's library (the Windows cross build). Taken
# from Debian's source archive, the same version as libgeographiclib-dev.
set -euo pipefail
folder=$1
[ -f "$folder/include/GeographicLib/Geodesic.hpp" ] && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
cat >"$work/debian-src.sources" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
apt=(apt-get -qq -o Dir::Etc::SourceList="$work/debian-src.sources" -o Dir::Etc::SourceParts=/dev/null
     -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" -o APT::Sandbox::User=root)
"${apt[@]}" update
version=$(dpkg-query -W -f='${source:Version}' libgeographiclib-dev 2>/dev/null || true)
(cd "$work" && "${apt[@]}" source --download-only "geographiclib${version:+=$version}")
mkdir -p "$folder"
tar -xzf "$work"/geographiclib_*.orig.tar.gz -C "$folder" --strip-components=1
