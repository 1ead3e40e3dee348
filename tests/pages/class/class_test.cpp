// The class overview and the class setup, driven through the main window
// with scripted dialog answers.
#include "../../support/scripted_dialogs.h"
#include "../../support/tempdir.h"
#include "../../support/test_main.h"
#include "datefmt.h"
#include "drawing.h"
#include "elev.h"
#include "elevform.h"
#include "fileio.h"
#include "gemklasse.h"
#include "klasse.h"
#include "klasseform.h"
#include "mainwindow.h"
#include "setupform.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinter>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>

namespace {

struct ClassPages : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    std::unique_ptr<TMain> start(const std::string& kla = {})
    {
        TMain::Options o = TestMainOptions(dialogs, kla);
        o.askCode = [this](const std::string& c) { codes.push_back(c); return codeAnswer; };
        o.openHelp = [this](const QString& p) { help.push_back(p); return true; };
        auto w = StartTestMain(o);
        return w;
    }

    std::string makeClass(int pupils, const std::string& name = "4a.kla")
    {
        tKlasse k;
        (void)k.SetKlasse("4a");
        (void)k.SetSkole("Byskolen");
        for (int i = 0; i < pupils; ++i)
            k.SetElevKaldenavn(i, "Elev" + std::to_string(i));
        const std::string path = dir.file(name);
        EXPECT_TRUE(k.SaveToFile(path));
        return path;
    }

    TKlasseForm* overview(TMain& w) { return static_cast<TKlasseForm*>(w.PageAt(1)); }

    // The setup page of a shown, active window, ready for keys.
    TSetupForm* setupWithKeys(TMain& w)
    {
        w.ShowPage(2);
        QApplication::setActiveWindow(&w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return setup(w);
    }
    static QModelIndex cell(TSetupForm* s, int col, int row) { return s->ElevGrid->model()->index(row, col); }
    static void clickCell(TSetupForm* s, int col, int row)
    {
        QTest::mouseClick(s->ElevGrid->viewport(), Qt::LeftButton, {},
                          s->ElevGrid->visualRect(cell(s, col, row)).center());
    }
    // The editor open on a cell, once the queued opening ran.
    static QLineEdit* editorOf(TSetupForm* s, int col, int row)
    {
        QCoreApplication::processEvents();
        return qobject_cast<QLineEdit*>(s->ElevGrid->indexWidget(cell(s, col, row)));
    }
    static void typeInto(QWidget* w, const QString& text)
    {
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w, text);
    }
    TSetupForm* setup(TMain& w) { return static_cast<TSetupForm*>(w.PageAt(2)); }

    ScriptedDialogs dialogs;
    std::vector<std::string> codes;
    std::vector<QString> help;
    int codeAnswer = 1;
    TempDir dir;
};

} // namespace

// ---- the overview ----

TEST_F(ClassPages, AnEmptyClassHasNothingToSelect)
{
    auto w = start();
    w->ShowPage(1);
    TKlasseForm* f = overview(*w);
    EXPECT_FALSE(f->ElevGridSelectCell(0, 0));
    EXPECT_FALSE(f->ElevSpeed->isEnabled());
    EXPECT_EQ(w->AktivElev(), nullptr);
    EXPECT_EQ(f->ElevTopPanel->text(), "Elever");
    EXPECT_EQ(f->SkolePanel->text(), "Skole");
}

TEST_F(ClassPages, SelectingStopsAtTheLastPupil)
{
    auto w = start(makeClass(7));
    TKlasseForm* f = overview(*w);
    EXPECT_EQ(f->ElevTopPanel->text(), "Elever i 4a");
    EXPECT_EQ(f->SkolePanel->text(), "Byskolen");
    EXPECT_TRUE(f->ElevGridSelectCell(0, 1));   // pupil 6
    EXPECT_TRUE(f->ElevSpeed->isEnabled());
    EXPECT_EQ(w->AktivElev(), w->AktivKlasse().GetElev(6));
    EXPECT_FALSE(f->ElevGridSelectCell(1, 1));   // pupil 7 does not exist
    EXPECT_FALSE(f->ElevSpeed->isEnabled());
    EXPECT_EQ(f->ElevGrid->currentRow(), -1);
    // The last column takes what is left; the cells are square.
    const int c = f->ElevGrid->columnWidth(0);
    EXPECT_EQ(f->ElevGrid->rowHeight(0), c);
    EXPECT_GE(f->ElevGrid->columnWidth(5), c);
    EXPECT_LT(f->ElevGrid->columnWidth(5), c + 6);
}

TEST_F(ClassPages, OpeningAPupilAsksForItsCode)
{
    tKlasse k;
    (void)k.SetKlasse("4a");
    k.SetElevKaldenavn(0, "Bo");
    k.SetElevElevkode(0, "hemmelig");
    ASSERT_TRUE(k.SaveToFile(dir.file("k.kla")));
    codeAnswer = 2;
    auto w = start(dir.file("k.kla"));
    TKlasseForm* f = overview(*w);
    ASSERT_TRUE(f->ElevGridSelectCell(0, 0));
    f->ElevSpeed->click();
    EXPECT_EQ(codes, std::vector<std::string>{"hemmelig"});
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_FALSE(w->ElevForm()->FaceSpeed->isEnabled());   // locked: looking only
    EXPECT_TRUE(w->ElevForm()->BackSpeed->isVisible());
}

