// The committed pictures: that the generator reproduces them, their exact file layout, and how
// Qt reads them back.

#include "assets/assets.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

QString committedPath(const QString &name) {
    return QStringLiteral(HELMIRA_ASSETS_DIR "/") + name;
}

QByteArray readAll(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

std::uint32_t le(const QByteArray &data, qsizetype offset, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(data.at(offset + i));
    return v;
}

std::uint32_t be32(const QByteArray &data, qsizetype offset) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<std::uint8_t>(data.at(offset + i));
    return v;
}

int rowBytes(int width, int bits) {
    return (width * bits + 31) / 32 * 4;
}

// Decodes image `index` of an icon file by the book: the colour rows through the palette (or
// as blue, green, red), the mask as alpha. Returns a null image if the layout is broken.
QImage decodeIconImage(const QByteArray &file, int index) {
    const qsizetype entry = 6 + 16 * index;
    const int size = static_cast<std::uint8_t>(file.at(entry)) == 0
                         ? 256
                         : static_cast<std::uint8_t>(file.at(entry));
    const auto offset = static_cast<qsizetype>(le(file, entry + 12, 4));
    const int bits = static_cast<int>(le(file, offset + 14, 2));
    const qsizetype palette = offset + 40;
    const qsizetype colours = palette + (bits <= 8 ? 4 << bits : 0);
    const qsizetype mask = colours + qsizetype(rowBytes(size, bits)) * size;
    if (mask + qsizetype(rowBytes(size, 1)) * size > file.size())
        return {};
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        const int row = size - 1 - y; // bottom row first
        for (int x = 0; x < size; ++x) {
            const qsizetype p = colours + qsizetype(rowBytes(size, bits)) * row;
            qsizetype at = 0;
            if (bits == 32) {
                at = p + 4 * x;
            } else {
                const auto byte = static_cast<std::uint8_t>(file.at(p + x * bits / 8));
                const int shift = 8 - bits * (x % (8 / bits) + 1);
                at = palette + 4 * ((byte >> shift) & ((1 << bits) - 1));
            }
            const auto maskByte = static_cast<std::uint8_t>(
                file.at(mask + qsizetype(rowBytes(size, 1)) * row + x / 8));
            const bool clear = (maskByte & (0x80 >> (x % 8))) != 0;
            image.setPixel(x, y,
                           qRgba(static_cast<std::uint8_t>(file.at(at + 2)),
                                 static_cast<std::uint8_t>(file.at(at + 1)),
                                 static_cast<std::uint8_t>(file.at(at)), clear ? 0 : 255));
        }
    }
    return image;
}

// Returns `image` reduced to width x height by averaging the area each pixel of the result
// covers, as one colour channel (0 red, 1 green, 2 blue) of values 0..255.
std::vector<double> areaAverage(const QImage &image, int width, int height, int channel) {
    const double sx = double(image.width()) / width;
    const double sy = sx; // the renditions keep the aspect; a last half row lies beyond
    std::vector<double> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double sum = 0;
            double area = 0;
            for (int v = int(y * sy); v < std::min(int(std::ceil((y + 1) * sy)), image.height());
                 ++v)
                for (int u = int(x * sx); u < int(std::ceil((x + 1) * sx)); ++u) {
                    const double wx = std::min((x + 1) * sx, u + 1.0) - std::max(x * sx, double(u));
                    const double wy = std::min((y + 1) * sy, v + 1.0) - std::max(y * sy, double(v));
                    const QRgb p = image.pixel(u, v);
                    const int value = channel == 0 ? qRed(p) : channel == 1 ? qGreen(p) : qBlue(p);
                    sum += wx * wy * value;
                    area += wx * wy;
                }
            out.push_back(sum / area);
        }
    return out;
}

} // namespace

class TestAssets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void generatorReproducesCommittedFiles_data();
    void generatorReproducesCommittedFiles();

    void logoHeader_data();
    void logoHeader();
    void logoPixelsAreOpaque();

    void logoRendition_data();
    void logoRendition();

    void iconImage_data();
    void iconImage();
    void calculatorIconIsMainIconFirstImage();

    void desktopIcon_data();
    void desktopIcon();
    void scalableIcon();

    void resources_data();
    void resources();

    void qtReadsMainIcon_data();
    void qtReadsMainIcon();

private:
    QTemporaryDir m_generated;
};

