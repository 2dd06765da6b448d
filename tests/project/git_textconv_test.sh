#!/usr/bin/env bash
# Version control of projects, as the README sets it up: in a scratch
# repository with the attribute "*.epj diff=epj" and rungsmith-cli export as
# the text conversion, git diff of a saved project shows instruction list
# rows; rungsmith-cli diff shows the same change with step numbers and tells
# equal from different by its exit status.
#   git_textconv_test.sh RUNGSMITH_CLI
set -euo pipefail
cli="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$scratch"
export GIT_CONFIG_NOSYSTEM=1 HOME="$scratch"
git init -q repo
cd repo
git config user.email test@localhost
git config user.name test
echo '*.epj diff=epj' >.gitattributes
git config diff.epj.textconv "$cli export"

printf 'LD X0\nOR Y0\nANI X1\nOUT Y0\n' >plant.il
"$cli" import plant.il plant.epj
cp plant.epj before.epj
git add .gitattributes plant.epj
git commit -qm first
printf 'LD X0\nOR Y0\nANI X1\nANI X2\nOUT Y0\nOUT T0 K50\n' >plant.il
"$cli" import plant.il plant.epj

changes="$(git diff --no-color -U0 plant.epj | grep -e '^[-+][^-+]' || true)"
[ "$changes" = $'+ANI X002\n+OUT T0 K50' ] || fail "git diff showed: $changes"
git diff --no-color plant.epj | grep -q '^ LD X000$' || fail "git diff shows no context rows"
git diff --no-color plant.epj | grep -q '^Binary files' && fail "git diff calls the project binary"

status=0
out="$("$cli" diff before.epj plant.epj)" || status=$?
[ "$status" = 1 ] || fail "diff of different lists ended with $status"
[ "$out" = $'+ 3 ANI X002\n+ 5 OUT T0 K50' ] || fail "rungsmith-cli diff showed: $out"
[ -z "$("$cli" diff plant.epj plant.epj)" ] || fail "diff of equal lists printed rows"
status=0
"$cli" diff plant.epj missing.epj >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "diff with a missing file ended with $status"
"$cli" import --mode 1 plant.il mode1.epj
[ "$("$cli" diff plant.epj mode1.epj)" = $'- mode2\n+ mode1' ] || fail "a changed mode is not shown"
echo "git diff and rungsmith-cli diff show the changed rows"
