// The main window driven as a user would: start-up parameters, opening
// files, codes, closing, the missing archive, help. Dialogs are answered
// by a script; nothing waits for a person.
#include "../support/scripted_dialogs.h"
#include "../support/tempdir.h"
#include "../support/test_main.h"
#include "../support/wait.h"
#include "datefmt.h"
#include "dialogs.h"
#include "drawing.h"
#include "elev.h"
#include "elevform.h"
#include "klasse.h"
#include "klasseform.h"
#include "mainwindow.h"
#include "page.h"
#include "passworddlg.h"
#include "startdialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <deque>

namespace {

std::string makeClass(const TempDir& dir, const std::string& name, int pupils, const std::string& code = {})
{
    tKlasse k;
    (void)k.SetKlasse("4a");
    for (int i = 0; i < pupils; ++i)
        k.SetElevKaldenavn(i, "Elev" + std::to_string(i));
    if (!code.empty())
        k.SetElevElevkode(0, code);
    const std::string path = dir.file(name);
    EXPECT_TRUE(k.SaveToFile(path));
    return path;
}

struct AppTest : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    std::unique_ptr<TMain> start(QStringList params = {}, int depth = 24)
    {
        TMain::Options o;
        o.params = std::move(params);
        o.dialogs = &dialogs;
        o.splashMs = 0;
        o.startDelayMs = 20;
        o.saveIntervalMs = 60000;
        o.screenDepth = depth;
        o.startDialog = [this] { ++startDialogs; return startAnswer; };
        o.askCode = [this](const std::string& c) { askedCodes.push_back(c); return codeAnswer; };
        o.openHelp = [this](const QString& p) { helpOpened.push_back(p); return true; };
        o.programDir = programDir;
        auto w = std::make_unique<TMain>(o);
        w->resize(960, 600);
        return w;
    }

    ScriptedDialogs dialogs;
    int startDialogs = 0;
    int startAnswer = 0;
    int codeAnswer = 1;
    std::vector<std::string> askedCodes;
    std::vector<QString> helpOpened;
    QString programDir;
    TempDir dir;
};

} // namespace

TEST_F(AppTest, AClassPathWithBlanksGivenInPiecesOpens)
{
    std::filesystem::create_directory(dir.file("min klasse"));
    const std::string kla = makeClass(dir, "min klasse/4 a.kla", 3);
    auto w = start(QString::fromStdString(kla).split(' '));
    w->FormShow();
    EXPECT_EQ(w->AktivSide(), 1);
    QTRY_COMPARE(w->AktivKlasse().ElevCount(), 3);
    EXPECT_EQ(startDialogs, 0);
    EXPECT_TRUE(w->ElevForm()->ClassMode());
}

TEST_F(AppTest, ATextFileIsTheWrongType)
{
    const std::string txt = dir.file("noter.txt");
    WriteAll(txt, {'h', 'e', 'j'});
    auto w = start({QString::fromStdString(txt)});
    w->OpenParamFile();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl i filtype");
    EXPECT_EQ(dialogs.messages[0].text, QString("Det var ikke muligt at åbne \"%1\"").arg(QString::fromStdString(txt)));
    EXPECT_EQ(w->AktivSide(), 1);
    EXPECT_TRUE(w->AktivKlasse().IngenElever());
}

TEST_F(AppTest, ABrokenClassIsReplacedByAnEmptyOne)
{
    const std::string kla = dir.file("skadet.kla");
    WriteAll(kla, {5, 0, 0, 0, 'a'});
    auto w = start({QString::fromStdString(kla)});
    w->OpenParamFile();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Det var ikke muligt at åbne \""));
    EXPECT_TRUE(w->AktivKlasse().IngenElever());
    EXPECT_EQ(w->AktivSide(), 1);
}

