#pragma once

#include "runtime/layout.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QRect>

#include <thread>

namespace runtime {

// Reads the system's font configuration on a thread of its own from construction until wait()
// or destruction. Made before the application object, it overlaps the connection to the
// display, which spends much of its time waiting for the display server; the first window needs
// both. Without fontconfig it does nothing.
class FontConfigurationPreload {
public:
    FontConfigurationPreload();
    ~FontConfigurationPreload();
    FontConfigurationPreload(const FontConfigurationPreload &) = delete;
    FontConfigurationPreload &operator=(const FontConfigurationPreload &) = delete;

    // Returns once the configuration is read.
    void wait();

private:
    std::thread m_thread;
};

// Returns the font of a role: the control font (Times New Roman bold 8.25 pt, Liberation Serif
// standing in) or the signature font (Script 8.25 pt, an installed script face standing in).
QFont font(FontRole role);

// Returns the concrete colour of a role on the current palette, or an invalid colour for
// ColorRole::Default (the control keeps its own).
QColor color(ColorRole role);

// Returns the WCAG contrast ratio of two colours, from 1 (the same) to 21 (black and white).
double contrastRatio(const QColor &a, const QColor &b);

// Returns `preferred` where it reads on `ground` at 4.5:1 or more, otherwise black or white,
// whichever reads better; one of them always reaches 4.5:1.
QColor readableOn(const QColor &ground, const QColor &preferred);

// The colours of selected text in a box filled with the title-bar colour: a selection that
// stands at least 3:1 apart from the box, and the text on it.
struct SelectionColors {
    QColor background;
    QColor text;
};
SelectionColors selectionOnTitleBar();

// Returns the median luminance of the background picture in `area` (pixels from its top-left
// corner), the ground that text drawn there is read against.
double pictureLuminance(const QRect &area);

// Returns `wanted` where text in it reads at 4.5:1 on the picture in `area`, otherwise the same
// hue made just as much lighter or darker as it takes.
QColor readableOverPicture(const QColor &wanted, const QRect &area);

// Returns the background picture every window shows, decoded once.
const QPixmap &logoPicture();

// Returns a window icon, decoded once, with each image's transparency taken from its mask.
const QIcon &icon(IconRole role);

// Returns the images of an icon file in file order, each with its mask as transparency; the
// window icons are made of them.
QList<QImage> iconImages(const QString &path);

// Returns the background picture in the rendition for a screen of `devicePixelRatio` device
// pixels per pixel, decoded once: the smallest of 1 (logoPicture() itself), 1.5 and 2 that is at
// least that ratio, or 2 beyond it. Its device pixel ratio is the rendition's, so it always
// covers 240 x 197 pixels.
const QPixmap &logoPicture(qreal devicePixelRatio);

} // namespace runtime
