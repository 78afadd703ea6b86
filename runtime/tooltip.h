#pragma once

#include <string_view>

class QWidget;

namespace runtime {

// Sets the widget's tooltip (UTF-8; empty removes it). A widget without an accessible
// description of its own offers its tooltip as its description, so assistive technology is told
// when that changes.
void setToolTip(QWidget *widget, std::string_view text);

} // namespace runtime
