#!/usr/bin/env bash
# t418-zenctl keys tables: every table with its row count, and rows as the tables hold them.
set -euo pipefail
bin="$1"
out="$("$bin/t418-zenctl" keys tables)"
fail() { echo "FAIL: $*"; echo "$out"; exit 1; }
for header in "mouse-button (5 rows)" "dpi (3 rows)" "media (18 rows)" "system (3 rows)" \
              "combination (11 rows)" "gun (4 rows)" "keyboard (142 rows"; do
    grep -qF "$header" <<<"$out" || fail "missing header: $header"
done
rows=$(grep -cE '^  [0-9]+ ' <<<"$out")
[ "$rows" -eq $((5 + 3 + 18 + 3 + 11 + 4 + 142)) ] || fail "$rows rows"
grep -qE '^  5 +keyboard_key_RShift +0x20 +0x20 +0x00 +0x00A1 +0x36 +1$' <<<"$out" || fail "RShift"
grep -qE '^  113 +keyboard_key_K42 .* 0x00BF +- +-$' <<<"$out" || fail "K42"
grep -qE '^  130 +wed_stop +0x30 +0x26 +0x02 ' <<<"$out" || fail "wed_stop"
one="$("$bin/t418-zenctl" keys tables gun)"
[ "$(grep -cE '^  [0-9]+ ' <<<"$one")" -eq 4 ] || fail "one table"
if "$bin/t418-zenctl" keys tables nonsense >/dev/null 2>&1; then fail "unknown table accepted"; fi
echo ok
