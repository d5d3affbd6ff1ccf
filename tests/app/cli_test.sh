#!/usr/bin/env bash
# The command line run as a user runs it, with no display at all (and the wrong command
# lines with an X display too, when Xvfb is there).
# Usage: cli_test.sh PROGRAM VERSION TEST_DATA
set -uo pipefail
program=$1 version=$2 data=$3
. "$(dirname "$0")/../common/x_server.sh"
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

# A force file: alone, its list and cards (PDF) or its list and text cards; among others,
# to a folder or a sheet, the cards of its entries in play. A bad entry refuses the force.
cp "$data/strike.ivf" strike.ivf
expect 0 "force pdf" "$program" --export strike.pdf strike.ivf
pdftext strike.pdf | grep -qF "Strike Group Limit: 1,500 points" || fail "strike.pdf lacks the list"
pdftext strike.pdf | grep -qF "Total: 711 of 1,500 points, 6 vehicles: 789 under" ||
  fail "strike.pdf lacks the total"
pdfinfo strike.pdf | grep -qE "Pages: +2" || fail "strike.pdf: not the list and one page of cards"
expect 0 "force txt" "$program" --export strike.txt strike.ivf
has strike.txt "Total: 711 of 1,500 points, 6 vehicles: 789 under"
has strike.txt "Name: Hulk"
expect 0 "force among designs" "$program" --export fcards/ strike.ivf warden.ivc
[ "$(ls fcards | tr '\n' ' ')" = "strike-1.pdf strike-2.pdf strike-3.pdf warden.pdf " ] ||
  fail "fcards holds $(ls fcards | tr '\n' ' ')"
expect 0 "force on a sheet" "$program" --sheet fsheet.pdf strike.ivf warden.ivc scout.ivc
pdfinfo fsheet.pdf | grep -qE "Pages: +2" || fail "fsheet.pdf: not five cards on two pages"
expect 2 "force as a picture" "$program" --export strike.png strike.ivf
has err.txt "A force goes to a PDF or a text file, or its cards to a folder."
sed 's/"Beam Cannon"/"Hellstorm"/' strike.ivf >badforce.ivf
expect 1 "bad force" "$program" --export badforce.pdf badforce.ivf
has err.txt 'Cannot open "badforce.ivf": entry 1 ("Warden"): Slot 1: "Hellstorm" is not in the Concord arsenal.'
[ ! -e badforce.pdf ] || fail "badforce.pdf written"

# Several into one PDF: four cards a page, on the paper asked for.
expect 0 "sheet" "$program" --export force.pdf --paper letter warden.ivc scout.ivc warden.ivc \
  scout.ivc warden.ivc
pdfinfo force.pdf | grep -qE "Pages: +2" || fail "force.pdf: not 2 pages"
pdfinfo force.pdf | grep -qF "792 x 612 pts" || fail "force.pdf: not landscape Letter"
expect 0 "sheet a4" "$program" --sheet one.pdf --paper a4 scout.ivc
pdfinfo one.pdf | grep -qF "842 x 595 pts" || fail "one.pdf: not landscape A4"
[ "$(pdftext one.pdf | grep -o Scout | wc -l)" -eq 1 ] || fail "one.pdf: not one card"

# A sheet of more than one page numbers its pages at the foot; one page has no number.
pagetext() { pdftotext -f "$2" -l "$2" "$1" - 2>/dev/null | grep -xE '[0-9]+ ?/ ?[0-9]+' | tr -d ' '; }
[ "$(pagetext force.pdf 1)" = "1/2" ] || fail "force.pdf page 1: '$(pagetext force.pdf 1)'"
[ "$(pagetext force.pdf 2)" = "2/2" ] || fail "force.pdf page 2: '$(pagetext force.pdf 2)'"
expect 0 "sheet of four" "$program" --sheet four.pdf warden.ivc scout.ivc warden.ivc scout.ivc
[ -z "$(pagetext four.pdf 1)" ] || fail "four.pdf numbered: '$(pagetext four.pdf 1)'"

# A full disk (a file size limit of N KiB stands in for it): the old file keeps its bytes,
# the exit code is 1 and the reason is told. Standard error goes through a pipe to a reader
# without the limit. Rows: name | limit | OUT | more arguments.
limited() { # KiB COMMAND...
  local kib=$1
  shift
  (trap '' XFSZ; ulimit -f "$kib"; exec "$@") 2>&1 >/dev/null | cat >&2
}
while IFS='|' read -r name limit out args; do
  echo "old bytes of $out" >"$out"
  cp "$out" old.bytes
  # shellcheck disable=SC2086
  expect 1 "full disk, $name" limited "$limit" "$program" --export "$out" $args
  cmp -s "$out" old.bytes || fail "full disk, $name: $out changed"
  has err.txt "The Statcard could not be saved as $out: File too large."
done <<'ROWS'
pdf|1|full.pdf|warden.ivc
png|1|full.png|warden.ivc
svg|1|full.svg|warden.ivc
text|0|full.txt|warden.ivc
sheet|1|fullsheet.pdf|warden.ivc scout.ivc
ROWS

