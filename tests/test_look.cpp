// The windows as a person sees them on a real X server: client sizes and the size hints the
// window manager reads, every control at its place, the picture beneath everything, captions in
// their colours, the output line, the window icons and the fonts. tests/with_xvfb.sh gives the
// run a display of its own; CTest runs it once at the normal size and once with
// QT_SCALE_FACTOR=2, where everything must be twice as large and the text drawn at the finer
// resolution. With HELMIRA_SCREENSHOTS=<folder> set, every window is also saved there as PNG.

#include "app/identity.h"
#include "app/windowset.h"
#include "assets/assets.h"
#include "forms/windows.h"
#include "runtime/style.h"
#include "runtime/text.h"
#include "runtime/widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

using forms::WindowId;
using runtime::ColorRole;
using runtime::ControlDesc;
using runtime::ControlKind;
using runtime::fromUtf8;

Q_DECLARE_METATYPE(WindowId)

namespace {

// Adds one row (window, control name) for every control of every window that `wanted` picks.
template <class Predicate> void addControlRows(Predicate wanted) {
    QTest::addColumn<WindowId>("id");
    QTest::addColumn<QString>("name");
    for (const WindowId id : forms::windowOrder()) {
        const runtime::FormDesc &form = forms::layoutOf(id);
        for (const ControlDesc &c : form.controls) {
            if (wanted(c))
                QTest::addRow("%s/%s", qPrintable(fromUtf8(form.name)),
                              qPrintable(fromUtf8(c.name)))
                    << id << fromUtf8(c.name);
        }
    }
}

QRect pixelRect(const ControlDesc &c) {
    return {runtime::pixels(c.left), runtime::pixels(c.top), runtime::pixels(c.width),
            runtime::pixels(c.height)};
}

// The device pixels per pixel that this run was started with. The run at 1.5 checks the
// picture alone (pictureBeneath); the other checks take whole scales.
qreal scaleFactor() {
    return qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
               ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
               : 1;
}

int scale() {
    return int(scaleFactor());
}

// A size or rectangle of pixels in device pixels at any scale; rectangles take in every device
// pixel they touch.
QSize deviceSize(const QSize &size) {
    return (QSizeF(size) * scaleFactor()).toSize();
}

QRect deviceCover(const QRect &r) {
    return QRectF(QPointF(r.topLeft()) * scaleFactor(), QSizeF(r.size()) * scaleFactor())
        .toAlignedRect();
}

QRect device(const QRect &r) {
    return {r.topLeft() * scale(), r.size() * scale()};
}

QString run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QString windowId(const QWidget *window) {
    return QStringLiteral("0x%1").arg(window->winId(), 0, 16);
}

// Returns the size of the window's client area as the X server has it.
QSize xClientSize(const QWidget *window) {
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), windowId(window)});
    const auto width = QRegularExpression(QStringLiteral("Width: (\\d+)")).match(info);
    const auto height = QRegularExpression(QStringLiteral("Height: (\\d+)")).match(info);
    if (!width.hasMatch() || !height.hasMatch())
        return {};
    return {width.captured(1).toInt(), height.captured(1).toInt()};
}

QString xprop(const QWidget *window, const QStringList &arguments) {
    return run(QStringLiteral("xprop"),
               QStringList{QStringLiteral("-id"), windowId(window)} + arguments);
}

// Returns the numbers of a 32-bit property, as xprop prints them.
std::vector<quint32> xpropNumbers(const QWidget *window, const QString &property) {
    const QString text =
        xprop(window, {QStringLiteral("-notype"), QStringLiteral("32c"), property});
    std::vector<quint32> numbers;
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return numbers;
    for (const QString &part : text.mid(equals + 1).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const quint32 value = part.trimmed().toUInt(&ok, 0);
        if (ok)
            numbers.push_back(value);
    }
    return numbers;
}

// The window's pixels as the X server shows them, in device pixels.
QImage grab(QWidget *window) {
    return window->screen()
        ->grabWindow(window->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

bool near(QRgb pixel, const QColor &colour, int tolerance) {
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

QColor expectedColour(ColorRole role, const QColor &fallback) {
    const QColor colour = runtime::color(role);
    return colour.isValid() ? colour : fallback;
}

void saveScreenshot(const QImage &image, const QString &name) {
    const QString folder = qEnvironmentVariable("HELMIRA_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    const QString suffix =
        scaleFactor() == 1 ? QString() : QStringLiteral("@%1x").arg(scaleFactor());
    image.save(folder + u'/' + name + suffix + QStringLiteral(".png"));
}

// Where a caption's ink is: the pixels of its colour that the picture does not have there.
struct Ink {
    std::vector<QPoint> points; // device pixels
    QRect bounds() const {
        QRect r;
        for (const QPoint &p : points)
            r |= QRect(p, QSize(1, 1));
        return r;
    }
};

// Returns the empty space between the ink of two letters written one after the other in a
// word, in pixels at this run's resolution.
qreal letterGap(const QFont &font, QChar left, QChar right) {
    const auto inkColumns = [&font](const QString &text) {
        QImage image(QSize(60, 30) * scale(), QImage::Format_RGB32);
        image.setDevicePixelRatio(scale());
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(10, 20), text);
        }
        std::vector<bool> columns(std::size_t(image.width()), false);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 222)
                    columns[std::size_t(x)] = true;
        return columns;
    };
    const std::vector<bool> alone = inkColumns(QString(left));
    const std::vector<bool> pair = inkColumns(QString(left) + right);
    const auto lastOfLeft = std::find(alone.rbegin(), alone.rend(), true);
    const auto end = std::size_t(alone.rend() - lastOfLeft); // one past the left letter's ink
    std::size_t x = end;
    while (x < pair.size() && !pair[x])
        ++x;
    return qreal(x - end) / scale();
}

} // namespace

