// The face editor pages and their palettes, driven through the main window
// as a pupil would: lists, colour buttons, move buttons held down, the back
// button and the minute save.
#include "../../support/scripted_dialogs.h"
#include "../../support/tempdir.h"
#include "../../support/test_main.h"
#include "ansigtform.h"
#include "datefmt.h"
#include "elev.h"
#include "featureforms.h"
#include "haarform.h"
#include "mainwindow.h"
#include "partlist.h"
#include "portrait.h"
#include "slider.h"
#include "toolpalette.h"

#include <QApplication>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A repeat timer driven by hand, millisecond by millisecond.
struct HandTimer final : RepeatTimer {
    int interval = 0;
    bool enabled = false;
    int elapsed = 0;
    void SetInterval(int ms) override
    {
        interval = ms;
        elapsed = 0;
    }
    int Interval() const override { return interval; }
    void SetEnabled(bool on) override
    {
        if (on && !enabled)
            elapsed = 0;
        enabled = on;
    }
    bool Enabled() const override { return enabled; }
    void Advance(int ms)
    {
        for (int i = 0; i < ms && enabled; ++i)
            if (++elapsed >= interval) {
                elapsed = 0;
                OnTimer();
            }
    }
};

struct Editors : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    std::string makePupil(const std::string& koen, int hairType = 0)
    {
        tElev e;
        (void)e.SetKaldenavn("Ida");
        e.SetKoen(koen);
        e.SetType(Del::Haar, hairType);
        e.SetAendret();
        const std::string path = dir.file("4a_Ida.ele");
        EXPECT_TRUE(e.SaveToFile(path));
        return path;
    }

    std::unique_ptr<TMain> open(const std::string& ele, int saveMs = 60000)
    {
        TMain::Options o = TestMainOptions(dialogs, ele);
        o.saveIntervalMs = saveMs;
        auto w = StartTestMain(o);
        EXPECT_EQ(w->AktivSide(), 3);
        return w;
    }

    template <class T> T* show(TMain& w, int n)
    {
        w.ShowPage(n);
        QApplication::processEvents();
        return static_cast<T*>(w.PageAt(n));
    }

    static void clickItem(PartListBox* list, int i)
    {
        list->scrollToItem(list->item(i));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(i)).center());
    }

    static const FacePart& part(TMain& w, Del d) { return w.AktivElev()->Part(d); }

    ScriptedDialogs dialogs;
    TempDir dir;
};

} // namespace

TEST_F(Editors, FaceShapeChoicesGoStraightIntoThePupil)
{
    auto w = open(makePupil("pige"));
    auto* f = show<TAnsigtForm>(*w, 4);
    tElev& e = *w->AktivElev();
    EXPECT_FALSE(e.Aendret());   // showing the page changes nothing
    EXPECT_EQ(f->ListBox->count(), 8);
    EXPECT_EQ(f->ListBox->ItemIndex(), 0);
    EXPECT_TRUE(f->FarveSpeed[0]->isChecked());
    EXPECT_EQ(f->FarveSlide->Position(), 18);
    EXPECT_EQ(e.Part(Del::Ansigt).Farve, 0xFFFFFFu);   // white until something is chosen

    clickItem(f->ListBox, 0);   // the shape already chosen
    EXPECT_FALSE(e.Aendret());
    EXPECT_EQ(e.Part(Del::Ansigt).Farve, 0xFFFFFFu);

    clickItem(f->ListBox, 3);   // a new shape takes the colour as it stands
    EXPECT_EQ(e.Part(Del::Ansigt).Type, 3);
    EXPECT_EQ(e.Part(Del::Ansigt).Farve, Colour(128 | 88 << 8 | 64 << 16));
    EXPECT_TRUE(e.Aendret());

    f->FarveSpeed[3]->click();
    QTest::keyClick(f->FarveSlide, Qt::Key_End);   // the slider to 37
    EXPECT_EQ(e.Part(Del::Ansigt).FarveGruppe, 3);
    EXPECT_EQ(e.Part(Del::Ansigt).FarveSlide, 37);
    EXPECT_EQ(e.Part(Del::Ansigt).Farve, Colour(248 | 236 << 8 | 220 << 16));

    // Back: saved, then the student page.
    f->BackSpeed->click();
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_FALSE(e.Aendret());
    auto again = tElev::LoadFromFile(e.FilNavn());
    EXPECT_EQ(again->Part(Del::Ansigt).Type, 3);
    EXPECT_EQ(again->Part(Del::Ansigt).FarveGruppe, 3);
    EXPECT_EQ(again->Part(Del::Ansigt).Farve, Colour(248 | 236 << 8 | 220 << 16));

    // Coming back shows what is stored.
    show<TAnsigtForm>(*w, 4);
    EXPECT_TRUE(f->FarveSpeed[3]->isChecked());
    EXPECT_EQ(f->FarveSlide->Position(), 37);
    EXPECT_EQ(f->ListBox->ItemIndex(), 3);
    EXPECT_EQ(w->focusWidget(), f->ListBox);   // the keys choose shapes
    EXPECT_EQ(f->BackSpeed->toolTip(), "Tilbage til elev-forsiden");
    EXPECT_EQ(f->FarveSlide->toolTip(), "Gør farven lysere eller mørkere");
}

