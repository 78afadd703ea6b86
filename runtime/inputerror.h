#pragma once

#include "runtime/error.h"

#include <QLineEdit>
#include <QPointer>

#include <string>

namespace runtime {

// An overflow error that an input box can correct: carries the box so that, once the report is
// dismissed, the person can correct the number where it was typed.
class InputError : public RuntimeError {
public:
    InputError(std::string operation, std::string caption, std::string report, QLineEdit *box);

    // Puts the focus in the box with its text selected, if the box still exists.
    void focusInput() const;

private:
    QPointer<QLineEdit> m_box;
};

} // namespace runtime
