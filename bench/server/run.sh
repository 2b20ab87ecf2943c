#!/usr/bin/env bash
# Load test of varnok-server on loopback with wrk: requests per second and
# latency percentiles of ReadTable, LoginAccount (cached and uncached) and
# SaveResult, 64 connections each, on SQLite in a temporary data folder.
#
#   bench/server/run.sh [BUILD_DIR] [SECONDS_PER_RUN]     (defaults: build, 8)
#
# The servers it starts listen on 127.0.0.1 only and are stopped at the end.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:-$here/../../build}"
seconds="${2:-8}"
server="$build/server/varnok-server"
[ -x "$server" ] || { echo "no $server: build the varnok-server target first" >&2; exit 1; }
command -v wrk >/dev/null || { echo "wrk is not installed" >&2; exit 1; }

data="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$data"
}
trap cleanup EXIT

# Starts a server with extra options; sets $port.
start() {
  local out="$data/out.$#.$RANDOM"
  "$server" --port 0 --listen 127.0.0.1 --data "$data/db" "$@" >"$out" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    if grep -q 'listening on' "$out" 2>/dev/null; then break; fi
    sleep 0.1
  done
  port="$(head -1 "$out" | sed -E 's/.*127\.0\.0\.1:([0-9]+)\/.*/\1/')"
}

run() {
  local name="$1" script="$2" base="$3"
  echo "== $name: wrk -t2 -c64 -d${seconds}s"
  wrk -t2 -c64 -d"${seconds}s" --timeout 10s --latency -s "$here/$script" "$base" |
    grep -E 'Requests/sec|^ +50%|^ +99%|saves|logins|Non-2xx|Socket errors'
}

mkdir -p "$data/db"
"$server" admin --data "$data/db" add-accounts bench 64 benchpw1 >/dev/null
"$server" admin --data "$data/db" add-accounts fast 64 benchpw1 >/dev/null
start
base="http://127.0.0.1:$port"
for i in $(seq 1 100); do
  curl -s -o /dev/null --data-binary "gid=9&nick=Player$i&city=Omsk&country=1-001&score=$((i * 7))&R7=M&R8=5.7f&R9=%23&R10=%23*" \
    "$base/results.php"
done
echo "warming the login cache of 64 accounts (one argon2id check each)..."
for i in $(seq 1 64); do
  curl -s -o /dev/null --data-binary "nick=bench$i&pw=benchpw1&label0=0" "$base/account.php"
done

run "ReadTable (gid 9, 100 rows)" read_table.lua "$base/results.php"
run "LoginAccount, cached" login.lua "$base/account.php"
run "SaveResult (announcement and result in turn), synced at every commit" save_result.lua "$base/account.php"

# A second server on the same data that checks the hash on every request and
# syncs SQLite at checkpoints only.
start --login-cache-seconds 0 --sqlite-sync normal
run "LoginAccount, uncached (argon2id every request)" login.lua "http://127.0.0.1:$port/account.php"
start --sqlite-sync normal
base="http://127.0.0.1:$port"
for i in $(seq 1 64); do
  curl -s -o /dev/null --data-binary "nick=fast$i&pw=benchpw1&label0=0" "$base/account.php"
done
VARNOK_BENCH_NICK=fast run "SaveResult, synced at checkpoints (--sqlite-sync normal)" save_result.lua "$base/account.php"
