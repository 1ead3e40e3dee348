// A page as a picture: the fit on paper, the offered names, the cut in
// device pixels, the written bitmap, PNG and PDF, and pages drawn without a
// window on screen.
#include "../support/scripted_dialogs.h"
#include "../support/tempdir.h"
#include "../support/test_main.h"
#include "datefmt.h"
#include "democlass.h"
#include "elev.h"
#include "klasse.h"
#include "mainwindow.h"
#include "page.h"
#include "pagepicture.h"

#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QPdfWriter>
#include <gtest/gtest.h>

#include <cstring>

namespace {

// The fields of a Windows bitmap's two headers that matter here.
struct BmpHeader {
    std::uint32_t fileSize = 0, dataOffset = 0, headerSize = 0, compression = 0, imageSize = 0;
    std::int32_t width = 0, height = 0;
    std::uint16_t planes = 0, bitCount = 0;
};

BmpHeader readBmpHeader(const std::vector<unsigned char>& b)
{
    auto u32 = [&](std::size_t at) {
        return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16
            | std::uint32_t(b[at + 3]) << 24;
    };
    auto u16 = [&](std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); };
    BmpHeader h;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return h;
    h.fileSize = u32(2);
    h.dataOffset = u32(10);
    h.headerSize = u32(14);
    h.width = std::int32_t(u32(18));
    h.height = std::int32_t(u32(22));
    h.planes = u16(26);
    h.bitCount = u16(28);
    h.compression = u32(30);
    h.imageSize = u32(34);
    return h;
}

// A picture whose every pixel differs from its neighbours.
QImage pattern(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 37 + y * 11) & 0xFF, (x * 5 + y * 91) & 0xFF, (x ^ y) * 13 & 0xFF));
    return img;
}

int pdfPages(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = f.readAll();
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "));
}

struct PagePictures : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    // The program around the demo class, never on screen.
    std::unique_ptr<TMain> start()
    {
        std::string error;
        EXPECT_TRUE(WriteDemoClass(QString::fromStdString(dir.path()), 6, klaPath, error)) << error;
        auto w = std::make_unique<TMain>(TestMainOptions(dialogs, klaPath));
        w->OpenParamFile();
        w->SetAktivElev(0);
        ShowOffscreen(*w);
        w->resize(1280, 900);
        return w;
    }

    ScriptedDialogs dialogs;
    TempDir dir;
    std::string klaPath;
};

} // namespace

// ---- on paper ----

TEST(PaperFit, PicturesFitThePaperAndKeepTheirShape)
{
    // Wider than the paper: the full width, centred from top to bottom.
    EXPECT_EQ(FitToPage({200, 100}, {1000, 1000}), QRect(0, 250, 1000, 500));
    // Taller: the full height, centred from side to side.
    EXPECT_EQ(FitToPage({100, 200}, {1000, 1000}), QRect(250, 0, 500, 1000));
    // The same shape fills the height (and so everything).
    EXPECT_EQ(FitToPage({300, 200}, {600, 400}), QRect(0, 0, 600, 400));
    // Rounding as MulDiv: 1000 * 333 / 1000 = 333; 999 * 1706 / 1080 =
    // 1578.05 gives 1578, 2000 * 1080 / 1706 = 1266.12 gives 1266.
    EXPECT_EQ(FitToPage({333, 1000}, {1000, 1000}), QRect(333, 0, 333, 1000));
    EXPECT_EQ(FitToPage({1706, 1080}, {2000, 999}), QRect(211, 0, 1578, 999));
    EXPECT_EQ(FitToPage({1706, 1080}, {2000, 1400}), QRect(0, 67, 2000, 1266));
    // Centring truncates: (1001 - 500) / 2 = 250, (1000 - 333) / 2 = 333.
    EXPECT_EQ(FitToPage({100, 200}, {1001, 1000}), QRect(250, 0, 500, 1000));
    EXPECT_EQ(FitToPage({1000, 333}, {1000, 1000}).top(), 333);
    // A4 at 600 dpi, portrait paper: a page picture fills its width.
    EXPECT_EQ(FitToPage({1492, 1080}, {4760, 6776}), QRect(0, 1665, 4760, 3446));
    EXPECT_TRUE(FitToPage({0, 10}, {100, 100}).isEmpty());
    EXPECT_TRUE(FitToPage({10, 10}, {100, 0}).isEmpty());
}