# Designs of the same file name into one folder: each card its own file, the later ones
# numbered and told in a line each; nothing the run wrote is overwritten.
mkdir a b && cp warden.ivc a/x.ivc && cp scout.ivc b/x.ivc && cp warden.ivc x-2.ivc
expect 0 "clash" "$program" --export clash/ a/x.ivc b/x.ivc x-2.ivc
pdftext clash/x.pdf | grep -qF "Warden" || fail "clash/x.pdf"
pdftext clash/x-2.pdf | grep -qF "Scout" || fail "clash/x-2.pdf"
pdftext clash/x-2-2.pdf | grep -qF "Warden" || fail "clash/x-2-2.pdf"
[ "$(wc -l <err.txt)" -eq 2 ] || fail "clash: not two lines: $(cat err.txt)"
has err.txt 'The card of "b/x.ivc" goes to "clash/x-2.pdf"'
has err.txt 'The card of "x-2.ivc" goes to "clash/x-2-2.pdf"'
expect 0 "same file twice" "$program" --export twice/ --format txt warden.ivc warden.ivc
[ "$(ls twice)" = "$(printf 'warden-2.txt\nwarden.txt')" ] || fail "twice/: $(ls twice)"
[ "$(wc -l <err.txt)" -eq 1 ] || fail "same file twice: not one line: $(cat err.txt)"
# A folder for several designs that does not exist yet is made.
expect 0 "new folder" "$program" --export newdir warden.ivc scout.ivc
[ -s newdir/warden.pdf ] && [ -s newdir/scout.pdf ] || fail "newdir: $(ls newdir)"
# Messages name a file by its path where its base name alone is ambiguous.
cp bad.ivc a/bad.ivc && cp bad.ivc b/bad.ivc
expect 1 "ambiguous names" "$program" --export amb/ a/bad.ivc b/bad.ivc
has err.txt 'Cannot open "a/bad.ivc"'
has err.txt 'Cannot open "b/bad.ivc"'

# What is on disk: a pipe or a device is refused at once, not waited on; a name that is
# not UTF-8 opens as it is named.
mkfifo pipe.ivc
expect 1 "pipe" timeout 20 "$program" --export pipe.pdf pipe.ivc
has err.txt 'Cannot open "pipe.ivc": It is a device or a pipe, not a design file.'
expect 1 "device" timeout 20 "$program" --export zero.pdf /dev/zero
has err.txt 'Cannot open "zero": It is a device or a pipe, not a design file.'
: >empty.ivc
expect 1 "empty" "$program" --export empty.pdf empty.ivc
[ "$(cat err.txt)" = 'Cannot open "empty.ivc": the file is empty.' ] || fail "empty: $(cat err.txt)"
cp warden.ivc $'Gr\xe2k.ivc'
expect 0 "not UTF-8" "$program" --export latin.txt $'Gr\xe2k.ivc'
has latin.txt "Name: Warden   Points: 130"
# Qt's own options are still Qt's; after "--" every argument is a file.
cp warden.ivc ./-style.ivc
expect 0 "Qt's options" "$program" -platform offscreen --style=fusion --export qt.txt -- -style.ivc
has qt.txt "Name: Warden   Points: 130"

# Wrong command lines: exit 2, one line, nothing written, with no display and with one.
# Rows: name | arguments.
wrong() {
  while IFS='|' read -r name args; do
    # shellcheck disable=SC2086
    expect 2 "$name ($1)" timeout 20 "$program" $args
    [ "$(wc -l <err.txt)" -eq 1 ] || fail "$name ($1): not one line: $(cat err.txt)"
  done <<'ROWS'
unknown option|--bogus
missing value|warden.ivc --export
missing value of a Qt option|warden.ivc -platform
export twice|--export w1.pdf --export w2.pdf warden.ivc
sheet twice|--sheet w1.pdf --sheet w2.pdf warden.ivc
OUT against --format|--export w1.pdf --format txt warden.ivc
format without export|--format pdf warden.ivc
several files to open|warden.ivc scout.ivc
export and sheet|--export w1.pdf --sheet w2.pdf warden.ivc
nothing to export|--export w1.pdf
no type|--export card.xyz warden.ivc
bad paper|--sheet w1.pdf --paper a3 warden.ivc
bad format|--export w1.pdf --format gif warden.ivc
several pngs to a file|--export w1.png warden.ivc scout.ivc
ROWS
  [ ! -e card.xyz ] && [ ! -e w1.pdf ] && [ ! -e w2.pdf ] && [ ! -e w1.png ] ||
    fail "a refused command wrote a file ($1)"
}
wrong "no display"
# The running program's window gets the program's icon (handed over after its first paint).
window_icon() {
  DISPLAY=$x_display "$program" >/dev/null 2>&1 &
  local app=$! win=
  for _ in $(seq 100); do
    win=$(DISPLAY=$x_display xwininfo -root -tree | awk '/"ironvale-vc"/ {print $1; exit}')
    [ -n "$win" ] && DISPLAY=$x_display xprop -id "$win" _NET_WM_ICON | grep -q 'Icon (48 x 48)' &&
      break
    win=
    sleep 0.1
  done
  kill "$app"
  [ -n "$win" ] || fail "the program's window has no icon on $x_display"
}
if start_x_server "$work"; then
  DISPLAY=$x_display wrong "display $x_display"
  window_icon
  kill "$x_server"
else
  echo "SKIP: the wrong command lines with a display: no Xvfb (package xvfb)"
fi

[ "$failures" -eq 0 ] && echo "all command-line checks passed"
exit $((failures > 0))
