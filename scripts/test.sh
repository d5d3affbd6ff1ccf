#!/usr/bin/env bash
# Sets up and builds (see setup.sh), then runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
ctest --test-dir build --output-on-failure -j"$(nproc)"
