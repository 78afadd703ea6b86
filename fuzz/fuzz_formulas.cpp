// Fuzz target: input texts as the calculator windows read them, through every formula.
//
// Input layout: the first byte chooses the formula ('a' is the first of the table below, and
// any byte picks one), the rest is split on '|' into up to three texts, read in order as the
// input boxes are. Every run must end in one of:
//   - a finite result whose printed text reads back as the same double;
//   - the overflow error, of an input box or of a 16-bit step that the inputs really overflow;
// and the result must agree with the formula worked in long double. Anything else aborts: a
// float error (16-bit inputs cannot overflow a double, so it would be a false report), any
// other exception, a NaN or infinite result, a wrong result, or what the sanitizers catch.

#include "calc/formulas.h"
#include "runtime/error.h"
#include "runtime/floatstatus.h"
#include "runtime/numbers.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

namespace {

using calc::Integer;
using runtime::ErrorKind;
using runtime::RuntimeError;
using runtime::Variant;
using Real = long double;

// The worked value of a formula in long double, the size its rounding error scales with, and
// whether one of its 16-bit steps overflows.
struct Reference {
    Real value = 0;
    Real size = 0;
    bool overflows = false;
};

struct Formula {
    const char *name;
    int inputs;
    std::array<const char *, 3> captions;
    Variant (*evaluate)(const Variant &pi, const std::array<Integer, 3> &in);
    Reference (*reference)(const std::array<Real, 3> &in);
};

// An input box holding a fuzzed text, read as the windows read theirs. Its overflow error is
// the one an input box raises: it names the box.
struct FuzzedBox {
    std::string_view text;
    const char *caption;

    std::string Text() const { return std::string(text); }
    [[noreturn]] void RaiseOverflow(double number) const {
        throw RuntimeError(ErrorKind::Overflow, "input", caption,
                           runtime::inputOverflowReport(caption, number));
    }
    void SetReadingNote(std::string_view) const {}
};

constexpr Real pi = Real(22) / Real(7);

bool outside16Bits(Real value) {
    return value < runtime::integerMin || value > runtime::integerMax;
}

// The fourteen calculations the windows offer, the cylinder area once per option.
const Formula formulas[] = {
    {"triangle area",
     2,
     {"Base", "Height"},
     [](const Variant &, const auto &in) -> Variant { return calc::triangleArea(in[0], in[1]); },
     [](const auto &in) {
         return Reference{in[0] * in[1] / 2, std::fabs(in[0] * in[1])};
     }},
    {"circle area",
     1,
     {"Radius"},
     [](const Variant &p, const auto &in) -> Variant { return calc::circleArea(p, in[0]); },
     [](const auto &in) {
         return Reference{pi * in[0] * in[0], pi * in[0] * in[0]};
     }},
    {"ellipse area",
     2,
     {"Radius I", "Radius II"},
     [](const Variant &p, const auto &in) -> Variant { return calc::ellipseArea(p, in[0], in[1]); },
     [](const auto &in) {
         return Reference{pi * in[0] * in[1], std::fabs(pi * in[0] * in[1])};
     }},
    {"sphere surface",
     1,
     {"Radius"},
     [](const Variant &p, const auto &in) -> Variant { return calc::sphereSurface(p, in[0]); },
     [](const auto &in) {
         return Reference{4 * pi * in[0] * in[0], 4 * pi * in[0] * in[0]};
     }},
    {"cylinder sides open",
     2,
     {"Radius", "Height"},
     [](const Variant &p, const auto &in) -> Variant {
         return calc::cylinderSidesOpenSurface(p, in[0], in[1]);
     },
     [](const auto &in) {
         return Reference{2 * pi * in[0] * in[1], std::fabs(2 * pi * in[0] * in[1])};
     }},
    {"cylinder one side open",
     2,
     {"Radius", "Height"},
     [](const Variant &p, const auto &in) -> Variant {
         return calc::cylinderOneSideOpenSurface(p, in[0], in[1]);
     },
     [](const auto &in) {
         return Reference{pi * in[0] * in[0] + 2 * pi * in[0] * in[1],
                          pi * in[0] * in[0] + std::fabs(2 * pi * in[0] * in[1])};
     }},
    {"cylinder sides closed",
     2,
     {"Radius", "Height"},
     [](const Variant &p, const auto &in) -> Variant {
         return calc::cylinderSidesClosedSurface(p, in[0], in[1]);
     },
     [](const auto &in) {
         return Reference{2 * pi * in[0] * in[0] + 2 * pi * in[0] * in[1],
                          2 * pi * in[0] * in[0] + std::fabs(2 * pi * in[0] * in[1])};
     }},
    {"torus surface",
     2,
     {"Radius I", "Radius II"},
     [](const Variant &p, const auto &in) -> Variant {
         return calc::torusSurface(p, in[0], in[1]);
     },
     [](const auto &in) {
         return Reference{pi * pi * (in[1] * in[1] - in[0] * in[0]),
                          pi * pi * (in[1] * in[1] + in[0] * in[0])};
     }},
    {"sphere volume",
     1,
     {"Radius"},
     [](const Variant &p, const auto &in) -> Variant { return calc::sphereVolume(p, in[0]); },
     [](const auto &in) {
         const Real v = 4 * pi * in[0] * in[0] * in[0] / 3;
         return Reference{v, std::fabs(v)};
     }},
    {"pyramid volume",
     2,
     {"Base Area", "Height"},
     [](const Variant &, const auto &in) -> Variant { return calc::pyramidVolume(in[0], in[1]); },
     [](const auto &in) {
         return Reference{in[0] * in[1] / 3, std::fabs(in[0] * in[1] / 3),
                          outside16Bits(in[0] * in[1])};
     }},
    {"ellipsoid volume",
     3,
     {"Radius I", "Radius II", "Radius III"},
     [](const Variant &p, const auto &in) -> Variant {
         return calc::ellipsoidVolume(p, in[0], in[1], in[2]);
     },
     [](const auto &in) {
         const Real v = 4 * pi * in[0] * in[1] * in[2] / 3;
         return Reference{v, std::fabs(v)};
     }},
    {"cylinder volume",
     2,
     {"Radius", "Height"},
     [](const Variant &p, const auto &in) -> Variant {
         return calc::cylinderVolume(p, in[0], in[1]);
     },
     [](const auto &in) {
         const Real v = pi * in[0] * in[0] * in[1];
         return Reference{v, std::fabs(v)};
     }},
    {"cone volume",
     2,
     {"Radius", "Height"},
     [](const Variant &p, const auto &in) -> Variant { return calc::coneVolume(p, in[0], in[1]); },
     [](const auto &in) {
         const Real v = pi * in[0] * in[0] * in[1] / 3;
         return Reference{v, std::fabs(v)};
     }},
    {"torus volume",
     2,
     {"Radius I", "Radius II"},
     [](const Variant &p, const auto &in) -> Variant { return calc::torusVolume(p, in[0], in[1]); },
     [](const auto &in) {
         const Real sum = in[0] + in[1];
         const Real difference = in[0] - in[1];
         const Real v = pi * pi * sum * difference * difference / 4;
         return Reference{v, std::fabs(v), outside16Bits(sum) || outside16Bits(difference)};
     }},
};

constexpr std::size_t formulaCount = sizeof formulas / sizeof formulas[0];

[[noreturn]] void fail(const Formula &formula, const std::array<std::string_view, 3> &texts,
                       const std::string &what) {
    std::fprintf(stderr, "%s: %s\n", formula.name, what.c_str());
    for (int i = 0; i < formula.inputs; ++i) {
        std::fprintf(stderr, "  input %d (%zu bytes): \"%.*s\"\n", i + 1, texts[i].size(),
                     static_cast<int>(texts[i].size() > 200 ? 200 : texts[i].size()),
                     texts[i].data());
    }
    std::abort();
}

// Checks that a shown result is finite, reads back exactly, and is the formula's true value
// within the rounding of the dozen double steps it takes.
void checkResult(const Formula &formula, const std::array<std::string_view, 3> &texts,
                 const Variant &shown, const Reference &reference) {
    const double result = shown.toDouble();
    if (!std::isfinite(result))
        fail(formula, texts, "result is not finite");
    // The page prints the value of the kind it has, as the output box shows it.
    const std::string text = runtime::numberText(shown);
    char *end = nullptr;
    const double read = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || read != result)
        fail(formula, texts, "result text \"" + text + "\" does not read back with strtod");
    if (runtime::numberFromText(text) != result)
        fail(formula, texts, "result text \"" + text + "\" does not read back");
    if (reference.overflows)
        fail(formula, texts, "result " + text + " where a 16-bit step overflows");
    const Real tolerance = 1e-13L * reference.size + 1e-300L;
    if (std::fabs(static_cast<Real>(result) - reference.value) > tolerance)
        fail(formula, texts, "result " + text + " is not the formula's value");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const Formula &formula = formulas[static_cast<std::uint8_t>(data[0] - 'a') % formulaCount];

