#!/usr/bin/env bash
# End to end over pseudo-terminals: rungsmith-cli download into rungsmith-plcsim
# in both modes (the stand-in's memory must equal rungsmith-cli encode), with
# injected drops and corruption, a controller that falls silent, a port that
# cannot be opened, and an upload that reads the program back; then a relay
# that delays and drops, an echoing line, a port that vanishes, Ctrl-C, and
# an upload that finds the controller's mode.
set -uo pipefail
bin="$1"
cli="$bin/rungsmith-cli"
sim="$bin/rungsmith-plcsim"
relay="$bin/rungsmith-line-relay"
work="$(mktemp -d)"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cat > "$work/p.il" <<'IL'
LD X000
OR Y001
ANI X017
OUT Y001
LDP X001
SET M8000
LD M10
OUT T0 K50
LD T0
OUT C1 K5000
MOV K4660 D10
ADD D10 K1 D11
CMP D11 K100 M20
ZCP K10 D0 K20 Y000
BMOV D0 D10 K3
INC D0
END
IL
"$cli" import --mode 1 "$work/p.il" "$work/p1.epj" || fail "import mode 1"
"$cli" import --mode 2 "$work/p.il" "$work/p2.epj" || fail "import mode 2"

# start_sim NAME ARGS...: a stand-in linked at $work/NAME, memory in $work/NAME.mem
start_sim() {
  local name="$1"; shift
  "$sim" --link "$work/$name" --memory "$work/$name.mem" "$@" > /dev/null 2> "$work/$name.log" &
  pids+=($!)
  for _ in $(seq 50); do [ -e "$work/$name" ] && [ -e "$work/$name.mem" ] && return; sleep 0.05; done
  fail "simulator $name did not start"
}
# memory NAME: the stand-in's program memory once it has been written
memory() { cat "$work/$1.mem"; }
# cli ARGS...: runs rungsmith-cli; sets rc, out (its messages: standard output,
# then standard error without the progress lines) and progress.
cli() {
  "$cli" "$@" > "$work/stdout" 2> "$work/stderr"; rc=$?
  progress="$(grep -E '^(download|upload|verify) ' "$work/stderr")"
  out="$(cat "$work/stdout"; grep -vE '^(download|upload|verify) ' "$work/stderr")"
}

# 1. Clean downloads in both modes.
for mode in 1 2; do
  start_sim "clean$mode" --mode "$mode"
  cli download --port "$work/clean$mode" "$work/p$mode.epj"
  [ $rc -eq 0 ] && [ "$out" = "Download Succeed !" ] || fail "mode $mode download: rc $rc, $out"
  # Off a terminal: a line at each tenth of the way at most, the last at 100%.
  [ "$(echo "$progress" | wc -l)" -le 11 ] && echo "$progress" | tail -1 | grep -q ' 100% ' \
    || fail "mode $mode progress: $progress"
  diff <("$cli" encode "$work/p$mode.epj") <(memory "clean$mode") > /dev/null \
    || fail "mode $mode memory differs from encode"
done

# 2. Drops and corruption: success with the whole program, or the right message.
for mode in 1 2; do
  for seed in 1 2; do
    name="noisy$mode$seed"
    start_sim "$name" --mode "$mode" --fault drop=0.08,corrupt=0.08 --seed "$seed"
    cli download --port "$work/$name" "$work/p$mode.epj"
    case "$out" in
      "Download Succeed !")
        [ $rc -eq 0 ] || fail "$name: success with rc $rc"
        diff <("$cli" encode "$work/p$mode.epj") <(memory "$name") > /dev/null \
          || fail "$name: memory differs from encode" ;;
      "Packet Receive Packet Error!"|"Communication interruption!"|"Communication connection timeout!")
        [ $rc -eq 1 ] || fail "$name: failure with rc $rc" ;;
      *) fail "$name: unexpected end: $out" ;;
    esac
  done
done

