#include "runtime/controls.h"
#include "runtime/inputerror.h"

#include "runtime/floatstatus.h"
#include "runtime/numbers.h"
#include "runtime/text.h"
#include "runtime/tooltip.h"
#include "runtime/widgets.h"

#include <QLineEdit>
#include <QRadioButton>

namespace runtime {

std::string TextBox::Text() const {
    std::string text = m_widget->text().toStdString();
    clearFloatStatus();
    return text;
}

void TextBox::SetText(std::string_view text) const {
    m_widget->setText(fromUtf8(text));
    clearFloatStatus();
}

void TextBox::SetFocus() const {
    m_widget->setFocus(Qt::OtherFocusReason);
    clearFloatStatus();
}

std::string TextBox::Caption() const {
    return m_widget->accessibleName().toStdString();
}

void TextBox::RaiseOverflow(double number) const {
    const std::string caption = Caption();
    throw InputError("input", caption, inputOverflowReport(caption, number), m_widget);
}

void TextBox::RaiseStepOverflow(std::string_view step, const TextBox &other) const {
    throw InputError(std::string(step), Caption(),
                     stepOverflowReport(step, Caption(), other.Caption()), m_widget);
}

void TextBox::SetReadingNote(std::string_view note) const {
    setToolTip(m_widget, note);
    clearFloatStatus();
}

void ComboBox::AddItem(std::string_view item) const {
    const bool noneShown = m_widget->currentIndex() < 0;
    const QString text = m_widget->currentText();
    m_widget->addItem(fromUtf8(item));
    if (noneShown && m_widget->currentIndex() >= 0) {
        // Adding the first item makes Qt show it; the selector keeps the text it had.
        m_widget->setCurrentIndex(-1);
        m_widget->setEditText(text);
    }
    clearFloatStatus();
}

std::string ComboBox::Text() const {
    std::string text = m_widget->currentText().toStdString();
    clearFloatStatus();
    return text;
}

bool OptionButton::Value() const {
    const bool chosen = m_widget->isChecked();
    clearFloatStatus();
    return chosen;
}

void OptionButton::SetFocus() const {
    m_widget->setFocus(Qt::OtherFocusReason);
    clearFloatStatus();
}

void PictureBox::Cls() const {
    m_widget->clear();
    clearFloatStatus();
}

void PictureBox::Print(double item) const {
    printText(numberText(item));
}
void PictureBox::Print(const Variant &item) const {
    printText(numberText(item));
}

void PictureBox::printText(const std::string &text) const {
    m_widget->printLine(fromUtf8(text));
    clearFloatStatus();
}

InputError::InputError(std::string operation, std::string caption, std::string report,
                       QLineEdit *box)
    : RuntimeError(ErrorKind::Overflow, std::move(operation), std::move(caption), std::move(report))
    , m_box(box) {}

void InputError::focusInput() const {
    if (!m_box)
        return;
    m_box->setFocus(Qt::OtherFocusReason);
    m_box->selectAll();
}

} // namespace runtime
