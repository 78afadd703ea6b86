#include "calc/formulas.h"

#include "runtime/floatstatus.h"
#include "runtime/numbers.h"

#include <optional>
#include <string>

// Every step below has a fixed order and a fixed kind (16-bit integer, double, or variant
// arithmetic); the printed results depend on both, so keep them as they are written.
namespace calc {

using runtime::checkedAdd;
using runtime::checkedMultiply;
using runtime::checkedSubtract;
using runtime::testFloatStatus;

namespace {

// Returns x squared or cubed in double precision, as the formulas take their powers.
double doublePower(Integer x, double exponent) {
    return runtime::power(static_cast<double>(x), exponent);
}

Variant integer(Integer value) {
    return Variant(value);
}

// 2 * pi * r * h, the side of a cylinder, multiplied left to right as variants.
Variant cylinderSide(const Variant &pi, Integer r, Integer h) {
    const Variant twoPi = pi * integer(2);
    const Variant twoPiR = twoPi * integer(r);
    return twoPiR * integer(h);
}

} // namespace

Variant piValue() {
    const double pi = runtime::quotient(22.0, 7.0);
    testFloatStatus("pi value");
    return Variant(pi);
}

std::optional<Integer> integerValue(std::string_view text) {
    const std::optional<Integer> value = runtime::roundToInteger(runtime::numberFromText(text));
    // Reading a text such as "1e400" may leave flags behind; they belong to no formula.
    runtime::clearFloatStatus();
    return value;
}

std::string readingNote(std::string_view text, Integer value) {
    const double number = runtime::numberFromText(text);
    std::string note;
    if (number != static_cast<double>(value))
        note = runtime::numberText(number) + " was read as " + runtime::numberText(value);
    runtime::clearFloatStatus();
    return note;
}

std::string formulaSentence(std::string_view formula) {
    std::string sentence(formula);
    if (formula.find("π") != std::string_view::npos)
        sentence.append(", with ").append(piText);
    return sentence;
}

double triangleArea(Integer b, Integer h) {
    const double half = runtime::quotient(1.0, 2.0);
    const double area = (half * b) * h;
    testFloatStatus("triangle area");
    return area;
}

double circleArea(const Variant &pi, Integer r) {
    const double rSquared = doublePower(r, 2.0);
    const Variant area = pi * Variant(rSquared);
    return area.toDouble();
}

double ellipseArea(const Variant &pi, Integer a, Integer b) {
    const Variant piA = pi * integer(a);
    const Variant area = piA * integer(b);
    return area.toDouble();
}

double sphereSurface(const Variant &pi, Integer r) {
    const double rSquared = doublePower(r, 2.0);
    const Variant fourPi = integer(4) * pi;
    const Variant area = fourPi * Variant(rSquared);
    return area.toDouble();
}

double cylinderSidesOpenSurface(const Variant &pi, Integer r, Integer h) {
    return cylinderSide(pi, r, h).toDouble();
}

double cylinderOneSideOpenSurface(const Variant &pi, Integer r, Integer h) {
    const double rSquared = doublePower(r, 2.0);
    const Variant base = pi * Variant(rSquared);
    const Variant side = cylinderSide(pi, r, h);
    const Variant area = base + side;
    return area.toDouble();
}

double cylinderSidesClosedSurface(const Variant &pi, Integer r, Integer h) {
    const double rSquared = doublePower(r, 2.0);
    const Variant bases = (integer(2) * pi) * Variant(rSquared);
    const Variant side = cylinderSide(pi, r, h);
    const Variant area = bases + side;
    return area.toDouble();
}

Variant torusSurface(const Variant &pi, Integer r1, Integer r2) {
    const double r2Squared = doublePower(r2, 2.0);
    const double r1Squared = doublePower(r1, 2.0);
    const double difference = r2Squared - r1Squared;
    testFloatStatus("torus surface difference");
    const Variant piSquared = runtime::power(pi, integer(2));
    return piSquared * Variant(difference);
}

double sphereVolume(const Variant &pi, Integer r) {
    const double fourThirds = runtime::quotient(4.0, 3.0);
    testFloatStatus("constant 4/3");
    const double rCubed = doublePower(r, 3.0);
    const Variant fourThirdsPi = Variant(fourThirds) * pi;
    const Variant volume = fourThirdsPi * Variant(rCubed);
    return volume.toDouble();
}

double pyramidVolume(Integer baseArea, Integer height) {
    // One third of the product of the two inputs; the product is a 16-bit integer.
    const double third = runtime::quotient(1.0, 3.0);
    testFloatStatus("constant 1/3");
    const Integer product = checkedMultiply(baseArea, height, runtime::Step{"product", 0, 1});
    return third * static_cast<double>(product);
}

double ellipsoidVolume(const Variant &pi, Integer a, Integer b, Integer c) {
    const double fourThirds = runtime::quotient(4.0, 3.0);
    double volume = fourThirds * pi.toDouble();
    volume = volume * a;
    volume = volume * b;
    volume = volume * c;
    testFloatStatus("ellipsoid volume");
    return volume;
}

double cylinderVolume(const Variant &pi, Integer r, Integer h) {
    const double rSquared = doublePower(r, 2.0);
    const Variant base = pi * Variant(rSquared);
    const Variant volume = base * integer(h);
    return volume.toDouble();
}

double coneVolume(const Variant &pi, Integer r, Integer h) {
    const double third = runtime::quotient(1.0, 3.0);
    testFloatStatus("constant 1/3");
    const double rSquared = doublePower(r, 2.0);
    const Variant base = pi * Variant(rSquared);
    const Variant cylinder = base * integer(h);
    const Variant volume = Variant(third) * cylinder;
    return volume.toDouble();
}

double torusVolume(const Variant &pi, Integer r1, Integer r2) {
    const double quarter = runtime::quotient(1.0, 4.0);
    testFloatStatus("constant 1/4");
    const Integer sum = checkedAdd(r1, r2, runtime::Step{"sum", 0, 1});
    const Integer difference = checkedSubtract(r1, r2, runtime::Step{"difference", 0, 1});
    const double differenceSquared = doublePower(difference, 2.0);
    const Variant piSquared = runtime::power(pi, integer(2));
    const Variant quarterPiSquared = Variant(quarter) * piSquared;
    const Variant timesSum = quarterPiSquared * integer(sum);
    const Variant volume = timesSum * Variant(differenceSquared);
    return volume.toDouble();
}

} // namespace calc
