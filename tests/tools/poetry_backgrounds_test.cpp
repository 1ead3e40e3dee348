// The ten poetry-book backgrounds of the built archive leave the
// questionnaire readable: no picture lies under its captions and answer
// fields, and the colours the poetry page uses over each background stand out
// from what lies under them, at the page shapes of the school screens.
#include "bogbaggrund.h"
#include "bogform.h"
#include "canvas.h"
#include "chrome.h"
#include "drawing.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

// As the poetry page places them, in design units (640 x 450 with the left
// column 89 wide).
constexpr int kColumn = 89, kCaptionRight = kBogCaptionRight, kEditLeft = kBogEditLeft, kRowTop = kBogRowTop,
              kRowStep = kBogRowStep, kRowHeight = kBogRowHeight;
// Pictures keep this much air right of a field, so none seems to touch it.
constexpr int kAir = 20;

// The page's colours (0x00BBGGRR) as RGB.
QRgb rgb(Colour c)
{
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// How a screen shows the page: the design scaled by s, the background drawn
// over the screen's width less the column and over the design box's height.
// Scaled by the height on a screen narrower than the design, the
// questionnaire reaches further into the background than the design's own
// proportions let it.
struct Shape {
    const char* name;
    int screenWidth;
    double s;
    int boxHeight;
};
constexpr std::array<Shape, 4> kShapes = {{
    {"design 640 x 450", 640, 1.0, 450},
    {"1280 x 1024 by height", 1280, 1024 / 450.0, 1024},
    {"1024 x 768", 1024, 768 / 450.0, 768},
    {"1920 x 1080", 1920, 2.4, 1080},
}};

int scaled(double s, double v)
{
    return int(std::lround(v * s));
}

double linear(int c)
{
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double luminance(QRgb c)
{
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

// The usual contrast ratio of text and its ground, 1 to 21.
double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// CIE 1976 colour difference (D65): about 2 is just visible, over 20 plainly
// another colour.
std::array<double, 3> lab(QRgb c)
{
    const double r = linear(qRed(c)), g = linear(qGreen(c)), b = linear(qBlue(c));
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double deltaE(QRgb a, QRgb b)
{
    const auto p = lab(a), q = lab(b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

// What the questionnaire finds under it on one background at one shape.
struct Findings {
    int edges = 0;              // pixels that differ clearly from a neighbour
    QPoint firstEdge{-1, -1};   // in background pixels
    double captionContrast = 99;
    double fieldDifference = 999;
};

Findings examine(const QImage& img, const Shape& shape, const BogBaggrund& b)
{
    Findings f;
    const double s = shape.s;
    const int col = scaled(s, kColumn);
    QRgb lastCaption = 0, lastField = 0;   // opaque colours never equal 0
    const QRgb caption = rgb(b.tekst), field = rgb(b.felt);
    for (int i = 0; i < kBogRows; ++i) {
        const int top = scaled(s, kRowTop + kRowStep * i), bottom = scaled(s, kRowTop + kRowStep * i + kRowHeight);
        const int captionRight = scaled(s, kCaptionRight) - col, editLeft = scaled(s, kEditLeft) - col;
        const int editRight = scaled(s, kEditLeft + BogRows()[std::size_t(i)].width) - col;
        // The calm block: the row from the column to a little beyond its
        // field, with the captions' shadow and a pixel round it.
        const int x1 = std::min(img.width(), editRight + scaled(s, kAir));
        const int y0 = std::max(0, top - 2), y1 = std::min(img.height(), bottom + 3);
        for (int y = y0; y < y1; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            const auto* above = reinterpret_cast<const QRgb*>(img.constScanLine(std::max(y0, y - 1)));
            for (int x = 0; x < x1; ++x) {
                const QRgb p = line[x];
                for (QRgb n : {line[std::max(0, x - 1)], above[x]}) {
                    const int d = std::max({std::abs(qRed(p) - qRed(n)), std::abs(qGreen(p) - qGreen(n)),
                                            std::abs(qBlue(p) - qBlue(n))});
                    if (d > 24) {
                        if (f.edges++ == 0)
                            f.firstEdge = {x, y};
                        break;
                    }
                }
                // The ground repeats along a row: measure each colour once.
                if (x < captionRight) {
                    if (p != lastCaption)
                        f.captionContrast = std::min(f.captionContrast, contrast(caption, p));
                    lastCaption = p;
                } else if (x >= editLeft && x < editRight) {
                    if (p != lastField)
                        f.fieldDifference = std::min(f.fieldDifference, deltaE(field, p));
                    lastField = p;
                }
            }
        }
    }
    return f;
}

} // namespace

TEST(PoetryBackgrounds, TheQuestionnaireLiesOnACalmGroundItsColoursStandOutFrom)
{
    for (const Shape& shape : kShapes) {
        const int w = shape.screenWidth - scaled(shape.s, kColumn), h = shape.boxHeight;
        InitDrawing();
        Drawing().PageWidth = w;
        Drawing().PageHeight = h;
        std::string why;
        ASSERT_TRUE(LoadDataArchive(TINKELI_BIN_DIR "/tinkeli.BIN", &why)) << why;
        QImage img(w, h, QImage::Format_RGB32);
        for (int n = 1; n <= kBaggrundCount; ++n) {
            const BogBaggrund& b = Baggrund(n);
            SCOPED_TRACE(std::string(b.layout) + ", " + shape.name);
            ASSERT_NE(FindLayout(b.layout), nullptr);
            img.fill(Qt::white);
            {
                Canvas c(&img);
                DrawPageLayout(c, b.layout);
            }
            const Findings f = examine(img, shape, b);
            EXPECT_EQ(f.edges, 0) << "a picture under the questionnaire, first at background pixel ("
                                  << f.firstEdge.x() << ", " << f.firstEdge.y() << ")";
            // 4.5 is enough for ordinary text; a little more for readers
            // of six, whatever the shadow adds.
            EXPECT_GE(f.captionContrast, 5.0) << "captions fade into the ground";
            EXPECT_GE(f.fieldDifference, 20.0) << "answer fields fade into the ground";
        }
        DoneDrawing();
    }
}
