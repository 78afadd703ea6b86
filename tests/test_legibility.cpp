// Every text the windows show reads at 4.5:1 or more against what lies behind it, and the
// keyboard-focus frame of every control at 3:1 or more, in every colour scheme of the matrix
// below, measured on the rendered pixels.
//
// Text: the pixels of the colour a control draws its text in are the letters; what lies behind
// them is the same window rendered without its texts (captions with their letters made
// transparent, so that a halo round them stays), under and around the letters; the medians of
// the two luminances are compared. Focus: each control is rendered without and with the focus,
// and the frame must stand apart from both what was there and the face it encloses (see
// focusContrast).
//
// The schemes are set in this process as the application palette, except where
// HELMIRA_LEGIBILITY_SCHEME=platform: then the one scheme is whatever the platform theme gave
// (CTest runs that with the GTK and qt6ct themes), and HELMIRA_EXPECT_WINDOW, when set, is the
// window colour the theme must have given, so that a theme that failed to load cannot pass as
// the default palette. With HELMIRA_SCREENSHOTS=<folder> set, the window is saved there with
// each control focused in turn.

#include "app/windowset.h"
#include "forms/windows.h"
#include "runtime/text.h"
#include "runtime/widgets.h"
#include "wcag.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

using forms::WindowId;
using runtime::ControlDesc;
using runtime::ControlKind;
using runtime::fromUtf8;

Q_DECLARE_METATYPE(WindowId)

namespace {

using testing::contrast;
using testing::relativeLuminance;

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The contrast of the text drawn in `ink` inside `area` of `shot` against what lies behind it:
// the pixels of `ground` (the same rendering without the text) under and around the letters,
// or without a `ground`, the pixels of `shot` two pixels away from the letters. Returns 0 when
// hardly any pixel has the text's colour (the text is not drawn in it, or not at all).
double textContrast(const QImage &shot, const QImage *ground, const QRegion &area,
                    const QColor &ink) {
    const QRect bounds = area.boundingRect().intersected(shot.rect());
    const int w = bounds.width();
    const auto at = [&](int x, int y) {
        return std::size_t(y - bounds.top()) * std::size_t(w) + std::size_t(x - bounds.left());
    };
    std::vector<char> letter(std::size_t(w) * std::size_t(bounds.height()), 0);
    std::vector<double> letters;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y)
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            const QRgb p = shot.pixel(x, y);
            if (area.contains(QPoint(x, y)) && std::abs(qRed(p) - ink.red()) <= 12 &&
                std::abs(qGreen(p) - ink.green()) <= 12 && std::abs(qBlue(p) - ink.blue()) <= 12) {
                letter[at(x, y)] = 1;
                letters.push_back(relativeLuminance(p));
            }
        }
    if (letters.size() < 6)
        return 0;
    const auto within = [&](int x, int y, int d) {
        for (int j = std::max(y - d, bounds.top()); j <= std::min(y + d, bounds.bottom()); ++j)
            for (int i = std::max(x - d, bounds.left()); i <= std::min(x + d, bounds.right()); ++i)
                if (letter[at(i, j)])
                    return true;
        return false;
    };
    std::vector<double> behind;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y)
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            if (!area.contains(QPoint(x, y)) || !within(x, y, 2))
                continue;
            if (ground)
                behind.push_back(relativeLuminance(ground->pixel(x, y)));
            else if (!within(x, y, 1))
                behind.push_back(relativeLuminance(shot.pixel(x, y)));
        }
    if (behind.empty())
        return 1; // nothing but letters: no contrast to see them by
    return contrast(median(letters), median(behind));
}

// The colour that most pixels of `area` have.
QRgb dominant(const QImage &shot, const QRect &area) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[shot.pixel(x, y)];
    return std::max_element(counts.begin(), counts.end(),
                            [](auto a, auto b) { return a.second < b.second; })
        ->first;
}

// How a focus frame stands out along the edges of the control at `r`. At every point of the
// edges, each of the outer four pixels counts by the lower of two contrasts: against the same
// pixel without the focus, and against its inward neighbour with the focus (the face that the
// frame encloses); the best pixel is the point's figure. The result is the figure of the point
// at one fifth from the weakest: the points where the text cursor, a selection, a letter or an
// option's round mark touches the frame do not count, a frame missing or hidden along an edge
// does.
double focusContrast(const QImage &without, const QImage &with, const QRect &r) {
    const auto stands = [&](QPoint p, QPoint inward) {
        const double change =
            contrast(relativeLuminance(without.pixel(p)), relativeLuminance(with.pixel(p)));
        return std::min(change, contrast(relativeLuminance(with.pixel(p)),
                                         relativeLuminance(with.pixel(p + inward))));
    };
    std::vector<double> points;
    const auto edge = [&](QPoint from, QPoint along, int length, QPoint inward) {
        for (int i = 3; i < length - 3; ++i) {
            double best = 1;
            for (int d = 0; d < 4; ++d)
                best = std::max(best, stands(from + along * i + inward * d, inward));
            points.push_back(best);
        }
    };
    edge(r.topLeft(), {1, 0}, r.width(), {0, 1});
    edge(r.bottomLeft(), {1, 0}, r.width(), {0, -1});
    edge(r.topLeft(), {0, 1}, r.height(), {1, 0});
    edge(r.topRight(), {0, 1}, r.height(), {-1, 0});
    std::sort(points.begin(), points.end());
    return points.empty() ? 1.0 : points[points.size() / 5];
}

