#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb), for what only a real display does, such
# as a clipboard shared between processes; skipped (77) where Xvfb is not installed.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "skipped: Xvfb is not installed"; exit 77; }
work=$(mktemp -d)
Xvfb -displayfd 3 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "skipped: Xvfb did not start"; exit 77; }
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan_x11.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb "$@"
