# Sourced by the t418-zenctl macros test scripts: a user folder of their own on an empty
# simulated bus (no device), and the checks they share. $1 is the folder of the programs.
set -u
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
export T418_ZEN_SIMBUS=$work/bus
mkdir -p "$XDG_RUNTIME_DIR" "$T418_ZEN_SIMBUS" && chmod 700 "$XDG_RUNTIME_DIR"
folder=$XDG_DATA_HOME/T418-ZEN/mouse
mkdir -p "$folder"
failed=0
z() { "$bin/t418-zenctl" "$@"; }
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
refuse() {  # refuse NAME PATTERN FILE
    grep -q -- "$2" "$3" && { echo "FAIL $1: '$2'"; cat "$3"; failed=1; }
    return 0
}
