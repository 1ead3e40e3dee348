// "Udskriv..." and "Gem side som billede..." from the menu, with the dialogs
// answered by a script: what is printed and saved, where the class setup
// takes over, and what a failure says.
#include "../support/scripted_dialogs.h"
#include "../support/tempdir.h"
#include "../support/test_main.h"
#include "datefmt.h"
#include "democlass.h"
#include "elev.h"
#include "klasse.h"
#include "mainwindow.h"
#include "page.h"
#include "printing.h"
#include "qansi.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

struct Printing : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    std::unique_ptr<TMain> start(int pupils = 4)
    {
        std::string error;
        EXPECT_TRUE(WriteDemoClass(QString::fromStdString(dir.path()), pupils, klaPath, error)) << error;
        auto w = std::make_unique<TMain>(TestMainOptions(dialogs, klaPath));
        w->OpenParamFile();
        w->SetAktivElev(0);
        ShowOffscreen(*w);
        w->resize(1280, 900 + w->menuWidget()->sizeHint().height());
        QApplication::processEvents();
        return w;
    }

    QString file(const std::string& name) const { return QString::fromStdString(dir.file(name)); }

    // Prints through the dialog into a PDF; how many dialogs were shown.
    int printTo(TMain& w, const QString& pdf)
    {
        int shown = 0;
        dialogs.print = [&](QPrinter& printer, int pageCount) {
            ++shown;
            EXPECT_EQ(pageCount, 0);
            orientation = printer.pageLayout().orientation();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        w.UdskrivClick();
        return shown;
    }

    ScriptedDialogs dialogs;
    TempDir dir;
    std::string klaPath;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;   // as the dialog opened
};

int pdfPages(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = f.readAll();
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "));
}

QImage screenOf(Page* p)
{
    return p->grab().toImage();
}

} // namespace

TEST_F(Printing, ThePrintDialogsFileIsAOnePagePdfOfThePage)
{
    auto w = start();
    w->ShowPage(3);
    const QString pdf = file("elev.pdf");
    EXPECT_EQ(printTo(*w, pdf), 1);
    // The wide page is offered on paper turned its way.
    EXPECT_EQ(orientation, QPageLayout::Landscape);
    EXPECT_EQ(pdfPages(pdf), 1);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    // The student page's area, 1280 - 2 * 178 wide, went on paper.
    EXPECT_TRUE(f.readAll().contains("/Width 924"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(w->AktivElev()->Aendret());
}

TEST_F(Printing, TheClassSetupPrintsItsListAndShowsNoPictureDialog)
{
    auto w = start();
    w->ShowPage(2);
    std::vector<int> offered;
    dialogs.print = [&](QPrinter&, int pageCount) {
        offered.push_back(pageCount);
        return false;
    };
    w->UdskrivClick();
    // One dialog, the list's own with its page count.
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_GE(offered[0], 1);
    // And the page has no picture to save: the item is off, and the command
    // asks nothing.
    EXPECT_FALSE(w->MenuItem("Gem side som billede...")->isEnabled());
    w->GemSomBilledeClick();
    EXPECT_TRUE(dialogs.suggested.empty());
}

TEST_F(Printing, WithNoPageShownNothingIsPrintedAfterTheDialog)
{
    auto w = start();
    w->HidePage();
    ASSERT_EQ(w->AktivSide(), 0);
    const QString pdf = file("intet.pdf");
    EXPECT_EQ(printTo(*w, pdf), 1);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(w->MenuItem("Gem side som billede...")->isEnabled());
}

TEST_F(Printing, CancelledDialogsPrintAndSaveNothing)
{
    auto w = start();
    w->ShowPage(1);
    dialogs.print = nullptr;
    w->UdskrivClick();
    w->GemSomBilledeClick();   // the save dialog answers nothing: cancelled
    ASSERT_EQ(dialogs.suggested.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_TRUE(entry.path().extension() == ".kla" || entry.path().extension() == ".ele") << entry.path();
}

TEST_F(Printing, FailuresAreSaidAndThePageStaysAsItWas)
{
    auto w = start();
    w->ShowPage(3);
    Page* page = w->PageAt(3);
    const QImage before = screenOf(page);

    // The print dialog's file in a folder that is not there.
    const QString badPdf = file("ikke/her.pdf");
    printTo(*w, badPdf);
    // A printer that cannot be opened: here the PDF printer with nowhere
    // to write, which no machine can open.
    dialogs.print = [](QPrinter& printer, int) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString());
        return true;
    };
    w->UdskrivClick();
    // "Gem side som billede..." into a folder that is not there, as a bitmap
    // and as a PDF.
    dialogs.files = {file("ikke/her.bmp"), file("ikke/her.pdf")};
    w->GemSomBilledeClick();
    w->GemSomBilledeClick();

    ASSERT_EQ(dialogs.messages.size(), 4u);
    const QString want[4] = {QString("Siden kunne ikke gemmes i \"%1\"").arg(badPdf),
                             QStringLiteral("Siden kunne ikke udskrives"),
                             QString("Siden kunne ikke gemmes i \"%1\"").arg(file("ikke/her.bmp")),
                             QString("Siden kunne ikke gemmes i \"%1\"").arg(file("ikke/her.pdf"))};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dialogs.messages[std::size_t(i)].text, want[i]);
        EXPECT_EQ(dialogs.messages[std::size_t(i)].caption, "Fejl");
        EXPECT_EQ(dialogs.messages[std::size_t(i)].icon, DialogService::Icon::Warning);
    }
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_EQ(screenOf(page), before);
    EXPECT_FALSE(w->AktivElev()->Aendret());
}

