#!/bin/sh
# rungsmith-cli test: a scenario that holds (exit 0), one that fails (exit 1,
# the first failing time and value), malformed scenarios (exit 2, file:line);
# simulate --until stops at the scan where the condition holds, --vcd writes
# the traced run; X8 is refused on the command line.
cli="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

printf 'LD X000\nOR Y000\nANI X001\nOUT Y000\nLD Y000\nOUT T0 K10\nLD T0\nOUT Y001\nEND\n' \
    > "$dir/latch.il"
"$cli" import "$dir/latch.il" "$dir/latch.epj" || fail "import"

cat > "$dir/pass.txt" <<'END'
# start, then the timer closes a second later
project latch.epj
scan 10ms
at 100ms set X000 = 1
at 150ms set X000 = 0
within 0..1090ms never Y001 = 1
at 1100ms Y001 = 1
at 1100ms T0 on
END
out=$(cd / && "$cli" test "$dir/pass.txt") || fail "pass exit $?: $out"
[ "$out" = "ok   line 6: within 0..1090ms never Y001 = 1
ok   line 7: at 1100ms Y001 = 1
ok   line 8: at 1100ms T0 on
3 expectations, all hold" ] || fail "pass: $out"

cat > "$dir/fail.txt" <<'END'
project latch.epj
at 100ms set X000 = 1
at 500ms Y001 = 1
at 2s set X001 = 1
within 2s..3s always Y000 = 1
END
out=$("$cli" test "$dir/fail.txt"); [ $? -eq 1 ] || fail "fail exit"
[ "$out" = "FAIL line 3: at 500ms Y001 = 1: at 500ms Y001 = 0
FAIL line 5: within 2s..3s always Y000 = 1: at 2000ms Y000 = 0
2 expectations, 2 fail; first at 500ms (line 3): Y001 = 0" ] || fail "fail: $out"

printf 'project latch.epj\nat 1s Y000 = 1\nat 2s set X8 = 1\n' > "$dir/bad.txt"
err=$("$cli" test "$dir/bad.txt" 2>&1 >/dev/null); [ $? -eq 2 ] || fail "malformed exit"
case "$err" in "$dir/bad.txt:3: X008: X and Y numbers are octal"*) ;; *) fail "malformed: $err" ;; esac
printf 'project missing.epj\nat 1s Y000 = 1\n' > "$dir/missing.txt"
"$cli" test "$dir/missing.txt" >/dev/null 2>&1; [ $? -eq 2 ] || fail "missing project"
"$cli" test "$dir/none.txt" >/dev/null 2>&1; [ $? -eq 2 ] || fail "missing scenario"
"$cli" test >/dev/null 2>&1; [ $? -eq 2 ] || fail "no scenario"

out=$("$cli" simulate "$dir/latch.epj" --for 5s --set X000=1@0ms --watch T0 --until "T0 >= 3" \
    2>"$dir/until.err") || fail "until exit"
[ "$(echo "$out" | tail -1)" = "300ms      T0       3" ] || fail "until: $out"
[ "$(cat "$dir/until.err")" = "T0 >= 3 held at 300ms" ] || fail "until said: $(cat "$dir/until.err")"
"$cli" simulate "$dir/latch.epj" --until "T0 >> 3" >/dev/null 2>&1; [ $? -eq 2 ] || fail "bad until"
"$cli" simulate "$dir/latch.epj" --set X8=1 >/dev/null 2>&1; [ $? -eq 2 ] || fail "X8 set"
"$cli" simulate "$dir/latch.epj" --watch Y9 >/dev/null 2>&1; [ $? -eq 2 ] || fail "Y9 watch"

"$cli" simulate "$dir/latch.epj" --for 300ms --scan-ms 100 --set X000=1@100ms --watch Y000,T0 \
    --vcd "$dir/run.vcd" >/dev/null || fail "vcd exit"
[ "$(cat "$dir/run.vcd")" = '$version rungsmith-cli simulate $end
$timescale 1ms $end
$scope module plc $end
$var wire 1 ! Y000 $end
$var reg 16 " T0 $end
$var wire 1 # T0_on $end
$upscope $end
$enddefinitions $end
#0
$dumpvars
0!
b0 "
0#
$end
#100
1!
#200
b1 "
#300
b10 "' ] || fail "vcd: $(cat "$dir/run.vcd")"
"$cli" simulate "$dir/latch.epj" --vcd "$dir/no/such/dir.vcd" >/dev/null 2>&1
[ $? -eq 1 ] || fail "unwritable vcd"
echo "cli test and vcd: all passed"
