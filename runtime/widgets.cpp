#include "runtime/widgets.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>

#include <algorithm>

namespace runtime {

namespace {

constexpr int selectorFrameInset = 2;
constexpr int haloWidth = 1;

// Qt names an editable combo box after its text on this platform; a selector is named after the
// heading above it, and its text is its value. Its children are its list (a window of its own,
// so not found among the child widgets) and its text field, as for Qt's own combo box.
class SelectorAccessible : public QAccessibleWidget {
public:
    explicit SelectorAccessible(Selector *selector)
        : QAccessibleWidget(selector, QAccessible::ComboBox) {
        addControllingSignal(QStringLiteral("activated(int)"));
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return selector()->currentText();
        return QAccessibleWidget::text(kind);
    }

    int childCount() const override { return 2; }

    QAccessibleInterface *child(int index) const override {
        switch (index) {
        case 0:
            return QAccessible::queryAccessibleInterface(selector()->view());
        case 1:
            return QAccessible::queryAccessibleInterface(selector()->lineEdit());
        default:
            return nullptr;
        }
    }

    int indexOfChild(const QAccessibleInterface *child) const override {
        if (!child)
            return -1;
        if (child->object() == selector()->view())
            return 0;
        if (child->object() == selector()->lineEdit())
            return 1;
        return -1;
    }

private:
    Selector *selector() const { return static_cast<Selector *>(widget()); }
};

// The output box is static text: its line is its name and its text, it is not editable, and its
// description says what it holds.
class OutputBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit OutputBoxAccessible(OutputBox *box)
        : QAccessibleWidget(box, QAccessible::StaticText) {}

    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name || kind == QAccessible::Value)
            return line();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.selectableText = true;
        return state;
    }

    // Text: the shown line, with neither selection nor caret of its own.
    void selection(int, int *startOffset, int *endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString shown = line();
        startOffset = std::clamp(startOffset, 0, int(shown.size()));
        endOffset = endOffset < 0 ? int(shown.size()) : std::clamp(endOffset, 0, int(shown.size()));
        return shown.mid(startOffset, std::max(0, endOffset - startOffset));
    }
    int characterCount() const override { return int(line().size()); }
    QRect characterRect(int offset) const override {
        const QString shown = line();
        if (offset < 0 || offset >= shown.size())
            return {};
        const QFontMetrics metrics = widget()->fontMetrics();
        const QRect area = widget()->contentsRect();
        const int left = area.left() + metrics.horizontalAdvance(shown.left(offset));
        const QRect glyph(left, area.top(), metrics.horizontalAdvance(shown.at(offset)),
                          metrics.height());
        return QRect(widget()->mapToGlobal(glyph.topLeft()), glyph.size());
    }
    int offsetAtPoint(const QPoint &point) const override {
        const QString shown = line();
        const QFontMetrics metrics = widget()->fontMetrics();
        const int x = widget()->mapFromGlobal(point).x() - widget()->contentsRect().left();
        for (int offset = 0; offset < shown.size(); ++offset) {
            if (x < metrics.horizontalAdvance(shown.left(offset + 1)))
                return offset;
        }
        return -1;
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QString line() const { return static_cast<OutputBox *>(widget())->shownLine(); }
};

QAccessibleInterface *runtimeAccessible(const QString &, QObject *object) {
    if (auto *selector = qobject_cast<Selector *>(object))
        return new SelectorAccessible(selector);
    if (auto *box = qobject_cast<OutputBox *>(object))
        return new OutputBoxAccessible(box);
    if (auto *notice = qobject_cast<Notice *>(object))
        return new QAccessibleWidget(notice, QAccessible::Notification);
    return nullptr;
}

