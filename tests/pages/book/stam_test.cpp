// The family tree page, driven with the mouse through the main window: leaves
// dragged from the strip into the bands, moved, deleted, selected; what is
// stored, what is asked, and what the page shows.
#include "../../support/scripted_dialogs.h"
#include "../../support/tempdir.h"
#include "../../support/test_main.h"
#include "canvas.h"
#include "chrome.h"
#include "datefmt.h"
#include "democlass.h"
#include "drawing.h"
#include "elev.h"
#include "grenfoto.h"
#include "klasse.h"
#include "mainwindow.h"
#include "portrait.h"
#include "qansi.h"
#include "stamform.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <map>

namespace {

std::string cp1252(const char* utf8)
{
    return ansi::FromQString(QString::fromUtf8(utf8)).value();
}

QByteArray bytesOf(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QPoint centreOf(const IntRect& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

int countPixels(const QImage& img, const IntRect& r, QRgb colour)
{
    int n = 0;
    for (int y = std::max(0, r.top); y < std::min(img.height(), r.bottom); ++y)
        for (int x = std::max(0, r.left); x < std::min(img.width(), r.right); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

Pixels24 solidPhoto(std::uint8_t b, std::uint8_t g, std::uint8_t r)
{
    Pixels24 p(kPhotoWidth, kPhotoHeight);
    for (std::size_t k = 0; k < p.data.size(); k += 3) {
        p.data[k] = b;
        p.data[k + 1] = g;
        p.data[k + 2] = r;
    }
    return p;
}

// The pupil's own leaf and the fresh one waiting, as every tree starts.
void ownAndFresh(tElev& e)
{
    e.AddGren(1);
    e.AddGren(0);
}

// A relative on band \a row, \a x of the way across the page.
int relative(tElev& e, int row, double x)
{
    const int g = e.AddGren(2);
    e.SetGrenRaekke(g, std::uint8_t(row));
    e.SetGrenXpos(g, x);
    return g;
}

struct StamPage : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    // A pupil "Ida" whose tree \a build makes, written to a file.
    std::string makePupil(const std::function<void(tElev&)>& build = {})
    {
        tElev e;
        (void)e.SetKaldenavn("Ida");
        (void)e.SetFuldeNavn("Ida Jensen");
        if (build)
            build(e);
        e.SetAendret();
        path = dir.file("4a_Ida.ele");
        EXPECT_TRUE(e.SaveToFile(path));
        return path;
    }

    std::unique_ptr<TMain> open(const std::string& ele)
    {
        TMain::Options o = TestMainOptions(dialogs, ele);
        auto w = StartTestMain(o);
        EXPECT_EQ(w->AktivSide(), 3);
        return w;
    }

    TStamForm* show(TMain& w)
    {
        w.ShowPage(14);
        QApplication::processEvents();
        auto* f = static_cast<TStamForm*>(w.PageAt(14));
        f->StamPaintBox->grab();   // painted once, as on screen
        return f;
    }

    static int d(TStamForm* f) { return f->TreeHeight() / 10; }
    // A point in the middle of band \a row at a fraction of the width.
    static QPoint band(TStamForm* f, int row, double x)
    {
        return {int(std::lround(x * f->TreeWidth())), (2 * row + 1) * d(f) + d(f) / 2};
    }
    static QPoint leaf(TMain& w, int i) { return centreOf(w.AktivElev()->GrenRect(i)); }

    // Press, move in steps (the first beyond the drag distance), release.
    static void drag(TStamForm* f, QPoint from, QPoint to, int steps = 5)
    {
        QWidget* box = f->StamPaintBox;
        QTest::mousePress(box, Qt::LeftButton, {}, from);
        for (int k = 1; k <= steps; ++k)
            QTest::mouseMove(box, from + (to - from) * k / steps);
        QTest::mouseRelease(box, Qt::LeftButton, {}, to);
        QApplication::processEvents();
    }
    static void click(TStamForm* f, QPoint p)
    {
        QTest::mouseClick(f->StamPaintBox, Qt::LeftButton, {}, p);
        QApplication::processEvents();
    }
    static int count(const tElev& e, int art)
    {
        int n = 0;
        for (int i = 0; i < e.GrenCount(); ++i)
            n += e.GrenArt(i) == art;
        return n;
    }

    ScriptedDialogs dialogs;
    TempDir dir;
    std::string path;
};

} // namespace

TEST_F(StamPage, AnEmptyTreeGetsItsOwnLeafOnTopAndAFreshLeafBelowWithoutAWrite)
{
    makePupil();
    const QByteArray before = bytesOf(path);
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    ASSERT_EQ(e.GrenCount(), 2);
    const int fresh = e.FindGren(0), own = e.FindGren(1);
    ASSERT_GE(fresh, 0);
    ASSERT_GE(own, 0);
    EXPECT_EQ(e.GrenTekstOf(own, GrenTekst::Bladnavn), "Ida");
    EXPECT_EQ(e.GrenTekstOf(own, GrenTekst::FuldeNavn), "Ida Jensen");
    EXPECT_EQ(e.GrenTekstOf(own, GrenTekst::ErMin), "Mig selv");
    const int W = f->TreeWidth(), u = d(f);
    EXPECT_EQ(leaf(*w, own), QPoint(W / 2, u + u / 2));
    EXPECT_EQ(leaf(*w, fresh), QPoint(W / 2, 9 * u + u / 2));
    EXPECT_EQ(f->StamPaintBox->geometry(), QRect(f->S(89), 0, f->DrawingWidth(), f->height()));
    EXPECT_EQ(f->PrintArea(), f->StamPaintBox->geometry());
    EXPECT_FALSE(f->RedigerSpeed->isEnabled());
    EXPECT_FALSE(f->DataPanel->isVisible());

    // Looking is not changing: leaving writes nothing.
    EXPECT_FALSE(e.Aendret());
    f->BackSpeed->click();
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_EQ(f->BackSpeed->toolTip(), "Tilbage til elev-forsiden");
    EXPECT_EQ(f->RedigerSpeed->toolTip(), "Rediger den valgte person");
}

TEST_F(StamPage, TheFreshLeafDroppedInBandOneBecomesASelectedRelative)
{
    makePupil();
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    const int fresh = e.FindGren(0);
    drag(f, leaf(*w, fresh), band(f, 1, 0.25));

    EXPECT_EQ(e.GrenArt(fresh), 2);
    EXPECT_EQ(e.GrenRaekke(fresh), 1);
    EXPECT_NEAR(e.GrenXpos(fresh), 0.25, 1.0 / f->TreeWidth());
    EXPECT_TRUE(e.GrenValgt(fresh));
    EXPECT_EQ(f->Selected(), fresh);
    EXPECT_TRUE(f->DataPanel->isVisible());
    EXPECT_TRUE(f->RedigerSpeed->isEnabled());
    EXPECT_EQ(f->NavnePanel->text(), "");
    EXPECT_EQ(f->ErMinPanel->text(), "");
    EXPECT_TRUE(e.Aendret());
    // Snapped to the middle of its band, and a new fresh leaf waits below.
    EXPECT_EQ(leaf(*w, fresh).y(), 3 * d(f) + d(f) / 2);
    EXPECT_EQ(count(e, 0), 1);
    EXPECT_EQ(leaf(*w, e.FindGren(0)), QPoint(f->TreeWidth() / 2, 9 * d(f) + d(f) / 2));

    // No photo yet: the empty frame at 3:4 of the panel's width.
    const QImage shown = f->DataPaintBox->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage expected(shown.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        Canvas c(&expected);
        DrawPhotoFrame(c, {0, 0, expected.width(), MulDiv(expected.width(), 4, 3)});
    }
    EXPECT_EQ(shown, expected);
}

TEST_F(StamPage, AFreshLeafInTheTopRowBecomesThePupilWhenTheOwnLeafIsGone)
{
    makePupil([](tElev& e) { e.AddGren(0); });   // no own leaf in the file ...
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    ASSERT_EQ(e.GrenCount(), 2);   // ... the page puts it there
    // The own leaf into the strip: it has texts, so the page asks.
    dialogs.choices = {0};
    drag(f, leaf(*w, e.FindGren(1)), band(f, 4, 0.8));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Vil du slette \"Ida\" fra stamtræet?");
    EXPECT_EQ(e.FindGren(1), -1);

    // The fresh leaf in the top row is the pupil again; in another row it
    // is a relative.
    drag(f, leaf(*w, e.FindGren(0)), band(f, 0, 0.3));
    const int own = e.FindGren(1);
    ASSERT_GE(own, 0);
    EXPECT_EQ(e.GrenTekstOf(own, GrenTekst::Bladnavn), "Ida");
    EXPECT_EQ(e.GrenTekstOf(own, GrenTekst::ErMin), "Mig selv");
    EXPECT_EQ(f->NavnePanel->text(), "Ida");
    EXPECT_EQ(f->ErMinPanel->text(), "Mig selv");
    drag(f, leaf(*w, e.FindGren(0)), band(f, 0, 0.7));
    EXPECT_EQ(count(e, 1), 1);
    EXPECT_EQ(count(e, 2), 1);
    EXPECT_EQ(count(e, 0), 1);

    // The fresh leaf dropped in its own strip, or nowhere, stays fresh.
    const int fresh = e.FindGren(0);
    drag(f, leaf(*w, fresh), band(f, 4, 0.2));
    drag(f, leaf(*w, fresh), QPoint(f->TreeWidth() / 2, d(f) / 2));
    EXPECT_EQ(e.GrenArt(fresh), 0);
    EXPECT_EQ(e.GrenCount(), 3);
    EXPECT_EQ(leaf(*w, fresh), QPoint(f->TreeWidth() / 2, 9 * d(f) + d(f) / 2));
}

TEST_F(StamPage, DeletingARelativeAsksOnlyWhenThereIsSomethingToLose)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
        const int bare = e.AddGren(2);   // nothing on it
        e.SetGrenRaekke(bare, 1);
        e.SetGrenXpos(bare, 0.2);
        const int mormor = relative(e, 2, 0.4);
        (void)e.SetGrenTekst(mormor, GrenTekst::Bladnavn, "Grethe");
        EXPECT_TRUE(e.SetGrenFoto(mormor, solidPhoto(10, 20, 30)));
        const int noted = e.AddGren(2);   // a note, no name
        e.SetGrenRaekke(noted, 3);
        e.SetGrenXpos(noted, 0.6);
        (void)e.SetGrenTekst(noted, GrenTekst::Notat, "Bor i Odense");
        const int pictured = e.AddGren(2);   // a photo and nothing else
        e.SetGrenRaekke(pictured, 0);
        e.SetGrenXpos(pictured, 0.8);
        EXPECT_TRUE(e.SetGrenFoto(pictured, solidPhoto(1, 2, 3)));
    });
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    ASSERT_EQ(e.GrenCount(), 6);

    // Nothing to lose: gone at once.
    drag(f, leaf(*w, 2), band(f, 4, 0.2));
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_EQ(e.GrenCount(), 5);
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Bladnavn), "Grethe");
    EXPECT_EQ(f->Selected(), -1);
    EXPECT_FALSE(f->DataPanel->isVisible());

    // A photo: asked, "Nej" puts her back where she was.
    const IntRect where = e.GrenRect(2);
    dialogs.choices = {1};
    drag(f, leaf(*w, 2), band(f, 4, 0.9));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Slet");
    EXPECT_EQ(dialogs.messages[0].text, "Vil du slette \"Grethe\" fra stamtræet?");
    EXPECT_EQ(dialogs.chooseButtons[0], (QStringList{"Ja", "Nej"}));
    // Enter and Esc both keep her: a slip of the hand must not delete.
    EXPECT_EQ(dialogs.chooseKeys[0], std::make_pair(1, 1));
    ASSERT_EQ(e.GrenCount(), 5);
    EXPECT_EQ(e.GrenRaekke(2), 2);
    EXPECT_DOUBLE_EQ(e.GrenXpos(2), 0.4);
    EXPECT_EQ(e.GrenRect(2), where);
    EXPECT_TRUE(e.GrenHarFoto(2));

    // "Ja": gone with her photo.
    dialogs.choices = {0};
    drag(f, leaf(*w, 2), band(f, 4, 0.9));
    ASSERT_EQ(e.GrenCount(), 4);
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Notat), "Bor i Odense");

    // A note without a name.
    dialogs.choices = {0};
    drag(f, leaf(*w, 2), band(f, 4, 0.9));
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].text, "Vil du slette denne person fra stamtræet?");
    EXPECT_EQ(e.GrenCount(), 3);

    // A photo without a word: asked all the same.
    dialogs.choices = {0};
    drag(f, leaf(*w, 2), band(f, 4, 0.1));
    ASSERT_EQ(dialogs.messages.size(), 4u);
    EXPECT_EQ(dialogs.messages[3].text, "Vil du slette denne person fra stamtræet?");
    ASSERT_EQ(e.GrenCount(), 2);
    for (int i = 0; i < e.GrenCount(); ++i)
        EXPECT_FALSE(e.GrenHarFoto(i));

    // Kept when leaving.
    f->BackSpeed->click();
    EXPECT_EQ(tElev::LoadFromFile(path)->GrenCount(), 2);
}

