#!/usr/bin/env bash
# Installs the build into a fresh prefix with `cmake --install` and checks the tree there.
# Usage: check_install.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
version=$2

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
"$here/check_tree.sh" "$prefix" "$version"
