// From a picture to the 180 x 240 photo: the enlargement of small pictures,
// the crop window through every zoom step, the view and the photo cut
// from the source.
#include "photocrop.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cstring>

using photo::CropFrame;

namespace {

// Every pixel different, so that any shift or swap shows.
QImage numbered(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x >> 8) * 16 + (y >> 8)));
    return image;
}

bool sameBytes(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), std::size_t(a.width()) * a.depth() / 8) != 0)
            return false;
    return true;
}

} // namespace

TEST(Enlarge, SmallPicturesGrowInOneStepToCoverThePhoto)
{
    struct Case {
        QSize in, out;
    };
    const Case cases[] = {
        {{100, 100}, {240, 240}},
        {{300, 200}, {360, 240}},
        {{120, 300}, {180, 450}},
        {{180, 240}, {180, 240}},     // big enough: as it is
        {{4000, 3000}, {4000, 3000}},
        {{179, 240}, {180, 242}},     // 240 · 180 / 179 = 241.3, rounded up
        {{180, 239}, {181, 240}},     // 180 · 240 / 239 = 180.75
        {{3, 4}, {180, 240}},         // exactly the photo's shape
        {{1, 1}, {240, 240}},
        {{68, 1}, {16320, 240}},      // the longest side allowed is 16 384
        {{1, 91}, {180, 16380}},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_EQ(photo::EnlargedSize(c.in, &error), c.out) << c.in.width() << "x" << c.in.height();
        EXPECT_TRUE(error.isEmpty());
    }
}

