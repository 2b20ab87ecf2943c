#!/bin/sh
# Idle CPU of the game on its title and menu screens under Xvfb: the share of
# one core the process used over 20 seconds on each screen.
#   tools/idle-cpu/measure.sh BUILD_APP_DIR [DISPLAY_NUMBER]
# The program runs from a copy of BUILD_APP_DIR in a temporary folder (its
# options and club files are written there, never into the build).
set -eu
app=${1:?the folder of the built program}
number=${2:-99}
seconds=${SECONDS_PER_SCREEN:-20}
work=$(mktemp -d)
trap 'kill $game $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$app"/. "$work"/
rm -f "$work"/Varnok.ini "$work"/*.lock
Xvfb ":$number" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=":$number"
"$work/varnok" >"$work/out.txt" 2>&1 &
game=$!
sleep 4
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
share() { echo "scale=2; ($2 - $1) * 100 / $hz / $seconds" | bc; }
# The X server's share is shown beside the program's: the work of drawing
# the program's pictures on the screen is done there.
measure() {
  before=$(ticks $game)
  x_before=$(ticks $xvfb)
  sleep "$seconds"
  after=$(ticks $game)
  x_after=$(ticks $xvfb)
  echo "$1: $(share "$before" "$after")% of a core over ${seconds} s (X server $(share "$x_before" "$x_after")%)"
}
measure title
window=$(xdotool search --pid "$game" --onlyvisible | head -n 1)
xdotool mousemove --window "$window" 380 250 click 1
sleep 4
measure menu
echo "output lines of the program: $(wc -l <"$work/out.txt")"
cat "$work/out.txt"
