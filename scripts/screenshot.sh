#!/usr/bin/env bash
# Pictures of every page and dialog of the desktop program over the Sample
# Company, on a virtual X display, at three sizes: the smallest window
# (632 x 400), the usual window (1024 x 680) and the usual window with a
# 1.5 times larger font. Writes <output>/<size>/<page>.png and, from the
# usual size, the README's pictures.
#   scripts/screenshot.sh [build folder] [output folder]
# The pages and dialogs are listed in tests/desktop/desktop_shots.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/images}
cmake --build "$build" --target desktop_shots -j2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" "$build/bin/desktop_shots" "$out"
cp "$out/default/welcome.png" "$out/main-window.png"
cp "$out/default/company-general.png" "$out/company-setup.png"
cp "$out/default/employees.png" "$out/employees.png"
echo "wrote $out"
