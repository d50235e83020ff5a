#!/usr/bin/env bash
# t418-zenctl profiles against the t418-zen-sim program, in a user folder of its own: the
# list as the program keeps it, a selected profile reaching the mouse, export and import,
# a hostile import refused, deletion, and selecting without a mouse.
set -u
bin=$1
. "$(dirname "$0")/../sim_session.sh"
for _ in $(seq 50); do
    [ -S "$T418_ZEN_SIMBUS/mouse-cable-if1-col2/socket" ] && break
    sleep 0.1
done
folder=$XDG_DATA_HOME/T418-ZEN/mouse

check "list" 0 "$bin/t418-zenctl" profiles list
expect "list" "^\*  1  Profile1 " "$work/out"
check "copy" 0 "$bin/t418-zenctl" profiles copy 1
expect "copy" "^copied: 2 Profile1 copy$" "$work/out"
check "list 2" 0 "$bin/t418-zenctl" profiles list
id=$(awk '$1 == "2" { print $NF }' "$work/out")
[ -f "$folder/$id.Json" ] || { echo "FAIL: no file for profile 2 ($id)"; failed=1; }

# The second profile's stage 0 reaches the mouse when it is selected, and goes when the
# first is selected again.
sed -i '0,/"StageDPIX" : [0-9]*/s//"StageDPIX" : 1234/' "$folder/$id.Json"
check "select 2" 0 "$bin/t418-zenctl" profiles select 2
expect "select 2" "^selected: 2 Profile1 copy$" "$work/out"
expect "select 2" "^sent to the mouse (cable): settings, 0 macros, key map$" "$work/out"
check "show 2" 0 "$bin/t418-zenctl" settings show --device cable
expect "show 2" "^stage 0: .* x  1234" "$work/out"
check "list selected" 0 "$bin/t418-zenctl" profiles list
expect "list selected" "^\*  2  Profile1 copy " "$work/out"
check "select 1" 0 "$bin/t418-zenctl" profiles select 1
check "show 1" 0 "$bin/t418-zenctl" settings show --device cable
grep -q "^stage 0: .* x  1234" "$work/out" && { echo "FAIL: stage 0 stayed"; failed=1; }

# Export and import name the copy as the program does.
check "export" 0 "$bin/t418-zenctl" profiles export 2 "$work/Game.json"
check "import" 0 "$bin/t418-zenctl" profiles import "$work/Game.json"
expect "import" "^imported: 3 Profile1 copy(1)$" "$work/out"
cp "$folder/ProfileList.ini" "$work/list.before"
echo '["profilename"]' >"$work/hostile.json"
check "hostile import" 1 "$bin/t418-zenctl" profiles import "$work/hostile.json"
expect "hostile import" "not a profile file" "$work/err"
cmp -s "$folder/ProfileList.ini" "$work/list.before" || { echo "FAIL: list changed"; failed=1; }

check "delete" 0 "$bin/t418-zenctl" profiles delete 3
expect "delete" "^deleted: Profile1 copy(1); selected: 2 Profile1 copy$" "$work/out"
check "delete none" 2 "$bin/t418-zenctl" profiles delete 9
check "usage" 2 "$bin/t418-zenctl" profiles rename 1 x

# Without a mouse the selection is still stored, and the tool says so.
control unplug mouse-cable
control unplug mouse-receiver
check "select unplugged" 0 "$bin/t418-zenctl" profiles select 1
expect "select unplugged" "^no mouse reachable" "$work/out"
check "list after" 0 "$bin/t418-zenctl" profiles list
expect "list after" "^\*  1  Profile1 " "$work/out"

exit $failed
