#!/usr/bin/env bash
# wayland.sh <program> <wayland_drive>
# Run by with_xvfb.sh, which gives it an X display of its own in DISPLAY. Starts a headless
# Wayland compositor (weston) with a private XDG_RUNTIME_DIR, then checks:
#   - the drive runs a session on the wayland platform, and every toplevel title it sends is the
#     window's caption alone, with the program's desktop-file id as app id;
#   - the program, with no QT_QPA_PLATFORM in a GNOME Wayland session where both displays answer,
#     opens its main window on Wayland (not X11), whatever else is on its command line; with a
#     wrong WAYLAND_DISPLAY it opens it on X11, without a warning;
#   - where no display answers, it prints one line and exits with status 2;
#   - --version and --help answer without any display and exit 0.
set -uo pipefail
program=$1
drive=$2
main_caption="Helmira Geometric Calculator"
app_id=io.github.helmira.GeometricCalculator
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in weston xwininfo; do
    command -v "$tool" >/dev/null || { echo "wayland.sh: $tool is not installed" >&2; exit 1; }
done
[ -n "${DISPLAY:-}" ] || { echo "wayland.sh: no X display (run it through with_xvfb.sh)" >&2; exit 1; }
x_display=$DISPLAY

work=$(mktemp -d)
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work
socket=helmira-test
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
    --log="$work/weston.log" >/dev/null 2>&1 &