TEST_F(Editors, FaceShapeItemHeight)
{
    EXPECT_EQ(TAnsigtForm::ItemHeight(73, 434), 54);   // eight must fit: 434 div 8
    EXPECT_EQ(TAnsigtForm::ItemHeight(40, 800), 44);   // tall and narrow: 12/11 of the width
}

TEST_F(Editors, HairListsByGender)
{
    EXPECT_EQ(HaarListCount("dreng"), 11);
    EXPECT_EQ(HaarListCount("pige"), 15);
    EXPECT_EQ(HaarListCount(""), 1);
    EXPECT_EQ(HaarIndexOfType("pige", 13), 3);
    EXPECT_EQ(HaarTypeOfIndex("pige", 5), 15);
    EXPECT_EQ(HaarTypeOfIndex("pige", 0), 0);
    EXPECT_EQ(HaarTypeOfIndex("dreng", 5), 5);

    {
        auto w = open(makePupil("pige", 13));
        auto* f = show<THaarForm>(*w, 5);
        EXPECT_EQ(f->ListBox->count(), 15);
        EXPECT_EQ(f->ListBox->ItemIndex(), 3);
        EXPECT_EQ(f->Tools()->HairType(), 13);
        clickItem(f->ListBox, 5);
        EXPECT_EQ(part(*w, Del::Haar).Type, 15);
        EXPECT_EQ(f->Tools()->HairType(), 15);   // the previews follow
        clickItem(f->ListBox, 0);
        EXPECT_EQ(part(*w, Del::Haar).Type, 0);
        // Hair colour: button 3 at the middle.
        f->FarveSpeed[3]->click();
        EXPECT_EQ(part(*w, Del::Haar).Farve, Colour(76 | 60 << 8 | 44 << 16));
    }
    {
        // A boy's style 15 (the gender changed since): no item is chosen.
        auto w = open(makePupil("dreng", 15));
        auto* f = show<THaarForm>(*w, 5);
        EXPECT_EQ(f->ListBox->count(), 11);
        EXPECT_EQ(f->ListBox->ItemIndex(), -1);
        EXPECT_EQ(part(*w, Del::Haar).Type, 15);
        EXPECT_FALSE(w->AktivElev()->Aendret());
    }
    {
        // No gender: one item, shown chosen; the stored style stays until
        // that item is clicked.
        auto w = open(makePupil("", 7));
        auto* f = show<THaarForm>(*w, 5);
        EXPECT_EQ(f->ListBox->count(), 1);
        EXPECT_EQ(f->ListBox->ItemIndex(), 0);
        EXPECT_EQ(part(*w, Del::Haar).Type, 7);
        clickItem(f->ListBox, 0);
        EXPECT_EQ(part(*w, Del::Haar).Type, 0);
    }
}

TEST_F(Editors, HairMirrorPalette)
{
    auto w = open(makePupil("dreng", 4));
    auto* f = show<THaarForm>(*w, 5);
    THaarToolForm* t = f->Tools();
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->isVisible());
    EXPECT_EQ(t->windowTitle(), "Spejling");
    EXPECT_TRUE(t->windowFlags() & Qt::Tool);
    EXPECT_TRUE(t->SpeedButton1->isChecked());
    t->SpeedButton1->click();   // already down: Spejl stays false
    EXPECT_FALSE(w->AktivElev()->Aendret());
    t->SpeedButton2->click();
    EXPECT_TRUE(part(*w, Del::Haar).Spejl);
    EXPECT_TRUE(t->SpeedButton2->isChecked());
    t->SpeedButton1->click();
    EXPECT_FALSE(part(*w, Del::Haar).Spejl);

    w->ShowPage(3);
    EXPECT_FALSE(t->isVisible());   // shown and hidden with its page
    w->AktivElev()->SetSpejl(Del::Haar, true);
    show<THaarForm>(*w, 5);
    EXPECT_TRUE(t->isVisible());
    EXPECT_TRUE(t->SpeedButton2->isChecked());
}

