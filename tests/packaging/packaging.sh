#!/usr/bin/env bash
# Install and package checks, run by CTest (tests/packaging/CMakeLists.txt): packaging.sh <check>
#   stage             cmake --install of the build into the stage directory (the fixture of the
#                     next three)
#   tree              the staged tree: exactly the expected files, icon sizes, ids that agree
#   validate          desktop-file-validate and appstreamcli accept the staged entry and metainfo
#   launch            the staged program starts from an empty directory, directly and through
#                     the Exec line of its desktop entry
#   deb               cpack -G DEB: name, version, section, dependencies and contents; lintian
#                     finds no errors and no warnings
#   windows-resource  windres compiles the resource script, with the icon and the version in it
# The environment names the rest: HELMIRA_BUILD_DIR, HELMIRA_STAGE_DIR, HELMIRA_DISPLAY_VERSION,
# HELMIRA_PROJECT_VERSION, HELMIRA_RESOURCE_SCRIPT, HELMIRA_MAIN_ICON.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
app_id=io.github.helmira.GeometricCalculator
package=helmira-geometric-calculator
skipped=77

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

need() {
    command -v "$1" >/dev/null || fail "$1 not found: install $2 (listed in scripts/packages.txt)"
}

work=$(mktemp -d "${TMPDIR:-/tmp}/helmira-packaging.XXXXXX")
manifest=
cleanup() {
    # Leave the manifest of the user's own install (README: Uninstalling) as it was: cmake
    # --install and cpack rewrite it.
    if [ -n "$manifest" ]; then
        if [ -e "$work/install_manifest.txt" ]; then
            cp -p "$work/install_manifest.txt" "$manifest"
        else
            rm -f "$manifest"
        fi
    fi
    rm -rf "$work"
}
trap cleanup EXIT
# Interrupted (Ctrl-C, kill): clean up too. A CTest timeout kills outright, with no clean-up.
trap 'exit 143' TERM
trap 'exit 130' INT

keep_manifest() {
    manifest=$HELMIRA_BUILD_DIR/install_manifest.txt
    if [ -e "$manifest" ]; then
        cp -p "$manifest" "$work/install_manifest.txt"
    fi
}

# Prints a PNG file's size as WIDTHxHEIGHT, read from its IHDR chunk.
png_size() {
    local signature chunk bytes
    signature=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
    chunk=$(od -An -c -j12 -N4 "$1" | tr -d ' \n')
    if [ "$signature" != 89504e470d0a1a0a ] || [ "$chunk" != IHDR ]; then
        echo "not-a-png"
        return
    fi
    read -ra bytes <<<"$(od -An -tu1 -j16 -N8 "$1")"
    echo "$(((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3]))x$(((bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7]))"
}

# Prints the value of a key of a desktop entry.
desktop_key() {
    sed -n "s/^$2=//p" "$1"
}

# Prints the Exec line of a desktop entry without its field codes.
desktop_command() {
    desktop_key "$1" Exec | sed -e 's/%[fFuUdDnNickvm]//g' -e 's/ *$//'
}

# Prints what the first element named $2 of a metainfo file holds.
metainfo_element() {
    sed -n "s:.*<$2[^>]*>\([^<]*\)</$2>.*:\1:p" "$1" | head -n 1
}

expected_files() {
    grep -v '^#' "$here/installed-files.txt" | sort
}

