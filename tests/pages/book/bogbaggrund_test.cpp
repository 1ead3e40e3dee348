// The poetry book's background table, the thumbnail places and hits, the
// zoom frames and the thumbnail pixels.
#include "bogbaggrund.h"

#include "archivenames.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

IntRect R(int l, int t, int r, int b)
{
    return {l, t, r, b};
}

QImage grid(int w, int h, QRgb fill)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

QRgb at(const QImage& img, int x, int y)
{
    return img.pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST(BogBaggrund, TableEntryByEntry)
{
    struct Row {
        const char* layout;
        Colour felt, feltTekst, tekst, skygge;
    };
    // RGB as written in the program's table, turned into 0x00BBGGRR here.
    auto c = [](unsigned rgb) { return Colour(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16)); };
    const Row expected[10] = {
        {"blomst", c(0x800080), c(0xC0C0C0), c(0xC0C0C0), c(0x800000)},
        {"savanne", c(0x800000), c(0xFFFBF0), c(0xFFFBF0), c(0x800000)},
        {"frugt", c(0x00FF00), c(0x000000), c(0x00FF00), c(0x000000)},
        {"slik", c(0x800000), c(0xFFFBF0), c(0x800000), c(0xFFFFFF)},
        {"hest", c(0x000080), c(0x00FF00), c(0x00FF00), c(0x000080)},
        {"teddy", c(0x800000), c(0xFFFBF0), c(0xFFFFFF), c(0x800000)},
        {"ballon", c(0xFF0000), c(0x000080), c(0xFFFFFF), c(0x000080)},
        {"space", c(0x000080), c(0xA6CAF0), c(0xA6CAF0), c(0x000000)},
        {"bølge", c(0x0000FF), c(0xFFFFFF), c(0xFFFFFF), c(0x000080)},
        {"ørken", c(0xC0C0C0), c(0x000000), c(0xFFFBF0), c(0x800000)},
    };
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        const Row& e = expected[n - 1];
        const BogBaggrund& b = Baggrund(n);
        EXPECT_EQ(std::string(b.layout), e.layout);
        // A layout the archive is checked for.
        EXPECT_TRUE(LayoutNames().contains(QString::fromUtf8(b.layout)));
        EXPECT_EQ(b.felt, e.felt);
        EXPECT_EQ(b.feltTekst, e.feltTekst);
        EXPECT_EQ(b.tekst, e.tekst);
        EXPECT_EQ(b.skygge, e.skygge);
    }
    EXPECT_EQ(Baggrund(8).felt, 0x800000u);   // navy, written as the program stores colours
    EXPECT_EQ(Baggrund(8).feltTekst, 0xF0CAA6u);
}

TEST(BogBaggrund, ChoiceOutsideTheTableShowsTheFirst)
{
    EXPECT_EQ(ShownBaggrund(1), 1);
    EXPECT_EQ(ShownBaggrund(10), 10);
    for (std::int32_t v : {0, 11, -1, INT_MAX, INT_MIN}) {
        EXPECT_EQ(ShownBaggrund(v), 1) << v;
        EXPECT_EQ(std::string(Baggrund(v).layout), "blomst") << v;
    }
}

