#!/usr/bin/env bash
# t418-zenctl connect, settings show and write, and connect --follow for the mouse pad against
# the t418-zen-sim program, in a user folder of their own.
set -u
bin=$1
sim_devices=pad,headset
sim_ready=pad-if1-col4
. "$(dirname "$0")/../sim_session.sh"

check "show" 0 "$bin/t418-zenctl" settings show --device pad
expect "show" "^light mode code: *1$" "$work/out"
expect "show" "^speed: *2 (byte 2)$" "$work/out"
expect "show" "^colour: *#0080FF$" "$work/out"

check "connect" 0 "$bin/t418-zenctl" connect --device pad
expect "connect" "^profile: $XDG_DATA_HOME/T418-ZEN/MousePad/.*\.Json$" "$work/out"
expect "connect" "^power: 100 %, phone 0$" "$work/out"
profile=$(sed -n 's/^profile: //p' "$work/out")
[ -f "$profile" ] || { echo "FAIL connect: no profile file"; failed=1; }

# The profile's light mode changed on disk reaches the pad as its code, with 4 - speed.
sed -i 's/"SelectItem" : [0-9]*/"SelectItem" : 3/; s/"Speed" : [0-9]*/"Speed" : 1/' "$profile"
check "write" 0 "$bin/t418-zenctl" settings write --device pad
check "show after write" 0 "$bin/t418-zenctl" settings show --device pad
expect "write" "^light mode code: *3$" "$work/out"
expect "write" "^speed: *1 (byte 3)$" "$work/out"
# Bytes the program does not set come back as the pad gave them.
same "untouched bytes" "$(ask dump pad 9 12)" "0009: 39 3a 3b 3c 3d 3e 3f 40 41 42 43 44"

# The keyboard is not a device of this bus.
check "no keyboard" 3 "$bin/t418-zenctl" connect --device keyboard

# Following: a press of the pad's light key and a phone laid on it are printed as they come.
"$bin/t418-zenctl" connect --device pad --follow --seconds 5 >"$work/follow" 2>&1 &
follower=$!
for _ in $(seq 100); do
    grep -q "^following" "$work/follow" && break
    sleep 0.05
done
control pad phone 2
control press pad-light
wait "$follower" || { echo "FAIL follow: exit $?"; failed=1; }
expect "follow notification" "^notification 0x0401 (kind 3)$" "$work/follow"
expect "follow re-read" "^re-read:$" "$work/follow"
expect "follow mode" '"SelectItem" : 4' "$work/follow"
expect "follow phone" "^power: 100 %, phone 2$" "$work/follow"
exit $failed