QPalette fromColours(const QStringList &colours) {
    QPalette palette;
    for (int group = 0; group < 3; ++group)
        for (int role = 0; role < colours.size() && role < QPalette::NColorRoles; ++role)
            palette.setColor(QPalette::ColorGroup(group), QPalette::ColorRole(role),
                             QColor(colours[role].trimmed()));
    return palette;
}

// A scheme in qt6ct's colour file format: the colours of every role in QPalette's order.
QPalette qt6ctScheme(const QString &name) {
    QSettings file(QStringLiteral("/usr/share/qt6ct/colors/%1.conf").arg(name),
                   QSettings::IniFormat);
    QPalette palette;
    const QStringList groups{QStringLiteral("active_colors"), QStringLiteral("disabled_colors"),
                             QStringLiteral("inactive_colors")};
    const QPalette::ColorGroup order[] = {QPalette::Active, QPalette::Disabled, QPalette::Inactive};
    for (int g = 0; g < 3; ++g) {
        const QStringList colours =
            file.value(QStringLiteral("ColorScheme/") + groups[g]).toStringList();
        for (int role = 0; role < colours.size() && role < QPalette::NColorRoles; ++role)
            palette.setColor(order[g], QPalette::ColorRole(role), QColor(colours[role].trimmed()));
    }
    return palette;
}

QPalette fusion() {
    static const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
    return style->standardPalette();
}

// The schemes set in this process: name and palette (an invalid Window colour where the qt6ct
// file is missing).
std::vector<std::pair<QString, QPalette>> schemes() {
    std::vector<std::pair<QString, QPalette>> list;
    if (qEnvironmentVariable("HELMIRA_LEGIBILITY_SCHEME") == QLatin1String("platform")) {
        list.emplace_back(QStringLiteral("platform"), QApplication::palette());
        return list;
    }
    list.emplace_back(QStringLiteral("fusion"), fusion());
    QPalette navy = fusion();
    navy.setColor(QPalette::Highlight, QColor(0, 0, 128));
    navy.setColor(QPalette::HighlightedText, Qt::white);
    list.emplace_back(QStringLiteral("light-navy"), navy);
    // Breeze Dark's colours.
    list.emplace_back(
        QStringLiteral("dark-lightblue"),
        fromColours(QStringLiteral("#eff0f1,#31363b,#474d54,#3a4045,#1d2023,#2c3034,#eff0f1,"
                                   "#ffffff,#eff0f1,#232629,#31363b,#141618,#3daee9,#eff0f1")
                        .split(u',')));
    for (const char *name : {"airy", "darker", "dusk", "ia_ora", "sand", "simple", "waves"})
        list.emplace_back(QString::fromLatin1(name), qt6ctScheme(QString::fromLatin1(name)));
    return list;
}

} // namespace

class TestLegibility : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<app::WindowSet> m_windows;
    std::map<QString, QPalette> m_schemes;
    // The lowest figure seen, by scheme and by kind of text or mark.
    std::map<QString, std::map<QString, double>> m_lowest;

    void note(const QString &scheme, const QString &kind, double ratio) {
        auto [it, added] = m_lowest[scheme].emplace(kind, ratio);
        if (!added)
            it->second = std::min(it->second, ratio);
    }

    // Sets the row's scheme and shows its window, active, with text in every box.
    QWidget *prepare(const QString &scheme, WindowId id) {
        if (scheme != QLatin1String("platform"))
            QApplication::setPalette(m_schemes.at(scheme));
        m_windows->switchTo(id);
        QWidget *window = m_windows->slot(id).window();
        if (!window || !QTest::qWaitForWindowExposed(window))
            return nullptr;
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            return nullptr;
        for (QLineEdit *box : window->findChildren<QLineEdit *>())
            box->setText(qobject_cast<QComboBox *>(box->parentWidget()) ? QStringLiteral("Circle")
                                                                        : QStringLiteral("25.4"));
        for (auto *output : window->findChildren<runtime::OutputBox *>()) {
            output->clear();
            output->printLine(QStringLiteral("2026.8299"));
        }
        return window;
    }

    static QWidget *controlOf(QWidget *window, const ControlDesc &c) {
        return window->findChild<QWidget *>(fromUtf8(c.name), Qt::FindDirectChildrenOnly);
    }

