#!/usr/bin/env bash
# Installs what building and running the program needs and is missing, builds the program alone
# and starts it.
set -euo pipefail
source "$(dirname "$0")/common.sh"
install_missing run
build_program "$repo_root/build"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are unset); the program is built at build/helmira-geometric-calculator" >&2
    exit 1
fi
exec "$repo_root/build/helmira-geometric-calculator"
