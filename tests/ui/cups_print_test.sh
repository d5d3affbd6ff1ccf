#!/usr/bin/env bash
# Prints a Statcard through the program's own print path on a CUPS PDF printer and reads the
# page that comes out. The printer lives on a scheduler of the test's own: its configuration,
# socket, spool, logs and cups-pdf's output are all in one temporary folder, and only the
# test's own processes are pointed at it (CUPS_SERVER, with a home and client settings of
# their own), so the machine's scheduler, printers and default are never used or changed.
# cups-pdf reads its settings from /etc/cups alone, so the scheduler runs in a mount
# namespace of its own in which the test's folder stands in for /etc/cups.
# cups-pdf only runs as root, and only root may make the namespace: without root (or
# passwordless sudo), cupsd, cups-pdf or a namespace it says why and exits with 77, which
# ctest counts as skipped.
#
#   cups_print_test.sh PATH/TO/print_driver
set -euo pipefail

driver=$(realpath "${1:?usage: cups_print_test.sh PATH/TO/print_driver}")

skip() {
  echo "SKIP: $*"
  exit 77
}

if [ "$(id -u)" -ne 0 ]; then
  if sudo -n true 2>/dev/null; then
    exec sudo -n env QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" bash "$0" "$driver"
  fi
  skip "cups-pdf prints only under a scheduler run as root (or through passwordless sudo)"
fi
command -v cupsd >/dev/null || skip "no CUPS scheduler to start: cupsd is missing (package cups)"
backend=/usr/lib/cups/backend/cups-pdf
[ -x "$backend" ] || skip "no cups-pdf backend to print to (package printer-driver-cups-pdf)"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd" ] || skip "no cups-pdf printer description $ppd (package printer-driver-cups-pdf)"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

printer=IvcPdf
# The fullest Veyra design, named with accented and Chinese letters: the longest lines of
# the card and letters from a font other than the card's own. (Greek letters print too, but
# cups-pdf's Ghostscript step re-encodes them without their Unicode, so its page cannot be
# read back for them.)
name="Ærø 鋼鉄 $((RANDOM % 100))"
race=3
deadline=60
# Short, as a socket's path is limited to some 100 bytes.
work=$(mktemp -d /tmp/ivc-cups.XXXXXX)
# The filters run as the scheduler's own user (lp) and must reach the spool inside.
chmod 755 "$work"
sock=$work/cups.sock
cupsd_pid=

fail() {
  echo "FAIL: $*" >&2
  if [ -f "$work/log/error_log" ]; then
    echo "--- last lines of the test scheduler's error_log" >&2
    tail -n 20 "$work/log/error_log" >&2 || true
  fi
  exit 1
}

cleanup() {
  set +e
  if [ -n "$cupsd_pid" ]; then
    kill "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

for tool in unshare mount lpstat lpadmin pdftotext; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/test.sh installs it)"
done

mkdir -p "$work"/{conf/ppd,conf/ssl,spool/tmp,cache,state,log,etc-cups,pdf,pdf-spool,client,home}
cat >"$work/conf/cups-files.conf" <<EOF
ServerRoot $work/conf
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/state/printcap
FileDevice No
EOF
cat >"$work/conf/cupsd.conf" <<EOF
Listen $sock
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
LogLevel warn
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
# cups-pdf's settings: every folder it writes in is the test's own.
cat >"$work/etc-cups/cups-pdf.conf" <<EOF
Out $work/pdf
AnonDirName $work/pdf
Spool $work/pdf-spool
Log $work/log
GSTmp $work/spool/tmp
DecodeHexStrings 1
EOF

# In the foreground of a background job, so that exactly this process is stopped afterwards;
# unshare and sh replace themselves with it. The folder is bound over /etc/cups inside the
# namespace only.
# shellcheck disable=SC2016 # the inner shell expands its own arguments
unshare --mount --propagation private -- sh -c \
  'mount --bind "$1" /etc/cups && exec cupsd -f -c "$2" -s "$3"' sh \
  "$work/etc-cups" "$work/conf/cupsd.conf" "$work/conf/cups-files.conf" \
  >"$work/cupsd.out" 2>&1 &
cupsd_pid=$!

# From here on, every CUPS client of the test (lpadmin, lpstat, the program) sees only the
# test's scheduler, without the machine's or the user's client settings.
export CUPS_SERVER=$sock CUPS_SERVERROOT=$work/client HOME=$work/home
unset LPDEST PRINTER

for _ in $(seq 1 100); do
  lpstat -r 2>/dev/null | grep -q 'is running' && break
  if ! kill -0 "$cupsd_pid" 2>/dev/null; then
    wait "$cupsd_pid" 2>/dev/null || true
    cupsd_pid=
    if grep -q '^unshare\|^mount' "$work/cupsd.out"; then
      skip "no mount namespace for a scheduler of the test's own: $(head -n 1 "$work/cupsd.out")"
    fi
    fail "the test's scheduler stopped right after starting: $(cat "$work/cupsd.out")"
  fi
  sleep 0.1
done
lpstat -r 2>/dev/null | grep -q 'is running' || fail "the test's scheduler did not come up"

# The PDF printer, the scheduler's only one and its default. The PostScript step before
# cups-pdf keeps the text readable only with the cairo renderer; Ghostscript's turns the
# fonts into Type 3 glyphs that pdftotext cannot read.
# (lpadmin's notes that printer drivers are deprecated are kept for a failure.)
lpadmin -p "$printer" -E -v cups-pdf:/ -P "$ppd" -o pdftops-renderer-default=pdftocairo 2>"$work/lpadmin.log" ||
  fail "the test's scheduler refused the printer: $(cat "$work/lpadmin.log")"
lpadmin -d "$printer" 2>"$work/lpadmin.log" ||
  fail "the test's scheduler refused the default printer: $(cat "$work/lpadmin.log")"
[ "$(lpstat -e)" = "$printer" ] || fail "the test's scheduler has other printers: $(lpstat -e)"

# The card window's own print path, then the main window's File > Print… through the print
# dialog: the same page from each.
for mode in "" --dialog; do
  "$driver" $mode "$name" "$race" >"$work/driver.log" 2>&1 || {
    cat "$work/driver.log" >&2
    fail "the print driver failed"
  }
  grep -qx "default printer: $printer" "$work/driver.log" ||
    fail "the program did not print on $printer: $(cat "$work/driver.log")"

  pdf=
  for _ in $(seq 1 $((deadline * 2))); do
    # The job is done when the scheduler holds none; cups-pdf has then written the file.
    if [ -z "$(lpstat -o "$printer")" ]; then
      pdf=$(find "$work/pdf" -name '*.pdf' | head -n 1)
      break
    fi
    sleep 0.5
  done
  [ -n "$pdf" ] || {
    lpstat -l -W all -o "$printer" >&2 || true
    fail "no PDF arrived in $work/pdf within ${deadline}s"
  }

  pdftotext -layout "$pdf" "$work/page.txt"
  rm -f "$pdf"
  for expected in "$name" "War Machine" "8x Blast Coaxial Gatling Short Barrel Mega AA Mounted Twin Linked" \
    "Titan Killer Slow Fire(-4) Resonance Cannon with Targeter" "Ferocious, Tow Bar"; do
    grep -qF "$expected" "$work/page.txt" || {
      cat "$work/page.txt" >&2
      fail "the printed page lacks \"$expected\""
    }
  done
done
echo "PASS: printed on the test's own $printer from the card window and through the print dialog, the page holds the name, the category, a whole weapon line and the last special entries"
