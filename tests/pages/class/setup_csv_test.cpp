// The class setup's pupil list to and from a spreadsheet file, through the
// main window's menu items, with the dialogs answered by a script.
#include "../../support/scripted_dialogs.h"
#include "../../support/tempdir.h"
#include "../../support/test_main.h"
#include "datefmt.h"
#include "democlass.h"
#include "ansi.h"
#include "elev.h"
#include "elevliste.h"
#include "gemklasse.h"
#include "klasse.h"
#include "mainwindow.h"
#include "setupform.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

struct SetupCsv : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    std::unique_ptr<TMain> start(const std::string& kla = {})
    {
        TMain::Options o = TestMainOptions(dialogs, kla);
        auto w = StartTestMain(o);
        w->ShowPage(2);
        return w;
    }

    std::string makeClass(int pupils)
    {
        tKlasse k;
        (void)k.SetKlasse("4a");
        for (int i = 0; i < pupils; ++i)
            k.SetElevKaldenavn(i, "Elev" + std::to_string(i));
        const std::string path = dir.file("4a.kla");
        EXPECT_TRUE(k.SaveToFile(path));
        return path;
    }

    TSetupForm* setup(TMain& w) { return static_cast<TSetupForm*>(w.PageAt(2)); }
    QString file(const std::string& name) const { return QString::fromStdString(dir.file(name)); }

    ScriptedDialogs dialogs;
    TempDir dir;
};

int filesIn(const std::string& dir)
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir))
        ++n;
    return n;
}

} // namespace

TEST_F(SetupCsv, ExportWritesTheListAndChangesNothing)
{
    const std::string kla = makeClass(3);
    auto w = start(kla);
    const auto before = ReadAll(kla);
    dialogs.files = {file("liste.csv")};
    w->EksporterElevlisteClick();
    ASSERT_EQ(dialogs.suggested.size(), 1u);
    EXPECT_EQ(dialogs.suggested[0], "4a_elevliste.csv");
    const auto bytes = ReadAll(dir.file("liste.csv"));
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(text, ElevlisteCsv(w->AktivKlasse()));
    EXPECT_NE(text.find("Elev2;"), std::string::npos);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(w->AktivKlasse().Aendret());
    EXPECT_EQ(ReadAll(kla), before);

    // A class name that is no file name is made one; a folder that is not
    // there is said.
    (void)w->AktivKlasse().SetKlasse("4/5 a");
    dialogs.files = {file("ikke/her.csv")};
    w->EksporterElevlisteClick();
    EXPECT_EQ(dialogs.suggested.back(), "4_5 a_elevliste.csv");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QString("Elevlisten kunne ikke gemmes i \"%1\"").arg(file("ikke/her.csv")));
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
    EXPECT_EQ(dialogs.messages[0].icon, DialogService::Icon::Warning);
}

TEST_F(SetupCsv, ImportTakesWhatItCanNamesTheRestAndSavesNothing)
{
    const std::string kla = makeClass(47);
    auto w = start(kla);
    const auto before = ReadAll(kla);
    const int filesBefore = filesIn(dir.path());
    // Windows-1252, comma separated, the columns in another order.
    WriteAll(dir.file("liste.csv"),
             [] {
                 const std::string s = "K\xF8n,Kaldenavn,Fulde navn\r\n"
                                       "P,Ny1,\"Holm, Ida\"\r\n"
                                       "D,\xC5se,\r\n"
                                       ",elev4,\r\n"
                                       "p,Ny3,\r\n"
                                       "m,Ny4,\r\n";
                 return Bytes(s.begin(), s.end());
             }());
    dialogs.files = {file("liste.csv")};
    w->ImporterElevlisteClick();
    tKlasse& k = w->AktivKlasse();
    ASSERT_EQ(k.ElevCount(), 50);
    EXPECT_EQ(k.ElevKaldenavn(47), "Ny1");
    EXPECT_EQ(k.ElevFuldeNavn(47), "Holm, Ida");
    EXPECT_EQ(k.ElevKoen(47), "pige");
    EXPECT_EQ(k.ElevKaldenavn(48), "\xC5se");
    EXPECT_EQ(k.ElevKaldenavn(49), "Ny3");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Disse rækker blev ikke taget med:\n"
                                        "Række 4: kaldenavnet \"elev4\" findes allerede\n"
                                        "Række 6: klassen har allerede 50 elever");
    EXPECT_EQ(dialogs.messages[0].icon, DialogService::Icon::Information);
    // The grid shows them, and the class is changed but not written.
    TSetupForm* s = setup(*w);
    EXPECT_EQ(s->CellText(0, 48), QString::fromUtf8("Åse"));
    EXPECT_EQ(s->CellText(1, 47), "Holm, Ida");
    EXPECT_FALSE(s->KlasseEdit->isEnabled());
    EXPECT_TRUE(s->HobbySpeed->isEnabled());
    EXPECT_TRUE(k.Aendret());
    EXPECT_EQ(ReadAll(kla), before);
    EXPECT_EQ(filesIn(dir.path()), filesBefore + 1);   // the list itself
    // Saved with the class, the new pupils get their files.
    EXPECT_EQ(GemKlasse(*w, s), KlasseGemt::Gemt);
    EXPECT_TRUE(std::filesystem::exists(dir.file("4a_Ny1.ele")));
    EXPECT_EQ(tKlasse::LoadFromFile(kla)->ElevCount(), 50);
}

