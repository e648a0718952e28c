#!/usr/bin/env bash
# Puts the sources of a library Debian packages into FOLDER, for a build
# that cannot use Debian's library (the Windows cross build). Taken from
# Debian's source archive, the same version as its -dev package. Nothing is
# done when FOLDER already holds FILE.
#   fetch-library-source.sh SOURCE_PACKAGE DEV_PACKAGE FOLDER FILE
set -euo pipefail
package=$1 dev=$2 folder=$3 file=$4
[ -f "$folder/$file" ] && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(dpkg-query -W -f='${source:Version}' "$dev" 2>/dev/null || true)
bash "$(dirname "$0")/fetch-debian-source.sh" "$package" "$version" "$work"
mkdir -p "$folder"
tar -xf "$work/${package}_"*.orig.tar.* -C "$folder" --strip-components=1
