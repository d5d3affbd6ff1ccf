#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb), for what only a real display does, such
# as a clipboard shared between processes; skipped (77) where there is none.
set -euo pipefail
. "$(dirname "$0")/../common/x_server.sh"
work=$(mktemp -d)
trap 'kill "${x_server:-}" 2>/dev/null; rm -rf "$work"' EXIT
start_x_server "$work" || { echo "skipped: no X server of its own (Xvfb, package xvfb)"; exit 77; }
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan_x11.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
DISPLAY=$x_display QT_QPA_PLATFORM=xcb "$@"