// ---- names ----

TEST(OfferedNames, EveryPageHasItsName)
{
    const char* const want[19] = {
        "",                       "4a.bmp",             "",                   "Ida_elevforside.bmp",
        "Ida_ansigt.bmp",         "Ida_haar.bmp",       "Ida_oje.bmp",        "Ida_bryn.bmp",
        "Ida_mund.bmp",           "Ida_nase.bmp",       "Ida_brille.bmp",     "Ida_maal.bmp",
        "4a_hobbies.bmp",         "Ida_hobby.bmp",      "Ida_stamtra.bmp",    "Ida_stamgren.bmp",
        "Ida_poesibog.bmp",       "Ida_baggrunde.bmp",  "4a_statistik.bmp"};
    for (int n = 0; n <= 18; ++n)
        EXPECT_EQ(OfferedFileName(n, "Ida", "4a"), QString::fromLatin1(want[n])) << "page " << n;
    EXPECT_EQ(OfferedFileName(19, "Ida", "4a"), "");
    EXPECT_EQ(OfferedFileName(-1, "Ida", "4a"), "");
    EXPECT_EQ(Page::PictureNameOf(2).whose, Page::PictureName::None);
}

TEST(OfferedNames, NamelessClassesAndPupils)
{
    EXPECT_EQ(OfferedFileName(1, "Ida", ""), "Klasse.bmp");
    EXPECT_EQ(OfferedFileName(12, "Ida", ""), "Klasse_hobbies.bmp");
    EXPECT_EQ(OfferedFileName(18, "", ""), "Klasse_statistik.bmp");
    EXPECT_EQ(OfferedFileName(3, "", "4a"), "Elev_elevforside.bmp");
    EXPECT_EQ(OfferedFileName(14, "", ""), "Elev_stamtra.bmp");
    // A name of dots is no name.
    EXPECT_EQ(OfferedFileName(1, "", ".."), "Klasse.bmp");
    EXPECT_EQ(OfferedFileName(11, ".", ""), "Elev_maal.bmp");
}

TEST(OfferedNames, UnsafeCharactersBecomeUnderscores)
{
    EXPECT_EQ(OfferedFileName(1, "", "4/5a"), "4_5a.bmp");
    EXPECT_EQ(OfferedFileName(18, "", "4\\5a"), "4_5a_statistik.bmp");
    EXPECT_EQ(OfferedFileName(3, "a:b*c?d\"e<f>g|h", ""), "a_b_c_d_e_f_g_h_elevforside.bmp");
    EXPECT_EQ(OfferedFileName(3, QString("Bo") + QChar(9) + QChar(0x1F) + QChar(0x7F), ""), "Bo____elevforside.bmp");
    // Letters of any kind stay; so do blanks, dots and dashes inside.
    EXPECT_EQ(OfferedFileName(3, "Søren Ø.-Å", ""), "Søren Ø.-Å_elevforside.bmp");
    EXPECT_EQ(OfferedFileName(1, "", "../4a"), ".._4a.bmp");
    // All unsafe is still a name: one that says what it was.
    EXPECT_EQ(OfferedFileName(1, "", "//"), "__.bmp");
    Page::PictureName pdf{Page::PictureName::Elev, "_maal"};
    EXPECT_EQ(OfferedFileName(pdf, "Ida", "4a", ".pdf"), "Ida_maal.pdf");
}

