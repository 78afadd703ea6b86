#!/usr/bin/env bash
# Installs what is missing, builds the program with warnings as errors, and runs every test.
set -euo pipefail
source "$(dirname "$0")/common.sh"
install_missing
build "$repo_root/build" -DHELMIRA_WERROR=ON
cd "$repo_root/build"
ctest --output-on-failure --timeout 600
