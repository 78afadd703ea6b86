#include "runtime/variant.h"

#include "runtime/numbers.h"

#include <cmath>

namespace runtime {

namespace {

// Returns an exact integer result as an integer variant when it fits 16 bits, else as a double.
Variant fromExact(int value) {
    if (value >= integerMin && value <= integerMax)
        return Variant(static_cast<std::int16_t>(value));
    return Variant(static_cast<double>(value));
}

} // namespace

Variant operator*(const Variant &left, const Variant &right) {
    if (left.m_isInteger && right.m_isInteger)
        return fromExact(int{left.m_integer} * int{right.m_integer});
    return Variant(left.toDouble() * right.toDouble());
}

Variant operator+(const Variant &left, const Variant &right) {
    if (left.m_isInteger && right.m_isInteger)
        return fromExact(int{left.m_integer} + int{right.m_integer});
    return Variant(left.toDouble() + right.toDouble());
}

Variant power(const Variant &base, const Variant &exponent) {
    return Variant(std::pow(base.toDouble(), exponent.toDouble()));
}

std::string numberText(const Variant &value) {
    if (value.isInteger())
        return numberText(static_cast<std::int16_t>(value.toDouble()));
    return numberText(value.toDouble());
}

} // namespace runtime
