#!/usr/bin/env bash
# The Windows program, built on this machine and run under Wine:
# 1. builds it and its zip (scripts/package-windows.sh; the first time on a
#    machine this builds Qt for Windows too, scripts/build-qt-windows.sh);
# 2. runs the core tests under Wine;
# 3. unpacks the zip into "C:\Users\Frédéric\Norvane plan\" of a Wine
#    prefix, runs navtool.exe there on the demo data and a plan;
# 4. drives the window there inside Xvfb (scripts/window-smoke.sh): it
#    starts on the demo data, draws the map, finds and places LFPG and
#    EGLL, and saves the plan through the save dialog into the simulator's
#    "D:\Simulation\Norvane! ll\Saved Simulations" (a folder of
#    build-windows/ as drive D:). The file must equal, byte for byte, the
#    one the Linux window writes for the same plan, driven the same way.
# Screenshots of each step are left in build-windows/smoke/.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
step() { echo "== test-windows: $1 ($((SECONDS - start)) s)"; }

step "building the program and its zip"
zip=$(bash scripts/package-windows.sh)
echo "$zip"

step "core tests under Wine"
source scripts/wine-env.sh
ctest --test-dir build-windows --output-on-failure

step "the zip unpacked under an accented name"
folder="$WINEPREFIX/drive_c/users/Frédéric/Norvane plan"
rm -rf "$folder"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder"
navtool() { "$wine" "$folder/navtool.exe" "$@" | tr -d '\r'; }
navtool info "$folder" | grep '^airports [1-9]' >/dev/null
navtool plan "$folder" "$folder/Plan été.sit" LFPG >/dev/null
navtool plan "$folder" "$folder/Plan été.sit" LFPG EGLL >/dev/null
navtool sit "$folder/Plan été.sit" | grep Heathrow >/dev/null
rm "$folder/Plan été.sit"
echo "navtool.exe: the demo data and a plan saved twice in \"C:\\users\\Frédéric\\Norvane plan\": passed"

step "the window under Wine"
drive_d=$PWD/build-windows/drive-d
saved="$drive_d/Simulation/Norvane! ll/Saved Simulations"
rm -rf "$drive_d" build-windows/smoke
mkdir -p "$saved" build-windows/smoke
ln -sfn "$drive_d" "$WINEPREFIX/dosdevices/d:"
# A Wine of its own display: nothing left from the runs without one.
/usr/lib/wine/wineserver -k 2>/dev/null || true
screen=(xvfb-run -a -s "-screen 0 1600x900x24")
# Wine's own processes end with the display they were started on.
"${screen[@]}" bash -c 'bash scripts/window-smoke.sh "$@"; status=$?; /usr/lib/wine/wineserver -k; exit $status' \
  smoke build-windows/smoke/wine "Plan été" "$saved/Plan été.sit" "$wine" "$folder/plandevol.exe"

step "the same plan from the Linux window"
bash scripts/build.sh >/dev/null
linux=$(mktemp -d)
trap 'rm -rf "$linux"' EXIT
cp -r build/bin/. "$linux/"
"${screen[@]}" bash scripts/window-smoke.sh build-windows/smoke/linux "$linux/Plan été" "$linux/Plan été.sit" \
  "$linux/plandevol"
if ! cmp "$linux/Plan été.sit" "$saved/Plan été.sit"; then
  diff <(tr -d '\r' <"$linux/Plan été.sit") <(tr -d '\r' <"$saved/Plan été.sit") | head -n 20 >&2
  echo "test-windows: the plan saved under Wine differs from the Linux one" >&2
  exit 1
fi
echo "the window under Wine: started on the demo data, map drawn, LFPG and EGLL found and placed, saved into" \
  "Saved Simulations; the file equals the Linux one ($(wc -c <"$saved/Plan été.sit") bytes): passed"
step done