TEST(Enlarge, PicturesThatWouldBecomeHugeOrAreEmptyAreRefused)
{
    QElapsedTimer clock;
    clock.start();
    const QSize refused[] = {{1, 1000}, {1000, 1}, {69, 1}, {1, 92}, {0, 500}, {500, 0}, {0, 0}, {-3, 400},
                             {1, 2147483647}, {2147483647, 1}};
    for (const QSize& s : refused) {
        QString error;
        EXPECT_FALSE(photo::EnlargedSize(s, &error).isValid()) << s.width() << "x" << s.height();
        EXPECT_FALSE(error.isEmpty());
    }
    QString error;
    EXPECT_TRUE(photo::Enlarge(QImage(1, 1000, QImage::Format_RGB888), &error).isNull());
    EXPECT_EQ(error, QStringLiteral("Billedet er for aflangt til et foto: 1 × 1000 punkter."));
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST(Enlarge, ThePixelsAreStretched)
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    for (int y = 50; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    const QImage big = photo::Enlarge(image);
    ASSERT_EQ(big.size(), QSize(240, 240));
    EXPECT_EQ(big.format(), QImage::Format_RGB888);
    EXPECT_EQ(big.pixel(120, 10), qRgb(255, 0, 0));
    EXPECT_EQ(big.pixel(120, 230), qRgb(0, 0, 255));
    // Big enough already: the same pixels, 24 bits.
    const QImage same = photo::Enlarge(numbered(200, 300));
    EXPECT_TRUE(sameBytes(same, numbered(200, 300)));
}

TEST(CropFrame, WindowSizeRunsFromThePhotoToTheWholePicture)
{
    struct Case {
        QSize source;
        int zoom;
        QSize window;
    };
    const Case cases[] = {
        {{640, 480}, 0, {180, 240}},
        {{640, 480}, 299, {360, 480}},   // wide: the whole height
        {{640, 480}, 150, {270, 360}},   // s = 480 − 240 · 149 / 299 = 360.4
        {{640, 480}, -5, {180, 240}},    // clamped
        {{640, 480}, 400, {360, 480}},
        {{300, 600}, 299, {300, 400}},   // tall: the whole width
        {{300, 600}, 0, {180, 240}},
        {{360, 480}, 299, {360, 480}},   // exactly 3 : 4 counts as tall
        {{181, 240}, 299, {180, 240}},   // wide, just: 240 · 3 / 4
        {{180, 240}, 299, {180, 240}},
        {{4000, 3000}, 299, {2250, 3000}},
        {{4000, 3000}, 298, {2243, 2991}},   // s = 3000 − 2760 / 299 = 2990.8
    };
    for (const Case& c : cases)
        EXPECT_EQ(CropFrame::WindowSize(c.source, c.zoom), c.window)
            << c.source.width() << "x" << c.source.height() << " zoom " << c.zoom;
}

TEST(CropFrame, TheWindowStartsCentredAndFullyZoomedIn)
{
    CropFrame f(QSize(640, 480));
    EXPECT_EQ(f.Zoom(), 0);
    EXPECT_EQ(f.Window(), QRect(230, 120, 180, 240));
    EXPECT_EQ(f.MaxX(), 460);
    EXPECT_EQ(f.MaxY(), 240);
    // The first view: 360 x 480 source pixels around the window.
    EXPECT_EQ(f.ViewSource(), QRect(140, 0, 360, 480));
    EXPECT_DOUBLE_EQ(f.Fx(), 1.0);
    EXPECT_DOUBLE_EQ(f.Fy(), 1.0);
    // Half the free room, rounded half to even: 1 → 0, 3 → 2, 5 → 2.
    EXPECT_EQ(CropFrame(QSize(181, 241)).Window().topLeft(), QPoint(0, 0));
    EXPECT_EQ(CropFrame(QSize(183, 245)).Window().topLeft(), QPoint(2, 2));
    EXPECT_EQ(CropFrame(QSize(187, 243)).Window().topLeft(), QPoint(4, 2));
}

TEST(CropFrame, ZoomingOutTheWideExampleCropsItsMiddle)
{
    // A 640 x 480 photo zoomed all the way out: the window is the full
    // height, about the same centre, so the photo is source (140, 0) to
    // (500, 480) scaled down by two, and no white in it.
    CropFrame f(QSize(640, 480));
    f.SetZoom(CropFrame::kZoomMax);
    EXPECT_EQ(f.Window(), QRect(QPoint(140, 0), QPoint(499, 479)));
    EXPECT_DOUBLE_EQ(f.Fx(), 2.0);
    // And back in, to where it was.
    f.SetZoom(0);
    EXPECT_EQ(f.Window(), QRect(230, 120, 180, 240));
}

TEST(CropFrame, TheWindowNeverLeavesThePicture)
{
    const QSize sources[] = {{640, 480}, {180, 240}, {181, 1000}, {4000, 3000}, {300, 600}, {6000, 241}};
    for (const QSize& s : sources) {
        // From every corner and the middle, through every zoom step and back.
        for (int corner = 0; corner < 5; ++corner) {
            CropFrame f(s);
            if (corner < 4) {
                f.SetX(corner % 2 ? 1 << 30 : -(1 << 30));
                f.SetY(corner / 2 ? 1 << 30 : -(1 << 30));
            }
            for (int step = 0; step <= 2 * CropFrame::kZoomMax; ++step) {
                f.SetZoom(step <= CropFrame::kZoomMax ? step : 2 * CropFrame::kZoomMax - step);
                const QRect w = f.Window();
                ASSERT_TRUE(QRect(QPoint(0, 0), s).contains(w))
                    << s.width() << "x" << s.height() << " corner " << corner << " step " << step;
                ASSERT_EQ(w.size(), CropFrame::WindowSize(s, f.Zoom()));
                ASSERT_GE(w.left(), 0);
                ASSERT_LE(w.left(), f.MaxX());
            }
        }
    }
    // At the right edge, zooming out pushes the window back left.
    CropFrame f(QSize(640, 480));
    f.SetX(10000);
    EXPECT_EQ(f.Window().left(), 460);
    f.SetZoom(CropFrame::kZoomMax);
    EXPECT_EQ(f.Window(), QRect(280, 0, 360, 480));
}

TEST(CropFrame, ZoomingStepByStepDoesNotCreep)
{
    CropFrame f(QSize(4000, 3000));
    f.SetX(1234);
    f.SetY(567);
    const QPoint centre = f.Window().center();
    for (int z = 1; z <= 120; ++z)
        f.SetZoom(z);
    for (int z = 119; z >= 0; --z)
        f.SetZoom(z);
    EXPECT_EQ(f.Window(), QRect(1234, 567, 180, 240));
    // In between, the centre stays within half a pixel.
    f.SetZoom(77);
    EXPECT_LE(std::abs(f.Window().center().x() - centre.x()), 1);
    EXPECT_LE(std::abs(f.Window().center().y() - centre.y()), 1);
}

TEST(CropFrame, DraggingMovesThePictureWithTheMouse)
{
    CropFrame f(QSize(640, 480));
    f.DragBy(10, 5);   // the picture goes right and down: the window left and up
    EXPECT_EQ(f.Window().topLeft(), QPoint(220, 115));
    f.DragBy(-1000, -1000);
    EXPECT_EQ(f.Window().topLeft(), QPoint(460, 240));
    f.SetZoom(CropFrame::kZoomMax);   // two source pixels to a view pixel
    f.SetX(100);
    f.DragBy(3, 0);
    EXPECT_EQ(f.Window().left(), 94);
    f.DragBy(0, 7);
    EXPECT_EQ(f.Window().top(), 0);
}

TEST(CropView, ShowsTwiceTheWindowWithWhiteBeyondThePicture)
{
    const QImage source = numbered(180, 240);
    CropFrame f(source.size());
    QImage work(CropFrame::kViewWidth, CropFrame::kViewHeight, QImage::Format_RGB32);
    const uchar* bits = work.constBits();
    photo::RenderView(source, f, work);
    EXPECT_EQ(work.constBits(), bits);   // drawn in place
    // The picture one to one between the guide lines, white around it.
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 180; ++x)
            ASSERT_EQ(work.pixel(90 + x, 120 + y), source.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(work.pixel(89, 200), qRgb(255, 255, 255));
    EXPECT_EQ(work.pixel(270, 200), qRgb(255, 255, 255));
    EXPECT_EQ(work.pixel(100, 119), qRgb(255, 255, 255));
    EXPECT_EQ(work.pixel(100, 360), qRgb(255, 255, 255));
    EXPECT_EQ(work.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(work.pixel(359, 479), qRgb(255, 255, 255));

    // Zoomed out on 640 x 480: every second source pixel.
    const QImage wide = numbered(640, 480);
    CropFrame g(wide.size());
    g.SetZoom(CropFrame::kZoomMax);
    photo::RenderView(wide, g, work);
    EXPECT_EQ(work.pixel(90, 120), wide.pixel(141, 1));
    EXPECT_EQ(work.pixel(269, 359), wide.pixel(499, 479));
    EXPECT_EQ(work.pixel(10, 10), qRgb(255, 255, 255));   // above the picture
}

TEST(CropPhoto, FullZoomGivesBackTheSourceByteForByte)
{
    const QImage source = numbered(180, 240);
    CropFrame f(source.size());
    for (int zoom : {0, 1, 150, CropFrame::kZoomMax}) {
        f.SetZoom(zoom);
        EXPECT_TRUE(sameBytes(photo::CropPhoto(source, f.Window()), source)) << zoom;
    }
    // Fully zoomed in on a larger picture: the window's pixels exactly.
    const QImage big = numbered(700, 500);
    CropFrame g(big.size());
    g.SetX(333);
    g.SetY(77);
    EXPECT_TRUE(sameBytes(photo::CropPhoto(big, g.Window()), big.copy(333, 77, 180, 240)));
}

TEST(CropPhoto, TheMiddleOfTheWideExampleScaledDown)
{
    // Red left of column 140, blue from 500, green between: the zoomed-out
    // crop is all green, with no white and no neighbour bleeding in.
    QImage source(640, 480, QImage::Format_RGB888);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            source.setPixel(x, y, x < 140 ? qRgb(255, 0, 0) : x < 500 ? qRgb(0, 200, 0) : qRgb(0, 0, 255));
    CropFrame f(source.size());
    f.SetZoom(CropFrame::kZoomMax);
    const QImage photo = photo::CropPhoto(source, f.Window());
    ASSERT_EQ(photo.size(), QSize(180, 240));
    EXPECT_EQ(photo.format(), QImage::Format_RGB888);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 180; ++x)
            ASSERT_EQ(photo.pixel(x, y), qRgb(0, 200, 0)) << x << "," << y;
}

TEST(CropPhoto, IsScaledSmoothlyFromTheSourceNotSampledFromTheView)
{
    // A one-pixel checkerboard zoomed out four times: sampling would keep
    // only black or only white; the photo is grey.
    QImage source(720, 960, QImage::Format_RGB888);
    for (int y = 0; y < 960; ++y)
        for (int x = 0; x < 720; ++x)
            source.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    CropFrame f(source.size());
    f.SetZoom(CropFrame::kZoomMax);
    ASSERT_EQ(f.Window(), QRect(0, 0, 720, 960));
    const QImage photo = photo::CropPhoto(source, f.Window());
    ASSERT_EQ(photo.size(), QSize(180, 240));
    for (int y = 0; y < 240; y += 7)
        for (int x = 0; x < 180; x += 5) {
            const int g = qGray(photo.pixel(x, y));
            ASSERT_TRUE(g > 100 && g < 155) << x << "," << y << ": " << g;
        }
}

TEST(CropPhoto, AWindowOutsideThePictureGivesNothing)
{
    const QImage source = numbered(200, 300);
    EXPECT_TRUE(photo::CropPhoto(source, QRect(21, 0, 180, 240)).isNull());
    EXPECT_TRUE(photo::CropPhoto(source, QRect(-1, 0, 180, 240)).isNull());
    EXPECT_TRUE(photo::CropPhoto(source, QRect(0, 0, 0, 240)).isNull());
    EXPECT_TRUE(photo::CropPhoto(QImage(), QRect(0, 0, 180, 240)).isNull());
    EXPECT_FALSE(photo::CropPhoto(source, QRect(20, 60, 180, 240)).isNull());
    // A smaller window (the command line allows one) is enlarged.
    EXPECT_EQ(photo::CropPhoto(source, QRect(0, 0, 30, 40)).size(), QSize(180, 240));
}

TEST(PhotoPixels, TheRecordsOrderIsBlueGreenRed)
{
    QImage image(2, 1, QImage::Format_RGB888);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(1, 2, 3));
    const Pixels24 p = photo::ToPixels24(image);
    ASSERT_EQ(p.width, 2);
    ASSERT_EQ(p.height, 1);
    EXPECT_EQ(p.data, (std::vector<std::uint8_t>{0, 0, 255, 3, 2, 1}));
    EXPECT_TRUE(sameBytes(photo::FromPixels24(p), image));
    const QImage photo = numbered(180, 240);
    EXPECT_TRUE(sameBytes(photo::FromPixels24(photo::ToPixels24(photo)), photo));
    EXPECT_EQ(photo::ToPixels24(photo).data.size(), kPhotoBytes);
    Pixels24 broken(3, 3);
    broken.data.resize(5);
    EXPECT_TRUE(photo::FromPixels24(broken).isNull());
}
