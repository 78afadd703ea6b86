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

// Returns what a person is told about reading `text` as `value`: "2.5 was read as 2" when the
// number at its start is not whole, else nothing (""). Leaves the floating-point status clear.
std::string readingNote(std::string_view text, Integer value);

// Returns the integer input of a box: its Text() read by integerValue. When the number does not
// fit, raises the box's own overflow error (box.RaiseOverflow(number read)), which names the box
// and the number and lets the report put the focus back in it; otherwise gives the box its
// readingNote (box.SetReadingNote(note), "" when the number was whole). Any type with those
// three members is a box.
template <class Box> Integer integerInput(const Box &box) {
    const std::string text = box.Text();
    const std::optional<Integer> value = integerValue(text);
    if (!value)
        box.RaiseOverflow(runtime::numberFromText(text));
    box.SetReadingNote(readingNote(text, *value));
    return *value;
}

// Each formula below has its text beside it, in the symbols of its window's captions, as
// formulaSentence tells it.

// The value of pi that every formula with π takes.
inline constexpr std::string_view piText = "π = 22/7";

// Returns the sentence that tells a formula: the formula, and ", with π = 22/7" when it has π.
std::string formulaSentence(std::string_view formula);

inline constexpr std::string_view triangleAreaFormula = "A = ½ × b × h";
double triangleArea(Integer b, Integer h);

inline constexpr std::string_view circleAreaFormula = "A = π × r²";
double circleArea(const Variant &pi, Integer r);

inline constexpr std::string_view ellipseAreaFormula = "A = π × a × b";
double ellipseArea(const Variant &pi, Integer a, Integer b);

inline constexpr std::string_view sphereSurfaceFormula = "A = 4π × r²";
double sphereSurface(const Variant &pi, Integer r);

inline constexpr std::string_view cylinderSidesOpenFormula = "A = 2πrh";
double cylinderSidesOpenSurface(const Variant &pi, Integer r, Integer h);

inline constexpr std::string_view cylinderOneSideOpenFormula = "A = πr² + 2πrh";
double cylinderOneSideOpenSurface(const Variant &pi, Integer r, Integer h);

inline constexpr std::string_view cylinderSidesClosedFormula = "A = 2πr² + 2πrh";
double cylinderSidesClosedSurface(const Variant &pi, Integer r, Integer h);

inline constexpr std::string_view torusSurfaceFormula = "A = π² × (R2² − R1²)";
Variant torusSurface(const Variant &pi, Integer r1, Integer r2);

inline constexpr std::string_view sphereVolumeFormula = "V = 4/3 × π × r³";
double sphereVolume(const Variant &pi, Integer r);

inline constexpr std::string_view pyramidVolumeFormula = "V = 1/3 × B × H";
double pyramidVolume(Integer baseArea, Integer height);

inline constexpr std::string_view ellipsoidVolumeFormula = "V = 4/3 × π × a × b × c";
double ellipsoidVolume(const Variant &pi, Integer a, Integer b, Integer c);

inline constexpr std::string_view cylinderVolumeFormula = "V = π × r² × h";
double cylinderVolume(const Variant &pi, Integer r, Integer h);

inline constexpr std::string_view coneVolumeFormula = "V = 1/3 × π × r² × h";
double coneVolume(const Variant &pi, Integer r, Integer h);

inline constexpr std::string_view torusVolumeFormula = "V = ¼ × π² × (R1 + R2) × (R1 − R2)²";
double torusVolume(const Variant &pi, Integer r1, Integer r2);

} // namespace calc
