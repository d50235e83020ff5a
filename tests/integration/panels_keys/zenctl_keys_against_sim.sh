#!/usr/bin/env bash
# t418-zenctl keys against the t418-zen-sim program, in a user folder of its own: the key list,
# every FUNCTION form stored and sent to the simulated mouse's key map, what `keys show` prints
# taken back by `keys set`, refusals that change nothing, a second profile, the mouse out of
# reach.
set -u
bin=$1
. "$(dirname "$0")/../sim_session.sh"
zenctl=$bin/t418-zenctl
# The simulated mouse's active key map of bank 0, slots 0-10, as "10 01 00 10 02 00 ...". Its
# key-identity table lists the page keys in key order, so slot k is key k.
keymap() {
    ask dump keymap 0 33 | cut -d: -f2 | tr -s ' \n' '  ' | sed 's/^ *//; s/ *$//'
}
keybytes() {  # keybytes KEY: that key's three bytes in the key map
    keymap | cut -d' ' -f$((3 * $1 + 1))-$((3 * $1 + 3))
}

# --- the key list ------------------------------------------------------------------------------
check "show" 0 "$zenctl" keys show
same "show keys" "$(grep -cE '^[0-9]+ +[A-Za-z_0-9]+ +0x' "$work/out")" 11
expect "show left" "^0   mouse_key_left  *0x10 0x01 0x00 1048832  *mouse_key_left  *mouse_key_left$" \
    "$work/out"
expect "show fire" "^10  mouse_key_fire_key  *0x14 0x78 0x02 1341442  *mouse_key_fire_key  *fire:120:2$" \
    "$work/out"
expect "show GM" "^8   keyboard_key_GM  *0xA0 0x1B 0x00 .* raw:0xA0,0x1B,0x00$" "$work/out"
profile=$(sed -n 's/^profile: \([^ ]*\).*/\1/p' "$work/out")
folder=$(dirname "$profile")
check "show en" 0 "$zenctl" keys show --lang en
expect "show en" "^2   mouse_key_middle .* Middle button  *mouse_key_middle$" "$work/out"
check "show zh" 0 "$zenctl" keys show --lang zh
expect "show zh" "^0   mouse_key_left .* 左键  *mouse_key_left$" "$work/out"
check "show fr" 2 "$zenctl" keys show --lang fr

# Two macros as the macro panel stores them: Burst (4 events) and Long (61, one too many).
macro_file() {  # macro_file PATH EVENTS
    local e events=""
    for e in $(seq "$2"); do
        events+="${events:+,}{\"Action\":\"$([ $((e % 2)) = 1 ] && echo down || echo up)\","
        events+="\"Button\":4,\"Type\":10,\"Delay\":\"20\"}"
    done
    echo "{\"Events\":[$events]}" >"$1"
}
macro_file "$folder/burst.mac" 4
macro_file "$folder/long.mac" 61
echo '{"MacroInfo":[{"MacroName":"Burst","Guid":"burst"},{"MacroName":"Long","Guid":"long"}]}' \
    >"$folder/macro.config"

# --- every form: stored, printed, sent -----------------------------------------------------------
check "Ctrl+C" 0 "$zenctl" keys set 2 Ctrl+C
expect "Ctrl+C" "^key 2: Ctrl+C (0x20 0x01 0x06)$" "$work/out"
expect "Ctrl+C sent" "^sent:    0 macros in use, key map$" "$work/out"
same "Ctrl+C in the key map" "$(keybytes 2)" "20 01 06"
check "show Ctrl+C" 0 "$zenctl" keys show
expect "show Ctrl+C" "^2   mouse_key_middle  *0x20 0x01 0x06 2097414 .* Ctrl+C$" "$work/out"

# KEY|FUNCTION|stored bytes; the key map holds the same.
while IFS='|' read -r key function bytes; do
    check "$function" 0 "$zenctl" keys set "$key" "$function"
    expect "$function stored" "^key $key: .* ($bytes)$" "$work/out"
    same "$function in the key map" "$(keybytes "$key")" \
        "$(echo "$bytes" | sed 's/0x//g' | tr 'A-F' 'a-f')"
done <<'EOF'
1|off|0x20 0x00 0x00
1|default|0x10 0x02 0x00
3|mouse_key_middle|0x10 0x04 0x00
3|Ctrl|0x20 0x01 0x00
3|raw:0x20,0,4|0x20 0x00 0x04
3|tilt:right:3:1:2|0x11 0x12 0x83
4|media_play|0x30 0xCD 0x00
5|custem_copy|0x20 0x10 0x06
6|gun_2_txt|0x72 0x01 0x00
7|Shift+F5|0x20 0x02 0x3E
8|Num Enter|0x20 0x00 0x58
10|wheel:down:3|0x12 0x00 0xFD
EOF