# check_tree <prefix>: the installed files below <prefix> and what they say about each other.
check_tree() {
    local prefix=$1
    local listed
    listed=$(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
    if [ "$listed" != "$(expected_files)" ]; then
        diff -u <(expected_files) <(echo "$listed") >&2 || true
        fail "$prefix does not hold the expected files (- expected, + installed)"
    fi

    local program=$prefix/bin/$package
    [ -x "$program" ] || fail "$program is not executable"
    if readelf -d "$program" | grep -qE 'RPATH|RUNPATH'; then
        fail "$program carries a library search path: $(readelf -d "$program" | grep -E 'RPATH|RUNPATH')"
    fi

    local size
    for size in 16 24 32 48 64 128 256; do
        local icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
        [ "$(png_size "$icon")" = "${size}x${size}" ] ||
            fail "$icon is $(png_size "$icon"), not ${size}x${size}"
    done
    # The manual page and the change log compressed as Debian wants them: by gzip, with neither
    # a file name (flag 8) nor a time stored.
    local compressed header
    for compressed in "$prefix/share/man/man1/$package.1.gz" \
        "$prefix/share/doc/$package/changelog.gz"; do
        gzip -t "$compressed" 2>/dev/null || fail "$compressed is not a whole gzip file"
        header=$(od -An -tx1 -N8 "$compressed" | tr -d ' \n')
        if [ "${header:0:6}" != 1f8b08 ] || [ $((0x${header:6:2} & 8)) -ne 0 ] ||
            [ "${header:8:8}" != 00000000 ]; then
            fail "$compressed stores a name or a time (header $header)"
        fi
    done
    zcat "$prefix/share/man/man1/$package.1.gz" | grep -q '^\.SH NAME' ||
        fail "the manual page has no NAME section"
    local scalable=$prefix/share/icons/hicolor/scalable/apps/$app_id.svg
    grep -q '^<svg xmlns="http://www.w3.org/2000/svg"' "$scalable" || fail "$scalable is not an SVG picture"

    local entry=$prefix/share/applications/$app_id.desktop
    local metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
    [ "$(desktop_key "$entry" Icon)" = "$app_id" ] || fail "$entry: Icon is not $app_id"
    [ "$(desktop_command "$entry")" = "$package" ] ||
        fail "$entry: Exec '$(desktop_command "$entry")' is not the installed $package"
    [ "$(metainfo_element "$metainfo" id)" = "$app_id" ] || fail "$metainfo: id is not $app_id"
    [ "$(metainfo_element "$metainfo" launchable)" = "$app_id.desktop" ] ||
        fail "$metainfo: launchable is not $app_id.desktop"
    [ "$(metainfo_element "$metainfo" binary)" = "$package" ] ||
        fail "$metainfo: binary is not $package"
    local release
    release=$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$metainfo")
    [ "$release" = "$HELMIRA_DISPLAY_VERSION" ] ||
        fail "$metainfo: release '$release' is not version $HELMIRA_DISPLAY_VERSION"
}

# launch <description> <command>...: the command, run from an empty directory in a bare
# environment with the stage first on PATH, is still up after a second and leaves the directory
# empty.
launch() {
    local description=$1
    shift
    local directory log pid status
    directory=$(mktemp -d "$work/empty.XXXXXX")
    log=$work/launch.log
    [ -d "$work/home" ] || mkdir -m 700 "$work/home" "$work/runtime"
    (cd "$directory" && exec env -i HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" LANG=C \
        PATH="$HELMIRA_STAGE_DIR/bin:/usr/bin:/bin" QT_QPA_PLATFORM=offscreen "$@") >"$log" 2>&1 &
    pid=$!
    sleep 1
    if ! kill -0 "$pid" 2>/dev/null; then
        status=0
        wait "$pid" || status=$?
        cat "$log" >&2
        fail "$description stopped within a second (status $status)"
    fi
    kill "$pid"
    wait "$pid" || true
    [ -z "$(ls -A "$directory")" ] ||
        fail "$description wrote into its working directory: $(ls -A "$directory")"
    echo "$description: started and stayed up"
}

check=${1:-}
case $check in
stage)
    keep_manifest
    rm -rf "$HELMIRA_STAGE_DIR"
    cmake --install "$HELMIRA_BUILD_DIR" --prefix "$HELMIRA_STAGE_DIR" >"$work/install.log" 2>&1 ||
        { cat "$work/install.log" >&2; fail "cmake --install into $HELMIRA_STAGE_DIR"; }
    ;;
tree)
    check_tree "$HELMIRA_STAGE_DIR"
    # Not even an empty one: the program carries its pictures inside itself.
    [ -z "$(find "$HELMIRA_STAGE_DIR" -name assets)" ] || fail "an assets directory is installed"
    ;;
validate)
    need desktop-file-validate desktop-file-utils
    need appstreamcli appstream
    entry=$HELMIRA_STAGE_DIR/share/applications/$app_id.desktop
    output=$(desktop-file-validate "$entry" 2>&1) || { echo "$output" >&2; fail "desktop-file-validate $entry"; }
    if echo "$output" | grep -E 'error:|warning:' >&2; then
        fail "desktop-file-validate $entry"
    fi
    echo "$output"
    metainfo=$HELMIRA_STAGE_DIR/share/metainfo/$app_id.metainfo.xml
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"
    # The tree check also finds the desktop entry the metainfo launches.
    appstreamcli validate-tree --no-net "$HELMIRA_STAGE_DIR" ||
        fail "appstreamcli validate-tree $HELMIRA_STAGE_DIR"
    ;;