TEST_F(StamPage, ADropBetweenBandsOrOutsideLeavesTheLeafWhereItWas)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
        relative(e, 2, 0.3);
    });
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    const IntRect where = e.GrenRect(2);
    const QPoint gaps[] = {QPoint(f->TreeWidth() / 2, 2 * d(f) + d(f) / 2),   // between bands 0 and 1
                           QPoint(f->TreeWidth() / 2, d(f) / 2),              // above the top band
                           QPoint(-20, 5 * d(f) + d(f) / 2),                  // left of the page
                           QPoint(f->TreeWidth() + 20, 5 * d(f) + d(f) / 2)};
    for (QPoint to : gaps) {
        drag(f, centreOf(where), to);
        EXPECT_EQ(e.GrenRaekke(2), 2);
        EXPECT_DOUBLE_EQ(e.GrenXpos(2), 0.3);
        EXPECT_EQ(e.GrenRect(2), where);
        EXPECT_FALSE(f->Dragging());
    }
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(e.Aendret());

    // Moved within its band and to another one.
    drag(f, centreOf(where), band(f, 2, 0.6));
    EXPECT_EQ(e.GrenRaekke(2), 2);
    EXPECT_NEAR(e.GrenXpos(2), 0.6, 1.0 / f->TreeWidth());
    drag(f, leaf(*w, 2), band(f, 3, 0.6));
    EXPECT_EQ(e.GrenRaekke(2), 3);
    EXPECT_EQ(leaf(*w, 2).y(), 7 * d(f) + d(f) / 2);
}

