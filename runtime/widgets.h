#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QStringList>

// The toolkit widgets behind the standard controls, where Qt's own needs a different behaviour.
namespace runtime {

// A drop-down combo with an editable text field whose Click means "the user chose an item from
// the list": a click in the open list, or the arrow keys or wheel on the closed selector, also
// for the item already shown. Typed text is never added to the list and never counts as a
// choice, not even when it matches an item and is confirmed with Enter or by leaving the field.
class Selector : public QComboBox {
    Q_OBJECT
public:
    explicit Selector(QWidget *parent);

    // Closes the list; once the choice is made, no item of the closed list stays current, so
    // none is left reported as focused.
    void hidePopup() override;

Q_SIGNALS:
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Draws the keyboard-focus frame of a control: a one-pixel rectangle `inset` pixels inside its
// edge, in the colour of its text, which the colours are chosen to read on the control's face.
// The style's own focus marks are drawn in the selection colour, which is the face or the
// picture around the controls on these windows.
void drawFocusFrame(QWidget *control, QPainter &painter, QPalette::ColorRole text, int inset);

// A toolkit control that draws the focus frame over itself while it has the keyboard focus.
template <class Base, QPalette::ColorRole Text, int Inset> class FocusFramed : public Base {
public:
    using Base::Base;

protected:
    void paintEvent(QPaintEvent *event) override {
        Base::paintEvent(event);
        if (!this->hasFocus())
            return;
        QPainter painter(this);
        drawFocusFrame(this, painter, Text, Inset);
    }
};

// A caption drawn over the picture, which can draw a halo of another colour round its letters for
// a text colour that does not read on the picture by itself; the picture still shows around and
// between the letters.
class Caption : public QLabel {
public:
    using QLabel::QLabel;

    // Sets the halo's colour; an invalid colour draws none.
    void setHalo(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_halo;
};

// A notice for assistive technology: it has no area and takes no input, and each time it
// announces a text it comes up named after it. A screen reader speaks a notice as it comes up,
// wherever the focus is and whichever window is active.
class Notice : public QWidget {
    Q_OBJECT
public:
    explicit Notice(QWidget *parent);

    void announce(const QString &text);
};

// A command button that Return and the keypad's Enter press when it has the focus, as Space
// does, on every window and without making it the window's default button.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(const QString &text, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A picture box used as a one-line output: it draws its background inside a sunken border and
// the lines printed into it from its top-left corner, and keeps them through every repaint.
// To assistive technology it is static text whose name and text are the line it shows; each
// printed line is also announced. It offers that line to the clipboard.
class OutputBox : public QFrame {
    Q_OBJECT
public:
    explicit OutputBox(QWidget *parent);

    // Erases everything printed and moves the print position to the top-left corner.
    void clear();
    // Prints `text` at the print position and moves the position to the next line.
    void printLine(const QString &text);
    // Returns the line drawn at the top of the box (empty when nothing is shown).
    QString shownLine() const { return m_lines.value(0); }
    // Puts the shown line on the clipboard.
    void copy() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Tells assistive technology that the shown line was `before` and is now shownLine().
    void lineChanged(const QString &before);

    QStringList m_lines;
    int m_printRow = 0;
    Notice *m_notice;
};

} // namespace runtime
