#!/usr/bin/env bash
# Lines of tests against lines of code: non-blank lines that are not only a comment ("//"
# in C++, "#" in shell), of the files git knows. Tests are tests/ (C++ and its scripts),
# code is core/, ui/ and app/ and any other source folder named on the command line.
#
#   scripts/count-lines.sh [FOLDER...]
set -euo pipefail
cd "$(dirname "$0")/.."

count() { # files...
  local n=0 f
  for f in "$@"; do
    case $f in
    *.sh) n=$((n + $(grep -cvE '^\s*(#|$)' "$f" || true))) ;;
    *) n=$((n + $(grep -cvE '^\s*(//|$)' "$f" || true))) ;;
    esac
  done
  echo "$n"
}
files() { git ls-files -co --exclude-standard -- "$@"; }

mapfile -t code < <(files core ui app "$@" | grep -E '\.(cpp|h)$')
mapfile -t tests_cpp < <(files tests | grep -E '\.(cpp|h)$')
mapfile -t tests_sh < <(files tests | grep -E '\.sh$')
c=$(count "${code[@]}")
t=$(count "${tests_cpp[@]}")
s=$(count "${tests_sh[@]}")
echo "code (core/ ui/ app/ $*): $c lines"
echo "tests, C++: $t lines ($((100 * t / c)) % of the code)"
echo "tests, C++ and scripts: $((t + s)) lines ($((100 * (t + s) / c)) % of the code)"