TEST_F(StamPage, SelectingTheFreshLeafShowsNoDataAndKeepsEditingOff)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
    });
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    click(f, leaf(*w, 1));
    const int backgrounds = f->BackgroundDraws(), trees = f->TreeDraws();
    EXPECT_GE(backgrounds, 1);
    EXPECT_EQ(f->Selected(), 1);
    EXPECT_TRUE(e.GrenValgt(1));
    EXPECT_FALSE(f->RedigerSpeed->isEnabled());
    EXPECT_FALSE(f->DataPanel->isVisible());

    click(f, leaf(*w, 0));
    EXPECT_EQ(f->Selected(), 0);
    EXPECT_FALSE(e.GrenValgt(1));
    EXPECT_TRUE(f->RedigerSpeed->isEnabled());
    EXPECT_TRUE(f->DataPanel->isVisible());

    // A click repaints the leaves it changed: no background, no whole tree.
    f->StamPaintBox->repaint(QRect(leaf(*w, 0), QSize(2, 2)));
    EXPECT_EQ(f->BackgroundDraws(), backgrounds);
    EXPECT_EQ(f->TreeDraws(), trees);
    // Another page drew into the shared page bitmap: drawn again.
    {
        Canvas c(&Drawing().PageBitmap);
        DrawPageLayout(c, "elev");
    }
    f->StamPaintBox->repaint();
    EXPECT_EQ(f->BackgroundDraws(), backgrounds + 1);

    click(f, QPoint(5, 5));   // nothing there: nothing selected
    EXPECT_EQ(f->Selected(), -1);
    EXPECT_EQ(e.LastValgtGren(), -1);
    EXPECT_FALSE(f->RedigerSpeed->isEnabled());
    EXPECT_FALSE(f->DataPanel->isVisible());
    // Selection is not stored: nothing to write.
    EXPECT_FALSE(e.Aendret());
}

