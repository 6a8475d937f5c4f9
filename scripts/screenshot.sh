#!/usr/bin/env bash
# Takes a picture of the main window as a user sees it after start-up, on a
# virtual X display, with a scratch copy of the Sample Company and settings.
#   scripts/screenshot.sh [build folder] [output PNG]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/images/main-window.png}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$build/bin/DatabaseFiles" "$scratch/data"
XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch" \
  xvfb-run -a -s "-screen 0 1280x800x24" "$build/bin/formet" --data-dir "$scratch/data" --screenshot "$out"
echo "wrote $out"
