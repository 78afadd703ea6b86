#pragma once

#include "runtime/error.h"
#include "runtime/variant.h"

#include <string>
#include <string_view>

class QAbstractButton;
class QLineEdit;
class QRadioButton;

// The standard controls as the handlers use them: thin handles over the window's widgets with
// the operations a handler calls. Every operation is a control call: it leaves the
// floating-point status clear, so a later float-status test sees only the arithmetic after it.
namespace runtime {

class Selector;
class OutputBox;

class TextBox {
public:
    explicit TextBox(QLineEdit *widget)
        : m_widget(widget) {}

    // Returns the current text as UTF-8.
    std::string Text() const;
    void SetText(std::string_view text) const;
    void SetFocus() const;
    // Returns the caption a person reads beside the box ("Enter Radius II").
    std::string Caption() const;
    // Raises the overflow error of this box's input, `number` being what was read from it; the
    // report then puts the focus back here.
    [[noreturn]] void RaiseOverflow(double number) const;
    // Raises the overflow error of a step that made `step` ("product") of this box's input and
    // `other`'s; the report names both boxes and then puts the focus here.
    [[noreturn]] void RaiseStepOverflow(std::string_view step, const TextBox &other) const;
    // Shows how the box's number was last read ("2.5 was read as 2") as its tooltip, and so as
    // its accessible description; an empty note removes it.
    void SetReadingNote(std::string_view note) const;

private:
    QLineEdit *m_widget;
};

class ComboBox {
public:
    explicit ComboBox(Selector *widget)
        : m_widget(widget) {}

    // Appends an item to the list; a selector that showed no item keeps showing none.
    void AddItem(std::string_view item) const;
    std::string Text() const;

private:
    Selector *m_widget;
};

class OptionButton {
public:
    explicit OptionButton(QRadioButton *widget)
        : m_widget(widget) {}

    // Returns whether the button is chosen.
    bool Value() const;
    void SetFocus() const;

private:
    QRadioButton *m_widget;
};

class PictureBox {
public:
    explicit PictureBox(OutputBox *widget)
        : m_widget(widget) {}

    // Erases the box; printing restarts at its top-left corner.
    void Cls() const;
    // Prints one item at the print position, then ends the line.
    void Print(double item) const;
    void Print(const Variant &item) const;

private:
    void printText(const std::string &text) const;

    OutputBox *m_widget;
};

} // namespace runtime
