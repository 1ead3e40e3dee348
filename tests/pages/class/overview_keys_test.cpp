// The class overview from the keyboard: the arrow keys walk from pupil to
// pupil, Enter opens the one selected as the pupil button does.
#include "../../support/scripted_dialogs.h"
#include "../../support/tempdir.h"
#include "../../support/test_main.h"
#include "datefmt.h"
#include "elevform.h"
#include "klasse.h"
#include "klasseform.h"
#include "mainwindow.h"

#include <QApplication>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

namespace {

struct OverviewKeys : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    std::unique_ptr<TMain> start(int pupils, const std::string& code = {})
    {
        tKlasse k;
        (void)k.SetKlasse("4a");
        for (int i = 0; i < pupils; ++i)
            k.SetElevKaldenavn(i, "Elev" + std::to_string(i));
        if (!code.empty())
            k.SetElevElevkode(8, code);
        EXPECT_TRUE(k.SaveToFile(dir.file("4a.kla")));
        TMain::Options o = TestMainOptions(dialogs, dir.file("4a.kla"));
        o.askCode = [this](const std::string& c) { codes.push_back(c); return codeAnswer; };
        auto w = StartTestMain(o);
        QApplication::setActiveWindow(w.get());
        return w;
    }

    TKlasseForm* overview(TMain& w) { return static_cast<TKlasseForm*>(w.PageAt(1)); }

    // The selected pupil's position, -1 for none.
    int selected(TMain& w)
    {
        const QTableWidget* g = overview(w)->ElevGrid;
        if (g->currentRow() < 0 || g->currentColumn() < 0)
            return -1;
        return g->currentRow() * TKlasseForm::kColumns + g->currentColumn();
    }

    void key(TMain& w, Qt::Key k) { QTest::keyClick(overview(w)->ElevGrid, k); }

    ScriptedDialogs dialogs;
    std::vector<std::string> codes;
    int codeAnswer = 1;
    TempDir dir;
};

} // namespace

TEST_F(OverviewKeys, TheKeysGoToTheGridWhenThePageIsShown)
{
    auto w = start(3);
    ASSERT_EQ(w->AktivSide(), 1);
    QTRY_VERIFY(overview(*w)->ElevGrid->hasFocus());
}

TEST_F(OverviewKeys, ArrowsWalkFromPupilToPupilAndStayInTheClass)
{
    // 14 pupils: two full rows of six and two in the third.
    auto w = start(14);
    EXPECT_EQ(selected(*w), -1);
    key(*w, Qt::Key_Down);   // the first key selects the first pupil
    EXPECT_EQ(selected(*w), 0);
    EXPECT_EQ(w->AktivElev(), w->AktivKlasse().GetElev(0));
    EXPECT_TRUE(overview(*w)->ElevSpeed->isEnabled());
    key(*w, Qt::Key_Left);   // nothing before the first
    EXPECT_EQ(selected(*w), 0);
    key(*w, Qt::Key_Up);
    EXPECT_EQ(selected(*w), 0);
    key(*w, Qt::Key_Right);
    EXPECT_EQ(selected(*w), 1);
    key(*w, Qt::Key_Down);
    EXPECT_EQ(selected(*w), 7);
    key(*w, Qt::Key_Down);   // pupil 13 is the last: 7 + 6 exists
    EXPECT_EQ(selected(*w), 13);
    key(*w, Qt::Key_Down);   // nothing under it
    EXPECT_EQ(selected(*w), 13);
    key(*w, Qt::Key_Right);  // nothing after it
    EXPECT_EQ(selected(*w), 13);
    EXPECT_EQ(w->AktivElev(), w->AktivKlasse().GetElev(13));
    key(*w, Qt::Key_Up);
    EXPECT_EQ(selected(*w), 7);
    key(*w, Qt::Key_Right);  // the end of a row goes on in the next
    key(*w, Qt::Key_Right);
    key(*w, Qt::Key_Right);
    key(*w, Qt::Key_Right);
    key(*w, Qt::Key_Right);
    EXPECT_EQ(selected(*w), 12);
    key(*w, Qt::Key_Left);
    EXPECT_EQ(selected(*w), 11);
    key(*w, Qt::Key_Down);   // column 5 has nobody in the third row
    EXPECT_EQ(selected(*w), 11);
    key(*w, Qt::Key_Home);
    EXPECT_EQ(selected(*w), 0);
    key(*w, Qt::Key_End);
    EXPECT_EQ(selected(*w), 13);
    key(*w, Qt::Key_PageUp);
    EXPECT_EQ(selected(*w), 1);
    key(*w, Qt::Key_PageDown);
    EXPECT_EQ(selected(*w), 13);
    key(*w, Qt::Key_Left);
    key(*w, Qt::Key_PageDown);   // column 0: its last pupil is 12
    EXPECT_EQ(selected(*w), 12);
}

TEST_F(OverviewKeys, MinimisingAndRestoringKeepsTheSelection)
{
    auto w = start(8);
    key(*w, Qt::Key_End);
    ASSERT_EQ(selected(*w), 7);
    // What the window system sends the page when the window is minimised
    // and restored; only the page switch shows the page afresh.
    QHideEvent hidden;
    QSpontaneKeyEvent::setSpontaneous(&hidden);
    qApp->notify(overview(*w), &hidden);   // sendEvent would clear "spontaneous"
    QShowEvent shown;
    QSpontaneKeyEvent::setSpontaneous(&shown);
    qApp->notify(overview(*w), &shown);
    EXPECT_EQ(selected(*w), 7);
    EXPECT_TRUE(overview(*w)->ElevSpeed->isEnabled());
    EXPECT_TRUE(overview(*w)->UpdateTimer.isActive());
    w->ShowPage(3);
    w->ShowPage(1);
    EXPECT_EQ(selected(*w), -1);
}

TEST_F(OverviewKeys, AClassWithoutPupilsHasNothingToWalk)
{
    auto w = start(0);
    key(*w, Qt::Key_Right);
    key(*w, Qt::Key_End);
    EXPECT_EQ(selected(*w), -1);
    key(*w, Qt::Key_Return);
    EXPECT_EQ(w->AktivSide(), 1);
    EXPECT_FALSE(overview(*w)->ElevSpeed->isEnabled());
}

TEST_F(OverviewKeys, EnterOpensTheSelectedPupilWithItsCode)
{
    auto w = start(12, "kat");
    key(*w, Qt::Key_Return);   // nothing selected: nothing happens
    EXPECT_EQ(w->AktivSide(), 1);
    key(*w, Qt::Key_Right);
    key(*w, Qt::Key_Right);
    key(*w, Qt::Key_Return);   // pupil 1 has no code
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_EQ(w->AktivElev(), w->AktivKlasse().GetElev(1));
    EXPECT_TRUE(w->ElevForm()->FaceSpeed->isEnabled());

    w->ShowPage(1);
    codeAnswer = 2;   // pupil 8's code, mistyped
    key(*w, Qt::Key_Down);
    key(*w, Qt::Key_Down);
    key(*w, Qt::Key_Right);
    key(*w, Qt::Key_Right);
    ASSERT_EQ(selected(*w), 8);
    key(*w, Qt::Key_Enter);
    EXPECT_EQ(codes, std::vector<std::string>{"kat"});
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_EQ(w->AktivElev(), w->AktivKlasse().GetElev(8));
    EXPECT_FALSE(w->ElevForm()->FaceSpeed->isEnabled());   // looking only
}
