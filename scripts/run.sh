#!/usr/bin/env bash
# Sets up and builds the program (see setup.sh; none of the test tools), then starts the
# Ironvale Vehicle Creator.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): the Ironvale Vehicle" >&2
  echo "Creator is a desktop program and needs a graphical session to start in." >&2
  exit 1
fi
exec build/ironvale-vc
