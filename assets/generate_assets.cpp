// Draws the program's pictures and writes them into the directory named by the first argument:
//
//   logo.bmp        240 x 197, 32 bits per pixel, shown behind the labels of every window
//   logo@1.5x.bmp, logo@2x.bmp
//                   the same picture drawn at 1.5 and 2 times the resolution (360 x 296 and
//                   480 x 394, the first one's last row half beyond the picture), for screens of
//                   that many device pixels per pixel
//   main.ico        the main window's icon in five images (32x32x8, 16x16x1, 16x16x4,
//                   16x16x32, 48x48x32)
//   calculator.ico  the calculator windows' icon: the main icon's 32x32x8 image alone
//   icon-16.png, icon-32.png, icon-48.png
//                   the main icon's 16x16x32, 32x32x8 and 48x48x32 images with their masks
//                   turned into alpha, for the desktop's hicolor theme
//   icon-24.png, icon-64.png, icon-128.png, icon-256.png
//                   the same icon drawn at those sizes, the disc's edge smoothed by alpha
//   icon.svg        the same icon as shapes, for any size
//
// The output is the same, byte for byte, on every run and every platform: the rasteriser works
// on integers only (shapes are tested at 4 x 4 sample points per pixel, in whole units of an
// eighth of a pixel at the nominal size, finer for the larger renditions),
// and the few vertex positions that need trigonometry come from a fixed polynomial evaluated in
// plain double arithmetic and rounded to integers before any drawing.

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// ---------------------------------------------------------------------------------------------
// Colours and the canvas

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

constexpr Rgb mix(Rgb a, Rgb b, int num, int den) {
    return {a.r + (b.r - a.r) * num / den, a.g + (b.g - a.g) * num / den,
            a.b + (b.b - a.b) * num / den};
}

// Sub-pixel units: every pixel is sub x sub units, sampled at the centres of a 4 x 4 grid.
constexpr int sub = 8;
constexpr int samplesPerAxis = 4;
constexpr int samplesPerPixel = samplesPerAxis * samplesPerAxis;

constexpr int u(int pixels) {
    return pixels * sub;
}

struct Point {
    int x;
    int y;
};

struct Box {
    int x0, y0, x1, y1; // pixels, half-open
};

// Colour channels are kept at 16 bits (8.8 fixed point) so that many translucent layers do not
// pile up rounding errors.
//
// A canvas may draw a picture at a resolution `num`/`den` times its nominal one: shapes are
// then given in units of 1/(sub * num) of a nominal pixel (u() and e() convert), and each of
// its own pixels spans sub * den of them, so every sample point still lies on a whole unit and
// the same shapes give the same picture, only finer. At 1/1 a unit is an eighth of a pixel.
class Canvas {
public:
    Canvas(int width, int height, Rgb fill, int num = 1, int den = 1)
        : w((width * num + den - 1) / den)
        , h((height * num + den - 1) / den)
        , scaleNum(num)
        , scaleDen(den)
        , px(static_cast<std::size_t>(w * h)) {
        for (auto &p : px)
            p = {fill.r << 8, fill.g << 8, fill.b << 8};
    }

    int width() const { return w; }
    int height() const { return h; }

    // A length of whole nominal pixels, and one of eighths of a nominal pixel, in shape units.
    int u(int pixels) const { return pixels * sub * scaleNum; }
    int e(int eighths) const { return eighths * scaleNum; }

    // The nominal pixel under the centre of pixel (x, y) of this canvas, for colour gradients.
    int nominal(int v) const { return (2 * v + 1) * scaleDen / (2 * scaleNum); }

    // The pixels around shapes given in shape units.
    Box around(Point c, int radius) const {
        const int unit = sub * scaleDen;
        return {c.x / unit - radius / unit - 2, c.y / unit - radius / unit - 2,
                c.x / unit + radius / unit + 3, c.y / unit + radius / unit + 3};
    }

    Box around(Point a, Point b) const {
        const int unit = sub * scaleDen;
        return {std::min(a.x, b.x) / unit - 2, std::min(a.y, b.y) / unit - 2,
                std::max(a.x, b.x) / unit + 3, std::max(a.y, b.y) / unit + 3};
    }

    Rgb at(int x, int y) const {
        const auto &p = px[index(x, y)];
        return {(p[0] + 128) >> 8, (p[1] + 128) >> 8, (p[2] + 128) >> 8};
    }

    void set(int x, int y, Rgb c) { px[index(x, y)] = {c.r << 8, c.g << 8, c.b << 8}; }

    // Blends a colour into one pixel with an opacity of alpha/255 times samples/16.
    void blend(int x, int y, Rgb c, int alpha, int samples) {
        if (samples <= 0 || alpha <= 0)
            return;
        const int weight = alpha * samples; // of 255 * 16
        constexpr int full = 255 * samplesPerPixel;
        auto &p = px[index(x, y)];
        const std::array<int, 3> src = {c.r << 8, c.g << 8, c.b << 8};
        for (int i = 0; i < 3; ++i)
            p[i] += (src[i] - p[i]) * weight / full;
    }

    // Fills every sample point for which inside(sx, sy) holds, sx and sy in shape units.
    // colourAt gives the colour per nominal pixel, so that fills can carry gradients.
    template <class Inside, class ColourAt>
    void fill(Box box, Inside inside, ColourAt colourAt, int alpha = 255) {
        box.x0 = std::max(box.x0, 0);
        box.y0 = std::max(box.y0, 0);
        box.x1 = std::min(box.x1, w);
        box.y1 = std::min(box.y1, h);
        for (int y = box.y0; y < box.y1; ++y)
            for (int x = box.x0; x < box.x1; ++x) {
                const int n = coverage(x, y, inside, scaleDen);
                if (n > 0)
                    blend(x, y, colourAt(nominal(x), nominal(y)), alpha, n);
            }
    }

    template <class Inside> void fill(Box box, Inside inside, Rgb colour, int alpha = 255) {
        fill(
            box, inside, [colour](int, int) { return colour; }, alpha);
    }

