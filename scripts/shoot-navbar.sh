#!/usr/bin/env bash
# Renders the navigation bar and the program's pictures to PNG files, headless.
#   scripts/shoot-navbar.sh [build folder] [output folder]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
out="${2:-$build/shots}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja
fi
cmake --build "$build" --target navbar_shots -j2
QT_QPA_PLATFORM=offscreen "$build/bin/navbar_shots" "$out"
