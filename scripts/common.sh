# Shared by run.sh, test.sh, bench/run.sh and .ci/run: the package sets of packages.txt, their
# installation, and the two builds of build/.
# shellcheck shell=bash

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# list_packages <set>...: prints the packages of the given sets of packages.txt (run, test), one
# a line. Fails on a package outside a set, an unknown set or a package listed twice.
list_packages() {
    awk -v wanted=" $* " '
        { sub(/#.*/, ""); gsub(/[ \t]+/, "") }
        $0 == "" { next }
        /^\[.*\]$/ {
            set = substr($0, 2, length($0) - 2)
            if (set != "run" && set != "test") {
                print FILENAME ":" NR ": unknown set [" set "]" > "/dev/stderr"
                bad = 1
            }
            next
        }
        set == "" { print FILENAME ":" NR ": " $0 " is in no set" > "/dev/stderr"; bad = 1; next }
        $0 in seen {
            print FILENAME ":" NR ": " $0 " is listed twice" > "/dev/stderr"
            bad = 1
            next
        }
        { seen[$0] = 1; if (index(wanted, " " set " ")) print }
        END { exit bad }
    ' "$repo_root/scripts/packages.txt"
}

# missing_packages <set>...: prints the packages of the given sets that are not installed.
missing_packages() {
    local listed
    listed=$(list_packages "$@") || return 1
    # One dpkg-query for all of them; it names no package it has never heard of, and exits
    # non-zero then.
    # shellcheck disable=SC2086
    comm -23 <(sort -u <<<"$listed") \
        <(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' $listed 2>/dev/null |
            awk '$1 == "ii" { print $2 }' | sort -u)
}

# install_missing [set...]: installs the packages of the given sets (default: all) that this
# machine lacks; not being root, prints the apt-get line to run and exits.
install_missing() {
    local missing
    missing=$(missing_packages "${@:-run test}") || exit 1
    [ -z "$missing" ] && return 0
    missing=$(tr '\n' ' ' <<<"$missing")
    missing=${missing% }
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    apt-get update -q
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# configured <dir>: succeeds when <dir> holds a finished configuration.
configured() {
    [ -f "$1/CMakeCache.txt" ] && { [ -f "$1/build.ninja" ] || [ -f "$1/Makefile" ]; }
}

# generator_option <dir>: prints the generator option for configuring <dir>: Ninja for a new
# one, whose up-to-date build is a fraction of a second where make's takes several; nothing for
# one configured before, which keeps its own.
generator_option() {
    [ -f "$1/CMakeCache.txt" ] || echo "-GNinja"
}

# build <dir> [cmake options...]: configures <dir> with the tests and builds everything.
build() {
    local dir=$1
    shift
    # shellcheck disable=SC2046
    cmake -S "$repo_root" -B "$dir" $(generator_option "$dir") -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBUILD_TESTING=ON "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}

# build_program <dir>: builds the program's target only. A new <dir> is configured without the
# tests; one configured before is kept as it is, with or without them, since the build tool
# re-runs CMake itself when a CMake file changed.
build_program() {
    local dir=$1
    if ! configured "$dir"; then
        # shellcheck disable=SC2046
        cmake -S "$repo_root" -B "$dir" $(generator_option "$dir") \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
    fi
    cmake --build "$dir" --target helmira-geometric-calculator --parallel "$(nproc)"
}