TEST_F(ClassPages, TheClassSetupIsBehindTheClassCode)
{
    tKlasse k;
    (void)k.SetKlasse("4a");
    (void)k.SetKode("lærer");
    ASSERT_TRUE(k.SaveToFile(dir.file("k.kla")));
    auto w = start(dir.file("k.kla"));
    codeAnswer = 2;
    overview(*w)->ToolSpeed->click();
    EXPECT_EQ(w->AktivSide(), 1);
    codeAnswer = 1;
    overview(*w)->ToolSpeed->click();
    EXPECT_EQ(w->AktivSide(), 2);
    overview(*w)->HelpBmBtnClick();
    ASSERT_EQ(help.size(), 1u);
    EXPECT_TRUE(help[0].endsWith("/Klasse.html"));
}

TEST_F(ClassPages, ANewerFileIsReloadedAndTheOpenPupilStaysValid)
{
    auto w = start(makeClass(3));
    TKlasseForm* f = overview(*w);
    ASSERT_TRUE(f->ElevGridSelectCell(2, 0));
    const tElev* before = w->AktivElev();
    EXPECT_EQ(f->UpdateTimerTimer(), 0);   // nothing changed since the class was read

    // Another machine saves pupil 2 with a new hairstyle.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    tElev other;
    ASSERT_TRUE(other.SetKaldenavn("Elev2"));
    other.SetType(Del::Haar, 9);
    ASSERT_TRUE(other.SaveToFile(w->AktivKlasse().ElevFilNavn(2)));
    EXPECT_EQ(f->UpdateTimerTimer(), 1);
    EXPECT_EQ(w->AktivElev(), w->AktivKlasse().GetElev(2));
    EXPECT_NE(w->AktivElev(), before);
    EXPECT_EQ(w->AktivElev()->Part(Del::Haar).Type, 9);
    EXPECT_EQ(f->UpdateTimerTimer(), 0);   // and only once

    // A file time within a millisecond of the reading time is not newer.
    DateTime t = 0;
    ASSERT_TRUE(FileWriteTime(w->AktivKlasse().ElevFilNavn(2), t));   // the newest file
    w->AktivKlasse().SetTidspunkt(t - 0.5 / 86400000.0);
    EXPECT_EQ(f->UpdateTimerTimer(), 0);
}

TEST_F(ClassPages, ThumbnailsAreKeptUntilThePupilChanges)
{
    auto w = start(makeClass(2));
    TKlasseForm* f = overview(*w);
    ASSERT_TRUE(f->EnsureDrawing());
    const QSize cell(90, 90);
    const QImage first = f->Thumbnail(0, cell, false);
    const long drawn = f->ThumbnailsDrawn();
    EXPECT_EQ(f->Thumbnail(0, cell, false), first);
    EXPECT_EQ(f->ThumbnailsDrawn(), drawn);   // from the cache
    w->AktivKlasse().GetElev(0)->SetType(Del::Haar, 4);
    const QImage changed = f->Thumbnail(0, cell, false);
    EXPECT_EQ(f->ThumbnailsDrawn(), drawn + 1);
    EXPECT_NE(changed, first);
    // The selected cell is yellow behind the face.
    const QImage selected = f->Thumbnail(0, cell, true);
    EXPECT_EQ(selected.pixelColor(1, 1), QColor(255, 255, 0));
    EXPECT_EQ(changed.pixelColor(1, 1), QColor(255, 251, 240));
}

// ---- the setup ----

TEST_F(ClassPages, ANewClassNeedsANameFirst)
{
    auto w = start();
    w->ShowPage(2);
    TSetupForm* s = setup(*w);
    for (int col = 0; col < 5; ++col)
        EXPECT_FALSE(s->ElevGridSelectCell(col, 0));
    ASSERT_EQ(dialogs.messages.size(), 5u);
    EXPECT_EQ(dialogs.messages[0].caption, "Klassebetegnelse mangler");
    EXPECT_EQ(dialogs.messages[0].text, "Giv klassen et navn\ninden du taster eleverne ind!");
    EXPECT_EQ(dialogs.messages[0].icon, DialogService::Icon::Information);
    QTest::keyClicks(s->KlasseEdit, "4.a");
    EXPECT_EQ(w->AktivKlasse().Klasse(), "4.a");
    EXPECT_TRUE(s->ElevGridSelectCell(0, 0));
    EXPECT_FALSE(s->ElevGridSelectCell(1, 0));
    EXPECT_EQ(dialogs.messages.back().caption, "Kaldenavn mangler");
    EXPECT_EQ(dialogs.messages.back().text, "Du skal først give eleven et kaldenavn!");
    EXPECT_EQ(dialogs.messages.back().icon, DialogService::Icon::Information);
}

