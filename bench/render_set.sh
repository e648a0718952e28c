#!/usr/bin/env bash
# Renders a fixed set of maps with navtool, so that a change to the painting
# can be checked pixel for pixel: render before and after into two folders,
# then `cmp` each pair of files.
#   bench/render_set.sh NAVTOOL DEMO_FOLDER SYNTHETIC_FOLDER OUT_FOLDER
# SYNTHETIC_FOLDER is written by build-release/bench/synthworld. RATIO=2
# renders them for a screen of twice the density.
set -euo pipefail
navtool=$1 demo=$2 synth=$3 out=$4
mkdir -p "$out"
all=showMaps,showGrid,vor,ndb,airport,ils,marker,waypoint,name,id,freq,wptName,planning
some=showMaps,vor,airport,waypoint,id
render() { "$navtool" render "$1" "$out/$2.png" --size "$3" --mag "$4" --center "$5" --layers "$6" --ratio "${RATIO:-1}"; }
for mag in 1 2 3 4 5 6 7 8 9 10 11 13 16; do
  render "$synth" "synth-europe-$mag" 1600x900 "$mag" 8400,176400 "$all"
  render "$synth" "synth-west-$mag-some" 1000x700 "$mag" -270000,150000 "$some"
done
for mag in 1 3 5 7 9 12; do
  render "$demo" "demo-paris-$mag" 1600x900 "$mag" 8400,176400 "$all"
  render "$demo" "demo-seam-$mag" 800x600 "$mag" 647000,0 "$all"
done
