#!/usr/bin/env bash
# check_divisions.sh <library>
# The constant quotients of the formulas (22/7, 1/2, 4/3, 1/3, 1/4) are divided while the
# program runs, at the step where each formula takes them, so that the float-status test after
# each examines a real division. A compiler that folded one would leave its function without a
# division instruction: this reads the library's machine code and counts the divisions in every
# function that takes a quotient.
set -euo pipefail
library=$1

# function (as objdump prints it, demangled) and the number of divisions it must contain
expected=(
    "calc::piValue()" 1
    "calc::triangleArea(short, short)" 1
    "calc::sphereVolume(runtime::Variant const&, short)" 1
    "calc::pyramidVolume(short, short)" 1
    "calc::ellipsoidVolume(runtime::Variant const&, short, short, short)" 1
    "calc::coneVolume(runtime::Variant const&, short, short)" 1
    "calc::torusVolume(runtime::Variant const&, short, short)" 1
)

# Prints "count<TAB>function" for every function of the library: x86 divsd/vdivsd/divss, or
# fdiv on other processors. Unoptimised code calls runtime::quotient instead of inlining it;
# such a call counts, and the function itself is checked below.
counts=$(objdump --disassemble --reloc --demangle --no-show-raw-insn "$library" | awk '
    /^[0-9a-f]+ <.*>:$/ {
        if (name != "") print n "\t" name
        name = $0; sub(/^[0-9a-f]+ </, "", name); sub(/>:$/, "", name); n = 0; next
    }
    /\t(v?div[sp][sd]|fdiv)[ \t]/ { n++ }
    /: R_[A-Z0-9_]+\truntime::quotient\(double, double\)/ { n++ }
    END { if (name != "") print n "\t" name }')

status=0
for ((i = 0; i < ${#expected[@]}; i += 2)); do
    function=${expected[i]}
    want=${expected[i + 1]}
    found=$(awk -F '\t' -v f="$function" '$2 == f { print $1 }' <<<"$counts")
    if [ -z "$found" ]; then
        echo "FAIL: no function $function in $library" >&2
        status=1
    elif [ "$found" != "$want" ]; then
        echo "FAIL: $function has $found division(s), expected $want" >&2
        status=1
    else
        echo "ok: $function divides $found time(s)"
    fi
done
quotient=$(awk -F '\t' '$2 == "runtime::quotient(double, double)" { print $1 }' <<<"$counts")
if [ -n "$quotient" ] && [ "$quotient" != 1 ]; then
    echo "FAIL: runtime::quotient has $quotient division(s), expected 1" >&2
    status=1
fi
exit $status
