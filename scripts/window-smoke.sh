#!/usr/bin/env bash
# Drives the program's window as a pilot would, in the X display of the
# moment (run it under xvfb-run, screen 1600x900x24), with xdotool:
#   window-smoke.sh SHOTS NAME FILE COMMAND...
# starts COMMAND, waits for the main window and for its map to be drawn,
# searches LFPG and EGLL and places each in the plan (Tab into the result
# grid, Enter), then saves the plan (Ctrl+S) by typing NAME into the save
# dialog and waits for FILE to be written. Screenshots go to SHOTS-*.png.
# Fails, saying at which step, when something does not happen in time.
set -euo pipefail
shots=$1 name=$2 file=$3
shift 3
convert=/usr/bin/convert compare=/usr/bin/compare  # ImageMagick's own

"$@" &
pid=$!
cleanup() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
trap cleanup EXIT
fail() {
  import -window root "$shots-failed.png" 2>/dev/null || true
  echo "window-smoke: $1 (screen in $shots-failed.png)" >&2
  exit 1
}
# Waits up to $1 seconds for the command after it to succeed.
within() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.5
  done
}
windows() { xdotool search --onlyvisible --name . 2>/dev/null || true; }
main_window() { win=$(xdotool search --onlyvisible --name 'Norvane!' 2>/dev/null | head -n 1) && [ -n "$win" ]; }
# The map is drawn when its outline and graticule colour covers a good
# part of the lower screen; a blank or grey map has none of it.
map_drawn() {
  import -window root "$shots-start.png" 2>/dev/null || return 1
  local n
  n=$("$convert" "$shots-start.png" -crop 1300x600+150+250 +repage -fill black +opaque 'rgb(0,192,255)' \
    -fill white -opaque 'rgb(0,192,255)' -format '%[fx:int(mean*w*h)]' info:)
  # The demo opens at level 7, where the graticule alone is some 6000.
  [ "$n" -gt 3000 ]
}
changed_top() {  # the top of the screen differs from $1
  import -window root "$shots-now.png"
  "$convert" "$1" -crop 1600x200+0+0 +repage "$shots-top-a.png"
  "$convert" "$shots-now.png" -crop 1600x200+0+0 +repage "$shots-top-b.png"
  local n
  n=$("$compare" -metric AE "$shots-top-a.png" "$shots-top-b.png" null: 2>&1 || true)
  rm -f "$shots-top-a.png" "$shots-top-b.png"
  [ "${n%%.*}" -gt 50 ]
}
# The visible windows of some size: a dialog adds one. (Without a window
# manager, Wine leaves the X focus where it was.)
big_windows() {
  local w
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
    if [ "$WIDTH" -ge 300 ] && [ "$HEIGHT" -ge 200 ]; then echo "$w"; fi
  done | sort
}
dialog_open() {
  dialog=$(comm -13 <(echo "$1") <(big_windows) | head -n 1)
  [ -n "$dialog" ]
}

within 90 main_window || fail "no main window within 90 s"
within 30 map_drawn || fail "the map was not drawn within 30 s"
[ "$(windows | wc -l)" -eq 1 ] || fail "another window (an error box?) beside the main window at start"
xdotool windowfocus --sync "$win"
sleep 0.5
for id in LFPG EGLL; do
  import -window root "$shots-before-$id.png"
  xdotool key ctrl+f
  xdotool type --delay 50 "$id"
  xdotool key Return
  within 10 changed_top "$shots-before-$id.png" || fail "the search of $id showed nothing"
  mv "$shots-now.png" "$shots-found-$id.png"
  xdotool key Tab
  sleep 0.3
  xdotool key Return
  within 10 changed_top "$shots-found-$id.png" || fail "placing $id changed nothing"
  mv "$shots-now.png" "$shots-placed-$id.png"
done
before=$(big_windows)
xdotool key ctrl+s
within 20 dialog_open "$before" || fail "no save dialog within 20 s"
sleep 1
xdotool windowfocus "$dialog" 2>/dev/null || true
import -window root "$shots-dialog.png"
xdotool type --delay 50 "$name"
xdotool key Return
within 20 test -s "$file" || fail "nothing saved as $file within 20 s"
sleep 1
import -window root "$shots-saved.png"
