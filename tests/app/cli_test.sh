#!/usr/bin/env bash
# The command line run as a user runs it, with no display at all.
# Usage: cli_test.sh PROGRAM VERSION TEST_DATA
set -uo pipefail
program=$1 version=$2 data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
# The program keeps its recent files in the settings: these runs keep theirs here.
export XDG_CONFIG_HOME="$work/config"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expect CODE NAME COMMAND...: runs it, keeps stdout and stderr, checks the exit code.
expect() {
  local code=$1 name=$2
  shift 2
  "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" -eq "$code" ] || fail "$name: exit $got, not $code; stderr: $(cat err.txt)"
}
has() { grep -qF -- "$2" "$1" || fail "$1 lacks \"$2\""; }
pdftext() { pdftotext "$1" - 2>/dev/null | tr -s ' \n' ' '; }

cp "$data/typical.ivc" warden.ivc
sed 's/"Warden"/"Scout"/' "$data/typical.ivc" >scout.ivc
sed 's/"Concord"/"Nowhere"/' "$data/typical.ivc" >bad.ivc

expect 0 help "$program" --help
has out.txt "--export <OUT>"
has out.txt "--sheet <OUT>"
expect 0 version "$program" --version
has out.txt "$version"

# One card in each format, the type from the extension or from --format.
for type in pdf png svg txt; do
  expect 0 "one $type" "$program" --export "warden.$type" warden.ivc
  [ -s "warden.$type" ] || fail "warden.$type not written"
done
expect 0 "format" "$program" --export card.out --format txt warden.ivc
has card.out "Name: Warden   Points: 130"
pdftext warden.pdf | grep -qF "Warden 130" || fail "warden.pdf lacks the name and points"
file warden.png | grep -qF "PNG image data, 1904 x 1154" || fail "warden.png: $(file warden.png)"
grep -qF ">Warden<" warden.svg || fail "warden.svg lacks the name"

# Several into a folder, a bad one among them: the good ones written, one line for the bad.
expect 1 "bad among good" "$program" --export cards/ warden.ivc bad.ivc scout.ivc
[ "$(wc -l <err.txt)" -eq 1 ] || fail "stderr is not one line: $(cat err.txt)"
has err.txt 'Cannot open "bad.ivc": Race: "Nowhere"'
pdftext cards/warden.pdf | grep -qF "Warden" || fail "cards/warden.pdf"
pdftext cards/scout.pdf | grep -qF "Scout" || fail "cards/scout.pdf"
[ ! -e cards/bad.pdf ] || fail "cards/bad.pdf written"

# Several into one PDF: four cards a page, on the paper asked for.
expect 0 "sheet" "$program" --export force.pdf --paper letter warden.ivc scout.ivc warden.ivc \
  scout.ivc warden.ivc
pdfinfo force.pdf | grep -qE "Pages: +2" || fail "force.pdf: not 2 pages"
pdfinfo force.pdf | grep -qF "792 x 612 pts" || fail "force.pdf: not landscape Letter"
expect 0 "sheet a4" "$program" --sheet one.pdf --paper a4 scout.ivc
pdfinfo one.pdf | grep -qF "842 x 595 pts" || fail "one.pdf: not landscape A4"
[ "$(pdftext one.pdf | grep -o Scout | wc -l)" -eq 1 ] || fail "one.pdf: not one card"

# Wrong command lines are told and write nothing.
expect 2 "no type" "$program" --export card.xyz warden.ivc
expect 2 "bad paper" "$program" --sheet x.pdf --paper a3 warden.ivc
expect 2 "several pngs to a file" "$program" --export x.png warden.ivc scout.ivc
[ ! -e card.xyz ] && [ ! -e x.pdf ] && [ ! -e x.png ] || fail "a refused command wrote a file"

[ "$failures" -eq 0 ] && echo "all command-line checks passed"
exit $((failures > 0))
