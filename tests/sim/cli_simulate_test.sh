#!/bin/sh
# rungsmith-cli simulate: the trace of a latch and a timer on the virtual clock,
# a run the engine stops with exit 1, wrong usage with exit 2.
cli="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

printf 'LD X000\nOR Y000\nANI X001\nOUT Y000\nLD Y000\nOUT T0 K3\nLD T0\nOUT Y001\nEND\n' \
    > "$dir/latch.il"
"$cli" import "$dir/latch.il" "$dir/latch.epj" || fail "import"

out=$("$cli" simulate "$dir/latch.epj" --for 600ms --scan-ms 50 --set X000=1@100ms \
    --set X000=0@150ms --set X001=1@500ms --watch Y000,T0,Y001) || fail "simulate exit $?"
[ "$out" = "time       device   value
0ms        Y000     0
0ms        T0       0
0ms        Y001     0
100ms      Y000     1
200ms      T0       1
300ms      T0       2
400ms      T0       3 on
400ms      Y001     1
500ms      Y000     0
500ms      T0       0
500ms      Y001     0" ] || fail "trace: $out"

# Without --watch the devices the program drives are watched; --scans counts.
out=$("$cli" simulate "$dir/latch.epj" --scans 2) || fail "default watch exit"
[ "$(echo "$out" | wc -l)" -eq 4 ] || fail "default watch: $out"

printf 'LD X000\nMPS\nMPS\nMPS\nMPS\nMPS\nMPS\nMPS\nMPS\nMPS\nMPS\nMPS\nMPS\nOUT Y000\nEND\n' \
    > "$dir/deep.il"
"$cli" import "$dir/deep.il" "$dir/deep.epj" || fail "import deep"
err=$("$cli" simulate "$dir/deep.epj" 2>&1 >/dev/null); [ $? -eq 1 ] || fail "overflow exit"
[ "$err" = "Simulation stopped at row 12 (MPS): the point stack already holds 11 levels (MPS overflow)" ] ||
    fail "overflow printed: $err"

"$cli" simulate >/dev/null 2>&1; [ $? -eq 2 ] || fail "no file"
"$cli" simulate "$dir/latch.epj" --scans 2 --for 1s >/dev/null 2>&1; [ $? -eq 2 ] || fail "both"
"$cli" simulate "$dir/latch.epj" --set X000 >/dev/null 2>&1; [ $? -eq 2 ] || fail "bad set"
"$cli" simulate "$dir/latch.epj" --watch Q1 >/dev/null 2>&1; [ $? -eq 2 ] || fail "bad watch"
for time in soon nan -1s 5h; do
    "$cli" simulate "$dir/latch.epj" --for "$time" >/dev/null 2>&1; [ $? -eq 2 ] || fail "time $time"
done
# Counts and times are bounded by the scans of one run, and the message says
# the bound; the longest run allowed ends (about 1 s, half a minute under the
# sanitizers, so the guard is generous).
for args in "--scans 99999999999999999999" "--scans 1000001" "--scans -5" "--for 1e12" \
    "--for 10000000ms" "--for 1000s --scan-ms 1"; do
    # shellcheck disable=SC2086
    err=$(timeout 10 "$cli" simulate "$dir/latch.epj" $args 2>&1 >/dev/null); rc=$?
    [ $rc -eq 2 ] && echo "$err" | head -1 | grep -q "1000000" || fail "bound $args: rc $rc, $err"
done
out=$(timeout 600 "$cli" simulate "$dir/latch.epj" --for 9999990ms --watch Y000) ||
    fail "longest --for"
[ "$out" = "time       device   value
0ms        Y000     0" ] || fail "longest --for: $out"
echo "cli simulate: all passed"
