#!/usr/bin/env bash
# End to end over pseudo-terminals against a controller stand-in that meets a
# hostile line: a frame that never ends, a port that hangs up mid-download.
set -uo pipefail
bin="$1"
cli="$bin/rungsmith-cli"
sim="$bin/rungsmith-plcsim"
work="$(mktemp -d)"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf 'LD X000\nOR Y001\nANI X017\nOUT Y001\nLD M10\nOUT T0 K50\nMOV K4660 D10\nEND\n' \
  > "$work/p.il"
"$cli" import --mode 2 "$work/p.il" "$work/p2.epj" || fail "import"

# start_sim NAME ARGS...: a stand-in linked at $work/NAME, memory in $work/NAME.mem
start_sim() {
  local name="$1"; shift
  "$sim" --link "$work/$name" --memory "$work/$name.mem" "$@" > /dev/null 2> "$work/$name.log" &
  pids+=($!)
  for _ in $(seq 50); do [ -e "$work/$name" ] && [ -e "$work/$name.mem" ] && return; sleep 0.05; done
  fail "simulator $name did not start"
}
cli() {
  "$cli" "$@" > "$work/stdout" 2> "$work/stderr"; rc=$?
  out="$(cat "$work/stdout"; grep -vE '^(download|upload) ' "$work/stderr")"
}

# 1. A lone STX in mode 2 is dropped after the gap: the next downloads succeed.
start_sim deaf --mode 2
exec 3<> "$work/deaf"
printf '\002' >&3
exec 3>&-
sleep 0.2
for n in 1 2; do
  cli download --port "$work/deaf" "$work/p2.epj"
  [ $rc -eq 0 ] && [ "$out" = "Download Succeed !" ] || fail "after a lone STX ($n): rc $rc, $out"
done
diff <("$cli" encode "$work/p2.epj") "$work/deaf.mem" > /dev/null || fail "memory after a lone STX"

# 2. The stand-in's port hangs up mid-download: the reason says so.
for _ in $(seq 40); do grep -v END "$work/p.il"; done > "$work/long.il"
echo END >> "$work/long.il"
"$cli" import --mode 2 "$work/long.il" "$work/long2.epj" || fail "import long"
start_sim hangup --mode 2 --baud 9600
( sleep 0.5; kill "${pids[-1]}" ) &
cli download --port "$work/hangup" "$work/long2.epj"
[ $rc -eq 1 ] && [ "$out" = "Communication interruption!
The port hung up: the device at its other end was closed or removed." ] \
  || fail "hang-up: rc $rc, $out"

[ $failures -eq 0 ] && echo "all hostile-line checks passed"
exit $failures
