#!/usr/bin/env bash
# `cmake --install` into a temporary prefix, the prefix moved elsewhere (a relocatable
# install), then the tree checked (check_tree.sh). install_tree.sh BUILD_DIR
set -u
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp/first" >"$tmp/install.log" 2>&1 ||
    { echo "FAIL cmake --install"; cat "$tmp/install.log"; exit 1; }
mv "$tmp/first" "$tmp/moved"
bash "$(dirname "$0")/check_tree.sh" "$tmp/moved"