void TestAssets::initTestCase() {
    QVERIFY(m_generated.isValid());
    QProcess generator;
    generator.start(QStringLiteral(HELMIRA_GENERATOR), {m_generated.path()});
    QVERIFY(generator.waitForFinished(60000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(generator.exitCode(), 0);
}

void TestAssets::generatorReproducesCommittedFiles_data() {
    QTest::addColumn<QString>("name");
    for (const char *name :
         {"logo.bmp", "logo@1.5x.bmp", "logo@2x.bmp", "main.ico", "calculator.ico", "icon-16.png",
          "icon-24.png", "icon-32.png", "icon-48.png", "icon-64.png", "icon-128.png",
          "icon-256.png", "icon.svg"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestAssets::generatorReproducesCommittedFiles() {
    QFETCH(QString, name);
    const QByteArray committed = readAll(committedPath(name));
    const QByteArray generated = readAll(QDir(m_generated.path()).filePath(name));
    QVERIFY2(!committed.isEmpty(), qPrintable(committedPath(name)));
    QVERIFY(!generated.isEmpty());
    QCOMPARE(generated.size(), committed.size());
    QVERIFY2(generated == committed, "regenerate with the regenerate-assets target and commit");
}

void TestAssets::logoHeader_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("size");
    QTest::addColumn<uint>("expected");
    QTest::newRow("signature BM") << 0 << 2 << uint('B' | 'M' << 8);
    QTest::newRow("file size") << 2 << 4 << 189174u;
    QTest::newRow("reserved") << 6 << 4 << 0u;
    QTest::newRow("pixel offset") << 10 << 4 << 54u;
    QTest::newRow("info header size") << 14 << 4 << 40u;
    QTest::newRow("width") << 18 << 4 << 240u;
    QTest::newRow("height, bottom row first") << 22 << 4 << 197u;
    QTest::newRow("planes") << 26 << 2 << 1u;
    QTest::newRow("bits per pixel") << 28 << 2 << 32u;
    QTest::newRow("uncompressed") << 30 << 4 << 0u;
    QTest::newRow("image size") << 34 << 4 << 189120u;
    QTest::newRow("horizontal pixels per metre") << 38 << 4 << 3780u;
    QTest::newRow("vertical pixels per metre") << 42 << 4 << 3780u;
    QTest::newRow("colours used") << 46 << 4 << 0u;
    QTest::newRow("colours important") << 50 << 4 << 0u;
}

void TestAssets::logoHeader() {
    QFETCH(int, offset);
    QFETCH(int, size);
    QFETCH(uint, expected);
    const QByteArray logo = readAll(committedPath(QStringLiteral("logo.bmp")));
    QCOMPARE(logo.size(), 189174);
    QCOMPARE(le(logo, offset, size), expected);
}

void TestAssets::logoPixelsAreOpaque() {
    const QByteArray logo = readAll(committedPath(QStringLiteral("logo.bmp")));
    QCOMPARE(logo.size(), 54 + 240 * 197 * 4);
    for (qsizetype i = 54 + 3; i < logo.size(); i += 4)
        QVERIFY2(static_cast<std::uint8_t>(logo.at(i)) == 255,
                 qPrintable(QStringLiteral("pixel %1").arg((i - 54) / 4)));
}

// The renditions for 1.5 and 2 device pixels per pixel: the logo's file layout at their size
// and resolution, and the same picture: averaged back down to 240 x 197 they match the first
// one but for the softening of edges.
void TestAssets::logoRendition_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("pixelsPerMetre");
    QTest::newRow("1.5") << QStringLiteral("logo@1.5x.bmp") << 360 << 296 << 5670;
    QTest::newRow("2") << QStringLiteral("logo@2x.bmp") << 480 << 394 << 7560;
}

void TestAssets::logoRendition() {
    QFETCH(QString, file);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, pixelsPerMetre);
    const QByteArray bmp = readAll(committedPath(file));
    const int pixels = width * height * 4;
    QCOMPARE(bmp.size(), 54 + pixels);
    const QByteArray logo = readAll(committedPath(QStringLiteral("logo.bmp")));
    // Header as the first one's but for sizes and resolution.
    QCOMPARE(bmp.left(2), logo.left(2));
    QCOMPARE(int(le(bmp, 2, 4)), 54 + pixels);
    QCOMPARE(bmp.mid(6, 12), logo.mid(6, 12));
    QCOMPARE(int(le(bmp, 18, 4)), width);
    QCOMPARE(int(le(bmp, 22, 4)), height);
    QCOMPARE(bmp.mid(26, 8), logo.mid(26, 8));
    QCOMPARE(int(le(bmp, 34, 4)), pixels);
    QCOMPARE(int(le(bmp, 38, 4)), pixelsPerMetre);
    QCOMPARE(int(le(bmp, 42, 4)), pixelsPerMetre);
    QCOMPARE(bmp.mid(46, 8), logo.mid(46, 8));
    for (qsizetype i = 54 + 3; i < bmp.size(); i += 4)
        QVERIFY2(static_cast<std::uint8_t>(bmp.at(i)) == 255,
                 qPrintable(QStringLiteral("pixel %1").arg((i - 54) / 4)));

    QImage fine;
    QImage first;
    QVERIFY(fine.loadFromData(bmp, "BMP"));
    QVERIFY(first.loadFromData(logo, "BMP"));
    double total = 0;
    int far = 0; // pixels with a channel more than 40 away
    const qsizetype count = qsizetype(240) * 197;
    std::vector<double> worst(std::size_t(count), 0);
    for (int channel = 0; channel < 3; ++channel) {
        const std::vector<double> reduced = areaAverage(fine, 240, 197, channel);
        for (int i = 0; i < count; ++i) {
            const QRgb p = first.pixel(i % 240, i / 240);
            const int value = channel == 0 ? qRed(p) : channel == 1 ? qGreen(p) : qBlue(p);
            const double d = std::abs(reduced[std::size_t(i)] - value);
            total += d;
            worst[std::size_t(i)] = std::max(worst[std::size_t(i)], d);
        }
    }
    for (double d : worst)
        far += d > 40 ? 1 : 0;
    const double mean = total / (3 * count);
    qInfo("mean difference %.3f, pixels more than 40 away: %d", mean, far);
    // Measured: 1.29 and 53 pixels at 1.5, where edges that fall between two pixels of the
    // first picture fall inside one of this one (as the panel's right edge); 0.32 and none at 2.
    QVERIFY(mean < 2);
    QVERIFY(far < count / 200);
}

void TestAssets::iconImage_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("fileSize");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("colourCount");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("bytes");

    const QString main = QStringLiteral("main.ico");
    QTest::newRow("main 32x32 8-bit") << main << 13542 << 5 << 0 << 32 << 8 << 0 << 86 << 2216;
    QTest::newRow("main 16x16 1-bit") << main << 13542 << 5 << 1 << 16 << 1 << 2 << 2302 << 176;
    QTest::newRow("main 16x16 4-bit") << main << 13542 << 5 << 2 << 16 << 4 << 16 << 2478 << 296;
    QTest::newRow("main 16x16 32-bit") << main << 13542 << 5 << 3 << 16 << 32 << 0 << 2774 << 1128;
    QTest::newRow("main 48x48 32-bit") << main << 13542 << 5 << 4 << 48 << 32 << 0 << 3902 << 9640;
    QTest::newRow("calculator 32x32 8-bit")
        << QStringLiteral("calculator.ico") << 2238 << 1 << 0 << 32 << 8 << 0 << 22 << 2216;
}

void TestAssets::iconImage() {
    QFETCH(QString, file);
    QFETCH(int, fileSize);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(int, size);
    QFETCH(int, bits);
    QFETCH(int, colourCount);
    QFETCH(int, offset);
    QFETCH(int, bytes);

    const QByteArray ico = readAll(committedPath(file));
    QCOMPARE(ico.size(), fileSize);
    QCOMPARE(le(ico, 0, 2), 0u); // reserved
    QCOMPARE(le(ico, 2, 2), 1u); // icon, not cursor
    QCOMPARE(int(le(ico, 4, 2)), count);

    const int entry = 6 + 16 * index;
    QCOMPARE(int(le(ico, entry, 1)), size);
    QCOMPARE(int(le(ico, entry + 1, 1)), size);
    QCOMPARE(int(le(ico, entry + 2, 1)), colourCount);
    QCOMPARE(le(ico, entry + 3, 1), 0u);
    QCOMPARE(le(ico, entry + 4, 2), 1u); // planes
    QCOMPARE(int(le(ico, entry + 6, 2)), bits);
    QCOMPARE(int(le(ico, entry + 8, 4)), bytes);
    QCOMPARE(int(le(ico, entry + 12, 4)), offset);
    if (index == count - 1)
        QCOMPARE(offset + bytes, fileSize); // images packed up to the end

    // The image: info header with doubled height, palette, colour rows, mask rows.
    const int paletteEntries = bits <= 8 ? 1 << bits : 0;
    const int xorBytes = rowBytes(size, bits) * size;
    const int andBytes = rowBytes(size, 1) * size;
    QCOMPARE(40 + 4 * paletteEntries + xorBytes + andBytes, bytes);
    QCOMPARE(le(ico, offset, 4), 40u);
    QCOMPARE(int(le(ico, offset + 4, 4)), size);
    QCOMPARE(int(le(ico, offset + 8, 4)), 2 * size);
    QCOMPARE(le(ico, offset + 12, 2), 1u);
    QCOMPARE(int(le(ico, offset + 14, 2)), bits);
    QCOMPARE(le(ico, offset + 16, 4), 0u);
    QCOMPARE(int(le(ico, offset + 20, 4)), xorBytes + andBytes);
    QCOMPARE(le(ico, offset + 32, 4), 0u); // every palette entry used
    if (paletteEntries > 0)
        QCOMPARE(le(ico, offset + 40, 4), 0u); // entry 0 black: the colour of clear pixels
    if (bits == 32)
        for (int i = 0; i < size * size; ++i)
            QVERIFY2(ico.at(offset + 40 + 4 * i + 3) == 0,
                     qPrintable(QStringLiteral("fourth byte of pixel %1").arg(i)));

    // Round motif: clear corners, opaque centre; clear pixels black so that the mask leaves
    // the screen as it was.
    const QImage image = decodeIconImage(ico, index);
    QVERIFY(!image.isNull());
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        QCOMPARE(image.pixel(corner), qRgba(0, 0, 0, 0));
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    int clear = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (qAlpha(image.pixel(x, y)) == 0) {
                ++clear;
                QCOMPARE(image.pixel(x, y), qRgba(0, 0, 0, 0));
            }
    QVERIFY(clear * 10 < size * size * 3); // a disc leaves 21% to 26% clear
}

void TestAssets::calculatorIconIsMainIconFirstImage() {
    const QByteArray main = readAll(committedPath(QStringLiteral("main.ico")));
    const QByteArray calculator = readAll(committedPath(QStringLiteral("calculator.ico")));
    QCOMPARE(calculator.size(), 2238);
    QCOMPARE(calculator.mid(22), main.mid(86, 2216));
    QCOMPARE(calculator.mid(6, 12), main.mid(6, 12)); // same entry but for the offset
}

void TestAssets::desktopIcon_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("mainIconImage");
    QTest::newRow("16 from 16x16 32-bit") << QStringLiteral("icon-16.png") << 16 << 3;
    QTest::newRow("32 from 32x32 8-bit") << QStringLiteral("icon-32.png") << 32 << 0;
    QTest::newRow("48 from 48x48 32-bit") << QStringLiteral("icon-48.png") << 48 << 4;
    // Drawn at their own size, the disc's edge smoothed by alpha.
    for (int size : {24, 64, 128, 256})
        QTest::addRow("%d", size) << QStringLiteral("icon-%1.png").arg(size) << size << -1;
}

