// Gradient ramps and fills, page layouts, the bitmap helpers, the lenient
// number reader and the QString boundary of the codec.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "qansi.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<QRgb> Ramp(Colour a, Colour b, bool mirrored, int L)
{
    std::vector<QRgb> r(static_cast<std::size_t>(L));
    GradientRamp(a, b, mirrored, L, r.data());
    return r;
}

int Red(QRgb c) { return qRed(c); }

} // namespace

TEST(Ramps, LinearAndMirrored)
{
    // Red channel 0 -> 100 (colours are 0x00BBGGRR).
    const auto lin = Ramp(0, 100, false, 4);
    EXPECT_EQ(Red(lin[0]), 0);
    EXPECT_EQ(Red(lin[1]), 25);
    EXPECT_EQ(Red(lin[3]), 75);   // B itself is never reached
    const auto down = Ramp(100, 0, false, 3);
    EXPECT_EQ(Red(down[1]), 67);  // 100 + MulDiv(1, -100, 3): -33.3 -> -33

    const auto odd = Ramp(0, 100, true, 5);
    std::vector<int> r;
    for (QRgb c : odd)
        r.push_back(Red(c));
    EXPECT_EQ(r, (std::vector<int>{0, 50, 100, 50, 0}));   // the middle is B
    const auto even = Ramp(0, 100, true, 6);
    r.clear();
    for (QRgb c : even)
        r.push_back(Red(c));
    EXPECT_EQ(r, (std::vector<int>{0, 33, 100, 100, 33, 0}));   // L div 2 is B, the halves mirror
    EXPECT_EQ(Red(Ramp(40, 100, true, 1)[0]), 40);              // length 1: A
    EXPECT_EQ(Red(Ramp(40, 100, false, 1)[0]), 40);
    EXPECT_EQ(Ramp(0x0000FF, 0xFF0000, false, 2)[1], qRgb(127, 0, 128));   // MulDiv: halves away from zero
}

TEST(Ramps, MulDiv)
{
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(5, 3, 4), 4);
    EXPECT_EQ(MulDiv(2000000000, 3, 3), 2000000000);   // 64-bit intermediate
    EXPECT_EQ(MulDiv(7, 1, 0), -1);
    // A negative divisor: -3.5 goes away from zero as well.
    EXPECT_EQ(MulDiv(7, 1, -2), -4);
    EXPECT_EQ(MulDiv(-7, 1, -2), 4);
    EXPECT_EQ(MulDiv(-7, 3, 2), -11);   // -10.5
    // A result beyond 32 bits is -1, both ways.
    EXPECT_EQ(MulDiv(2000000000, 3, 2), -1);
    EXPECT_EQ(MulDiv(-2000000000, 3, 2), -1);
    EXPECT_EQ(MulDiv(2147483647, 1, 1), 2147483647);
    EXPECT_EQ(MulDiv(-2147483647 - 1, 1, 1), -2147483647 - 1);
}

TEST(Gradients, FillsBoxAndShapes)
{
    QImage img(12, 6, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        Canvas c(&img);
        FillGradient(c, {2, 1, 10, 5}, 0x000000, false, 0x0000FF);
        FillGradientVertical(c, {0, 0, 0, 6}, 0x000000, false, 0x0000FF);   // empty box: nothing
    }
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 2 && x < 10 && y >= 1 && y < 5;
            EXPECT_EQ(img.pixel(x, y), inside ? qRgb(MulDiv(x - 2, 255, 8), 0, 0) : qRgb(255, 255, 255)) << x << "," << y;
        }

    // A vertical gradient only inside an ellipse: the corners keep the canvas.
    img = QImage(20, 20, QImage::Format_RGB32);
    img.fill(qRgb(1, 2, 3));
    {
        Canvas c(&img);
        FillRoundGradientVertical(c, {0, 0, 20, 20}, 0xFF0000, true, false, 0x00FF00);
    }
    EXPECT_EQ(img.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(img.pixel(19, 19), qRgb(1, 2, 3));
    EXPECT_EQ(img.pixel(10, 0), qRgb(0, 0, 255));    // top edge: A (blue)
    EXPECT_EQ(img.pixel(10, 10), qRgb(0, 255, 0));   // middle: B (green)
    EXPECT_EQ(img.pixel(0, 10), qRgb(0, 255, 0));    // the outline counts as inside

    img.fill(qRgb(1, 2, 3));
    const QPoint tri[3] = {{0, 0}, {19, 0}, {0, 19}};
    {
        Canvas c(&img);
        FillPolygonGradient(c, {0, 0, 20, 20}, 0x000000, false, 3, tri, 0xFFFFFF);
    }
    EXPECT_EQ(img.pixel(2, 2), qRgb(26, 26, 26));    // 0 + MulDiv(2, 255, 20) = 25.5 -> 26
    EXPECT_EQ(img.pixel(18, 18), qRgb(1, 2, 3));
}

