#!/usr/bin/env bash
# Plants each fault of a fault list alone in a scratch copy of the tree (never in the tree
# itself), rebuilds only the tests that can see it, runs them with a time limit and counts
# the faults that make a test fail. A fault is one edit of the kind a developer makes; see
# scripts/faults.txt for the format.
#
#   scripts/plant-faults.sh [-m REGEX] [FAULT-LIST]
#
# -m REGEX plants only the faults whose line matches REGEX. The scratch copy and its build
# live in $IVC_FAULT_DIR (default /tmp/ivc-faults) and are reused by the next run. With
# IVC_FAULT_MATRIX=FILE each planted fault's line in FILE names the tests that failed on
# it, to tell which tests catch what no other test does.
set -euo pipefail
cd "$(dirname "$0")/.."

match=
if [ "${1:-}" = "-m" ]; then
  match=$2
  shift 2
fi
list=$(realpath "${1:-scripts/faults.txt}")
work=${IVC_FAULT_DIR:-/tmp/ivc-faults}
src=$work/src
build=$work/build
time_limit=${IVC_FAULT_TIMEOUT:-180}
mkdir -p "$src" "$work/stage"
# One run at a time in a scratch folder: a second would plant its faults into this one's tree.
exec 9>"$work/lock"
flock -n 9 || {
  echo "Another run is using $work; give this one its own IVC_FAULT_DIR." >&2
  exit 1
}

# The scratch copy: the tree's files as they are now, committed or not. A file is copied
# only when it differs, so the build stays incremental from one run to the next.
rm -rf "$work/stage" && mkdir -p "$work/stage"
git ls-files -co --exclude-standard -z | xargs -0 cp --parents -t "$work/stage"
# Warnings are not what is measured here: a fault that only draws a warning still runs.
sed -i 's/ -Werror)/)/' "$work/stage/CMakeLists.txt"
(cd "$work/stage" && find . -type f) | while read -r f; do
  if ! cmp -s "$work/stage/$f" "$src/$f"; then
    mkdir -p "$(dirname "$src/$f")" && cp "$work/stage/$f" "$src/$f"
  fi
done

generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  # -O1: the rebuilds dominate the run, and the tests still run fast.
  cmake --no-warn-unused-cli -S "$src" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -DIVC_WERROR=OFF >/dev/null
fi
# The window tests are every test that tests/ui/CMakeLists.txt declares with ivc_ui_test.
mapfile -t ui_tests < <(sed -n 's/^ivc_ui_test(\([A-Za-z0-9_]*\).*/\1/p' "$src/tests/ui/CMakeLists.txt")
core_targets=(core_tests)

# The tests that failed in the last run, by name; a test program that died or ran out of
# time counts as a whole.
failed_tests() {
  local log
  for log in "$work"/logs/*.log; do
    case $log in
    */command_line.log)
      grep -q '^all command-line checks passed' "$log" || echo command_line
      ;;
    */core_tests.log | */io_tests.log)
      sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_.]*\).*/\1/p' "$log" | sort -u
      grep -q '^\[  PASSED  \]\|tests, listed below' "$log" || basename "$log" .log | sed 's/$/:died/'
      ;;
    *)
      sed -n 's/^FAIL!  : \([A-Za-z0-9_:]*\).*/\1/p' "$log" | sort -u
      grep -q '^Totals:' "$log" || basename "$log" .log | sed 's/$/:died/'
      ;;
    esac
  done
}

build_targets() { cmake --build "$build" -j2 --target "$@" </dev/null >"$work/build.log" 2>&1; }

run_gtest() { # folder/name
  timeout "$time_limit" "$build/tests/$1" --gtest_brief=1 </dev/null >"$work/logs/${1#*/}.log" 2>&1
}