TEST(StamBands, EachBandFromItsTopToJustAboveTheNextGap)
{
    const int W = 500, H = 455, d = 45;   // H div 10
    for (int row = 0; row < 5; ++row) {
        const int top = (2 * row + 1) * d, bottom = (2 * row + 2) * d;
        EXPECT_EQ(StamBandAt(W, H, 0, top), row);
        EXPECT_EQ(StamBandAt(W, H, W - 1, bottom - 1), row);
        EXPECT_EQ(StamBandAt(W, H, 10, top - 1), -1) << row;
        EXPECT_EQ(StamBandAt(W, H, 10, bottom), -1) << row;
        EXPECT_EQ(StamBandAt(W, H, -1, top), -1);
        EXPECT_EQ(StamBandAt(W, H, W, top), -1);
    }
    EXPECT_EQ(StamBandAt(W, H, 10, 454), -1);   // below the strip, above the page's end
    EXPECT_EQ(StamBandAt(W, H, 10, H), -1);
    EXPECT_EQ(StamBandAt(W, 9, 0, 0), -1);      // a page too small for bands
    EXPECT_EQ(LeafHalfWidth(450), 41);
    EXPECT_EQ(LeafRectAt(640, 450, 4, 320), (IntRect{279, 409, 361, 445}));
}

TEST_F(StamPage, LeafCentresRoundHalvesToEven)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
        relative(e, 1, 0.75);
        const int h = e.AddGren(2);
        e.SetGrenXpos(h, 0.25);
    });
    auto w = open(path);
    auto* f = show(*w);
    // A page 450 high whose tree is 1102 wide (the column's width follows
    // the page's scale, so it takes a second step).
    for (int k = 0; k < 3 && !(f->TreeWidth() == 1102 && f->height() == 450); ++k)
        f->resize(f->width() + 1102 - f->TreeWidth(), 450);
    ASSERT_EQ(f->TreeWidth(), 1102);
    ASSERT_EQ(f->TreeHeight(), 450);
    const tElev& e = *w->AktivElev();
    EXPECT_EQ(leaf(*w, 2).x(), 826);   // 826.5 goes to the even neighbour
    EXPECT_EQ(leaf(*w, 3).x(), 276);   // 275.5 likewise
    // u = 45, h = 22, m = 4: a leaf is 82 x 36, centred in its band.
    EXPECT_EQ(e.GrenRect(2), (IntRect{826 - 41, 157 - 18, 826 + 41, 157 + 18}));
}

TEST_F(StamPage, TheLeafOnTopTakesTheClick)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
        for (const char* name : {"Under", "Over"}) {
            const int g = relative(e, 2, 0.3);
            (void)e.SetGrenTekst(g, GrenTekst::Bladnavn, name);
        }
    });
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    ASSERT_EQ(e.GrenRect(2), e.GrenRect(3));
    click(f, leaf(*w, 2));
    EXPECT_EQ(f->Selected(), 3);
    EXPECT_EQ(f->NavnePanel->text(), "Over");
    // And the drag takes the one on top too.
    drag(f, leaf(*w, 3), band(f, 1, 0.7));
    EXPECT_EQ(e.GrenRaekke(3), 1);
    EXPECT_EQ(e.GrenRaekke(2), 2);
    EXPECT_EQ(f->HitTest(leaf(*w, 2)), 2);
}

TEST_F(StamPage, ALeafDraggedOffThePageStaysWhollyOnIt)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
        relative(e, 1, 0.5);
    });
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    const int W = f->TreeWidth();
    const int half = LeafHalfWidth(f->TreeHeight());
    // Grabbed at its right edge, let go at the page's left edge (the leaf
    // would lie wholly outside) ...
    IntRect r = e.GrenRect(2);
    drag(f, QPoint(r.right - 2, leaf(*w, 2).y()), QPoint(0, band(f, 1, 0).y()));
    EXPECT_EQ(e.GrenRaekke(2), 1);
    EXPECT_EQ(e.GrenRect(2).left, 0);
    EXPECT_NEAR(e.GrenXpos(2), double(half) / W, 1.0 / W);
    // ... and at its left edge to the right edge.
    r = e.GrenRect(2);
    drag(f, QPoint(r.left + 1, leaf(*w, 2).y()), QPoint(W - 1, band(f, 1, 0).y()));
    EXPECT_EQ(e.GrenRect(2).right, W);
    // Still there to be clicked.
    click(f, QPoint(W - 3, leaf(*w, 2).y()));
    EXPECT_EQ(f->Selected(), 2);

    // While it is dragged, too.
    QTest::mousePress(f->StamPaintBox, Qt::LeftButton, {}, leaf(*w, 2));
    QTest::mouseMove(f->StamPaintBox, leaf(*w, 2) + QPoint(0, 20));
    QTest::mouseMove(f->StamPaintBox, QPoint(-500, -500));
    ASSERT_TRUE(f->Dragging());
    EXPECT_EQ(e.GrenRect(2).left, 0);
    EXPECT_EQ(e.GrenRect(2).top, 0);
    QTest::mouseRelease(f->StamPaintBox, Qt::LeftButton, {}, QPoint(-500, -500));
    EXPECT_EQ(e.GrenRaekke(2), 1);   // dropped outside: back in its band
}