TEST(BogBaggrund, GeneratorAndThumbnailPlaces)
{
    // The generator's first numbers, worked out by hand from the formula.
    BogRandom rnd;
    EXPECT_EQ(rnd.Random(22), 0);            // seed 1
    EXPECT_EQ(rnd.Random(22), 0);            // seed 134775814
    EXPECT_EQ(rnd.Random(22), 18);           // seed 3698175007
    // The seed wraps at 2^32: 0xFFFFFFFF gives 4160191484.
    EXPECT_EQ(BogRandom(0xFFFFFFFFu).Random(1000), 968);
    EXPECT_EQ(BogRandom().Random(0), 0);

    // A page of 551 x 450: cells of 110 x 90, moved by up to 11.
    const ThumbnailRects r = MakeThumbnailRects(551, 450);
    const int offsets[10][2] = {{0, -11}, {18, -7}, {6, 3}, {7, -8}, {8, -2},
                                {1, -1},  {1, 7},   {1, -5}, {20, -3}, {17, -4}};
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        const int row = (k - 1) / 2, col = (k - 1) % 2;
        EXPECT_EQ(r[k].left - col * 110, offsets[k - 1][0]);
        EXPECT_EQ(r[k].top - row * 90, offsets[k - 1][1]);
        EXPECT_EQ(r[k].right - r[k].left, 110);
        EXPECT_EQ(r[k].bottom - r[k].top, 90);
    }
    // Always from seed 0: the same size gives the same places, whatever
    // sizes came between.
    (void)MakeThumbnailRects(1831, 1080);
    EXPECT_EQ(MakeThumbnailRects(551, 450), r);
    // A tiny page has no room to move them and breaks nothing.
    const ThumbnailRects tiny = MakeThumbnailRects(9, 4);
    EXPECT_EQ(tiny[10], R(1, 0, 2, 0));
}

TEST(BogBaggrund, TheTopmostVisibleThumbnailIsHit)
{
    const ThumbnailRects r = MakeThumbnailRects(551, 450);
    ASSERT_EQ(r[5], R(8, 178, 118, 268));
    ASSERT_EQ(r[6], R(111, 179, 221, 269));
    ASSERT_EQ(r[3], R(6, 93, 116, 183));
    // 5 and 6 overlap; 6 lies on top.
    EXPECT_EQ(ThumbnailAt(r, 1, 114, 220), 6);
    // 3 and 5 overlap; 5 lies on top.
    EXPECT_EQ(ThumbnailAt(r, 1, 50, 180), 5);
    EXPECT_EQ(ThumbnailAt(r, 5, 50, 180), 3);
    // The chosen background has no thumbnail: a click in its place hits
    // what is drawn there, or nothing.
    EXPECT_EQ(ThumbnailAt(r, 5, 114, 220), 6);
    EXPECT_EQ(ThumbnailAt(r, 5, 50, 220), 0);
    EXPECT_EQ(ThumbnailAt(r, 6, 114, 220), 5);
    // Right and bottom edges are outside.
    EXPECT_EQ(ThumbnailAt(r, 1, 400, 300), 0);
    EXPECT_EQ(ThumbnailAt(r, 2, 130, 40), 0);   // 2 chosen, 1 ends at 110
    EXPECT_EQ(ThumbnailAt(r, 2, 109, 40), 1);
    EXPECT_EQ(ThumbnailAt(r, 1, 0, 0), 0);      // 1 is chosen
    EXPECT_EQ(ThumbnailAt(r, 2, 0, -11), 1);    // 1 begins above the page
    EXPECT_EQ(ThumbnailAt(r, 2, 0, 79), 0);
    // An out-of-range choice hides nothing.
    EXPECT_EQ(ThumbnailAt(r, 0, 0, 0), 1);
}