void TestAssets::desktopIcon() {
    QFETCH(QString, file);
    QFETCH(int, size);
    QFETCH(int, mainIconImage);

    const QByteArray png = readAll(committedPath(file));
    QCOMPARE(png.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(int(be32(png, 16)), size);
    QCOMPARE(int(be32(png, 20)), size);
    QCOMPARE(png.mid(24, 5), QByteArray("\x08\x06\x00\x00\x00", 5)); // 8-bit RGBA
    QVERIFY(png.endsWith(QByteArray("\0\0\0\0IEND\xae\x42\x60\x82", 12)));

    // A strict decoder (checksums included) gives the icon image with its mask as alpha.
    QImage decoded;
    QVERIFY(decoded.loadFromData(png, "PNG"));
    QCOMPARE(decoded.size(), QSize(size, size));
    if (mainIconImage >= 0) {
        const QImage expected =
            decodeIconImage(readAll(committedPath(QStringLiteral("main.ico"))), mainIconImage);
        QCOMPARE(decoded.convertToFormat(QImage::Format_ARGB32), expected);
        return;
    }
    // A round motif: clear corners, an opaque centre, a few pixels between at the edge.
    const QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        QCOMPARE(image.pixel(corner), qRgba(0, 0, 0, 0));
    int opaque = 0;
    int between = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            opaque += alpha == 255 ? 1 : 0;
            between += alpha > 0 && alpha < 255 ? 1 : 0;
        }
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    QVERIFY(opaque * 100 > size * size * 65); // a disc covers 78.5%, less its edge
    QVERIFY(between >= 2 * size);             // round its edge, about 3.1 times the size
    QVERIFY(between <= 6 * size);
}

