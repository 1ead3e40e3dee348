// Portrait geometry and the order in which DrawPortrait draws the parts.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"
#include "drawing.h"
#include "portrait.h"
#include "sample_archive.h"

#include <gtest/gtest.h>

TEST(PortraitGeometry, ScaleOneGivesTheTables)
{
    // H = 348: s = 1; W = 400: centre 200.
    IntRect R;
    HeadRect(400, 348, 0, R);
    EXPECT_EQ(R, (IntRect{84, 36, 316, 318}));
    HeadRect(400, 348, 2, R);
    EXPECT_EQ(R, (IntRect{84, 36, 316, 323}));   // 233 / 2 = 116.5 rounds to 116
    EyeRect(400, 348, 0, 0, 0, 0, R);
    EXPECT_EQ(R, (IntRect{138, 180, 182, 203}));  // half 22, inset 18: moved left by 40
    MouthRect(400, 348, 1, 0, 0, R);
    EXPECT_EQ(R, (IntRect{162, 259, 238, 283}));  // 38.5 -> 38, 12.5 -> 12, cy 263
    HairRect(400, 348, 3, 1, R, false);
    EXPECT_EQ(R, (IntRect{68, 18, 328, 215}));    // offset -2
    HairRect(400, 348, 3, 1, R, true);
    EXPECT_EQ(R, (IntRect{72, 18, 332, 215}));    // mirrored table: +2
    HairRect(400, 348, 5, 4, R, false);
    EXPECT_EQ(R, (IntRect{85, 18, 315, 235}));    // width factor 0.88: 262 * 0.88 / 2 = 115.28
}

TEST(PortraitGeometry, ScaleZeroCollapses)
{
    IntRect R;
    HeadRect(101, 16, 5, R);
    EXPECT_EQ(R, (IntRect{50, 8, 50, 8}));
    GlassesRect(101, 16, 2, -5, 0, R);
    EXPECT_EQ(R, (IntRect{50, 8, 50, 8}));
    EyeRect(101, 16, 3, 0, 0.1, -0.05, R);
    EXPECT_EQ(R, (IntRect{83, -9, 83, -9}));      // only the offsets: +33, round(-16.6) + 8
}

TEST(PortraitGeometry, VandretMovesTheSamePixelsAtAnySize)
{
    for (int H : {100, 348, 1080}) {
        IntRect a, b;
        EyeRect(500, H, 2, 0, 0.0, 0.0, a);
        EyeRect(500, H, 2, 0, 0.1, 0.0, b);
        EXPECT_EQ(b.left - a.left, 33) << H;
        EXPECT_EQ(b.right - a.right, 33) << H;
        MirrorRect(a, 250);
        MirrorRect(b, 250);
        EXPECT_EQ(b.left - a.left, -33) << H;   // the twin moves the other way
        BrowRect(500, H, 1, 3, 0.0, 0.1, a);
        BrowRect(500, H, 1, 3, 0.0, 0.0, b);
        EXPECT_EQ(a.top - b.top, 33) << H;
    }
}

TEST(PortraitGeometry, ZoomFactors)
{
    EXPECT_DOUBLE_EQ(ZoomFactor(0), 1.0);
    EXPECT_DOUBLE_EQ(ZoomFactor(-5), 1.4375);
    EXPECT_DOUBLE_EQ(ZoomFactor(5), 0.6875);
    EXPECT_DOUBLE_EQ(ZoomFactor(4 / 4.0), 0.9275);
    IntRect R;
    GlassesRect(400, 348, 0, 4, 0, R);   // glasses take Zoom / 4: k = 0.9275
    EXPECT_EQ(R, (IntRect{109, 160, 291, 230}));
    // Zoom 2 and -5 are no whole number of quarters: z = 0.5 and -1.25.
    GlassesRect(400, 348, 0, 2, 0, R);   // k = 0.963125: half 94.39, hh 36.12
    EXPECT_EQ(R, (IntRect{106, 159, 294, 231}));
    GlassesRect(400, 348, 0, -5, 0, R);  // k = 1.09765625: half 107.57, hh 41.16
    EXPECT_EQ(R, (IntRect{92, 154, 308, 236}));
    NoseRect(400, 348, 0, 4, 0, R);      // the nose takes Zoom itself: k = 0.74
    EXPECT_EQ(R, (IntRect{180, 232, 220, 242}));
    NoseRect(400, 348, 0, 0, 0.05, R);
    EXPECT_EQ(R, (IntRect{172, 247, 228, 261}));  // 27.5 -> 28; lodret 16.6 -> 17
}