    // The number of sample points of pixel (x, y) inside the shape, on a canvas whose pixels
    // span sub * den shape units.
    template <class Inside> static int coverage(int x, int y, Inside inside, int den = 1) {
        const int step = sub * den / samplesPerAxis;
        int n = 0;
        for (int j = 0; j < samplesPerAxis; ++j)
            for (int i = 0; i < samplesPerAxis; ++i)
                if (inside(x * sub * den + i * step + step / 2,
                           y * sub * den + j * step + step / 2))
                    ++n;
        return n;
    }

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y * w + x); }

    int w;
    int h;
    int scaleNum;
    int scaleDen;
    std::vector<std::array<int, 3>> px;
};

// ---------------------------------------------------------------------------------------------
// Shapes as sample tests, all in sub-pixel units

using Int = std::int64_t;

Int cross(Point o, Point a, int px, int py) {
    return Int(a.x - o.x) * (py - o.y) - Int(a.y - o.y) * (px - o.x);
}

auto rect(int x0, int y0, int x1, int y1) {
    return [=](int x, int y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

auto roundedRect(int x0, int y0, int x1, int y1, int radius) {
    return [=](int x, int y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1)
            return false;
        const int cx = std::clamp(x, x0 + radius, x1 - radius);
        const int cy = std::clamp(y, y0 + radius, y1 - radius);
        const Int dx = x - cx;
        const Int dy = y - cy;
        return dx * dx + dy * dy <= Int(radius) * radius;
    };
}

auto disc(Point c, int radius) {
    return [=](int x, int y) {
        const Int dx = x - c.x;
        const Int dy = y - c.y;
        return dx * dx + dy * dy <= Int(radius) * radius;
    };
}

// The ring between radius - width/2 and radius + width/2.
auto ring(Point c, int radius, int width) {
    const Int lo = radius - width / 2;
    const Int hi = radius + (width - width / 2);
    return [=](int x, int y) {
        const Int dx = x - c.x;
        const Int dy = y - c.y;
        const Int d = dx * dx + dy * dy;
        return d >= lo * lo && d <= hi * hi;
    };
}

// Points between two directions from c: from a turning clockwise on screen (y grows
// downwards) to b, less than 180 degrees apart.
auto sector(Point c, Point a, Point b) {
    return [=](int x, int y) {
        const Point o{0, 0};
        const int px = x - c.x;
        const int py = y - c.y;
        return cross(o, a, px, py) >= 0 && cross(o, b, px, py) <= 0;
    };
}

auto ellipse(Point c, int rx, int ry) {
    return [=](int x, int y) {
        const Int dx = x - c.x;
        const Int dy = y - c.y;
        const Int a2 = Int(rx) * rx;
        const Int b2 = Int(ry) * ry;
        return dx * dx * b2 + dy * dy * a2 <= a2 * b2;
    };
}

auto ellipseRing(Point c, int rx, int ry, int width) {
    return [=](int x, int y) {
        return ellipse(c, rx + width / 2, ry + width / 2)(x, y) &&
               !ellipse(c, rx - width / 2, ry - width / 2)(x, y);
    };
}

// A straight stroke of the given width with round ends at a and b.
auto segment(Point a, Point b, int width) {
    const Int dx = b.x - a.x;
    const Int dy = b.y - a.y;
    const Int len2 = dx * dx + dy * dy;
    const Int w2 = Int(width) * width;
    return [=](int x, int y) {
        const Int ex = x - a.x;
        const Int ey = y - a.y;
        const Int t = ex * dx + ey * dy;
        if (t <= 0)
            return 4 * (ex * ex + ey * ey) <= w2;
        if (t >= len2) {
            const Int fx = x - b.x;
            const Int fy = y - b.y;
            return 4 * (fx * fx + fy * fy) <= w2;
        }
        // distance = |c| / sqrt(len2) <= width / 2
        const Int c = ex * dy - ey * dx;
        return 4 * c * c <= w2 * len2;
    };
}

// Convex polygon, vertices in either winding order.
auto convex(std::vector<Point> v) {
    return [v = std::move(v)](int x, int y) {
        bool pos = false;
        bool neg = false;
        for (std::size_t i = 0; i < v.size(); ++i) {
            const Int c = cross(v[i], v[(i + 1) % v.size()], x, y);
            pos |= c > 0;
            neg |= c < 0;
        }
        return !(pos && neg);
    };
}

template <class A, class B> auto both(A a, B b) {
    return [=](int x, int y) { return a(x, y) && b(x, y); };
}

template <class A, class B> auto butNot(A a, B b) {
    return [=](int x, int y) { return a(x, y) && !b(x, y); };
}

constexpr Box everywhere{0, 0, 1 << 20, 1 << 20};

// ---------------------------------------------------------------------------------------------
// Angles, computed once per vertex and rounded to integers

constexpr double pi = 3.14159265358979323846;

// sin on [-pi, pi] by a fixed Taylor polynomial: the same basic operations in the same order on
// every platform, unlike a library sin.
double fixedSin(double a) {
    while (a > pi)
        a -= 2 * pi;
    while (a < -pi)
        a += 2 * pi;
    double term = a;
    double sum = a;
    for (int n = 1; n < 14; ++n) {
        term = -term * a * a / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double fixedCos(double a) {
    return fixedSin(a + pi / 2);
}

int roundToInt(double v) {
    return v < 0 ? -static_cast<int>(-v + 0.5) : static_cast<int>(v + 0.5);
}

// The point at the given distance from c in the given direction, degrees counter-clockwise
// from the positive x axis as seen on screen (y grows downwards).
Point polar(Point c, int radius, double degrees) {
    const double a = degrees * pi / 180;
    return {c.x + roundToInt(radius * fixedCos(a)), c.y - roundToInt(radius * fixedSin(a))};
}

Point direction(double degrees) {
    return polar({0, 0}, 1 << 12, degrees);
}

// An arc stroke from degrees a0 to a1 (counter-clockwise on screen), split into pieces of less
// than 180 degrees for the sector test; with dash > 0, drawn as dashes of that many degrees
// separated by gaps of the same size.
void arc(Canvas &cv, Point c, int radius, int width, double a0, double a1, Rgb colour, int alpha,
         double dash = 0) {
    const double step = dash > 0 ? dash : 90;
    const double advance = dash > 0 ? 2 * dash : step;
    for (double a = a0; a + 1e-9 < a1; a += advance) {
        const double b = std::min(a + step, a1);
        // Clockwise on screen from b back to a is the piece from a to b counter-clockwise.
        cv.fill(cv.around(c, radius + width),
                both(ring(c, radius, width), sector(c, direction(b), direction(a))), colour, alpha);
    }
}

// ---------------------------------------------------------------------------------------------
// The logo

constexpr int logoWidth = 240;
constexpr int logoHeight = 197;

// Ground: a deep blue-teal, lighter at the top left (where black and white captions share
// the left column, so it must stay mid-dark) and deeper towards the bottom right.
constexpr Rgb groundTopLeft{42, 110, 146};
constexpr Rgb groundBottomRight{22, 64, 100};

constexpr Rgb line{150, 214, 236};    // figure outlines
constexpr Rgb lineSoft{96, 168, 200}; // construction lines
constexpr Rgb accent{244, 178, 62};   // the highlighted figure
constexpr Rgb paper{238, 244, 248};   // the light panel
constexpr Rgb paperGrid{218, 230, 240};
constexpr Rgb paperRule{120, 150, 176};

void drawGround(Canvas &cv) {
    // Diagonal gradient, quadratic so the top left stays even longer.
    const int span = (logoWidth - 1) * 3 + (logoHeight - 1) * 4;
    for (int y = 0; y < cv.height(); ++y)
        for (int x = 0; x < cv.width(); ++x) {
            const int t = std::min(cv.nominal(x), logoWidth - 1) * 3 +
                          std::min(cv.nominal(y), logoHeight - 1) * 4; // 0..span
            const int t2 = t * t / span;                               // eased
            cv.set(x, y, mix(groundTopLeft, groundBottomRight, t2, span));
        }
    // Drafting grid: fine lines every 8 pixels, stronger ones every 40.
    const int pixel = cv.u(1);
    const auto major = [pixel](int x, int y) {
        return (x / pixel) % 40 == 4 || (y / pixel) % 40 == 4;
    };
    const auto minor = [pixel](int x, int y) {
        return (x / pixel) % 8 == 4 || (y / pixel) % 8 == 4;
    };
    cv.fill(everywhere, major, Rgb{255, 255, 255}, 26);
    cv.fill(everywhere, butNot(minor, major), Rgb{255, 255, 255}, 11);
}

// The light panel behind the dark grey caption of the main window (x 120..209, y 16..57).
void drawPanel(Canvas &cv) {
    const int x0 = cv.u(112), y0 = cv.u(8), x1 = cv.u(221), y1 = cv.u(64);
    const int r = cv.u(4);
    // Soft shadow.
    for (int i = 3; i >= 1; --i)
        cv.fill(everywhere,
                roundedRect(x0 + cv.u(i) - cv.u(1), y0 + cv.u(i), x1 + cv.u(i) - cv.u(1),
                            y1 + cv.u(i), r),
                Rgb{8, 30, 52}, 34);
    cv.fill(everywhere, roundedRect(x0, y0, x1, y1, r), paper);
    const auto inside =
        roundedRect(x0 + cv.u(1), y0 + cv.u(1), x1 - cv.u(1), y1 - cv.u(1), r - cv.u(1));
    // Squared paper.
    for (int x = 116; x < 221; x += 6)
        cv.fill(everywhere, both(inside, rect(cv.u(x), y0, cv.u(x) + cv.u(1), y1)), paperGrid);
    for (int y = 20; y < 64; y += 6)
        cv.fill(everywhere, both(inside, rect(x0, cv.u(y), x1, cv.u(y) + cv.u(1))), paperGrid);
    // A ruler along the top edge: ticks every 3 pixels, longer every 15.
    cv.fill(everywhere, both(inside, rect(x0, y0, x1, y0 + cv.u(7))), paper);
    cv.fill(everywhere, both(inside, rect(x0, y0 + cv.u(7), x1, y0 + cv.u(7) + cv.e(4))), paperRule,
            160);
    for (int x = 115, i = 0; x < 219; x += 3, ++i) {
        const int len = i % 5 == 0 ? cv.u(5) : cv.u(2) + cv.e(4);
        cv.fill(everywhere, rect(cv.u(x), y0 + cv.u(7) - len, cv.u(x) + cv.e(5), y0 + cv.u(7)),
                paperRule, 200);
    }
    // Edge.
    cv.fill(
        everywhere,
        butNot(roundedRect(x0, y0, x1, y1, r),
               roundedRect(x0 + cv.e(5), y0 + cv.e(5), x1 - cv.e(5), y1 - cv.e(5), r - cv.e(5))),
        Rgb{176, 204, 224});
}

// The leading figure: a circle with an inscribed triangle, centre, radius and construction
// arcs, as drawn with a compass.
void drawCircleFigure(Canvas &cv) {
    const Point c{cv.u(166), cv.u(110)};
    const int radius = cv.u(40);
    // The disc, a shade lighter than the ground.
    cv.fill(cv.around(c, radius), disc(c, radius), Rgb{64, 132, 172}, 70);
    // Inscribed triangle, apex up.
    const Point a = polar(c, radius, 90);
    const Point b = polar(c, radius, 210);
    const Point d = polar(c, radius, 330);
    cv.fill(
        cv.around(c, radius), convex({a, b, d}),
        [&](int, int y) {
            return mix(Rgb{70, 150, 186}, Rgb{42, 110, 150}, std::clamp(y - 70, 0, 80), 80);
        },
        150);
    // Construction: the triangle's medians through the centre, dashed.
    for (Point p : {a, b, d}) {
        const Point q{2 * c.x - p.x, 2 * c.y - p.y}; // opposite point on the circle
        const int dashes = 12;
        for (int i = 0; i < dashes; i += 2) {
            const Point s{p.x + (q.x - p.x) * i / dashes, p.y + (q.y - p.y) * i / dashes};
            const Point e{p.x + (q.x - p.x) * (i + 1) / dashes,
                          p.y + (q.y - p.y) * (i + 1) / dashes};
            cv.fill(cv.around(s, e), segment(s, e, cv.e(6)), lineSoft, 150);
        }
    }
    // Outline of the circle and the triangle.
    cv.fill(cv.around(c, radius + cv.u(2)), ring(c, radius, cv.e(13)), line);
    for (auto [p, q] : {std::pair{a, b}, std::pair{b, d}, std::pair{d, a}})
        cv.fill(cv.around(p, q), segment(p, q, cv.e(12)), accent);
    for (Point p : {a, b, d}) {
        cv.fill(cv.around(p, cv.u(3)), disc(p, cv.u(2) + cv.e(4)), accent);
        cv.fill(cv.around(p, cv.u(3)), disc(p, cv.u(1)), Rgb{34, 84, 120});
    }
    // The angle at the lower left vertex, and the right angle where the vertical median
    // meets the base.
    arc(cv, b, cv.u(9), cv.e(6), 0, 60, accent, 230);
    const Point foot{c.x, b.y};
    const Point corner{foot.x + cv.u(4), foot.y - cv.u(4)};
    cv.fill(cv.around(foot, corner), segment({foot.x + cv.u(4), foot.y}, corner, cv.e(6)), accent,
            230);
    cv.fill(cv.around(foot, corner), segment({foot.x, corner.y}, corner, cv.e(6)), accent, 230);
    // Centre mark.
    cv.fill(cv.around(c, cv.u(3)), disc(c, cv.u(2)), line);
    // Compass marks beyond the circle, left from stepping off the vertices.
    arc(cv, c, radius + cv.u(9), cv.e(6), 60, 120, lineSoft, 190);
    arc(cv, c, radius + cv.u(9), cv.e(6), 180, 240, lineSoft, 190);
    arc(cv, c, radius + cv.u(9), cv.e(6), 300, 360, lineSoft, 190);
    // The outer construction circle, dashed.
    arc(cv, c, radius + cv.u(16), cv.e(5), 0, 360, lineSoft, 110, 4);
}

// An isometric cube in outline with translucent faces.
void drawCube(Canvas &cv) {
    const Point top{cv.u(28), cv.u(80)};
    const int s = cv.u(21);        // edge length along the isometric axes
    const int dx = s * 866 / 1000; // cos 30
    const int dy = s / 2;
    const Point t0 = top;
    const Point t1{top.x + dx, top.y + dy};
    const Point t2{top.x, top.y + 2 * dy};
    const Point t3{top.x - dx, top.y + dy};
    const Point b1{t1.x, t1.y + s};
    const Point b2{t2.x, t2.y + s};
    const Point b3{t3.x, t3.y + s};
    cv.fill(everywhere, convex({t0, t1, t2, t3}), Rgb{92, 160, 196}, 120);
    cv.fill(everywhere, convex({t3, t2, b2, b3}), Rgb{58, 124, 164}, 120);
    cv.fill(everywhere, convex({t2, t1, b1, b2}), Rgb{28, 76, 114}, 140);
    for (auto [p, q] : {std::pair{t0, t1}, std::pair{t1, t2}, std::pair{t2, t3}, std::pair{t3, t0},
                        std::pair{t2, b2}, std::pair{t1, b1}, std::pair{t3, b3}, std::pair{b3, b2},
                        std::pair{b2, b1}})
        cv.fill(cv.around(p, q), segment(p, q, cv.e(10)), line);
    // Hidden edges, dashed.
    const Point h0{top.x, top.y + s};
    for (Point q : {b1, b3, t0}) {
        for (int i = 0; i < 8; i += 2) {
            const Point s0{h0.x + (q.x - h0.x) * i / 8, h0.y + (q.y - h0.y) * i / 8};
            const Point s1{h0.x + (q.x - h0.x) * (i + 1) / 8, h0.y + (q.y - h0.y) * (i + 1) / 8};
            cv.fill(cv.around(s0, s1), segment(s0, s1, cv.e(5)), lineSoft, 170);
        }
    }
}

// An upright cylinder in outline.
void drawCylinder(Canvas &cv) {
    const int cx = cv.u(79);
    const int topY = cv.u(84);
    const int botY = cv.u(118);
    const int rx = cv.u(15);
    const int ry = cv.u(5);
    // Body: rectangle plus the bottom half ellipse, with a horizontal shading.
    const auto body = [=](int x, int y) {
        return (x >= cx - rx && x <= cx + rx && y >= topY && y <= botY) ||
               ellipse({cx, botY}, rx, ry)(x, y);
    };
    const int shadeLeft = (cx - rx) / cv.u(1); // in pixels
    const int shadeWidth = 2 * rx / cv.u(1);
    cv.fill(
        everywhere, body,
        [=](int x, int) {
            const int t = std::clamp(x - shadeLeft, 0, shadeWidth);
            return mix(Rgb{78, 146, 184}, Rgb{26, 72, 110}, t, shadeWidth);
        },
        130);
    cv.fill(everywhere, ellipse({cx, topY}, rx, ry), Rgb{96, 166, 200}, 130);
    cv.fill(everywhere, ellipseRing({cx, topY}, rx, ry, cv.e(10)), line);
    // Lower rim, front half solid and back half dashed.
    cv.fill(everywhere,
            both(ellipseRing({cx, botY}, rx, ry, cv.e(10)), [=](int, int y) { return y >= botY; }),
            line);
    for (int i = 0; i < 8; ++i) {
        const int xa = cx - rx + 2 * rx * i / 8;
        const int xb = cx - rx + 2 * rx * i / 8 + rx / 8;
        cv.fill(everywhere,
                both(ellipseRing({cx, botY}, rx, ry, cv.e(5)),
                     [=](int x, int y) { return y < botY && x >= xa && x < xb; }),
                lineSoft, 170);
    }
    cv.fill(everywhere, segment({cx - rx, topY}, {cx - rx, botY}, cv.e(10)), line);
    cv.fill(everywhere, segment({cx + rx, topY}, {cx + rx, botY}, cv.e(10)), line);
    // Axis, dashed.
    for (int y = topY; y < botY; y += cv.u(4))
        cv.fill(everywhere, segment({cx, y}, {cx, std::min(y + cv.u(2), botY)}, cv.e(5)), lineSoft,
                150);
}

// A protractor in the quiet lower left corner, below the windows' captions.
void drawProtractor(Canvas &cv) {
    const Point c{cv.u(36), cv.u(190)};
    const int radius = cv.u(28);
    cv.fill(cv.around(c, radius), both(disc(c, radius), rect(0, 0, 1 << 20, c.y)),
            Rgb{64, 132, 172}, 50);
    arc(cv, c, radius, cv.e(10), 0, 180, line, 255);
    cv.fill(cv.around(c, radius + cv.u(4)),
            segment({c.x - radius - cv.u(4), c.y}, {c.x + radius + cv.u(4), c.y}, cv.e(10)), line);
    for (int deg = 0; deg <= 180; deg += 10) {
        const int len = deg % 30 == 0 ? cv.u(6) : cv.u(3);
        const Point p = polar(c, radius, deg);
        const Point q = polar(c, radius - len, deg);
        cv.fill(cv.around(p, q), segment(p, q, cv.e(6)), line, 220);
    }
    cv.fill(cv.around(c, cv.u(4)), disc(c, cv.u(2)), line);
}

// A steel square lying on the sheet, its blade along y 42..53 from x 36 and its tongue standing
// up over x 78..95 to y 24. Its dark face is the ground for the captions drawn in the title-bar
// colour: the end of "Enter Radius II" (x 48..96, y 40..56; the blade starts early enough to
// carry the whole word) and the "II" of the torus window (x 80..104, y 32..48). The black
// captions of the cylinder window (x 8..80, y 8..24 and 32..48, letters down to y 43) lie above
// the blade and left of the tongue: the square takes only the bottom rows and the last columns
// of the lower one, well short of what would move its median.
void drawSquare(Canvas &cv) {
    const int left = cv.u(36), right = cv.u(96);
    const int bladeTop = cv.u(42), bottom = cv.u(54);
    const int tongueLeft = cv.u(78), top = cv.u(24);
    const int r = cv.u(2);
    const auto shape = [=](int x, int y) {
        return roundedRect(left, bladeTop, right, bottom, r)(x, y) ||
               roundedRect(tongueLeft, top, right, bottom, r)(x, y);
    };
    // Shadow falling to the lower right, as the panel's.
    for (int i = 2; i >= 1; --i) {
        const int shift = cv.u(i);
        cv.fill(
            everywhere, [=](int x, int y) { return shape(x - shift, y - shift); }, Rgb{4, 16, 30},
            60);
    }
    // The face, blued steel: a deep blue, not black, so that it stays apart from black text
    // beside it (as at the rounded corners of the Calculate buttons just below); a little
    // lighter towards the top left, and even there its luminance stays near 0.02, which leaves
    // the title-bar blue about 4:1.
    cv.fill(everywhere, shape, [](int x, int y) {
        return mix(Rgb{10, 38, 80}, Rgb{6, 26, 68}, std::clamp(x + y - 70, 0, 80), 80);
    });
    // Graduations on the outer edges: along the blade's lower edge and the tongue's right edge,
    // every 3 pixels, longer every 15; the inner edges stay plain beside the captions.
    for (int x = 39, i = 0; x < 94; x += 3, ++i) {
        const int len = i % 5 == 0 ? cv.u(3) : cv.u(2);
        cv.fill(everywhere,
                rect(cv.u(x), bottom - cv.u(1) - len, cv.u(x) + cv.e(6), bottom - cv.u(1)),
                lineSoft, 220);
    }
    for (int y = 27, i = 0; y < 51; y += 3, ++i) {
        const int len = i % 5 == 0 ? cv.u(3) : cv.u(2);
        cv.fill(everywhere,
                rect(right - cv.u(1) - len, cv.u(y), right - cv.u(1), cv.u(y) + cv.e(6)), lineSoft,
                220);
    }
    // Outline, as the figures are drawn.
    const int edge = cv.e(6);
    const auto inner = [=](int x, int y) {
        return roundedRect(left + edge, bladeTop + edge, right - edge, bottom - edge,
                           r - edge)(x, y) ||
               roundedRect(tongueLeft + edge, top + edge, right - edge, bottom - edge, r - edge)(x,
                                                                                                 y);
    };
    cv.fill(everywhere, butNot(shape, inner), line, 200);
}

// Draws the logo at `num`/`den` times its size of 240 x 197 pixels.
Canvas drawLogo(int num = 1, int den = 1) {
    Canvas cv(logoWidth, logoHeight, groundTopLeft, num, den);
    drawGround(cv);
    drawCube(cv);
    drawCylinder(cv);
    drawCircleFigure(cv);
    drawProtractor(cv);
    drawSquare(cv);
    drawPanel(cv);
    return cv;
}

// ---------------------------------------------------------------------------------------------
// The icon: an amber triangle inscribed in a blue disc

struct IconImage {
    int size = 0;
    int bits = 0;
    std::vector<Rgb> palette;      // for 1, 4 and 8 bits
    std::vector<int> indices;      // palette images, top row first
    std::vector<Rgb> colours;      // 32-bit images, top row first
    std::vector<bool> transparent; // the mask, top row first
    Rgb colourAt(int x, int y) const {
        const auto i = static_cast<std::size_t>(y * size + x);
        return bits == 32 ? colours[i] : palette[static_cast<std::size_t>(indices[i])];
    }
};

constexpr Rgb iconRim{18, 52, 92};
constexpr Rgb iconDiscTop{62, 150, 204};
constexpr Rgb iconDiscBottom{24, 86, 148};
constexpr Rgb iconTriTop{255, 206, 84};
constexpr Rgb iconTriBottom{238, 146, 28};
constexpr Rgb iconTriEdge{150, 76, 10};

struct IconDrawing {
    std::vector<Rgb> colours;      // black where transparent
    std::vector<bool> transparent; // pixels less than half inside the disc
    std::vector<int> alpha;        // the share of each pixel inside the disc, 0..255
    std::vector<Rgb> shades;       // the colours where alpha is above 0, black elsewhere
};

// The icon's shapes at one size, in sub-pixel units of that size.
struct IconGeometry {
    Point centre;
    int radius;        // the disc with its rim
    int rim;           // the rim's width
    Point triangle[3]; // the amber triangle, apex up
    Point inner[3];    // its lighter inside
    int highlightRadius;
    int highlightWidth; // a ring piece on the disc's upper left edge, from 100 to 180 degrees
};

IconGeometry iconGeometry(int size) {
    IconGeometry g{};
    g.centre = {u(size) / 2, u(size) / 2};
    g.radius = u(size) / 2 - 2;
    g.rim = std::max(sub, u(size) / 32); // 1 pixel at 16 and 32, 1.5 at 48
    const int triRadius = g.radius - g.rim - (size >= 32 ? u(size) / 16 : 2);
    const Point tc{g.centre.x, g.centre.y + u(size) / 64};
    g.triangle[0] = polar(tc, triRadius, 90);
    g.triangle[1] = polar(tc, triRadius, 210);
    g.triangle[2] = polar(tc, triRadius, 330);
    // The inside is the same triangle shrunk towards its centre, leaving an edge of `inset`
    // quarters of a pixel.
    const int inset = size >= 64 ? size / 16 : size >= 48 ? 3 : 2;
    const int edge = inset * sub / 4 * 2; // distance from edge to the inner triangle, x2
    const Int k = triRadius - edge;
    for (int i = 0; i < 3; ++i) {
        const Point p = g.triangle[i];
        g.inner[i] = {tc.x + static_cast<int>((p.x - tc.x) * k / triRadius),
                      tc.y + static_cast<int>((p.y - tc.y) * k / triRadius)};
    }
    g.highlightRadius = g.radius - g.rim - u(size) / 24;
    g.highlightWidth = std::max(sub, u(size) / 24);
    return g;
}

IconDrawing drawIcon(int size) {
    const IconGeometry g = iconGeometry(size);
    Canvas cv(size, size, iconRim);
    cv.fill(everywhere, disc(g.centre, g.radius - g.rim),
            [&](int, int y) { return mix(iconDiscTop, iconDiscBottom, y, size - 1); });
    cv.fill(everywhere, convex({g.triangle[0], g.triangle[1], g.triangle[2]}), iconTriEdge);
    cv.fill(everywhere, convex({g.inner[0], g.inner[1], g.inner[2]}),
            [&](int, int y) { return mix(iconTriTop, iconTriBottom, y, size - 1); });
    // The highlight, for larger sizes.
    if (size >= 32)
        cv.fill(everywhere,
                both(ring(g.centre, g.highlightRadius, g.highlightWidth),
                     sector(g.centre, direction(180), direction(100))),
                Rgb{255, 255, 255}, 70);

    IconDrawing out;
    const auto inDisc = disc(g.centre, g.radius);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int inside = Canvas::coverage(x, y, inDisc);
            const bool clear = inside < samplesPerPixel / 2;
            out.transparent.push_back(clear);
            out.alpha.push_back((inside * 255 + samplesPerPixel / 2) / samplesPerPixel);
            out.colours.push_back(clear ? Rgb{} : cv.at(x, y));
            out.shades.push_back(inside > 0 ? cv.at(x, y) : Rgb{});
        }
    return out;
}

// The two-colour image: a white disc with a black rim and a black triangle, visible on light
// and dark backgrounds alike.
IconImage iconOneBit() {
    constexpr int size = 16;
    IconImage img{size, 1, {{0, 0, 0}, {255, 255, 255}}, {}, {}, {}};
    const Point c{u(size) / 2, u(size) / 2};
    const int radius = u(size) / 2 - 2;
    const Point tc{c.x, c.y + 4};
    const int triRadius = radius - u(2) - 4;
    const auto tri =
        convex({polar(tc, triRadius, 90), polar(tc, triRadius, 210), polar(tc, triRadius, 330)});
    const auto half = samplesPerPixel / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool clear = Canvas::coverage(x, y, disc(c, radius)) < half;
            const bool white = Canvas::coverage(x, y, disc(c, radius - u(1))) >= half &&
                               Canvas::coverage(x, y, tri) < half;
            img.transparent.push_back(clear);
            img.indices.push_back(!clear && white ? 1 : 0);
        }
    return img;
}

int distance2(Rgb a, Rgb b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    // Weighted towards green, the channel the eye resolves best.
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

// Median cut over the opaque pixels; entry 0 stays black, as the transparent pixels must be
// black for the mask to leave the screen untouched.
std::vector<Rgb> choosePalette(const IconDrawing &d, int entries) {
    std::vector<Rgb> pixels;
    for (std::size_t i = 0; i < d.colours.size(); ++i)
        if (!d.transparent[i])
            pixels.push_back(d.colours[i]);
    std::vector<Rgb> unique = pixels;
    const auto key = [](Rgb c) { return (c.r << 16) | (c.g << 8) | c.b; };
    std::sort(unique.begin(), unique.end(), [&](Rgb a, Rgb b) { return key(a) < key(b); });
    unique.erase(std::unique(unique.begin(), unique.end()), unique.end());
    std::vector<Rgb> palette{{0, 0, 0}};
    if (static_cast<int>(unique.size()) < entries) {
        palette.insert(palette.end(), unique.begin(), unique.end());
    } else {
        std::vector<std::vector<Rgb>> boxes{pixels};
        while (static_cast<int>(boxes.size()) < entries - 1) {
            // Split the box with the widest channel range.
            int best = -1, bestRange = 0, bestChannel = 0;
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                for (int ch = 0; ch < 3; ++ch) {
                    int lo = 255, hi = 0;
                    for (Rgb c : boxes[i]) {
                        const int v = ch == 0 ? c.r : ch == 1 ? c.g : c.b;
                        lo = std::min(lo, v);
                        hi = std::max(hi, v);
                    }
                    if (hi - lo > bestRange) {
                        best = static_cast<int>(i);
                        bestRange = hi - lo;
                        bestChannel = ch;
                    }
                }
            }
            if (best < 0)
                break;
            auto &box = boxes[static_cast<std::size_t>(best)];
            const auto channel = [bestChannel](Rgb c) {
                return bestChannel == 0 ? c.r : bestChannel == 1 ? c.g : c.b;
            };
            std::stable_sort(box.begin(), box.end(), [&](Rgb a, Rgb b) {
                return channel(a) != channel(b) ? channel(a) < channel(b) : key(a) < key(b);
            });
            const auto half = box.begin() + static_cast<std::ptrdiff_t>(box.size() / 2);
            std::vector<Rgb> upper(half, box.end());
            box.erase(half, box.end());
            boxes.push_back(std::move(upper));
        }
        for (const auto &box : boxes) {
            int r = 0, g = 0, b = 0;
            for (Rgb c : box) {
                r += c.r;
                g += c.g;
                b += c.b;
            }
            const int n = static_cast<int>(box.size());
            palette.push_back({(r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n});
        }
    }
    palette.resize(static_cast<std::size_t>(entries), Rgb{});
    return palette;
}

IconImage iconPalette(int size, int bits) {
    const IconDrawing d = drawIcon(size);
    IconImage img;
    img.size = size;
    img.bits = bits;
    img.palette = choosePalette(d, 1 << bits);
    img.transparent = d.transparent;
    for (std::size_t i = 0; i < d.colours.size(); ++i) {
        int best = 0;
        if (!d.transparent[i]) {
            int bestDist = 1 << 30;
            for (std::size_t k = 1; k < img.palette.size(); ++k) {
                const int dist = distance2(d.colours[i], img.palette[k]);
                if (dist < bestDist) {
                    bestDist = dist;
                    best = static_cast<int>(k);
                }
            }
        }
        img.indices.push_back(best);
    }
    return img;
}

IconImage iconTrueColour(int size) {
    const IconDrawing d = drawIcon(size);
    IconImage img;
    img.size = size;
    img.bits = 32;
    img.colours = d.colours;
    img.transparent = d.transparent;
    return img;
}

// ---------------------------------------------------------------------------------------------
// File formats

void put16(Bytes &out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(Bytes &out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void put32be(Bytes &out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xff));
}

int rowBytes(int width, int bits) {
    return (width * bits + 31) / 32 * 4;
}

void putInfoHeader(Bytes &out, int width, int height, int bits, std::uint32_t imageSize,
                   std::uint32_t pixelsPerMetre) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bits));
    put32(out, 0); // uncompressed
    put32(out, imageSize);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, 0); // colours used: all 2^bits
    put32(out, 0); // all colours important
}

