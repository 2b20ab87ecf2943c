#!/usr/bin/env bash
# Measures the start-up of the game against a bare Qt widgets window, side by
# side under one Xvfb: the time from starting the process to its first painted
# frame, and the resident memory once the title screen is up. Usage:
#   bench/startup/measure.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="${1:-build}"
runs="${2:-7}"
game="$build/app/varnok"
bare="$build/bench/startup/varnok-bare-window"

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1200x24" "$0" "$@"
fi

measure() {  # program -> "ms rss_kb"
  local start out first rss
  start=$(date +%s%N)
  out=$(VARNOK_REPORT_STARTUP=1 "$@" 2>&1 >/dev/null || true)
  first=$(printf '%s\n' "$out" | awk '/^first-paint-ns/ {print $2; exit}')
  rss=$(printf '%s\n' "$out" | awk '/^rss-kb/ {print $2; exit}')
  echo "$(( (first - start) / 1000000 )) ${rss:-0}"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

bare_ms=(); game_ms=(); bare_rss=(); game_rss=()
for _ in $(seq "$runs"); do
  read -r ms rss < <(measure "$bare"); bare_ms+=("$ms"); bare_rss+=("$rss")
  read -r ms rss < <(measure "$game"); game_ms+=("$ms"); game_rss+=("$rss")
done
bm=$(printf '%s\n' "${bare_ms[@]}" | median); gm=$(printf '%s\n' "${game_ms[@]}" | median)
br=$(printf '%s\n' "${bare_rss[@]}" | median); gr=$(printf '%s\n' "${game_rss[@]}" | median)
echo "bare window: first frame ${bm} ms, resident ${br} kB (median of $runs)"
echo "varnok:      first frame ${gm} ms, resident ${gr} kB at the title screen (median of $runs)"
awk -v g="$gm" -v b="$bm" -v r="$gr" 'BEGIN {
  printf "ratio %.2f (limit 2.00), memory %.1f MB (limit 80)\n", g / b, r / 1024;
  exit (g <= 2 * b && r < 80 * 1024) ? 0 : 1 }'
