#include "forms/calculatorform.h"

#include "runtime/program.h"

namespace forms {

CalculatorForm::CalculatorForm(const PageDesc &page, Navigator &navigator, Calculate calculate)
    : Form(layoutOf(page.window))
    , m_page(page)
    , m_navigator(navigator)
    , m_calculate(calculate) {}

runtime::PictureBox CalculatorForm::output() const {
    return pictureBox(m_page.outputBox);
}

runtime::TextBox CalculatorForm::input(std::size_t position) const {
    return textBox(m_page.inputs.at(position));
}

std::vector<runtime::TextBox> CalculatorForm::inputs() const {
    std::vector<runtime::TextBox> boxes;
    for (const std::string_view name : m_page.inputs) {
        if (!name.empty())
            boxes.push_back(textBox(name));
    }
    return boxes;
}

void CalculatorForm::bindHandlers() {
    onClick(m_page.calculateButton, [this] { m_calculate(*this); });
    onClick("cmdClear", [this] { cmdClear_Click(); });
    onClick("cmdBack", [this] { cmdBack_Click(); });
    // The triangle window names its Close button cmdClose; the others cmdExit.
    onClick(hasControl("cmdClose") ? "cmdClose" : "cmdExit", [this] { cmdExit_Click(); });
}

void CalculatorForm::cmdClear_Click() {
    calc::clearPage(output(), m_page.clearOrder, inputs());
}

void CalculatorForm::cmdBack_Click() {
    m_navigator.back(m_page.window);
}

void CalculatorForm::cmdExit_Click() {
    runtime::End();
}

} // namespace forms
