// Every caption drawn over the logo stays readable: the median luminance of the logo under a
// label gives at least the WCAG contrast ratio with the label's text colour (4.5:1 for white and
// dark grey, 3:1 for the default black and for the title-bar colour).

#include "assets/assets.h"
#include "forms/layouts.h"
#include "runtime/layout.h"
#include "wcag.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using testing::contrast;
using testing::relativeLuminance;

double medianLuminance(const QImage &picture, const QRect &area) {
    std::vector<double> values;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            values.push_back(relativeLuminance(picture.pixel(x, y)));
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QRect pixels(int left, int top, int width, int height) {
    using runtime::pixels;
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

} // namespace

class TestContrast : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void labelIsLegible_data();
    void labelIsLegible();

private:
    QImage m_picture;
};

void TestContrast::initTestCase() {
    QVERIFY(m_picture.load(QString::fromLatin1(assets::logoPath)));
    QCOMPARE(m_picture.size(), QSize(240, 197));
}

void TestContrast::labelIsLegible_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<double>("required");

    const QRect picture(0, 0, 240, 197);
    int rows = 0;
    for (const runtime::FormDesc &form : forms::allLayouts()) {
        const QRect client = pixels(0, 0, form.clientWidth, form.clientHeight);
        for (const runtime::ControlDesc &c : form.controls) {
            if (c.kind != runtime::ControlKind::Label)
                continue;
            QColor text;
            double required = 0;
            switch (c.foreground) {
            case runtime::ColorRole::White:
                text = QColor(255, 255, 255);
                required = 4.5;
                break;
            case runtime::ColorRole::DarkGrey:
                text = QColor(64, 64, 64);
                required = 4.5;
                break;
            case runtime::ColorRole::Default:
                text = QColor(0, 0, 0);
                required = 3.0;
                break;
            case runtime::ColorRole::TitleBar:
                // The desktop's selection colour; checked against the one of the default light
                // palette (Fusion's), which is what the program shows where the desktop sets none.
                text = QColor(0x30, 0x8c, 0xc6);
                required = 3.0;
                break;
            case runtime::ColorRole::Desktop:
                QFAIL("a label in the desktop colour has no fixed contrast to check");
            }
            const QRect area =
                pixels(c.left, c.top, c.width, c.height).intersected(client).intersected(picture);
            if (area.isEmpty())
                continue; // outside the visible picture
            const QByteArray name = QByteArray(form.name.data(), qsizetype(form.name.size())) +
                                    '/' + QByteArray(c.name.data(), qsizetype(c.name.size()));
            QTest::newRow(name.constData()) << area << text << required;
            ++rows;
        }
    }
    QVERIFY(rows > 0);
}

void TestContrast::labelIsLegible() {
    QFETCH(QRect, area);
    QFETCH(QColor, text);
    QFETCH(double, required);
    const double ground = medianLuminance(m_picture, area);
    const double ratio = contrast(ground, relativeLuminance(text.rgb()));
    qInfo("median luminance %.4f, contrast %.2f (needs %.1f)", ground, ratio, required);
    QVERIFY2(ratio >= required,
             qPrintable(QStringLiteral("median luminance %1 gives contrast %2 < %3")
                            .arg(ground)
                            .arg(ratio)
                            .arg(required)));
}

QTEST_GUILESS_MAIN(TestContrast)
#include "test_contrast.moc"
