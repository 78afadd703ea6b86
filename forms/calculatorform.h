#pragma once

#include "calc/page.h"
#include "forms/windows.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace forms {

// What a calculator page is made of, beyond its layout: its Calculate button, output box,
// input boxes in reading order, and the order in which Clear empties them.
struct PageDesc {
    WindowId window;
    std::string_view calculateButton;
    std::string_view outputBox;
    std::array<std::string_view, 3> inputs; // reading order; unused places empty
    calc::ClearOrder clearOrder;
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

    const PageDesc &m_page;
    Navigator &m_navigator;
    Calculate m_calculate;
};

} // namespace forms