class TestLook : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<app::WindowSet> m_windows;
    QImage m_logo;

    QWidget *show(WindowId id) {
        m_windows->switchTo(id);
        QWidget *window = m_windows->slot(id).window();
        if (!QTest::qWaitForWindowExposed(window))
            return nullptr;
        QTest::qWait(20);
        return window;
    }

    static QWidget *controlOf(QWidget *window, std::string_view name) {
        return window->findChild<QWidget *>(fromUtf8(name), Qt::FindDirectChildrenOnly);
    }

    // The logo's pixel under device pixel `p` of a window: the picture drawn for this run's
    // scale, pixel for pixel.
    QRgb logoAt(QPoint p) const { return m_logo.pixel(p); }

    Ink inkOf(const QImage &shot, const QRect &area, const QColor &colour, int tolerance) const {
        Ink ink;
        const QRect inside = area.intersected(shot.rect());
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                if (near(shot.pixel(x, y), colour, tolerance) &&
                    !near(logoAt({x, y}), colour, tolerance))
                    ink.points.emplace_back(x, y);
        return ink;
    }

    // The part of a label that no other control covers, in device pixels.
    static QRegion uncoveredPart(const runtime::FormDesc &form, const ControlDesc &label) {
        QRegion region(device(pixelRect(label)));
        for (const ControlDesc &c : form.controls)
            if (c.kind != ControlKind::Label)
                region -= device(pixelRect(c));
        return region;
    }

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        for (const char *tool : {"xwininfo", "xprop"})
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(), tool);
        QVERIFY(assets::available());
        const char *logo = scaleFactor() == 2     ? assets::logo2xPath
                           : scaleFactor() == 1.5 ? assets::logo15xPath
                                                  : assets::logoPath;
        QVERIFY(m_logo.load(QString::fromLatin1(logo)));
        QCOMPARE(m_logo.size(), deviceSize(QSize(240, 197)));
        m_logo = m_logo.convertToFormat(QImage::Format_RGB32);
        m_windows = std::make_unique<app::WindowSet>();
        m_windows->start();
        // The first switch builds every window.
        QVERIFY(show(WindowId::frmMain));
        QCOMPARE(m_windows->slot(WindowId::frmMain).window()->devicePixelRatio(), scaleFactor());
    }

    void cleanupTestCase() { m_windows.reset(); }

    // The client area has the table's size on the X server, whatever frame the desktop draws,
    // and the window tells the window manager it can be neither resized nor minimized or
    // maximized; it keeps its close box, and its title is the table's caption.
    void clientAreaAndHints_data() {
        QTest::addColumn<WindowId>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        const QSize calculator(217, 155);
        QTest::newRow("frmMain") << WindowId::frmMain << "frmMain" << QSize(227, 111);
        const std::pair<WindowId, const char *> calculators[] = {
            {WindowId::frmTriangleArea, "frmTriangleArea"},
            {WindowId::frmCircleArea, "frmCircleArea"},
            {WindowId::frmSphereArea, "frmSphereArea"},
            {WindowId::frmCylinderArea, "frmCylinderArea"},
            {WindowId::frmTorusArea, "frmTorusArea"},
            {WindowId::frmSphereVol, "frmSphereVol"},
            {WindowId::frmPyramidVol, "frmPyramidVol"},
            {WindowId::frmEllipsoidVol, "frmEllipsoidVol"},
            {WindowId::frmCylinderVol, "frmCylinderVol"},
            {WindowId::frmConeVol, "frmConeVol"},
            {WindowId::frmTorusVol, "frmTorusVol"},
        };
        for (const auto &[id, name] : calculators)
            QTest::newRow(name) << id << name << calculator;
        QTest::newRow("frmEllipseArea")
            << WindowId::frmEllipseArea << "frmEllipseArea" << QSize(216, 157);
    }

    void clientAreaAndHints() {
        QFETCH(WindowId, id);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QCOMPARE(fromUtf8(forms::layoutOf(id).name), name);
        QWidget *window = show(id);
        QVERIFY(window);
        QCOMPARE(window->objectName(), name);
        QCOMPARE(window->size(), size);
        QCOMPARE(window->minimumSize(), size);
        QCOMPARE(window->maximumSize(), size);
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

        const QSize onScreen = size * scale();
        QCOMPARE(xClientSize(window), onScreen);
        const QString hints = xprop(window, {QStringLiteral("WM_NORMAL_HINTS")});
        const QString wh = QStringLiteral("%1 by %2").arg(onScreen.width()).arg(onScreen.height());
        QVERIFY2(hints.contains(QStringLiteral("program specified minimum size: ") + wh),
                 qPrintable(hints));
        QVERIFY2(hints.contains(QStringLiteral("program specified maximum size: ") + wh),
                 qPrintable(hints));

        // Motif hints: flags, functions, decorations. The "all" bit would mean "all but those
        // given", so it must be clear; minimize is 8 and maximize 16 in functions, 32 and 64 in
        // decorations; close is function 32.
        const std::vector<quint32> motif = xpropNumbers(window, QStringLiteral("_MOTIF_WM_HINTS"));
        QVERIFY(motif.size() >= 3);
        QCOMPARE(motif[0] & 3u, 3u);
        QCOMPARE(motif[1] & (1u | 8u | 16u), 0u);
        QCOMPARE(motif[1] & 32u, 32u);
        QCOMPARE(motif[2] & (1u | 32u | 64u), 0u);

        // The title bar shows the caption alone, and the desktop knows the window by the
        // program's class.
        const QString caption = fromUtf8(forms::layoutOf(id).caption);
        const QString names =
            xprop(window, {QStringLiteral("-notype"), QStringLiteral("WM_NAME"),
                           QStringLiteral("_NET_WM_NAME"), QStringLiteral("WM_CLASS")});
        QCOMPARE(names.split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{QStringLiteral("WM_NAME = \"%1\"").arg(caption),
                              QStringLiteral("_NET_WM_NAME = \"%1\"").arg(caption),
                              QStringLiteral("WM_CLASS = \"test_look\", "
                                             "\"helmira-geometric-calculator\"")}));
    }

    // Every control of every table is a direct child at its twip rectangle in pixels, shows the
    // table's caption and uses the table's font.
    void controlPlaces_data() {
        addControlRows([](const ControlDesc &) { return true; });
    }

    void controlPlaces() {
        QFETCH(WindowId, id);
        QFETCH(QString, name);
        const runtime::FormDesc &form = forms::layoutOf(id);
        const auto it =
            std::find_if(form.controls.begin(), form.controls.end(),
                         [&](const ControlDesc &c) { return fromUtf8(c.name) == name; });
        QVERIFY(it != form.controls.end());
        const ControlDesc &desc = *it;
        QWidget *window = m_windows->slot(id).window();
        QVERIFY(window);
        QWidget *widget = controlOf(window, desc.name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), pixelRect(desc));
        QVERIFY(widget->isVisibleTo(window));

        QString caption;
        if (auto *label = qobject_cast<QLabel *>(widget))
            caption = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            caption = button->text();
        else if (auto *box = qobject_cast<QLineEdit *>(widget))
            caption = box->text();
        QCOMPARE(caption, fromUtf8(desc.text));

        const QFontInfo font(widget->font());
        const QFontInfo wanted(runtime::font(desc.font));
        QCOMPARE(font.family(), wanted.family());
        QCOMPARE(font.bold(), desc.font == runtime::FontRole::Control);
        QCOMPARE(font.pixelSize(), 11);
    }

    // Tab visits the controls in TabIndex order, labels never, and comes back round.
    void tabOrder_data() {
        QTest::addColumn<WindowId>("id");
        QTest::addColumn<QStringList>("order");
        for (const WindowId id : forms::windowOrder()) {
            const runtime::FormDesc &form = forms::layoutOf(id);
            std::vector<const ControlDesc *> stops;
            for (const ControlDesc &c : form.controls)
                if (c.kind != ControlKind::Label)
                    stops.push_back(&c);
            std::stable_sort(stops.begin(), stops.end(),
                             [](auto *a, auto *b) { return a->tabIndex < b->tabIndex; });
            QStringList order;
            for (const ControlDesc *c : stops)
                order.append(fromUtf8(c->name));
            QTest::newRow(qPrintable(fromUtf8(form.name))) << id << order;
        }
    }

    void tabOrder() {
        QFETCH(WindowId, id);
        QFETCH(QStringList, order);
        QWidget *window = show(id);
        QVERIFY(window);
        QWidget *first = window->findChild<QWidget *>(order.first(), Qt::FindDirectChildrenOnly);
        QVERIFY(first);
        first->setFocus(Qt::TabFocusReason);
        const auto focused = [window]() -> QString {
            QWidget *w = window->focusWidget();
            while (w && w->parentWidget() != window)
                w = w->parentWidget();
            return w ? w->objectName() : QString();
        };
        QCOMPARE(focused(), order.first());
        // The option buttons of a window are one group and one stop: its chosen button, or
        // the first while none is chosen; the arrow keys move inside the group.
        QStringList options;
        QString chosen;
        for (const QString &name : std::as_const(order))
            if (auto *option =
                    window->findChild<QRadioButton *>(name, Qt::FindDirectChildrenOnly)) {
                options.append(name);
                if (option->isChecked())
                    chosen = name;
            }
        if (!options.isEmpty()) {
            const QString stop = chosen.isEmpty() ? options.first() : chosen;
            order.erase(std::remove_if(order.begin(), order.end(),
                                       [&](const QString &name) {
                                           return options.contains(name) && name != stop;
                                       }),
                        order.end());
        }
        QStringList visited;
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
            visited.append(focused());
        }
        QCOMPARE(visited, order.mid(1) << order.first());
    }

    // The picture lies unscaled at the client area's top-left corner beneath everything, also
    // after a repaint: the client area's corners show the logo's own pixels, and so does every
    // pixel that no control or label covers; at scales 1.5 and 2 those are the pixels of the
    // picture drawn at that resolution, not of the first one enlarged.
    void pictureBeneath_data() {
        QTest::addColumn<WindowId>("id");
        for (const WindowId id : forms::windowOrder())
            QTest::newRow(qPrintable(fromUtf8(forms::layoutOf(id).name))) << id;
    }

    void pictureBeneath() {
        QFETCH(WindowId, id);
        QWidget *window = show(id);
        QVERIFY(window);
        const QSize size = deviceSize(window->size());
        const QPoint corners[] = {{0, 0},
                                  {size.width() - 1, 0},
                                  {0, size.height() - 1},
                                  {size.width() - 1, size.height() - 1}};
        for (const QPoint &corner : corners)
            QVERIFY2(
                !window->childAt(int(corner.x() / scaleFactor()), int(corner.y() / scaleFactor())),
                "a control covers the corner");
        for (int pass = 0; pass < 2; ++pass) {
            if (pass == 1)
                window->repaint();
            const QImage shot = grab(window);
            QCOMPARE(shot.size(), size);
            if (pass == 0)
                saveScreenshot(shot, window->objectName());
            for (const QPoint &corner : corners)
                QCOMPARE(QColor(shot.pixel(corner)), QColor(logoAt(corner)));
        }
        QRegion bare(QRect(QPoint(), size));
        for (const ControlDesc &c : forms::layoutOf(id).controls)
            bare -= deviceCover(pixelRect(c));
        const QImage shot = grab(window);
        int pixels = 0;
        std::optional<QPoint> differs;
        for (const QRect &rect : bare)
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x, ++pixels)
                    if (!differs && shot.pixel(x, y) != logoAt({x, y}))
                        differs = QPoint(x, y);
        QVERIFY(pixels * 4 > size.width() * size.height()); // a good part of the window
        if (differs)
            QFAIL(qPrintable(QStringLiteral("(%1, %2) is #%3, the picture #%4")
                                 .arg(differs->x())
                                 .arg(differs->y())
                                 .arg(shot.pixel(*differs) & 0xffffff, 6, 16, QChar(u'0'))
                                 .arg(logoAt(*differs) & 0xffffff, 6, 16, QChar(u'0'))));
    }

    // Every caption is drawn in its colour over the picture, which shows through everywhere
    // else in the label; the text starts at the label's left edge and wraps at blanks when it
    // is wider than the label. Controls lie above the labels they overlap.
    void labelCaptions_data() {
        addControlRows([](const ControlDesc &c) { return c.kind == ControlKind::Label; });
    }

    void labelCaptions() {
        QFETCH(WindowId, id);
        QFETCH(QString, name);
        const runtime::FormDesc &form = forms::layoutOf(id);
        const ControlDesc &desc =
            *std::find_if(form.controls.begin(), form.controls.end(),
                          [&](const ControlDesc &c) { return fromUtf8(c.name) == name; });
        QWidget *window = show(id);
        QVERIFY(window);
        auto *label = qobject_cast<QLabel *>(controlOf(window, desc.name));
        QVERIFY(label);

        // Controls above: wherever another control overlaps the label, it is what is hit.
        for (const ControlDesc &c : form.controls) {
            const QRect overlap = pixelRect(c).intersected(pixelRect(desc));
            if (c.kind != ControlKind::Label && !overlap.isEmpty())
                QCOMPARE(window->childAt(overlap.center()), controlOf(window, c.name));
        }

        const QImage shot = grab(window);
        const QColor colour =
            expectedColour(desc.foreground, QApplication::palette().color(QPalette::WindowText));
        const QRegion visible = uncoveredPart(form, desc);
        Ink ink;
        int total = 0;
        int picture = 0;
        for (const QRect &r : visible) {
            const Ink part = inkOf(shot, r, colour, 24);
            ink.points.insert(ink.points.end(), part.points.begin(), part.points.end());
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    ++total;
                    picture += shot.pixel(x, y) == logoAt({x, y}) ? 1 : 0;
                }
        }
        QVERIFY2(
            int(ink.points.size()) >= 8 * scale() * scale(),
            qPrintable(QStringLiteral("%1 pixels of the caption's colour").arg(ink.points.size())));
        QVERIFY2(
            picture * 2 > total,
            qPrintable(
                QStringLiteral("the picture shows in %1 of %2 pixels").arg(picture).arg(total)));

        const QRect area = device(pixelRect(desc));
        const QRect bounds = ink.bounds();
        QVERIFY2(bounds.left() - area.left() <= 2 * scale(),
                 "the caption does not start at the left");
        const QFontMetricsF metrics(label->font());
        const bool wraps = metrics.horizontalAdvance(label->text()) > label->width();
        const qreal line = metrics.lineSpacing() * scale();
        if (wraps)
            QVERIFY2(bounds.height() > line, "a caption wider than its label is on one line");
        else
            QVERIFY2(bounds.height() <= line, "a caption that fits its label is broken");
    }

    // A caption split over two labels reads as one: inside a word the second part starts where
    // the first part's text would go on, at a blank it follows after a word gap; the baselines
    // are the same.
    void splitCaptions_data() {
        QTest::addColumn<WindowId>("id");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("frmEllipseArea Enter R|adius II") << WindowId::frmEllipseArea << "Label11"
                                                         << "Label1";
        QTest::newRow("frmTorusArea Enter R|adius II") << WindowId::frmTorusArea << "Label16"
                                                       << "Label1";
        QTest::newRow("frmTorusVol Enter Radius |II") << WindowId::frmTorusVol << "Label28"
                                                      << "Label1";
    }

    void splitCaptions() {
        QFETCH(WindowId, id);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const runtime::FormDesc &form = forms::layoutOf(id);
        QWidget *window = show(id);
        QVERIFY(window);
        auto *head = window->findChild<QLabel *>(first, Qt::FindDirectChildrenOnly);
        auto *tail = window->findChild<QLabel *>(second, Qt::FindDirectChildrenOnly);
        QVERIFY(head && tail);
        QCOMPARE(head->y(), tail->y());
        const auto descOf = [&form](const QString &name) -> const ControlDesc & {
            return *std::find_if(form.controls.begin(), form.controls.end(),
                                 [&](const ControlDesc &c) { return fromUtf8(c.name) == name; });
        };
        const QImage shot = grab(window);
        const auto distance = [](QRgb p, const QColor &c) {
            return std::abs(qRed(p) - c.red()) + std::abs(qGreen(p) - c.green()) +
                   std::abs(qBlue(p) - c.blue());
        };
        // Every pixel the text moved towards its colour, anti-aliased edges included. The first
        // part is looked for left of the second label, the second part in pixels nearer to
        // its colour than to the first part's.
        const ControlDesc &headDesc = descOf(first);
        const ControlDesc &tailDesc = descOf(second);
        const QColor headColour = runtime::color(headDesc.foreground);
        const QColor tailColour = runtime::color(tailDesc.foreground);
        const auto inkBounds = [&](const QRegion &region, const QColor &colour,
                                   const std::optional<QColor> &other) {
            QRect bounds;
            for (const QRect &r : region)
                for (int y = r.top(); y <= r.bottom(); ++y)
                    for (int x = r.left(); x <= r.right(); ++x) {
                        const QRgb p = shot.pixel(x, y);
                        if (distance(p, colour) + 60 < distance(logoAt({x, y}), colour) &&
                            (!other || distance(p, colour) < distance(p, *other)))
                            bounds |= QRect(x, y, 1, 1);
                    }
            return bounds;
        };
        const QRect headInk = inkBounds(uncoveredPart(form, headDesc) - device(tail->geometry()),
                                        headColour, std::nullopt);
        const QRect tailInk = inkBounds(uncoveredPart(form, tailDesc), tailColour, headColour);
        QVERIFY(!headInk.isEmpty() && !tailInk.isEmpty());
        QVERIFY2(std::abs(headInk.bottom() - tailInk.bottom()) <= scale(), "baselines differ");
        const qreal gap = (tailInk.left() - headInk.right() - 1) / qreal(scale());
        qInfo("%g px between the parts", gap);
        if (head->text().endsWith(u' ')) {
            const qreal space = QFontMetricsF(head->font()).horizontalAdvance(u' ');
            QVERIFY2(gap >= space && gap <= 5 * space,
                     qPrintable(QStringLiteral("a gap of %1 px between the words").arg(gap)));
        } else {
            const qreal natural = letterGap(runtime::font(runtime::FontRole::Control),
                                            head->text().back(), tail->text().front());
            qInfo("%g px between the letters in one word", natural);
            QVERIFY2(gap >= 0 && gap <= natural + 1,
                     qPrintable(QStringLiteral("a gap of %1 px inside the word").arg(gap)));
        }
    }

    // Input boxes, option buttons and output boxes are filled with their background colour.
    void controlBackgrounds_data() {
        addControlRows([](const ControlDesc &c) { return c.background != ColorRole::Default; });
    }

    void controlBackgrounds() {
        QFETCH(WindowId, id);
        QFETCH(QString, name);
        const runtime::FormDesc &form = forms::layoutOf(id);
        const ControlDesc &desc =
            *std::find_if(form.controls.begin(), form.controls.end(),
                          [&](const ControlDesc &c) { return fromUtf8(c.name) == name; });
        QWidget *window = show(id);
        QVERIFY(window);
        QWidget *widget = controlOf(window, desc.name);
        QVERIFY(widget);
        widget->clearFocus();
        QCoreApplication::processEvents();
        const QImage shot = grab(window);
        // Near the right end, clear of text, indicator and a 2-pixel frame.
        const QRect area = device(pixelRect(desc));
        const QPoint probe(area.right() - 4 * scale(), area.center().y());
        const QColor colour = runtime::color(desc.background);
        QVERIFY2(near(shot.pixel(probe), colour, 2),
                 qPrintable(QStringLiteral("%1 instead of %2")
                                .arg(QColor(shot.pixel(probe)).name(), colour.name())));
    }

    // After Calculate the result line appears in the output box, from its top-left corner, in
    // the box's text colour on its background inside a sunken border; the input boxes show
    // what was typed in their text colour.
    void outputLine_data() {
        QTest::addColumn<WindowId>("id");
        for (const WindowId id : forms::windowOrder())
            if (id != WindowId::frmMain)
                QTest::newRow(qPrintable(fromUtf8(forms::layoutOf(id).name))) << id;
    }

    void outputLine() {
        QFETCH(WindowId, id);
        const runtime::FormDesc &form = forms::layoutOf(id);
        QWidget *window = show(id);
        QVERIFY(window);
        runtime::OutputBox *box = nullptr;
        ColorRole boxText = ColorRole::Default;
        QAbstractButton *calculate = nullptr;
        bool optionChosen = false;
        std::vector<std::pair<QLineEdit *, ColorRole>> inputs;
        for (const ControlDesc &c : form.controls) {
            QWidget *widget = controlOf(window, c.name);
            if (c.kind == ControlKind::PictureBox) {
                box = qobject_cast<runtime::OutputBox *>(widget);
                boxText = c.foreground;
            } else if (c.kind == ControlKind::CommandButton && c.text.starts_with("Calculate"))
                calculate = qobject_cast<QAbstractButton *>(widget);
            else if (c.kind == ControlKind::TextBox)
                inputs.emplace_back(qobject_cast<QLineEdit *>(widget), c.foreground);
            else if (c.kind == ControlKind::OptionButton && !optionChosen) {
                QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
                optionChosen = true;
            }
        }
        QVERIFY(box && calculate && !inputs.empty());
        const QStringList values{QStringLiteral("48"), QStringLiteral("20"), QStringLiteral("12")};
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            inputs[i].first->clear();
            QTest::keyClicks(inputs[i].first, values.value(qsizetype(i)));
        }
        calculate->setFocus();
        QCoreApplication::processEvents();

        const QImage before = grab(window);
        const QRect outer = device(box->geometry());
        const QRect inner = device(box->contentsRect().translated(box->pos()));
        const QColor background = runtime::color(ColorRole::TitleBar);
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x)
                QVERIFY2(near(before.pixel(x, y), background, 2),
                         qPrintable(QStringLiteral("(%1, %2) is %3")
                                        .arg(x)
                                        .arg(y)
                                        .arg(QColor(before.pixel(x, y)).name())));
        const auto luminance = [](QRgb p) { return qGray(p); };
        const int middle = outer.center().x();
        QVERIFY2(luminance(before.pixel(middle, outer.top())) <
                     luminance(before.pixel(middle, outer.bottom())),
                 "the border is not sunken");
        QVERIFY2(luminance(before.pixel(outer.left(), outer.center().y())) <
                     luminance(before.pixel(outer.right(), outer.center().y())),
                 "the border is not sunken");

        for (const auto &[input, role] : inputs) {
            const QColor typed =
                expectedColour(role, QApplication::palette().color(QPalette::Text));
            const QRect field = device(input->geometry());
            int count = 0;
            for (int y = field.top(); y <= field.bottom(); ++y)
                for (int x = field.left(); x <= field.right(); ++x)
                    count += near(before.pixel(x, y), typed, 40) ? 1 : 0;
            QVERIFY2(count >= 4 * scale() * scale(), qPrintable(input->objectName()));
        }

        // An error report would wait for an answer; close it and fail instead.
        QString report;
        QTimer guard;
        connect(&guard, &QTimer::timeout, this, [&report] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                report = modal->objectName();
                modal->close();
            }
        });
        guard.start(50);
        QTest::mouseClick(calculate, Qt::LeftButton);
        guard.stop();
        QCOMPARE(report, QString());
        QVERIFY(!box->shownLine().isEmpty());

        const QColor ink =
            expectedColour(boxText, QApplication::palette().color(QPalette::WindowText));
        std::vector<QPoint> drawn;
        QImage after;
        const auto lineDrawn = [&] {
            after = grab(window);
            drawn.clear();
            for (int y = inner.top(); y <= inner.bottom(); ++y)
                for (int x = inner.left(); x <= inner.right(); ++x)
                    if (near(after.pixel(x, y), ink, 40) && !near(before.pixel(x, y), ink, 40))
                        drawn.emplace_back(x, y);
            return int(drawn.size()) >= 20 * scale() * scale();
        };
        const bool shown = QTest::qWaitFor(lineDrawn, 2000);
        saveScreenshot(after, window->objectName() + QStringLiteral("-result"));
        QVERIFY2(shown, qPrintable(QStringLiteral("%1 pixels of the line %2 drawn")
                                       .arg(drawn.size())
                                       .arg(box->shownLine())));
        QRect bounds;
        for (const QPoint &p : drawn)
            bounds |= QRect(p, QSize(1, 1));
        QVERIFY2(bounds.left() - inner.left() <= 3 * scale(),
                 "the line does not start at the left");
        QVERIFY2(bounds.top() - inner.top() <= 4 * scale(), "the line does not start at the top");

        if (scale() == 2) {
            // Drawn at the device's resolution: at half resolution every 2x2 block would be one
            // colour.
            int blocks = 0;
            int mixed = 0;
            for (int y = bounds.top() & ~1; y < bounds.bottom(); y += 2)
                for (int x = bounds.left() & ~1; x < bounds.right(); x += 2) {
                    const QRgb a = after.pixel(x, y);
                    ++blocks;
                    mixed += (after.pixel(x + 1, y) != a || after.pixel(x, y + 1) != a ||
                              after.pixel(x + 1, y + 1) != a)
                                 ? 1
                                 : 0;
                }
            QVERIFY2(
                mixed * 4 > blocks,
                qPrintable(QStringLiteral("%1 of %2 blocks show detail").arg(mixed).arg(blocks)));
        }
    }

    // Text in the 17-pixel buttons keeps its full height, inside the button's frame.
    void buttonCaptions_data() {
        addControlRows([](const ControlDesc &c) { return c.kind == ControlKind::CommandButton; });
    }

    void buttonCaptions() {
        QFETCH(WindowId, id);
        QFETCH(QString, name);
        QWidget *window = show(id);
        QVERIFY(window);
        auto *button = window->findChild<QAbstractButton *>(name, Qt::FindDirectChildrenOnly);
        QVERIFY(button);
        // The focus frame is drawn in the caption's colour; the caption is read without it.
        if (button->hasFocus()) {
            button->clearFocus();
            QTest::qWait(50);
        }
        const QImage shot = grab(window);
        const QRect area = device(button->geometry());
        const QColor ink = button->palette().color(QPalette::ButtonText);
        QRect bounds;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (near(shot.pixel(x, y), ink, 60))
                    bounds |= QRect(x, y, 1, 1);
        QVERIFY(!bounds.isEmpty());
        // The same caption drawn with room to spare, the same way.
        QImage free(QSize(200, 60) * scale(), QImage::Format_RGB32);
        free.setDevicePixelRatio(scale());
        free.fill(Qt::white);
        {
            QPainter painter(&free);
            painter.setFont(button->font());
            painter.setPen(ink);
            const bool underline =
                button->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, button);
            painter.drawText(QRect(0, 0, 200, 60),
                             Qt::AlignCenter |
                                 (underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic),
                             button->text());
        }
        QRect letters;
        for (int y = 0; y < free.height(); ++y)
            for (int x = 0; x < free.width(); ++x)
                if (near(free.pixel(x, y), ink, 60))
                    letters |= QRect(x, y, 1, 1);
        QVERIFY2(bounds.height() >= letters.height() - scale(),
                 qPrintable(QStringLiteral("%1 rows of text, the letters need %2")
                                .arg(bounds.height())
                                .arg(letters.height())));
        QVERIFY2(bounds.top() > area.top() + scale() && bounds.bottom() < area.bottom() - scale(),
                 "the text touches the button's edge");
    }

    // The control font is Times New Roman bold or its metric twin, the signature a script face
    // that is installed; both 8.25 pt, which is 11 pixels.
    void fonts() {
        const QFontInfo control(runtime::font(runtime::FontRole::Control));
        const QString times = QStringLiteral("Times New Roman");
        QCOMPARE(control.family(),
                 QFontDatabase::hasFamily(times) ? times : QStringLiteral("Liberation Serif"));
        QVERIFY(control.bold());
        QCOMPARE(control.pixelSize(), 11);

        const QFontInfo signature(runtime::font(runtime::FontRole::Signature));
        const QStringList scripts{QStringLiteral("Script"), QStringLiteral("Dancing Script"),
                                  QStringLiteral("URW Chancery L"), QStringLiteral("Z003")};
        QVERIFY2(scripts.contains(signature.family()), qPrintable(signature.family()));
        QVERIFY(QFontDatabase::hasFamily(signature.family()));
        QVERIFY(!signature.bold());
        QCOMPARE(signature.pixelSize(), 11);
    }

    // Each icon has a visible image at every size, transparent where its mask says.
    void iconsAreVisible_data() {
        QTest::addColumn<int>("role");
        QTest::addColumn<QSize>("size");
        for (const auto role : {runtime::IconRole::Main, runtime::IconRole::Calculator}) {
            const QList<QSize> sizes = runtime::icon(role).availableSizes();
            QVERIFY(!sizes.isEmpty());
            for (const QSize &size : sizes)
                QTest::addRow("%s %dx%d", role == runtime::IconRole::Main ? "main" : "calculator",
                              size.width(), size.height())
                    << int(role) << size;
        }
    }

    void iconsAreVisible() {
        QFETCH(int, role);
        QFETCH(QSize, size);
        const QImage image = runtime::icon(runtime::IconRole(role))
                                 .pixmap(size, 1.0)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), size);
        int opaque = 0;
        int clear = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                opaque += alpha == 255 ? 1 : 0;
                clear += alpha == 0 ? 1 : 0;
            }
        QVERIFY2(opaque * 4 > image.width() * image.height(), "mostly transparent");
        QVERIFY2(clear > 0, "no transparent pixel: the mask was not applied");
    }

    // The X window carries the icon of its role: the main window the main icon, the calculator
    // windows the calculator icon, each image visible.
    void windowIcon_data() {
        QTest::addColumn<WindowId>("id");
        for (const WindowId id : forms::windowOrder())
            QTest::newRow(qPrintable(fromUtf8(forms::layoutOf(id).name))) << id;
    }

    void windowIcon() {
        QFETCH(WindowId, id);
        QWidget *window = show(id);
        QVERIFY(window);
        const runtime::IconRole role = forms::layoutOf(id).icon;
        QCOMPARE(role,
                 id == WindowId::frmMain ? runtime::IconRole::Main : runtime::IconRole::Calculator);
        const QIcon &icon = runtime::icon(role);
        const std::vector<quint32> data = xpropNumbers(window, QStringLiteral("_NET_WM_ICON"));
        QVERIFY(!data.empty());
        int images = 0;
        for (std::size_t at = 0; at + 2 <= data.size();) {
            const int width = int(data[at]);
            const int height = int(data[at + 1]);
            at += 2;
            QVERIFY(width > 0 && height > 0 && at + std::size_t(width * height) <= data.size());
            const QImage own = icon.pixmap(QSize(width, height), 1.0)
                                   .toImage()
                                   .convertToFormat(QImage::Format_ARGB32)
                                   .scaled(width, height);
            int visible = 0;
            int differing = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const QRgb pixel = data[at + std::size_t(y * width + x)];
                    visible += qAlpha(pixel) > 0 ? 1 : 0;
                    differing += pixel != own.pixel(x, y) ? 1 : 0;
                }
            QVERIFY2(visible * 4 > width * height, "the image is mostly transparent");
            QVERIFY2(differing * 20 < width * height, "not the icon of this window's role");
            at += std::size_t(width * height);
            ++images;
        }
        QVERIFY(images >= 1);
    }

    // A new desktop palette, as a switch to a dark scheme brings, recolours the windows that
    // are already built; switching back restores them.
    void followsTheDesktopPalette() {
        const QPalette original = QApplication::palette();
        QPalette dark = original;
        dark.setColor(QPalette::Highlight, QColor(0x1d, 0x4f, 0x7a));
        dark.setColor(QPalette::HighlightedText, QColor(0xf4, 0xf4, 0xf0));
        struct Probe {
            WindowId id;
            const char *control;
        };
        const Probe probes[] = {{WindowId::frmSphereArea, "txtAreaSphereRadius"},
                                {WindowId::frmSphereArea, "picArea"},
                                {WindowId::frmCylinderArea, "optOne"}};
        // The sphere window's text: the scheme's own colour for text on the selection where it
        // reads there, as in the dark scheme; black on the default palette's lighter blue.
        const std::pair<QPalette, QColor> schemes[] = {
            {dark, dark.color(QPalette::HighlightedText)}, {original, QColor(Qt::black)}};
        for (const auto &[palette, text] : schemes) {
            QApplication::setPalette(palette);
            const QColor titleBar = palette.color(QPalette::Highlight);
            QCOMPARE(runtime::color(ColorRole::TitleBar), titleBar);
            for (const Probe &probe : probes) {
                QWidget *window = show(probe.id);
                QVERIFY(window);
                QWidget *widget = controlOf(window, probe.control);
                QVERIFY(widget);
                const QRect area = device(widget->geometry());
                const QPoint point(area.right() - 4 * scale(), area.center().y());
                QTRY_VERIFY2(near(grab(window).pixel(point), titleBar, 2), probe.control);
            }
            auto *input = windowOf(WindowId::frmSphereArea)
                              ->findChild<QLineEdit *>(QStringLiteral("txtAreaSphereRadius"));
            QVERIFY(input);
            QCOMPARE(input->palette().color(QPalette::Text), text);
        }
    }

private:
    QWidget *windowOf(WindowId id) const { return m_windows->slot(id).window(); }
};

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    // Named as the program names itself: the window manager reads titles and class from it.
    app::identifyApplication();
    TestLook test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_look.moc"
