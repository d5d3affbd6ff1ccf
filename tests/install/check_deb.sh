#!/usr/bin/env bash
# Makes the Debian package with CPack into a fresh folder, checks its control fields (the
# dependencies must come from dpkg-shlibdeps, or the package installs on a machine without
# Qt and then cannot start) and checks the tree it unpacks to like an installed one.
# Usage: check_deb.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
version=$2

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log" >&2
  echo "FAIL: cpack could not make the package" >&2
  exit 1
fi
debs=("$out"/ironvale-vc_*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: no ironvale-vc_*.deb in the CPack output" >&2; exit 1; }
deb=${debs[0]}
dpkg-deb -I "$deb"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = "ironvale-vc" ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the project is $version"
[ "$(field Section)" = "misc" ] || fail "Section is '$(field Section)'"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] ||
  fail "Maintainer '$(field Maintainer)' is not 'Name <address>'"
description=$(field Description)
[[ "$description" == *Ironvale* ]] || fail "Description does not describe the program: $description"
while IFS= read -r line; do
  [ "${#line}" -le 80 ] || fail "Description line longer than 80 characters: $line"
done <<<"$description"
depends=$(field Depends)
for lib in libqt6widgets6 libqt6printsupport6 libstdc++6 fonts-liberation2; do
  [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] ||
    fail "Depends lacks $lib: $depends"
done

# What Debian's own package checker says: no error and no warning.
if ! command -v lintian >/dev/null; then
  fail "lintian is missing (scripts/setup.sh installs it)"
else
  lintian --fail-on error,warning --tag-display-limit 0 "$deb" || fail "lintian rejects the package"
fi

root=$out/root
dpkg-deb -x "$deb" "$root"
"$here/check_tree.sh" "$root/usr" "$version" || failures=$((failures + 1))

if ((failures)); then
  echo "$failures check(s) failed on $deb" >&2
  exit 1
fi
echo "$(basename "$deb"): all checks passed"
