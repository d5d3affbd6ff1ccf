# Sourced by the test scripts that need an X server of their own.
#
# start_x_server DIR: starts Xvfb, its display number written to DIR/display; sets
# x_display (":N") and x_server (its process id). Fails where Xvfb is missing or does not
# come up.
start_x_server() {
  command -v Xvfb >/dev/null || return 1
  Xvfb -displayfd 3 -nolisten tcp 3>"$1/display" 2>/dev/null &
  x_server=$!
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
  [ -s "$1/display" ] || return 1
  x_display=:$(cat "$1/display")
}