# A macro goes to the mouse before the key map; the key map holds its position in the upload.
check "macro" 0 "$zenctl" keys set mouse_key_M8_key macro:Burst:x3
expect "macro stored" "^key 9: macro:Burst:x3 (0x71 0x00 0x03)$" "$work/out"
expect "macro sent" "^sent:    1 macro in use, key map$" "$work/out"
same "macro in the key map" "$(keybytes 9)" "71 00 03"

# --- refusals change nothing ---------------------------------------------------------------------
cp "$profile" "$work/profile.before"
map_before=$(keymap)
unchanged() {  # unchanged NAME: neither the profile file nor the key map changed
    cmp -s "$profile" "$work/profile.before" || { echo "FAIL $1: the profile changed"; failed=1; }
    same "$1: the key map" "$(keymap)" "$map_before"
}
ask check reset >/dev/null
check "fire below 10" 1 "$zenctl" keys set 10 fire:5:3
expect "fire below 10" "interval '5' is not a number from 10 to 255" "$work/err"
check "unknown" 1 "$zenctl" keys set 4 no_such_function
expect "unknown" "unknown function 'no_such_function'" "$work/err"
check "last left button" 1 "$zenctl" keys set 0 mouse_key_right
expect "last left button" "key 0 is the last left button" "$work/err"
check "last left button by label" 1 "$zenctl" keys set mouse_key_left off
same "refused before the mouse is asked" "$(ask check)" "requests 0, interleaved 0"
check "macro too long" 1 "$zenctl" keys set 4 macro:Long
expect "macro too long" "too many" "$work/err"
expect "macro too long" "unchanged" "$work/err"
unchanged "refusals"
check "no key 11" 2 "$zenctl" keys set 11 off
check "no function" 2 "$zenctl" keys set 2
check "no profile 9" 2 "$zenctl" keys set 2 off --profile 9

# --- the round trip: what show prints, set takes back to the same bytes ---------------------------
check "show for the round trip" 0 "$zenctl" keys show --lang en
cp "$work/out" "$work/show"
column=$(grep '^key ' "$work/show" | awk '{ print index($0, "function") }')
keys=0
while IFS= read -r line; do
    keys=$((keys + 1))
    key=${line%% *}
    bytes=$(echo "$line" | awk '{ print $3, $4, $5 }')
    function=${line:$((column - 1))}
    check "round trip $key '$function'" 0 "$zenctl" keys set "$key" "$function"
    expect "round trip $key" "^key $key: $function ($bytes)$" "$work/out"
done < <(grep -E '^[0-9]+ ' "$work/show")
same "round trip: keys" "$keys" 11
same "round trip: the key map" "$(keymap)" "$map_before"
check "show after the round trip" 0 "$zenctl" keys show --lang en
cmp -s "$work/out" "$work/show" || {
    echo "FAIL round trip: show differs"
    diff "$work/show" "$work/out"
    failed=1
}

# The left button may leave key 0 once another key holds it; then that key is the last one.
check "second left button" 0 "$zenctl" keys set 1 mouse_key_left
check "key 0 freed" 0 "$zenctl" keys set 0 mouse_key_right
check "key 1 the last left button" 1 "$zenctl" keys set 1 off
same "left button moved" "$(keybytes 0) $(keybytes 1)" "10 02 00 10 01 00"

# --- a second profile is stored, not sent --------------------------------------------------------
check "copy" 0 "$zenctl" profiles copy 1
cp "$profile" "$work/profile.before"
map_before=$(keymap)
check "second profile" 0 "$zenctl" keys set 4 media_stop --profile 2
expect "second profile" "^not sent: profile 2 is not the selected profile$" "$work/out"
unchanged "second profile"
check "show second profile" 0 "$zenctl" keys show --profile "Profile1 copy"
expect "show second profile" "^4   mouse_key_back .* media_stop$" "$work/out"
check "show first profile" 0 "$zenctl" keys show --profile 1
expect "show first profile" "^4   mouse_key_back .* media_play$" "$work/out"

# --- the mouse out of reach: saved, not sent -----------------------------------------------------
control link off
check "unlinked set" 3 "$zenctl" keys set 4 media_stop --device receiver
expect "unlinked set" "^saved:   $profile$" "$work/out"
expect "unlinked set" "^not sent: the mouse is not reachable$" "$work/out"
same "unlinked: the key map" "$(keymap)" "$map_before"
check "unlinked show" 0 "$zenctl" keys show --device receiver
expect "unlinked show" "(the mouse is not reachable)" "$work/out"
expect "unlinked show" "^4   mouse_key_back .* media_stop$" "$work/out"
control link on
check "linked again" 0 "$zenctl" keys set 4 media_stop --device receiver
same "linked again: the key map" "$(keybytes 4)" "30 b7 00"

exit $failed