# 3. A controller that stops answering, and one that never answers.
start_sim silent --mode 2 --fault silent-after=4
cli download --port "$work/silent" "$work/p2.epj"
[ $rc -eq 1 ] && [ "$out" = "Communication interruption!" ] || fail "silent: rc $rc, $out"

# 4. A port that cannot be opened: the message and the system's reason, nothing sent.
cli download --port "$work/no-such-port" "$work/p1.epj"
[ $rc -eq 1 ] && [ "$(echo "$out" | head -1)" = "cannot open serial port" ] \
  && [ "$(echo "$out" | wc -l)" -eq 2 ] && [ -n "$(echo "$out" | sed -n 2p)" ] \
  || fail "no port: rc $rc, $out"

# 5. Upload reads the mode-1 program back (decoded with the upload's device map).
"$cli" upload --mode 1 --port "$work/clean1" "$work/up.epj" || fail "upload"
expected="LD S0
OR S33
ANI S15
OUT S33
LDP S1
SET Y80
LD S74
OUT Y48 K50
LD Y48
OUT Y65 K5000
MOV K4660 D10
ADD D10 K1 D11
CMP D11 K100 S84
ZCP K10 D0 K20 S32
BMOV D0 D10 K3
INC D0
END"
got="$("$cli" export "$work/up.epj")"
[ "$got" = "$expected" ] || { fail "upload text"; diff <(echo "$expected") <(echo "$got"); }

# 6. A relay that holds the third echo back 450 ms (the retry timer sends that
#    word again) and loses the sixth request: the stale echo must not answer
#    the next word, and the lost one is sent again; nothing is missing.
start_sim relayed --mode 1
"$relay" --link "$work/relay" --to "$work/relayed" --delay 3:450 --drop 6 --seconds 30 &
pids+=($!)
for _ in $(seq 50); do [ -e "$work/relay" ] && break; sleep 0.05; done
cli download --port "$work/relay" "$work/p1.epj"
[ $rc -eq 0 ] && [ "$out" = "Download Succeed !" ] || fail "relay: rc $rc, $out"
diff <("$cli" encode "$work/p1.epj") <(memory relayed) > /dev/null || fail "relay: memory differs"
kill "${pids[-1]}"  # the stand-in's line is free for the next relay

# 7. An upload on a line that echoes every byte ends with the retry message.
"$relay" --link "$work/echo" --echo --seconds 30 &
pids+=($!)
for _ in $(seq 50); do [ -e "$work/echo" ] && break; sleep 0.05; done
cli upload --mode 1 --port "$work/echo" "$work/echo.epj"
[ $rc -eq 1 ] && [ "$out" = "Communication Retry Time out,please check your device" ] \
  && [ ! -e "$work/echo.epj" ] || fail "echo line: rc $rc, $out"

# 8. The controller's port vanishes during a download: the transfer ends at
#    once with the message and the system's reason.
for _ in $(seq 12); do cat "$work/p.il" | grep -v END; done > "$work/long.il"
echo END >> "$work/long.il"
"$cli" import --mode 1 "$work/long.il" "$work/long1.epj" || fail "import long"
"$cli" import --mode 2 "$work/long.il" "$work/long2.epj" || fail "import long"
start_sim vanishing --mode 1 --baud 9600
vanishing=${pids[-1]}
( sleep 1; kill "$vanishing" ) &
start=$(date +%s%N)
cli download --port "$work/vanishing" "$work/long1.epj"
took=$(( ($(date +%s%N) - start) / 1000000 ))
[ $rc -eq 1 ] && [ "$(echo "$out" | head -1)" = "Communication interruption!" ] \
  && [ -n "$(echo "$out" | sed -n 2p)" ] && [ $took -lt 2000 ] \
  || fail "vanished port: rc $rc after $took ms, $out"

