#!/bin/sh
# cmake --install puts the programs with what they read beside them (help
# pages, the Sample Company) in lib/formet, links to them in bin, and the
# icon files and the menu entry where the desktop looks for them.
#   install_test.sh <build folder>
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > "$prefix/install.log"
fail=0
check() {
  if ! test "$@"; then
    echo "missing: test $*" >&2
    fail=1
  fi
}
check -x "$prefix/lib/formet/formet"
check -x "$prefix/lib/formet/formet-cli"
check -L "$prefix/bin/formet"
check -L "$prefix/bin/formet-cli"
check "$(readlink -f "$prefix/bin/formet")" = "$(readlink -f "$prefix/lib/formet/formet")"
check -f "$prefix/lib/formet/DatabaseFiles/Sample Company.qdt"
for page in "$(dirname "$0")"/../../help/*.html; do
  check -f "$prefix/lib/formet/$(basename "$page")"
done
check -f "$prefix/share/applications/formet.desktop"
grep -q '^Exec=formet$' "$prefix/share/applications/formet.desktop" || { echo "no Exec=formet" >&2; fail=1; }
grep -q '^Icon=formet$' "$prefix/share/applications/formet.desktop" || { echo "no Icon=formet" >&2; fail=1; }
for size in 16 32 48 64 128 256; do
  check -s "$prefix/share/icons/hicolor/${size}x${size}/apps/formet.png"
done
# The installed command-line program runs from its link and finds its files.
HOME="$prefix/home" XDG_DATA_HOME="" "$prefix/bin/formet-cli" --help > /dev/null
exit $fail