TEST_F(StamPage, ThePaintBoxHasItsOwnHandCursor)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
    });
    auto w = open(path);
    auto* f = show(*w);
    auto hover = [&](QPoint p) {
        QMouseEvent move(QEvent::MouseMove, p, f->StamPaintBox->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(f->StamPaintBox, &move);
    };
    hover(leaf(*w, 0));
    EXPECT_EQ(f->StamPaintBox->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_NE(w->PageAt(3)->cursor().shape(), Qt::PointingHandCursor);
    hover(QPoint(3, 3));
    EXPECT_EQ(f->StamPaintBox->cursor().shape(), Qt::ArrowCursor);
    // Leaving the page over a leaf leaves no hand behind.
    hover(leaf(*w, 0));
    w->ShowPage(3);
    EXPECT_EQ(f->StamPaintBox->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(StamPage, StoredKindsRowsAndPlacesAreShownSafelyAndRewrittenOnlyWhenMoved)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    makePupil([&](tElev& e) {
        e.AddGren(1);
        const int odd = e.AddGren(2);   // 0: an unknown kind, far below the page
        e.SetGrenArt(odd, 7);
        e.SetGrenRaekke(odd, 200);
        e.SetGrenXpos(odd, 1e300);
        (void)e.SetGrenTekst(odd, GrenTekst::Bladnavn, "Ukendt");
        const int lost = e.AddGren(2);   // a place that is no number
        e.SetGrenRaekke(lost, 1);
        e.SetGrenXpos(lost, nan);
        const int left = e.AddGren(2);
        e.SetGrenRaekke(left, 3);
        e.SetGrenXpos(left, -4.0);
        for (int row : {2, 4, 4}) {   // three fresh leaves, one of them up in the tree
            const int g = e.AddGren(0);
            e.SetGrenRaekke(g, std::uint8_t(row));
            e.SetGrenXpos(g, 0.2 + 0.3 * (row == 2));
        }
    });
    const QByteArray before = bytesOf(path);
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    ASSERT_EQ(e.GrenCount(), 7);   // no leaf added: a fresh one and the own one are there
    const int W = f->TreeWidth(), H = f->TreeHeight();
    for (int i = 0; i < e.GrenCount(); ++i) {
        const IntRect r = e.GrenRect(i);
        EXPECT_GE(r.left, 0) << i;
        EXPECT_LE(r.right, W) << i;
        EXPECT_GE(r.top, 0) << i;
        EXPECT_LE(r.bottom, H) << i;
    }
    const int strip = 9 * d(f) + d(f) / 2;
    EXPECT_EQ(leaf(*w, 1).y(), strip);   // row 200 shows in the strip
    EXPECT_EQ(leaf(*w, 2), QPoint(W / 2, 3 * d(f) + d(f) / 2));
    for (int i = 4; i < 7; ++i)
        EXPECT_EQ(leaf(*w, i).y(), strip) << i;   // every fresh leaf waits in the strip
    // Nothing rewritten for showing.
    EXPECT_EQ(e.GrenArt(1), 7);
    EXPECT_EQ(e.GrenRaekke(1), 200);
    EXPECT_EQ(e.GrenXpos(1), 1e300);
    EXPECT_TRUE(std::isnan(e.GrenXpos(2)));
    EXPECT_FALSE(e.Aendret());

    // The unknown kind is a person: selected with its data, moved like one.
    click(f, leaf(*w, 1));
    EXPECT_EQ(f->Selected(), 1);
    EXPECT_TRUE(f->DataPanel->isVisible());
    EXPECT_EQ(f->NavnePanel->text(), "Ukendt");
    drag(f, leaf(*w, 1), band(f, 2, 0.8));
    EXPECT_EQ(e.GrenArt(1), 2);
    EXPECT_EQ(e.GrenRaekke(1), 2);
    EXPECT_NEAR(e.GrenXpos(1), 0.8, 1.0 / W);
    EXPECT_TRUE(std::isnan(e.GrenXpos(2)));   // the others are as they were
    EXPECT_EQ(e.GrenXpos(3), -4.0);

    // Each fresh leaf can be dragged in; a new one comes only after the last.
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(count(e, 0), 3 - n);
        const int top = f->HitTest(QPoint(int(std::lround(0.2 * W)), strip)) >= 0
            ? f->HitTest(QPoint(int(std::lround(0.2 * W)), strip))
            : f->HitTest(QPoint(int(std::lround(0.5 * W)), strip));
        ASSERT_GE(top, 0) << n;
        ASSERT_EQ(e.GrenArt(top), 0);
        drag(f, leaf(*w, top), band(f, 3, 0.2 + 0.25 * n));
        EXPECT_EQ(e.GrenArt(top), 2) << n;
        EXPECT_EQ(e.GrenRaekke(top), 3) << n;
    }
    EXPECT_EQ(count(e, 0), 1);
    EXPECT_EQ(e.GrenCount(), 8);
    EXPECT_EQ(bytesOf(path), before);   // never written yet ...
    f->BackSpeed->click();
    EXPECT_NE(bytesOf(path), before);   // ... and now it is
}

TEST_F(StamPage, TheDragRedrawsOnlyWhatTheLeafLeftAndEntered)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
        for (int k = 0; k < 6; ++k) {
            const int g = e.AddGren(2);
            e.SetGrenRaekke(g, std::uint8_t(k % 4));
            e.SetGrenXpos(g, 0.1 + 0.13 * k);
            (void)e.SetGrenTekst(g, GrenTekst::Bladnavn, "Navn");
        }
    });
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    const int i = 4;
    const QPoint from = leaf(*w, i);
    const IntRect start = e.GrenRect(i);
    QTest::mousePress(f->StamPaintBox, Qt::LeftButton, {}, from);
    // Below the drag distance: only a selection; at it, the drag begins.
    const int distance = QApplication::startDragDistance();
    QTest::mouseMove(f->StamPaintBox, from + QPoint(distance - 1, 0));
    EXPECT_FALSE(f->Dragging());
    EXPECT_EQ(e.GrenRect(i), start);
    QTest::mouseMove(f->StamPaintBox, from + QPoint(distance / 2, distance - distance / 2));
    EXPECT_TRUE(f->Dragging());
    QTest::mouseMove(f->StamPaintBox, from);
    EXPECT_EQ(e.GrenRect(i), start);
    QApplication::processEvents();
    const int draws = f->TreeDraws();

    const QPoint to = from + QPoint(f->TreeWidth() / 5, d(f));
    for (int k = 1; k <= 10; ++k) {
        QTest::mouseMove(f->StamPaintBox, from + (to - from) * k / 10);
        QApplication::processEvents();
    }
    ASSERT_TRUE(f->Dragging());
    EXPECT_EQ(f->TreeDraws(), draws);   // no whole tree drawn while dragging
    EXPECT_EQ(centreOf(e.GrenRect(i)), to);

    // What the screen shows is the whole tree with the leaf where it went.
    const QImage screen = f->StamPaintBox->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage expected(Drawing().PageBitmap.size(), QImage::Format_RGB32);
    {
        StamTegner t;
        QPainter p(&expected);
        t.DrawTree(p, Drawing().PageBitmap, e, i);
        t.DrawLeaf(p, e.GrenRect(i), true, true, "Navn", f->TreeHeight());
    }
    EXPECT_EQ(screen, expected);
    // And the snapshot beneath has no copy of the leaf at its old place.
    QImage without(expected.size(), QImage::Format_RGB32);
    {
        StamTegner t;
        QPainter p(&without);
        t.DrawTree(p, Drawing().PageBitmap, e, i);
    }
    EXPECT_EQ(screen.copy(QRect(start.left, start.top, start.right - start.left, start.bottom - start.top)),
              without.copy(QRect(start.left, start.top, start.right - start.left, start.bottom - start.top)));

    // Esc: the leaf goes back, nothing changes.
    QTest::keyClick(f->StamPaintBox, Qt::Key_Escape);
    EXPECT_FALSE(f->Dragging());
    EXPECT_EQ(e.GrenRect(i), start);
    QTest::mouseRelease(f->StamPaintBox, Qt::LeftButton, {}, to);
    EXPECT_EQ(e.GrenRect(i), start);
    EXPECT_FALSE(e.Aendret());
}