Bytes bitmapFile(const Canvas &cv, std::uint32_t pixelsPerMetre) {
    const int w = cv.width();
    const int h = cv.height();
    const auto imageSize = static_cast<std::uint32_t>(w * h * 4);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 14 + 40 + imageSize);
    put32(out, 0);
    put32(out, 14 + 40);
    putInfoHeader(out, w, h, 32, imageSize, pixelsPerMetre);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const Rgb c = cv.at(x, y);
            out.push_back(static_cast<std::uint8_t>(c.b));
            out.push_back(static_cast<std::uint8_t>(c.g));
            out.push_back(static_cast<std::uint8_t>(c.r));
            out.push_back(255);
        }
    return out;
}

// One icon image: the info header with doubled height, the palette, the colour rows and the
// mask rows, both bottom row first.
Bytes iconResource(const IconImage &img) {
    const int n = img.size;
    const int xorRow = rowBytes(n, img.bits);
    const int andRow = rowBytes(n, 1);
    Bytes out;
    putInfoHeader(out, n, 2 * n, img.bits, static_cast<std::uint32_t>((xorRow + andRow) * n), 0);
    for (Rgb c : img.palette) {
        out.push_back(static_cast<std::uint8_t>(c.b));
        out.push_back(static_cast<std::uint8_t>(c.g));
        out.push_back(static_cast<std::uint8_t>(c.r));
        out.push_back(0);
    }
    for (int y = n - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(xorRow), 0);
        for (int x = 0; x < n; ++x) {
            const auto i = static_cast<std::size_t>(y * n + x);
            if (img.bits == 32) {
                const Rgb c = img.colours[i];
                row[4 * x + 0] = static_cast<std::uint8_t>(c.b);
                row[4 * x + 1] = static_cast<std::uint8_t>(c.g);
                row[4 * x + 2] = static_cast<std::uint8_t>(c.r);
                row[4 * x + 3] = 0; // transparency comes from the mask alone
            } else {
                const int perByte = 8 / img.bits;
                const int shift = 8 - img.bits * (x % perByte + 1);
                row[static_cast<std::size_t>(x / perByte)] |=
                    static_cast<std::uint8_t>(img.indices[i] << shift);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = n - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(andRow), 0);
        for (int x = 0; x < n; ++x)
            if (img.transparent[static_cast<std::size_t>(y * n + x)])
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Bytes iconFile(const std::vector<IconImage> &images) {
    std::vector<Bytes> resources;
    for (const auto &img : images)
        resources.push_back(iconResource(img));
    Bytes out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto &img = images[i];
        out.push_back(static_cast<std::uint8_t>(img.size));
        out.push_back(static_cast<std::uint8_t>(img.size));
        out.push_back(static_cast<std::uint8_t>(img.bits < 8 ? 1 << img.bits : 0));
        out.push_back(0);
        put16(out, 1);
        put16(out, static_cast<unsigned>(img.bits));
        put32(out, static_cast<std::uint32_t>(resources[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(resources[i].size());
    }
    for (const auto &r : resources)
        out.insert(out.end(), r.begin(), r.end());
    return out;
}

std::uint32_t crc32(const std::uint8_t *data, std::size_t n, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t adler32(const Bytes &data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : data) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void pngChunk(Bytes &out, const char type[4], const Bytes &data) {
    put32be(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32be(out, crc32(out.data() + start, out.size() - start));
}

// RGBA, 8 bits per channel, no filtering, stored in uncompressed deflate blocks; pixels top row
// first, alpha 0..255.
Bytes pngFile(int n, const std::vector<Rgb> &colours, const std::vector<int> &alpha) {
    Bytes raw;
    for (int y = 0; y < n; ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < n; ++x) {
            const auto i = static_cast<std::size_t>(y * n + x);
            raw.push_back(static_cast<std::uint8_t>(colours[i].r));
            raw.push_back(static_cast<std::uint8_t>(colours[i].g));
            raw.push_back(static_cast<std::uint8_t>(colours[i].b));
            raw.push_back(static_cast<std::uint8_t>(alpha[i]));
        }
    }
    Bytes z{0x78, 0x01};
    for (std::size_t pos = 0; pos < raw.size() || pos == 0;) {
        const std::size_t len = std::min<std::size_t>(65535, raw.size() - pos);
        const bool last = pos + len == raw.size();
        z.push_back(last ? 1 : 0);
        put16(z, static_cast<unsigned>(len));
        put16(z, static_cast<unsigned>(~len & 0xffff));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                 raw.begin() + static_cast<std::ptrdiff_t>(pos + len));
        pos += len;
        if (last)
            break;
    }
    put32be(z, adler32(raw));

    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header;
    put32be(header, static_cast<std::uint32_t>(n));
    put32be(header, static_cast<std::uint32_t>(n));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter, no interlace
    pngChunk(out, "IHDR", header);
    pngChunk(out, "IDAT", z);
    pngChunk(out, "IEND", {});
    return out;
}

// An icon image with its mask turned into alpha.
Bytes pngFile(const IconImage &img) {
    const int n = img.size;
    std::vector<Rgb> colours;
    std::vector<int> alpha;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const bool clear = img.transparent[static_cast<std::size_t>(y * n + x)];
            colours.push_back(clear ? Rgb{} : img.colourAt(x, y));
            alpha.push_back(clear ? 0 : 255);
        }
    return pngFile(n, colours, alpha);
}

// The icon drawn at `size` with its disc's edge smoothed by partial alpha, for the sizes the
// window icon has no image of.
Bytes smoothIconPng(int size) {
    const IconDrawing d = drawIcon(size);
    return pngFile(size, d.shades, d.alpha);
}

// ---------------------------------------------------------------------------------------------
// The icon as a scalable picture: the same shapes as iconGeometry(256) gives, 256 units square.

std::string svgNumber(int units) {
    // Sub-pixel units are eighths, so three decimals are exact.
    std::string text = units < 0 ? "-" : "";
    const int v = units < 0 ? -units : units;
    text += std::to_string(v / sub);
    if (const int rest = v % sub * 1000 / sub; rest != 0) {
        std::string digits = std::to_string(rest);
        digits.insert(0, 3 - digits.size(), '0');
        while (digits.back() == '0')
            digits.pop_back();
        text += '.' + digits;
    }
    return text;
}

std::string svgColour(Rgb c) {
    static const char hex[] = "0123456789abcdef";
    std::string text = "#";
    for (int v : {c.r, c.g, c.b}) {
        text += hex[v >> 4];
        text += hex[v & 15];
    }
    return text;
}

std::string svgPoints(const Point (&points)[3]) {
    std::string text;
    for (const Point &p : points)
        text += (text.empty() ? "" : " ") + svgNumber(p.x) + "," + svgNumber(p.y);
    return text;
}

Bytes svgFile() {
    constexpr int size = 256;
    const IconGeometry g = iconGeometry(size);
    const std::string top = svgNumber(sub / 2);              // the first row's centre
    const std::string bottom = svgNumber(u(size) - sub / 2); // the last row's
    const Point from = polar(g.centre, g.highlightRadius, 180);
    const Point to = polar(g.centre, g.highlightRadius, 100);
    const std::string r = svgNumber(g.highlightRadius);
    const std::string text =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
        "viewBox=\"0 0 256 256\">\n"
        "  <defs>\n"
        "    <linearGradient id=\"disc\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" +
        top + "\" x2=\"0\" y2=\"" + bottom + "\">\n" + "      <stop offset=\"0\" stop-color=\"" +
        svgColour(iconDiscTop) + "\"/>\n" + "      <stop offset=\"1\" stop-color=\"" +
        svgColour(iconDiscBottom) + "\"/>\n" + "    </linearGradient>\n" +
        "    <linearGradient id=\"triangle\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" +
        top + "\" x2=\"0\" y2=\"" + bottom + "\">\n" + "      <stop offset=\"0\" stop-color=\"" +
        svgColour(iconTriTop) + "\"/>\n" + "      <stop offset=\"1\" stop-color=\"" +
        svgColour(iconTriBottom) + "\"/>\n" + "    </linearGradient>\n" + "  </defs>\n" +
        "  <circle cx=\"" + svgNumber(g.centre.x) + "\" cy=\"" + svgNumber(g.centre.y) + "\" r=\"" +
        svgNumber(g.radius) + "\" fill=\"" + svgColour(iconRim) + "\"/>\n" + "  <circle cx=\"" +
        svgNumber(g.centre.x) + "\" cy=\"" + svgNumber(g.centre.y) + "\" r=\"" +
        svgNumber(g.radius - g.rim) + "\" fill=\"url(#disc)\"/>\n" + "  <polygon points=\"" +
        svgPoints(g.triangle) + "\" fill=\"" + svgColour(iconTriEdge) + "\"/>\n" +
        "  <polygon points=\"" + svgPoints(g.inner) + "\" fill=\"url(#triangle)\"/>\n" +
        "  <path d=\"M " + svgNumber(from.x) + "," + svgNumber(from.y) + " A " + r + "," + r +
        " 0 0 1 " + svgNumber(to.x) + "," + svgNumber(to.y) +
        "\" fill=\"none\" stroke=\"#ffffff\" stroke-opacity=\"0.275\" stroke-width=\"" +
        svgNumber(g.highlightWidth) + "\"/>\n" + "</svg>\n";
    return Bytes(text.begin(), text.end());
}

bool writeFile(const std::filesystem::path &path, const Bytes &data) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
    f.close();
    if (!f) {
        std::cerr << "cannot write " << path.string() << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: " << (argc > 0 ? argv[0] : "generate_assets") << " OUTPUT_DIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);

    const std::vector<IconImage> mainImages = {iconPalette(32, 8), iconOneBit(), iconPalette(16, 4),
                                               iconTrueColour(16), iconTrueColour(48)};
    // The logo at its own size and for screens of 1.5 and 2 device pixels per pixel, with the
    // resolution each of them has at its scale (3780 pixels per metre is 96 per inch).
    bool ok = writeFile(dir / "logo.bmp", bitmapFile(drawLogo(), 3780)) &&
              writeFile(dir / "logo@1.5x.bmp", bitmapFile(drawLogo(3, 2), 5670)) &&
              writeFile(dir / "logo@2x.bmp", bitmapFile(drawLogo(2, 1), 7560)) &&
              writeFile(dir / "main.ico", iconFile(mainImages)) &&
              writeFile(dir / "calculator.ico", iconFile({mainImages[0]})) &&
              writeFile(dir / "icon-16.png", pngFile(mainImages[3])) &&
              writeFile(dir / "icon-32.png", pngFile(mainImages[0])) &&
              writeFile(dir / "icon-48.png", pngFile(mainImages[4])) &&
              writeFile(dir / "icon.svg", svgFile());
    for (int size : {24, 64, 128, 256})
        ok = ok && writeFile(dir / ("icon-" + std::to_string(size) + ".png"), smoothIconPng(size));
    return ok ? 0 : 1;
}