// Returns `parent` once the controls' accessible interfaces are registered; it must be before
// QComboBox's constructor runs, which may already ask for the interface.
QWidget *withRuntimeAccessible(QWidget *parent) {
    static const bool installed = [] {
        QAccessible::installFactory(runtimeAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    return parent;
}

// A selector's text field, which covers most of the selector: it draws its part of the
// selector's focus frame, so that the frame runs all the way round.
class SelectorField : public QLineEdit {
public:
    explicit SelectorField(QWidget *parent)
        : QLineEdit(parent) {}

protected:
    void paintEvent(QPaintEvent *event) override {
        QLineEdit::paintEvent(event);
        QWidget *selector = parentWidget();
        if (!selector || !selector->hasFocus())
            return;
        QPainter painter(this);
        painter.translate(-pos());
        drawFocusFrame(selector, painter, QPalette::Text, selectorFrameInset);
    }
};

} // namespace

Selector::Selector(QWidget *parent)
    : QComboBox(withRuntimeAccessible(parent)) {
    setEditable(true);
    setLineEdit(new SelectorField(this));
    setInsertPolicy(QComboBox::NoInsert);
    // The completer would turn a typed "circ" into a chosen "Circle".
    setCompleter(nullptr);
    // QComboBox treats Enter and leaving the field as a choice when the typed text matches an
    // item; here only the list chooses, so the field's own signals are kept away from it.
    QObject::disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    QObject::disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    connect(this, &QComboBox::activated, this, &Selector::Click);
}

void Selector::paintEvent(QPaintEvent *event) {
    QComboBox::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    drawFocusFrame(this, painter, QPalette::Text, selectorFrameInset);
}

void drawFocusFrame(QWidget *control, QPainter &painter, QPalette::ColorRole text, int inset) {
    painter.save();
    painter.setClipping(false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(control->palette().color(text), 1));
    painter.drawRect(control->rect().adjusted(inset, inset, -inset - 1, -inset - 1));
    painter.restore();
}

void Caption::setHalo(const QColor &colour) {
    if (colour == m_halo)
        return;
    m_halo = colour;
    update();
}

void Caption::paintEvent(QPaintEvent *event) {
    if (m_halo.isValid()) {
        // The text drawn in the halo's colour once for every neighbouring pixel, beneath the
        // text itself, as QLabel lays out plain text.
        QPainter painter(this);
        QPalette palette = this->palette();
        palette.setColor(QPalette::WindowText, m_halo);
        const int flags = int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
        const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
        for (int dy = -haloWidth; dy <= haloWidth; ++dy)
            for (int dx = -haloWidth; dx <= haloWidth; ++dx)
                if (dx != 0 || dy != 0)
                    style()->drawItemText(&painter, area.translated(dx, dy), flags, palette,
                                          isEnabled(), text(), QPalette::WindowText);
    }
    QLabel::paintEvent(event);
}

void Selector::hidePopup() {
    QComboBox::hidePopup();
    // The list hands its current item over as the choice right after closing; only then does
    // it let go of it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!view()->isVisible())
                view()->selectionModel()->clearCurrentIndex();
        },
        Qt::QueuedConnection);
}

Notice::Notice(QWidget *parent)
    : QWidget(withRuntimeAccessible(parent)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Notice::announce(const QString &text) {
    hide();
    setAccessibleName(text);
    show();
}

CommandButton::CommandButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent) {
    setAutoDefault(false);
    setDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent *event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            animateClick();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

OutputBox::OutputBox(QWidget *parent)
    : QFrame(withRuntimeAccessible(parent))
    , m_notice(new Notice(this)) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(QStringLiteral("Result"));
}

void OutputBox::clear() {
    const QString before = shownLine();
    m_lines.clear();
    m_printRow = 0;
    m_notice->hide();
    lineChanged(before);
    update();
}

void OutputBox::printLine(const QString &text) {
    const QString before = shownLine();
    while (m_lines.size() <= m_printRow)
        m_lines.append(QString());
    m_lines[m_printRow] = text;
    ++m_printRow;
    lineChanged(before);
    m_notice->announce(text);
    update();
}

void OutputBox::copy() const {
    QApplication::clipboard()->setText(shownLine());
}

void OutputBox::lineChanged(const QString &before) {
    if (before == shownLine() || !QAccessible::isActive())
        return;
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    QAccessibleTextUpdateEvent textChanged(this, 0, before, shownLine());
    QAccessible::updateAccessibility(&textChanged);
}

void OutputBox::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    // Along the edge of the face, beneath the printed line, which starts at that edge.
    if (hasFocus())
        drawFocusFrame(this, painter, QPalette::WindowText, frameWidth());
    const QRect area = contentsRect();
    painter.setClipRect(area);
    painter.setPen(palette().color(QPalette::WindowText));
    const int lineHeight = fontMetrics().height();
    for (int row = 0; row < m_lines.size(); ++row) {
        const QRect line(area.left(), area.top() + row * lineHeight, area.width(), lineHeight);
        if (line.top() > area.bottom())
            break;
        painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_lines[row]);
    }
}

void OutputBox::keyPressEvent(QKeyEvent *event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    QFrame::keyPressEvent(event);
}

void OutputBox::contextMenuEvent(QContextMenuEvent *event) {
    QMenu menu(this);
    QAction *copyAction = menu.addAction(QStringLiteral("&Copy"));
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(!shownLine().isEmpty());
    if (menu.exec(event->globalPos()) == copyAction)
        copy();
}

} // namespace runtime

// The meta-object code of the widgets above, compiled with them rather than on its own.
#include "moc_widgets.cpp"