TEST_F(ClassPages, TypingANicknameMakesAPupil)
{
    auto w = start();
    w->ShowPage(2);
    TSetupForm* s = setup(*w);
    QTest::keyClicks(s->KlasseEdit, "4a");
    EXPECT_FALSE(s->HobbySpeed->isEnabled());
    s->ElevGridSetEditText(0, 0, "O");
    s->ElevGridSetEditText(0, 0, "Ole");
    EXPECT_EQ(w->AktivKlasse().ElevCount(), 1);
    EXPECT_FALSE(s->KlasseEdit->isEnabled());
    EXPECT_TRUE(s->HobbySpeed->isEnabled());
    EXPECT_FALSE(s->ElevGridSelectCell(0, 0));
    EXPECT_EQ(dialogs.messages.back().caption, "Skrivebeskyttet kaldenavn");
    EXPECT_EQ(dialogs.messages.back().text, "Kaldenavnet kan ikke ændres da det\nbruges som navn på elevens data!");
    EXPECT_EQ(dialogs.messages.back().icon, DialogService::Icon::Information);
    s->ElevGridSetEditText(2, 0, "1.2.2015");
    EXPECT_EQ(s->CellText(2, 0), "01-02-2015");
    s->ElevGridSetEditText(0, 0, "");
    EXPECT_TRUE(w->AktivKlasse().IngenElever());
    EXPECT_TRUE(s->KlasseEdit->isEnabled());
    EXPECT_FALSE(s->HobbySpeed->isEnabled());
}

TEST_F(ClassPages, GenderRules)
{
    auto w = start(makeClass(2));
    w->ShowPage(2);
    TSetupForm* s = setup(*w);
    w->AktivKlasse().SetElevKoen(1, "");
    EXPECT_FALSE(s->ElevGridSelectCell(3, 1));   // never entered as a cell...
    EXPECT_TRUE(s->GenderBox->isVisible());      // ...the box opens over it
    EXPECT_GE(s->GenderBox->width(), s->GenderBox->sizeHint().width());   // "dreng" is not cut
    EXPECT_EQ(s->GenderBox->currentText(), "pige");
    w->AktivKlasse().GetElev(0)->SetType(Del::Haar, 3);
    EXPECT_FALSE(s->ElevGridSelectCell(3, 0));
    EXPECT_FALSE(s->GenderBox->isVisible());
    EXPECT_EQ(dialogs.messages.back().caption, "Drenge/pige-hår er valgt");
    EXPECT_EQ(dialogs.messages.back().text,
              "Der kan ikke skiftes køn når der er valgt\net pige- eller drengehår i elev-delen!");
    EXPECT_EQ(dialogs.messages.back().icon, DialogService::Icon::Information);
    EXPECT_FALSE(s->ElevGridSelectCell(5, 0));   // "Sidst ændret" is never edited
}

TEST_F(ClassPages, DeletingMarkedPupils)
{
    const std::string kla = makeClass(3);
    auto w = start(kla);
    w->ShowPage(2);
    TSetupForm* s = setup(*w);
    s->LeftGridClick(0);
    s->LeftGridClick(2);
    EXPECT_TRUE(s->SletSpeed->isEnabled());
    dialogs.answers = {QMessageBox::No};
    s->SletSpeedClick();
    EXPECT_EQ(dialogs.messages.back().text, "Skal disse 2 elever slettes fra listen?");
    EXPECT_EQ(dialogs.messages.back().caption, "Sletning");
    EXPECT_FALSE(w->AktivKlasse().AnyMarkeret());
    EXPECT_EQ(w->AktivKlasse().ElevCount(), 3);

    const std::string gone = w->AktivKlasse().ElevFilNavn(2);
    s->LeftGridClick(2);
    dialogs.answers = {QMessageBox::Yes};
    s->SletSpeedClick();
    EXPECT_EQ(dialogs.messages.back().text, "Skal denne elev slettes fra listen?");
    EXPECT_EQ(w->AktivKlasse().ElevCount(), 2);
    // The file goes once the class file without the pupil is written, as
    // the page is left.
    EXPECT_TRUE(QFile::exists(QString::fromStdString(gone)));
    EXPECT_EQ(tKlasse::LoadFromFile(kla)->ElevCount(), 3);
    s->BackSpeed->click();
    EXPECT_EQ(w->AktivSide(), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(gone)));
    EXPECT_EQ(tKlasse::LoadFromFile(kla)->ElevCount(), 2);
}

TEST_F(ClassPages, AFailedSaveNamesTheFileAndDeletesNothing)
{
    const std::string kla = makeClass(3);
    auto w = start(kla);
    w->ShowPage(2);
    TSetupForm* s = setup(*w);
    s->LeftGridClick(0);
    dialogs.answers = {QMessageBox::Yes};
    s->SletSpeedClick();
    s->ElevGridSetEditText(1, 0, "Anna Berg");   // now pupil 0, Elev1
    const std::string readOnly = w->AktivKlasse().ElevFilNavn(0);
    const std::string gone = dir.file("4a_Elev0.ele");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    const std::size_t shown = dialogs.messages.size();
    s->BackSpeed->click();
    ASSERT_EQ(dialogs.messages.size(), shown + 1);
    EXPECT_EQ(dialogs.messages.back().caption, "Fejl");
    EXPECT_EQ(dialogs.messages.back().text,
              QString("Ændringerne kunne ikke skrives til \"%1\"").arg(QString::fromStdString(readOnly)));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(gone)));
    EXPECT_EQ(tKlasse::LoadFromFile(kla)->ElevCount(), 3);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0644), 0);
    w->ShowPage(2);
    s->BackSpeed->click();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(gone)));
    auto back = tKlasse::LoadFromFile(kla);
    ASSERT_EQ(back->ElevCount(), 2);
    EXPECT_EQ(back->ElevFuldeNavn(0), "Anna Berg");
}