TEST_F(AppTest, ALockedPupilSeesOnlyTheFrontPage)
{
    tElev e;
    ASSERT_TRUE(e.SetKaldenavn("Mia"));
    ASSERT_TRUE(e.SetElevkode("Kat7"));
    const std::string ele = dir.file("mia.ele");
    ASSERT_TRUE(e.SaveToFile(ele));
    codeAnswer = 2;   // the code dialog is cancelled
    auto w = start({QString::fromStdString(ele)});
    w->OpenParamFile();
    ASSERT_EQ(askedCodes.size(), 1u);
    EXPECT_EQ(askedCodes[0], "Kat7");
    EXPECT_EQ(w->AktivSide(), 3);
    TElevForm* f = w->ElevForm();
    for (auto* b : {f->DataSpeed, f->WriteSpeed, f->HobbySpeed, f->TreeSpeed, f->FaceSpeed, f->HairSpeed,
                    f->BrowSpeed, f->EyeSpeed, f->NoseSpeed, f->MouthSpeed, f->GlassSpeed})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_FALSE(f->ClassMode());
    EXPECT_TRUE(f->StopSpeed->isEnabled());

    // StopSpeed still closes the book and brings the start dialog back.
    f->StopSpeed->click();
    EXPECT_EQ(w->AktivSide(), 1);
    EXPECT_TRUE(w->AktivKlasse().IngenElever());
    // Started with a file, the program opens that file again instead of
    // showing the start dialog.
    QTRY_COMPARE(int(askedCodes.size()), 2);
    EXPECT_EQ(startDialogs, 0);
}

TEST_F(AppTest, LukOnAPupilPageSavesAndBringsTheStartDialogBack)
{
    const std::string kla = makeClass(dir, "k.kla", 2);
    dialogs.files.push_back(QString::fromStdString(kla));
    auto w = start();
    w->FilerAabnKlasseClick();
    w->SetAktivElev(1);
    w->ShowPage(4);
    w->AktivElev()->SetType(Del::Haar, 7);
    const std::string file = w->AktivElev()->FilNavn();
    w->LukClick();
    EXPECT_EQ(tElev::LoadFromFile(file)->Part(Del::Haar).Type, 7);
    EXPECT_EQ(w->AktivSide(), 1);
    EXPECT_TRUE(w->AktivKlasse().IngenElever());
    EXPECT_EQ(startDialogs, 0);
    QTRY_COMPARE(startDialogs, 1);
}

TEST_F(AppTest, AfslutSavesUnsavedWork)
{
    const std::string kla = makeClass(dir, "k.kla", 2);
    auto w = start({QString::fromStdString(kla)});
    w->OpenParamFile();
    w->SetAktivElev(0);
    w->ShowPage(3);
    w->AktivElev()->SetMaal(1, 142);
    const std::string file = w->AktivElev()->FilNavn();
    w->FilerAfslutClick();
    EXPECT_EQ(tElev::LoadFromFile(file)->Maal(1), 142);
    EXPECT_TRUE(w->Closing());
}

TEST_F(AppTest, AFailedSaveAtCloseAsksAndCanStay)
{
    const std::string kla = makeClass(dir, "k.kla", 1);
    auto w = start({QString::fromStdString(kla)});
    w->OpenParamFile();
    w->SetAktivElev(0);
    w->AktivElev()->SetMaal(2, 50);
    w->AktivElev()->SetFilNavn(dir.file("mangler/x.ele"));   // cannot be written
    dialogs.answers = {QMessageBox::Retry, QMessageBox::Cancel};
    w->show();
    w->FilerAfslutClick();
    EXPECT_FALSE(w->Closing());
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Ændringerne kunne ikke skrives til \""));
    EXPECT_TRUE(w->AktivElev()->Aendret());
    dialogs.answers = {QMessageBox::Discard};
    w->FilerAfslutClick();
    EXPECT_TRUE(w->Closing());
}

TEST_F(AppTest, StartDialogAnswers)
{
    const std::string kla = makeClass(dir, "k.kla", 2);
    auto w = start();
    w->FormShow();
    startAnswer = 1;   // new class: the class setup of the empty class
    w->ShowStartDialog();
    EXPECT_EQ(w->AktivSide(), 2);
    startAnswer = 8;   // open a class
    dialogs.files.push_back(QString::fromStdString(kla));
    w->ShowStartDialog();
    EXPECT_EQ(w->AktivSide(), 1);
    EXPECT_EQ(w->AktivKlasse().ElevCount(), 2);
    startAnswer = 0;   // closed: nothing changes
    w->ShowStartDialog();
    EXPECT_EQ(w->AktivSide(), 1);
    EXPECT_EQ(w->AktivKlasse().ElevCount(), 2);
}

TEST_F(AppTest, TheMinuteSaveRunsOnlyOnEditingPages)
{
    auto w = start();
    w->ShowPage(3);
    EXPECT_FALSE(w->CheckGemTimer().isActive());
    w->ShowPage(4);
    EXPECT_TRUE(w->CheckGemTimer().isActive());
    w->ShowPage(12);
    EXPECT_FALSE(w->CheckGemTimer().isActive());
    w->ShowPage(17);
    EXPECT_TRUE(w->CheckGemTimer().isActive());
    w->HidePage();
    EXPECT_FALSE(w->CheckGemTimer().isActive());
    EXPECT_EQ(w->AktivSide(), 0);
}

