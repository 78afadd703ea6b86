# Shared by run.sh and test.sh: installs what this machine lacks and builds the program.
# shellcheck shell=bash

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Prints the packages of packages.txt that are not installed.
missing_packages() {
    local package
    grep -v '^\s*#' "$repo_root/scripts/packages.txt" | grep -v '^\s*$' | while read -r package; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            echo "$package"
    done
}

install_missing() {
    local missing
    missing=$(missing_packages | tr '\n' ' ')
    [ -z "${missing// /}" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    apt-get update -q
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# build <dir> [cmake options...]
build() {
    local dir=$1
    shift
    cmake -S "$repo_root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}
