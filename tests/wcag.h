#pragma once

#include <QRgb>

#include <algorithm>
#include <cmath>

// The contrast measures of the Web Content Accessibility Guidelines, worked out here apart from
// the program's own, so that the tests do not take the program's word for them.
namespace testing {

// Returns the relative luminance of a colour, 0 for black to 1 for white.
inline double relativeLuminance(QRgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

// Returns the contrast ratio of two relative luminances, from 1 (none) to 21.
inline double contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace testing
