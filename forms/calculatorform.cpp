#include "forms/calculatorform.h"

#include "runtime/program.h"

#include <algorithm>

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
    onClick(m_page.calculateButton, [this] {
        // A box that an error keeps this Calculate from reading has no note from an earlier one.
        for (const runtime::TextBox &box : inputs())
            box.SetReadingNote("");
        m_calculate(*this);
    });
    onClick("cmdClear", [this] { cmdClear_Click(); });
    onClick("cmdBack", [this] { cmdBack_Click(); });
    // The triangle window names its Close button cmdClose; the others cmdExit.
    onClick(hasControl("cmdClose") ? "cmdClose" : "cmdExit", [this] { cmdExit_Click(); });

    showFormula();
    for (const OptionFormula &choice : m_page.optionFormulas) {
        if (!choice.option.empty())
            onOptionToggled(choice.option, [this] { showFormula(); });
    }
}

void CalculatorForm::showFormula() const {
    const std::string sentence = formulaSentence();
    setToolTip(m_page.calculateButton, sentence);
    setToolTip(m_page.outputBox, sentence);
}

std::string CalculatorForm::formulaSentence() const {
    if (!m_page.formula.empty())
        return calc::formulaSentence(m_page.formula);
    std::string all;
    for (const OptionFormula &choice : m_page.optionFormulas) {
        if (choice.option.empty())
            continue;
        if (optionButton(choice.option).Value())
            return calc::formulaSentence(choice.formula);
        const auto &controls = layout().controls;
        const auto row = std::find_if(controls.begin(), controls.end(),
                                      [&](const auto &desc) { return desc.name == choice.option; });
        if (!all.empty())
            all += "; ";
        all.append(row->text).append(": ").append(choice.formula);
    }
    return calc::formulaSentence(all);
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
