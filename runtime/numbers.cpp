#include "runtime/numbers.h"

#include "runtime/error.h"

#include <charconv>
#include <cmath>
#include <system_error>

// newlocale and strtod_l
#include <locale.h>
#include <stdlib.h>

namespace runtime {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Returns the index of the first non-digit at or after `from`.
std::size_t skipDigits(std::string_view text, std::size_t from) {
    while (from < text.size() && isDigit(text[from]))
        ++from;
    return from;
}

// The "C" locale, created once, so that reading numbers never depends on the user's locale.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

std::int16_t narrowChecked(int value, const Step &step) {
    if (value < integerMin || value > integerMax)
        raiseOverflow(step);
    return static_cast<std::int16_t>(value);
}

} // namespace

double numberFromText(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    const std::size_t start = pos;

    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;

    const std::size_t integerEnd = skipDigits(text, pos);
    bool haveDigits = integerEnd > pos;
    pos = integerEnd;

    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fractionEnd = skipDigits(text, pos + 1);
        if (haveDigits || fractionEnd > pos + 1) {
            haveDigits = true;
            pos = fractionEnd;
        }
    }
    if (!haveDigits)
        return 0.0;

    // The exponent counts only when at least one digit follows the letter and its sign.
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        const std::size_t exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent)
            pos = exponentEnd;
    }

    // The matched text is a complete number in C syntax, so the conversion reads all of it and
    // rounds correctly; out-of-range values come back as infinity or as zero or a denormal.
    const std::string number(text.substr(start, pos - start));
    return strtod_l(number.c_str(), nullptr, cLocale());
}

std::optional<std::int16_t> roundToInteger(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint in the default rounding mode: nearest, exact halves to even.
    const double rounded = std::nearbyint(value);
    if (rounded < integerMin || rounded > integerMax)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::int16_t checkedAdd(std::int16_t a, std::int16_t b, const Step &step) {
    return narrowChecked(int{a} + int{b}, step);
}

std::int16_t checkedSubtract(std::int16_t a, std::int16_t b, const Step &step) {
    return narrowChecked(int{a} - int{b}, step);
}

std::int16_t checkedMultiply(std::int16_t a, std::int16_t b, const Step &step) {
    return narrowChecked(int{a} * int{b}, step);
}

double power(double base, double exponent) {
    return std::pow(base, exponent);
}

std::string numberText(double value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0.0)
        return "0";

    // Fixed notation without a precision gives the shortest digits that read back as the same
    // double. The largest double needs 309 integer digits and the smallest denormal 324
    // fraction digits, so this is enough for any finite value.
    char buffer[400];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc{})
        return "NaN";
    return std::string(buffer, result.ptr);
}

std::string numberText(std::int16_t value) {
    return std::to_string(value);
}

} // namespace runtime
