#!/usr/bin/env bash
# Builds the program as a packager would, in each of CMake's four build types, with warnings
# as errors and the tests off: the configuration must not look for GoogleTest, Google
# Benchmark or Qt Test (so it works where they are not installed), and every build type must
# compile without a warning and start. Builds go to build-check/<type>/.
#   scripts/check-builds.sh [BUILD_TYPE...]
set -euo pipefail
cd "$(dirname "$0")/.."

types=("$@")
((${#types[@]})) || types=(Release Debug RelWithDebInfo MinSizeRel)
mkdir -p build-check
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for type in "${types[@]}"; do
  dir=build-check/$type
  echo "== $type"
  before=$failures
  rm -f "$dir/CMakeCache.txt" # a fresh configuration, so that the cache shows only its searches
  if ! cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" -DIVC_BUILD_TESTS=OFF -DIVC_WERROR=ON \
    >"$dir.log" 2>&1; then
    cat "$dir.log" >&2
    fail "$type: configuring failed"
    continue
  fi
  # Every find_package() leaves <Package>_DIR in the cache, found or not (FindGTest asks for
  # GTest's config first): none of these means no test tool was even looked for.
  found=$(grep -E '^(GTest|GMock|benchmark|Qt6Test)_DIR|^GTEST_|^GMOCK_' "$dir/CMakeCache.txt" || true)
  [ -z "$found" ] || fail "$type: the configuration looked for test tools: $found"
  if ! cmake --build "$dir" -j"$(nproc)" >>"$dir.log" 2>&1; then
    grep -E 'error|warning' "$dir.log" | head -n 20 >&2
    fail "$type: the build failed (see $dir.log)"
    continue
  fi
  # The program must start and keep running; `timeout` ending it (124) is the pass.
  rc=0
  QT_QPA_PLATFORM=offscreen timeout 3 "$dir/ironvale-vc" >/dev/null 2>&1 || rc=$?
  [ "$rc" -eq 124 ] || fail "$type: ironvale-vc ended by itself with exit code $rc"
  ((failures > before)) || echo "$type: configured without looking for test tools, built with -Werror, starts"
done

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all ${#types[@]} build type(s) passed"
