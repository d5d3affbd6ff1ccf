#!/usr/bin/env bash
# Installs whatever this Debian machine lacks for the build and the program, then configures
# and builds into BUILD_DIR. Quick when everything is already there.
#
#   scripts/setup.sh --tests BUILD_DIR [CMAKE_ARGUMENT...]   the test suites as well: their
#                                                             tools too, every target
#   scripts/setup.sh BUILD_DIR                                the program alone
#
# The program alone keeps a BUILD_DIR the test command has configured as it is (only the
# program and its documents are built there), so that the two commands share build/
# without rebuilding it for each other; a fresh one is configured without the tests, which need none of their tools.
set -euo pipefail
cd "$(dirname "$0")/.."

# What the build and the program need.
packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev fonts-liberation2
  fonts-wqy-microhei # CJK letters in a vehicle's name, on screen and on the printed card
)
# What only the test suites need, a group of a suite's tools to a line.
test_packages=(
  libgtest-dev libbenchmark-dev
  cups cups-client printer-driver-cups-pdf poppler-utils
  desktop-file-utils appstream dpkg-dev file lintian man-db
  clang libfuzzer-14-dev
  xvfb x11-utils # the command-line test runs under an X server too, and reads the window's icon
)

tests=
if [ "${1:-}" = --tests ]; then
  tests=yes
  shift
  packages+=("${test_packages[@]}")
fi
build_dir=${1:?usage: scripts/setup.sh [--tests] BUILD_DIR [CMAKE_ARGUMENT...]}
shift

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

if [ -n "$tests" ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIVC_BUILD_TESTS=ON "$@" >/dev/null
  cmake --build "$build_dir" -j"$(nproc)"
else
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIVC_BUILD_TESTS=OFF "$@" >/dev/null
  fi
  # The program and what installing it takes, not the tests of a test build.
  cmake --build "$build_dir" -j"$(nproc)" --target ironvale-vc ivc_docs
fi
