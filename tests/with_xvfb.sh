#!/usr/bin/env bash
# with_xvfb.sh <command> [args...]
# Runs a command on an X display of its own: starts Xvfb on a display number it picks itself
# (so parallel runs and a desktop already on :0 never meet), runs the command with DISPLAY set
# to it, stops the server afterwards and exits with the command's status.
set -uo pipefail
if ! command -v Xvfb >/dev/null; then
    echo "with_xvfb.sh: Xvfb is not installed (Debian package xvfb)" >&2
    exit 1
fi
work=$(mktemp -d)
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/server.log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$work"' EXIT
number=
read -r number <"$work/display"
if [ -z "$number" ]; then
    echo "with_xvfb.sh: Xvfb did not start:" >&2
    cat "$work/server.log" >&2
    exit 1
fi
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
"$@"