# 9. Ctrl-C during a mode-2 download: exit 130 and the message, after E8.
start_sim stopped --mode 2 --baud 9600
"$cli" download --port "$work/stopped" "$work/long2.epj" > "$work/stdout" 2> "$work/stderr" &
pid=$!
sleep 0.5
kill -INT $pid
wait $pid; rc=$?
out="$(grep -vE '^download ' "$work/stderr")"
[ $rc -eq 130 ] && echo "$out" | grep -q "holds a partial program" \
  || fail "Ctrl-C: rc $rc, $out"

# 10. Upload without --mode: mode 2 first, mode 1 when the controller is silent.
cli upload --port "$work/clean2" "$work/up2.epj"
[ $rc -eq 0 ] && [ "$out" = "uploaded in mode 2" ] || fail "upload mode 2: rc $rc, $out"
# The uploaded mode-2 list encodes to the code the controller holds, and is the list sent.
diff <("$cli" encode --mode 2 "$work/up2.epj") <(memory clean2) > /dev/null \
  || fail "mode 2 upload does not encode to the controller's code"
[ "$("$cli" export "$work/up2.epj")" = "$("$cli" export "$work/p2.epj")" ] \
  || fail "mode 2 upload text"
cli upload --port "$work/clean1" "$work/up1.epj"
[ $rc -eq 0 ] && [ "$out" = "no answer in mode 2, trying mode 1
uploaded in mode 1" ] || fail "upload mode 1: rc $rc, $out"
[ "$("$cli" export "$work/up1.epj")" = "$expected" ] || fail "upload mode 1 text"

# 11. An upload through a relay that holds the third reply back 450 ms: the
#     read asked for again answers once; the second answer is not taken for
#     the next word's.
"$relay" --link "$work/relay2" --to "$work/relayed" --delay 3:450 --seconds 30 &
pids+=($!)
for _ in $(seq 50); do [ -e "$work/relay2" ] && break; sleep 0.05; done
cli upload --mode 1 --port "$work/relay2" "$work/relayed.epj"
[ $rc -eq 0 ] && [ "$("$cli" export "$work/relayed.epj")" = "$expected" ] \
  || fail "upload through the relay: rc $rc, $out"

# 12. Verify: the controllers hold what was downloaded; a project changed in
#     one contact lists that step with what the controller holds there.
for mode in 1 2; do
  cli verify --port "$work/clean$mode" "$work/p$mode.epj"
  [ $rc -eq 0 ] && [ "$out" = "The controller holds this program." ] \
    || fail "verify mode $mode: rc $rc, $out"
  sed 's/^ANI X017$/ANI X016/' "$work/p.il" > "$work/changed.il"
  "$cli" import --mode "$mode" "$work/changed.il" "$work/changed$mode.epj" || fail "import changed"
  cli verify --port "$work/clean$mode" "$work/changed$mode.epj"
  [ $rc -eq 1 ] && echo "$out" | head -1 | grep -q "1 step(s) differ" \
    && echo "$out" | grep -q "^step 2: the project has ANI X016, the controller holds " \
    || fail "verify changed mode $mode: rc $rc, $out"
done
echo "$out" | grep -q "the controller holds ANI X017$" || fail "verify names the held row: $out"

# 13. The stand-in's --memory file is read back at start: a restart with it
#     holds the program downloaded before. A download is reported once, not
#     word by word.
start_sim kept --mode 2
cli download --port "$work/kept" "$work/long2.epj"
[ $rc -eq 0 ] || fail "kept download: rc $rc, $out"
kill "${pids[-1]}"; wait "${pids[-1]}" 2>/dev/null
[ "$(grep -c 'program not run' "$work/kept.log")" -le 1 ] && grep -q "running" "$work/kept.log" \
  || fail "kept report: $(head -5 "$work/kept.log")"
start_sim kept --mode 2
cli verify --port "$work/kept" "$work/long2.epj"
[ $rc -eq 0 ] && [ "$out" = "The controller holds this program." ] \
  || fail "kept after a restart: rc $rc, $out"

[ $failures -eq 0 ] && echo "all serial end-to-end checks passed"
exit $failures