TEST_F(Editors, OffsetLimit)
{
    auto w = open(makePupil("pige"));
    auto* f = show<TEyeForm>(*w, 6);
    TFeatureToolForm* t = f->Tools();
    ASSERT_TRUE(t && t->isVisible());
    EXPECT_EQ(t->windowTitle(), "Flyt og drej");
    EXPECT_EQ(t->SpeedButton3->toolTip(), "Flyt øjnene opad");
    for (int i = 0; i < 33; ++i)
        t->SpeedButton3->click();
    const double top = part(*w, Del::Oejne).Lodret.value();
    EXPECT_NEAR(top, -33.0 / 332.0, 1e-12);
    ASSERT_TRUE(w->AktivElev()->SaveToFile(w->AktivElev()->FilNavn()));
    t->SpeedButton3->click();   // the 34th would reach -0.1: ignored
    EXPECT_EQ(part(*w, Del::Oejne).Lodret.value(), top);
    EXPECT_FALSE(w->AktivElev()->Aendret());
    t->SpeedButton4->click();
    EXPECT_NEAR(part(*w, Del::Oejne).Lodret.value(), -32.0 / 332.0, 1e-12);

    // Sideways: apart is negative, together positive.
    t->SpeedButton1->click();
    EXPECT_NEAR(part(*w, Del::Oejne).Vandret.value(), -1.0 / 332.0, 1e-12);
    t->SpeedButton2->click();
    t->SpeedButton2->click();
    EXPECT_NEAR(part(*w, Del::Oejne).Vandret.value(), 1.0 / 332.0, 1e-12);
}

TEST_F(Editors, HoldingAMoveButtonRepeats)
{
    auto w = open(makePupil("pige"));
    auto* f = show<TMouthForm>(*w, 8);
    TFeatureToolForm* t = f->Tools();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->SpeedButton1, nullptr);   // up and down only
    auto timer = std::make_unique<HandTimer>();
    HandTimer* hand = timer.get();
    t->SetButtonTimer(std::move(timer));

    // 500 ms, then every 100 ms: steps at 500, 600, ..., 1200, and the click.
    QTest::mousePress(t->SpeedButton4, Qt::LeftButton);
    hand->Advance(1200);
    QTest::mouseRelease(t->SpeedButton4, Qt::LeftButton);
    EXPECT_NEAR(part(*w, Del::Mund).Lodret.value(), 9.0 / 332.0, 1e-12);
    EXPECT_FALSE(hand->enabled);
    hand->Advance(1000);   // let go: no more steps
    EXPECT_NEAR(part(*w, Del::Mund).Lodret.value(), 9.0 / 332.0, 1e-12);

    // A short click is one step.
    QTest::mouseClick(t->SpeedButton3, Qt::LeftButton);
    EXPECT_NEAR(part(*w, Del::Mund).Lodret.value(), 8.0 / 332.0, 1e-12);

    // Just under the first repeat: only the click.
    QTest::mousePress(t->SpeedButton3, Qt::LeftButton);
    hand->Advance(499);
    QTest::mouseRelease(t->SpeedButton3, Qt::LeftButton);
    EXPECT_NEAR(part(*w, Del::Mund).Lodret.value(), 7.0 / 332.0, 1e-12);
}

