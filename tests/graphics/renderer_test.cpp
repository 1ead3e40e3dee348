// The picture renderer and the canvas under it: mapping arithmetic, mirror
// and angle, the key colour, the pattern cache, and small pixel grids.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"
#include "drawing.h"
#include "renderer.h"
#include "sample_archive.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Page(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

/// '#' for pixels of colour \a on, 'o' for \a off, '.' for white.
std::vector<std::string> Grid(const QImage& img, QRgb on, QRgb off)
{
    std::vector<std::string> rows;
    for (int y = 0; y < img.height(); ++y) {
        std::string r;
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            r += p == on ? '#' : p == off ? 'o' : p == kWhite ? '.' : '?';
        }
        rows.push_back(r);
    }
    return rows;
}

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override { InitDrawing(); }
    void TearDown() override { DoneDrawing(); }

    void Use(std::vector<Picture> pictures)
    {
        DataArchive a;
        a.Fills = Drawing().Fills;
        a.Pictures = std::move(pictures);
        UseDataArchive(std::move(a));
    }
};

} // namespace

TEST_F(RendererTest, PatternBrushRepeatsFromTheCanvasOrigin)
{
    Drawing().Fills[0] = {0, 215, 12};   // the staircase tile on near-black
    RebuildFillTiles();
    QImage img = Page(12, 10);
    {
        Canvas c(&img);
        SelectPattern(1);
        c.SetPatternBrush(SelectedPatternBrush());
        c.FillRect({2, 1, 10, 9});
    }
    const std::vector<std::string> expected = {
        "............",
        "..oooooo##..",
        "..#ooooo##..",
        "..##oooo##..",
        "..###ooo##..",
        "..####oo##..",
        "..#####o##..",
        "..########..",
        "..oooooo#o..",
        "............",
    };
    // White tile pixels and the white page look alike: compare the dark ones.
    const auto dark = Grid(img, qRgb(4, 4, 4), 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(dark[y][x] == '#', expected[y][x] == 'o') << x << "," << y;
}

TEST_F(RendererTest, CanvasBoxConvention)
{
    QImage img = Page(8, 6);
    {
        Canvas c(&img);
        c.SetPen(0x000000, 1, PenStyle::Solid);
        c.SetSolidBrush(0x0000FF);
        c.Rectangle(6, 5, 1, 1);   // inverted: drawn as (1, 1, 6, 5)
    }
    const std::vector<std::string> expected = {
        "........",
        ".#####..",
        ".#ooo#..",
        ".#ooo#..",
        ".#####..",
        "........",
    };
    EXPECT_EQ(Grid(img, qRgb(0, 0, 0), qRgb(255, 0, 0)), expected);

    img = Page(8, 6);
    {
        Canvas c(&img);
        c.SetPen(0x000000, 2, PenStyle::InsideFrame);   // the pen stays inside the box
        c.SetBrushStyle(BrushStyle::Clear);
        c.Rectangle(1, 0, 7, 6);
    }
    const std::vector<std::string> frame = {
        ".######.",
        ".######.",
        ".##..##.",
        ".##..##.",
        ".######.",
        ".######.",
    };
    EXPECT_EQ(Grid(img, qRgb(0, 0, 0), 1), frame);
}

TEST_F(RendererTest, CanvasPolygonAlternateAndNotXor)
{
    // A pentagram filled with the alternate rule leaves its centre empty.
    QImage img = Page(41, 41);
    const QPoint star[5] = {{20, 0}, {32, 40}, {0, 14}, {40, 14}, {8, 40}};
    {
        Canvas c(&img);
        c.SetPen(0, 1, PenStyle::Invisible);
        c.SetSolidBrush(0x000000);
        c.Polygon(star, 5);
    }
    EXPECT_EQ(img.pixel(20, 22), kWhite);
    EXPECT_EQ(img.pixel(20, 8), qRgb(0, 0, 0));
    // Not-xor twice restores what was there.
    QImage before = img.copy();
    {
        Canvas c(&img);
        c.SetPenMode(PenMode::NotXor);
        c.SetPen(0x00FF00, 1, PenStyle::Solid);
        c.Line(0, 20, 40, 20);
        EXPECT_NE(img, before);
        c.Line(0, 20, 40, 20);
    }
    EXPECT_EQ(img, before);
}

TEST_F(RendererTest, SinglePointBoundsMapWithoutDividingByZero)
{
    // A vertical line: its bounds are 0 wide, so srcW counts as 1 and the
    // line lands on the centre of the rectangle.
    Picture p = sample::VectorPicture("strek", {sample::Element(kKindLine, {5, 5, 5, 9}, 0, false, 1)});
    Use({p});
    QImage img = Page(20, 20);
    {
        Canvas c(&img);
        DrawPicture(c, "strek", {0, 0, 20, 20}, false, 0, 49, 0);
    }
    const QPoint* mapped = Drawing().WorkIntPoints.data();
    EXPECT_EQ(mapped[0], QPoint(10, 2));    // round(-2 * 19 / 5 + 10) = round(2.4)
    EXPECT_EQ(mapped[1], QPoint(10, 18));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(img.pixel(x, y) != kWhite, x == 10 && y >= 2 && y <= 18) << x << "," << y;
}

TEST_F(RendererTest, MirroredEllipseBoxIsPassedInverted)
{
    Picture p = sample::VectorPicture("oval", {sample::Element(kKindEllipse, {0, 0, 10, 6}, 49, true, 0)});
    Use({p});
    auto span = [](const QImage& img, int y) {
        int l = -1, r = -1;
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == qRgb(255, 0, 0)) {
                if (l < 0)
                    l = x;
                r = x;
            }
        return std::pair{l, r};
    };
    QImage plain = Page(22, 14), mirrored = Page(22, 14);
    {
        Canvas c(&plain);
        DrawPicture(c, "oval", {0, 0, 22, 14}, false, 0, 49, 0x0000FF);
    }
    {
        Canvas c(&mirrored);
        DrawPicture(c, "oval", {0, 0, 22, 14}, true, 0, 49, 0x0000FF);
    }
    // Mapped corners (1, 1) and (21, 13); the box is (X0 + 1, Y0 + 1, X1 - 1,
    // Y1 - 1) as the corners stand, so under mirror (22, 2, 0, 12): 2 wider.
    EXPECT_EQ(span(plain, 7), (std::pair{2, 19}));
    EXPECT_EQ(span(mirrored, 7), (std::pair{0, 21}));
}

