#!/usr/bin/env bash
# Builds the program and the benchmarks in build/ and prints their tables with the budgets.
#
#   bench/run.sh [--quick] [--strict]
#
#   --quick   a few runs only (CI uses it to keep the benchmark working, not to judge figures)
#   --strict  exit 1 when a figure is over its budget (by default it only says OVER)
#
# HELMIRA_BUILD_DIR chooses another build directory. The launch benchmark starts its own Xvfb
# with no window manager; the in-process one runs on the offscreen platform.
set -euo pipefail
# shellcheck source=scripts/common.sh disable=SC1091
source "$(dirname "$0")/../scripts/common.sh"

quick=false
strict=false
for arg in "$@"; do
    case $arg in
    --quick) quick=true ;;
    --strict) strict=true ;;
    -h | --help)
        sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    *)
        echo "bench/run.sh: unknown option $arg (try --help)" >&2
        exit 2
        ;;
    esac
done

build_dir=${HELMIRA_BUILD_DIR:-$repo_root/build}
install_missing run test
build "$build_dir" >/dev/null

if $quick; then
    launch_options=(--runs 3 --warmup 1)
    inprocess_options=(--quick)
else
    launch_options=(--runs 20 --warmup 2)
    inprocess_options=()
fi
if $strict; then
    launch_options+=(--strict)
    inprocess_options+=(--strict)
fi

echo "Helmira Geometric Calculator benchmark ($(git -C "$repo_root" rev-parse --short HEAD 2>/dev/null || echo unknown), $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg))"
echo

over=false
run() {
    local status=0
    "$@" || status=$?
    case $status in
    0) ;;
    1) over=true ;;
    *)
        echo "bench/run.sh: $(basename "$1") failed (exit $status)" >&2
        exit "$status"
        ;;
    esac
}
run "$build_dir/bench/helmira_bench_launch" "${launch_options[@]}" \
    "$build_dir/helmira-geometric-calculator" "$build_dir/bench/helmira_bench_bare_window"
echo
run env QT_QPA_PLATFORM=offscreen "$build_dir/bench/helmira_bench_inprocess" \
    "${inprocess_options[@]}"

if $over; then
    echo "bench/run.sh: over budget" >&2
    exit 1
fi
