#!/usr/bin/env bash
# t418-zenctl macros record in a user folder of its own (files only): the delays of each time
# mode, appending after saved events, held keys, X buttons, the 60-event limit, and scripts or
# names that are refused with nothing changed.
. "$(dirname "$0")/files_session.sh"
script() {  # script FILE LINES...
    local file=$1; shift
    printf '%s\n' "$@" >"$file"
}

# m1 holds A down and up, 50 ms each; the others were never saved.
cat >"$folder/macro.config" <<'JSON'
{ "MacroInfo" : [
   { "Guid" : "g1", "MacroName" : "m1" }, { "Guid" : "g2", "MacroName" : "m2" },
   { "Guid" : "g3", "MacroName" : "m3" }, { "Guid" : "g4", "MacroName" : "m4" },
   { "Guid" : "g5", "MacroName" : "m5" }, { "Guid" : "g6", "MacroName" : "m6" } ] }
JSON
echo '{ "Events" : [ { "Action" : "down", "Button" : 4, "Delay" : "50", "Type" : 10 },
  { "Action" : "up", "Button" : 4, "Delay" : "50", "Type" : 10 } ], "Version" : 64 }' \
    >"$folder/g1.mac"

# Real time: each gap becomes the delay of the event before it; the last shows 10.
script "$work/a.txt" "# A tapped" "0 key down 0x1E" "250 key up 0x1E"
check "real" 0 z macros record m2 --script "$work/a.txt"
expect "real" "^recorded: 2 events into m2 (now 2 events)$" "$work/out"
check "real show" 0 z macros show 2
expect "real show" "^1 .*down .*10 .*0x04 .*250 .* A .*FA 00 8A 04$" "$work/out"
expect "real show" "^2 .*up .*10 .*0x04 .*10 .* A .*0A 00 0A 04$" "$work/out"

# Appending: the saved last event's delay becomes the time to the first recorded one; a held
# key's repeated presses are one press; Right Ctrl (extended) is a modifier.
script "$work/held.txt" "120 key down 0x1D ext" "150 key down 0x1D ext" "180 key down 0x1D ext" \
    "300 key up 0x1D ext"
check "append" 0 z macros record m1 --script "$work/held.txt" --time real
expect "append" "^recorded: 2 events into m1 (now 4 events)$" "$work/out"
check "append show" 0 z macros show m1
expect "append show" "^1 .*down .*0x04 .*50 .*32 00 8A 04$" "$work/out"
expect "append show" "^2 .*up .*0x04 .*120 .*78 00 0A 04$" "$work/out"
expect "append show" "^3 .*down .*9 .*0x10 .*180 .*B4 00 89 10$" "$work/out"
expect "append show" "^4 .*up .*9 .*0x10 .*10 .*0A 00 09 10$" "$work/out"
refuse "append show" "^5 " "$work/out"

# Fixed delays everywhere; a delay under 10 is raised with the message.
script "$work/abc.txt" "0 key down 0x1E" "7 key up 0x1E" "900 key down 0x30" "901 key up 0x30"
check "fixed" 0 z macros record m3 --script "$work/abc.txt" --time fixed:40
check "fixed show" 0 z macros show m3
[ "$(grep -c '^[1-4] .* 40  .* 28 00 [08]A 0[45]$' "$work/out")" = 4 ] ||
    { echo "FAIL fixed: not 40 everywhere"; cat "$work/out"; failed=1; }
check "fixed clamp" 0 z macros record m4 --script "$work/abc.txt" --time fixed:5
expect "fixed clamp" "at least 10 ms" "$work/err"
check "fixed clamp show" 0 z macros show m4
[ "$(grep -c '^[1-4] .* 10  .* 0A 00 [08]A 0[45]$' "$work/out")" = 4 ] ||
    { echo "FAIL fixed clamp: not 10 everywhere"; cat "$work/out"; failed=1; }

# No delays: every event 0 but the last, whose delay edit shows 10 as after any recording.
check "ignore" 0 z macros record m5 --script "$work/abc.txt" --time ignore
check "ignore show" 0 z macros show m5
[ "$(grep -c '^[1-3] .* 0  .* 00 00 [08]A 0[45]$' "$work/out")" = 3 ] ||
    { echo "FAIL ignore: not 0"; cat "$work/out"; failed=1; }
expect "ignore show" "^4 .*up .*0x05 .*10 .*0A 00 0A 05$" "$work/out"

# X buttons: 2 is forward, 1 is back; a repeated message is recorded once.
script "$work/x.txt" "0 mouse 0x20B x2 10 10" "50 mouse 0x20C x2" "60 mouse 0x20C x2" \
    "100 mouse 0x20B x1" "150 mouse 0x20C x1"
check "x buttons" 0 z macros record m6 --script "$work/x.txt"
expect "x buttons" "^recorded: 4 events into m6" "$work/out"
expect "x buttons" "^1 .*down .*1 .*0x10 .*50 .*Forward" "$work/out"
expect "x buttons" "^3 .*down .*1 .*0x08 .*50 .*Back" "$work/out"
check "x show" 0 z macros show m6
expect "x show" "^1 .*32 00 81 10$" "$work/out"
expect "x show" "^2 .*32 00 01 10$" "$work/out"
expect "x show" "^4 .*0A 00 01 08$" "$work/out"

# Refused: a bad line (the parser says which), an unknown macro, wrong usage; nothing written.
tar -C "$folder" -cf "$work/before.tar" .
script "$work/bad.txt" "0 key down 0x1E" "10 key sideways 0x1E"
check "bad script" 1 z macros record m1 --script "$work/bad.txt"
expect "bad script" "line 2: 10 key sideways 0x1E" "$work/err"
script "$work/back.txt" "10 key down 0x1E" "5 key up 0x1E"
check "time backwards" 1 z macros record m1 --script "$work/back.txt"
check "no file" 1 z macros record m1 --script "$work/none.txt"
check "no macro" 1 z macros record nosuch --script "$work/a.txt"
check "no script" 2 z macros record m1
check "bad time" 2 z macros record m1 --script "$work/a.txt" --time fixed:x
check "bad mode" 2 z macros record m1 --script "$work/a.txt" --time sometimes
check "stray word" 2 z macros record m1 --script "$work/a.txt" extra
tar -C "$folder" -cf "$work/after.tar" .
cmp -s "$work/before.tar" "$work/after.tar" || { echo "FAIL: a refusal wrote"; failed=1; }

# 62 events into an empty macro: the first 60 are saved, with the message.
lines=()
for i in $(seq 0 30); do lines+=("$((i * 20)) key down 0x1E" "$((i * 20 + 10)) key up 0x1E"); done
script "$work/long.txt" "${lines[@]}"
check "full" 0 z macros record m2 --script "$work/long.txt" --time fixed:20
expect "full" "at most 60 events" "$work/err"
check "full list" 0 z macros list
expect "full list" "^ 2  m2 .* 60 events$" "$work/out"

[ "$failed" = 0 ] && echo "zenctl macros record: all checks passed"
exit "$failed"
