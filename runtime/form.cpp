#include "runtime/form.h"

#include "runtime/program.h"
#include "runtime/style.h"
#include "runtime/text.h"
#include "runtime/tooltip.h"
#include "runtime/widgets.h"

#include <QAbstractNativeEventFilter>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>

#include <algorithm>
#include <limits>

#if __has_include(<xcb/xproto.h>)
#include <xcb/xproto.h>
#define HELMIRA_HAVE_XCB 1
#else
#define HELMIRA_HAVE_XCB 0
#endif

namespace runtime {

namespace {

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
        const qreal ratio = devicePixelRatioF();
        const QPixmap &picture = logoPicture(ratio);
        // A rendition for another ratio than the screen's is scaled smoothly; the one made for
        // it lands pixel for pixel.
        if (picture.devicePixelRatio() != ratio)
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(QPointF(0, 0), picture);
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

#if HELMIRA_HAVE_XCB
// Choosing from a selector's list hides its window while the X server still has to hand the
// keyboard back to it from the closing list; Qt would then activate the hidden window and, its
// focus widget being hidden too, move the focus on to the next control. A window is given the
// focus only while it is shown.
class HiddenWindowFocusFilter : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_FOCUS_IN)
            return false;
        const auto *focusIn = static_cast<const xcb_focus_in_event_t *>(message);
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (dynamic_cast<FormWindow *>(window) && window->internalWinId() == focusIn->event)
                return !window->isVisible();
        }
        return false;
    }
};
#endif

void installHiddenWindowFocusFilter() {
#if HELMIRA_HAVE_XCB
    static HiddenWindowFocusFilter filter;
    static const bool installed = [] {
        QCoreApplication::instance()->installNativeEventFilter(&filter);
        return true;
    }();
    Q_UNUSED(installed);
#endif
}

// Tells assistive technology where each option button stands among the window's option
// buttons ("1 of 3"), in their tab order; they form one group, as on screen.
void describeOptionGroup(const std::vector<const ControlDesc *> &byTab,
                         const std::function<QWidget *(const ControlDesc &)> &widgetOf) {
    std::vector<QWidget *> options;
    for (const ControlDesc *desc : byTab) {
        if (desc->kind == ControlKind::OptionButton)
            options.push_back(widgetOf(*desc));
    }
    for (std::size_t i = 0; i < options.size(); ++i)
        options[i]->setAccessibleDescription(
            QStringLiteral("%1 of %2").arg(i + 1).arg(options.size()));
}

void setColor(QWidget *widget, QPalette::ColorRole part, const QColor &value) {
    if (!value.isValid())
        return;
    QPalette palette = widget->palette();
    palette.setColor(part, value);
    widget->setPalette(palette);
}

void setColor(QWidget *widget, QPalette::ColorRole part, ColorRole role) {
    setColor(widget, part, color(role));
}

// Text on the title-bar colour: the table's colour, or where it leaves the platform's default,
// the colour that reads on the title-bar colour.
QColor textOnTitleBar(ColorRole role) {
    const QColor given = color(role);
    if (given.isValid())
        return given;
    return color(ColorRole::Desktop);
}

QWidget *createControl(const ControlDesc &desc, QWidget *parent) {
    const QString text = fromUtf8(desc.text);
    switch (desc.kind) {
    case ControlKind::Label: {
        auto *label = new Caption(text, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    }
    case ControlKind::TextBox: {
        auto *box = new FocusFramed<QLineEdit, QPalette::Text, 1>(text, parent);
        box->setMaxLength(std::numeric_limits<int>::max());
        return box;
    }
    case ControlKind::CommandButton:
        return new FocusFramed<CommandButton, QPalette::ButtonText, 1>(text, parent);
    case ControlKind::ComboBox:
        return new Selector(parent);
    case ControlKind::OptionButton: {
        auto *option = new FocusFramed<QRadioButton, QPalette::WindowText, 0>(text, parent);
        option->setAutoFillBackground(desc.background != ColorRole::Default);
        return option;
    }
    case ControlKind::PictureBox:
        return new OutputBox(parent);
    }
    return nullptr;
}

// Gives a label drawn over the picture a text colour that reads there: the fixed colours are
// chosen for the picture; the title-bar colour is made lighter or darker as far as it must be;
// the platform's label colour, which a light scheme makes dark, gets a halo in the scheme's
// window colour, the ground it is made to be read on, where it does not read on the picture.
void applyLabelColors(const ControlDesc &desc, Caption *label) {
    QColor text = color(desc.foreground);
    QColor halo;
    if (desc.foreground == ColorRole::TitleBar) {
        text = readableOverPicture(text, label->geometry());
    } else if (desc.foreground == ColorRole::Default) {
        const QPalette scheme = QApplication::palette(label);
        text = scheme.color(QPalette::WindowText);
        if (readableOverPicture(text, label->geometry()) != text) {
            halo = scheme.color(QPalette::Window);
            text = readableOn(halo, text);
        }
    }
    label->setHalo(halo);
    setColor(label, QPalette::WindowText, text);
}

// Gives a control the colours of its table row on the current palette.
void applyColors(const ControlDesc &desc, QWidget *widget) {
    switch (desc.kind) {
    case ControlKind::TextBox: {
        setColor(widget, QPalette::Base, desc.background);
        if (desc.background != ColorRole::TitleBar) {
            setColor(widget, QPalette::Text, desc.foreground);
            break;
        }
        setColor(widget, QPalette::Text, textOnTitleBar(desc.foreground));
        const SelectionColors selection = selectionOnTitleBar();
        setColor(widget, QPalette::Highlight, selection.background);
        setColor(widget, QPalette::HighlightedText, selection.text);
        break;
    }
    case ControlKind::OptionButton:
        // A button fills its background with the Button role, but draws its label in WindowText.
        setColor(widget, widget->backgroundRole(), desc.background);
        setColor(widget, QPalette::WindowText,
                 desc.background == ColorRole::TitleBar ? textOnTitleBar(desc.foreground)
                                                        : color(desc.foreground));
        break;
    case ControlKind::Label:
        applyLabelColors(desc, static_cast<Caption *>(widget));
        break;
    case ControlKind::PictureBox:
        setColor(widget, QPalette::Window, desc.background);
        setColor(widget, QPalette::WindowText,
                 desc.background == ColorRole::TitleBar ? textOnTitleBar(desc.foreground)
                                                        : color(desc.foreground));
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
    installHiddenWindowFocusFilter();
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
    describeOptionGroup(byTab, [this](const ControlDesc &desc) { return control(desc.name); });
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
