#!/usr/bin/env bash
# Prints a Statcard through the program's own print path on a real CUPS printer and reads
# the page that comes out. The printer is cups-pdf, set up as the default printer for the
# run; the scheduler is started when none runs. Leaves the machine as it found it: a
# scheduler it started is stopped, a printer it added is removed, the default is restored.
# Where it cannot run (not root, no CUPS scheduler, no cups-pdf) it says why and exits with
# 77, which ctest counts as skipped.
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
  skip "setting up a CUPS printer needs root (or passwordless sudo)"
fi
if ! command -v cupsd >/dev/null && ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  skip "no CUPS scheduler: cupsd is not installed (package cups) and none is running"
fi
[ -x /usr/lib/cups/backend/cups-pdf ] ||
  skip "no cups-pdf backend to print to (package printer-driver-cups-pdf)"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

printer=IvcPdf
# The fullest Veyra design, named with accented and Chinese letters: the longest lines of
# the card and letters from a font other than the card's own. (Greek letters print too, but
# cups-pdf's Ghostscript step re-encodes them without their Unicode, so its page cannot be
# read back for them.)
name="Ærø 鋼鉄 $((RANDOM % 100))"
race=3
deadline=60
work=$(mktemp -d)
started_pid=
added_printer=
old_default=
lpoptions_saved=
lpoptions_files=()
made_cups_dir=

fail() {
  echo "FAIL: $*" >&2
  if [ -f /var/log/cups/error_log ]; then
    echo "--- last lines of /var/log/cups/error_log" >&2
    tail -n 20 /var/log/cups/error_log >&2 || true
  fi
  exit 1
}

cleanup() {
  set +e
  if [ -n "$added_printer" ]; then
    lpadmin -x "$printer"
  fi
  if [ -n "$old_default" ] && [ "$old_default" != "$printer" ]; then
    lpadmin -d "$old_default"
  fi
  if [ -n "$lpoptions_saved" ]; then
    for i in "${!lpoptions_files[@]}"; do
      if [ -f "$work/lpoptions.$i" ]; then
        cp -p "$work/lpoptions.$i" "${lpoptions_files[$i]}"
      else
        rm -f "${lpoptions_files[$i]}"
      fi
    done
    if [ -n "$made_cups_dir" ]; then rmdir "$made_cups_dir" 2>/dev/null; fi
  fi
  if [ -n "$started_pid" ]; then
    kill "$started_pid" 2>/dev/null
    wait "$started_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

for tool in lpstat lpadmin lpoptions lpinfo pdftotext; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

# The scheduler: use a running one, else start one in the foreground of a background job
# so that exactly this process can be stopped afterwards.
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  cupsd -f &
  started_pid=$!
  for _ in $(seq 1 100); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    kill -0 "$started_pid" 2>/dev/null || fail "cupsd stopped right after starting"
    sleep 0.1
  done
  lpstat -r 2>/dev/null | grep -q 'is running' || fail "the CUPS scheduler did not come up"
fi

# The PDF printer, as the default of the scheduler and of root's lpoptions (which would
# otherwise take precedence).
if ! lpstat -p "$printer" >/dev/null 2>&1; then
  added_printer=yes
fi
old_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
# lpoptions writes the system file or root's own, depending on the CUPS version.
lpoptions_files=(/etc/cups/lpoptions "${HOME:-/root}/.cups/lpoptions")
for i in "${!lpoptions_files[@]}"; do
  if [ -f "${lpoptions_files[$i]}" ]; then cp -p "${lpoptions_files[$i]}" "$work/lpoptions.$i"; fi
done
if [ ! -d "${HOME:-/root}/.cups" ]; then made_cups_dir="${HOME:-/root}/.cups"; fi
lpoptions_saved=yes

model=$(lpinfo -m 2>/dev/null | awk 'tolower($0) ~ /cups-pdf/ && /_opt/ {print $1; exit}') || true
if [ -n "$model" ]; then
  lpadmin -p "$printer" -E -v cups-pdf:/ -m "$model"
elif [ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ]; then
  lpadmin -p "$printer" -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
else
  fail "no cups-pdf printer model found (lpinfo -m)"
fi
# The PostScript step before cups-pdf keeps the text readable only with the cairo
# renderer; Ghostscript's turns the fonts into Type 3 glyphs that pdftotext cannot read.
lpadmin -p "$printer" -o pdftops-renderer-default=pdftocairo
lpadmin -d "$printer"
lpoptions -d "$printer" >/dev/null

# Where cups-pdf puts the page: its Out directory for the job's user (root here), or the
# directory for anonymous jobs.
conf=/etc/cups/cups-pdf.conf
out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' "$conf" 2>/dev/null | tail -n 1)
anon=$(sed -n 's/^[[:space:]]*AnonDirName[[:space:]]\+//p' "$conf" 2>/dev/null | tail -n 1)
home=$(getent passwd root | cut -d: -f6)
out=${out:-/var/spool/cups-pdf/\${USER\}}
out=${out//\$\{HOME\}/$home}
out=${out//\$\{USER\}/root}
dirs=("$out" "${anon:-/var/spool/cups-pdf/ANONYMOUS}")

# The card window's own print path, then the main window's File > Print… through the print
# dialog: the same page from each.
for mode in "" --dialog; do
  touch "$work/before"
  sleep 1 # file times have one-second steps on some file systems

  "$driver" $mode "$name" "$race" >"$work/driver.log" 2>&1 || {
    cat "$work/driver.log" >&2
    fail "the print driver failed"
  }
  grep -qx "default printer: $printer" "$work/driver.log" ||
    fail "the program did not print on $printer: $(cat "$work/driver.log")"

  pdf=
  for _ in $(seq 1 $((deadline * 2))); do
    # A directory may not exist before cups-pdf's first page.
    pdf=$(find "${dirs[@]}" -maxdepth 1 -name '*.pdf' -newer "$work/before" 2>/dev/null | head -n 1) || true
    if [ -n "$pdf" ]; then
      # cups-pdf writes the file in place; wait until it has stopped growing.
      size=-1
      while [ "$(stat -c %s "$pdf")" != "$size" ]; do
        size=$(stat -c %s "$pdf")
        sleep 0.5
      done
      break
    fi
    sleep 0.5
  done
  [ -n "$pdf" ] || {
    lpstat -l -o "$printer" >&2 || true
    fail "no PDF arrived in ${dirs[*]} within ${deadline}s"
  }

  pdftotext -layout "$pdf" "$work/page.txt"
  cp "$pdf" "$(pwd)/cups_print_test.pdf" 2>/dev/null || true
  rm -f "$pdf"
  for expected in "$name" "War Machine" "8x Blast Coaxial Gatling Short Barrel Mega AA Mounted Twin Linked" \
    "Titan Killer Slow Fire(-4) Resonance Cannon with Targeter" "Ferocious, Tow Bar"; do
    grep -qF "$expected" "$work/page.txt" || {
      cat "$work/page.txt" >&2
      fail "the printed page lacks \"$expected\""
    }
  done
done
echo "PASS: printed on $printer from the card window and through the print dialog, the page holds the name, the category, a whole weapon line and the last special entries"
