#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds Formet, then runs it or its tests.
#   ./build.sh run    build and start the program on the Sample Company
#   ./build.sh test   build and run every test
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
case "$mode" in run | test) ;; *) echo "usage: $0 run|test" >&2; exit 2 ;; esac

packages=(cmake ninja-build g++ pkg-config libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libsodium-dev libqpdf-dev qpdf xvfb xauth fonts-liberation poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

if [ "$mode" = test ]; then
  exec ctest --test-dir build --output-on-failure -j"$(nproc)"
fi
if [ -x build/bin/formet ]; then
  exec build/bin/formet
fi
exec build/bin/formet-cli list
