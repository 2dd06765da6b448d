#!/usr/bin/env bash
# Makes the Debian package from a built tree (cpack -G DEB), unpacks it into a
# scratch root with dpkg -x and checks the files it installs, what it declares,
# and that the installed command-line program runs from there and finds its
# device range file.
#   check_deb.sh BUILD_DIR VERSION RESOURCES_DIR
set -euo pipefail
build="$1" version="$2" resources="$3"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack -G DEB"; }
deb="$scratch/out/rungsmith_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no package $deb (made: $(ls "$scratch/out"))"

# What the package declares.
[ "$(dpkg-deb -f "$deb" Package)" = rungsmith ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version"
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6; do
  [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] ||
    fail "Depends lacks $lib: $depends"
done
[[ "$(dpkg-deb -f "$deb" Recommends)" == *fonts-noto-cjk* ]] || fail "Recommends a CJK font"

# What it installs.
root="$scratch/root"
dpkg -x "$deb" "$root"
for program in rungsmith rungsmith-cli rungsmith-plcsim; do
  [ -x "$root/usr/lib/rungsmith/$program" ] || fail "usr/lib/rungsmith/$program"
  [ "$(readlink "$root/usr/bin/$program")" = "../lib/rungsmith/$program" ] ||
    fail "usr/bin/$program is not a link to ../lib/rungsmith/$program"
  file -L "$root/usr/bin/$program" | grep -q "ELF.*stripped" || fail "$program not a program"
done
cmp -s "$resources/ParRange.txt" "$root/usr/lib/rungsmith/ParRange.txt" || fail "ParRange.txt"
cmp -s "$resources/help/Help-CN.html" "$root/usr/lib/rungsmith/Help/Help-CN.html" || fail "help page"
desktop="$root/usr/share/applications/rungsmith.desktop"
grep -qx "Exec=rungsmith --open %f" "$desktop" || fail "desktop entry"
grep -qx "MimeType=application/x-rungsmith-project;" "$desktop" || fail "desktop mime type"
grep -q 'glob pattern="\*.epj"' "$root/usr/share/mime/packages/rungsmith-epj.xml" || fail "mime type"
[ -f "$root/usr/share/icons/hicolor/48x48/apps/rungsmith.png" ] || fail "icon"
for program in rungsmith rungsmith-cli rungsmith-plcsim; do
  page="$root/usr/share/man/man1/$program.1.gz"
  [ -f "$page" ] || fail "manual page $program.1.gz"
  zcat "$page" | grep -q "^\.TH $(echo "$program" | tr a-z A-Z) 1" || fail "$program.1 is no manual page"
done
# The examples, where Help > "Examples" finds them from the installed program.
examples="$root/usr/share/doc/rungsmith/examples"
[ "$(ls "$examples"/*/*.epj | wc -l)" = 5 ] || fail "five example projects"
cmp -s "$resources/../examples/README.md" "$examples/README.md" || fail "examples README"
completion="$root/usr/share/bash-completion/completions/rungsmith-cli"
[ -f "$completion" ] || fail "bash completion"
[ "$(bash -c 'source "$1"; COMP_WORDS=(rungsmith-cli di); COMP_CWORD=1; _rungsmith_cli
  echo "${COMPREPLY[*]}"' _ "$completion")" = diff ] || fail "the completion does not complete diff"
unexpected="$(cd "$root" && find . -type f -o -type l | grep -v -e '^./usr/lib/rungsmith/' \
  -e '^./usr/bin/' -e '^./usr/share/applications/' -e '^./usr/share/mime/packages/' \
  -e '^./usr/share/icons/' -e '^./usr/share/man/man1/' \
  -e '^./usr/share/bash-completion/completions/' -e '^./usr/share/doc/rungsmith/examples/' || true)"
[ -z "$unexpected" ] || fail "unexpected files: $unexpected"

# The installed program runs through its link and checks devices against the
# range file beside it: X0 is completed and accepted, X999 refused.
printf 'LD X0\nOUT Y0\n' >"$scratch/ok.il"
"$root/usr/bin/rungsmith-cli" import "$scratch/ok.il" "$scratch/ok.epj" ||
  fail "installed rungsmith-cli import"
[ "$("$root/usr/bin/rungsmith-cli" export "$scratch/ok.epj")" = $'LD X000\nOUT Y000\nEND' ] ||
  fail "installed rungsmith-cli export"
printf 'LD X999\n' >"$scratch/bad.il"
if "$root/usr/bin/rungsmith-cli" import "$scratch/bad.il" "$scratch/bad.epj" 2>/dev/null; then
  fail "an out-of-range device was accepted"
fi
# The window starts from the installed tree and keeps running (no display
# needed), with settings kept in the scratch folder.
status=0
HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=offscreen \
  timeout 3 "$root/usr/bin/rungsmith" >/dev/null 2>&1 || status=$?
[ "$status" = 124 ] || fail "the installed rungsmith ended with status $status"
# Every installed program answers --help on standard output and --version
# with the package's version, with no display and no device to reach.
for program in rungsmith rungsmith-cli rungsmith-plcsim; do
  help="$(env -u DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$program" --help)" ||
    fail "$program --help ended with status $?"
  [[ "$help" == "$program $version: "* ]] || fail "$program --help: $help"
  [ "$(env -u DISPLAY "$root/usr/bin/$program" --version)" = "$program $version" ] ||
    fail "$program --version"
done
# Without a display the window says so in one line.
status=0
HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" env -u DISPLAY -u WAYLAND_DISPLAY \
  -u QT_QPA_PLATFORM timeout 10 "$root/usr/bin/rungsmith" >/dev/null 2>"$scratch/nodisplay" ||
  status=$?
[ "$status" = 1 ] || fail "rungsmith without a display ended with status $status"
[ "$(wc -l <"$scratch/nodisplay")" = 1 ] && grep -q "display" "$scratch/nodisplay" ||
  fail "rungsmith without a display said: $(cat "$scratch/nodisplay")"
echo "package $(basename "$deb") checked"
