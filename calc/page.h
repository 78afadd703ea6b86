#pragma once

#include "calc/formulas.h"
#include "runtime/controls.h"

#include <array>
#include <cstddef>
#include <span>
#include <tuple>

// What the twelve calculator pages share: reading an input box, the Calculate order (clear the
// output, take pi, read the boxes top to bottom, evaluate, print) and the Clear order.
namespace calc {

// Returns evaluate(); the overflow of a 16-bit step in it is raised again as the error of the
// boxes whose inputs the step combined, `boxes` being the formula's inputs in order.
template <class Evaluate, class... Boxes>
auto evaluateFor(Evaluate evaluate, const Boxes &...boxes) {
    try {
        return evaluate();
    } catch (const runtime::StepOverflow &overflow) {
        const std::array<const runtime::TextBox *, sizeof...(Boxes)> inputs{&boxes...};
        const auto at = [&](int position) { return inputs.at(static_cast<std::size_t>(position)); };
        at(overflow.first())->RaiseStepOverflow(overflow.step(), *at(overflow.second()));
    }
}

// Runs a Calculate whose formula uses pi: clears the output box, takes the pi value, reads the
// boxes in the order given and prints formula(pi, inputs...).
template <class Formula, class... Boxes>
void calculateWithPi(const runtime::PictureBox &output, Formula formula, const Boxes &...boxes) {
    output.Cls();
    const Variant pi = piValue();
    // A braced list is evaluated left to right: the boxes are read top to bottom, and an error
    // in one stops the reading before the next.
    const auto inputs = std::tuple{integerInput(boxes)...};
    output.Print(evaluateFor(
        [&] { return std::apply([&](auto... values) { return formula(pi, values...); }, inputs); },
        boxes...));
}

// Runs a Calculate whose formula needs no pi: clears the output box, reads the boxes in order
// and prints formula(inputs...).
template <class Formula, class... Boxes>
void calculate(const runtime::PictureBox &output, Formula formula, const Boxes &...boxes) {
    output.Cls();
    const auto inputs = std::tuple{integerInput(boxes)...};
    output.Print(evaluateFor([&] { return std::apply(formula, inputs); }, boxes...));
}

enum class ClearOrder { OutputFirst, InputsFirst };

// Empties the input boxes in order, with their reading notes, and the output box (before or after
// them, as given), then puts the focus in the first box.
void clearPage(const runtime::PictureBox &output, ClearOrder order,
               std::span<const runtime::TextBox> inputs);

} // namespace calc