TEST_F(RendererTest, KeyColourOnlyForFilledKeyFill)
{
    Picture p = sample::VectorPicture(
        "tre", {sample::Element(kKindRectangle, {2, 2, 30, 27}, 49, true, 1, 0x0000FF),
                sample::Element(kKindRectangle, {35, 2, 63, 27}, 5, true, 1, 0x0000FF),
                sample::Element(kKindRectangle, {68, 2, 96, 27}, 49, false, 1, 0xFF0000)});
    p.Vector.Bounds = {0, 0, 99, 29};
    Use({p});
    QImage img = Page(100, 30);
    {
        Canvas c(&img);
        // With this rectangle the mapping is the identity.
        DrawPicture(c, "tre", {-1, -1, 100, 30}, false, 0, 49, 0x00FF00);
    }
    EXPECT_EQ(img.pixel(16, 14), qRgb(0, 255, 0));     // key fill, key colour
    EXPECT_EQ(img.pixel(2, 14), qRgb(255, 0, 0));      // its outline keeps its colour
    EXPECT_EQ(img.pixel(30, 14), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(49, 14), qRgb(0, 0, 51));      // fill 5 is cube colour 36
    EXPECT_EQ(img.pixel(82, 14), kWhite);              // unfilled, even with fill 49
    EXPECT_EQ(img.pixel(68, 14), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(1, 14), kWhite);
}