// The scalable icon is the same drawing as the 256-pixel one: rendered at that size it differs
// from it only along edges.
void TestAssets::scalableIcon() {
    const QByteArray svg = readAll(committedPath(QStringLiteral("icon.svg")));
    QXmlStreamReader xml(svg);
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name(), QLatin1String("svg"));
    QCOMPARE(xml.namespaceUri(), QLatin1String("http://www.w3.org/2000/svg"));
    QCOMPARE(xml.attributes().value(QLatin1String("viewBox")), QLatin1String("0 0 256 256"));
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));

    if (!QImageReader::supportedImageFormats().contains("svg"))
        QSKIP("Qt's SVG image plugin is not installed (Debian package libqt6svg6)");
    QImage rendered;
    QVERIFY(rendered.loadFromData(svg, "SVG"));
    QCOMPARE(rendered.size(), QSize(256, 256));
    QImage drawn;
    QVERIFY(drawn.load(committedPath(QStringLiteral("icon-256.png")), "PNG"));
    rendered = rendered.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    drawn = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double total = 0;
    int far = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const QRgb a = rendered.pixel(x, y);
            const QRgb b = drawn.pixel(x, y);
            const int d =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            total += d;
            far += d > 40 ? 1 : 0;
        }
    const double mean = total / (256 * 256);
    qInfo("mean difference %.3f, pixels more than 40 away: %d", mean, far);
    QVERIFY(mean < 2);
    QVERIFY(far < 256 * 4);
}

