#!/usr/bin/env bash
# t418-zenctl light against the t418-zen-sim program, in a user folder of its own: changes
# reach the simulated mouse's settings block in the handlers' order, show reads them back,
# refusals change nothing, the audio light is saved and never sent, the custom effects are
# kept, and the preview animates a profile's effect.
set -u
bin=$1
. "$(dirname "$0")/../sim_session.sh"
z() { "$bin/t418-zenctl" "$@"; }
# Bytes 0-9 of the settings block at address 0, as "00 01 04 ...".
block() { ask dump memory 0 10 | cut -d: -f2 | sed 's/^ *//'; }
byte() { block | cut -d' ' -f$(($1 + 1)); }
# json EXPR: a value of the current profile's document ("d") or of the effect list ("c").
json() {
    python3 -c "import json,sys; d=json.load(open(sys.argv[1]))['Device'][0]
c=json.load(open(sys.argv[2])); print($1)" "$profile" "$folder/kesta_light.config"
}

# --- a new folder has the program's effects; their positions are modes ----------------------
check "effect list" 0 z light effect list
expect "seeded" "^12 *Ocean breathe *3 *ocean_breathe.light$" "$work/out"
expect "seeded" "^13 *Police flash *8 " "$work/out"
expect "seeded" "^14 *Rainbow walk " "$work/out"

# --- changes reach the block: speed 4 - s, blue before green, multicolour last ---------------
check "set" 0 z light set breathe --brightness 3 --speed 1 --green 0x11 --blue 34
expect "set sent" "^sent:    settings block (cable)$" "$work/out"
profile=$(sed -n 's/^saved: *//p' "$work/out")
folder=$(dirname "$profile")
same "set block" "$(block | cut -d' ' -f2-4,6,8-9)" "01 03 03 00 22 11"
same "set profile" "$(json "d['LightInfo']['Speed'], d['LightInfo']['Green']")" "1 17"
check "colour then multicolour" 0 z light set flash --colour 102030 --multicolour on
same "multicolour last" "$(block | cut -d' ' -f2,6-9)" "06 01 10 30 20"
check "a custom effect by name" 0 z light set "POLICE flash" --direction 0
same "custom mode sent as 0" "$(byte 1) $(byte 4)" "00 00"
check "show" 0 z light show --device cable
expect "show record" "^light: *mode 13 Police flash (custom effect 1)$" "$work/out"
expect "show block" "^  1 mode         0x00 " "$work/out"
expect "show kept" "the profile keeps mode 13 Police flash" "$work/out"
expect "show colour" "^  8 green        0x20  colour #102030$" "$work/out"
expect "show LEDs" "^per-LED list: " "$work/out"

# --- refusals change nothing --------------------------------------------------------------------
before=$(block)
cp "$profile" "$work/profile.before"
for args in "1 --speed 5" "1 --red 1 --colour 000000" "10" "sparkle" "1 --preset 999"; do
    # shellcheck disable=SC2086
    check "refused: $args" 2 z light set $args
done
same "refusals: block" "$(block)" "$before"
cmp -s "$profile" "$work/profile.before" || { echo "FAIL refusals: the profile changed"; failed=1; }

# --- another file is saved, not sent; an unlinked mouse is not reached ------------------------
cp "$profile" "$work/other.json"
check "other file" 0 z light set 5 --profile "$work/other.json"
expect "other file" "^not sent: the file is not the current profile$" "$work/out"
check "no such file" 1 z light set 5 --profile "$work/none.json"
[ -e "$work/none.json" ] && { echo "FAIL no such file: made"; failed=1; }
control link off
check "unlinked" 3 z light set 2 --device receiver
expect "unlinked" "^not sent: the mouse is not reachable$" "$work/out"
control link on
same "not sent: block" "$(block)" "$before"

# --- the audio light is saved and never sent -----------------------------------------------------
ask check reset >/dev/null
check "audio" 0 z light audio set --mode 2 --fg 00ff00 --bg 102030
same "audio not sent" "$(ask check)" "requests 0, interleaved 0"
same "audio saved" "$(json "d['AudioLightInfo']['AudioMode'], d['AudioLightInfo']['FgColorG'], \
d['AudioLightInfo']['BkColorB']")" "2 255 48"

# --- custom effects are added and removed with their files ------------------------------------
echo '{"LEDEffectList":[{"LEDREGMode":1,"red":255,"Time":100}]}' >"$work/glow.light"
echo '{"LEDEffectList":[{"LEDREGMode":1,"Time":0}]}' >"$work/bad.light"
check "add" 0 z light effect add Glow "$work/glow.light"
expect "add" "^added: mode 15 Glow (" "$work/out"
check "add twice" 1 z light effect add glow "$work/glow.light"
check "add bad" 1 z light effect add Bad "$work/bad.light"
expect "add bad" "Time" "$work/err"
check "list" 0 z light effect list
expect "list" "^15 *Glow *1 " "$work/out"
check "remove" 0 z light effect remove glow
check "remove again" 2 z light effect remove Glow
same "removed" "$(json "len(c['LightInfo'][1]), len([f for f in __import__('os').listdir('$folder') \
if f.endswith('.light')])")" "3 3"

# --- the preview animates a profile's custom effect -----------------------------------------------
cp "$work/glow.light" "$folder/g.light"
echo '{"LightInfo":[[],[{"LightName":"G","Guid":"g"}]]}' >"$folder/kesta_light.config"
check "set G" 0 z light set G
check "preview" 0 z preview --profile "$profile" --frames 3 --apng "$work/g.png" \
    --strip "$work/s.png"
expect "preview" "^3 frames of light mode 12 (custom effect \"G\"), 40 ms apart" "$work/out"
same "strip" "$(python3 -c "import struct,sys; print(*struct.unpack('>II', \
open(sys.argv[1], 'rb').read()[16:24]))" "$work/s.png")" "1020 460"
same "animation" "$(python3 - "$work/g.png" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read()
at, seen = 8, []
while at < len(d):
    n, = struct.unpack('>I', d[at:at + 4])
    kind, body = d[at + 4:at + 8], d[at + 8:at + 8 + n]
    if kind == b'acTL':
        seen.append('frames %d' % struct.unpack('>I', body[:4]))
    if kind == b'fcTL':
        seen.append('%d/%d' % struct.unpack('>HH', body[20:24]))
    at += 12 + n
print(' '.join(seen))
PY
)" "frames 3 40/1000 40/1000 40/1000"

exit $failed