TEST(PictureFormats, TheExtensionDecides)
{
    EXPECT_EQ(PictureFormatOf("a/b/Ida.bmp"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatOf("Ida.BMP"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatOf("Ida.Png"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatOf("Ida.pdf"), PictureFormat::Pdf);
    EXPECT_FALSE(PictureFormatOf("Ida.jpg"));
    EXPECT_FALSE(PictureFormatOf("Ida"));
    EXPECT_FALSE(PictureFormatOf("bmp"));
}

// ---- device pixels ----

TEST(DevicePixels, TheAreaIsCutInTheCapturesOwnPixels)
{
    EXPECT_EQ(DeviceRect(QRect(178, 0, 924, 900), 1.0), QRect(178, 0, 924, 900));
    EXPECT_EQ(DeviceRect(QRect(178, 0, 924, 900), 2.0), QRect(356, 0, 1848, 1800));
    // 1.5: each edge rounded on its own, so areas side by side still meet.
    EXPECT_EQ(DeviceRect(QRect(3, 1, 5, 3), 1.5), QRect(5, 2, 7, 4));
    EXPECT_EQ(DeviceRect(QRect(8, 0, 5, 1), 1.5).left(), DeviceRect(QRect(3, 1, 5, 3), 1.5).right() + 1);

    // A capture at ratio 2 of a 10 x 6 widget: the area (2, 1, 5, 3) is the
    // 10 x 6 device pixels from (4, 2), exactly those.
    QImage capture = pattern(20, 12);
    capture.setDevicePixelRatio(2.0);
    const QImage cut = PagePicture(capture, QRect(2, 1, 5, 3));
    ASSERT_EQ(cut.size(), QSize(10, 6));
    EXPECT_EQ(cut.format(), QImage::Format_RGB888);
    EXPECT_EQ(cut.devicePixelRatio(), 1.0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(cut.pixel(x, y), capture.pixel(x + 4, y + 2)) << x << "," << y;
    // At ratio 1 the area is taken as it stands; beyond the capture it is cut.
    QImage plain = pattern(20, 12);
    EXPECT_EQ(PagePicture(plain, QRect(2, 1, 5, 3)), plain.copy(2, 1, 5, 3));
    EXPECT_EQ(PagePicture(plain, QRect(15, 0, 10, 12)).size(), QSize(5, 12));
    EXPECT_TRUE(PagePicture(plain, QRect(30, 0, 10, 12)).isNull());
    // A capture with an alpha channel comes out as 24 bits all the same.
    QImage argb = pattern(4, 4).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(PagePicture(argb, QRect(0, 0, 4, 4)).format(), QImage::Format_RGB888);
}

// ---- files ----

TEST(SavedPictures, BitmapsAre24BitUncompressedAndReadBackPixelForPixel)
{
    TempDir dir;
    // Widths around the four-byte row boundary, and the student page's.
    for (const QSize size : {QSize(1, 1), QSize(2, 3), QSize(3, 2), QSize(4, 1), QSize(5, 2), QSize(7, 3),
                             QSize(8, 2), QSize(9, 5), QSize(15, 1), QSize(17, 2), QSize(1707, 3)}) {
        const QImage picture = pattern(size.width(), size.height());
        const QString file = QString::fromStdString(dir.file("p.bmp"));
        ASSERT_TRUE(SavePagePicture(picture, file, PictureFormat::Bmp));
        const auto bytes = ReadAll(file.toStdString());
        const BmpHeader h = readBmpHeader(bytes);
        const std::uint32_t row = (std::uint32_t(size.width()) * 3 + 3) / 4 * 4;
        EXPECT_EQ(h.headerSize, 40u);
        EXPECT_EQ(h.width, size.width());
        EXPECT_EQ(h.height, size.height());
        EXPECT_EQ(h.planes, 1);
        EXPECT_EQ(h.bitCount, 24);
        EXPECT_EQ(h.compression, 0u);
        // The image size counts the rows' padding.
        EXPECT_EQ(h.imageSize, row * std::uint32_t(size.height())) << size.width();
        EXPECT_EQ(h.fileSize, std::uint32_t(bytes.size()));
        EXPECT_EQ(h.dataOffset + h.imageSize, std::uint32_t(bytes.size()));
        const QImage back(file);
        ASSERT_EQ(back.size(), size);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                ASSERT_EQ(back.pixel(x, y), picture.pixel(x, y)) << size.width() << ": " << x << "," << y;
    }
}

TEST(SavedPictures, PngAndOnePagePdf)
{
    TempDir dir;
    const QImage picture = pattern(171, 108);
    const QString png = QString::fromStdString(dir.file("p.png"));
    ASSERT_TRUE(SavePagePicture(picture, png, PictureFormat::Png));
    EXPECT_EQ(QImageReader(png).format(), "png");
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB888), picture);

    const QString pdf = QString::fromStdString(dir.file("p.pdf"));
    ASSERT_TRUE(SavePagePicture(picture, pdf, PictureFormat::Pdf));
    EXPECT_EQ(pdfPages(pdf), 1);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // The picture itself, whole, on an A4 page turned for a wide picture.
    EXPECT_TRUE(bytes.contains("/Width 171")) << "the picture is not in the PDF";
    EXPECT_TRUE(bytes.contains("/Height 108"));
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 841.") || bytes.contains("/MediaBox [0 0 842"));
}

TEST(SavedPictures, AFailedSaveLeavesTheOldFile)
{
    TempDir dir;
    const QString file = QString::fromStdString(dir.file("p.bmp"));
    ASSERT_TRUE(SavePagePicture(pattern(5, 5), file, PictureFormat::Bmp));
    const auto before = ReadAll(file.toStdString());
    EXPECT_FALSE(SavePagePicture(QImage(), file, PictureFormat::Bmp));
    EXPECT_FALSE(SavePagePicture(pattern(5, 5), QString::fromStdString(dir.file("ikke/her.bmp")), PictureFormat::Bmp));
    EXPECT_FALSE(SavePagePicture(pattern(5, 5), QString::fromStdString(dir.file("ikke/her.pdf")), PictureFormat::Pdf));
    EXPECT_EQ(ReadAll(file.toStdString()), before);
    EXPECT_FALSE(std::filesystem::exists(dir.file("ikke")));
    // Paper that cannot be opened: nothing drawn, said as a failure.
    QPdfWriter nowhere(QString::fromStdString(dir.file("ikke/her.pdf")));
    EXPECT_FALSE(DrawPictureOnPaper(nowhere, pattern(5, 5)));
}

// ---- pages drawn without a window on screen ----

TEST_F(PagePictures, PagesOneAndThreeAtFullHd)
{
    auto w = start();
    const std::pair<int, QSize> cases[] = {{1, {1706, 1080}}, {3, {1492, 1080}}};
    for (const auto& [n, size] : cases) {
        const QImage picture = RenderPagePicture(*w, n, QSize(1920, 1080));
        ASSERT_EQ(picture.size(), size) << "page " << n;
        const QString file = QString::fromStdString(dir.file("side.bmp"));
        ASSERT_TRUE(SavePagePicture(picture, file, PictureFormat::Bmp));
        const BmpHeader h = readBmpHeader(ReadAll(file.toStdString()));
        EXPECT_EQ(h.width, size.width());
        EXPECT_EQ(h.height, size.height());
        EXPECT_EQ(h.bitCount, 24);
        EXPECT_EQ(h.compression, 0u);
    }
    // At 1280 x 900 the overview's class panel reaches x = 1243 in the
    // window: the picture holds it whole, with background on both sides.
    const QImage overview = RenderPagePicture(*w, 1, QSize(1280, 900));
    EXPECT_EQ(overview.size(), QSize(1280 - 178, 900));
}

TEST_F(PagePictures, EveryPageDrawsItsAreaAndNothingIsChangedOrWritten)
{
    auto w = start();
    w->ShowPage(1);
    const auto before = ReadAll(klaPath);
    std::vector<std::pair<std::string, std::vector<unsigned char>>> pupils;
    for (int i = 0; i < w->AktivKlasse().ElevCount(); ++i)
        pupils.emplace_back(w->AktivKlasse().ElevFilNavn(i), ReadAll(w->AktivKlasse().ElevFilNavn(i)));
    const int leaves = w->AktivElev()->GrenCount();
    // At 1024 x 768 the columns are 89 * 1.6 = 142 wide; the student page,
    // the face editors and the measurements have one on either side, every
    // other page the left one only.
    const QSize size(1024, 768);
    for (int n = 1; n <= 18; ++n) {
        if (n == 2)
            continue;
        const QImage picture = RenderPagePicture(*w, n, size);
        ASSERT_FALSE(picture.isNull()) << "page " << n;
        const bool twoColumns = n >= 3 && n <= 11;
        EXPECT_EQ(picture.size(), QSize(twoColumns ? 1024 - 284 : 1024 - 142, 768)) << "page " << n;
        // The page shown before is back, at the window's size.
        EXPECT_EQ(w->AktivSide(), 1) << "page " << n;
        EXPECT_EQ(w->PageAt(n)->size(), w->centralWidget()->size()) << "page " << n;
        EXPECT_FALSE(w->AktivKlasse().Aendret()) << "page " << n;
        EXPECT_FALSE(w->AktivElev()->Aendret()) << "page " << n;
    }
    // The class setup has no picture.
    EXPECT_TRUE(RenderPagePicture(*w, 2, size).isNull());
    EXPECT_TRUE(RenderPagePicture(*w, 0, size).isNull());
    EXPECT_EQ(w->AktivSide(), 1);
    // The demo pupils have their own and a fresh leaf: the tree added none.
    EXPECT_EQ(w->AktivElev()->GrenCount(), leaves);
    w.reset();
    EXPECT_EQ(ReadAll(klaPath), before);
    for (const auto& [file, bytes] : pupils)
        EXPECT_EQ(ReadAll(file), bytes) << file;
}

// Every page says its own printed area: the page right of its left column,
// less the right column where it has one, from top to bottom, whatever the
// screen. The columns are found on the page as it is laid out.
TEST_F(PagePictures, EveryPagePrintsRightOfItsLeftColumnAndLeftOfItsRightOne)
{
    auto w = start();
    for (const QSize screen : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080)}) {
        w->resize(screen.width(), screen.height() + w->menuWidget()->sizeHint().height());
        for (int n = 1; n <= 18; ++n) {
            if (n == 2)
                continue;
            w->ShowPage(n);
            QApplication::processEvents();
            Page* p = w->PageAt(n);
            ASSERT_EQ(p->size(), screen) << "page " << n;
            int left = 0, right = p->width();
            for (const SidePanel* column : p->findChildren<SidePanel*>(Qt::FindDirectChildrenOnly)) {
                if (!column->isVisible())
                    continue;
                if (column->x() == 0)
                    left = std::max(left, column->width());
                else if (column->geometry().right() == p->width() - 1)
                    right = std::min(right, column->x());
            }
            ASSERT_GT(left, 89) << "page " << n << " has no left column";
            const bool twoColumns = n >= 3 && n <= 11;
            EXPECT_EQ(right < p->width(), twoColumns) << "page " << n;
            EXPECT_EQ(p->PrintArea(), QRect(left, 0, right - left, screen.height()))
                << "page " << n << " at " << screen.width() << " x " << screen.height();
        }
    }
}

TEST_F(PagePictures, EveryPageOffersItsOwnName)
{
    auto w = start();
    const char* const want[19] = {
        "",                       "4a.bmp",             "",                   "Ida_elevforside.bmp",
        "Ida_ansigt.bmp",         "Ida_haar.bmp",       "Ida_oje.bmp",        "Ida_bryn.bmp",
        "Ida_mund.bmp",           "Ida_nase.bmp",       "Ida_brille.bmp",     "Ida_maal.bmp",
        "4a_hobbies.bmp",         "Ida_hobby.bmp",      "Ida_stamtra.bmp",    "Ida_stamgren.bmp",
        "Ida_poesibog.bmp",       "Ida_baggrunde.bmp",  "4a_statistik.bmp"};
    for (int n = 1; n <= 18; ++n)
        EXPECT_EQ(OfferedFileName(w->PageAt(n)->PrintName(), "Ida", "4a"), QString::fromLatin1(want[n]))
            << "page " << n;
    EXPECT_TRUE(w->PageAt(2)->PrintsItself());
}