TEST(Layouts, DrawPageLayout)
{
    InitDrawing();
    DrawingTables& d = Drawing();
    d.Fills[99] = {5, 0, 46};   // horizontal linear gradient, red to black
    DataArchive a;
    a.Fills = d.Fills;
    Layout l;
    l.Name = "\xF8rken";
    l.BackColour = 0x00FF00;
    LayoutElement grad;
    grad.Kind = kKindRectangle;
    grad.Filled = true;
    grad.Fill = 100;
    grad.Bounds = {0, 0, 9, 1};   // drawn over (0, 0, 10, 2)
    l.Elements.push_back(grad);
    LayoutElement frame;
    frame.Kind = kKindRectangle;
    frame.PenWidth = 1;
    frame.Colour = 0xFF0000;
    frame.Bounds = {2, 4, 7, 8};
    l.Elements.push_back(frame);
    LayoutElement empty;
    empty.Kind = kKindText;
    empty.FontName = "Arial";
    empty.PenWidth = 10;
    empty.Bounds = {0, 8, 10, 10};
    l.Elements.push_back(empty);
    a.Layouts.push_back(l);
    UseDataArchive(std::move(a));
    ASSERT_EQ(d.Fills[99].Pattern, 46);

    QImage img(12, 12, QImage::Format_RGB32);
    img.fill(Qt::white);
    QImage again;
    for (int pass = 0; pass < 2; ++pass) {
        Canvas c(&img);
        DrawPageLayout(c, "ørken");
        EXPECT_EQ(c.state().brushStyle, BrushStyle::Solid);
        if (pass == 0)
            again = img.copy();
    }
    EXPECT_EQ(img, again);   // the same twice: nothing is kept between calls
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(5, 1), qRgb(127, 0, 0));       // 255 + MulDiv(5, -255, 10): -127.5 -> -128
    EXPECT_EQ(img.pixel(11, 11), qRgb(0, 255, 0));     // back colour everywhere else
    EXPECT_EQ(img.pixel(2, 4), qRgb(0, 0, 255));       // frame: box (2, 4, 8, 9)
    EXPECT_EQ(img.pixel(7, 8), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(4, 6), qRgb(0, 255, 0));       // no brush inside
    EXPECT_EQ(img.pixel(5, 9), qRgb(0, 255, 0));       // the empty text draws nothing

    // An unknown name: a white brush and black text, nothing drawn.
    {
        Canvas c(&img);
        c.SetSolidBrush(0x123456);
        c.SetFontColour(0xFFFFFF);
        DrawPageLayout(c, "ingen");
        EXPECT_EQ(c.state().brushColour, 0xFFFFFFu);
        EXPECT_EQ(c.state().fontColour, 0x000000u);
    }
    EXPECT_EQ(img, again);
    DoneDrawing();
}