TEST_F(Editors, PaletteSliderAndReset)
{
    auto w = open(makePupil("pige"));
    w->AktivElev()->SetVinkel(Del::Bryn, 4);
    w->AktivElev()->SetZoom(Del::Briller, -3);
    (void)w->AktivElev()->SaveToFile(w->AktivElev()->FilNavn());

    auto* brow = show<TBrowForm>(*w, 7);
    TFeatureToolForm* bt = brow->Tools();
    ASSERT_TRUE(bt && bt->VinkelSlide);
    EXPECT_EQ(bt->VinkelSlide->Position(), 4);   // set without firing
    EXPECT_FALSE(w->AktivElev()->Aendret());
    QTest::keyClick(bt->VinkelSlide, Qt::Key_Down);
    EXPECT_EQ(part(*w, Del::Bryn).Vinkel, 5);
    bt->SpeedButton2->click();
    bt->SpeedButton3->click();
    bt->Image1Click();
    EXPECT_EQ(part(*w, Del::Bryn).Vinkel, 0);
    EXPECT_EQ(part(*w, Del::Bryn).Vandret.value(), 0.0);
    EXPECT_EQ(part(*w, Del::Bryn).Lodret.value(), 0.0);
    EXPECT_EQ(bt->VinkelSlide->Position(), 0);   // the knob in the middle

    auto* glass = show<TGlassForm>(*w, 10);
    TFeatureToolForm* gt = glass->Tools();
    EXPECT_FALSE(bt->isVisible());
    ASSERT_TRUE(gt && gt->ZoomSlide);
    EXPECT_EQ(gt->windowTitle(), "Flyt og zoom");
    EXPECT_EQ(gt->ZoomSlide->Position(), -3);
    gt->SpeedButton4->click();
    QTest::keyClick(gt->ZoomSlide, Qt::Key_Home);
    EXPECT_EQ(part(*w, Del::Briller).Zoom, -5);
    QTest::mouseClick(gt->Image1, Qt::LeftButton);
    EXPECT_EQ(part(*w, Del::Briller).Zoom, 0);
    EXPECT_EQ(part(*w, Del::Briller).Lodret.value(), 0.0);
    EXPECT_EQ(gt->ZoomSlide->Position(), 0);

    // Glasses colour: button 0 in the middle is grey 132.
    glass->FarveSpeed[0]->click();
    EXPECT_EQ(part(*w, Del::Briller).Farve, Colour(132 | 132 << 8 | 132 << 16));
}

TEST_F(Editors, NosePageHasNoColour)
{
    auto w = open(makePupil("dreng"));
    auto* f = show<TNoseForm>(*w, 9);
    EXPECT_EQ(f->FarveSlide, nullptr);
    EXPECT_EQ(f->FarveSpeed[0], nullptr);
    const Colour before = part(*w, Del::Naese).Farve;
    clickItem(f->ListBox, 2);
    EXPECT_EQ(part(*w, Del::Naese).Type, 2);
    EXPECT_EQ(part(*w, Del::Naese).Farve, before);
}

// The palette in page coordinates.
static QRect paletteOnPage(const TToolPalette* t, const QWidget* page)
{
    return QRect(page->mapFromGlobal(t->frameGeometry().topLeft()), t->frameGeometry().size());
}

static QRect onPage(const QWidget* w, const QWidget* page)
{
    return QRect(w->mapTo(page, QPoint(0, 0)), w->size());
}

TEST_F(Editors, PalettesKeepOffTheFaceAtEveryWindowSize)
{
    auto w = open(makePupil("pige", 13));
    const QSize sizes[] = {{1024, 768}, {1024, 700}, {1280, 1024}, {1366, 768},
                           {1920, 1080}, {1920, 1200}, {900, 1040}, {800, 600}};
    for (const QSize& size : sizes) {
        for (int n = 5; n <= 10; ++n) {
            SCOPED_TRACE(QStringLiteral("page %1 at %2x%3").arg(n).arg(size.width()).arg(size.height()).toStdString());
            w->ShowPage(n);
            auto* f = static_cast<TPortraitEditor*>(w->PageAt(n));
            f->resize(size);
            QApplication::processEvents();
            TToolPalette* t = f->Palette();
            ASSERT_TRUE(t);
            ASSERT_TRUE(t->isVisible());
            const QRect r = paletteOnPage(t, f);
            EXPECT_FALSE(r.intersects(f->PortraitRect()));
            EXPECT_TRUE(f->rect().contains(r));
            for (const QWidget* keep : {static_cast<QWidget*>(f->ListBox), static_cast<QWidget*>(f->FarvePanel),
                                        static_cast<QWidget*>(f->BackSpeed)})
                EXPECT_FALSE(r.intersects(onPage(keep, f)));
            // Never so small that a child cannot hit its buttons.
            EXPECT_GE(t->Scale(), 0.5);
        }
    }
    // The face that is drawn lies in the rectangle the palettes keep off.
    auto* f = show<THaarForm>(*w, 5);
    const IntRect bounds = PortraitBounds(f->AnsigtImage->width(), f->FaceHeight());
    IntRect hair;
    HairRect(f->AnsigtImage->width(), f->FaceHeight(), 13, 0, hair, false);
    EXPECT_LE(bounds.left, hair.left);
    EXPECT_GE(bounds.right, hair.right);
    EXPECT_LE(bounds.top, hair.top);
}

