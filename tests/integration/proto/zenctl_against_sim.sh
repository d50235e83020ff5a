#!/usr/bin/env bash
# t418-zenctl against the t418-zen-sim program over its bus: the packets both ways with
# --trace, the decoded block, and the exit codes of the failure results.
set -u
bin=$1
. "$(dirname "$0")/../sim_session.sh"
check "trace info" 0 "$bin/t418-zenctl" --trace info
grep -q "^signature: *0x55AA" "$work/out" || { echo "FAIL: no decoded block"; failed=1; }
grep -q "^命令" "$work/err" && grep -q "^返回" "$work/err" &&
    grep -q "^04 25 00 03   22 00 00 00   " "$work/err" ||
    { echo "FAIL: packets not traced"; cat "$work/err"; failed=1; }

check "write" 0 "$bin/t418-zenctl" write-memory --device receiver 0x100 0x0a0B 0c
check "odd hex" 2 "$bin/t418-zenctl" write-memory 0x100 0a0
check "bad hex" 2 "$bin/t418-zenctl" write-memory 0x100 0x
check "read" 0 "$bin/t418-zenctl" read-memory 0x100 3
grep -q "^0100: 0a 0b 0c$" "$work/out" || { echo "FAIL: read back"; cat "$work/out"; failed=1; }

control link off
check "unlinked probe" 6 "$bin/t418-zenctl" probe-link --device receiver
check "unlinked info" 6 "$bin/t418-zenctl" info --device receiver
control link on
check "linked probe" 0 "$bin/t418-zenctl" probe-link --device receiver

control fault status 0xFE at 2
check "status 0xFE" 8 "$bin/t418-zenctl" write-memory 0x100 01
control fault status 0xFF at 1
check "status 0xFF" 7 "$bin/t418-zenctl" read-memory 0 1
control fault noanswer
check "no answer" 4 "$bin/t418-zenctl" read-memory 0 1
control fault none
control fault short 8
check "short answer" 4 "$bin/t418-zenctl" info
control fault none
check "usage" 2 "$bin/t418-zenctl" read-memory 0x10000 1
check "no pad" 3 "$bin/t418-zenctl" info --device pad

exit $failed
