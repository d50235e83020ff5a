#!/usr/bin/env bash
# t418-zenctl shoot against the t418-zen-sim program, in a user folder of its own: the factory
# sets shown, a bullet edited and uploaded to the simulated mouse's shoot area, an import that
# reaches the mouse only with the upload, copies that fail leave the set as it was, a gun key,
# and the receiver without its mouse.
set -u
bin=$1
. "$(dirname "$0")/../sim_session.sh"
zenctl=$bin/t418-zenctl
# area FIRST COUNT: COUNT bytes of the simulated mouse's shoot area from FIRST, as "0a 00 ...".
area() {
    ask dump shoot $(($1 + $2)) | cut -d: -f2 | tr -s ' \n' '  ' | sed 's/^ *//; s/ *$//' |
        cut -d' ' -f$(($1 + 1))-$(($1 + $2))
}
user=$XDG_DATA_HOME/T418-ZEN/mouse

# --- the factory sets before the user has any ----------------------------------------------------
check "show" 0 "$zenctl" shoot show
same "factory sets shown" "$(grep -c '^set [0-3]: .*(factory)$' "$work/out")" 4
same "complete sets" "$(grep -c '^events: 180 of 180$' "$work/out")" 4
same "bullets" "$(grep -cE '^[0-9]+ +[0-9]+ (left|right) +[0-9]+ (up|down) +[0-9]+$' "$work/out")" 120

# --- a bullet edited and uploaded --------------------------------------------------------------
check "edit" 0 "$zenctl" shoot edit 0 0 2 6 90
expect "edit" "^set 0 bullet 0: x 2 right, y 6 down, delay 90$" "$work/out"
check "edit beyond" 0 "$zenctl" shoot edit 0 1 -300 -1 70000
expect "edit beyond" "x 300 left (the mouse gets 44), y 1 up, delay 70000 (the mouse gets 4464)" \
    "$work/out"
check "show 0" 0 "$zenctl" shoot show 0
expect "show 0 is the user's" "^set 0: $user/ShootData_0.Shoot$" "$work/out"
expect "show bullet 0" "^0  *2 right  *6 down  *90$" "$work/out"
ask check reset >/dev/null
check "upload" 0 "$zenctl" shoot upload --device cable
expect "upload" "^sent: 4 sets (180, 180, 180, 180 events), 2920 bytes in 53 packets (cable)$" \
    "$work/out"
# The information block, begin, 53 chunks, end.
same "requests" "$(ask check)" "requests 56, interleaved 0"
same "header" "$(area 0 24)" "aa 55 68 0b 04 00 00 00 00 00 00 00 00 00 00 00 18 00 ec 02 c0 05 94 08"
same "bullet 0" "$(area 28 24)" \
    "0a 00 81 01 00 00 01 01 05 00 04 02 5a 00 05 06 00 00 04 00 00 00 05 00"
same "bullet 1: x and delay" "$(area 60 6)" "05 00 84 2c 70 11"

# --- an import reaches the files at once, the mouse with the upload --------------------------------
check "export set 3" 0 "$zenctl" shoot export 3 "$work/B.SHOOT"
cmp -s "$work/B.SHOOT" "$user/ShootData_3.Shoot" || { echo "FAIL export"; failed=1; }
mouse_before=$(area 748 724)
check "import" 0 "$zenctl" shoot import 1 "$work/B.SHOOT"
check "show 1" 0 "$zenctl" shoot show 1
grep -E '^[0-9]+ ' "$work/out" >"$work/set1"
check "show 3" 0 "$zenctl" shoot show 3
grep -E '^[0-9]+ ' "$work/out" >"$work/set3"
cmp -s "$work/set1" "$work/set3" || { echo "FAIL import: set 1 does not show set 3"; failed=1; }
same "not on the mouse before the upload" "$(area 748 724)" "$mouse_before"
check "upload after import" 0 "$zenctl" shoot upload
same "on the mouse after the upload" "$(area 748 724)" "$(area 2196 724)"

# --- copies that cannot be made leave the set byte for byte ---------------------------------------
cp "$user/ShootData_1.Shoot" "$work/set1.before"
mkdir "$work/folder.shoot"
check "import missing" 1 "$zenctl" shoot import 1 "$work/vanished.shoot"
expect "import missing" "does not exist; set 1 is unchanged" "$work/err"
check "import folder" 1 "$zenctl" shoot import 1 "$work/folder.shoot"
expect "import folder" "is a folder; set 1 is unchanged" "$work/err"
check "export onto itself" 0 "$zenctl" shoot export 1 "$user/ShootData_1.Shoot"
cmp -s "$user/ShootData_1.Shoot" "$work/set1.before" || { echo "FAIL: set 1 changed"; failed=1; }
check "reset" 0 "$zenctl" shoot reset 1
cmp -s "$user/ShootData_1.Shoot" "$bin/DefaultData/ShootData_1.Shoot" || {
    echo "FAIL reset"
    failed=1
}
check "no set 4" 2 "$zenctl" shoot reset 4
check "no bullet 30" 2 "$zenctl" shoot edit 0 30 1 1 1

# --- a gun key runs a set ----------------------------------------------------------------------
check "gun key" 0 "$zenctl" keys set 3 gun_3_txt
same "gun key in the key map" "$(ask dump keymap 0 12 | cut -d: -f2 | cut -d' ' -f11-13)" "72 02 00"
check "show 2" 0 "$zenctl" shoot show 2
expect "show 2: its gun key" "^gun keys: 3 (mouse_key_forward)$" "$work/out"
check "show 1" 0 "$zenctl" shoot show 1
expect "show 1: none" "^gun keys: none$" "$work/out"

# --- the receiver without its mouse: the probe and nothing else ------------------------------------
control link off
ask log on >/dev/null
logged=$(wc -l <"$work/sim.out")
check "unlinked" 6 "$zenctl" shoot upload --device receiver
expect "unlinked" "not linked; nothing was sent" "$work/err"
ask log off >/dev/null
same "only the probe" "$(tail -n +"$((logged + 1))" "$work/sim.out" | grep -c ' > ')" 1
same "the probe" "$(tail -n +"$((logged + 1))" "$work/sim.out" | grep ' > ' | cut -c18-28)" \
    "04 aa 00 aa"
control link on

exit $failed