TEST_F(Editors, AMovedPaletteStaysWhereTheUserPutIt)
{
    auto w = open(makePupil("pige"));
    auto* f = show<TEyeForm>(*w, 6);
    TFeatureToolForm* t = f->Tools();
    ASSERT_TRUE(t->isVisible());
    EXPECT_FALSE(t->UserMoved());
    // Placed afresh each time the page is shown, at the window's size.
    const QPoint first = t->pos();
    w->ShowPage(3);
    EXPECT_FALSE(t->isVisible());
    show<TEyeForm>(*w, 6);
    EXPECT_EQ(t->pos(), first);

    // Dragged by its caption.
    const QPoint grab(20, t->CaptionHeight() / 2);
    QTest::mousePress(t, Qt::LeftButton, {}, grab);
    QTest::mouseMove(t, grab + QPoint(-150, 60));
    QTest::mouseRelease(t, Qt::LeftButton, {}, grab + QPoint(-150, 60));
    EXPECT_TRUE(t->UserMoved());
    const QPoint moved = t->pos();
    EXPECT_EQ(moved, first + QPoint(-150, 60));
    w->ShowPage(3);
    show<TEyeForm>(*w, 6);
    EXPECT_EQ(t->pos(), moved);
    f->resize(f->width() - 100, f->height());
    QApplication::processEvents();
    EXPECT_EQ(t->pos(), moved);

    // A press on the controls moves nothing.
    auto* h = show<THaarForm>(*w, 5);
    const QPoint home = h->Tools()->pos();
    QTest::mousePress(h->Tools(), Qt::LeftButton, {}, QPoint(5, h->Tools()->height() - 3));
    QTest::mouseRelease(h->Tools(), Qt::LeftButton, {}, QPoint(5, h->Tools()->height() - 3));
    EXPECT_FALSE(h->Tools()->UserMoved());
    EXPECT_EQ(h->Tools()->pos(), home);
}

