#!/usr/bin/env bash
# Every example does what its README says: the README's simulate line, run in
# the example's folder, prints the README's table; and the project is what
# importing the example's instruction list text makes.
#   check_examples.sh RUNGSMITH_CLI EXAMPLES_DIR
set -euo pipefail
cli="$1" examples="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
count=0
for readme in "$examples"/*/README.md; do
  dir="$(dirname "$readme")"
  name="$(basename "$dir")"
  il="$(ls "$dir"/*.il)"
  epj="${il%.il}.epj"
  "$cli" import "$il" "$scratch/$name.epj" || fail "$name: import of $(basename "$il")"
  cmp -s "$epj" "$scratch/$name.epj" || fail "$name: $(basename "$epj") is not what import makes"
  # The command of the sh block and the table of the text block.
  command="$(awk '/^```sh$/ {on=1; next} /^```/ {on=0} on && /^rungsmith-cli simulate / {print; exit}' "$readme")"
  [ -n "$command" ] || fail "$name: no simulate line in README.md"
  awk '/^```text$/ {on=1; next} /^```/ {on=0} on' "$readme" >"$scratch/$name.expected"
  [ -s "$scratch/$name.expected" ] || fail "$name: no output table in README.md"
  read -ra words <<<"${command#rungsmith-cli }"
  (cd "$dir" && "$cli" "${words[@]}") >"$scratch/$name.out" || fail "$name: $command"
  diff -u "$scratch/$name.expected" "$scratch/$name.out" || fail "$name: the output differs"
  count=$((count + 1))
done
[ "$count" = 5 ] || fail "$count examples, not 5"
echo "$count examples run as their READMEs say"
