// The span filler under the canvas: the same pixels as QPainter's aliased
// fills, boxes around word sizes, holes, clips, pattern alignment, wide pens,
// and no allocation once warm.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"
#include "drawing.h"
#include "renderer.h"
#include "spanfill.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <random>

// Counts allocations, so a test can show that a warm paint path makes none.
namespace {
std::atomic<long> g_allocations{0};
}
void* operator new(std::size_t n)
{
    ++g_allocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr QRgb kInk = 0xFF000000;

QImage White(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

spanfill::Target TargetOf(QImage& img)
{
    return {reinterpret_cast<std::uint32_t*>(img.bits()), img.bytesPerLine() / 4, img.rect(), img.rect()};
}

std::vector<std::string> Grid(const QImage& img)
{
    std::vector<std::string> rows;
    for (int y = 0; y < img.height(); ++y) {
        std::string r;
        for (int x = 0; x < img.width(); ++x)
            r += img.pixel(x, y) == kInk ? '#' : img.pixel(x, y) == 0xFFFFFFFF ? '.' : 'o';
        rows.push_back(r);
    }
    return rows;
}

QImage PainterPolygon(const std::vector<QPoint>& pts, int w, int h)
{
    QImage img = White(w, h);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(pts.data(), int(pts.size()), Qt::OddEvenFill);
    return img;
}

QImage FilledPolygon(const std::vector<QPoint>& pts, int w, int h)
{
    QImage img = White(w, h);
    spanfill::Paint ink;
    ink.colour = kInk;
    spanfill::SharedFiller().Polygon(TargetOf(img), pts.data(), int(pts.size()), {0, 0}, ink);
    return img;
}

} // namespace

TEST(SpanFill, PolygonsCoverWhatQPainterCovers)
{
    // Random polygons, partly off the image, with diagonals whose crossings
    // fall on pixel centres: the same pixels, every one.
    std::mt19937 rng(7);
    for (int i = 0; i < 400; ++i) {
        const int n = 3 + int(rng() % 9);
        std::vector<QPoint> pts;
        for (int k = 0; k < n; ++k)
            pts.emplace_back(int(rng() % 60) - 6, int(rng() % 60) - 6);
        ASSERT_EQ(FilledPolygon(pts, 48, 48), PainterPolygon(pts, 48, 48)) << "polygon " << i;
    }
    // 45-degree sides at the boundary sizes.
    for (int s : {7, 8, 9, 15, 16, 17}) {
        const std::vector<QPoint> diamond = {{s, 0}, {2 * s, s}, {s, 2 * s}, {0, s}};
        EXPECT_EQ(FilledPolygon(diamond, 36, 36), PainterPolygon(diamond, 36, 36)) << s;
    }
}

TEST(SpanFill, ManyEdgedPolygonsInAClipCoverWhatQPainterCovers)
{
    // Rings and stars of many points, crossing themselves, starting above
    // and ending below the clip: the rows are filled in bands between edge
    // ends, and the clip cuts into bands. Boundary sizes for the clip.
    std::mt19937 rng(11);
    for (int i = 0; i < 300; ++i) {
        const int n = 8 + int(rng() % 40);
        const double cx = int(rng() % 50) - 5, cy = int(rng() % 50) - 5;
        const double r0 = 3 + int(rng() % 30), r1 = 1 + int(rng() % 30);
        std::vector<QPoint> pts;
        for (int k = 0; k < n; ++k) {
            const double a = 6.2832 * k / n + (i % 3 == 0 ? int(rng() % 5) * 0.3 : 0);
            const double r = k % 2 ? r0 : r1;
            pts.emplace_back(int(cx + r * std::cos(a)), int(cy + r * std::sin(a)));
        }
        const int s = std::array{7, 8, 9, 15, 16, 17}[std::size_t(i % 6)];
        const QRect clip(int(rng() % 10), int(rng() % 10), 2 * s, s + int(rng() % 20));
        QImage expected = White(48, 48);
        {
            QPainter p(&expected);
            p.setClipRect(clip);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawPolygon(pts.data(), int(pts.size()), Qt::OddEvenFill);
        }
        QImage img = White(48, 48);
        spanfill::Target t = TargetOf(img);
        t.clip = clip & img.rect();
        spanfill::Paint ink;
        ink.colour = kInk;
        spanfill::SharedFiller().Polygon(t, pts.data(), int(pts.size()), {0, 0}, ink);
        ASSERT_EQ(img, expected) << "polygon " << i;
    }
}

TEST(SpanFill, PolygonWithHoleAlternates)
{
    // One outline that runs round a square, across, and round a smaller one
    // inside: the alternate rule leaves the inner square empty.
    const std::vector<QPoint> ring = {{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 0}, {3, 3}, {3, 6}, {6, 6}, {6, 3}, {3, 3}};
    const QImage img = FilledPolygon(ring, 10, 10);
    const std::vector<std::string> expected = {
        "#########.",
        "#########.",
        "#########.",
        "###...###.",
        "###...###.",
        "###...###.",
        "#########.",
        "#########.",
        "#########.",
        "..........",
    };
    EXPECT_EQ(Grid(img), expected);
    EXPECT_EQ(img, PainterPolygon(ring, 10, 10));
}

TEST(SpanFill, InsideFrameAtWordSizes)
{
    // Rectangles 7, 8, 9, 15, 16, 17 wide with a 2-pixel inside-frame pen:
    // the pen's outer 2 pixels, the brush in the rest, nothing outside.
    for (int s : {7, 8, 9, 15, 16, 17}) {
        QImage img = White(s + 4, s + 4);
        {
            Canvas c(&img);
            c.SetPen(0x000000, 2, PenStyle::InsideFrame);
            c.SetSolidBrush(0x0000FF);
            c.Rectangle(2, 2, 2 + s, 2 + s);
        }
        for (int y = 0; y < s + 4; ++y)
            for (int x = 0; x < s + 4; ++x) {
                const bool in = x >= 2 && x < 2 + s && y >= 2 && y < 2 + s;
                const bool pen = in && (x < 4 || y < 4 || x >= s || y >= s);
                const QRgb want = !in ? 0xFFFFFFFF : pen ? kInk : qRgb(255, 0, 0);
                ASSERT_EQ(img.pixel(x, y), want) << s << ": " << x << "," << y;
            }
    }
    QImage img = White(9, 7);
    {
        Canvas c(&img);
        c.SetPen(0x000000, 3, PenStyle::InsideFrame);
        c.SetBrushStyle(BrushStyle::Clear);
        c.Ellipse(0, 0, 9, 7);
    }
    // Three pixels of a box seven high leave one row of the inner ellipse.
    const std::vector<std::string> ring = {
        "..#####..",
        ".#######.",
        "#########",
        "###...###",
        "#########",
        ".#######.",
        "..#####..",
    };
    EXPECT_EQ(Grid(img), ring);
}

TEST(SpanFill, PatternStaysOnTheCanvasGridAndClipHolds)
{
    InitDrawing();
    Drawing().Fills[0] = {0, 215, 12};   // the staircase tile
    RebuildFillTiles();
    SelectPattern(1);
    const QImage tile = Drawing().PatternTile.copy();
    QImage img = White(17, 17);
    {
        Canvas c(&img);
        c.SetOrigin(3, 5);   // shapes move, the pattern does not
        c.SetPen(0, 1, PenStyle::Invisible);
        c.SetPatternBrush(SelectedPatternBrush());
        c.SetClipRect({-3, -5, 9, 7});   // device (0, 0, 12, 12)
        const QPoint tri[3] = {{-3, -5}, {14, -5}, {-3, 12}};
        c.Polygon(tri, 3);
    }
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x) {
            const bool inside = x < 12 && y < 12 && x + y < 17;
            EXPECT_EQ(img.pixel(x, y), inside ? tile.pixel(x & 7, y & 7) : 0xFFFFFFFF) << x << "," << y;
        }
    // A clip of two boxes goes through the painter and holds as well.
    img = White(12, 4);
    {
        Canvas c(&img);
        c.SetClipRegion(QRegion(0, 0, 3, 4) + QRegion(8, 0, 4, 4));
        c.SetSolidBrush(0x000000);
        c.FillRect({0, 0, 12, 4});
        c.SetPen(0x000000, 1, PenStyle::Solid);
        c.Line(0, 2, 12, 2);
    }
    EXPECT_EQ(Grid(img)[1], "###.....####");
    DoneDrawing();
}