TEST_F(Editors, PalettesAreCaptionedToolWindowsWithoutButtonsThatLeaveTheKeysToThePage)
{
    auto w = open(makePupil("dreng", 3));
    for (int n = 5; n <= 10; ++n) {
        SCOPED_TRACE(n);
        auto* f = show<TPortraitEditor>(*w, n);
        TToolPalette* t = f->Palette();
        const Qt::WindowFlags flags = t->windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
        // The window manager's frame would bring buttons; the palette draws
        // its own caption.
        EXPECT_TRUE(flags & Qt::FramelessWindowHint);
        EXPECT_TRUE(flags & Qt::WindowDoesNotAcceptFocus);
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint));
        EXPECT_GE(t->CaptionHeight(), 19);
        EXPECT_EQ(t->Client()->y(), 1 + t->CaptionHeight());
        for (QWidget* c : t->findChildren<QWidget*>())
            EXPECT_EQ(c->focusPolicy(), Qt::NoFocus) << c->metaObject()->className();
        // Closing it from outside while its page is shown keeps the tools.
        EXPECT_FALSE(t->close());
        EXPECT_TRUE(t->isVisible());
    }
    EXPECT_EQ(static_cast<TPortraitEditor*>(w->PageAt(5))->Palette()->windowTitle(), "Spejling");
    EXPECT_EQ(static_cast<TPortraitEditor*>(w->PageAt(6))->Palette()->windowTitle(), "Flyt og drej");
    EXPECT_EQ(static_cast<TPortraitEditor*>(w->PageAt(8))->Palette()->windowTitle(), "Flyt og zoom");

    // A click on a palette button leaves the focus in the list, so the arrow
    // keys go on moving in it.
    QApplication::setActiveWindow(w.get());
    auto* f = show<TEyeForm>(*w, 6);
    QTRY_VERIFY(f->ListBox->hasFocus());
    QTest::mouseClick(f->Tools()->SpeedButton3, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_LT(part(*w, Del::Oejne).Lodret.value(), 0.0);
    EXPECT_TRUE(f->ListBox->hasFocus());
    const int before = f->ListBox->ItemIndex();
    QTest::keyClick(f->ListBox, Qt::Key_Down);
    EXPECT_EQ(f->ListBox->ItemIndex(), before + 1);
    auto* h = show<THaarForm>(*w, 5);
    QTRY_VERIFY(h->ListBox->hasFocus());
    QTest::mouseClick(h->Tools()->SpeedButton2, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(part(*w, Del::Haar).Spejl);
    EXPECT_TRUE(h->ListBox->hasFocus());
}

TEST_F(Editors, PalettesHideWithTheMinimisedWindowAndComeBackWithIt)
{
    auto w = open(makePupil("pige"));
    auto* f = show<THaarForm>(*w, 5);
    THaarToolForm* t = f->Tools();
    ASSERT_TRUE(t->isVisible());
    w->showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(t->isVisible());
    // The page itself is still the page shown.
    EXPECT_EQ(w->AktivSide(), 5);
    EXPECT_TRUE(f->isVisible());
    w->showNormal();
    QTRY_VERIFY(t->isVisible());
    EXPECT_FALSE(w->isMinimized());

    // The window system hides and shows the page itself while the window is
    // minimised and restored: that is not the page switch, and the page and
    // its palette stay as they are.
    const int before = f->ListBox->ItemIndex();
    QHideEvent hidden;
    QSpontaneKeyEvent::setSpontaneous(&hidden);
    qApp->notify(f, &hidden);   // sendEvent would clear "spontaneous"
    EXPECT_TRUE(t->isVisible());
    QShowEvent shown;
    QSpontaneKeyEvent::setSpontaneous(&shown);
    qApp->notify(f, &shown);
    EXPECT_TRUE(t->isVisible());
    EXPECT_EQ(f->ListBox->ItemIndex(), before);

    // The window manager minimises a palette along with its window; it
    // comes back restored, or the window manager would take the window
    // down again with it.
    w->showMinimized();
    QApplication::processEvents();
    t->setWindowState(Qt::WindowMinimized);
    w->showNormal();
    QTRY_VERIFY(t->isVisible());
    EXPECT_FALSE(t->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(w->isMinimized());

    // A page switched to while the window is minimised brings its palette
    // when the window comes back, not before.
    w->showMinimized();
    QApplication::processEvents();
    auto* e = show<TEyeForm>(*w, 6);
    EXPECT_FALSE(t->isVisible());
    EXPECT_FALSE(e->Tools()->isVisible());
    w->showNormal();
    QTRY_VERIFY(e->Tools()->isVisible());
    EXPECT_FALSE(t->isVisible());
    EXPECT_FALSE(w->isMinimized());
    // Left while minimised, the page's palette stays away.
    w->showMinimized();
    QApplication::processEvents();
    w->ShowPage(3);
    w->showNormal();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_FALSE(e->Tools()->isVisible());
}

TEST(PaletteSpot, TheLargestPlaceWinsAndTheFaceIsNeverCovered)
{
    // A palette 100 x 50 at scale 1 plus 10 of caption.
    auto sizeAt = [](double k) { return QSize(int(std::lround(100 * k)), int(std::lround(50 * k)) + 10); };
    const PaletteArea right{QRect(500, 0, 130, 300), Qt::AlignRight | Qt::AlignTop};
    const PaletteArea left{QRect(0, 100, 300, 200), Qt::AlignLeft | Qt::AlignTop};
    const PaletteArea top{QRect(100, 0, 400, 80), Qt::AlignRight | Qt::AlignBottom};
    // Room for the preferred scale in the first area: taken, in its corner.
    PaletteSpot s = ChoosePaletteSpot(sizeAt, 1.0, 0.5, {right, left}, 5);
    EXPECT_DOUBLE_EQ(s.scale, 1.0);
    EXPECT_EQ(s.rect, QRect(625 - 100, 5, 100, 60));
    // Larger where there is more room: the first area holds 1.2 (120 + 10),
    // the second 1.5.
    s = ChoosePaletteSpot(sizeAt, 1.5, 0.5, {right, left}, 5);
    EXPECT_NEAR(s.scale, 1.5, 1e-9);
    EXPECT_EQ(s.rect.topLeft(), QPoint(5, 105));
    // Ties go to the earlier area.
    s = ChoosePaletteSpot(sizeAt, 1.0, 0.5, {left, right}, 5);
    EXPECT_EQ(s.rect.topLeft(), QPoint(5, 105));
    // Bottom alignment: just above the area's lower margin. 80 high holds
    // 50k + 10 + 10, so k = 1.2 at most.
    s = ChoosePaletteSpot(sizeAt, 2.0, 0.5, {top}, 5);
    EXPECT_NEAR(s.scale, 1.2, 1e-9);
    EXPECT_EQ(s.rect.bottom(), 74);
    EXPECT_EQ(s.rect.right(), 494);
    // Exactly filling an area fits; a pixel less does not.
    const PaletteArea exact{QRect(0, 0, 110, 70), Qt::AlignLeft | Qt::AlignTop};
    EXPECT_DOUBLE_EQ(ChoosePaletteSpot(sizeAt, 1.0, 0.5, {exact}, 5).scale, 1.0);
    const PaletteArea tight{QRect(0, 0, 109, 70), Qt::AlignLeft | Qt::AlignTop};
    EXPECT_LT(ChoosePaletteSpot(sizeAt, 1.0, 0.5, {tight}, 5).scale, 1.0);
    // Nowhere to go: the first area at the smallest scale.
    const PaletteArea none{QRect(0, 0, 20, 20), Qt::AlignLeft | Qt::AlignTop};
    s = ChoosePaletteSpot(sizeAt, 1.0, 0.5, {none, left}, 5);
    EXPECT_DOUBLE_EQ(s.scale, 1.0);   // the second area holds it whole
    s = ChoosePaletteSpot(sizeAt, 1.0, 0.8, {none}, 5);
    EXPECT_DOUBLE_EQ(s.scale, 0.8);
    EXPECT_EQ(s.rect.topLeft(), QPoint(5, 5));
}

TEST_F(Editors, MouthListItemGeometry)
{
    // 73 wide: R0 is 71 wide, f = 71/168; hw = N(31.7) = 32, hh = N(6.76) = 7.
    const IntRect item{0, 100, 73, 136};
    const IntRect r = FeatureItemRect(Del::Mund, 3, item);
    EXPECT_EQ(r.right - r.left, 64);
    EXPECT_EQ(r.bottom - r.top, 14);
    EXPECT_EQ(r.left, 36 - 32);
    EXPECT_EQ(r.top, 118 - 7);
    // f = 1 gives the table's half sizes: glasses 1 in 394 (R0 392), nose 2
    // in 222 (R0 220).
    EXPECT_EQ(FeatureItemRect(Del::Briller, 1, {0, 0, 394, 200}).right, 197 + 196);
    EXPECT_EQ(FeatureItemRect(Del::Naese, 2, {0, 0, 222, 222}).bottom, 111 + 14);
    // A half goes to the even neighbour: mouth 1 in 38 (R0 36) has
    // hw = N(36 * 77 / 168) = N(16.5) = 16.
    EXPECT_EQ(FeatureItemRect(Del::Mund, 1, {0, 0, 38, 40}).left, 19 - 16);
}

TEST_F(Editors, TheMinuteSaveRunsOnEditorPages)
{
    auto w = open(makePupil("pige"), 30);
    auto* f = show<TAnsigtForm>(*w, 4);
    clickItem(f->ListBox, 5);
    ASSERT_TRUE(w->AktivElev()->Aendret());
    QTest::qWait(150);
    EXPECT_FALSE(w->AktivElev()->Aendret());
    EXPECT_EQ(tElev::LoadFromFile(w->AktivElev()->FilNavn())->Part(Del::Ansigt).Type, 5);
}

TEST_F(Editors, TheFaceIsDrawnAfterEachChange)
{
    auto w = open(makePupil("pige"));
    auto* f = show<TEyeForm>(*w, 6);
    ASSERT_FALSE(f->grab().isNull());
    const int before = f->FaceDraws();
    ASSERT_GT(before, 0);
    QTest::keyClick(f->FarveSlide, Qt::Key_Right);
    EXPECT_EQ(part(*w, Del::Oejne).FarveSlide, 19);
    f->grab();
    EXPECT_GT(f->FaceDraws(), before);
}
