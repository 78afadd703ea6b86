#pragma once

#include "calc/formulas.h"
#include "runtime/controls.h"

#include <span>
#include <tuple>

// What the twelve calculator pages share: reading an input box, the Calculate order (clear the
// output, take pi, read the boxes top to bottom, evaluate, print) and the Clear order.
namespace calc {

// Runs a Calculate whose formula uses pi: clears the output box, takes the pi value, reads the
// boxes in the order given and prints formula(pi, inputs...).
template <class Formula, class... Boxes>
void calculateWithPi(const runtime::PictureBox &output, Formula formula, const Boxes &...boxes) {
    output.Cls();
    const Variant pi = piValue();
    // A braced list is evaluated left to right: the boxes are read top to bottom, and an error
    // in one stops the reading before the next.
    const auto inputs = std::tuple{integerInput(boxes)...};
    output.Print(std::apply([&](auto... values) { return formula(pi, values...); }, inputs));
}

// Runs a Calculate whose formula needs no pi: clears the output box, reads the boxes in order
// and prints formula(inputs...).
template <class Formula, class... Boxes>
void calculate(const runtime::PictureBox &output, Formula formula, const Boxes &...boxes) {
    output.Cls();
    const auto inputs = std::tuple{integerInput(boxes)...};
    output.Print(std::apply(formula, inputs));
}

enum class ClearOrder { OutputFirst, InputsFirst };

// Empties the input boxes in order, with their reading notes, and the output box (before or after
// them, as given), then puts the focus in the first box.
void clearPage(const runtime::PictureBox &output, ClearOrder order,
               std::span<const runtime::TextBox> inputs);

} // namespace calc