TEST_F(AppTest, AMissingArchiveEndsTheProgramWithItsMessage)
{
    auto w = start();
    Drawing().ArchivePath = dir.file("ingen.BIN");
    w->show();
    w->ShowPage(3);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QTRY_COMPARE(int(dialogs.messages.size()), 1);
    EXPECT_EQ(dialogs.messages[0].text, "\"Tinkeli.bin\" blev ikke fundet");
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
    QTRY_VERIFY(w->Closing());
    EXPECT_FALSE(w->isVisible());
}

TEST_F(AppTest, AScreenOfFewColoursIsRefusedAndAnyOtherIsNot)
{
    auto ok = start({}, 16);
    QApplication::processEvents();
    EXPECT_TRUE(dialogs.messages.empty());
    auto w = start({}, 8);
    w->show();
    QTRY_COMPARE(int(dialogs.messages.size()), 1);
    EXPECT_EQ(dialogs.messages[0].text, "Programmet kræver mere end 256 farver");
    EXPECT_EQ(dialogs.messages[0].caption, "Programmet afbrydes");
    QTRY_VERIFY(w->Closing());
}

TEST_F(AppTest, HelpPathsWithBlanksReachTheBrowserWhole)
{
    std::filesystem::create_directories(dir.file("mit program/help"));
    WriteAll(dir.file("mit program/help/elev.html"), {'<', 'p', '>'});
    programDir = QString::fromStdString(dir.file("mit program"));
    auto w = start();
    w->ShowPage(3);
    w->HjaelpTilSidenClick();
    w->HidePage();
    w->HjaelpTilSidenClick();
    ASSERT_EQ(helpOpened.size(), 2u);
    EXPECT_EQ(helpOpened[0], QString::fromStdString(dir.file("mit program/help/elev.html")));
    EXPECT_TRUE(helpOpened[1].endsWith("/help/oversigt.html"));
    // What the desktop gets is one file URL that leads back to the same path.
    EXPECT_EQ(QUrl::fromLocalFile(helpOpened[0]).toLocalFile(), helpOpened[0]);
    EXPECT_EQ(TMain::HelpFileFor(9), "naese.html");
    EXPECT_EQ(TMain::HelpFileFor(42), "oversigt.html");
}

TEST(PasswordDialog, FacesFollowTheTyping)
{
    TPasswordDlg d(nullptr);
    d.Prepare("Ab3x");
    EXPECT_TRUE(d.NeutralSmiley->isVisibleTo(&d));
    EXPECT_FALSE(d.OkSpeed->isEnabled());
    EXPECT_EQ(d.MaskEdit->displayText(), QString(4, QChar(0x2022)));   // four placeholders

    QTest::keyClicks(d.MaskEdit, "Ab3");
    EXPECT_TRUE(d.NeutralSmiley->isVisibleTo(&d));
    EXPECT_FALSE(d.OkSpeed->isEnabled());
    QTest::keyClicks(d.MaskEdit, "y");
    EXPECT_TRUE(d.SurSmiley->isVisibleTo(&d));
    EXPECT_FALSE(d.OkSpeed->isEnabled());
    // Enter does nothing while OK is disabled.
    QTest::keyClick(&d, Qt::Key_Return);
    EXPECT_EQ(d.result(), 0);

    QTest::keyClick(d.MaskEdit, Qt::Key_Backspace);
    QTest::keyClicks(d.MaskEdit, "x");
    EXPECT_TRUE(d.GladSmiley->isVisibleTo(&d));
    EXPECT_TRUE(d.OkSpeed->isEnabled());
    QTest::keyClick(&d, Qt::Key_Return);
    EXPECT_EQ(d.result(), 1);
    EXPECT_EQ(d.Answer(d.result()), 1);

    // Case matters.
    d.Prepare("Ab3x");
    QTest::keyClicks(d.MaskEdit, "ab3x");
    EXPECT_TRUE(d.SurSmiley->isVisibleTo(&d));
    EXPECT_EQ(d.Answer(1), 2);
}