void TestAssets::resources_data() {
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QString>("file");
    QTest::newRow("logo") << QString::fromLatin1(assets::logoPath) << QStringLiteral("logo.bmp");
    QTest::newRow("logo at 1.5") << QString::fromLatin1(assets::logo15xPath)
                                 << QStringLiteral("logo@1.5x.bmp");
    QTest::newRow("logo at 2") << QString::fromLatin1(assets::logo2xPath)
                               << QStringLiteral("logo@2x.bmp");
    QTest::newRow("main icon") << QString::fromLatin1(assets::mainIconPath)
                               << QStringLiteral("main.ico");
    QTest::newRow("calculator icon")
        << QString::fromLatin1(assets::calculatorIconPath) << QStringLiteral("calculator.ico");
}

void TestAssets::resources() {
    QFETCH(QString, resource);
    QFETCH(QString, file);
    QVERIFY(assets::available());
    QVERIFY2(QFile::exists(resource), qPrintable(resource));
    QCOMPARE(readAll(resource), readAll(committedPath(file)));
}

// Qt's reader applies the mask of the palette images as alpha. Qt 6.4 takes the zero fourth
// byte of the 32-bit images as alpha too and gives them fully transparent, which is why the
// window layer decodes those two itself; the expected failures mark where that stands.
void TestAssets::qtReadsMainIcon_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("32x32 8-bit") << 0;
    QTest::newRow("16x16 1-bit") << 1;
    QTest::newRow("16x16 4-bit") << 2;
    QTest::newRow("16x16 32-bit") << 3;
    QTest::newRow("48x48 32-bit") << 4;
}

void TestAssets::qtReadsMainIcon() {
    QFETCH(int, index);
    QImageReader reader(QString::fromLatin1(assets::mainIconPath));
    QCOMPARE(reader.imageCount(), 5);
    QVERIFY(reader.jumpToImage(index));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    const QImage expected =
        decodeIconImage(readAll(committedPath(QStringLiteral("main.ico"))), index);
    QCOMPARE(image.size(), expected.size());
    const QRgb centre = image.pixel(image.width() / 2, image.height() / 2);
    qInfo("format %d, centre pixel #%08x", int(image.format()), centre);
    QEXPECT_FAIL("16x16 32-bit", "Qt 6.4 reads the fourth byte as alpha", Abort);
    QEXPECT_FAIL("48x48 32-bit", "Qt 6.4 reads the fourth byte as alpha", Abort);
    QCOMPARE(qAlpha(centre), 255);
    QCOMPARE(image.convertToFormat(QImage::Format_ARGB32), expected);
}

QTEST_GUILESS_MAIN(TestAssets)
#include "test_assets.moc"
