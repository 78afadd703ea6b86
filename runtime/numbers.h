#pragma once

#include "runtime/error.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace runtime {

inline constexpr int integerMin = -32768;
inline constexpr int integerMax = 32767;

// Returns the number written at the start of `text` (UTF-8): leading and trailing blanks are
// skipped, then an optional sign, digits with an optional '.' and fraction, and an optional
// exponent. Whatever follows is ignored; no number at the start gives 0. Locale-independent.
double numberFromText(std::string_view text);

// Returns `value` rounded to the nearest integer, halves to even, or nothing when the rounded
// value lies outside -32768..32767 (infinities and NaN included).
std::optional<std::int16_t> roundToInteger(double value);

// 16-bit sums, differences and products, each a step of a formula; each raises the step's
// overflow error, which names the step and its two inputs, when the exact result lies outside
// -32768..32767.
std::int16_t checkedAdd(std::int16_t a, std::int16_t b, const Step &step);
std::int16_t checkedSubtract(std::int16_t a, std::int16_t b, const Step &step);
std::int16_t checkedMultiply(std::int16_t a, std::int16_t b, const Step &step);

// Returns numerator / denominator, divided while the program runs. The operands pass through
// volatile variables, so the compiler cannot fold a quotient of two constants: the division
// happens where it is written, and a float-status test after it examines its flags.
inline double quotient(double numerator, double denominator) {
    const volatile double n = numerator;
    const volatile double d = denominator;
    return n / d;
}

// Returns base raised to exponent in double precision.
double power(double base, double exponent);

// Returns the shortest decimal text that reads back as the same double, in plain positional
// notation with '-' for negatives and no padding; zero of either sign is "0".
std::string numberText(double value);
// Returns the decimal text of a 16-bit integer.
std::string numberText(std::int16_t value);

} // namespace runtime
