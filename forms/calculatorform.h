#pragma once

#include "calc/page.h"
#include "forms/windows.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

// A formula that one of a page's option buttons chooses.
struct OptionFormula {
    std::string_view option;
    std::string_view formula;
};

// What a calculator page is made of, beyond its layout: its Calculate button, output box,
// input boxes in reading order, the order in which Clear empties them, and the formula that
// its Calculate button and output box tell.
struct PageDesc {
    WindowId window;
    std::string_view calculateButton;
    std::string_view outputBox;
    std::array<std::string_view, 3> inputs; // reading order; unused places empty
    calc::ClearOrder clearOrder;
    // In the symbols of the input captions; empty when the option buttons choose the formula.
    std::string_view formula;
    std::array<OptionFormula, 3> optionFormulas{}; // unused places empty
};

// A calculator window: its own Calculate, and the Clear, Back and Close every calculator window
// shares.
class CalculatorForm : public runtime::Form {
public:
    using Calculate = void (*)(const CalculatorForm &page);

    CalculatorForm(const PageDesc &page, Navigator &navigator, Calculate calculate);

    // Returns the page's output box.
    runtime::PictureBox output() const;
    // Returns the page's input box at `position` in reading order.
    runtime::TextBox input(std::size_t position) const;
    // Returns the page's input boxes in reading order.
    std::vector<runtime::TextBox> inputs() const;
    using Form::optionButton;

protected:
    void bindHandlers() override;

private:
    // Clear: empties the input boxes and the output box in the page's order, then puts the focus
    // in the first input box.
    void cmdClear_Click();
    // Back: hides this window and shows the main window.
    void cmdBack_Click();
    // Close: ends the program.
    void cmdExit_Click();

    // Tells the page's formula, or the one its chosen option gives, on the Calculate button and
    // the output box; with no option chosen, all of them.
    void showFormula() const;
    // Returns the sentence that showFormula shows.
    std::string formulaSentence() const;

    const PageDesc &m_page;
    Navigator &m_navigator;
    Calculate m_calculate;
};

} // namespace forms
