#!/usr/bin/env bash
# Downloads Debian's source package PACKAGE at VERSION (the .dsc, the
# original tarball and Debian's changes) into FOLDER, from this release's
# archive and its security archive. A source list of its own, in FOLDER,
# so that the system's lists stay as they are.
#   fetch-debian-source.sh PACKAGE VERSION FOLDER
set -euo pipefail
package=$1 version=$2 folder=$3
mkdir -p "$folder/apt/lists/partial" "$folder/apt/cache/archives/partial"
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
cat >"$folder/apt/debian-src.sources" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $codename-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
apt=(apt-get -qq -o Dir::Etc::SourceList="$folder/apt/debian-src.sources" -o Dir::Etc::SourceParts=/dev/null
     -o Dir::State::Lists="$folder/apt/lists" -o Dir::Cache="$folder/apt/cache" -o APT::Sandbox::User=root)
"${apt[@]}" update
cd "$folder"
"${apt[@]}" source --download-only "$package${version:+=$version}"