TEST_F(StamPage, LeavesAndNamesInTheirColours)
{
    // The appearance table, entry by entry.
    EXPECT_EQ(LeafAppearance(true, false).picture, 1);
    EXPECT_EQ(LeafAppearance(true, false).nameColour, 0xC0DCC0u);
    EXPECT_EQ(LeafAppearance(true, true).picture, 2);
    EXPECT_EQ(LeafAppearance(true, true).nameColour, 0x008000u);
    EXPECT_EQ(LeafAppearance(false, false).picture, 3);
    EXPECT_EQ(LeafAppearance(false, false).nameColour, 0x00FFFFu);
    EXPECT_EQ(LeafAppearance(false, true).picture, 4);
    EXPECT_EQ(LeafAppearance(false, true).nameColour, 0x000080u);

    makePupil([](tElev& e) {
        (void)e.SetGrenTekst(e.AddGren(1), GrenTekst::Bladnavn, "Ida");
        e.AddGren(0);
    });
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    (void)e.SetGrenTekst(1, GrenTekst::Bladnavn, "Nyt");   // a name on the fresh leaf shows its colours
    const IntRect own = e.GrenRect(0), fresh = e.GrenRect(1);
    auto shot = [&] { return f->StamPaintBox->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    QImage img = shot();
    EXPECT_GT(countPixels(img, own, qRgb(0xC0, 0xDC, 0xC0)), 5);
    EXPECT_EQ(countPixels(img, own, qRgb(0, 0x80, 0)), 0);
    EXPECT_GT(countPixels(img, fresh, qRgb(0xFF, 0xFF, 0)), 5);
    click(f, leaf(*w, 0));
    img = shot();
    EXPECT_GT(countPixels(img, own, qRgb(0, 0x80, 0)), 5);
    EXPECT_EQ(countPixels(img, own, qRgb(0xC0, 0xDC, 0xC0)), 0);
    click(f, leaf(*w, 1));
    img = shot();
    EXPECT_GT(countPixels(img, fresh, qRgb(0x80, 0, 0)), 5);
    EXPECT_GT(countPixels(img, own, qRgb(0xC0, 0xDC, 0xC0)), 5);

    // Each leaf picture is drawn once and reused: the pixels are those of
    // the picture drawn straight onto the page.
    for (int n = 1; n <= 4; ++n) {
        QImage direct = Drawing().PageBitmap.copy(), kept = direct.copy();
        {
            Canvas c(&direct);
            DrawLeaf(c, n, own);
        }
        StamTegner t;
        for (int twice = 0; twice < 2; ++twice) {
            QPainter p(&kept);
            t.DrawLeaf(p, own, n <= 2, n % 2 == 0, QString(), f->TreeHeight());
        }
        EXPECT_EQ(kept, direct) << n;
    }
}

TEST_F(StamPage, TheBandsAreWhiteBlendedOverTheLayoutFainterDownwards)
{
    makePupil();
    auto w = open(path);
    auto* f = show(*w);
    const QImage& page = Drawing().PageBitmap;
    const int W = f->TreeWidth(), H = f->TreeHeight(), u = H / 10;
    ASSERT_EQ(page.size(), QSize(W, H));
    QImage layout(W, H, QImage::Format_RGB32);
    {
        Canvas c(&layout);
        DrawPageLayout(c, "stam");
    }
    for (int k = 0; k < 4; ++k) {
        const int n = 4 + k;
        // Away from the centred label: the left and right ends of the band.
        for (QPoint p : {QPoint(1, (2 * k + 1) * u), QPoint(W - 2, (2 * k + 2) * u - 1), QPoint(3, (2 * k + 1) * u + u / 2)}) {
            const QRgb under = layout.pixel(p), got = page.pixel(p);
            auto blend = [&](int channel) { return std::min(255, MulDiv(255, 1, n + 1) + MulDiv(channel, n, n + 1)); };
            EXPECT_EQ(qRed(got), blend(qRed(under))) << k << " " << p.x() << "," << p.y();
            EXPECT_EQ(qGreen(got), blend(qGreen(under))) << k;
            EXPECT_EQ(qBlue(got), blend(qBlue(under))) << k;
        }
        // Between the bands the layout is untouched.
        const QPoint gap(W / 3, (2 * k + 2) * u + u / 2);
        EXPECT_EQ(page.pixel(gap), layout.pixel(gap)) << k;
    }
    // The label is there, in black blended as well: some pixel in the middle
    // of band 0 is darker than any white blend of the layout could be.
    int dark = 0;
    for (int x = W / 4; x < 3 * W / 4; ++x) {
        const QPoint p(x, u + u / 2);
        dark += qGray(page.pixel(p)) + 20 < qGray(layout.pixel(p));
    }
    EXPECT_GT(dark, 0);
}

TEST_F(StamPage, ThePhotoIsFittedToThePanel)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
        const int g = e.AddGren(2);
        e.SetGrenRaekke(g, 2);
        (void)e.SetGrenTekst(g, GrenTekst::Bladnavn, "Grethe");
        (void)e.SetGrenTekst(g, GrenTekst::ErMin, "Mormor");
        EXPECT_TRUE(e.SetGrenFoto(g, solidPhoto(200, 100, 50)));   // blue, green, red
    });
    auto w = open(path);
    auto* f = show(*w);
    click(f, leaf(*w, 2));
    EXPECT_EQ(f->NavnePanel->text(), "Grethe");
    EXPECT_EQ(f->ErMinPanel->text(), "Mormor");
    QImage img = f->DataPaintBox->grab().toImage();
    const int pw = img.width(), ph = MulDiv(pw, 4, 3);
    ASSERT_LE(ph, img.height());
    EXPECT_EQ(QColor(img.pixel(pw / 2, ph / 2)), QColor(50, 100, 200));
    EXPECT_EQ(QColor(img.pixel(pw - 1, ph - 1)), QColor(50, 100, 200));
    if (ph < img.height()) {
        EXPECT_EQ(QColor(img.pixel(pw / 2, ph)), QColor(Qt::white));
    }
    // The panel sits in the left column, at the bottom.
    const QRect panel(f->DataPanel->mapTo(f, QPoint(0, 0)), f->DataPanel->size());
    EXPECT_LE(panel.right(), f->S(89));
    EXPECT_LE(panel.bottom(), f->height());
    EXPECT_GT(panel.top(), f->RedigerSpeed->geometry().bottom());
}

