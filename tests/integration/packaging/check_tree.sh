#!/usr/bin/env bash
# Checks an installed tree: check_tree.sh PREFIX [FINAL_PREFIX]; FINAL_PREFIX is where an
# unpacked package would live (/usr), against which its relative font links resolve. The files are where a desktop looks for
# them, the desktop entry and metainfo pass their validators, the man pages render without
# a warning, and the installed programs run from there: t418-zenctl --help, and t418-zen's
# offscreen screenshot run against the simulator, which needs its program data found from
# the binary (../share/t418-zen/). Prints FAIL lines; exit 1 on any.
set -u
prefix=$1
final=${2:-$prefix}
bin=$prefix/bin
data=$prefix/share/t418-zen
fails=0
fail() { echo "FAIL $*"; fails=1; }

for f in bin/t418-zen bin/t418-zenctl bin/t418-zen-sim \
         share/t418-zen/skin/res.xml share/t418-zen/skin/lan_en.xml \
         share/t418-zen/DefaultData/mouse.Json share/t418-zen/DefaultData/Language.config \
         lib/udev/rules.d/70-t418-zen.rules \
         share/applications/com.draxmoor.T418Zen.desktop \
         share/metainfo/com.draxmoor.T418Zen.metainfo.xml \
         share/icons/hicolor/scalable/apps/t418-zen.svg \
         share/icons/hicolor/16x16/apps/t418-zen.png \
         share/icons/hicolor/256x256/apps/t418-zen.png \
         share/man/man1/t418-zen.1 share/man/man1/t418-zenctl.1 share/man/man1/t418-zen-sim.1; do
    [ -e "$prefix/$f" ] || fail "missing $f"
done
[ -d "$data/Update" ] || fail "missing the empty Update/ folder"
[ -z "$(ls -A "$data/Update" 2>/dev/null)" ] || fail "Update/ is not empty"
[ -e "$prefix/share/t418-zen/linux" ] && fail "the udev rule's folder is in the program data"
# Font/ links to system fonts (or holds copies); a link must resolve.
for font in "$data"/Font/*; do
    target=$(readlink "$font" || true)
    case "$target" in
        "") [ -s "$font" ] || fail "Font/$(basename "$font") is empty" ;;
        /*) [ -e "$target" ] || fail "Font/$(basename "$font") -> $target does not resolve" ;;
        *) [ -e "$(realpath -m "$final/share/t418-zen/Font/$target")" ] ||
               fail "Font/$(basename "$font") -> $target does not resolve from $final" ;;
    esac
done
[ -n "$(ls -A "$data/Font" 2>/dev/null)" ] || fail "Font/ is empty"

if command -v desktop-file-validate >/dev/null; then
    out=$(desktop-file-validate "$prefix/share/applications/com.draxmoor.T418Zen.desktop" 2>&1)
    [ $? = 0 ] && [ -z "$out" ] || fail "desktop-file-validate: $out"
else
    echo "SKIP desktop-file-validate (desktop-file-utils not installed)"
fi
if command -v appstreamcli >/dev/null; then
    out=$(appstreamcli validate --no-net "$prefix/share/metainfo/com.draxmoor.T418Zen.metainfo.xml" 2>&1) ||
        fail "appstreamcli validate: $out"
else
    echo "SKIP appstreamcli (appstream not installed)"
fi
if command -v man >/dev/null; then
    for page in "$prefix"/share/man/man1/*.1*; do
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man $(basename "$page"): $warnings"
        LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q '^NAME' ||
            fail "man $(basename "$page"): no NAME section"
    done
    LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$prefix/share/man/man1/t418-zen.1" 2>/dev/null |
        grep -q T418_ZEN_START_HIDDEN || fail "man t418-zen: the environment is not listed"
fi

"$bin/t418-zenctl" --help >/dev/null 2>&1 || fail "installed t418-zenctl --help"

# The screenshot run from the installed tree, against the simulator; the build tree must
# not be what it reads.
unset T418_ZEN_PROGRAM_DIR
. "$(dirname "$0")/../sim_session.sh"
failed=0
export QT_QPA_PLATFORM=offscreen T418_ZEN_TRACE=1
for _ in $(seq 50); do
    [ -S "$T418_ZEN_SIMBUS/mouse-receiver-if1-col2/socket" ] && break
    sleep 0.1
done
T418_ZEN_SCREENSHOTS=$work/shots check "installed screenshot run" 0 "$bin/t418-zen"
grep -q "MainWnd: screenshot written" "$work/err" ||
    fail "installed t418-zen wrote no screenshot of the filled page: $(tail -3 "$work/err")"
[ -s "$work/shots/main.png" ] || fail "installed t418-zen: no main.png"
[ "$failed" = 0 ] || fails=1
exit $fails
