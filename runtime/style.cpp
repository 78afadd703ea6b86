#include "runtime/style.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPalette>

#include <array>
#include <cstdint>
#include <cstring>

namespace runtime {

QFont font(FontRole role) {
    QFont result;
    if (role == FontRole::Signature) {
        result.setFamilies({QStringLiteral("Script"), QStringLiteral("Dancing Script"),
                            QStringLiteral("URW Chancery L"), QStringLiteral("Z003")});
        result.setStyleHint(QFont::Cursive);
        result.setWeight(QFont::Normal);
    } else {
        result.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
        result.setStyleHint(QFont::Serif);
        result.setWeight(QFont::Bold);
    }
    result.setPointSizeF(8.25);
    return result;
}

QColor color(ColorRole role) {
    const QPalette palette = QApplication::palette();
    switch (role) {
    case ColorRole::White:
        return QColor(255, 255, 255);
    case ColorRole::DarkGrey:
        return QColor(64, 64, 64);
    case ColorRole::TitleBar:
        // An active window's title bar is drawn in the selection colour on most desktops.
        return palette.color(QPalette::Active, QPalette::Highlight);
    case ColorRole::Desktop:
        // Only ever used for text drawn on the title-bar colour, so it takes the palette's
        // text colour for that background and stays legible in light and dark schemes.
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case ColorRole::Default:
        break;
    }
    return {};
}

const QPixmap &logoPicture() {
    static const QPixmap picture(QStringLiteral(":/assets/logo.bmp"));
    return picture;
}

namespace {

std::uint32_t readU32(const QByteArray &data, qsizetype at) {
    std::uint32_t value = 0;
    if (at >= 0 && at + 4 <= data.size())
        std::memcpy(&value, data.constData() + at, 4);
    return value;
}

std::uint16_t readU16(const QByteArray &data, qsizetype at) {
    std::uint16_t value = 0;
    if (at >= 0 && at + 2 <= data.size())
        std::memcpy(&value, data.constData() + at, 2);
    return value;
}

// Decodes one 32-bit icon image whose fourth byte carries no opacity: the colour comes from the
// pixel rows and the transparency from the 1-bit mask that follows them.
QImage decodeMaskedTrueColor(const QByteArray &data, qsizetype offset, qsizetype size) {
    const auto width = static_cast<int>(readU32(data, offset + 4));
    const auto height = static_cast<int>(readU32(data, offset + 8)) / 2;
    const auto headerSize = static_cast<qsizetype>(readU32(data, offset));
    const qsizetype pixels = offset + headerSize;
    const qsizetype maskStride = ((width + 31) / 32) * 4;
    const qsizetype mask = pixels + qsizetype(width) * height * 4;
    if (width <= 0 || height <= 0 || mask + maskStride * height > offset + size)
        return {};
    QImage image(width, height, QImage::Format_ARGB32);
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row; // rows are stored bottom-up
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const auto *source = reinterpret_cast<const unsigned char *>(data.constData()) + pixels +
                             qsizetype(row) * width * 4;
        const auto *maskRow =
            reinterpret_cast<const unsigned char *>(data.constData()) + mask + row * maskStride;
        for (int x = 0; x < width; ++x) {
            const bool transparent = (maskRow[x / 8] >> (7 - x % 8)) & 1;
            line[x] = transparent ? qRgba(0, 0, 0, 0)
                                  : qRgb(source[x * 4 + 2], source[x * 4 + 1], source[x * 4]);
        }
    }
    return image;
}

QIcon loadIcon(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    QIcon result;
    const int count = readU16(data, 4);
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = 6 + qsizetype(i) * 16;
        const int bitCount = readU16(data, entry + 6);
        const auto size = static_cast<qsizetype>(readU32(data, entry + 8));
        const auto offset = static_cast<qsizetype>(readU32(data, entry + 12));
        QImage image;
        if (bitCount == 32) {
            image = decodeMaskedTrueColor(data, offset, size);
        } else {
            // Palette images: Qt's reader applies their masks; hand it a one-image icon file.
            QByteArray single(6 + 16, '\0');
            std::memcpy(single.data(), data.constData(), 6);
            single[4] = 1;
            single[5] = 0;
            std::memcpy(single.data() + 6, data.constData() + entry, 12);
            const std::uint32_t newOffset = 22;
            std::memcpy(single.data() + 18, &newOffset, 4);
            single.append(data.mid(offset, size));
            image = QImage::fromData(single, "ICO");
        }
        if (!image.isNull())
            result.addPixmap(QPixmap::fromImage(image));
    }
    return result;
}

} // namespace

const QIcon &icon(IconRole role) {
    if (role == IconRole::Main) {
        static const QIcon mainIcon = loadIcon(QStringLiteral(":/assets/main.ico"));
        return mainIcon;
    }
    static const QIcon calculatorIcon = loadIcon(QStringLiteral(":/assets/calculator.ico"));
    return calculatorIcon;
}

} // namespace runtime