compositor=$!
cleanup() {
    kill "$compositor" 2>/dev/null
    wait "$compositor" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [ -S "$work/$socket" ] && break
    sleep 0.05
done
[ -S "$work/$socket" ] || { echo "wayland.sh: weston did not start:" >&2; cat "$work/weston.log" >&2; exit 1; }
unset QT_QPA_PLATFORM XDG_SESSION_TYPE WAYLAND_SOCKET

# titles <log>: the titles given to xdg toplevels in a WAYLAND_DEBUG log, one a line, sorted.
titles() {
    sed -n 's/.*xdg_toplevel@[0-9]*\.set_title("\(.*\)")$/\1/p' "$1" | sort -u
}

# The session, on Wayland alone. The headless compositor has no seat, and Qt 6.4's Wayland input
# method reaches for the seat's text input on every key event given to a line edit, so the drive
# runs without an input method.
if ! DISPLAY='' WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland QT_IM_MODULE=none WAYLAND_DEBUG=1 \
    timeout 40 "$drive" 2>"$work/drive.log"; then
    fail "the session on Wayland did not end through Close with status 0:"
    grep -v '^\[' "$work/drive.log" >&2
fi
seen=$(titles "$work/drive.log")
expected=$(printf '%s\n' "$main_caption" "Volume of Pyramid" "Volume of Sphere" | sort)
[ "$seen" = "$expected" ] || fail "toplevel titles on Wayland: got '${seen//$'\n'/|}', expected '${expected//$'\n'/|}'"
grep -q "set_app_id(\"$app_id\")" "$work/drive.log" || fail "no toplevel has app id $app_id"
echo "session on Wayland: toplevel titles ${seen//$'\n'/, }"

# started <log> <pid>: waits until the program's main window has its title on Wayland (or the
# program ends) and says whether it did.
started() {
    for _ in $(seq 100); do
        titles "$1" | grep -qx "$main_caption" && return 0
        kill -0 "$2" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
# on_x11: whether a window titled as the main window is on the X display.
on_x11() {
    xwininfo -display "$x_display" -root -tree | grep -q "\"$main_caption\": (\"helmira"
}
# stop <pid>: ends a program still running and says whether it was still running.
stop() {
    kill "$1" 2>/dev/null || return 1
    wait "$1" 2>/dev/null
    return 0
}

# A GNOME Wayland session, which also has X11 (Xwayland): the program chooses Wayland by itself.
XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME WAYLAND_DISPLAY=$socket WAYLAND_DEBUG=1 \
    "$program" --no-such-option 2>"$work/program.log" &
pid=$!
if started "$work/program.log" "$pid"; then
    on_x11 && fail "with both displays answering, a window also opened on X11"
else
    fail "with both displays answering, no Wayland toplevel titled \"$main_caption\" appeared:"
    grep -v '^\[' "$work/program.log" >&2
fi
stop "$pid" || fail "the program on Wayland ended by itself"

# A wrong WAYLAND_DISPLAY beside a working X display: X11.
WAYLAND_DISPLAY=no-such-display "$program" 2>"$work/x11.log" &
pid=$!
for _ in $(seq 100); do
    on_x11 && break
    sleep 0.1
done
on_x11 || fail "with a wrong WAYLAND_DISPLAY the program did not open its window on X11"
stop "$pid" || fail "with a wrong WAYLAND_DISPLAY the program ended by itself"
# Quietly: the Wayland display was tried before Qt started, so Qt has no failure to tell of.
[ -s "$work/x11.log" ] && fail "with a wrong WAYLAND_DISPLAY the program printed: $(cat "$work/x11.log")"

# No display that answers: one line and status 2, never a signal.
# Far above the numbers X servers pick for themselves (from 0 up), so none starts there meanwhile.
unused=:$((4000 + $$ % 1000))
while [ -e "/tmp/.X11-unix/X${unused#:}" ] || [ -e "/tmp/.X${unused#:}-lock" ]; do
    unused=:$(( ${unused#:} + 1 ))
done
# what|DISPLAY|WAYLAND_DISPLAY|XDG_SESSION_TYPE
while IFS='|' read -r what x wayland session; do
    status=0
    DISPLAY=$x WAYLAND_DISPLAY=$wayland XDG_SESSION_TYPE=$session \
        timeout 20 "$program" >"$work/out" 2>"$work/err" || status=$?
    lines=$(wc -l <"$work/err")
    if [ "$status" != 2 ] || [ "$lines" != 1 ] || [ -s "$work/out" ] ||
        ! grep -q '^helmira-geometric-calculator: ' "$work/err"; then
        fail "$what: status $status, $lines lines on stderr (expected 2 and one line):"
        cat "$work/err" >&2
    else
        echo "$what: status 2: $(cat "$work/err")"
    fi
done <<TABLE
no display set|||
stale DISPLAY|$unused||
wrong WAYLAND_DISPLAY||no-such-display|
Wayland session without a compositor|||wayland
stale DISPLAY and wrong WAYLAND_DISPLAY|$unused|no-such-display|wayland
TABLE

# Qt told to use a platform that cannot start: Qt's own warnings, then the one line, status 2.
status=0
WAYLAND_DISPLAY=no-such-display timeout 20 "$program" -platform wayland 2>"$work/err" || status=$?
if [ "$status" != 2 ] || ! tail -n 1 "$work/err" | grep -q '^helmira-geometric-calculator: '; then
    fail "-platform wayland without a compositor: status $status (expected 2):"
    cat "$work/err" >&2
fi

# The two questions answered without a display.
for argument in --version --help; do
    status=0
    DISPLAY='' WAYLAND_DISPLAY='' timeout 20 "$program" --no-such-option "$argument" \
        >"$work/out" 2>"$work/err" || status=$?
    if [ "$status" != 0 ] || [ -s "$work/err" ]; then
        fail "$argument: status $status, stderr: $(cat "$work/err")"
    fi
done
[ "$(DISPLAY='' "$program" --version)" = "Helmira Geometric Calculator ${HELMIRA_DISPLAY_VERSION:?}" ] ||
    fail "--version printed '$(DISPLAY='' "$program" --version)'"
DISPLAY='' "$program" --help | head -n 1 | grep -q '^Usage: helmira-geometric-calculator ' ||
    fail "--help printed no usage line"

[ "$failures" = 0 ] || exit 1
echo "wayland.sh: all checks passed"