TEST(PortraitGeometry, BrowHeightFactors)
{
    EXPECT_DOUBLE_EQ(BrowHeightFactor(-10, 3), 2.1);
    EXPECT_DOUBLE_EQ(BrowHeightFactor(-10, 1), 1.0);
    EXPECT_DOUBLE_EQ(BrowHeightFactor(10, 3), 2.2);
    EXPECT_DOUBLE_EQ(BrowHeightFactor(10, 4), 1.85);
    EXPECT_DOUBLE_EQ(BrowHeightFactor(0, 2), 1.1);
    IntRect R;
    BrowRect(400, 348, 3, -10, 0, 0, R);
    // cy = (150 + 165) div 2 = 157, hh = round(7.5 * 2.1) = 16, half 29, inset 15
    EXPECT_EQ(R, (IntRect{127, 149, 185, 181}));
    BrowRect(400, 348, 3, 10, 0, 0, R);
    EXPECT_EQ(R, (IntRect{127, 149, 185, 181}));  // 7.5 x 2.2 = 16.5, ties to even: 16
}

TEST(PortraitGeometry, MirrorRectAboutTruncatedCentre)
{
    IntRect R{10, 1, 30, 5};
    MirrorRect(R, 101 / 2);
    EXPECT_EQ(R, (IntRect{70, 1, 90, 5}));
}

TEST(PortraitGeometry, MirroredAngles)
{
    EXPECT_EQ(MirroredAngle(0), 0);
    EXPECT_EQ(MirroredAngle(10), -10);
    EXPECT_EQ(MirroredAngle(-10), 10);
    EXPECT_EQ(MirroredAngle(370), -10);
    // From a hostile file: -2147483648 = -128 - 5965232 turns.
    EXPECT_EQ(MirroredAngle(-2147483647 - 1), 128);
    EXPECT_EQ(MirroredAngle(2147483647), -127);
}

TEST(PortraitGeometry, PictureNames)
{
    EXPECT_EQ(HairPictureName(3), "haar03");
    EXPECT_EQ(HairPictureName(12), "haar12");
    EXPECT_EQ(HobbyPictureName(10), "hobby10");
    EXPECT_EQ(HobbyPictureName(5), "hobby05");
    EXPECT_EQ(HeadPictureName(3), "head03");
    EXPECT_EQ(EyePictureName(5), "eye05");
    EXPECT_EQ(BrowPictureName(0), "brow00");
    EXPECT_EQ(MouthPictureName(8), "lip08");
    EXPECT_EQ(NosePictureName(1), "nose01");
    EXPECT_EQ(GlassesPictureName(4), "glass04");
    EXPECT_EQ(LeafPictureName(7), "blad07");
}

namespace {

// Each part a rectangle filled with the key fill, so it shows in its colour.
Picture Block(const std::string& name)
{
    return sample::VectorPicture(name, {sample::Element(kKindRectangle, {0, 0, 10, 10}, 49, true, 0)});
}

} // namespace

