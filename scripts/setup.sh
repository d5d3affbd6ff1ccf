#!/usr/bin/env bash
# Installs whatever the build and the tests need that this Debian machine lacks, then
# configures and builds into build/. Quick when everything is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev fonts-liberation2
  fonts-wqy-microhei # CJK letters in a vehicle's name, on screen and on the printed card
  libgtest-dev libbenchmark-dev
  cups cups-client printer-driver-cups-pdf poppler-utils
  desktop-file-utils appstream dpkg-dev file lintian man-db
  clang libfuzzer-14-dev
)
# Tests only: the command-line test runs its wrong command lines under an X server too.
packages+=(xvfb)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