TEST(SpanFill, WideLinesHaveRoundEnds)
{
    QImage img = White(13, 9);
    {
        Canvas c(&img);
        c.SetPen(0x000000, 5, PenStyle::InsideFrame);
        c.Line(4, 4, 8, 4);
    }
    // The points are pixel corners, as for fills: the band runs from y 1.5
    // to 6.5 and the ends are discs 2.5 round (this is QPainter's result too).
    const std::vector<std::string> expected = {
        ".............",
        ".............",
        "..########...",
        "..########...",
        "..########...",
        "..########...",
        "....####.....",
        ".............",
        ".............",
    };
    EXPECT_EQ(Grid(img), expected);
}

TEST(SpanFill, ThinOutlinesAndRamps)
{
    // A one-pixel outline of a box, and a one-colour-per-column ramp that
    // repeats past its end.
    QImage img = White(8, 5);
    {
        Canvas c(&img);
        c.SetPen(0x000000, 1, PenStyle::Solid);
        const QPoint box[4] = {{1, 0}, {6, 0}, {6, 4}, {1, 4}};
        c.SetBrushStyle(BrushStyle::Clear);
        c.Polygon(box, 4);
    }
    const std::vector<std::string> frame = {
        ".######.",
        ".#....#.",
        ".#....#.",
        ".#....#.",
        ".######.",
    };
    EXPECT_EQ(Grid(img), frame);

    const QRgb ramp[3] = {qRgb(1, 0, 0), qRgb(2, 0, 0), qRgb(3, 0, 0)};
    img = White(8, 1);
    {
        Canvas c(&img);
        ASSERT_TRUE(c.BeginRamp(ramp, 3, 2, false));
        c.FillRect({0, 0, 8, 1});
        c.EndRamp();
    }
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(qRed(img.pixel(x, 0)), 1 + (x + 1) % 3) << x;
    QImage widgetLike(4, 4, QImage::Format_RGB16);
    Canvas c(&widgetLike);
    EXPECT_FALSE(c.BeginRamp(ramp, 3, 0, false));   // the caller draws another way
}

TEST(SpanFill, WarmPaintPathAllocatesNothing)
{
    QImage img = White(200, 200);
    Canvas c(&img);
    std::vector<QPoint> star;
    for (int k = 0; k < 40; ++k)
        star.emplace_back(100 + (k % 2 ? 40 : 95) * std::cos(k * 0.157), 100 + (k % 2 ? 40 : 95) * std::sin(k * 0.157));
    auto paint = [&] {
        c.SetPen(0x112233, 1, PenStyle::Invisible);
        c.SetSolidBrush(0x445566);
        c.Polygon(star.data(), int(star.size()));
        c.SetPen(0x112233, 3, PenStyle::InsideFrame);
        c.Ellipse(10, 10, 120, 90);
        c.Polyline(star.data(), int(star.size()));
        c.RoundRect(20, 20, 180, 180, 30, 30);
        c.FillRect({0, 0, 200, 200});
    };
    paint();   // the work lists grow to size
    const long before = g_allocations;
    for (int i = 0; i < 5; ++i)
        paint();
    EXPECT_EQ(g_allocations - before, 0);
}
