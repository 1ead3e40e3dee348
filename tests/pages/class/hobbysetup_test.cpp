// The class's hobby offer (page 12), clicked and keyed as a teacher would,
// and saved through the class save shared with the setup page.
#include "../../support/scripted_dialogs.h"
#include "../../support/tempdir.h"
#include "../../support/test_main.h"
#include "clickbox.h"
#include "datefmt.h"
#include "elev.h"
#include "hobbysetupform.h"
#include "klasse.h"
#include "mainwindow.h"
#include "setupform.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct HobbySetup : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    /// A saved class of two pupils offering \a offered.
    std::string makeClass(std::initializer_list<int> offered)
    {
        tKlasse k;
        (void)k.SetKlasse("4.a");
        for (int n : offered)
            k.ToggleTilbudt(n);
        for (int i = 0; i < 2; ++i)
            k.SetElevKaldenavn(i, "Elev" + std::to_string(i));
        const std::string path = dir.file("4a.kla");
        EXPECT_TRUE(k.SaveToFile(path));
        return path;
    }

    std::unique_ptr<TMain> start(const std::string& kla)
    {
        TMain::Options o = TestMainOptions(dialogs, kla);
        auto w = StartTestMain(o);
        return w;
    }
    /// Page 12 reached as the teacher reaches it: the setup's hobby button.
    THobbySetupForm* open(TMain& w)
    {
        w.ShowPage(2);
        static_cast<TSetupForm*>(w.PageAt(2))->HobbySpeed->click();
        EXPECT_EQ(w.AktivSide(), 12);
        QApplication::processEvents();
        return static_cast<THobbySetupForm*>(w.PageAt(12));
    }
    /// Scrolls hobby \a n into view when it is not, then clicks it.
    static void clickHobby(THobbySetupForm* f, int n)
    {
        const QRect shown = f->CellOnScreen(n);
        if (shown.top() < 0 || shown.bottom() >= f->ValgPaintBox->height())
            f->ValgScrollBar->setValue(f->CellRect(n).top());
        QTest::mouseClick(f->ValgPaintBox, Qt::LeftButton, {}, f->CellOnScreen(n).center());
        QApplication::processEvents();
    }
    static QColor statusColour(THobbySetupForm* f)
    {
        const QImage img = f->StatusPanel->grab().toImage();
        return img.pixel(2, 2);
    }
    static QColor cellCorner(THobbySetupForm* f, int n)
    {
        const QImage img = f->ValgPaintBox->grab(f->CellOnScreen(n)).toImage();
        return img.pixel(img.width() - 3, 3);
    }

    ScriptedDialogs dialogs;
    TempDir dir;
};

const QColor kRed(255, 0, 0), kSkyBlue(0xA6, 0xCA, 0xF0), kYellow(255, 255, 0);

} // namespace