TEST_F(RendererTest, StretchedNotLetterboxed)
{
    Picture p = sample::VectorPicture("kvadrat", {sample::Element(kKindRectangle, {0, 0, 9, 9}, 49, true, 0)});
    Use({p});
    QImage img = Page(12, 42);
    {
        Canvas c(&img);
        DrawPicture(c, "kvadrat", {0, 0, 12, 42}, false, 0, 49, 0x00FF00);
    }
    // Corners map to (1, 3) and (11, 39): a tall rectangle, not a square.
    for (int y = 0; y < 42; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(img.pixel(x, y) == qRgb(0, 255, 0), x >= 1 && x <= 10 && y >= 3 && y <= 38) << x << "," << y;
}

TEST_F(RendererTest, TurnedAndMirroredIsSymmetric)
{
    Picture p = sample::VectorPicture(
        "skaev", {sample::Element(kKindPolygon, {0, 0, 30, 20}, 49, true, 1), sample::Element(kKindEllipse, {3, 4, 12, 9}, 49, true, 1)});
    p.Vector.Elements[0].Points = {{0, 0}, {30, 5}, {8, 20}};
    Use({p});
    auto mapped = [&](bool mirror, int angle) {
        QImage img = Page(42, 42);
        Canvas c(&img);
        DrawPicture(c, "skaev", {0, 0, 42, 42}, mirror, angle, 49, 0x00FF00);
        return std::vector<QPoint>(Drawing().WorkIntPoints.begin(), Drawing().WorkIntPoints.begin() + 3 + 48);
    };
    const auto a = mapped(false, 10);
    const auto b = mapped(true, -10);
    // The rectangle shrunk by the margin is (1, 1, 41, 41): centre x 21.
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].x() + b[i].x(), 42) << i;
        EXPECT_EQ(a[i].y(), b[i].y()) << i;
    }
    EXPECT_NE(mapped(false, 10), mapped(false, -10));
}

TEST_F(RendererTest, PatternCacheCopiesOnce)
{
    DrawingTables& d = Drawing();
    ResetPatternCache();
    const long start = d.PatternCopies;
    SelectPattern(5);
    SelectPattern(5);
    EXPECT_EQ(d.PatternCopies, start + 1);
    EXPECT_EQ(d.PatternKey, 5);
    EXPECT_EQ(d.PatternTile.pixel(3, 3), d.TileStrip.pixel(3, 8 * 4 + 3));
    SelectPattern(6);
    SelectPattern(5);
    EXPECT_EQ(d.PatternCopies, start + 3);
    ResetPatternCache();
    SelectPattern(5);
    EXPECT_EQ(d.PatternCopies, start + 4);
    SelectPattern(0);   // outside the table: a black tile, no crash
    EXPECT_EQ(d.PatternTile.pixel(0, 0), qRgb(0, 0, 0));

    // Two elements with the same fill in a row: one copy.
    Use({sample::VectorPicture("to", {sample::Element(kKindRectangle, {0, 0, 5, 5}, 7, true, 0),
                                      sample::Element(kKindRectangle, {5, 5, 9, 9}, 7, true, 0)})});
    QImage img = Page(10, 10);
    Canvas c(&img);
    const long before = d.PatternCopies;
    DrawPicture(c, "to", {0, 0, 10, 10}, false, 0, 49, 0);
    EXPECT_EQ(d.PatternCopies, before + 1);
}

TEST_F(RendererTest, NothingForUnknownOrCellPictures)
{
    Picture cell;
    cell.Kind = 0;
    cell.Name = "celle";
    Use({cell, sample::VectorPicture("tom", {})});
    QImage img = Page(10, 10);
    const QImage blank = img.copy();
    {
        Canvas c(&img);
        DrawPicture(c, "celle", {0, 0, 10, 10}, false, 0, 49, 0);
        DrawPicture(c, "tom", {0, 0, 10, 10}, false, 0, 49, 0);
        DrawPicture(c, "ingen", {0, 0, 10, 10}, true, 5, 49, 0);
        DrawPicturePlain(c, "ingen", {0, 0, 10, 10});
    }
    EXPECT_EQ(img, blank);
}

TEST_F(RendererTest, EllipsePoints)
{
    PointF pts[48];
    EllipsePoints({10, 20, 30, 60}, pts);
    EXPECT_DOUBLE_EQ(pts[0].x, 30);
    EXPECT_DOUBLE_EQ(pts[0].y, 40);
    EXPECT_NEAR(pts[12].x, 20, 1e-12);
    EXPECT_NEAR(pts[12].y, 60, 1e-12);
    EXPECT_NEAR(pts[24].x, 10, 1e-12);
    EXPECT_NEAR(pts[36].y, 20, 1e-12);
}
