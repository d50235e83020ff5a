#!/usr/bin/env bash
# t418-zenctl macros in a user folder of its own, on an empty simulated bus (no device): the
# list, show with the device bytes, import names and limits, export of saved and unsaved
# macros, a hostile macro file, and delete with every profile's key assignments repaired.
. "$(dirname "$0")/files_session.sh"
same() {  # same NAME FILE FILE
    cmp -s "$2" "$3" || { echo "FAIL $1: $2 changed"; failed=1; }
}

# Four macros; the fourth was never saved, the third's file is hostile.
cat >"$folder/macro.config" <<'JSON'
{ "MacroInfo" : [
   { "Guid" : "g1", "MacroName" : "m1" }, { "Guid" : "g2", "MacroName" : "m2" },
   { "Guid" : "g3", "MacroName" : "m3" }, { "Guid" : "g4", "MacroName" : "m4" } ] }
JSON
two='{ "Events" : [ { "Action" : "down", "Button" : 4, "Delay" : "50", "Type" : 10 },
  { "Action" : "up", "Button" : 4, "Delay" : "50", "Type" : 10 } ], "Version" : 64 }'
echo "$two" >"$folder/g1.mac"
echo "$two" >"$folder/g2.mac"
echo '{ "Events" : [ 7, { "Type" : "x" }, { "Delay" : 99999, "Type" : 129, "Button" : 1 } ] }' \
    >"$folder/g3.mac"

check "list" 0 z macros list
expect "list" "^ 1  m1 .* g1 .* 2 events$" "$work/out"
expect "list" "^ 4  m4 .* g4 .* not saved$" "$work/out"
check "show" 0 z macros show M1
expect "show" "^1 .*down .*10 .*0x04 .*50 .* A .*32 00 8A 04$" "$work/out"
expect "show" "^2 .*up .*10 .*0x04 .*50 .* A .*32 00 0A 04$" "$work/out"
check "show hostile" 0 z macros show m3
expect "show hostile" "1 events" "$work/out"
expect "show hostile" "^1 .*up .*1 .*0x01 .*65535 .*Left button .*FF FF 01 01$" "$work/out"
check "show none" 2 z macros show nosuch
check "usage" 2 z macros rename m1 x

# Export: a saved macro byte for byte; an unsaved one leaves the target alone.
check "export" 0 z macros export m1 "$work/out.mac"
same "export" "$folder/g1.mac" "$work/out.mac"
echo "earlier" >"$work/kept.mac"
check "export unsaved" 1 z macros export m4 "$work/kept.mac"
expect "export unsaved" "never saved" "$work/err"
[ "$(cat "$work/kept.mac")" = earlier ] || { echo "FAIL: unsaved export wrote"; failed=1; }

# Import: names from the file's title, the length limits in characters.
echo "$two" >"$work/combo.mac"
for name in combo combo_1; do
    check "import $name" 0 z macros import "$work/combo.mac"
    expect "import $name" "^imported: [0-9]* $name$" "$work/out"
done
echo "$two" >"$work/abcdefghijk.mac"
cp "$folder/macro.config" "$work/config.before"
check "import long" 1 z macros import "$work/abcdefghijk.mac"
expect "import long" "The file name is too long" "$work/err"
same "import long" "$folder/macro.config" "$work/config.before"
for name in combo combo_1; do check "delete $name" 0 z macros delete $name; done

# Three profiles; the first is the current one.
check "profiles" 0 z profiles list
check "copy" 0 z profiles copy 1
check "copy" 0 z profiles copy 1
check "keys" 0 z keys set 1 macro:m3 --profile 2
check "keys" 0 z keys set 2 macro:m2 --profile 2
check "keys" 0 z keys set 1 macro:m3 --profile 3
check "keys" 3 z keys set 3 macro:m2 --profile 1
for f in "$folder"/*.Json; do cp "$f" "$work/$(basename "$f").before"; done
cp "$folder/macro.config" "$work/config.before"

# The current profile uses m2: refused, nothing changed.
check "delete refused" 1 z macros delete m2
expect "delete refused" "assigned to a key of the current profile" "$work/err"
same "delete refused" "$folder/macro.config" "$work/config.before"
for f in "$folder"/*.Json; do same "delete refused" "$f" "$work/$(basename "$f").before"; done
[ -f "$folder/g2.mac" ] || { echo "FAIL: refused delete removed the file"; failed=1; }

check "delete" 0 z macros delete m2 --yes
expect "delete" "^deleted: m2; profiles repaired: 3$" "$work/out"
[ -f "$folder/g2.mac" ] && { echo "FAIL: g2.mac is still there"; failed=1; }
check "list after" 0 z macros list
expect "list after" "^ 2  m3 " "$work/out"
check "keys 2" 0 z keys show --profile 2
expect "keys 2" "^1 .* 0x70 0x01 " "$work/out"
refuse "keys 2" "^2 .* 0x70 " "$work/out"
check "keys 3" 0 z keys show --profile 3
expect "keys 3" "^1 .* 0x70 0x01 " "$work/out"
check "keys 1" 0 z keys show --profile 1
refuse "keys 1" " 0x70 " "$work/out"
check "delete unused" 0 z macros delete m1
expect "delete unused" "^deleted: m1; profiles repaired: 2$" "$work/out"
check "keys 2 again" 0 z keys show --profile 2
expect "keys 2 again" "^1 .* 0x70 0x00 " "$work/out"

[ "$failed" = 0 ] && echo "zenctl macros: all checks passed"
exit "$failed"