TEST(BogBaggrund, ZoomFrames)
{
    const IntRect from = R(0, -11, 110, 79);
    EXPECT_EQ(ZoomFrame(from, 551, 450, 0), from);
    // Frame 20 is half way: -5.5 and 330.5 and 264.5 round to even.
    EXPECT_EQ(ZoomFrame(from, 551, 450, 20), R(0, -6, 330, 264));
    // 39/40 of the way: -0.275, 539.975 and 440.725.
    EXPECT_EQ(ZoomFrame(from, 551, 450, 39), R(0, 0, 540, 441));
    const IntRect five = R(8, 178, 118, 268);
    // 8 - 5 x 8 / 40 = 7; 178 - 5 x 178 / 40 = 155.75; 118 + 5 x 433 / 40 = 172.125; 268 + 5 x 182 / 40 = 290.75.
    EXPECT_EQ(ZoomFrame(five, 551, 450, 5), R(7, 156, 172, 291));
    // Ties: 3 - 20 x 3 / 40 = 1.5 gives 2, 5 - 20 x 5 / 40 = 2.5 gives 2.
    EXPECT_EQ(ZoomFrame(R(3, 5, 10, 10), 10, 10, 20).left, 2);
    EXPECT_EQ(ZoomFrame(R(3, 5, 10, 10), 10, 10, 20).top, 2);
    // Negative ties: -1 - 20 x -1 / 40 = -0.5 gives 0, -3 ... = -1.5 gives -2.
    EXPECT_EQ(ZoomFrame(R(-1, -3, 10, 10), 10, 10, 20).left, 0);
    EXPECT_EQ(ZoomFrame(R(-1, -3, 10, 10), 10, 10, 20).top, -2);
    // Every frame grows towards the page.
    for (int i = 1; i < kZoomFrames; ++i) {
        const IntRect a = ZoomFrame(five, 551, 450, i - 1), b = ZoomFrame(five, 551, 450, i);
        EXPECT_LE(b.left, a.left);
        EXPECT_LE(b.top, a.top);
        EXPECT_GE(b.right, a.right);
        EXPECT_GE(b.bottom, a.bottom);
    }
}

TEST(BogBaggrund, ThumbnailPixels)
{
    // A 4 x 2 source: left half red, right half blue, shrunk to 2 x 1.
    QImage src = grid(4, 2, qRgb(0, 0, 255));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            src.setPixel(x, y, qRgb(255, 0, 0));
    QImage dst = grid(4, 3, qRgb(1, 2, 3));
    StretchThumbnail(src, dst, R(1, 1, 3, 2));
    EXPECT_EQ(at(dst, 0, 1), 0x010203u);
    EXPECT_EQ(at(dst, 1, 1), 0xFF0000u);
    EXPECT_EQ(at(dst, 2, 1), 0x0000FFu);
    EXPECT_EQ(at(dst, 3, 1), 0x010203u);
    EXPECT_EQ(at(dst, 1, 0), 0x010203u);
    // Averaged, rounded: a 2 x 2 block of 0, 0, 255, 255 in red gives 128.
    QImage checker = grid(2, 2, qRgb(0, 0, 0));
    checker.setPixel(0, 0, qRgb(255, 0, 0));
    checker.setPixel(1, 1, qRgb(255, 0, 0));
    QImage one = grid(1, 1, 0);
    StretchThumbnail(checker, one, R(0, 0, 1, 1));
    EXPECT_EQ(at(one, 0, 0), 0x800000u);
    // Partly outside the target: the rest is drawn, nothing else touched.
    QImage small = grid(3, 3, qRgb(9, 9, 9));
    StretchThumbnail(grid(8, 8, qRgb(200, 100, 50)), small, R(-2, -2, 2, 2));
    EXPECT_EQ(at(small, 1, 1), 0xC86432u);
    EXPECT_EQ(at(small, 2, 2), 0x090909u);
    StretchThumbnail(src, small, R(5, 5, 9, 9));   // wholly outside
    StretchThumbnail(src, small, R(2, 2, 2, 2));   // empty

    // The frame on a 4 x 3 box at (1, 1): white top and left, black bottom
    // and right, the top-right and bottom-left corners black.
    QImage f = grid(6, 5, qRgb(7, 7, 7));
    DrawThumbnailFrame(f, R(1, 1, 5, 4));
    const char* rows[5] = {"......",
                           ".WWWB.",
                           ".W..B.",
                           ".BBBB.",
                           "......"};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const char want = rows[y][x];
            const QRgb c = at(f, x, y);
            EXPECT_EQ(c, want == 'W' ? 0xFFFFFFu : want == 'B' ? 0u : 0x070707u) << x << "," << y;
        }
    // Clipped at the image's edges without harm.
    DrawThumbnailFrame(f, R(-3, -3, 2, 2));
    EXPECT_EQ(at(f, 1, 0), 0u);
    EXPECT_EQ(at(f, 0, 1), 0u);
}
