#!/usr/bin/env bash
# t418-zenctl settings and connect against the t418-zen-sim program, in a user folder of
# their own: the decoded block, the connect sequence's profile, a write read back.
set -u
bin=$1
. "$(dirname "$0")/../sim_session.sh"
check "show" 0 "$bin/t418-zenctl" --trace settings show
expect "show" "^speed: *2 (byte 2)$" "$work/out"
expect "show" "^colour: *#FF2040$" "$work/out"
expect "show" "^stage 4: *on  xy 0  x  3200" "$work/out"
expect "show trace" "^04 .. .. 05   38 00 00 00" "$work/err"

check "connect" 0 "$bin/t418-zenctl" connect --device receiver
expect "connect" "^profile: $XDG_DATA_HOME/T418-ZEN/mouse/.*\.Json$" "$work/out"
expect "connect" '"device_sleep1" : 5' "$work/out"
expect "connect message" "^message 3333 wParam 1" "$work/err"
profile=$(sed -n 's/^profile: //p' "$work/out")
[ -f "$profile" ] || { echo "FAIL connect: no profile file"; failed=1; }
[ -f "$XDG_DATA_HOME/T418-ZEN/mouse/ProfileList.ini" ] || { echo "FAIL: no list"; failed=1; }

# The profile's stage 0 changed on disk reaches the device.
sed -i '0,/"StageDPIX" : [0-9]*/s//"StageDPIX" : 1234/' "$profile"
check "write" 0 "$bin/t418-zenctl" settings write
check "show after write" 0 "$bin/t418-zenctl" settings show
expect "write" "^stage 0: .* x  1234" "$work/out"

# The mouse's own keys change what the block holds.
control press dpi
control press profile
check "show after presses" 0 "$bin/t418-zenctl" settings show
expect "presses" "^onboard profile: *1$" "$work/out"

control link off
check "unlinked connect" 1 "$bin/t418-zenctl" connect --device receiver
check "unlinked write" 4 "$bin/t418-zenctl" settings write --device receiver
check "unlinked show" 6 "$bin/t418-zenctl" settings show --device receiver
control link on
check "usage" 2 "$bin/t418-zenctl" settings erase

exit $failed