TEST_F(ClassPages, DamagedPupilFilesKeepTheirPlaceInTheClass)
{
    const std::string kla = makeClass(5);
    // Elev1 is missing, Elev2 is cut short, Elev3 is random bytes.
    std::filesystem::remove(dir.file("4a_Elev1.ele"));
    Bytes cut = ReadAll(dir.file("4a_Elev2.ele"));
    cut.resize(60);
    WriteAll(dir.file("4a_Elev2.ele"), cut);
    Bytes noise(500);
    for (std::size_t k = 0; k < noise.size(); ++k)
        noise[k] = std::uint8_t((k * 7919 + 13) >> 3);
    WriteAll(dir.file("4a_Elev3.ele"), noise);

    auto w = start(kla);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
    EXPECT_EQ(dialogs.messages[0].text, "Disse elevfiler kunne ikke læses:\n4a_Elev1.ele\n4a_Elev2.ele\n4a_Elev3.ele");
    EXPECT_EQ(dialogs.messages[0].icon, DialogService::Icon::Warning);
    ASSERT_EQ(w->AktivKlasse().ElevCount(), 5);

    // The overview: a grey cell with the file name, which cannot be opened.
    TKlasseForm* f = overview(*w);
    EXPECT_EQ(w->AktivSide(), 1);
    EXPECT_TRUE(f->ElevGridSelectCell(2, 0));
    EXPECT_FALSE(f->ElevSpeed->isEnabled());
    EXPECT_EQ(w->AktivElev(), nullptr);
    f->ElevSpeedClick();
    EXPECT_EQ(w->AktivSide(), 1);
    EXPECT_TRUE(f->ElevGridSelectCell(4, 0));
    EXPECT_TRUE(f->ElevSpeed->isEnabled());
    EXPECT_EQ(w->AktivElev(), w->AktivKlasse().GetElev(4));
    ASSERT_TRUE(f->EnsureDrawing());
    const QSize size(120, 120);
    const QImage grey = f->Thumbnail(1, size, false);
    EXPECT_EQ(grey.pixelColor(1, 1), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(grey.pixelColor(60, 110), QColor(0xC0, 0xC0, 0xC0));
    int dark = 0;   // the file name's letters
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            dark += grey.pixelColor(x, y).value() < 0x80 ? 1 : 0;
    EXPECT_GT(dark, 30);
    EXPECT_EQ(f->Thumbnail(0, size, false).pixelColor(1, 1), QColor(255, 251, 240));
    const long drawn = f->ThumbnailsDrawn();
    (void)f->Thumbnail(1, size, false);
    EXPECT_EQ(f->ThumbnailsDrawn(), drawn);   // kept like the others

    // A file broken on another machine: read again, it turns grey and the
    // open pupil is gone rather than half read.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    WriteAll(dir.file("4a_Elev4.ele"), cut);
    EXPECT_EQ(f->UpdateTimerTimer(), 1);
    EXPECT_TRUE(w->AktivKlasse().ElevLaesFejl(4));
    EXPECT_EQ(w->AktivElev(), nullptr);
    f->ElevSpeedClick();
    EXPECT_EQ(w->AktivSide(), 1);
    // Mended there, it comes back.
    tElev mended;
    ASSERT_TRUE(mended.SetKaldenavn("Elev4"));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(mended.SaveToFile(dir.file("4a_Elev4.ele")));
    EXPECT_EQ(f->UpdateTimerTimer(), 1);
    EXPECT_FALSE(w->AktivKlasse().ElevLaesFejl(4));
    EXPECT_TRUE(f->ElevGridSelectCell(4, 0));
    EXPECT_EQ(w->AktivElev(), w->AktivKlasse().GetElev(4));

    // The setup shows the file name, greyed, and lets nobody edit the row.
    w->ShowPage(2);
    TSetupForm* s = setup(*w);
    EXPECT_EQ(s->CellText(0, 2), "4a_Elev2.ele");
    EXPECT_EQ(s->CellText(1, 2), "");
    EXPECT_EQ(s->CellText(0, 4), "Elev4");
    const std::size_t shown = dialogs.messages.size();
    for (int col = 0; col < 5; ++col)
        EXPECT_FALSE(s->ElevGridSelectCell(col, 1)) << col;
    EXPECT_EQ(dialogs.messages.size(), shown);
    EXPECT_FALSE(s->GenderBox->isVisible());
    // Nor does typing once the cursor stands on such a row.
    for (int col : {0, 1, 2, 4}) {
        s->ElevGrid->setCurrentIndex(cell(s, col, 2));
        QTest::keyClicks(s->ElevGrid, "x9");
        EXPECT_EQ(editorOf(s, col, 2), nullptr) << col;
    }
    EXPECT_EQ(s->CellText(0, 2), "4a_Elev2.ele");
    EXPECT_EQ(w->AktivKlasse().ElevFuldeNavn(2), "");
    // Saving the class leaves the damaged files as they are and keeps them
    // in the class file.
    s->ElevGridSetEditText(1, 4, "Eva Holm");
    s->BackSpeed->click();
    EXPECT_EQ(dialogs.messages.size(), shown);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.file("4a_Elev1.ele"))));
    EXPECT_EQ(ReadAll(dir.file("4a_Elev2.ele")), cut);
    EXPECT_EQ(ReadAll(dir.file("4a_Elev3.ele")), noise);
    auto back = tKlasse::LoadFromFile(kla);
    ASSERT_EQ(back->ElevCount(), 5);
    EXPECT_EQ(back->UlaeseligeFiler().size(), 3u);
    EXPECT_EQ(back->ElevFuldeNavn(4), "Eva Holm");
}

