#!/usr/bin/env bash
# Sets up and builds with the test tools (see setup.sh), then runs every test suite: once
# as built, and once more built with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/, where any report fails the run; then the Release build of check-builds.sh,
# without tests (its other three build types are left to it); then fuzzes the design-file
# and force-file readers, half a minute each, in build-fuzz/. The first three builds treat
# compiler warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests build -DIVC_WERROR=ON
ctest --test-dir build --output-on-failure -j"$(nproc)"

scripts/setup.sh --tests build-asan -DIVC_SANITIZE=ON -DIVC_WERROR=ON
# Timings mean nothing under the sanitizers.
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)" -LE timing

# -O3 brings warnings of its own, and a build without tests must not need the test tools.
scripts/check-builds.sh Release

# The design-file and force-file readers under libFuzzer, half a minute each, seeded with
# the committed examples. A crash, a hang or a sanitizer report fails the run and leaves its
# input in build-fuzz/.
scripts/setup.sh --tests build-fuzz -DIVC_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
for reader in design force; do
  mkdir -p "build-fuzz/corpus-$reader"
  "build-fuzz/fuzz_${reader}_file" -max_total_time=30 -timeout=10 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "build-fuzz/corpus-$reader" tests/data
done
