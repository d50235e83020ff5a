#!/usr/bin/env bash
# The program's answers to other processes, live against t418-zen-sim: its start-up light
# announcement, a game request that changes the mouse for five seconds, and the light control
# taken and given back.
set -u
bin=$1
. "$(dirname "$0")/../sim_session.sh"
export QT_QPA_PLATFORM=offscreen T418_ZEN_TRACE=1
log=$XDG_DATA_HOME/R207QX-ACE/Linkhive.log
mkdir -p "$(dirname "$log")"

wait_for() {  # wait_for NAME PATTERN FILE: the pattern appears within 10 s
    for _ in $(seq 100); do
        grep -q -- "$2" "$3" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "FAIL $1: no '$2' in $3"; failed=1
    return 1
}
mode() { ask dump memory 0 2 | cut -d: -f2 | awk '{print $2}'; }
# wait_mode NAME WANT TENTHS: the block's mode byte becomes WANT within TENTHS tenths.
wait_mode() {
    for _ in $(seq "$3"); do
        [ "$(mode)" = "$2" ] && return 0
        sleep 0.1
    done
    echo "FAIL $1: mode byte $(mode), wanted $2"; failed=1
}

# The music styles in the user's audio file, made from the factory copy on first use.
check "music set" 0 "$bin/t418-zenctl" music set 2 --name Bass --colour 1,0,9 --current
check "music show" 0 "$bin/t418-zenctl" music show
expect "music show" '^\* style 2: 1,0,9 "Bass"' "$work/out"
check "music colour past 9" 2 "$bin/t418-zenctl" music set 1 --colour 1,2,10
check "music style past 3" 2 "$bin/t418-zenctl" music set 4

check "game request without the program" 1 "$bin/t418-zenctl" game start 2
check "game request with a bad mode" 2 "$bin/t418-zenctl" game start two

"$bin/t418-zenctl" listen --title light-listener --count 1 --seconds 20 >"$work/listen.out" 2>&1 &
listener=$!
"$bin/t418-zen" 2>"$work/prog.err" &
prog=$!
wait_for "mouse page filled" "WM_USB_MAINMESS_DEVICE_IS_INITUI    1" "$log"
wait "$listener" || { echo "FAIL start-up announcement: none"; failed=1; }
expect "start-up announcement" "wParam=1 lParam=1" "$work/listen.out"

before=$(mode)
check "game start" 0 "$bin/t418-zenctl" game start 2
wait_mode "game start" 02 20
sleep 3.5
same "game mode held" "$(mode)" 02
wait_mode "restored after five seconds" "$before" 30

check "light-control take" 0 "$bin/t418-zenctl" light-control take
wait_for "light control taken" "MainWnd: light control 0" "$work/prog.err"
check "light-control release" 0 "$bin/t418-zenctl" light-control release
wait_for "light control given back" "MainWnd: light control 1" "$work/prog.err"

kill "$prog"
wait "$prog" 2>/dev/null
exit $failed
