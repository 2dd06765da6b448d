#!/usr/bin/env bash
# End to end through rungsmith-line-relay between rungsmith-cli and
# rungsmith-plcsim on pseudo-terminals, against a hostile controller: an
# endless stream of ACK bytes, a status reply to every frame, a block lost and
# answered by a status reply, and every answer 350 to 550 ms late (uploads in
# both modes, a mode-2 download). The slow cases run side by side.
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

# Two blocks of mode-2 code (block 1 must exist), few words in mode 1.
for _ in $(seq 12); do printf 'LD X000\nOUT T0 K50\nMOV K4660 D10\n'; done > "$work/long.il"
echo END >> "$work/long.il"
"$cli" import --mode 2 "$work/long.il" "$work/long2.epj" || fail "import long"
[ "$("$cli" encode "$work/long2.epj" | wc -l)" -gt 32 ] || fail "the long program fills one block"
printf 'LD X000\nOUT Y001\nEND\n' > "$work/short.il"
for mode in 1 2; do
  "$cli" import --mode $mode "$work/short.il" "$work/short$mode.epj" || fail "import short $mode"
  "$cli" encode "$work/short$mode.epj" > "$work/short$mode.words"
done

# start_sim NAME ARGS...: a stand-in linked at $work/NAME.plc, memory in $work/NAME.mem
start_sim() {
  local name="$1"; shift
  "$sim" --link "$work/$name.plc" --memory "$work/$name.mem" "$@" > /dev/null 2> "$work/$name.log" &
  pids+=($!)
  for _ in $(seq 50); do [ -e "$work/$name.plc" ] && [ -e "$work/$name.mem" ] && return; sleep 0.05; done
  fail "simulator $name did not start"
}
# start_relay NAME ARGS...: a relay linked at $work/NAME, to the stand-in NAME.plc
start_relay() {
  local name="$1"; shift
  "$relay" --link "$work/$name" --to "$work/$name.plc" --seconds 60 "$@" &
  pids+=($!)
  for _ in $(seq 50); do [ -e "$work/$name" ] && return; sleep 0.05; done
  fail "relay $name did not start"
}
# run NAME ARGS...: rungsmith-cli in the background; $work/NAME.{rc,out,ms} when done
run() {
  local name="$1"; shift
  (
    start=$(date +%s%N)
    "$cli" "$@" > "$work/$name.stdout" 2> "$work/$name.stderr"
    echo $? > "$work/$name.rc"
    echo $(( ($(date +%s%N) - start) / 1000000 )) > "$work/$name.ms"
    { cat "$work/$name.stdout"; grep -vE '^(download|upload|verify) ' "$work/$name.stderr"; } \
      > "$work/$name.out"
  ) &
  jobs_started+=($!)
}
jobs_started=()
rc_of() { cat "$work/$1.rc"; }
out_of() { cat "$work/$1.out"; }
ms_of() { cat "$work/$1.ms"; }

# 1. An endless stream of ACK bytes, and a status reply to every frame: each
#    reply that answers nothing counts, the download ends at the limit at once.
start_sim flood --mode 2
start_relay flood --ack-flood
run flood download --port "$work/flood" "$work/long2.epj"
"$relay" --link "$work/status" --answer-status --seconds 60 &
pids+=($!)
for _ in $(seq 50); do [ -e "$work/status" ] && break; sleep 0.05; done
run status download --port "$work/status" "$work/long2.epj"

# 2. Block 1 lost and answered by a status reply: it goes out again, and the
#    controller holds the whole program (the read-back says so too).
start_sim block --mode 2
start_relay block --status-for 5
run block download --port "$work/block" "$work/long2.epj"

# 3. Every answer 350 to 550 ms late. An upload saves the program read, or
#    nothing with a message; a download succeeds only with the whole program.
for mode in 1 2; do
  start_sim "late$mode" --mode $mode --load "$work/short$mode.words"
  start_relay "late$mode" --late 350:550 --seed $mode
  run "late$mode" upload --mode $mode --port "$work/late$mode" "$work/late$mode.epj"
done
for mode in 1 2; do
  start_sim "latedl$mode" --mode $mode
  start_relay "latedl$mode" --late 350:550 --seed $((mode + 6))
  run "latedl$mode" download --port "$work/latedl$mode" "$work/short$mode.epj"
done

wait "${jobs_started[@]}"

for name in flood status; do
  [ "$(rc_of $name)" = 1 ] && [ "$(out_of $name)" = "Packet Receive Packet Error!" ] \
    && [ "$(ms_of $name)" -lt 3000 ] \
    || fail "$name: rc $(rc_of $name) after $(ms_of $name) ms, $(out_of $name)"
done

[ "$(rc_of block)" = 0 ] && [ "$(out_of block)" = "Download Succeed !" ] \
  || fail "block 1 answered by a status reply: rc $(rc_of block), $(out_of block)"
diff <("$cli" encode "$work/long2.epj") "$work/block.mem" > /dev/null \
  || fail "block 1 answered by a status reply: memory differs"

# What an upload of the short program brings: mode 1 names its devices by the
# upload's own device map, mode 2 gives the list back as it was.
uploaded=([1]="LD S0
OUT S33
END" [2]="$("$cli" export "$work/short2.epj")")
for mode in 1 2; do
  name="late$mode"
  case "$(out_of $name)" in
    "uploaded in mode $mode")
      [ "$(rc_of $name)" = 0 ] && [ "$("$cli" export "$work/$name.epj")" = "${uploaded[$mode]}" ] \
        || fail "$name: rc $(rc_of $name), the upload is not the controller's program" ;;
    "The controller's answers differed when the program was read a second time; nothing was uploaded." \
    | "Communication Retry Time out,please check your device")
      [ "$(rc_of $name)" = 1 ] && [ ! -e "$work/$name.epj" ] \
        || fail "$name: a refused upload left rc $(rc_of $name) or a file" ;;
    *) fail "$name: rc $(rc_of $name), $(out_of $name)" ;;
  esac
  [ "$(ms_of $name)" -lt 30000 ] || fail "$name: the upload took $(ms_of $name) ms"
done
echo "late uploads: $(out_of late1 | tail -1) / $(out_of late2 | tail -1)"

# A mode-2 controller this late never confirms the finish frame within the
# retry gap: each retry sends E8 again, whose ACK asks for a new finish frame,
# until the retry limit. A failure, never a success without the program.
for mode in 1 2; do
  name="latedl$mode"
  case "$(out_of $name)" in
    "Download Succeed !")
      [ "$(rc_of $name)" = 0 ] && diff "$work/short$mode.words" "$work/$name.mem" > /dev/null \
        || fail "$name: success without the program" ;;
    "The controller does not hold the program that was sent." \
    | "Packet Receive Packet Error!" | "Communication interruption!" \
    | "Communication Retry Time out,please check your device")
      [ "$(rc_of $name)" = 1 ] || fail "$name: a failure with rc $(rc_of $name)" ;;
    *) fail "$name: rc $(rc_of $name), $(out_of $name)" ;;
  esac
done
echo "late downloads: $(out_of latedl1 | head -1) / $(out_of latedl2 | head -1)"

[ $failures -eq 0 ] && echo "all relay checks passed"
exit $failures
