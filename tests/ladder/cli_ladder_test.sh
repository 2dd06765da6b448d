#!/bin/bash
# rungsmith-cli ladder and roundtrip on projects made with import: the drawn
# ladder, the cell table, the list given back, and a list no ladder gives.
set -u
cli=$1
dir=$2/cli-ladder
mkdir -p "$dir"
fail() { echo "FAILED: $*"; exit 1; }

cat > "$dir/latch.il" <<'IL'
P0:
LD X000
OR Y000
ANI X001
MPS
AND X002
OUT Y000
MPP
LD X003
OR X004
ANB
MOV K10 D0
LD X005
OUT T0 K10
END
IL
"$cli" import "$dir/latch.il" "$dir/latch.epj" || fail "import"

"$cli" roundtrip "$dir/latch.epj" > "$dir/back.il" || fail "roundtrip exit $?"
diff "$dir/latch.il" "$dir/back.il" || fail "roundtrip changed the list"

"$cli" ladder "$dir/latch.epj" > "$dir/ladder.txt" || fail "ladder exit $?"
grep -q '\[MOV K10 D0\]' "$dir/ladder.txt" || fail "box not drawn"
grep -q '^P0 ' "$dir/ladder.txt" || fail "label not drawn"
grep -q '\[ END    \]' "$dir/ladder.txt" || fail "END row not drawn"
[ "$(grep -c '(   )' "$dir/ladder.txt")" = 2 ] || fail "two coils expected"

"$cli" ladder "$dir/latch.epj" --cells > "$dir/cells.txt" || fail "ladder --cells exit $?"
grep -qx '0 1 1 0x01B X000' "$dir/cells.txt" || fail "first contact cell"
grep -qx '1 10 6 0x007 MOV K10 D0' "$dir/cells.txt" || fail "box cell"
grep -qx '3 10 5 0x007 T0 K10' "$dir/cells.txt" || fail "timer coil cell"
"$cli" convert "$dir/cells.txt" > "$dir/converted.il" || fail "convert of the cell table"
diff "$dir/latch.il" "$dir/converted.il" || fail "cell table converts to another list"

printf 'LD X000\nANB\nOUT Y000\nEND\n' > "$dir/bad.il"
"$cli" import "$dir/bad.il" "$dir/bad.epj" || fail "import of the bad list"
"$cli" ladder "$dir/bad.epj" > /dev/null 2> "$dir/bad.err"
[ $? = 1 ] || fail "a list no ladder gives is not refused"
grep -qx 'There is a ladder which cannot be converted. Correct the ladder at the cursor position.' \
    "$dir/bad.err" || fail "refusal message"
"$cli" roundtrip "$dir/bad.epj" > /dev/null 2>&1 && fail "roundtrip of the bad list succeeded"

"$cli" ladder > /dev/null 2>&1
[ $? = 2 ] || fail "usage error expected"
echo "cli ladder: 1 passed, 0 failed"
