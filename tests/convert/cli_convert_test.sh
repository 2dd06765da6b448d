#!/bin/sh
# rungsmith-cli convert: the list on standard output, or the report and the
# cell on standard error with exit 1; wrong usage exits 2.
cli="$1"
corpus="$2"
fail() { echo "FAIL: $*"; exit 1; }

out=$("$cli" convert "$corpus/label.cells") || fail "label.cells exit $?"
[ "$out" = "P0:
LD X000
OUT Y000
LDI X001
OUT Y001
END" ] || fail "label.cells printed: $out"

err=$("$cli" convert "$corpus/unconvertible_contact_only.cells" 2>&1 >/dev/null)
[ $? -eq 1 ] || fail "unconvertible exit"
[ "$err" = "There is a ladder which cannot be converted. Correct the ladder at the cursor position.
at 0 10" ] || fail "unconvertible printed: $err"

# A contact in parallel with a plain wire, after a rung: reported at it, never
# converted into a list of another meaning.
err=$("$cli" convert "$corpus/shorted_branch_after_rung.cells" 2>&1 >/dev/null)
[ $? -eq 1 ] || fail "shorted branch exit"
[ "$err" = "There is a ladder which cannot be converted. Correct the ladder at the cursor position.
at 3 2" ] || fail "shorted branch printed: $err"

out=$("$cli" convert --mode 1 "$corpus/mode1_prw.cells") || fail "mode 1 exit"
echo "$out" | grep -qx "PRW D0 D1" || fail "mode 1 printed: $out"
"$cli" convert --mode 2 "$corpus/mode1_prw.cells" >/dev/null 2>&1 && fail "PRW accepted in mode 2"

"$cli" convert >/dev/null 2>&1; [ $? -eq 2 ] || fail "missing file not a usage error"
"$cli" convert --mode 3 "$corpus/label.cells" >/dev/null 2>&1; [ $? -eq 2 ] || fail "--mode 3"
printf '0 1 99 0x003 X\n' > "${TMPDIR:-/tmp}/rs-bad.cells"
err=$("$cli" convert "${TMPDIR:-/tmp}/rs-bad.cells" 2>&1); [ $? -eq 1 ] || fail "bad table exit"
echo "$err" | grep -q ":1: kind must be 0 to 14" || fail "bad table printed: $err"
# -o saves the converted program; export reads back what was printed.
epj="${TMPDIR:-/tmp}/rs-convert-$$.epj"
rm -f "$epj"
printed=$("$cli" convert "$corpus/label.cells" -o "$epj") || fail "-o exit"
[ "$("$cli" export "$epj")" = "$printed" ] || fail "-o saved another program"
rm -f "$epj"
"$cli" convert "$corpus/unconvertible_contact_only.cells" -o "$epj" >/dev/null 2>&1
[ -e "$epj" ] && fail "an unconvertible ladder was saved"
"$cli" convert "$corpus/label.cells" -o >/dev/null 2>&1; [ $? -eq 2 ] || fail "-o without a name"
echo "1 passed, 0 failed"