TEST_F(Printing, SaveAsPictureOffersThePagesNameAndTheThreeTypes)
{
    auto w = start();
    const std::string nick = w->AktivKlasse().ElevKaldenavn(0);
    w->ShowPage(3);
    dialogs.files = {file("a.bmp"), file("b.PNG"), file("c.pdf"), file("d"), file("e.jpg")};
    dialogs.fileTypes = {0, 0, 0, 1, 2};
    for (int i = 0; i < 5; ++i)
        w->GemSomBilledeClick();
    ASSERT_EQ(dialogs.suggested.size(), 5u);
    EXPECT_EQ(dialogs.suggested[0], ansi::ToQString(nick) + "_elevforside.bmp");
    EXPECT_EQ(dialogs.saveFilters[0], "Windows Bitmap|*.bmp|PNG-billede|*.png|PDF-dokument|*.pdf");
    EXPECT_EQ(QtFilter(dialogs.saveFilters[0]),
              "Windows Bitmap (*.bmp);;PNG-billede (*.png);;PDF-dokument (*.pdf)");
    EXPECT_TRUE(dialogs.messages.empty());
    // The extension decides the type; a name without one of ours takes the
    // type chosen in the dialog.
    auto head = [&](const char* name) {
        const auto b = ReadAll(dir.file(name));
        return std::string(b.begin(), b.begin() + std::min<std::size_t>(b.size(), 4));
    };
    EXPECT_EQ(head("a.bmp").substr(0, 2), "BM");
    EXPECT_EQ(head("b.PNG"), "\x89PNG");
    EXPECT_EQ(head("c.pdf"), "%PDF");
    EXPECT_EQ(head("d"), "\x89PNG");
    EXPECT_EQ(head("e.jpg"), "%PDF");
    // The bitmap is the area at the window's size, 1280 - 2 * 178 by 900.
    const QImage bmp(file("a.bmp"));
    EXPECT_EQ(bmp.size(), QSize(924, 900));
    EXPECT_EQ(bmp, CapturePage(*w->PageAt(3)).convertToFormat(bmp.format()));

    // The overview is named after the class, and says so without a name.
    w->ShowPage(1);
    dialogs.files = {file("k.bmp")};
    w->GemSomBilledeClick();
    EXPECT_EQ(dialogs.suggested.back(), "4.a.bmp");
    (void)w->AktivKlasse().SetKlasse("");
    dialogs.files = {file("k2.bmp")};
    w->GemSomBilledeClick();
    EXPECT_EQ(dialogs.suggested.back(), "Klasse.bmp");
    EXPECT_EQ(QImage(file("k2.bmp")).size(), QSize(1280 - 178, 900));
}

TEST_F(Printing, TheMenuItemsAndWhereTheyAreOn)
{
    auto w = start();
    QAction* print = w->MenuItem("Udskriv...");
    QAction* save = w->MenuItem("Gem side som billede...");
    QAction* exportList = w->MenuItem("Eksportér elevliste...");
    QAction* importList = w->MenuItem("Importér elevliste...");
    ASSERT_TRUE(print && save && exportList && importList);
    EXPECT_EQ(save->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    // Beside "Udskriv...".
    const QList<QAction*> items = w->menuBar()->actions().first()->menu()->actions();
    const auto at = items.indexOf(print);
    ASSERT_GE(at, 0);
    EXPECT_EQ(items.value(at + 1), save);
    for (int n : {1, 3, 4, 10, 14}) {
        w->ShowPage(n);
        EXPECT_TRUE(save->isEnabled()) << n;
        EXPECT_FALSE(exportList->isEnabled()) << n;
        EXPECT_FALSE(importList->isEnabled()) << n;
    }
    w->ShowPage(2);
    EXPECT_FALSE(save->isEnabled());
    EXPECT_TRUE(exportList->isEnabled());
    EXPECT_TRUE(importList->isEnabled());
    // Off the setup the list commands do nothing, even when called.
    w->ShowPage(1);
    w->EksporterElevlisteClick();
    w->ImporterElevlisteClick();
    EXPECT_TRUE(dialogs.suggested.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}