TEST(StartDialogTest, TextsActLikeTheirButtonsAndHelpKeepsItOpen)
{
    std::vector<QString> opened;
    TStartDialog d(nullptr, [&](const QString& f) { opened.push_back(f); });
    d.show();
    QTest::mouseClick(d.StaticText[5], Qt::LeftButton);   // "Få hjælp til programmet"
    EXPECT_EQ(opened, std::vector<QString>{"startside.html"});
    EXPECT_TRUE(d.isVisible());
    QTest::mouseClick(d.StaticText[2], Qt::LeftButton);   // "Åbn hele klassen"
    EXPECT_EQ(d.result(), 8);
    EXPECT_FALSE(d.isVisible());
    TStartDialog e(nullptr, {});
    e.show();
    e.NySpeed->click();
    EXPECT_EQ(e.result(), 1);
}

TEST_F(AppTest, PagesFollowTheWindowsSize)
{
    auto w = start();
    w->show();
    w->ShowPage(3);
    Page* p = w->PageAt(3);
    QTRY_VERIFY(p->height() > 0);
    EXPECT_DOUBLE_EQ(p->scale(), p->height() / 450.0);
    ASSERT_TRUE(p->EnsureDrawing());
    EXPECT_EQ(Drawing().PageWidth, p->width() - p->S(89));
    EXPECT_EQ(Drawing().PageBitmap.size(), QSize(Drawing().PageWidth, Drawing().PageHeight));
    // A larger window: the page, its drawing area and the page bitmap follow.
    w->resize(1200, 800);
    QTRY_COMPARE(p->size(), w->centralWidget()->size());
    ASSERT_TRUE(p->EnsureDrawing());
    EXPECT_EQ(Drawing().PageHeight, p->height());
    EXPECT_EQ(Drawing().PageBitmap.height(), p->height());
    EXPECT_FALSE(Drawing().LayoutList.empty());
}

// ---- a class folder shared by two machines ----

TEST_F(AppTest, TwoMachinesOverOneFolderAskBeforeOverwriting)
{
    const std::string kla = makeClass(dir, "k.kla", 2);
    // This machine saves every 30 ms while an editing page is shown; the
    // other one saves when told to.
    TMain::Options o = TestMainOptions(dialogs, kla);
    o.saveIntervalMs = 30;
    TMain here(o);
    ScriptedDialogs otherDialogs;
    o.dialogs = &otherDialogs;
    o.saveIntervalMs = 60000;
    TMain other(o);
    here.OpenParamFile();
    other.OpenParamFile();
    const std::string file = here.AktivKlasse().ElevFilNavn(0);
    const QString question = QString("Filen \"%1\" er ændret på en anden computer, siden den blev åbnet.\n"
                                      "Vil du gemme dine ændringer oven i den?")
                                 .arg(QString::fromStdString(file));
    // The other machine writes over this one's saves when asked.
    auto otherSaves = [&](int hair) {
        other.AktivElev()->SetType(Del::Haar, hair);
        otherDialogs.choices = {0};
        ASSERT_TRUE(other.PageAt(5)->SaveIfChanged());
    };

    here.SetAktivElev(0);
    here.ShowPage(5);
    other.SetAktivElev(0);
    other.ShowPage(5);
    otherSaves(9);
    here.AktivElev()->SetType(Del::Haar, 7);

    // The minute save asks once; "Annuller" keeps both sides as they are.
    dialogs.choices = {1};
    ASSERT_TRUE(WaitFor([&] { return !dialogs.messages.empty(); }));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Gem");
    EXPECT_EQ(dialogs.messages[0].text, question);
    EXPECT_EQ(dialogs.messages[0].buttons, (QStringList{"Gem alligevel", "Annuller"}));
    QTest::qWait(200);   // several more minute saves
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(tElev::LoadFromFile(file)->Part(Del::Haar).Type, 9);
    EXPECT_EQ(here.AktivElev()->Part(Del::Haar).Type, 7);
    EXPECT_TRUE(here.AktivElev()->Aendret());

    // Changed once more elsewhere: asked once more; "Gem alligevel" writes.
    otherSaves(10);
    dialogs.choices = {0};
    ASSERT_TRUE(WaitFor([&] { return !here.AktivElev()->Aendret(); }));
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(tElev::LoadFromFile(file)->Part(Del::Haar).Type, 7);
    QTest::qWait(100);
    EXPECT_EQ(dialogs.messages.size(), 2u);

    // Leaving the page asks every time, and a "no" is not reported as a
    // failed save.
    here.HidePage();
    otherSaves(11);
    here.AktivElev()->SetType(Del::Haar, 3);
    dialogs.choices = {1, 1};
    EXPECT_FALSE(here.PageAt(5)->SaveIfChanged());
    EXPECT_FALSE(here.PageAt(5)->SaveIfChanged());
    ASSERT_EQ(dialogs.messages.size(), 4u);
    EXPECT_EQ(dialogs.messages[3].caption, "Gem");
    EXPECT_EQ(tElev::LoadFromFile(file)->Part(Del::Haar).Type, 11);

    // The overview does not read over edits that are still in memory.
    here.ShowPage(1);
    EXPECT_EQ(static_cast<TKlasseForm*>(here.PageAt(1))->UpdateTimerTimer(), 0);
    EXPECT_EQ(here.AktivElev()->Part(Del::Haar).Type, 3);
    // The other machine was asked once: after this one wrote over its 10.
    ASSERT_EQ(otherDialogs.messages.size(), 1u);
    EXPECT_EQ(otherDialogs.messages[0].caption, "Gem");
}