TEST(PortraitDrawing, PartsInOrder)
{
    InitDrawing();
    DataArchive a;
    a.Fills = Drawing().Fills;
    for (const char* n : {"head00", "nose00", "brow00", "lip00", "eye00", "haar01"})
        a.Pictures.push_back(Block(n));
    Layout l;
    l.Name = "ansigt";
    l.BackColour = 0x808080;
    a.Layouts.push_back(l);
    UseDataArchive(std::move(a));

    PortraitParts parts{};
    auto set = [&](Del d, int type, Colour c) {
        parts[std::size_t(d)].Type = std::int16_t(type);
        parts[std::size_t(d)].Farve = c;
    };
    set(Del::Ansigt, 0, 0x0000F0);
    set(Del::Naese, 0, 0x00FF00);    // the nose ignores its colour: black
    set(Del::Bryn, 0, 0x00F000);
    set(Del::Mund, 0, 0xF00000);
    set(Del::Oejne, 0, 0xF0F000);
    set(Del::Haar, 9, 0x00F0F0);     // haar09 is not in the archive
    set(Del::Briller, 0, 0xF000F0);  // nor glass00
    const int W = 400, H = 348;
    QImage page(W, H, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        Canvas c(&page);
        DrawPortrait(c, parts, "ansigt", W, H);
    }
    EXPECT_EQ(page.pixel(2, 2), qRgb(128, 128, 128));     // the layout's back colour
    EXPECT_EQ(page.pixel(200, 300), qRgb(240, 0, 0));     // head
    EXPECT_EQ(page.pixel(200, 237), qRgb(0, 0, 0));       // nose over the head
    EXPECT_EQ(page.pixel(200, 270), qRgb(0, 0, 240));     // mouth over the head
    EXPECT_EQ(page.pixel(160, 191), qRgb(0, 240, 240));   // left eye
    EXPECT_EQ(page.pixel(240, 191), qRgb(0, 240, 240));   // and its mirrored twin
    EXPECT_EQ(page.pixel(155, 168), qRgb(0, 240, 0));     // brow
    EXPECT_EQ(page.pixel(245, 168), qRgb(0, 240, 0));

    // With hair that exists, the hair is drawn after the eyes and brows.
    set(Del::Haar, 1, 0x00F0F0);
    {
        Canvas c(&page);
        DrawPortrait(c, parts, "", W, H);
    }
    EXPECT_EQ(page.pixel(160, 191), qRgb(240, 240, 0));
    EXPECT_EQ(page.pixel(200, 270), qRgb(0, 0, 240));     // the mouth lies below this hair
    DoneDrawing();
}

TEST(PortraitDrawing, AnyStoredAngleTurnsTheTwinsApart)
{
    InitDrawing();
    DataArchive a;
    a.Fills = Drawing().Fills;
    for (const char* n : {"eye00", "brow00"})
        a.Pictures.push_back(sample::VectorPicture(n, {sample::Element(kKindRectangle, {0, 0, 30, 10}, 49, true, 0)}));
    UseDataArchive(std::move(a));
    const int W = 400, H = 348;
    auto draw = [&](std::int32_t vinkel) {
        PortraitParts parts{};
        for (Del d : {Del::Oejne, Del::Bryn}) {
            parts[std::size_t(d)].Vinkel = vinkel;
            parts[std::size_t(d)].Farve = d == Del::Oejne ? 0x0000F0 : 0x00F000;
        }
        parts[std::size_t(Del::Haar)].Type = 9;   // none of these are in the archive
        parts[std::size_t(Del::Ansigt)].Type = 7;
        QImage page(W, H, QImage::Format_RGB32);
        page.fill(Qt::white);
        Canvas c(&page);
        DrawPortrait(c, parts, "", W, H);
        return page;
    };
    // -2147483648 is -128 degrees: both eyes and both brows lie as they do
    // at -128, the twins turned the other way.
    const QImage huge = draw(-2147483647 - 1), same = draw(-128), plain = draw(0);
    ASSERT_NE(same, plain);
    int differ = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            differ += huge.pixel(x, y) != same.pixel(x, y);
    EXPECT_LE(differ, 4);
    DoneDrawing();
}
