#!/usr/bin/env bash
# t418-zenctl's keyboard subcommands against the t418-zen-sim program, in a user folder of
# their own: the connect sequence, the decoded block, a write read back, and the follow
# mode's notification and re-read.
set -u
bin=$1
. "$(dirname "$0")/../sim_session.sh"
control plug keyboard
for _ in $(seq 50); do
    [ -S "$T418_ZEN_SIMBUS/keyboard-if1-col4/socket" ] && break
    sleep 0.1
done

check "connect" 0 "$bin/t418-zenctl" --trace connect --device keyboard
expect "connect" "^key slots: 104, positions mapped: 104$" "$work/out"
expect "connect" "^block: 00 06 04 02 01 00 20 c0 ff" "$work/out"
expect "connect" "^profile: $XDG_DATA_HOME/T418-ZEN/keyboard/.*\.Json$" "$work/out"
expect "connect trace" "^04 .. .. 1b" "$work/err"
profile=$(sed -n 's/^profile: //p' "$work/out")
[ -f "$profile" ] || { echo "FAIL connect: no profile file"; failed=1; }

check "show" 0 "$bin/t418-zenctl" settings show --device keyboard
expect "show" "^light mode code: 6$" "$work/out"
expect "show" "^colour: 20c0ff$" "$work/out"
expect "show" "^Key6Flag: 1$" "$work/out"

# The profile's brightness and a music mode changed on disk reach the keyboard.
sed -i 's/"Light" : [0-9]*/"Light" : 2/; s/"SelectItem" : [0-9]*/"SelectItem" : 29/' "$profile"
check "write" 0 "$bin/t418-zenctl" settings write --device keyboard
check "show after write" 0 "$bin/t418-zenctl" settings show --device keyboard
expect "write" "^brightness: 2$" "$work/out"
expect "write" "^light mode code: 254 (lit by the host)$" "$work/out"

# Following: a notification on the keyboard's event interface brings a re-read.
"$bin/t418-zenctl" connect --device keyboard --follow --seconds 3 >"$work/follow" 2>&1 &
follower=$!
for _ in $(seq 50); do
    grep -q "^following" "$work/follow" && break
    sleep 0.1
done
sleep 0.3
control notify keyboard 0x0401
wait "$follower"
expect "follow" "^notification 0x0401 (kind 1)$" "$work/follow"
expect "follow" "^re-read:$" "$work/follow"

control unplug keyboard
check "unplugged" 3 "$bin/t418-zenctl" connect --device keyboard

exit $failed