TEST_F(ClassPages, LeavingANewClassAsksWhereToSaveIt)
{
    auto w = start();
    w->ShowPage(2);
    TSetupForm* s = setup(*w);
    QTest::keyClicks(s->KlasseEdit, "4.a");
    s->ElevGridSetEditText(0, 0, "Ida");
    // Nothing is taken as the class's file before a name was confirmed.
    std::vector<std::string> filNavnAtDialog;
    dialogs.onSaveDialog = [&] { filNavnAtDialog.push_back(w->AktivKlasse().FilNavn()); };

    // Cancelled, then "Tilbage": the dialog again, with the same proposal;
    // cancelled again, then "Kassér": the class and its pupil are gone.
    dialogs.choices = {1, 0};
    s->BackSpeed->click();
    ASSERT_EQ(dialogs.suggested.size(), 2u);
    EXPECT_EQ(dialogs.suggested[0], "4a");
    EXPECT_EQ(dialogs.suggested[1], "4a");
    EXPECT_EQ(filNavnAtDialog, (std::vector<std::string>{"", ""}));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    for (const auto& m : dialogs.messages) {
        EXPECT_EQ(m.caption, "Gem klassen");
        EXPECT_EQ(m.text, "Klassen er ikke gemt.\nVil du kassere den og alle dens elever?");
    }
    EXPECT_EQ(dialogs.chooseButtons[0], (QStringList{"Kassér", "Tilbage"}));
    EXPECT_EQ(w->AktivSide(), 1);
    EXPECT_TRUE(w->AktivKlasse().IngenElever());
    EXPECT_TRUE(w->AktivKlasse().Klasse().empty());

    // A class without pupils goes without a word.
    w->ShowPage(2);
    QTest::keyClicks(s->KlasseEdit, "5b");
    dialogs.messages.clear();
    s->BackSpeed->click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(w->AktivKlasse().Klasse().empty());

    // Saved: first into a folder that is not there (the dialog comes back),
    // then properly; the name gets its ".kla".
    w->ShowPage(2);
    QTest::keyClicks(s->KlasseEdit, "4.a");
    s->ElevGridSetEditText(0, 0, "Ida");
    dialogs.suggested.clear();
    dialogs.files = {QString::fromStdString(dir.file("mangler/4a.kla")), QString::fromStdString(dir.file("4a"))};
    s->BackSpeed->click();
    EXPECT_EQ(dialogs.suggested.size(), 2u);
    EXPECT_EQ(dialogs.messages.back().caption, "Fejl");
    // The pupils are written before the class file, so the first file that
    // could not be written is the pupil's.
    EXPECT_EQ(dialogs.messages.back().text,
              QString("Ændringerne kunne ikke skrives til \"%1\"").arg(QString::fromStdString(dir.file("mangler/4a_Ida.ele"))));
    EXPECT_EQ(w->AktivKlasse().FilNavn(), dir.file("4a.kla"));
    auto back = tKlasse::LoadFromFile(dir.file("4a.kla"));
    EXPECT_FALSE(back->LaesFejl());
    EXPECT_EQ(back->ElevKaldenavn(0), "Ida");
}

