# Sourced by the zenctl scripts: a user folder of their own and t418-zen-sim on a bus in it,
# driven through a control fifo; `control CMD` sends a simulator command, `ask CMD` answers
# its reply, `check NAME EXIT CMD...` runs a command and `expect`/`same` compare; each records
# a failure in $failed. Returns once the simulated devices are on the bus. Expects $bin (the
# binaries' folder); $sim_devices and $sim_ready (the collection waited for) may name others.
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/run XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
export T418_ZEN_SIMBUS=$work/bus
mkfifo "$work/control"
"$bin/t418-zen-sim" --bus "$T418_ZEN_SIMBUS" --devices "${sim_devices:-mouse-cable,mouse-receiver}" \
    <"$work/control" >"$work/sim.out" 2>&1 &
sim=$!
exec 3>"$work/control"
failed=0
cleanup() {
    echo quit >&3
    exec 3>&-
    wait "$sim" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
control() { echo "$*" >&3; sleep 0.2; }
check() {  # check NAME EXPECTED-EXIT COMMAND...
    local name=$1 want=$2; shift 2
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    if [ "$got" != "$want" ]; then
        echo "FAIL $name: exit $got, wanted $want"; cat "$work/out" "$work/err"; failed=1
    fi
}
expect() {  # expect NAME PATTERN FILE
    grep -q -- "$2" "$3" || { echo "FAIL $1: no '$2'"; cat "$3"; failed=1; }
}
same() {  # same NAME GOT WANTED
    [ "$2" = "$3" ] || { echo "FAIL $1: '$2', wanted '$3'"; failed=1; }
}
# ask CMD: the simulator's reply to a control command, up to its "ok".
ask() {
    local before
    before=$(wc -l <"$work/sim.out")
    echo "$*" >&3
    for _ in $(seq 100); do
        tail -n +"$((before + 1))" "$work/sim.out" | grep -q '^ok' && break
        sleep 0.02
    done
    tail -n +"$((before + 1))" "$work/sim.out" | sed '/^ok/,$d'
}
for _ in $(seq 50); do
    [ -S "$T418_ZEN_SIMBUS/${sim_ready:-mouse-receiver-if1-col2}/socket" ] && break
    sleep 0.1
done
