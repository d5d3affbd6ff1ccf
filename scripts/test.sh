#!/usr/bin/env bash
# Sets up and builds (see setup.sh), then runs every test suite: once as built, and once
# more built with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/, where any
# report fails the run. Both builds treat compiler warnings as errors. Last, the Release
# build of check-builds.sh, without tests; its other three build types are left to it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DIVC_WERROR=ON
ctest --test-dir build --output-on-failure -j"$(nproc)"

scripts/setup.sh build-asan -DIVC_SANITIZE=ON -DIVC_WERROR=ON
# Timings mean nothing under the sanitizers.
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)" -LE timing

# -O3 brings warnings of its own, and a build without tests must not need the test tools.
scripts/check-builds.sh Release
