#pragma once

#include "runtime/numbers.h"
#include "runtime/variant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The twelve formulas, each evaluated in a fixed order with a fixed kind for every step, from
// the integer inputs and the pi value. Toolkit-free, so they can be tested and fuzzed directly.
namespace calc {

using runtime::Variant;
using Integer = std::int16_t;

// Returns 22/7 in double precision as a variant, after the float-status test.
Variant piValue();

// Returns a text read as an integer input: the number at its start, rounded half to even; or
// nothing when that lies outside -32768..32767. Leaves the floating-point status clear.
std::optional<Integer> integerValue(std::string_view text);

// Returns the integer input of a box: its Text() read by integerValue. When the number does not
// fit, raises the box's own overflow error (box.RaiseOverflow(number read)), which names the box
// and the number and lets the report put the focus back in it. Any type with those two members
// is a box.
template <class Box> Integer integerInput(const Box &box) {
    const std::string text = box.Text();
    const std::optional<Integer> value = integerValue(text);
    if (!value)
        box.RaiseOverflow(runtime::numberFromText(text));
    return *value;
}

double triangleArea(Integer b, Integer h);
double circleArea(const Variant &pi, Integer r);
double ellipseArea(const Variant &pi, Integer a, Integer b);
double sphereSurface(const Variant &pi, Integer r);
double cylinderSidesOpenSurface(const Variant &pi, Integer r, Integer h);
double cylinderOneSideOpenSurface(const Variant &pi, Integer r, Integer h);
double cylinderSidesClosedSurface(const Variant &pi, Integer r, Integer h);
Variant torusSurface(const Variant &pi, Integer r1, Integer r2);

double sphereVolume(const Variant &pi, Integer r);
double pyramidVolume(Integer baseArea, Integer height);
double ellipsoidVolume(const Variant &pi, Integer a, Integer b, Integer c);
double cylinderVolume(const Variant &pi, Integer r, Integer h);
double coneVolume(const Variant &pi, Integer r, Integer h);
double torusVolume(const Variant &pi, Integer r1, Integer r2);

} // namespace calc
