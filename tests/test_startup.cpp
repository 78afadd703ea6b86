// What start-up does and does not do: it shows the main window without loading an image-format
// plugin, decodes the pictures as Qt's own readers would, and names the fonts that Qt would
// have found from the full lists of faces.

#include "assets/assets.h"
#include "gui.h"
#include "runtime/style.h"

#include <QFile>
#include <QFontInfo>
#include <QImageReader>
#include <QProcess>

#include <cstdio>

namespace {

QImage argb(const QImage &image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

QString committedPath(const char *name) {
    return QStringLiteral(HELMIRA_ASSETS_DIR "/") + QLatin1String(name);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUpShowsTheMainWindowWithoutImagePlugins();

    void iconImagesAreWhatTheReadersGive_data();
    void iconImagesAreWhatTheReadersGive();
    void logoIsWhatTheBitmapReaderGives_data();
    void logoIsWhatTheBitmapReaderGives();

    void fontsAreTheFacesOfTheFullLists_data();
    void fontsAreTheFacesOfTheFullLists();
};

void TestStartup::startUpShowsTheMainWindowWithoutImagePlugins() {
    // In a process of its own: anything this test process reads would load plugins itself.
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--start-up")});
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(),
             QStringLiteral("painted frmMain; windows built: 1; image-format plugins loaded:"));
}

// Palette images against Qt's icon reader; the 32-bit ones, whose fourth byte Qt 6.4 takes for
// opacity, against the desktop icons drawn from them (read by Qt's PNG reader).
void TestStartup::iconImagesAreWhatTheReadersGive_data() {
    QTest::addColumn<QString>("icon");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("reference"); // a PNG file, or empty for Qt's icon reader
    const QString main = QString::fromLatin1(assets::mainIconPath);
    QTest::newRow("main 32x32 8-bit") << main << 0 << 32 << QString();
    QTest::newRow("main 16x16 1-bit") << main << 1 << 16 << QString();
    QTest::newRow("main 16x16 4-bit") << main << 2 << 16 << QString();
    QTest::newRow("main 16x16 32-bit") << main << 3 << 16 << committedPath("icon-16.png");
    QTest::newRow("main 48x48 32-bit") << main << 4 << 48 << committedPath("icon-48.png");
    QTest::newRow("calculator 32x32 8-bit")
        << QString::fromLatin1(assets::calculatorIconPath) << 0 << 32 << QString();
}

void TestStartup::iconImagesAreWhatTheReadersGive() {
    QFETCH(QString, icon);
    QFETCH(int, index);
    QFETCH(int, size);
    QFETCH(QString, reference);
    const QList<QImage> images = runtime::iconImages(icon);
    QImageReader reader(icon);
    QCOMPARE(images.size(), reader.imageCount());
    const QImage image = images.at(index);
    QCOMPARE(image.size(), QSize(size, size));
    QImage expected;
    if (reference.isEmpty()) {
        QVERIFY(reader.jumpToImage(index));
        expected = reader.read();
    } else {
        QVERIFY(expected.load(reference, "PNG"));
    }
    QVERIFY(!expected.isNull());
    QCOMPARE(argb(image), argb(expected));
}

// The picture for each screen scale: the rendition drawn for it, or for the next scale up, or
// the finest one beyond; whichever it is covers 240 x 197 pixels.
void TestStartup::logoIsWhatTheBitmapReaderGives_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QString>("path");
    QTest::addColumn<qreal>("scale");
    const QString first = QString::fromLatin1(assets::logoPath);
    const QString at15 = QString::fromLatin1(assets::logo15xPath);
    const QString at2 = QString::fromLatin1(assets::logo2xPath);
    QTest::newRow("1") << 1.0 << first << 1.0;
    QTest::newRow("1.25") << 1.25 << at15 << 1.5;
    QTest::newRow("1.5") << 1.5 << at15 << 1.5;
    QTest::newRow("1.75") << 1.75 << at2 << 2.0;
    QTest::newRow("2") << 2.0 << at2 << 2.0;
    QTest::newRow("3") << 3.0 << at2 << 2.0;
}

void TestStartup::logoIsWhatTheBitmapReaderGives() {
    QFETCH(qreal, ratio);
    QFETCH(QString, path);
    QFETCH(qreal, scale);
    const QPixmap &picture = runtime::logoPicture(ratio);
    QCOMPARE(picture.devicePixelRatio(), scale);
    const QSizeF size = picture.deviceIndependentSize();
    QCOMPARE(size.width(), 240.0);
    QVERIFY2(size.height() >= 197 && size.height() < 198,
             qPrintable(QString::number(size.height())));
    const QImage logo = picture.toImage();
    QImage expected(path, "BMP");
    QVERIFY(!expected.isNull());
    expected.setDevicePixelRatio(scale);
    QCOMPARE(argb(logo), argb(expected));
    QCOMPARE(logo.dotsPerMeterX(), expected.dotsPerMeterX());
}

void TestStartup::fontsAreTheFacesOfTheFullLists_data() {
    QTest::addColumn<int>("role");
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<int>("hint");
    QTest::addColumn<int>("weight");
    QTest::newRow("control") << int(runtime::FontRole::Control)
                             << QStringList{"Times New Roman", "Liberation Serif"}
                             << int(QFont::Serif) << int(QFont::Bold);
    QTest::newRow("signature") << int(runtime::FontRole::Signature)
                               << QStringList{"Script", "Dancing Script", "URW Chancery L", "Z003"}
                               << int(QFont::Cursive) << int(QFont::Normal);
}

void TestStartup::fontsAreTheFacesOfTheFullLists() {
    QFETCH(int, role);
    QFETCH(QStringList, families);
    QFETCH(int, hint);
    QFETCH(int, weight);
    QFont full;
    full.setFamilies(families);
    full.setStyleHint(QFont::StyleHint(hint));
    full.setWeight(QFont::Weight(weight));
    full.setPointSizeF(8.25);
    const QFont chosen = runtime::font(runtime::FontRole(role));
    const QFontInfo found(chosen);
    const QFontInfo expected(full);
    QCOMPARE(found.family(), expected.family());
    QCOMPARE(found.styleName(), expected.styleName());
    QCOMPARE(found.weight(), expected.weight());
    QCOMPARE(found.pointSizeF(), expected.pointSizeF());
    QCOMPARE(chosen.families().size(), 1);
}

namespace {

// The child side of startUpShowsTheMainWindowWithoutImagePlugins: starts as the program does,
// paints the main window, and reports what is built and which image-format plugins are mapped.
int runStartUp() {
    app::WindowSet windows;
    windows.start();
    QWidget *main = windows.slot(forms::WindowId::frmMain).window();
    if (!QTest::qWaitForWindowExposed(main))
        return 3;
    main->grab(); // paints every control and the logo beneath them
    int built = 0;
    for (const forms::WindowId id : forms::windowOrder())
        built += windows.exists(id) ? 1 : 0;
    QStringList plugins;
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return 4;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const qsizetype at = line.indexOf("/imageformats/");
        if (at >= 0 && !plugins.contains(QString::fromUtf8(line.mid(at + 14))))
            plugins.append(QString::fromUtf8(line.mid(at + 14)));
    }
    std::printf("painted %s; windows built: %d; image-format plugins loaded:%s\n",
                qPrintable(main->objectName()), built,
                qPrintable(plugins.isEmpty() ? QString() : QLatin1Char(' ') + plugins.join(' ')));
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (QCoreApplication::arguments().contains(QLatin1String("--start-up")))
        return runStartUp();
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_startup.moc"