run_ui_tests() {
  local pids=() t failed=0
  for t in "${ui_tests[@]}"; do
    QT_QPA_PLATFORM=offscreen timeout "$time_limit" "$build/tests/ui/$t" </dev/null >"$work/logs/$t.log" 2>&1 &
    pids+=($!)
    # Two at a time: the machine has two cores.
    if ((${#pids[@]} == 2)); then
      wait "${pids[0]}" || failed=1
      pids=("${pids[@]:1}")
    fi
  done
  for t in "${pids[@]}"; do wait "$t" || failed=1; done
  return $failed
}

# The command line run as a process, as ctest runs it.
run_cli() {
  local version
  version=$(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
  timeout "$time_limit" bash "$src/tests/app/cli_test.sh" "$build/ironvale-vc" "$version" \
    "$src/tests/data" </dev/null >"$work/logs/command_line.log" 2>&1
}

# What a suite of its own missed, given to the window tests; a build that fails is a miss.
then_windows() { ! build_targets "${ui_tests[@]}" || run_ui_tests; }

# Runs the tests that can see a fault in $1; fails when any of them fails or times out.
# The rules and the design-file reader are seen by their own tests first; what those miss
# is given to the window tests, which see them too.
run_tests() {
  rm -rf "$work/logs" && mkdir -p "$work/logs"
  case $1 in
  core/*) run_gtest core/core_tests && then_windows ;;
  io/*) run_gtest io/io_tests && then_windows ;;
  app/*) run_cli ;;
  ui/cardExport.cpp) run_ui_tests && run_cli ;; # sheets and the clash rule: the command line's
  *) run_ui_tests ;;
  esac
}

targets_for() {
  case $1 in
  core/*) echo "${core_targets[@]}" ;;
  io/*) echo io_tests ;;
  app/*) echo ironvale-vc ;;
  ui/cardExport.cpp) echo "${ui_tests[@]}" ironvale-vc ;;
  *) echo "${ui_tests[@]}" ;;
  esac
}

echo "Building the unchanged tree in $build ..."
build_targets "${core_targets[@]}" io_tests "${ui_tests[@]}" ironvale-vc || {
  cat "$work/build.log"
  exit 1
}
for part in core io ui app; do
  run_tests "$part/" || {
    echo "The tests fail without any fault planted ($part); see $work" >&2
    exit 1
  }
done

# Applies one fault: the text must occur exactly once in the file. "\n" in a text stands
# for a line break.
plant() {
  FROM=$2 TO=$3 perl -0777 -i -pe '
    BEGIN { ($f, $t) = map { s/\\n/\n/gr } @ENV{qw(FROM TO)} }
    $n = () = /\Q$f\E/g;
    die "found $n times\n" unless $n == 1;
    s/\Q$f\E/$t/;
  ' "$1"
}

total=0
caught=0
missed=()
broken=()
started=$SECONDS
# The list is read on its own descriptor: nothing run inside the loop can eat its lines.
while IFS= read -r line <&3; do
  [[ -z $line || $line == \#* ]] && continue
  [[ -n $match && ! $line =~ $match ]] && continue
  IFS=$'\x1f' read -r file from to what <<<"${line// ;; /$'\x1f'}"
  label="$file: $what"
  if [ ! -f "$src/$file" ]; then
    broken+=("$label (no such file)")
    continue
  fi
  cp -p "$src/$file" "$work/original"
  if ! error=$(plant "$src/$file" "$from" "$to" 2>&1); then
    broken+=("$label (text $error)")
    continue
  fi
  # shellcheck disable=SC2046
  if ! build_targets $(targets_for "$file"); then
    broken+=("$label (does not build)")
  else
    total=$((total + 1))
    if run_tests "$file"; then
      missed+=("$label")
      echo "MISSED  $label"
    else
      caught=$((caught + 1))
      echo "caught  $label"
      if [ -n "${IVC_FAULT_MATRIX:-}" ]; then
        echo "$label ;; $(failed_tests | tr '\n' ' ')" >>"$IVC_FAULT_MATRIX"
      fi
    fi
  fi
  cp "$work/original" "$src/$file"
  touch "$src/$file" # newer than the objects built with the fault
done 3<"$list"

echo
if ((${#broken[@]})); then
  echo "Errors of the fault list (not counted):"
  printf '  %s\n' "${broken[@]}"
fi
if ((${#missed[@]})); then
  echo "Missed:"
  printf '  %s\n' "${missed[@]}"
fi
echo "Run took $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s."
if ((total > 0)); then
  echo "$caught caught of $total ($((100 * caught / total)) %)"
fi
((${#broken[@]} == 0))