launch)
    launch "$package" "$HELMIRA_STAGE_DIR/bin/$package"
    entry=$HELMIRA_STAGE_DIR/share/applications/$app_id.desktop
    read -ra command <<<"$(desktop_command "$entry")"
    [ "$(PATH="$HELMIRA_STAGE_DIR/bin:/usr/bin:/bin" command -v "${command[0]}")" = \
        "$HELMIRA_STAGE_DIR/bin/${command[0]}" ] || fail "Exec of $entry is not the staged program"
    launch "Exec of $app_id.desktop" "${command[@]}"
    ;;
deb)
    need cpack cmake
    need dpkg-deb dpkg
    need dpkg-shlibdeps dpkg-dev
    keep_manifest
    (cd "$HELMIRA_BUILD_DIR" && cpack -G DEB -B "$work/deb") >"$work/cpack.log" 2>&1 ||
        { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
    debs=("$work"/deb/*.deb)
    if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
        fail "cpack made ${#debs[@]} packages: ${debs[*]}"
    fi
    deb=${debs[0]}
    expected_name=${package}_${HELMIRA_DISPLAY_VERSION}_$(dpkg --print-architecture).deb
    [ "$(basename "$deb")" = "$expected_name" ] || fail "package file $(basename "$deb"), not $expected_name"

    for field in Package:$package Version:$HELMIRA_DISPLAY_VERSION Section:math \
        Recommends:qt6-wayland; do
        value=$(dpkg-deb -f "$deb" "${field%%:*}")
        [ "$value" = "${field#*:}" ] || fail "${field%%:*} is '$value', not '${field#*:}'"
    done
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    for dependency in libqt6widgets6 fonts-liberation fonts-dancingscript; do
        echo "$depends" | tr ',' '\n' | sed -e 's/^ *//' -e 's/[ (].*//' | grep -qx "$dependency" ||
            fail "Depends lacks $dependency"
    done

    listed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | sort)
    if [ "$listed" != "$(expected_files)" ]; then
        diff -u <(expected_files) <(echo "$listed") >&2 || true
        fail "the package does not hold the expected files under /usr (- expected, + packaged)"
    fi
    dpkg-deb -x "$deb" "$work/root"
    check_tree "$work/root/usr"

    # Debian's own checker: no errors and no warnings. Its explanations come with a failure.
    need lintian lintian
    status=0
    lintian --info --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || status=$?
    if [ "$status" -ne 0 ] || grep -qE '^[EW]: ' "$work/lintian.log"; then
        cat "$work/lintian.log" >&2
        fail "lintian finds errors or warnings in $(basename "$deb") (status $status)"
    fi
    echo "lintian: no errors or warnings"
    ;;
windows-resource)
    windres=x86_64-w64-mingw32-windres
    if ! command -v "$windres" >/dev/null; then
        echo "SKIP: $windres not found (Debian package binutils-mingw-w64-x86-64)"
        exit $skipped
    fi
    # Without the cross compiler, the host's C preprocessor serves: the script includes nothing.
    preprocessor=()
    command -v x86_64-w64-mingw32-gcc >/dev/null || preprocessor=(--preprocessor=cpp)
    object=$work/helmira.o
    "$windres" "${preprocessor[@]}" -i "$HELMIRA_RESOURCE_SCRIPT" -o "$object" ||
        fail "$windres $HELMIRA_RESOURCE_SCRIPT"
    [ -s "$object" ] || fail "$windres wrote no object"
    # Read the object back as a resource script to see what it holds.
    "$windres" -J coff -i "$object" -O rc -o "$work/back.rc" || fail "$windres reading $object back"
    numeric=${HELMIRA_PROJECT_VERSION//./, }
    for line in "FILEVERSION $numeric" "PRODUCTVERSION $numeric" \
        "VALUE \"FileVersion\", \"$HELMIRA_DISPLAY_VERSION\"" \
        "VALUE \"ProductVersion\", \"$HELMIRA_DISPLAY_VERSION\"" \
        'VALUE "CompanyName", "Helmira Solutions"' \
        'VALUE "ProductName", "Helmira Geometric Calculator"'; do
        grep -qF "$line" "$work/back.rc" || fail "the resources lack: $line"
    done
    read -ra count <<<"$(od -An -tu1 -j4 -N2 "$HELMIRA_MAIN_ICON")"
    images=$((count[0] | (count[1] << 8)))
    grep -qF "Has $images elements" "$work/back.rc" ||
        fail "the resources lack the program icon with its $images images"
    echo "resources: icon of $images images, version $numeric / $HELMIRA_DISPLAY_VERSION"
    ;;
*)
    echo "usage: $0 stage|tree|validate|launch|deb|windows-resource" >&2
    exit 2
    ;;
esac