TEST_F(ClassPages, TheSharedClassSaveNamesTheFileOnlyWhenConfirmed)
{
    EXPECT_EQ(ProposedKlasseFilNavn("4.a"), "4a");
    EXPECT_EQ(ProposedKlasseFilNavn("Bl\xE5 3.b"), "Blå3b");   // Windows-1252 letters count
    EXPECT_EQ(ProposedKlasseFilNavn("..."), "");
    EXPECT_EQ(WithKlaExtension("/x/4a"), "/x/4a.kla");
    EXPECT_EQ(WithKlaExtension("/x/4a.kla"), "/x/4a.kla");
    EXPECT_EQ(WithKlaExtension("/x/4A.KLA"), "/x/4A.KLA");
    EXPECT_EQ(WithKlaExtension("/x/4.b"), "/x/4.b.kla");   // any other extension is part of the name
    EXPECT_EQ(WithKlaExtension("/x/4a."), "/x/4a.kla");

    auto w = start();
    w->ShowPage(2);
    tKlasse& k = w->AktivKlasse();
    (void)k.SetKlasse("4.b");
    k.SetElevKaldenavn(0, "Bo");
    dialogs.files = {QString::fromStdString(dir.file("klasse.4.b"))};
    EXPECT_EQ(GemKlasse(*w, w.get()), KlasseGemt::Gemt);
    EXPECT_EQ(k.FilNavn(), dir.file("klasse.4.b.kla"));
    EXPECT_EQ(k.ElevFilNavn(0), dir.file("klasse.4.b_Bo.ele"));
    EXPECT_FALSE(tKlasse::LoadFromFile(dir.file("klasse.4.b.kla"))->LaesFejl());

    // Known file, failing write: said once, the class kept as it is.
    k.SetFilNavn(dir.file("mangler/k.kla"));
    dialogs.messages.clear();
    EXPECT_EQ(GemKlasse(*w, w.get()), KlasseGemt::Fejlet);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
    EXPECT_EQ(dialogs.messages[0].icon, DialogService::Icon::Warning);
    EXPECT_EQ(w->AktivKlasse().ElevKaldenavn(0), "Bo");
    EXPECT_EQ(dialogs.suggested.size(), 1u);   // no save dialog for a class with a file
}

TEST_F(ClassPages, PrintedListPages)
{
    // 59 pupils and a title row are 60 rows: with 50 to a page, 2 pages.
    const ListPrintLayout l = ComputeListLayout(5000, 7016 + 2 * 600, 600, 93, 59);
    EXPECT_EQ(l.lineHeight, 140);
    EXPECT_EQ(l.rowsPerPage, 50);
    EXPECT_EQ(l.rows, 60);
    EXPECT_EQ(l.pages, 2);
    EXPECT_EQ(l.inset, 3);
    EXPECT_EQ(ComputeListLayout(5000, 7000, 600, 93, 0).pages, 1);

    // And for real, into a PDF.
    tKlasse k;
    (void)k.SetKlasse("4a");
    (void)k.SetSkole("Byskolen");
    for (int i = 0; i < 59; ++i)
        k.SetElevKaldenavn(i, "Elev" + std::to_string(i));
    ASSERT_TRUE(k.SaveToFile(dir.file("stor.kla")));
    auto w = start(dir.file("stor.kla"));
    w->ShowPage(2);
    const QString pdf = QString::fromStdString(dir.file("liste.pdf"));
    int offered = 0;
    dialogs.print = [&](QPrinter& printer, int pages) {
        offered = pages;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    w->UdskrivClick();
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const int pages = int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "));
    EXPECT_GE(offered, 2);
    EXPECT_EQ(pages, offered);
}

TEST_F(ClassPages, FieldsRefuseWhatTheFilesCannotStore)
{
    auto w = start();
    w->ShowPage(2);
    TSetupForm* s = setup(*w);
    // Typed one character at a time, as a keyboard sends them.
    for (const QString& ch : {QString::fromUtf8("Ł"), QString("o"), QString::fromUtf8("ź"), QString(" "),
                              QString::fromUtf8("😀"), QString::fromUtf8("æ"), QString::fromUtf8("ø")}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, ch);
        QApplication::sendEvent(s->SkoleEdit, &press);
    }
    EXPECT_EQ(s->SkoleEdit->text(), QString::fromUtf8("o æø"));
    EXPECT_EQ(w->AktivKlasse().Skole(), "o \xE6\xF8");
}

// ---- the setup by keyboard ----

TEST_F(ClassPages, TabFromTheDateOpensTheGenderBoxAndLeavesTheDateAlone)
{
    auto w = start(makeClass(2));
    TSetupForm* s = setupWithKeys(*w);
    clickCell(s, 2, 0);
    QLineEdit* date = editorOf(s, 2, 0);
    ASSERT_NE(date, nullptr);
    typeInto(date, "3.4.2005");
    EXPECT_EQ(s->CellText(2, 0), "03-04-2005");
    QTest::keyClick(date, Qt::Key_Tab);
    QCoreApplication::processEvents();
    // On as a click on the gender column: the box opens and has the keys.
    EXPECT_TRUE(s->GenderBox->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), s->GenderBox);
    EXPECT_EQ(editorOf(s, 2, 0), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), "x9");
    EXPECT_EQ(s->CellText(2, 0), "03-04-2005");
    EXPECT_EQ(w->AktivKlasse().ElevFoedselsdag(0), "03-04-2005");

    // Tab from the box: on to the pupil code; Shift+Tab came back to the date.
    QTest::keyClick(s->GenderBox, Qt::Key_Tab);
    EXPECT_FALSE(s->GenderBox->isVisible());
    QLineEdit* code = editorOf(s, 4, 0);
    ASSERT_NE(code, nullptr);
    typeInto(code, "k1");
    EXPECT_EQ(w->AktivKlasse().ElevElevkode(0), "k1");
    // Tab runs past "Sidst ændret" and the next pupil's nickname.
    QTest::keyClick(code, Qt::Key_Tab);
    EXPECT_NE(editorOf(s, 1, 1), nullptr);
    QTest::keyClick(editorOf(s, 1, 1), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(editorOf(s, 4, 0), nullptr);
    QTest::keyClick(editorOf(s, 4, 0), Qt::Key_Escape);

    // A pupil with a hairstyle: Tab from the date says why the gender stays,
    // and the cursor goes on to the gender cell, where typing does nothing.
    w->AktivKlasse().GetElev(1)->SetType(Del::Haar, 3);
    w->AktivKlasse().SetElevFoedselsdag(1, "05-06-2015");
    clickCell(s, 2, 1);
    ASSERT_NE(editorOf(s, 2, 1), nullptr);
    QTest::keyClick(editorOf(s, 2, 1), Qt::Key_Tab);
    EXPECT_EQ(dialogs.messages.back().caption, "Drenge/pige-hår er valgt");
    EXPECT_FALSE(s->GenderBox->isVisible());
    EXPECT_EQ(s->ElevGrid->currentIndex(), cell(s, 3, 1));
    QTest::keyClicks(s->ElevGrid, "x9");
    EXPECT_EQ(editorOf(s, 3, 1), nullptr);
    EXPECT_EQ(editorOf(s, 2, 1), nullptr);
    EXPECT_EQ(s->CellText(2, 1), "05-06-2015");
    EXPECT_EQ(s->CellText(3, 1), QString::fromStdString(w->AktivKlasse().ElevKoen(1)));
    QTest::keyClick(s->ElevGrid, Qt::Key_Tab);   // and on from there
    EXPECT_NE(editorOf(s, 4, 1), nullptr);
}

