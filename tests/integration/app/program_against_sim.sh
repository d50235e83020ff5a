#!/usr/bin/env bash
# The program t418-zen against the t418-zen-sim program, live: the mouse on cable and
# receiver comes up, pulling the cable switches to the receiver, pulling everything shows the
# no-device layout, plugging the cable brings the mouse back, a second start hands over and
# ends with 0; then a screenshot run with the mouse connected and one with no device.
set -u
bin=$1
. "$(dirname "$0")/../sim_session.sh"
export QT_QPA_PLATFORM=offscreen T418_ZEN_TRACE=1
log=$XDG_DATA_HOME/R207QX-ACE/Linkhive.log
mkdir -p "$(dirname "$log")"  # the log is written only into an existing folder

# wait_for NAME PATTERN FILE [COUNT]: the pattern appears (COUNT times) within 10 s.
wait_for() {
    local want=${4:-1} n
    for _ in $(seq 100); do
        n=$(grep -c -- "$2" "$3" 2>/dev/null)
        [ "${n:-0}" -ge "$want" ] && return 0
        sleep 0.1
    done
    echo "FAIL $1: no '$2' (x$want) in $3"; failed=1
    return 1
}
"$bin/t418-zen" 2>"$work/prog.err" &
prog=$!
wait_for "mouse page filled" "WM_USB_MAINMESS_DEVICE_IS_INITUI    1" "$log"
wait_for "first paint" "MainWnd: first paint" "$work/prog.err"

control unplug mouse-cable
wait_for "cable pulled" "鼠标设备丢失" "$work/prog.err"
wait_for "switched to the receiver" "获取2" "$work/prog.err"
grep -q "DeviceSelectChanger>pNoDeviceLinkLyout    true" "$log" &&
    { echo "FAIL cable pulled: the mouse was hidden while its receiver works"; failed=1; }

control unplug mouse-receiver
wait_for "everything pulled" "DeviceSelectChanger>pNoDeviceLinkLyout    true" "$log"

control plug mouse-cable
wait_for "cable back" "WM_USB_MAINMESS_DEVICE_IS_INITUI    1" "$log" 2

check "second start" 0 "$bin/t418-zen"
wait_for "hand-over" "，0d1d" "$work/prog.err"
kill -0 "$prog" 2>/dev/null || { echo "FAIL: the first instance ended"; failed=1; }
kill "$prog"
wait "$prog" 2>/dev/null

# Screenshot runs: with the mouse (ends on the filled page) and with no device (after the wait).
control plug mouse-receiver
T418_ZEN_SCREENSHOTS=$work/shots check "screenshot with the mouse" 0 "$bin/t418-zen"
png_size() { python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(24); print(*struct.unpack('>II', d[16:24]))" "$1"; }
[ "$(png_size "$work/shots/main.png" 2>/dev/null)" = "1000 640" ] ||
    { echo "FAIL screenshot with the mouse: $(png_size "$work/shots/main.png" 2>&1)"; failed=1; }
grep -q "MainWnd: screenshot written" "$work/err" ||
    { echo "FAIL screenshot with the mouse: not written on the filled page"; failed=1; }

control unplug mouse-cable
control unplug mouse-receiver
T418_ZEN_SCREENSHOTS=$work/empty T418_ZEN_SCREENSHOT_WAIT_MS=300 \
    check "screenshot with no device" 0 "$bin/t418-zen"
[ -s "$work/empty/main.png" ] || { echo "FAIL screenshot with no device: none"; failed=1; }

# The settings window opened (3093) during a screenshot run writes itself beside main.png.
T418_ZEN_SCREENSHOTS=$work/settings T418_ZEN_SCREENSHOT_WAIT_MS=3000 "$bin/t418-zen" \
    2>"$work/settings.err" &
prog=$!
wait_for "first paint (settings run)" "MainWnd: first paint" "$work/settings.err"
"$bin/t418-zenctl" send --to "T418-ZEN" --message 3093 0 0 >/dev/null
wait_for "settings window written" "SetWnd: screenshot written" "$work/settings.err"
wait "$prog"
same "settings run exit" "$?" 0
[ "$(png_size "$work/settings/settings.png" 2>/dev/null)" = "630 500" ] ||
    { echo "FAIL settings screenshot: $(png_size "$work/settings/settings.png" 2>&1)"; failed=1; }
exit $failed
