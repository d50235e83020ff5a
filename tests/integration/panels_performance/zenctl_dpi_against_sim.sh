#!/usr/bin/env bash
# t418-zenctl dpi against the t418-zen-sim program, in a user folder of its own: the stages
# as DPI numbers, a typed number stored and sent, and the mouse out of reach.
set -u
bin=$1
. "$(dirname "$0")/../sim_session.sh"
check "show" 0 "$bin/t418-zenctl" dpi show
expect "show sensor" "^sensor:  0x3395" "$work/out"
expect "show stage" "^stage 0: on     400 DPI  position   7" "$work/out"

# 2070 is position 40 on 0x3395, shown as 2050; the block the mouse holds has it.
check "set" 0 "$bin/t418-zenctl" dpi set 2 2070
expect "set" "^stage 2: 2050 DPI (position 40)$" "$work/out"
expect "set sent" "^sent:" "$work/out"
check "settings after set" 0 "$bin/t418-zenctl" settings show
expect "settings after set" "^stage 2: .* x *40 " "$work/out"
check "show after set" 0 "$bin/t418-zenctl" dpi show
expect "show after set" "^stage 2: on    2050 DPI  position  40" "$work/out"

# Below 50 counts as 50; the slider's end bounds a large number.
check "set small" 0 "$bin/t418-zenctl" dpi set 1 ""
expect "set small" "^stage 1: 50 DPI (position 0)$" "$work/out"
check "set large" 0 "$bin/t418-zenctl" dpi set 1 99999
expect "set large" "^stage 1: 26000 DPI (position 519)$" "$work/out"

check "bad stage" 2 "$bin/t418-zenctl" dpi set 7 800
check "bad usage" 2 "$bin/t418-zenctl" dpi set 1

# Out of reach: the sensor must be named; the profile is still saved.
control link off
check "unlinked set" 3 "$bin/t418-zenctl" dpi set 0 800 --device receiver
check "unlinked set with sensor" 0 "$bin/t418-zenctl" dpi set 0 800 --device receiver --sensor 0x3395
expect "unlinked set" "^not sent:" "$work/out"
check "unlinked show" 0 "$bin/t418-zenctl" dpi show --device receiver --sensor 0x3395
expect "unlinked show" "^stage 0: on     800 DPI  position  15" "$work/out"
control link on

exit $failed