TEST_F(ClassPages, EscGivesEveryCellBackItsValue)
{
    auto w = start(makeClass(2));
    tKlasse& k = w->AktivKlasse();
    k.SetElevFuldeNavn(0, "Ea Holm");
    k.SetElevFoedselsdag(0, "01-02-2015");
    k.SetElevKoen(1, "dreng");
    TSetupForm* s = setupWithKeys(*w);

    struct Case {
        int col;
        const char* typed;
        std::string (tKlasse::*get)(int) const;
    };
    for (const Case& c : {Case{1, "Anders", &tKlasse::ElevFuldeNavn}, Case{2, "x9", &tKlasse::ElevFoedselsdag},
                          Case{4, "hemmelig", &tKlasse::ElevElevkode}}) {
        const std::string before = (k.*c.get)(0);
        clickCell(s, c.col, 0);
        QLineEdit* e = editorOf(s, c.col, 0);
        ASSERT_NE(e, nullptr) << c.col;
        typeInto(e, c.typed);
        EXPECT_NE((k.*c.get)(0), before) << c.col;   // stored as typed...
        QTest::keyClick(e, Qt::Key_Escape);
        EXPECT_EQ((k.*c.get)(0), before) << c.col;   // ...and given back
        EXPECT_EQ(editorOf(s, c.col, 0), nullptr) << c.col;
    }

    // A nickname typed in the free row made a pupil; Esc takes it away again.
    clickCell(s, 0, 2);
    QLineEdit* nick = editorOf(s, 0, 2);
    ASSERT_NE(nick, nullptr);
    QTest::keyClicks(nick, "Nyt");
    EXPECT_EQ(k.ElevCount(), 3);
    QTest::keyClick(nick, Qt::Key_Escape);
    EXPECT_EQ(k.ElevCount(), 2);

    // The gender box: a new choice, then Esc.
    EXPECT_FALSE(s->ElevGridSelectCell(3, 1));
    ASSERT_TRUE(s->GenderBox->isVisible());
    EXPECT_EQ(s->GenderBox->currentText(), "dreng");
    s->GenderBox->setCurrentIndex(1);
    emit s->GenderBox->activated(1);
    EXPECT_EQ(k.ElevKoen(1), "pige");
    QTest::keyClick(s->GenderBox, Qt::Key_Escape);
    EXPECT_FALSE(s->GenderBox->isVisible());
    EXPECT_EQ(k.ElevKoen(1), "dreng");
}

TEST_F(ClassPages, AnotherClassStartsAtTheTopOfTheList)
{
    const std::string big = makeClass(45, "stor.kla");
    auto w = start(big);
    TSetupForm* s = setupWithKeys(*w);
    QScrollBar* bar = s->ElevGrid->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    EXPECT_EQ(s->LeftGrid->verticalScrollBar()->value(), s->LeftGrid->verticalScrollBar()->maximum());
    w->ShowPage(1);
    dialogs.files = {QString::fromStdString(makeClass(3, "lille.kla"))};
    w->FilerAabnKlasseClick();
    w->ShowPage(2);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(s->LeftGrid->verticalScrollBar()->value(), 0);
    EXPECT_EQ(s->ElevGrid->rowAt(0), 0);
}

