#!/bin/bash
# rungsmith-cli ladder --pdf / --png: the printed pages of a ladder without a
# window. A4 pages hold 16 ladder rows (cells of 100 on a 1200-wide page).
set -u
cli=$1
dir=$2/cli-pages
rm -rf "$dir"
mkdir -p "$dir"
fail() { echo "FAILED: $*"; exit 1; }

# pdf_pages FILE: the number of page objects of a PDF.
pdf_pages() { grep -a -c '/Type /Page$' "$1"; }
# png_size FILE: "WIDTH HEIGHT" from the PNG header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'; }

# rungs N: a list of N one-contact rungs (one ladder row each).
rungs() { for i in $(seq 0 $(($1 - 1))); do printf 'LD M%d\nOUT Y%03o\n' "$i" $((i % 8)); done; }

# N rungs and the END row: ceil((N + 1) / 16) pages.
for case in "1 1" "15 1" "16 2" "31 2" "32 3" "100 7"; do
    set -- $case
    rungs "$1" > "$dir/p$1.il"
    "$cli" import "$dir/p$1.il" "$dir/p$1.epj" > /dev/null || fail "import $1"
    "$cli" ladder "$dir/p$1.epj" --pdf "$dir/p$1.pdf" > "$dir/p$1.out" || fail "pdf exit $? for $1 rungs"
    [ "$(pdf_pages "$dir/p$1.pdf")" = "$2" ] || fail "$1 rungs: $(pdf_pages "$dir/p$1.pdf") pages, $2 expected"
    head -c 5 "$dir/p$1.pdf" | grep -q '%PDF-' || fail "not a PDF"
done

# PNG: one file per page, A4 at 150 dots per inch.
"$cli" ladder "$dir/p31.epj" --png "$dir/page.png" > "$dir/png.out" || fail "png exit $?"
[ "$(cat "$dir/png.out" | wc -l)" = 2 ] || fail "two files expected: $(cat "$dir/png.out")"
[ -f "$dir/page-2.png" ] || fail "second page file"
[ "$(png_size "$dir/page.png")" = "1240 1754" ] || fail "png size $(png_size "$dir/page.png")"
[ "$(png_size "$dir/page-2.png")" = "1240 1754" ] || fail "second png size"

# Both at once, and the refusals.
"$cli" ladder "$dir/p1.epj" --pdf "$dir/both.pdf" --png "$dir/both.png" > /dev/null || fail "both"
[ -f "$dir/both.pdf" ] && [ -f "$dir/both.png" ] || fail "both files"
"$cli" ladder "$dir/p1.epj" --pdf 2> /dev/null
[ $? = 2 ] || fail "--pdf without a file is a usage error"
"$cli" ladder "$dir/p1.epj" --pdf "$dir/no/such/dir/x.pdf" > /dev/null 2>&1
[ $? = 1 ] || fail "an unwritable file is refused"

# A named project prints its names and ends with a device list page; the
# names leave the project file as it was.
cp "$dir/p1.epj" "$dir/named.epj"
printf 'M0,Start flag\nY000,Motor K1\n' > "$dir/names.csv"
"$cli" comments import "$dir/named.epj" "$dir/names.csv" > /dev/null || fail "comments import"
cmp -s "$dir/p1.epj" "$dir/named.epj" || fail "the names changed the project file"
"$cli" ladder "$dir/named.epj" --pdf "$dir/named.pdf" > /dev/null || fail "named pdf"
[ "$(pdf_pages "$dir/named.pdf")" = 2 ] || fail "named: $(pdf_pages "$dir/named.pdf") pages, 2 expected"
echo "cli pages OK"
