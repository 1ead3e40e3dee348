// The class overview and the class setup, driven through the main window
// with scripted dialog answers.
#include "../../support/scripted_dialogs.h"
#include "../../support/tempdir.h"
#include "datefmt.h"
#include "drawing.h"
#include "elev.h"
#include "elevform.h"
#include "fileio.h"
#include "klasse.h"
#include "klasseform.h"
#include "mainwindow.h"
#include "setupform.h"

#include <QApplication>
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
        TMain::Options o;
        if (!kla.empty())
            o.params = {QString::fromStdString(kla)};
        o.dialogs = &dialogs;
        o.splashMs = 0;
        o.startDelayMs = 60000;
        o.screenDepth = 24;
        o.startDialog = [] { return 0; };
        o.askCode = [this](const std::string& c) { codes.push_back(c); return codeAnswer; };
        o.openHelp = [this](const QString& p) { help.push_back(p); return true; };
        auto w = std::make_unique<TMain>(o);
        w->resize(1000, 700);
        w->show();
        if (!kla.empty())
            w->OpenParamFile();
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
    EXPECT_EQ(s->GenderBox->currentText(), "pige");
    w->AktivKlasse().GetElev(0)->SetType(Del::Haar, 3);
    EXPECT_FALSE(s->ElevGridSelectCell(3, 0));
    EXPECT_FALSE(s->GenderBox->isVisible());
    EXPECT_EQ(dialogs.messages.back().caption, "Drenge/pige-hår er valgt");
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
    // Cancelled: the new class is thrown away.
    s->BackSpeed->click();
    ASSERT_EQ(dialogs.suggested.size(), 1u);
    EXPECT_EQ(dialogs.suggested[0], "4a");
    EXPECT_EQ(w->AktivSide(), 1);
    EXPECT_TRUE(w->AktivKlasse().IngenElever());
    EXPECT_TRUE(w->AktivKlasse().Klasse().empty());

    // Saved: first into a folder that is not there (the dialog comes back),
    // then properly.
    w->ShowPage(2);
    QTest::keyClicks(s->KlasseEdit, "4.a");
    s->ElevGridSetEditText(0, 0, "Ida");
    dialogs.files = {QString::fromStdString(dir.file("mangler/4a.kla")), QString::fromStdString(dir.file("4a"))};
    s->BackSpeed->click();
    EXPECT_EQ(dialogs.suggested.size(), 3u);
    EXPECT_EQ(dialogs.messages.back().caption, "Fejl");
    EXPECT_EQ(w->AktivKlasse().FilNavn(), dir.file("4a.kla"));
    auto back = tKlasse::LoadFromFile(dir.file("4a.kla"));
    EXPECT_FALSE(back->LaesFejl());
    EXPECT_EQ(back->ElevKaldenavn(0), "Ida");
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