TEST_F(HobbySetup, FifteenAtMostWithTheCountBelow)
{
    auto w = start(makeClass({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    THobbySetupForm* f = open(*w);
    EXPECT_EQ(f->HobbyTopPanel->text(), "Undersøgelse af fritids-interesser");
    EXPECT_EQ(f->BackSpeed->toolTip(), "Tilbage til lærerdelen");
    EXPECT_EQ(f->ValgPaintBox->toolTip(), "Klik for at vælge hobbyer til elev-delen");
    EXPECT_EQ(f->StatusPanel->text(), "15 af 15 valgt");
    EXPECT_EQ(statusColour(f), kRed);
    EXPECT_TRUE(f->PrintArea().contains(f->ElevPanel->geometry()));

    // A sixteenth: a beep and nothing else.
    tKlasse& klasse = w->AktivKlasse();
    const std::string before = klasse.Hobbyer();
    clickHobby(f, 20);
    EXPECT_EQ(f->Beeps(), 1);
    EXPECT_EQ(klasse.Hobbyer(), before);
    EXPECT_FALSE(klasse.Aendret());
    EXPECT_EQ(f->StatusPanel->text(), "15 af 15 valgt");

    // Withdrawing is always allowed.
    clickHobby(f, 1);
    EXPECT_FALSE(klasse.HobbyTilbudt(1));
    EXPECT_TRUE(klasse.Aendret());
    EXPECT_EQ(f->StatusPanel->text(), "14 af 15 valgt");
    EXPECT_EQ(statusColour(f), kSkyBlue);
    clickHobby(f, 20);
    EXPECT_TRUE(klasse.HobbyTilbudt(20));
    EXPECT_EQ(f->Beeps(), 1);
    EXPECT_EQ(f->StatusPanel->text(), "15 af 15 valgt");
    EXPECT_EQ(statusColour(f), kRed);
}

TEST_F(HobbySetup, ACellShowsItsOfferAndOnlyItIsDrawnAgain)
{
    auto w = start(makeClass({2}));
    THobbySetupForm* f = open(*w);
    EXPECT_EQ(f->StatusPanel->text(), "1 af 15 valgt");
    EXPECT_EQ(cellCorner(f, 2), kYellow);
    EXPECT_EQ(cellCorner(f, 3), kSkyBlue);
    const QImage before = f->ValgPaintBox->grab(f->CellOnScreen(3)).toImage();
    clickHobby(f, 3);
    EXPECT_EQ(f->LastPaintRect(), f->CellOnScreen(3));
    EXPECT_EQ(cellCorner(f, 3), kYellow);
    clickHobby(f, 3);
    EXPECT_EQ(f->LastPaintRect(), f->CellOnScreen(3));
    EXPECT_EQ(f->ValgPaintBox->grab(f->CellOnScreen(3)).toImage(), before);

    // Scrolled down, a click still finds its own cell and draws only it.
    f->ValgScrollBar->setValue(f->CellSize() + f->CellSize() / 3);
    QApplication::processEvents();
    clickHobby(f, 13);
    EXPECT_TRUE(w->AktivKlasse().HobbyTilbudt(13));
    EXPECT_EQ(f->LastPaintRect(), f->CellOnScreen(13));
    EXPECT_EQ(cellCorner(f, 13), kYellow);
    EXPECT_EQ(w->AktivKlasse().AntalTilbudt(), 2);
}

TEST_F(HobbySetup, TenRowsOfSquareCellsScrollIntoView)
{
    auto w = start(makeClass({}));
    THobbySetupForm* f = open(*w);
    const int c = f->CellSize();
    EXPECT_EQ(c, f->ValgPaintBox->width() / 5);
    EXPECT_EQ(f->CellRect(1), QRect(0, 0, c, c));
    EXPECT_EQ(f->CellRect(50), QRect(4 * c, 9 * c, c, c));
    EXPECT_EQ(f->HobbyAtPoint(QPoint(c + 1, c + 1)), 7);
    EXPECT_EQ(f->HobbyAtPoint(QPoint(5 * c + 1, 0)), 0);
    // The box and its bar stay inside their window; the bar reaches row 10.
    EXPECT_TRUE(f->ValgScrollBox->rect().contains(f->ValgPaintBox->geometry()));
    EXPECT_TRUE(f->ValgScrollBox->rect().contains(f->ValgScrollBar->geometry()));
    QScrollBar* bar = f->ValgScrollBar;
    EXPECT_EQ(bar->maximum(), 10 * c - f->ValgPaintBox->height());
    // The wheel over the grid scrolls it.
    QWheelEvent wheel(QPointF(c, c), f->ValgPaintBox->mapToGlobal(QPointF(c, c)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f->ValgPaintBox, &wheel);
    EXPECT_GT(bar->value(), 0);
    bar->setValue(bar->maximum());
    QApplication::processEvents();
    EXPECT_EQ(f->CellOnScreen(50).bottom() + 1, 10 * c - bar->maximum());
    clickHobby(f, 50);
    EXPECT_TRUE(w->AktivKlasse().HobbyTilbudt(50));
    // Shown again, it starts at the top.
    f->BackSpeed->click();
    open(*w);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(HobbySetup, BackSavesTheClassAndAFailureIsTold)
{
    const std::string path = makeClass({});
    auto w = start(path);
    THobbySetupForm* f = open(*w);
    // Nothing changed: nothing written.
    const auto written = std::filesystem::last_write_time(path);
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    EXPECT_EQ(w->AktivSide(), 2);
    EXPECT_EQ(std::filesystem::last_write_time(path), written);

    open(*w);
    clickHobby(f, 4);
    clickHobby(f, 33);
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    EXPECT_EQ(w->AktivSide(), 2);
    EXPECT_TRUE(dialogs.messages.empty());
    auto back = tKlasse::LoadFromFile(path);
    EXPECT_TRUE(back->HobbyTilbudt(4));
    EXPECT_TRUE(back->HobbyTilbudt(33));
    EXPECT_EQ(back->AntalTilbudt(), 2);

    // The class's file cannot be written: the same message as the setup's.
    open(*w);
    clickHobby(f, 5);
    const std::string gone = dir.file("mangler/4a.kla");
    w->AktivKlasse().SetFilNavn(gone);
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
    EXPECT_EQ(dialogs.messages[0].icon, DialogService::Icon::Warning);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Ændringerne kunne ikke skrives til \""));
    EXPECT_TRUE(dialogs.messages[0].text.contains("mangler"));
    EXPECT_EQ(w->AktivSide(), 2);
    EXPECT_TRUE(w->AktivKlasse().Aendret());
}

TEST_F(HobbySetup, AClassNeverSavedGetsItsNameOnlyWhenConfirmed)
{
    auto w = start({});
    tKlasse& k = w->AktivKlasse();
    (void)k.SetKlasse("4.a");
    k.SetElevKaldenavn(0, "Bo");
    w->ShowPage(12);
    auto* f = static_cast<THobbySetupForm*>(w->PageAt(12));
    QApplication::processEvents();
    clickHobby(f, 9);

    // Cancelled, then kept ("Tilbage"), then a name without its extension.
    dialogs.files = {QString(), QString::fromStdString(dir.file("vores"))};
    dialogs.choices = {1};
    dialogs.onSaveDialog = [&] { EXPECT_TRUE(w->AktivKlasse().FilNavn().empty()); };
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    ASSERT_EQ(dialogs.suggested.size(), 2u);
    EXPECT_EQ(dialogs.suggested[0], "4a");
    EXPECT_EQ(w->AktivKlasse().FilNavn(), dir.file("vores.kla"));
    EXPECT_TRUE(tKlasse::LoadFromFile(dir.file("vores.kla"))->HobbyTilbudt(9));
    EXPECT_EQ(w->AktivSide(), 2);
}

TEST_F(HobbySetup, ClosingTheProgramKeepsTheOffer)
{
    const std::string path = makeClass({});
    auto w = start(path);
    THobbySetupForm* f = open(*w);
    clickHobby(f, 27);
    EXPECT_TRUE(f->SaveWork());
    EXPECT_TRUE(tKlasse::LoadFromFile(path)->HobbyTilbudt(27));
    clickHobby(f, 29);
    w->FilerAfslutClick();
    EXPECT_TRUE(w->Closing());
    EXPECT_TRUE(tKlasse::LoadFromFile(path)->HobbyTilbudt(29));
}

TEST_F(HobbySetup, KeysMoveTheFrameScrollAndSpaceOffers)
{
    auto w = start(makeClass({}));
    THobbySetupForm* f = open(*w);
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    EXPECT_TRUE(f->ValgPaintBox->hasFocus());
    EXPECT_EQ(f->CurrentHobby(), 1);
    for (int i = 0; i < 9; ++i)
        QTest::keyClick(f->ValgPaintBox, Qt::Key_Down);
    EXPECT_EQ(f->CurrentHobby(), 46);
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Down);
    EXPECT_EQ(f->CurrentHobby(), 46);
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Right);
    EXPECT_EQ(f->CurrentHobby(), 47);
    EXPECT_TRUE(f->ValgPaintBox->ShowsFocusFrame());
    // The current cell was scrolled into view.
    const QScrollBar* bar = f->ValgScrollBar;
    const QRect cell = f->CellOnScreen(47);
    EXPECT_GE(cell.top(), 0);
    EXPECT_LE(cell.bottom(), f->ValgPaintBox->height());
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Space);
    EXPECT_TRUE(w->AktivKlasse().HobbyTilbudt(47));
    EXPECT_EQ(f->StatusPanel->text(), "1 af 15 valgt");
    // Framed: black along the cell's top edge, not the yellow of the offer.
    QApplication::processEvents();
    const QImage framed = f->ValgPaintBox->grab(f->CellOnScreen(47)).toImage();
    EXPECT_EQ(QColor(framed.pixel(cell.width() / 2, 1)), QColor(Qt::black));
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Space);
    EXPECT_FALSE(w->AktivKlasse().HobbyTilbudt(47));
    for (int i = 0; i < 60; ++i)
        QTest::keyClick(f->ValgPaintBox, Qt::Key_Left);
    EXPECT_EQ(f->CurrentHobby(), 1);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Up);
    EXPECT_EQ(f->CurrentHobby(), 1);
}
