#!/usr/bin/env bash
# Checks an installed tree (a `cmake --install` prefix or the /usr of the unpacked .deb):
# the program starts from there; the desktop entry, the icons and the AppStream metadata
# are where desktops look for them, valid, and all name the same application; the manual
# page, the changelog and the copyright file are there, carrying the version and licence.
# Usage: check_tree.sh PREFIX VERSION
set -euo pipefail
prefix=$1
version=$2
id=io.github.ironvale.VehicleCreator
licence=GPL-3.0-or-later # LICENSE; GPL-3+ in Debian's copyright file
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for tool in desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null ||
    { echo "FAIL: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

bin=$prefix/bin/ironvale-vc
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml

# The installed program, not the build tree's, must start and keep running: an early exit
# means it cannot find what it links or loads. `timeout` ending it (124) is the pass.
if [ ! -x "$bin" ]; then
  fail "no executable $bin"
else
  rc=0
  QT_QPA_PLATFORM=offscreen timeout 3 "$bin" >/dev/null 2>&1 || rc=$?
  [ "$rc" -eq 124 ] || fail "$bin ended by itself with exit code $rc instead of running"
fi

# The desktop entry: valid, launches the installed program by name (so it works under any
# prefix on PATH) and names the icon that is installed below.
if [ ! -f "$desktop" ]; then
  fail "no desktop entry $desktop"
else
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
  key() { sed -n "s/^$1=//p" "$desktop"; }
  [ "$(key Name)" = "Ironvale Vehicle Creator" ] || fail "desktop Name is '$(key Name)'"
  [ "$(key Terminal)" = "false" ] || fail "desktop Terminal is '$(key Terminal)', not false"
  exec_name=$(key Exec | cut -d' ' -f1)
  { [ "$exec_name" = "ironvale-vc" ] && [ -x "$prefix/bin/$exec_name" ]; } ||
    fail "desktop Exec '$(key Exec)' does not start the installed bin/ironvale-vc"
  [ "$(key Icon)" = "$id" ] || fail "desktop Icon is '$(key Icon)', the icons are installed as $id"
fi

# The design and force file types: the shared-mime-info package names each extension, and
# the desktop entry and the metainfo offer to open files of both types.
mime=$prefix/share/mime/packages/$id.xml
for type in vehicle:ivc force:ivf; do
  mimetype=application/x-ironvale-${type%%:*}
  { grep -q "type=\"$mimetype\"" "$mime" && grep -q "pattern=\"\\*.${type#*:}\"" "$mime"; } 2>/dev/null ||
    fail "no MIME type $mimetype for *.${type#*:} in $mime"
  grep -q "^MimeType=.*$mimetype;" "$desktop" 2>/dev/null ||
    fail "the desktop entry does not name the MIME type $mimetype"
  grep -q "<mediatype>$mimetype</mediatype>" "$metainfo" 2>/dev/null ||
    fail "the metainfo does not name the MIME type $mimetype"
done

# The icons: the SVG for any size, and PNGs whose pixels match the folder they are in (a
# 256-pixel picture in 48x48/ is drawn blurred or at the wrong size).
svg=$prefix/share/icons/hicolor/scalable/apps/$id.svg
grep -q '<svg' "$svg" 2>/dev/null || fail "no SVG icon at $svg"
for n in 48 128 256; do
  png=$prefix/share/icons/hicolor/${n}x${n}/apps/$id.png
  if [ ! -f "$png" ]; then
    fail "no PNG icon at $png"
    continue
  fi
  # PNG signature, then the IHDR chunk: width and height as big-endian 32-bit numbers.
  read -r -a b <<<"$(od -An -tu1 -v -N24 "$png" | tr -s "\n" " ")"
  if [ "${b[1]}${b[2]}${b[3]}" != "807871" ]; then
    fail "$png is not a PNG file"
    continue
  fi
  w=$(((b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19]))
  h=$(((b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23]))
  { [ "$w" -eq "$n" ] && [ "$h" -eq "$n" ]; } || fail "$png is ${w}x${h}, not ${n}x${n}"
done

# The AppStream metadata: valid, its id and launchable name the installed desktop entry, it
# provides the installed program, and its newest release is the version being installed.
if [ ! -f "$metainfo" ]; then
  fail "no AppStream metadata $metainfo"
else
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
  tag() { sed -n "s:.*<$1[^>]*>\(.*\)</$1>.*:\1:p" "$metainfo" | head -n1; }
  [ "$(tag id)" = "$id" ] || fail "metainfo id is '$(tag id)', not $id"
  { [ "$(tag launchable)" = "$id.desktop" ] && [ -f "$prefix/share/applications/$(tag launchable)" ]; } ||
    fail "metainfo launchable '$(tag launchable)' is not the installed desktop entry"
  [ "$(tag binary)" = "ironvale-vc" ] || fail "metainfo provides binary '$(tag binary)'"
  release=$(sed -n 's/.*<release[^>]* version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)
  [ "$release" = "$version" ] || fail "newest metainfo release is '$release', the project is $version"
  [ "$(tag project_license)" = "$licence" ] || fail "metainfo project_license is '$(tag project_license)'"
fi

# The manual page: compressed, renders without a warning, and its footer names this version.
page=$prefix/share/man/man1/ironvale-vc.1.gz
if [ ! -f "$page" ]; then
  fail "no manual page $page"
else
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man cannot show $page"
  [ -z "$warnings" ] || fail "man warns about $page: $warnings"
  rendered=$(MANWIDTH=80 man -l "$page" 2>/dev/null) || true
  [[ "$rendered" == *"ironvale-vc $version"* ]] || fail "the manual page does not name version $version"
fi

# Debian's changelog and machine-readable copyright file: the newest entry is this version,
# and the licence of the whole program is the one the metainfo declares.
doc=$prefix/share/doc/ironvale-vc
head=$(zcat "$doc/changelog.gz" 2>/dev/null | head -n 1) || true
[[ "$head" == "ironvale-vc ($version) "* ]] || fail "changelog.gz starts '$head', not with version $version"
copyright=$doc/copyright
if [ ! -f "$copyright" ]; then
  fail "no copyright file $copyright"
else
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright" ||
    fail "$copyright is not in the machine-readable format"
  all=$(sed -n '/^Files: \*$/,/^$/s/^License: //p' "$copyright")
  [ "$all" = "GPL-3+" ] || fail "copyright licenses 'Files: *' as '$all', not GPL-3+ ($licence)"
fi

if ((failures)); then
  echo "$failures check(s) failed on the tree under $prefix" >&2
  exit 1
fi
echo "install tree under $prefix: all checks passed"
