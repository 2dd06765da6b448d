#!/usr/bin/env bash
# End to end over pseudo-terminals: a latch with a timer downloaded into
# rungsmith-plcsim, then rungsmith-cli monitor prints the table of simulate
# from the running stand-in; a controller that falls silent, a port that
# vanishes while monitored, and wrong usage.
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

cat > "$work/latch.il" <<'IL'
LD X000
OR Y000
ANI X001
OUT Y000
LD Y000
OUT T0 K30
END
IL
"$cli" import --mode 2 "$work/latch.il" "$work/latch.epj" || fail "import"

start_sim() {
  local name="$1"; shift
  "$sim" --link "$work/$name" "$@" > /dev/null 2> "$work/$name.log" &
  pids+=($!)
  for _ in $(seq 50); do [ -e "$work/$name" ] && return; sleep 0.05; done
  fail "simulator $name did not start"
}

# 1. The latch: X000 on from the start, so Y000 holds and T0 counts to 30
#    while the stand-in runs its program under the monitor.
start_sim plc --mode 2 --set X000=1
"$cli" download --no-verify --port "$work/plc" "$work/latch.epj" > /dev/null 2>&1 \
  || fail "download"
"$cli" monitor --port "$work/plc" --watch Y000,T0,X001 --for 4s "$work/latch.epj" \
  > "$work/table" 2> "$work/err"; rc=$?
[ $rc -eq 0 ] || fail "monitor: rc $rc, $(cat "$work/err")"
[ "$(head -1 "$work/table")" = "time       device   value" ] || fail "header: $(head -1 "$work/table")"
awk 'NR == 2 && $2 == "Y000" && $3 == "1"' "$work/table" | grep -q . || fail "Y000 first: $(cat "$work/table")"
awk 'NR == 4 && $2 == "X001" && $3 == "0"' "$work/table" | grep -q . || fail "X001 first: $(cat "$work/table")"
# The timer counts while it is watched: several values, the last its set value with its contact.
[ "$(grep -c ' T0 ' "$work/table")" -ge 4 ] || fail "T0 did not count: $(cat "$work/table")"
[ "$(grep ' T0 ' "$work/table" | tail -1 | awk '{print $3, $4}')" = "30 on" ] \
  || fail "T0 end: $(cat "$work/table")"
# Times rise, in milliseconds of the real clock.
awk 'NR > 1 { t = $1 + 0; if (t < last) bad = 1; last = t } END { exit bad }' "$work/table" \
  || fail "times: $(cat "$work/table")"

# Without --watch: the devices the program drives.
"$cli" monitor --port "$work/plc" --for 300ms "$work/latch.epj" > "$work/table" 2> "$work/err" \
  || fail "monitor without --watch: $(cat "$work/err")"
[ "$(sed -n '2,3p' "$work/table" | awk '{print $2}' | tr '\n' ' ')" = "Y000 T0 " ] \
  || fail "driven devices: $(cat "$work/table")"

# 2. A controller that stops answering: one note, polling goes on, exit 1 without a refresh.
start_sim silent --mode 2 --fault silent-after=0
"$cli" monitor --port "$work/silent" --watch D0 --for 1s "$work/latch.epj" \
  > "$work/table" 2> "$work/err"; rc=$?
[ $rc -eq 1 ] || fail "silent: rc $rc"
[ "$(cat "$work/err")" = "No answer from the controller" ] || fail "silent note: $(cat "$work/err")"
[ "$(cat "$work/table")" = "time       device   value" ] || fail "silent table: $(cat "$work/table")"

# 3. The port vanishes while monitored.
start_sim vanish --mode 2
vanish_pid=${pids[-1]}
"$cli" monitor --port "$work/vanish" --watch M0 --for 10s "$work/latch.epj" \
  > "$work/table" 2> "$work/err" &
monitor_pid=$!
sleep 0.5
kill "$vanish_pid"
wait "$monitor_pid"; rc=$?
[ $rc -eq 1 ] || fail "vanish: rc $rc"
[ "$(head -1 "$work/err")" = "Communication interruption!" ] || fail "vanish: $(cat "$work/err")"

# 4. Wrong usage and a port that does not open.
"$cli" monitor --watch D0 "$work/latch.epj" 2> /dev/null; [ $? -eq 2 ] || fail "no --port"
"$cli" monitor --port "$work/plc" --watch V0 "$work/latch.epj" 2> /dev/null; [ $? -eq 2 ] || fail "V0"
"$cli" monitor --port "$work/plc" --for 0s "$work/latch.epj" 2> /dev/null; [ $? -eq 2 ] || fail "--for 0s"
"$cli" monitor --port "$work/none" --watch D0 --for 1s "$work/latch.epj" > /dev/null 2> "$work/err"
[ $? -eq 1 ] && [ "$(head -1 "$work/err")" = "cannot open serial port" ] || fail "no port: $(cat "$work/err")"

[ $failures -eq 0 ] && echo "monitor end to end: all passed"
exit $failures