    std::array<std::string_view, 3> texts{};
    std::string_view rest(reinterpret_cast<const char *>(data + 1), size - 1);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::size_t bar = i + 1 < texts.size() ? rest.find('|') : std::string_view::npos;
        texts[i] = rest.substr(0, bar);
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
    }

    // A Calculate: the output box is cleared (a control call, which clears the float status),
    // pi is taken, the boxes are read top to bottom, and the formula runs.
    runtime::clearFloatStatus();
    std::array<Integer, 3> values{};
    try {
        const Variant pi = calc::piValue();
        for (int i = 0; i < formula.inputs; ++i)
            values[i] = calc::integerInput(FuzzedBox{texts[i], formula.captions[i]});
        const std::array<Real, 3> exact{Real(values[0]), Real(values[1]), Real(values[2])};
        const Reference reference = formula.reference(exact);
        Variant result = 0.0;
        try {
            result = formula.evaluate(pi, values);
        } catch (const RuntimeError &error) {
            if (error.kind() != ErrorKind::Overflow)
                fail(formula, texts, std::string("unexpected error: ") + error.what());
            if (!reference.overflows)
                fail(formula, texts, std::string("overflow reported falsely: ") + error.what());
            if (!error.inputCaption().empty() || error.operation().empty())
                fail(formula, texts, "a step's overflow must name the step");
            return 0;
        }
        checkResult(formula, texts, result, reference);
    } catch (const RuntimeError &error) {
        // Only reading an input can fail here; its report names the box.
        if (error.kind() != ErrorKind::Overflow || error.inputCaption().empty())
            fail(formula, texts, std::string("unexpected error: ") + error.what());
        if (std::string_view(error.what()).empty())
            fail(formula, texts, "empty report");
    } catch (const std::exception &error) {
        fail(formula, texts, std::string("unexpected exception: ") + error.what());
    } catch (...) {
        fail(formula, texts, "unexpected exception");
    }
    return 0;
}