TEST_F(ClassPages, EachColumnHasOneFontAndTheEditorUsesIt)
{
    auto w = start(makeClass(2));
    tKlasse& k = w->AktivKlasse();
    k.SetElevKoen(0, "dreng");
    k.SetElevKoen(1, "pige");
    k.SetElevFoedselsdag(0, "01-02-2015");
    for (const QSize size : {QSize(1000, 700), QSize(1024, 768), QSize(1920, 1080)}) {
        w->resize(size);
        TSetupForm* s = setupWithKeys(*w);
        const QFont grid = s->ElevGrid->font();
        for (int col : {0, 1, 4})
            EXPECT_EQ(s->CellFont(col).pixelSize(), grid.pixelSize()) << col;
        // The widest value of a column fits it.
        auto fits = [&](int col, const QString& text) {
            return QFontMetrics(s->CellFont(col)).horizontalAdvance(text) <= s->ElevGrid->columnWidth(col) - 4;
        };
        EXPECT_TRUE(fits(2, "00-00-0000"));
        EXPECT_TRUE(fits(3, "dreng"));
        EXPECT_TRUE(fits(5, "00-00-0000 00:00:00"));

        for (int col : {1, 2, 4}) {
            clickCell(s, col, 0);
            QLineEdit* e = editorOf(s, col, 0);
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->font().pixelSize(), s->CellFont(col).pixelSize()) << col;
            EXPECT_EQ(e->font().family(), s->CellFont(col).family()) << col;
            QTest::keyClick(e, Qt::Key_Escape);
        }

        // "dreng" and "pige" are drawn in the column's one font: each cell's
        // ink is exactly where that font puts it.
        const QImage shot = s->ElevGrid->viewport()->grab().toImage();
        auto ink = [](const QImage& img) {
            QRect box;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (qRed(img.pixel(x, y)) < 100)
                        box |= QRect(x, y, 1, 1);
            return box;
        };
        for (int row : {0, 1}) {
            const QRect r = s->ElevGrid->visualRect(cell(s, 3, row));
            QImage expected(r.size(), shot.format());
            expected.fill(Qt::white);
            {
                QPainter p(&expected);
                p.setFont(s->CellFont(3));
                p.setPen(Qt::black);
                p.drawText(QRect(QPoint(0, 0), r.size()).adjusted(2, 0, -2, 0),
                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, s->CellText(3, row));
            }
            EXPECT_EQ(ink(shot.copy(r)), ink(expected)) << size.width() << " row " << row;
        }
    }
}

TEST_F(ClassPages, TheTrashButtonWorksOnlyWithMarks)
{
    auto w = start(makeClass(3));
    TSetupForm* s = setupWithKeys(*w);
    EXPECT_FALSE(s->SletSpeed->isEnabled());
    s->LeftGridClick(1);
    EXPECT_TRUE(s->SletSpeed->isEnabled());
    s->LeftGridClick(1);
    EXPECT_FALSE(s->SletSpeed->isEnabled());
    s->LeftGridClick(0);
    s->LeftGridClick(2);
    dialogs.answers = {QMessageBox::No};
    s->SletSpeedClick();
    EXPECT_FALSE(s->SletSpeed->isEnabled());   // "Nej" cleared the marks
    const auto asked = dialogs.messages.size();
    s->SletSpeedClick();                        // nothing marked: nothing asked
    EXPECT_EQ(dialogs.messages.size(), asked);
    EXPECT_EQ(w->AktivKlasse().ElevCount(), 3);
    s->LeftGridClick(2);
    dialogs.answers = {QMessageBox::Yes};
    s->SletSpeedClick();
    EXPECT_EQ(w->AktivKlasse().ElevCount(), 2);
    EXPECT_FALSE(s->SletSpeed->isEnabled());
    // Disabled, the glyph loses its red: it looks like the other disabled
    // buttons, not like the grey basket it is when it works.
    const QIcon glyph = s->SletSpeed->icon();
    auto reds = [&](QIcon::Mode mode) {
        const QImage img = glyph.pixmap(QSize(64, 64), mode).toImage();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                n += c.alpha() > 128 && c.red() > c.green() + 100 && c.red() > c.blue() + 100;
            }
        return n;
    };
    EXPECT_GT(reds(QIcon::Normal), 100);
    EXPECT_EQ(reds(QIcon::Disabled), 0);
    // Marks from an earlier visit do not survive the page.
    s->LeftGridClick(0);
    w->ShowPage(1);
    w->ShowPage(2);
    EXPECT_FALSE(s->SletSpeed->isEnabled());
}

// ---- closing the program with a changed class ----

TEST_F(ClassPages, ClosingSavesAClassChangedOnTheOverviewOrThePupilsPage)
{
    const std::string kla = makeClass(2);
    {
        auto w = start(kla);
        ASSERT_EQ(w->AktivSide(), 1);
        ASSERT_TRUE(w->AktivKlasse().SetSkole("Nyskolen"));
        EXPECT_TRUE(w->close());
    }
    EXPECT_EQ(tKlasse::LoadFromFile(kla)->Skole(), "Nyskolen");
    {
        auto w = start(kla);
        w->SetAktivElev(1);
        w->ShowPage(3);
        w->AktivKlasse().ToggleTilbudt(7);
        EXPECT_TRUE(w->close());
    }
    auto back = tKlasse::LoadFromFile(kla);
    EXPECT_TRUE(back->HobbyTilbudt(7));
    EXPECT_EQ(back->Skole(), "Nyskolen");
    EXPECT_EQ(back->ElevCount(), 2);
}
