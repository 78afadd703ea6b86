#include "runtime/form.h"

#include "runtime/program.h"
#include "runtime/style.h"
#include "runtime/tooltip.h"
#include "runtime/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <limits>

namespace runtime {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt would present a plain top-level widget as a pane; a form window is a window, which is what
// lets a screen reader announce it by its caption when it comes up.
QAccessibleInterface *formWindowAccessible(const QString &, QObject *object);

// Returns `parent` once the window's accessible interface is registered, before QWidget's
// constructor may ask for it.
QWidget *withFormWindowAccessible(QWidget *parent) {
    static const bool installed = [] {
        QAccessible::installFactory(formWindowAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    return parent;
}

// A top-level window of fixed client size with the logo picture beneath its controls.
// Closing it through its title bar ends the program, as the Close buttons do.
class FormWindow : public QWidget {
public:
    FormWindow()
        : QWidget(withFormWindowAccessible(nullptr),
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.drawPixmap(0, 0, logoPicture());
    }

    void closeEvent(QCloseEvent *event) override {
        event->accept();
        End();
    }

public:
    // Runs whenever the desktop changes the application's palette.
    std::function<void()> paletteChanged;

protected:
    bool event(QEvent *event) override {
        const bool handled = QWidget::event(event);
        if (event->type() == QEvent::ApplicationPaletteChange && paletteChanged)
            paletteChanged();
        return handled;
    }
};

QAccessibleInterface *formWindowAccessible(const QString &, QObject *object) {
    if (auto *window = dynamic_cast<FormWindow *>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    return nullptr;
}

void setColor(QWidget *widget, QPalette::ColorRole part, ColorRole role) {
    const QColor value = color(role);
    if (!value.isValid())
        return;
    QPalette palette = widget->palette();
    palette.setColor(part, value);
    widget->setPalette(palette);
}

QWidget *createControl(const ControlDesc &desc, QWidget *parent) {
    const QString text = fromUtf8(desc.text);
    switch (desc.kind) {
    case ControlKind::Label: {
        auto *label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    }
    case ControlKind::TextBox: {
        auto *box = new QLineEdit(text, parent);
        box->setMaxLength(std::numeric_limits<int>::max());
        return box;
    }
    case ControlKind::CommandButton: {
        auto *button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    case ControlKind::ComboBox:
        return new Selector(parent);
    case ControlKind::OptionButton: {
        auto *option = new QRadioButton(text, parent);
        option->setAutoFillBackground(desc.background != ColorRole::Default);
        return option;
    }
    case ControlKind::PictureBox:
        return new OutputBox(parent);
    }
    return nullptr;
}

// Gives a control the colours of its table row on the current palette.
void applyColors(const ControlDesc &desc, QWidget *widget) {
    switch (desc.kind) {
    case ControlKind::TextBox:
        setColor(widget, QPalette::Base, desc.background);
        setColor(widget, QPalette::Text, desc.foreground);
        break;
    case ControlKind::OptionButton:
        // A button fills its background with the Button role, but draws its label in WindowText.
        setColor(widget, widget->backgroundRole(), desc.background);
        setColor(widget, QPalette::WindowText, desc.foreground);
        break;
    case ControlKind::Label:
    case ControlKind::PictureBox:
        setColor(widget, QPalette::Window, desc.background);
        setColor(widget, QPalette::WindowText, desc.foreground);
        break;
    case ControlKind::CommandButton:
    case ControlKind::ComboBox:
        break;
    }
}

// A caption split inside a word over two labels on one row, as "Enter R" and "adius II" in
// another colour, reads as one word: the first label's letters are spaced out by the fraction
// of a pixel that makes its text end where the second label begins.
void joinSplitCaptions(std::span<const ControlDesc> controls,
                       const std::vector<QWidget *> &widgets) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDesc &first = controls[i];
        if (first.kind != ControlKind::Label || first.text.empty() || first.text.back() == ' ')
            continue;
        for (const ControlDesc &second : controls) {
            if (second.kind != ControlKind::Label || second.top != first.top ||
                second.left <= first.left || second.left >= first.left + first.width)
                continue;
            QFont font = widgets[i]->font();
            const QFontMetricsF metrics(font);
            const QString text = fromUtf8(first.text);
            const qreal gap =
                pixels(second.left) - pixels(first.left) - metrics.horizontalAdvance(text);
            if (gap <= 0 || gap >= metrics.averageCharWidth())
                continue; // not a continuation: the text overlaps it or stands clear of it
            font.setLetterSpacing(QFont::AbsoluteSpacing, gap / qreal(text.size()));
            widgets[i]->setFont(font);
        }
    }
}

} // namespace

Form::Form(const FormDesc &layout)
    : m_layout(layout) {}

Form::~Form() = default;

QWidget *Form::window() const {
    return m_window.get();
}

void Form::Show() {
    if (!m_window)
        build();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void Form::Hide() {
    if (!m_window)
        build();
    m_window->hide();
}

void Form::build() {
    auto window = std::make_unique<FormWindow>();
    window->setObjectName(fromUtf8(m_layout.name));
    window->setWindowTitle(fromUtf8(m_layout.caption));
    window->setFixedSize(pixels(m_layout.clientWidth), pixels(m_layout.clientHeight));
    window->setWindowIcon(icon(m_layout.icon));

    m_controls.reserve(m_layout.controls.size());
    for (const ControlDesc &desc : m_layout.controls) {
        QWidget *widget = createControl(desc, window.get());
        widget->setObjectName(fromUtf8(desc.name));
        widget->setGeometry(pixels(desc.left), pixels(desc.top), pixels(desc.width),
                            pixels(desc.height));
        widget->setFont(font(desc.font));
        if (!desc.accessibleName.empty())
            widget->setAccessibleName(fromUtf8(desc.accessibleName));
        m_controls.push_back(widget);
    }
    // The title-bar and desktop colours come from the desktop's palette, and follow it.
    const auto recolor = [this] {
        for (std::size_t i = 0; i < m_controls.size(); ++i)
            applyColors(m_layout.controls[i], m_controls[i]);
    };
    recolor();
    window->paletteChanged = recolor;

    // Labels lie beneath every other control; the focus follows TabIndex, skipping labels.
    std::vector<const ControlDesc *> byTab;
    for (std::size_t i = 0; i < m_layout.controls.size(); ++i) {
        if (m_layout.controls[i].kind == ControlKind::Label)
            m_controls[i]->lower();
        else
            byTab.push_back(&m_layout.controls[i]);
    }
    std::stable_sort(byTab.begin(), byTab.end(), [](const ControlDesc *a, const ControlDesc *b) {
        return a->tabIndex < b->tabIndex;
    });
    QWidget *previous = nullptr;
    for (const ControlDesc *desc : byTab) {
        QWidget *widget = control(desc->name);
        if (previous)
            QWidget::setTabOrder(previous, widget);
        else
            widget->setFocus(Qt::OtherFocusReason);
        previous = widget;
    }
    joinSplitCaptions(m_layout.controls, m_controls);

    m_window = std::move(window);
    bindHandlers();
    runHandler([this] { Form_Load(); });
}

void Form::onClick(std::string_view name, std::function<void()> handler) {
    QWidget *widget = control(name);
    auto run = [handler = std::move(handler)] { runHandler(handler); };
    if (auto *selector = qobject_cast<Selector *>(widget))
        QObject::connect(selector, &Selector::Click, selector, run);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QObject::connect(button, &QAbstractButton::clicked, button, run);
    else
        raiseControlFailure("Click on " + std::string(name));
}

QWidget *Form::control(std::string_view name) const {
    for (std::size_t i = 0; i < m_layout.controls.size(); ++i) {
        if (m_layout.controls[i].name == name && i < m_controls.size())
            return m_controls[i];
    }
    raiseControlFailure(std::string(name) + " on " + std::string(m_layout.name));
}

bool Form::hasControl(std::string_view name) const {
    return std::any_of(m_layout.controls.begin(), m_layout.controls.end(),
                       [name](const ControlDesc &desc) { return desc.name == name; });
}

template <class Widget> Widget *Form::controlAs(std::string_view name) const {
    auto *widget = qobject_cast<Widget *>(control(name));
    if (!widget)
        raiseControlFailure(std::string(name) + " on " + std::string(m_layout.name));
    return widget;
}

TextBox Form::textBox(std::string_view name) const {
    return TextBox(controlAs<QLineEdit>(name));
}

ComboBox Form::comboBox(std::string_view name) const {
    return ComboBox(controlAs<Selector>(name));
}

OptionButton Form::optionButton(std::string_view name) const {
    return OptionButton(controlAs<QRadioButton>(name));
}

PictureBox Form::pictureBox(std::string_view name) const {
    return PictureBox(controlAs<OutputBox>(name));
}

void Form::setToolTip(std::string_view name, std::string_view text) const {
    runtime::setToolTip(control(name), text);
}

void Form::onOptionToggled(std::string_view name, std::function<void()> update) {
    QRadioButton *option = controlAs<QRadioButton>(name);
    QObject::connect(option, &QRadioButton::toggled, option,
                     [update = std::move(update)](bool) { update(); });
}

} // namespace runtime
