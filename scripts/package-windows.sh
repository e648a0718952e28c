#!/usr/bin/env bash
# Makes the zip a pilot unpacks on Windows:
#   build-windows/plandevol-VERSION-windows-x64.zip
# plandevol.exe and navtool.exe (scripts/build-windows.sh builds them), the
# demo data beside them, LISEZMOI.txt in French, the licences, and the
# program's own sources, which the LGPL asks for as Qt is linked in.
# Its files lie at the top of the zip: unpacked into a folder, the program
# is in that folder. Prints the zip's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh windows >&2
bash scripts/build-windows.sh >&2

version=$(sed -n 's/^project(PlanDeVol VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
qt=$(bash scripts/build-qt-windows.sh)
zip=$PWD/build-windows/plandevol-$version-windows-x64.zip
stage=build-windows/package
rm -rf "$stage" "$zip"
mkdir -p "$stage/licences" "$stage/sources"

# Without their symbols: half the size.
for exe in plandevol.exe navtool.exe; do x86_64-w64-mingw32-strip -o "$stage/$exe" "build-windows/bin/$exe"; done
cp -r demo/. "$stage/"
cp -r data/magnetic "$stage/magnetic"
# Notepad shows UTF-8 rightly with its byte-order mark, and older ones want
# CR LF.
crlf() { printf '\xef\xbb\xbf' >"$2" && sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$1" >>"$2"; }
crlf packaging/LISEZMOI.txt "$stage/LISEZMOI.txt"
crlf LICENSE "$stage/licences/LICENSE.txt"
crlf "$qt/licenses/LGPL-3.0-only.txt" "$stage/licences/Qt-LGPL-3.0.txt"
crlf "$qt/licenses/debian-copyright.txt" "$stage/licences/Qt-copyright.txt"
crlf /usr/share/doc/libfmt-dev/copyright "$stage/licences/fmt-copyright.txt"
crlf /usr/share/doc/nlohmann-json3-dev/copyright "$stage/licences/nlohmann-json-copyright.txt"
crlf /usr/share/doc/libgeographiclib-dev/copyright "$stage/licences/GeographicLib-copyright.txt"
crlf /usr/share/doc/libpugixml-dev/copyright "$stage/licences/pugixml-copyright.txt"
crlf /usr/share/doc/mingw-w64-x86-64-dev/copyright "$stage/licences/mingw-w64-copyright.txt"
crlf packaging/TIERS.txt "$stage/licences/TIERS.txt"

# The sources the executables were built from: the commit, with what is
# changed and not yet committed.
tree=$(git stash create 2>/dev/null || true)
git archive --format=zip --prefix="plandevol-$version/" -o "$stage/sources/plandevol-$version-sources.zip" "${tree:-HEAD}"

(cd "$stage" && zip -q -r -X "$zip" .)
echo "$zip"
