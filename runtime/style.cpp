#include "runtime/style.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QPalette>
#include <QSysInfo>

#if defined(HELMIRA_HAVE_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace runtime {

FontConfigurationPreload::FontConfigurationPreload() {
#if defined(HELMIRA_HAVE_FONTCONFIG)
    // The configuration becomes fontconfig's current one, which Qt's font database then takes
    // as it is; a second reader at the same time would only duplicate the work.
    m_thread = std::thread([] { FcInit(); });
#endif
}

FontConfigurationPreload::~FontConfigurationPreload() {
    wait();
}

void FontConfigurationPreload::wait() {
    if (m_thread.joinable())
        m_thread.join();
}

namespace {

// Returns the first family of `wanted` that is installed, or all of them if none is. Qt runs a
// fontconfig fallback search for every family of a list that it does not have before it tries the
// next one, and another for the face it finds when more families follow; naming only the face it
// would find saves both searches and gives the same face.
QStringList installedFamily(const QStringList &wanted) {
    static const QStringList installed = [] {
        QStringList names;
        for (QString family : QFontDatabase::families()) {
            // A family offered by several foundries is listed as "Family [Foundry]".
            const qsizetype bracket = family.indexOf(QLatin1String(" ["));
            if (bracket > 0)
                family.truncate(bracket);
            names.append(family);
        }
        return names;
    }();
    for (const QString &family : wanted) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return {family};
    }
    return wanted;
}

} // namespace