TEST_F(StamPage, EditingKeepsTheSelectionAndBackDeselectsAndSaves)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
    });
    auto w = open(path);
    auto* f = show(*w);
    tElev& e = *w->AktivElev();
    drag(f, leaf(*w, 1), band(f, 1, 0.4));
    ASSERT_EQ(f->Selected(), 1);
    f->RedigerSpeed->click();
    EXPECT_EQ(w->AktivSide(), 15);
    EXPECT_EQ(e.LastValgtGren(), 1);   // where the branch page finds the person

    // Back on the tree: nothing selected.
    show(*w);
    EXPECT_EQ(e.LastValgtGren(), -1);
    EXPECT_FALSE(f->RedigerSpeed->isEnabled());
    click(f, leaf(*w, 1));
    f->BackSpeed->click();
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_EQ(e.LastValgtGren(), -1);
    EXPECT_FALSE(e.Aendret());
    auto stored = tElev::LoadFromFile(path);
    ASSERT_EQ(stored->GrenCount(), 3);
    EXPECT_EQ(stored->GrenRaekke(1), 1);
    EXPECT_NEAR(stored->GrenXpos(1), 0.4, 1.0 / f->TreeWidth());
}

TEST_F(StamPage, AWriteFailureIsSaidAndThePageIsLeftAllTheSame)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
    });
    auto w = open(path);
    auto* f = show(*w);
    drag(f, leaf(*w, 1), band(f, 2, 0.4));
    w->AktivElev()->SetFilNavn(dir.file("gone/4a_Ida.ele"));
    f->BackSpeed->click();
    EXPECT_EQ(w->AktivSide(), 3);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
    EXPECT_EQ(dialogs.messages[0].text,
              QString("Ændringerne kunne ikke skrives til \"%1\"").arg(QString::fromStdString(dir.file("gone/4a_Ida.ele"))));
}

TEST_F(StamPage, TheDemoClassFillsTheRowsFromThePupilsGenerationUp)
{
    std::string kla, error;
    ASSERT_TRUE(WriteDemoClass(QString::fromStdString(dir.file("demo")), 24, kla, error)) << error;
    const auto loaded = tKlasse::LoadFromFile(kla);
    const tKlasse& k = *loaded;
    ASSERT_FALSE(k.LaesFejl());
    std::array<int, 5> perRow{};
    int photos = 0;
    for (int p = 0; p < k.ElevCount(); ++p) {
        const tElev& e = *k.GetElev(p);
        ASSERT_GE(e.FindGren(1), 0);
        EXPECT_EQ(e.GrenRaekke(e.FindGren(1)), 0);
        EXPECT_EQ(e.GrenRaekke(e.FindGren(0)), 4);
        for (int i = 0; i < e.GrenCount(); ++i) {
            const std::string& er = e.GrenTekstOf(i, GrenTekst::ErMin);
            const int row = e.GrenRaekke(i);
            ++perRow[std::size_t(row)];
            photos += e.GrenHarFoto(i);
            static const std::map<std::string, int> rows = {
                {"Mig selv", 0}, {cp1252("Søster"), 0}, {"Bror", 0}, {"Kusine", 0}, {cp1252("Fætter"), 0},
                {"Mor", 1}, {"Far", 1}, {"Moster", 1}, {"Farbror", 1},
                {"Mormor", 2}, {"Morfar", 2}, {"Farmor", 2}, {"Farfar", 2},
                {"Oldemor", 3}, {"Oldefar", 3}, {"", 4}};
            ASSERT_TRUE(rows.count(er)) << er;
            EXPECT_EQ(row, rows.at(er)) << er;
        }
    }
    EXPECT_GT(perRow[0], k.ElevCount());   // siblings and cousins beside the pupils
    for (int row = 1; row < 4; ++row)
        EXPECT_GT(perRow[std::size_t(row)], 8) << row;
    EXPECT_EQ(perRow[4], k.ElevCount());   // one fresh leaf each
    EXPECT_GT(photos, 4);
}

