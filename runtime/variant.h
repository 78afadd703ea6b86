#pragma once

#include <cstdint>
#include <string>

namespace runtime {

// A tagged value holding a 16-bit integer or a double, whole as a general type: the formulas
// only ever combine an integer with a double, but two integers, and printing an integer, are
// defined too. Arithmetic widens the integer to double when the other operand is a double; two
// integers give an integer while the exact result fits 16 bits and a double otherwise. A power
// is always a double.
class Variant {
public:
    constexpr Variant(std::int16_t value)
        : m_isInteger(true)
        , m_integer(value) {}
    constexpr Variant(double value)
        : m_isInteger(false)
        , m_double(value) {}

    constexpr bool isInteger() const { return m_isInteger; }
    // Returns the held value as a double (exact for an integer).
    constexpr double toDouble() const { return m_isInteger ? m_integer : m_double; }

    friend Variant operator*(const Variant &left, const Variant &right);
    friend Variant operator+(const Variant &left, const Variant &right);

private:
    bool m_isInteger;
    std::int16_t m_integer = 0;
    double m_double = 0.0;
};

// Returns base ^ exponent as a double variant.
Variant power(const Variant &base, const Variant &exponent);

// Returns the text of the held value, as numberText gives it for its kind.
std::string numberText(const Variant &value);

} // namespace runtime
