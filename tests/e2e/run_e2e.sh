#!/usr/bin/env bash
# Runs e2e.py against the program in a private desktop session: an Xvfb display, a D-Bus
# session bus, the accessibility bus and the Orca screen reader, all started here and all
# ended on the way out.
#   run_e2e.sh PROGRAM [ARTIFACT_DIR]
# ARTIFACT_DIR (default ./e2e-artifacts) receives the program's output, Orca's log and what it
# spoke for each action (speech.txt) and, on failure, a screenshot and the accessible tree.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 PROGRAM [ARTIFACT_DIR]" >&2
    exit 2
fi
program=$(realpath "$1")
artifacts=$(realpath -m "${2:-$PWD/e2e-artifacts}")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
python=/usr/bin/python3 # Debian's, which has the AT-SPI bindings
bus_launcher=/usr/libexec/at-spi-bus-launcher
timeout_s=10

fail() {
    echo "e2e: $*" >&2
    exit 1
}

for tool in Xvfb xdotool dbus-daemon dbus-send orca "$python" "$bus_launcher"; do
    command -v "$tool" >/dev/null || fail "$tool is missing; install scripts/packages.txt"
done
[ -x "$program" ] || fail "no program at $program"

work=$(mktemp -d "${TMPDIR:-/tmp}/helmira-e2e.XXXXXX")
rm -rf "$artifacts"
mkdir -p "$artifacts"
started=() # process ids, in start order

# Prints the process ids below $1, children before grandchildren.
descendants() {
    local parent=$1 stat pid rest ppid
    local -a found=()
    for stat in /proc/[0-9]*/stat; do
        { read -r rest <"$stat"; } 2>/dev/null || continue
        pid=${stat#/proc/}
        pid=${pid%/stat}
        rest=${rest##*) } # after the command name, which may hold spaces
        read -r _ ppid _ <<<"$rest"
        [ "$ppid" = "$parent" ] && found+=("$pid")
    done
    for pid in "${found[@]}"; do
        echo "$pid"
        descendants "$pid"
    done
}

alive() {
    kill -0 "$1" 2>/dev/null
}

# Ends the given processes: TERM, then KILL for any still there after a while.
end_processes() {
    local pid tries left
    kill -TERM "$@" 2>/dev/null || true
    for ((tries = 0; tries < 50; tries++)); do
        left=0
        for pid in "$@"; do
            alive "$pid" && left=1
        done
        [ "$left" -eq 0 ] && return 0
        sleep 0.1
    done
    kill -KILL "$@" 2>/dev/null || true
}

cleanup() {
    local status=$? i pid
    local -a tree
    trap - EXIT INT TERM HUP
    # Newest first: the program and the accessibility bus before the session bus and display.
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        pid=${started[i]}
        mapfile -t tree < <(descendants "$pid")
        end_processes "$pid" "${tree[@]}"
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# Waits up to $timeout_s seconds for the command to succeed.
wait_until() {
    local what=$1 tries
    shift
    for ((tries = 0; tries < timeout_s * 10; tries++)); do
        "$@" && return 0
        sleep 0.1
    done
    fail "timed out after ${timeout_s} s waiting for $what"
}

# A display of our own; Xvfb picks a free number and writes it to the pipe when ready.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -fbdir "$work" \
    3>"$work/display" >"$artifacts/xvfb.log" 2>&1 &
started+=($!)
exec 4<"$work/display"
read -r -t "$timeout_s" display <&4 || fail "Xvfb did not start; see $artifacts/xvfb.log"
exec 4<&-
export DISPLAY=":$display"
export E2E_FRAMEBUFFER="$work/Xvfb_screen0"

# A session bus of our own, and the accessibility bus it hands out; settings from memory, so
# accessibility starts switched off whatever this machine's user has set.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" GSETTINGS_BACKEND=memory
unset AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/bus" \
    >"$artifacts/dbus.log" 2>&1 &
started+=($!)
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
wait_until "the session bus" [ -S "$work/bus" ]

"$bus_launcher" --launch-immediately >"$artifacts/at-spi.log" 2>&1 &
started+=($!)
# Asks whether the launcher owns its name yet (asking the bus itself would start another one).
a11y_bus_ready() {
    local reply
    reply=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null) || return 1
    [[ $reply == *"boolean true"* ]]
}
wait_until "the accessibility bus" a11y_bus_ready

# A screen reader of our own, Orca, as a desktop with a screen reader on would run it; it
# switches accessibility on over the session bus before the program starts. Its preferences
# live here; every line it logs, the speech among them, reaches the file at once.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
export XDG_CACHE_HOME="$work/home/cache"
mkdir -p "$work/orca" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
cat >"$work/orca/orca-customizations.py" <<'EOF'
import __main__
from orca import debug

if debug.debugFile:
    debug.debugFile.reconfigure(line_buffering=True)
# Orca declines to start beside another instance of the same user; the others on this machine
# speak to other buses.
__main__.otherOrcas = lambda: []
EOF
speech_log="$artifacts/orca.log"
orca --user-prefs "$work/orca" --debug-file "$speech_log" >"$artifacts/orca.out" 2>&1 &
started+=($!)
wait_until "the screen reader" grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$speech_log"
export E2E_SPEECH_LOG="$speech_log"

echo "e2e: display $DISPLAY, artifacts in $artifacts"
"$python" "$here/e2e.py" "$program" "$artifacts" </dev/null &
started+=($!)
driver=${started[-1]}
status=0
wait "$driver" || status=$?
[ "$status" -eq 0 ] || echo "e2e: failed; see $artifacts" >&2
exit "$status"