TEST_F(SetupCsv, ARoundTripIntoANewClass)
{
    std::string demo, error;
    std::filesystem::create_directory(dir.file("demo"));
    ASSERT_TRUE(WriteDemoClass(QString::fromStdString(dir.file("demo")), 24, demo, error)) << error;
    auto w = start(demo);
    dialogs.files = {file("demo.csv")};
    w->EksporterElevlisteClick();
    const auto from = tKlasse::LoadFromFile(demo);

    w->FilerNyklasseClick();
    w->ShowPage(2);
    TSetupForm* s = setup(*w);
    s->KlasseEdit->setText("5b");
    emit s->KlasseEdit->textEdited("5b");
    EXPECT_TRUE(s->KlasseEdit->isEnabled());
    EXPECT_FALSE(s->HobbySpeed->isEnabled());
    dialogs.files = {file("demo.csv")};
    w->ImporterElevlisteClick();
    EXPECT_TRUE(dialogs.messages.empty());
    // The class has pupils now: its name is fixed, its hobbies can be planned.
    EXPECT_FALSE(s->KlasseEdit->isEnabled());
    EXPECT_TRUE(s->HobbySpeed->isEnabled());
    tKlasse& k = w->AktivKlasse();
    ASSERT_EQ(k.ElevCount(), from->ElevCount());
    for (int i = 0; i < k.ElevCount(); ++i)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(s->CellText(c, i).toStdString(), [&] {
                switch (c) {
                case 0: return ansi::ToUtf8(from->ElevKaldenavn(i));
                case 1: return ansi::ToUtf8(from->ElevFuldeNavn(i));
                case 2: return ansi::ToUtf8(from->ElevFoedselsdag(i));
                case 3: return ansi::ToUtf8(from->ElevKoen(i));
                default: return ansi::ToUtf8(from->ElevElevkode(i));
                }
            }()) << "pupil " << i << " column " << c;
    // A new class has no file: the first save asks for one.
    dialogs.files = {file("5b.kla")};
    EXPECT_EQ(GemKlasse(*w, s), KlasseGemt::Gemt);
    EXPECT_EQ(tKlasse::LoadFromFile(dir.file("5b.kla"))->ElevCount(), 24);
}

TEST_F(SetupCsv, WhatIsRefusedWhole)
{
    // A class without a name takes no pupils, and says so before any dialog.
    auto w = start();
    w->ImporterElevlisteClick();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Klassebetegnelse mangler");
    EXPECT_EQ(dialogs.messages[0].icon, DialogService::Icon::Information);
    EXPECT_TRUE(w->AktivKlasse().IngenElever());

    (void)w->AktivKlasse().SetKlasse("4a");
    WriteAll(dir.file("noter.csv"), {'N', 'a', 'v', 'n', '\n', 'I', 'd', 'a', '\n'});
    dialogs.files = {file("noter.csv"), file("findes-ikke.csv")};
    w->ImporterElevlisteClick();
    w->ImporterElevlisteClick();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[1].text,
              QString("\"%1\" er ikke en elevliste: den har ingen kolonne \"Kaldenavn\"").arg(file("noter.csv")));
    EXPECT_EQ(dialogs.messages[1].caption, "Fejl");
    EXPECT_EQ(dialogs.messages[2].text, QString("Det var ikke muligt at åbne \"%1\"").arg(file("findes-ikke.csv")));
    EXPECT_TRUE(w->AktivKlasse().IngenElever());
    // A cancelled dialog: nothing at all.
    w->ImporterElevlisteClick();
    w->EksporterElevlisteClick();
    EXPECT_EQ(dialogs.messages.size(), 3u);
}

TEST_F(SetupCsv, AnOpenEditorDoesNotWriteOverTheImport)
{
    const std::string kla = makeClass(1);
    auto w = start(kla);
    TSetupForm* s = setup(*w);
    // The full name of pupil 0 is being typed when the import comes.
    ASSERT_TRUE(s->ElevGridSelectCell(1, 0));
    s->ElevGrid->setCurrentCell(0, 1);
    s->ElevGrid->edit(s->ElevGrid->model()->index(0, 1));
    auto* editor = qobject_cast<QLineEdit*>(s->ElevGrid->indexWidget(s->ElevGrid->model()->index(0, 1)));
    ASSERT_NE(editor, nullptr);
    editor->setText("Ida");
    emit editor->textEdited("Ida");
    WriteAll(dir.file("l.csv"), {'K', 'a', 'l', 'd', 'e', 'n', 'a', 'v', 'n', '\n', 'B', 'o', '\n'});
    dialogs.files = {file("l.csv")};
    w->ImporterElevlisteClick();
    QApplication::processEvents();
    ASSERT_EQ(w->AktivKlasse().ElevCount(), 2);
    EXPECT_EQ(w->AktivKlasse().ElevFuldeNavn(0), "Ida");
    EXPECT_EQ(w->AktivKlasse().ElevKaldenavn(1), "Bo");
    EXPECT_EQ(s->ElevGrid->indexWidget(s->ElevGrid->model()->index(0, 1)), nullptr);
}