TEST_F(AppTest, TheClassFileOfAnotherMachineIsNotOverwrittenSilently)
{
    const std::string kla = makeClass(dir, "k.kla", 2);
    ScriptedDialogs otherDialogs;
    auto here = start({QString::fromStdString(kla)});
    TMain other(TestMainOptions(otherDialogs, kla));
    here->OpenParamFile();
    other.OpenParamFile();
    here->ShowPage(2);
    other.ShowPage(2);
    ASSERT_TRUE(other.AktivKlasse().SetLaerer("Nabo"));
    ASSERT_TRUE(other.PageAt(2)->SaveWork());
    ASSERT_TRUE(here->AktivKlasse().SetSkole("Byskolen"));

    dialogs.choices = {1};
    EXPECT_FALSE(here->PageAt(2)->SaveWork());
    ASSERT_EQ(dialogs.messages.size(), 1u);   // the question, no failure box
    EXPECT_EQ(dialogs.messages[0].caption, "Gem");
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QString("Filen \"%1\" er ændret").arg(QString::fromStdString(kla))));
    EXPECT_TRUE(here->AktivKlasse().Aendret());
    EXPECT_EQ(tKlasse::LoadFromFile(kla)->Laerer(), "Nabo");

    dialogs.choices = {0};
    EXPECT_TRUE(here->PageAt(2)->SaveWork());
    auto back = tKlasse::LoadFromFile(kla);
    EXPECT_EQ(back->Skole(), "Byskolen");
    EXPECT_EQ(back->Laerer(), "");
    EXPECT_TRUE(otherDialogs.messages.empty());
}

// ---- birth dates under the machine's locale ----

TEST(BirthDates, TheSameFileGivesTheSameMonthUnderEveryLocale)
{
    // The program takes the machine's short date format (as main() does);
    // birth dates must not follow it. The locales named here, and the one
    // the test runs under (ctest runs it under several).
    TempDir dir;
    tElev written;
    ASSERT_TRUE(written.SetKaldenavn("Bo"));
    ASSERT_TRUE(written.SetFoedselsdag("03-04-2005"));
    ASSERT_TRUE(written.SaveToFile(dir.file("bo.ele")));
    for (const QLocale& loc : {QLocale::system(), QLocale(QLocale::Danish, QLocale::Denmark),
                               QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
        SCOPED_TRACE(loc.name().toStdString() + " " + loc.dateFormat(QLocale::ShortFormat).toStdString());
        SetShortDateFormat(loc.language() == QLocale::C
                               ? DateFormat::Danish()
                               : DateFormat::FromPattern(loc.dateFormat(QLocale::ShortFormat).toStdString()));
        auto e = tElev::LoadFromFile(dir.file("bo.ele"));
        EXPECT_EQ(e->BirthMonth(), 4);
        EXPECT_EQ(tElev().BirthMonth(), 1);   // the default 01-01-2000
        ASSERT_TRUE(e->SetFoedselsdag("3.4.2005"));
        EXPECT_EQ(e->Foedselsdag(), "03-04-2005");
        ASSERT_TRUE(e->SetFoedselsdag("12/1/2006"));
        EXPECT_EQ(e->Foedselsdag(), "12-01-2006");
        EXPECT_EQ(e->BirthMonth(), 1);
    }
    SetShortDateFormat(DateFormat::Danish());
}
