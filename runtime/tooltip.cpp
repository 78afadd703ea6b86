#include "runtime/tooltip.h"

#include "runtime/text.h"

#include <QAccessible>
#include <QWidget>

namespace runtime {

void setToolTip(QWidget *widget, std::string_view text) {
    const QString tip = fromUtf8(text);
    if (widget->toolTip() == tip)
        return;
    widget->setToolTip(tip);
    if (widget->accessibleDescription().isEmpty()) {
        QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace runtime
