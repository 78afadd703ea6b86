#!/usr/bin/env bash
# Installs every package of packages.txt that is missing, builds the program and the tests with
# warnings as errors, and runs every test.
set -euo pipefail
source "$(dirname "$0")/common.sh"
install_missing run test
build "$repo_root/build" -DHELMIRA_WERROR=ON
cd "$repo_root/build"
ctest --output-on-failure --timeout 600

# The benchmark once in its quick mode, so that it keeps working; it never fails on a figure.
# Its figures come from the full run (README.md, Performance).
bash "$repo_root/bench/run.sh" --quick

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer (CMakePresets.json). The
# packaging checks read files rather than run the program and take the longest, so they run in
# the normal build only.
cd "$repo_root"
cmake --preset sanitize
cmake --build --preset sanitize --parallel "$(nproc)"
ctest --preset sanitize --label-exclude packaging

# Every formula on fuzzed input texts for a minute; README.md has the long run.
bash "$repo_root/fuzz/run.sh" 60