TEST(Layouts, BackColourOnlyWhereNoBandCovers)
{
    // Bands side by side, as layout backgrounds are made: the back colour
    // must show exactly in the pixels that no filled box paints, however the
    // bands are cut.
    InitDrawing();
    DrawingTables& d = Drawing();
    d.Fills[99] = {5, 0, 46};   // red to black: never the green back colour
    const QRgb green = qRgb(0, 255, 0);
    auto band = [](int l, int t, int r, int b) {
        LayoutElement e;
        e.Kind = kKindRectangle;
        e.Filled = true;
        e.Fill = 100;
        e.Bounds = {l, t, r, b};   // inclusive
        return e;
    };
    auto upright = [](int l, int t, int r, int b) {
        LayoutElement e;
        e.Kind = kKindPolygon;
        e.Filled = true;
        e.Fill = 100;
        e.IntPoints = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};   // pixels l..r-1, t..b-1
        return e;
    };
    LayoutElement round = band(0, 0, 11, 11);
    round.Kind = kKindEllipse;
    struct Case {
        const char* name;
        std::vector<LayoutElement> elements;
        std::vector<QPoint> bare;   // where the back colour shows
    };
    const std::vector<Case> cases = {
        {"left band, upright polygon, lower band", {band(0, 0, 5, 11), upright(6, 0, 12, 6), band(6, 6, 11, 11)}, {}},
        // (A gradient polygon paints its outline too, row 6 here.)
        {"a row left between the right bands", {band(0, 0, 5, 11), band(6, 0, 11, 4), upright(6, 6, 12, 12)},
         {{6, 5}, {11, 5}}},
        {"a column left at the right", {band(0, 0, 10, 11)}, {{11, 0}, {11, 11}}},
        {"overlapping bands", {band(0, 0, 8, 5), band(0, 3, 11, 11), band(7, 0, 11, 4)}, {}},
        {"an ellipse leaves its corners", {round}, {{0, 0}, {11, 11}}},
        {"an outline paints no inside", {[&] {
              LayoutElement e = band(0, 0, 11, 11);
              e.Filled = false;
              e.PenWidth = 1;
              return e;
          }()},
         {{1, 1}, {5, 5}, {10, 10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        d.LayoutList.clear();   // an archive adds to what is there
        DataArchive a;
        a.Fills = d.Fills;
        Layout l;
        l.Name = "b\xE5nd";
        l.BackColour = 0x00FF00;
        l.Elements = c.elements;
        a.Layouts.push_back(l);
        UseDataArchive(std::move(a));
        QImage img(12, 12, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            Canvas canvas(&img);
            DrawPageLayout(canvas, "bånd");
        }
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const bool bare = std::find(c.bare.begin(), c.bare.end(), QPoint(x, y)) != c.bare.end();
                if (bare) {
                    EXPECT_EQ(img.pixel(x, y), green) << x << "," << y;
                } else if (c.bare.empty()) {
                    EXPECT_NE(img.pixel(x, y), green) << x << "," << y;
                }
                EXPECT_NE(img.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;   // something painted everywhere
            }
    }
    DoneDrawing();
}

TEST(Layouts, EveryGradientCodeOnRectanglesAndEllipses)
{
    InitDrawing();
    DrawingTables& d = Drawing();
    const Colour a = CubeColour(5), b = CubeColour(30);   // red, green
    const QRgb blue = qRgb(0, 0, 255);
    for (int code : {45, 46, 47, 48})
        for (int kind : {kKindRectangle, kKindEllipse}) {
            SCOPED_TRACE("code " + std::to_string(code) + (kind == kKindEllipse ? ", ellipse" : ", rectangle"));
            d.LayoutList.clear();
            d.Fills[99] = {5, 30, std::uint8_t(code)};
            DataArchive arc;
            arc.Fills = d.Fills;
            Layout l;
            l.Name = "ramper";
            l.BackColour = 0xFF0000;
            LayoutElement e;
            e.Kind = std::uint8_t(kind);
            e.Filled = true;
            e.Fill = 100;
            e.Bounds = {0, 0, 19, 19};   // the box (0, 0, 20, 20)
            l.Elements.push_back(e);
            arc.Layouts.push_back(l);
            UseDataArchive(std::move(arc));
            QImage img(20, 20, QImage::Format_RGB32);
            img.fill(Qt::white);
            {
                Canvas c(&img);
                DrawPageLayout(c, "ramper");
            }
            // 45 and 47 run top to bottom, 47 and 48 have B in the middle.
            const bool vertical = code == 45 || code == 47, mirrored = code == 47 || code == 48;
            const auto ramp = Ramp(a, b, mirrored, 20);
            auto at = [&](int across, int along) {
                return vertical ? img.pixel(across, along) : img.pixel(along, across);
            };
            if (kind == kKindRectangle) {
                for (int along = 0; along < 20; ++along)
                    for (int across = 0; across < 20; ++across)
                        ASSERT_EQ(at(across, along), ramp[std::size_t(along)]) << along << "/" << across;
            } else {
                for (int along = 1; along < 19; ++along)
                    EXPECT_EQ(at(10, along), ramp[std::size_t(along)]) << along;
                for (int across = 1; across < 19; ++across)
                    EXPECT_EQ(at(across, 10), ramp[10]) << across;   // one colour across the ramp
                for (QPoint corner : {QPoint(0, 0), QPoint(19, 0), QPoint(0, 19), QPoint(19, 19)})
                    EXPECT_EQ(img.pixel(corner), blue) << corner.x() << "," << corner.y();
            }
        }
    DoneDrawing();
}

TEST(PageBitmap, MadeOnceWithTheSwatches)
{
    InitDrawing();
    ASSERT_TRUE(CreatePageBitmap(40, 2000));
    const QImage& page = Drawing().PageBitmap;
    EXPECT_EQ(page.size(), QSize(40, 2000));
    EXPECT_EQ(page.pixel(0, 0), qRgb(4, 4, 4));
    EXPECT_EQ(page.pixel(7, 8 * 215), qRgb(255, 255, 255));
    EXPECT_TRUE(CreatePageBitmap(10, 10));   // exists: nothing happens
    EXPECT_EQ(Drawing().PageBitmap.size(), QSize(40, 2000));
    DoneDrawing();
    EXPECT_TRUE(Drawing().PageBitmap.isNull());
    EXPECT_FALSE(CreatePageBitmap(0, 10));
}

TEST(Bitmaps, Blend)
{
    Pixels24 a(2, 1), b(2, 1), out;
    a.data = {0, 100, 255, 10, 20, 30};
    b.data = {255, 0, 255, 10, 21, 31};
    ASSERT_TRUE(BlendBitmaps(a, b, out, 1));
    // MulDiv(a, 1, 2) + MulDiv(b, 1, 2), each rounded; 128 + 128 stays 255.
    EXPECT_EQ(out.data, (std::vector<std::uint8_t>{128, 50, 255, 10, 21, 31}));
    ASSERT_TRUE(BlendBitmaps(a, b, out, 3));
    EXPECT_EQ(out.data[0], 191);   // 0 + MulDiv(255, 3, 4) = 191.25
    EXPECT_EQ(out.data[1], 25);    // MulDiv(100, 1, 4) + 0
    ASSERT_TRUE(BlendBitmaps(a, b, out, 0));
    EXPECT_EQ(out.data, a.data);
    Pixels24 small(1, 1);
    EXPECT_FALSE(BlendBitmaps(a, small, out, 1));
    EXPECT_FALSE(BlendBitmaps(a, b, out, -1));

    QImage qa(3, 2, QImage::Format_RGB32), qb(3, 2, QImage::Format_RGB32), qo;
    qa.fill(qRgb(0, 0, 0));
    qb.fill(qRgb(200, 100, 50));
    ASSERT_TRUE(BlendBitmaps(qa, qb, qo, 1));
    EXPECT_EQ(qo.pixel(2, 1), qRgb(100, 50, 25));

    // A kept 24-bit result is written in place (the tree page blends its
    // bands on every background without allocating) ...
    const uchar* kept = qo.constBits();
    ASSERT_TRUE(BlendBitmaps(qb, qa, qo, 3));
    EXPECT_EQ(qo.constBits(), kept);
    EXPECT_EQ(qo.pixel(0, 0), qRgb(50, 25, 13));   // MulDiv(50, 1, 4) = 12.5 rounds up
    // ... and an input that is also the result still reads as it was.
    QImage same(2, 1, QImage::Format_RGB888);
    same.fill(qRgb(40, 80, 120));
    const QImage copy = same;   // shares the pixels
    ASSERT_TRUE(BlendBitmaps(same, qb.copy(0, 0, 2, 1), same, 1));
    EXPECT_EQ(same.pixel(1, 0), qRgb(120, 90, 85));
    EXPECT_EQ(copy.pixel(1, 0), qRgb(40, 80, 120));
}

TEST(Bitmaps, Resample)
{
    Pixels24 p(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            std::uint8_t* px = p.pixel(x, y);
            px[0] = std::uint8_t(100 * x);
            px[1] = std::uint8_t(200 * y);
            px[2] = 7;
        }
    Pixels24 q = p;
    ASSERT_TRUE(ResampleBitmap(q, 5, 4));
    EXPECT_EQ(q.width, 5);
    EXPECT_EQ(q.height, 4);
    // sx = 5 / 2, sy = 4 / 1: pixel (x, y) samples (0.4 x, 0.25 y).
    EXPECT_EQ(q.pixel(0, 0)[0], 0);
    EXPECT_EQ(q.pixel(0, 0)[1], 0);
    EXPECT_EQ(q.pixel(4, 0)[0], 160);   // 1.6 of the way: 100 * 1.6
    EXPECT_EQ(q.pixel(0, 3)[1], 150);   // 0.75 of 200
    EXPECT_EQ(q.pixel(4, 3)[2], 7);
    EXPECT_EQ(q.pixel(2, 2)[0], 80);

    // One pixel wide or high: no division by zero, nearest neighbour.
    Pixels24 line(1, 3);
    line.pixel(0, 0)[0] = 10;
    line.pixel(0, 1)[0] = 20;
    line.pixel(0, 2)[0] = 30;
    ASSERT_TRUE(ResampleBitmap(line, 4, 3));
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(line.pixel(x, 0)[0], 10);
        EXPECT_EQ(line.pixel(x, 2)[0], 23);   // along y still bilinear: y 1.33
    }
    Pixels24 dot(1, 1);
    dot.pixel(0, 0)[1] = 99;
    ASSERT_TRUE(ResampleBitmap(dot, 3, 2));
    EXPECT_EQ(dot.pixel(2, 1)[1], 99);
    EXPECT_FALSE(ResampleBitmap(dot, 0, 2));

    QImage img(1000, 1000, QImage::Format_RGB32);
    img.fill(qRgb(9, 8, 7));
    ASSERT_TRUE(ResampleBitmap(img, 100, 100));
    EXPECT_EQ(img.size(), QSize(100, 100));
    EXPECT_EQ(img.format(), QImage::Format_RGB32);
    EXPECT_EQ(img.pixel(99, 99), qRgb(9, 8, 7));
}

TEST(Helpers, TolerantStrToIntAndFriends)
{
    EXPECT_EQ(TolerantStrToInt("1O5").value, 105);
    EXPECT_EQ(TolerantStrToInt("l2").value, 12);
    EXPECT_EQ(TolerantStrToInt("17,5").value, 17);
    EXPECT_EQ(TolerantStrToInt("abc").value, 0);
    EXPECT_EQ(TolerantStrToInt("").value, 0);
    EXPECT_TRUE(TolerantStrToInt("2147483647").ok);
    const TolerantInt big = TolerantStrToInt("2147483648");
    EXPECT_FALSE(big.ok);
    EXPECT_EQ(MinInt(3, -4), -4);
    EXPECT_EQ(MaxInt(3, -4), 3);
    const auto t0 = MilliSeconds();
    EXPECT_GE(MilliSeconds(), t0);
}

TEST(Helpers, QStringBoundary)
{
    const std::string bytes = "S\xF8ren \x80 \x81";
    const QString text = ansi::ToQString(bytes);
    EXPECT_EQ(text, QStringLiteral(u"Søren € \u0081"));
    EXPECT_EQ(ansi::FromQString(text), bytes);
    EXPECT_FALSE(ansi::FromQString(QStringLiteral(u"ĉ")).has_value());
    EXPECT_FALSE(ansi::FromQString(QString::fromUcs4(U"\U0001F600")).has_value());
}