private Q_SLOTS:
    void initTestCase() {
        if (qEnvironmentVariable("HELMIRA_LEGIBILITY_SCHEME") != QLatin1String("platform"))
            QApplication::setStyle(QStringLiteral("Fusion"));
        const QPalette given = QApplication::palette();
        qInfo("scheme: window %s, text %s, base %s, highlight %s, highlighted text %s",
              qPrintable(given.color(QPalette::Window).name()),
              qPrintable(given.color(QPalette::WindowText).name()),
              qPrintable(given.color(QPalette::Base).name()),
              qPrintable(given.color(QPalette::Highlight).name()),
              qPrintable(given.color(QPalette::HighlightedText).name()));
        const QString expected = qEnvironmentVariable("HELMIRA_EXPECT_WINDOW");
        if (!expected.isEmpty())
            QCOMPARE(given.color(QPalette::Window).name(), expected);
        for (const auto &[name, palette] : schemes()) {
            QVERIFY2(palette.color(QPalette::Window).isValid(),
                     qPrintable(name + QStringLiteral(": no colour file (package qt6ct)")));
            m_schemes.emplace(name, palette);
        }
        // A steady text cursor: the renderings with and without the focus differ by the focus.
        QApplication::setCursorFlashTime(0);
        m_windows = std::make_unique<app::WindowSet>();
        m_windows->start();
    }

    void cleanupTestCase() {
        for (const auto &[scheme, kinds] : m_lowest) {
            std::vector<std::pair<double, QString>> sorted;
            for (const auto &[kind, ratio] : kinds)
                sorted.emplace_back(ratio, kind);
            std::sort(sorted.begin(), sorted.end());
            QStringList parts;
            for (const auto &[ratio, kind] : sorted)
                parts.append(QStringLiteral("%1 %2").arg(kind).arg(ratio, 0, 'f', 2));
            qInfo("lowest, %s: %s", qPrintable(scheme),
                  qPrintable(parts.join(QStringLiteral(", "))));
        }
        m_windows.reset();
    }

    void legible_data() {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<WindowId>("id");
        for (const auto &[scheme, palette] : schemes())
            for (const WindowId id : forms::windowOrder())
                QTest::addRow("%s/%s", qPrintable(scheme),
                              qPrintable(fromUtf8(forms::layoutOf(id).name)))
                    << scheme << id;
    }

    // Every caption, typed text, printed result and button caption of the window, and the text
    // of a selection in every input box.
    void legible() {
        QFETCH(QString, scheme);
        QFETCH(WindowId, id);
        QWidget *window = prepare(scheme, id);
        QVERIFY(window);
        if (QWidget *focus = window->focusWidget())
            focus->clearFocus();
        const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const runtime::FormDesc &form = forms::layoutOf(id);
        // The same window with every text taken away: what lies behind the texts. A caption's
        // letters turn transparent instead, so that whatever it draws round them stays.
        std::vector<std::pair<QLabel *, QPalette>> captions;
        for (QLabel *label : window->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
            captions.emplace_back(label, label->palette());
            QPalette clear = label->palette();
            clear.setColor(QPalette::WindowText, Qt::transparent);
            label->setPalette(clear);
        }
        for (auto *button : window->findChildren<QAbstractButton *>())
            button->setText(QString());
        for (QLineEdit *box : window->findChildren<QLineEdit *>())
            box->clear();
        for (auto *output : window->findChildren<runtime::OutputBox *>())
            output->clear();
        const QImage ground = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (const auto &[label, palette] : captions)
            label->setPalette(palette);
        for (const ControlDesc &c : form.controls)
            if (auto *button = qobject_cast<QAbstractButton *>(controlOf(window, c)))
                button->setText(fromUtf8(c.text));
        QVERIFY(prepare(scheme, id));
        if (QWidget *focus = window->focusWidget())
            focus->clearFocus();
        QStringList failures;
        const auto check = [&](const QString &kind, const QString &name, double ratio,
                               double needed) {
            note(scheme, kind, ratio);
            if (ratio < needed)
                failures.append(QStringLiteral("%1 %2 %3:1").arg(kind, name).arg(ratio, 0, 'f', 2));
        };
        for (const ControlDesc &c : form.controls) {
            QWidget *widget = controlOf(window, c);
            QVERIFY(widget);
            const QRect r = widget->geometry();
            const QString name = fromUtf8(c.name);
            switch (c.kind) {
            case ControlKind::Label: {
                // What no control covers, and not a second label continuing this one.
                QRegion area(r);
                for (const ControlDesc &other : form.controls)
                    if (other.kind != ControlKind::Label ||
                        (other.top == c.top && other.left > c.left))
                        area -= controlOf(window, other)->geometry();
                const QString kind = c.foreground == runtime::ColorRole::TitleBar
                                         ? QStringLiteral("caption in the title-bar colour")
                                     : c.foreground == runtime::ColorRole::Default
                                         ? QStringLiteral("caption in the label colour")
                                         : QStringLiteral("caption white or grey");
                check(kind, name,
                      textContrast(shot, &ground, area,
                                   widget->palette().color(QPalette::WindowText)),
                      4.5);
                break;
            }
            case ControlKind::TextBox: {
                auto *box = static_cast<QLineEdit *>(widget);
                const QRect inside = r.adjusted(3, 3, -3, -3);
                check(QStringLiteral("typed text"), name,
                      textContrast(shot, &ground, inside, box->palette().color(QPalette::Text)),
                      4.5);
                box->setFocus(Qt::OtherFocusReason);
                box->selectAll();
                const QImage selected =
                    window->grab().toImage().convertToFormat(QImage::Format_RGB32);
                // From the box's left edge to the cursor, which ends the selected text.
                const QRect end =
                    box->inputMethodQuery(Qt::ImCursorRectangle).toRect().translated(r.topLeft());
                const QRect text(QPoint(r.left() + 3, end.top()),
                                 QPoint(end.center().x() - 2, end.bottom()));
                check(QStringLiteral("selected text"), name,
                      textContrast(selected, nullptr, text,
                                   box->palette().color(QPalette::HighlightedText)),
                      4.5);
                // The selection's own colour against the box around it.
                const QRgb selection = dominant(selected, text.adjusted(3, 0, -3, 0));
                check(QStringLiteral("selection against the box (3:1)"), name,
                      contrast(relativeLuminance(selection),
                               relativeLuminance(dominant(shot, inside))),
                      3.0);
                box->deselect();
                box->clearFocus();
                break;
            }
            case ControlKind::PictureBox:
                check(QStringLiteral("printed result"), name,
                      textContrast(shot, &ground, r.adjusted(2, 2, -2, -2),
                                   widget->palette().color(QPalette::WindowText)),
                      4.5);
                break;
            case ControlKind::OptionButton:
                check(QStringLiteral("option caption"), name,
                      textContrast(shot, &ground, r, widget->palette().color(QPalette::WindowText)),
                      4.5);
                break;
            case ControlKind::CommandButton:
                check(QStringLiteral("button caption"), name,
                      textContrast(shot, &ground, r.adjusted(3, 3, -3, -3),
                                   widget->palette().color(QPalette::ButtonText)),
                      4.5);
                break;
            case ControlKind::ComboBox: {
                QLineEdit *field = static_cast<QComboBox *>(widget)->lineEdit();
                check(QStringLiteral("selector text"), name,
                      textContrast(shot, &ground, field->geometry().translated(r.topLeft()),
                                   field->palette().color(QPalette::Text)),
                      4.5);
                break;
            }
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
    }

    void focusFrame_data() { legible_data(); }

    // Every control that takes the focus shows it by a frame that stands out at 3:1 from what
    // lies there without the focus, all the way round.
    void focusFrame() {
        QFETCH(QString, scheme);
        QFETCH(WindowId, id);
        QWidget *window = prepare(scheme, id);
        QVERIFY(window);
        QStringList failures;
        for (const ControlDesc &c : forms::layoutOf(id).controls) {
            if (c.kind == ControlKind::Label)
                continue;
            QWidget *widget = controlOf(window, c);
            QVERIFY(widget);
            if (QWidget *focus = window->focusWidget())
                focus->clearFocus();
            const QImage without = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
            widget->setFocus(Qt::TabFocusReason);
            QVERIFY(widget->hasFocus());
            const QImage with = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const double ratio = focusContrast(without, with, widget->geometry());
            const QString folder = qEnvironmentVariable("HELMIRA_SCREENSHOTS");
            if (!folder.isEmpty() && QDir().mkpath(folder))
                with.save(
                    QStringLiteral("%1/%2-%3-%4.png")
                        .arg(folder, scheme, fromUtf8(forms::layoutOf(id).name), fromUtf8(c.name)));
            note(scheme, QStringLiteral("focus frame (3:1)"), ratio);
            if (ratio < 3.0)
                failures.append(
                    QStringLiteral("%1 %2:1").arg(fromUtf8(c.name)).arg(ratio, 0, 'f', 2));
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestLegibility)
#include "test_legibility.moc"