TEST(GrenFoto, FittedOnceAndAgainOnlyWhenThePhotoOrSizeChanges)
{
    tElev e;
    e.AddGren(2);
    e.AddGren(2);
    ASSERT_TRUE(e.SetGrenFoto(0, solidPhoto(0, 0, 255)));
    GrenFotoView view;
    QImage box(60, 90, QImage::Format_RGB32);
    box.fill(Qt::white);
    view.Paint(&box, e, 0);
    EXPECT_EQ(box.pixel(30, 40), qRgb(255, 0, 0));
    EXPECT_EQ(box.pixel(59, 79), qRgb(255, 0, 0));   // 60 wide, 80 high
    EXPECT_EQ(box.pixel(30, 80), qRgb(255, 255, 255));
    view.Paint(&box, e, 0);
    EXPECT_EQ(view.Resamples(), 1);
    ASSERT_TRUE(e.SetGrenFoto(0, solidPhoto(0, 255, 0)));
    view.Paint(&box, e, 0);
    EXPECT_EQ(view.Resamples(), 2);
    EXPECT_EQ(box.pixel(30, 40), qRgb(0, 255, 0));
    QImage wide(90, 130, QImage::Format_RGB32);
    view.Paint(&wide, e, 0);
    EXPECT_EQ(view.Resamples(), 3);

    // No photo: the frame, and the same frame for a position that is not there.
    InitDrawing();
    ASSERT_TRUE(LoadDataArchive(TINKELI_BIN_DIR "/tinkeli.BIN"));
    QImage frame(60, 90, QImage::Format_RGB32), none(60, 90, QImage::Format_RGB32);
    frame.fill(Qt::white);
    none.fill(Qt::white);
    view.Paint(&frame, e, 1);
    view.Paint(&none, e, 7);
    EXPECT_EQ(frame, none);
    EXPECT_NE(frame.pixel(30, 40), qRgb(255, 255, 255));
    DoneDrawing();
}

TEST_F(StamPage, OnATallWindowTheTreeStandsOnItsGroundWithEveryBandInView)
{
    makePupil([](tElev& e) {
        ownAndFresh(e);
        const int g = e.AddGren(2);
        e.SetGrenRaekke(g, 3);
    });
    auto w = open(path);
    for (QSize size : {QSize(900, 1040), QSize(1280, 1024), QSize(1024, 768), QSize(1920, 1080)}) {
        w->resize(size);
        auto* f = show(*w);
        const QImage page = f->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect tree = f->StamPaintBox->geometry();
        const std::string at = std::to_string(size.width()) + "x" + std::to_string(size.height());
        // The tree fills the page's bottom, at the size of the drawing area,
        // so the bands keep the design's height.
        EXPECT_EQ(tree.bottom(), f->height() - 1) << at;
        EXPECT_EQ(tree.height(), f->DrawingHeight()) << at;
        EXPECT_EQ(f->TreeHeight(), Drawing().PageBitmap.height()) << at;
        // The fresh leaf waits in view in the strip.
        const tElev& e = *w->AktivElev();
        const IntRect fresh = e.GrenRect(e.FindGren(0));
        EXPECT_GE(fresh.top, 9 * (f->TreeHeight() / 10)) << at;
        EXPECT_LE(fresh.bottom, f->TreeHeight()) << at;
        // Above the tree, its sky: every row as the tree's first one.
        for (int y = 0; y < tree.top(); y += 7)
            for (int x = tree.left(); x < tree.right(); x += 53)
                ASSERT_EQ(page.pixel(x, y), page.pixel(x, tree.top())) << x << "," << y << " " << at;
        // The last band's leaf is where a click finds it.
        const IntRect r = e.GrenRect(2);
        EXPECT_EQ(f->HitTest(centreOf(r)), 2) << at;
        EXPECT_EQ(StamBandAt(f->TreeWidth(), f->TreeHeight(), centreOf(r).x(), centreOf(r).y()), 3) << at;
    }
}

TEST(StamBands, TheLabelsWordsAreSpreadOverTheBandAndCentred)
{
    for (int W : {551, 1000, 1712}) {
        const int d = 60;
        QImage img(W, d, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            QFont f;
            FitCellFont(f, d / 2);
            p.setFont(f);
            p.setPen(Qt::black);
            DrawBandLabel(p, QRect(0, 0, W, d), StamBandLabel(2));   // "bedstemor - bedstefar"
        }
        int left = W, right = -1, top = d, bottom = -1;
        for (int y = 0; y < d; ++y)
            for (int x = 0; x < W; ++x)
                if (qRed(img.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        ASSERT_GE(right, 0);
        // From a fortieth of the width in at each side, give or take a
        // letter's bearing; in the middle the dash, nothing else.
        EXPECT_NEAR(left, W / 40, 4) << W;
        EXPECT_NEAR(W - 1 - right, W / 40, 4) << W;
        EXPECT_NEAR(top + bottom, d, 12) << W;   // vertically centred
        int middle = 0;
        for (int y = 0; y < d; ++y)
            for (int x = W / 2 - W / 8; x < W / 2 + W / 8; ++x)
                middle += qRed(img.pixel(x, y)) < 128;
        EXPECT_GT(middle, 0) << W;    // the dash
        EXPECT_LT(middle, d * 2) << W;
    }
}