QFont font(FontRole role) {
    QFont result;
    if (role == FontRole::Signature) {
        static const QStringList signature =
            installedFamily({QStringLiteral("Script"), QStringLiteral("Dancing Script"),
                             QStringLiteral("URW Chancery L"), QStringLiteral("Z003")});
        result.setFamilies(signature);
        result.setStyleHint(QFont::Cursive);
        result.setWeight(QFont::Normal);
    } else {
        static const QStringList control = installedFamily(
            {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
        result.setFamilies(control);
        result.setStyleHint(QFont::Serif);
        result.setWeight(QFont::Bold);
    }
    result.setPointSizeF(8.25);
    return result;
}

namespace {

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c) {
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

double ratio(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

constexpr double textContrast = 4.5;    // WCAG AA for text
constexpr double nonTextContrast = 3.0; // WCAG AA for what marks a state, as a selection

QColor titleBarColor() {
    // An active window's title bar is drawn in the selection colour on most desktops.
    return QApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b) {
    return ratio(luminance(a), luminance(b));
}

QColor readableOn(const QColor &ground, const QColor &preferred) {
    if (preferred.isValid() && contrastRatio(preferred, ground) >= textContrast)
        return preferred;
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    return contrastRatio(black, ground) >= contrastRatio(white, ground) ? black : white;
}

SelectionColors selectionOnTitleBar() {
    // The box takes the title-bar colour, the colour selections are usually drawn in; the
    // selection takes the scheme's ordinary box colours instead, its background or its text,
    // whichever stands further apart from the title-bar colour, and the other one as text.
    const QPalette palette = QApplication::palette();
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor box = titleBarColor();
    SelectionColors result{base, text};
    if (contrastRatio(text, box) > contrastRatio(base, box))
        result = {text, base};
    if (contrastRatio(result.background, box) < nonTextContrast)
        result.background = readableOn(box, QColor());
    result.text = readableOn(result.background, result.text);
    return result;
}

double pictureLuminance(const QRect &area) {
    static const QImage picture = logoPicture().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect inside = area.intersected(picture.rect());
    std::vector<double> values;
    values.reserve(std::size_t(inside.width()) * std::size_t(inside.height()));
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            values.push_back(luminance(QColor(picture.pixel(x, y))));
    if (values.empty())
        return 0;
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

QColor readableOverPicture(const QColor &wanted, const QRect &area) {
    const double ground = pictureLuminance(area);
    // A little above the minimum, for the picture's texture around the letters.
    constexpr double target = textContrast + 0.5;
    if (ratio(luminance(wanted), ground) >= target)
        return wanted;
    const bool lighter = ratio(1.0, ground) >= ratio(0.0, ground);
    const QColor hsl = wanted.toHsl();
    const auto at = [&hsl](double lightness) {
        return QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), float(lightness));
    };
    // The lightness closest to the wanted colour's that reads.
    double near = hsl.lightnessF();
    double far = lighter ? 1.0 : 0.0;
    for (int step = 0; step < 20; ++step) {
        const double middle = (near + far) / 2;
        if (ratio(luminance(at(middle)), ground) >= target)
            far = middle;
        else
            near = middle;
    }
    return at(far).toRgb();
}

QColor color(ColorRole role) {
    switch (role) {
    case ColorRole::White:
        return QColor(255, 255, 255);
    case ColorRole::DarkGrey:
        return QColor(64, 64, 64);
    case ColorRole::TitleBar:
        return titleBarColor();
    case ColorRole::Desktop:
        // Only ever used for text drawn on the title-bar colour, so it takes the colour the
        // scheme pairs with that background where it reads, and black or white where not; the
        // desktop's background colour would be as dark as the title bar under many schemes.
        return readableOn(titleBarColor(), QApplication::palette().color(
                                               QPalette::Active, QPalette::HighlightedText));
    case ColorRole::Default:
        break;
    }
    return {};
}

namespace {

// Returns the bytes of `data` from `at`; the callers check the size first. Read through a view:
// with constData() the compiler also follows an empty array to Qt's one-byte static and warns of
// reads past it that the size checks rule out.
const unsigned char *bytes(const QByteArray &data, qsizetype at) {
    return reinterpret_cast<const unsigned char *>(QByteArrayView(data).data()) + at;
}

std::uint32_t readU32(const QByteArray &data, qsizetype at) {
    std::uint32_t value = 0;
    if (at >= 0 && at + 4 <= data.size())
        std::memcpy(&value, bytes(data, at), 4);
    return value;
}

std::uint16_t readU16(const QByteArray &data, qsizetype at) {
    std::uint16_t value = 0;
    if (at >= 0 && at + 2 <= data.size())
        std::memcpy(&value, bytes(data, at), 2);
    return value;
}

QByteArray readResource(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Decodes an uncompressed 24- or 32-bit bitmap file; returns a null image for any other kind.
// The pictures are decoded here rather than through QImageReader, which would first load and
// ask every image-format plugin installed.
QImage decodeTrueColorBitmap(const QByteArray &data) {
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M')
        return {};
    const auto pixels = static_cast<qsizetype>(readU32(data, 10));
    const auto width = static_cast<std::int32_t>(readU32(data, 18));
    const auto storedHeight = static_cast<std::int32_t>(readU32(data, 22));
    const int bits = readU16(data, 28);
    const std::uint32_t compression = readU32(data, 30);
    const bool topDown = storedHeight < 0;
    const std::int32_t height = topDown ? -storedHeight : storedHeight;
    if (readU32(data, 14) < 40 || compression != 0 || (bits != 24 && bits != 32) || width <= 0 ||
        height <= 0 || width > 32768 || height > 32768)
        return {};
    const qsizetype stride = (qsizetype(width) * bits + 31) / 32 * 4;
    if (pixels < 54 || pixels + stride * height > data.size())
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    const int step = bits / 8;
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const unsigned char *source = bytes(data, pixels + row * stride);
        if (bits == 32 && QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            // Blue, green, red and an unused byte: in memory, a pixel of this format once made
            // opaque.
            std::memcpy(line, source, std::size_t(width) * 4);
            for (int x = 0; x < width; ++x)
                line[x] |= 0xff000000u;
            continue;
        }
        for (int x = 0; x < width; ++x, source += step)
            line[x] = qRgb(source[2], source[1], source[0]);
    }
    const auto metresX = static_cast<int>(readU32(data, 38));
    const auto metresY = static_cast<int>(readU32(data, 42));
    if (metresX > 0 && metresY > 0) {
        image.setDotsPerMeterX(metresX);
        image.setDotsPerMeterY(metresY);
    }
    return image;
}

// Decodes one icon image: the colour rows (through the palette for 1, 4 and 8 bits, as blue,
// green, red for 24 and 32 bits, the fourth byte carrying no opacity) and the 1-bit mask that
// follows them, which makes its pixels transparent. Returns a null image for other kinds.
QImage decodeMaskedIconImage(const QByteArray &data, qsizetype offset, qsizetype size) {
    const auto headerSize = static_cast<qsizetype>(readU32(data, offset));
    const auto width = static_cast<std::int32_t>(readU32(data, offset + 4));
    const auto height = static_cast<std::int32_t>(readU32(data, offset + 8)) / 2;
    const int bits = readU16(data, offset + 14);
    const std::uint32_t compression = readU32(data, offset + 16);
    if (headerSize < 40 || compression != 0 || width <= 0 || height <= 0 || width > 256 ||
        height > 256 || offset < 0 || size < 0 || offset + size > data.size())
        return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return {};
    qsizetype colours = 0;
    if (bits <= 8) {
        const std::uint32_t used = readU32(data, offset + 32);
        colours = used != 0 ? qsizetype(used) : qsizetype(1) << bits;
        if (colours > 256)
            return {};
    }
    const qsizetype palette = offset + headerSize;
    const qsizetype rows = palette + colours * 4;
    const qsizetype stride = (qsizetype(width) * bits + 31) / 32 * 4;
    const qsizetype maskStride = (qsizetype(width) + 31) / 32 * 4;
    const qsizetype mask = rows + stride * height;
    if (mask + maskStride * height > offset + size)
        return {};

    QImage image(width, height, QImage::Format_ARGB32);
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row; // rows are stored bottom-up
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const unsigned char *source = bytes(data, rows + row * stride);
        const unsigned char *maskRow = bytes(data, mask + row * maskStride);
        for (int x = 0; x < width; ++x) {
            if ((maskRow[x / 8] >> (7 - x % 8)) & 1) {
                line[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            if (bits >= 24) {
                const unsigned char *pixel = source + qsizetype(x) * (bits / 8);
                line[x] = qRgb(pixel[2], pixel[1], pixel[0]);
                continue;
            }
            const int perByte = 8 / bits;
            const int shift = 8 - bits * (x % perByte + 1);
            const int index = (source[x / perByte] >> shift) & ((1 << bits) - 1);
            const unsigned char *colour = bytes(data, palette + qsizetype(index) * 4);
            line[x] = index < colours ? qRgb(colour[2], colour[1], colour[0]) : qRgb(0, 0, 0);
        }
    }
    return image;
}

// Returns the icon image of directory entry `entry` through Qt's reader, for the kinds not
// decoded above.
QImage readIconImageWithQt(const QByteArray &data, qsizetype entry, qsizetype offset,
                           qsizetype size) {
    QByteArray single(6 + 16, '\0');
    std::memcpy(single.data(), data.constData(), 6);
    single[4] = 1;
    single[5] = 0;
    std::memcpy(single.data() + 6, data.constData() + entry, 12);
    const std::uint32_t newOffset = 22;
    std::memcpy(single.data() + 18, &newOffset, 4);
    single.append(data.mid(offset, size));
    return QImage::fromData(single, "ICO");
}

QIcon loadIcon(const QString &path) {
    QIcon result;
    for (const QImage &image : iconImages(path))
        result.addPixmap(QPixmap::fromImage(image));
    return result;
}

QPixmap loadBitmap(const QString &path) {
    const QByteArray data = readResource(path);
    QImage image = decodeTrueColorBitmap(data);
    if (image.isNull())
        image = QImage::fromData(data, "BMP");
    return QPixmap::fromImage(image);
}

} // namespace

QList<QImage> iconImages(const QString &path) {
    const QByteArray data = readResource(path);
    QList<QImage> images;
    const int count = readU16(data, 4);
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = 6 + qsizetype(i) * 16;
        if (entry + 16 > data.size())
            break;
        const auto size = static_cast<qsizetype>(readU32(data, entry + 8));
        const auto offset = static_cast<qsizetype>(readU32(data, entry + 12));
        QImage image = decodeMaskedIconImage(data, offset, size);
        if (image.isNull())
            image = readIconImageWithQt(data, entry, offset, size);
        if (!image.isNull())
            images.append(image);
    }
    return images;
}

const QPixmap &logoPicture() {
    return logoPicture(1);
}

const QPixmap &logoPicture(qreal devicePixelRatio) {
    // Each rendition is drawn for its own scale and decoded the first time a window needs it;
    // its device pixel ratio makes it cover the same 240 x 197 pixels as the first.
    const auto rendition = [](const char *path, qreal scale) {
        QPixmap picture = loadBitmap(QString::fromLatin1(path));
        picture.setDevicePixelRatio(scale);
        return picture;
    };
    if (devicePixelRatio <= 1) {
        static const QPixmap picture = rendition(":/assets/logo.bmp", 1);
        return picture;
    }
    if (devicePixelRatio <= 1.5) {
        static const QPixmap picture = rendition(":/assets/logo@1.5x.bmp", 1.5);
        return picture;
    }
    static const QPixmap picture = rendition(":/assets/logo@2x.bmp", 2);
    return picture;
}

const QIcon &icon(IconRole role) {
    if (role == IconRole::Main) {
        static const QIcon mainIcon = loadIcon(QStringLiteral(":/assets/main.ico"));
        return mainIcon;
    }
    static const QIcon calculatorIcon = loadIcon(QStringLiteral(":/assets/calculator.ico"));
    return calculatorIcon;
}

} // namespace runtime
