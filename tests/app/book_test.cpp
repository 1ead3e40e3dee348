// Whole books as one PDF: which pages a pupil's book and the class book
// have, the pages drawn at the paper's resolution, cancelled and failed
// books, and books made from the menu that change nothing the user has.
#include "../support/scripted_dialogs.h"
#include "../support/tempdir.h"
#include "../support/test_main.h"
#include "bookpdf.h"
#include "datefmt.h"
#include "democlass.h"
#include "elev.h"
#include "klasse.h"
#include "mainwindow.h"
#include "page.h"
#include "pagepicture.h"
#include "stamform.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

int pdfPages(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = f.readAll();
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "));
}

// The sizes of the pictures in a PDF, in the order they are stored.
std::vector<QSize> pdfPictures(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromLatin1(f.readAll());
    std::vector<QSize> sizes;
    static const QRegularExpression image(QStringLiteral("/Width (\\d+)\\s*/Height (\\d+)"));
    for (auto it = image.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        sizes.emplace_back(m.captured(1).toInt(), m.captured(2).toInt());
    }
    return sizes;
}

// Every file in a folder with its bytes.
std::map<std::string, std::vector<unsigned char>> folderBytes(const std::string& dir)
{
    std::map<std::string, std::vector<unsigned char>> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        files[entry.path().filename().string()] = ReadAll(entry.path().string());
    return files;
}

std::vector<std::string> fileNames(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The printable width of A4 landscape with 10 mm margins at \a dpi.
int printableWidth(int dpi)
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter)
        .paintRectPixels(dpi)
        .width();
}

struct Books : ::testing::Test {
    // The program sets up the drawing tables the books are drawn with.
    void SetUp() override
    {
        SetShortDateFormat(DateFormat::Danish());
        program = std::make_unique<TMain>(options({}));
    }

    TMain::Options options(const QStringList& params)
    {
        TMain::Options o = TestMainOptions(dialogs);
        o.params = params;
        return o;
    }

    std::string writeDemo(int pupils)
    {
        std::string error, path;
        EXPECT_TRUE(WriteDemoClass(QString::fromStdString(classDir), pupils, path, error)) << error;
        return path;
    }
    std::unique_ptr<tKlasse> demo(int pupils) { return tKlasse::LoadFromFile(writeDemo(pupils)); }

    // The program around the demo class, never on screen.
    std::unique_ptr<TMain> start(int pupils = 6)
    {
        klaPath = writeDemo(pupils);
        program.reset();
        auto w = std::make_unique<TMain>(options({QString::fromStdString(klaPath)}));
        w->OpenParamFile();
        ShowOffscreen(*w);
        w->resize(1280, 900 + w->menuWidget()->sizeHint().height());
        QApplication::processEvents();
        return w;
    }

    // Opens pupil i's book as the overview's button does.
    void openPupil(TMain& w, int i)
    {
        w.SetAktivElev(i);
        w.ShowPage(3);
        QApplication::processEvents();
    }

    QString out(const std::string& name) const { return QString::fromStdString(dir.file(name)); }

    TempDir dir;   // the books
    TempDir classFolder;
    std::string classDir = classFolder.path();
    ScriptedDialogs dialogs;
    std::string klaPath;
    std::unique_ptr<TMain> program;
};

} // namespace

// ---- which pages ----

TEST_F(Books, APupilsBookHasItsPagesAndOneBranchPagePerRelativeWithSomethingOnIt)
{
    tKlasse k;
    k.SetElevKaldenavn(0, "Ida");
    tElev& e = *k.GetElev(0);
    const auto leaf = [&](std::uint8_t art, std::uint8_t row, double x) {
        const int i = e.AddGren(art);
        e.SetGrenRaekke(i, row);
        e.SetGrenXpos(i, x);
        return i;
    };
    const int own = leaf(1, 0, 0.5);
    (void)e.SetGrenTekst(own, GrenTekst::Bladnavn, "Ida");
    const int fresh = leaf(0, 4, 0.5);
    (void)e.SetGrenTekst(fresh, GrenTekst::Notat, "venter");
    const int farmor = leaf(2, 2, 0.9);
    (void)e.SetGrenTekst(farmor, GrenTekst::Afkom, "Far");
    const int nobody = leaf(2, 1, 0.05);   // placed, but nothing on it
    const int mor = leaf(2, 1, 0.5);
    (void)e.SetGrenTekst(mor, GrenTekst::GiftMed, "Far");
    const int far = leaf(2, 1, 0.1);
    Pixels24 photo(180, 240);
    ASSERT_TRUE(e.SetGrenFoto(far, photo));
    const int bror = leaf(7, 0, 0.2);   // a kind the tree shows as a relative
    (void)e.SetGrenTekst(bror, GrenTekst::ErMin, "Bror");
    for (GrenTekst t : {GrenTekst::FuldeNavn, GrenTekst::Bladnavn, GrenTekst::Notat}) {
        const int i = leaf(2, 3, 0.5);
        (void)e.SetGrenTekst(i, t, "x");
    }
    (void)nobody;

    const auto pages = PupilBookPages(k, 0);
    std::vector<std::pair<int, int>> got;
    for (const BookPage& p : pages) {
        EXPECT_EQ(p.kind, BookPage::Elevside);
        EXPECT_EQ(p.elev, 0);
        got.emplace_back(p.side, p.gren);
    }
    // The tree's rows from the top, left to right in each: the brother, then
    // the father and the mother, the grandmother, then the three great-
    // grandparents in the order they were added.
    const std::vector<std::pair<int, int>> want = {
        {3, -1}, {11, -1}, {13, -1}, {14, -1}, {15, bror}, {15, far}, {15, mor}, {15, farmor},
        {15, 7}, {15, 8}, {15, 9}, {16, -1}};
    EXPECT_EQ(got, want);

    EXPECT_TRUE(PupilBookPages(k, 1).empty());
    EXPECT_TRUE(PupilBookPages(k, -1).empty());
    EXPECT_EQ(BookFooterName(k, pages[0]), "Ida");
    (void)k.SetElevFuldeNavn(0, "Ida Holm");
    EXPECT_EQ(BookFooterName(k, pages[0]), "Ida Holm");
}

TEST_F(Books, TheClassBookSkipsUnreadablePupilsAndShowsTheStatisticsItCan)
{
    auto k = demo(4);
    const auto pages = ClassBookPages(*k);
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(pages.front(), (BookPage{BookPage::Forside, 1, -1, -1, 0}));
    // Every pupil's book in class order, then the four statistics.
    std::vector<BookPage> want{pages.front()};
    for (int i = 0; i < 4; ++i) {
        const auto book = PupilBookPages(*k, i);
        ASSERT_GE(book.size(), 5u);
        want.insert(want.end(), book.begin(), book.end());
    }
    for (int n : {1, 2, 3, 4})
        want.push_back({BookPage::Statistik, 18, -1, -1, n});
    EXPECT_EQ(pages, want);
    EXPECT_EQ(BookFooterName(*k, pages.front()), "4.a, Byskolen");
    EXPECT_EQ(BookFooterName(*k, pages.back()), "4.a, Byskolen – Højde");

    // Pupil 1's file is damaged: the class opens without its book.
    WriteAll(k->ElevFilNavn(1), {1, 2, 3});
    auto damaged = tKlasse::LoadFromFile(k->FilNavn());
    ASSERT_TRUE(damaged->ElevLaesFejl(1));
    const auto without = ClassBookPages(*damaged);
    EXPECT_EQ(without.size(), pages.size() - PupilBookPages(*k, 1).size());
    for (const BookPage& p : without)
        EXPECT_NE(p.elev, 1);

    // No hobbies offered: no hobby charts. Nobody measured: no height.
    damaged->SetHobbyer(std::string(50, ' '));
    for (int i = 0; i < damaged->ElevCount(); ++i)
        if (!damaged->ElevLaesFejl(i))
            damaged->GetElev(i)->SetMaal(1, 0);
    EXPECT_EQ(ClassBookStatistics(*damaged), std::vector<int>{3});
    // Nobody whose file could be read: the cover alone.
    tKlasse empty;
    (void)empty.SetKlasse("5b");
    EXPECT_EQ(ClassBookPages(empty).size(), 1u);
    EXPECT_EQ(BookFooterName(empty, ClassBookPages(empty).front()), "5b");
    EXPECT_EQ(BookFooterName(tKlasse(), {}), "Elev");
}

// ---- the PDF ----

TEST_F(Books, TheDemoClassBookHasAPageForEveryPageOfIt)
{
    auto k = demo(24);
    const auto pages = ClassBookPages(*k);
    // The cover, 24 books of five pages and 154 relatives' branch pages, and
    // the four statistics.
    EXPECT_EQ(pages.size(), 279u);
    BookOptions small;
    small.dpi = 24;
    const QString pdf = out("klassebog.pdf");
    ASSERT_EQ(WriteBookPdf(*k, pages, pdf, small), BookResult::Written);
    EXPECT_EQ(pdfPages(pdf), 279);
    EXPECT_EQ(pdfPictures(pdf).size(), 279u);
}

TEST_F(Books, PagesAreDrawnAtThePapersResolutionNotScaledUp)
{
    auto k = demo(2);
    const auto pages = PupilBookPages(*k, 0);
    std::vector<QSize> at[2];
    for (int r = 0; r < 2; ++r) {
        BookOptions o;
        o.dpi = r == 0 ? 60 : 120;
        const QString pdf = out("bog" + std::to_string(o.dpi) + ".pdf");
        ASSERT_EQ(WriteBookPdf(*k, pages, pdf, o), BookResult::Written);
        EXPECT_EQ(pdfPages(pdf), int(pages.size()));
        at[r] = pdfPictures(pdf);
        ASSERT_EQ(at[r].size(), pages.size());
        // The hobbies have one column: their picture fills the paper's
        // width, pixel for pixel.
        EXPECT_EQ(at[r][2].width(), printableWidth(o.dpi)) << o.dpi;
        // The student page and the measurements lose a column on the right
        // as well, and stand as high as the others.
        EXPECT_LT(at[r][0].width(), at[r][2].width());
        EXPECT_EQ(at[r][0].height(), at[r][2].height());
    }
    // Twice the resolution, twice the pixels (give or take the rounding).
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_NEAR(at[1][i].width(), 2 * at[0][i].width(), 3) << i;
        EXPECT_NEAR(at[1][i].height(), 2 * at[0][i].height(), 3) << i;
    }
}

TEST_F(Books, ThePageSizeGivesAOneColumnPageExactlyTheArea)
{
    for (const QSize area : {QSize(2183, 1442), QSize(1091, 721), QSize(300, 200), QSize(1706, 1080)}) {
        const QSize page = BookRenderer::PageSizeFor(area);
        EXPECT_EQ(page.height(), area.height());
        const double scale = std::min(page.height() / 450.0, page.width() / 640.0);
        EXPECT_EQ(page.width() - int(std::lround(89 * scale)), area.width()) << area.width();
    }
    // The overview at 1920 x 1080 is the book's own check.
    EXPECT_EQ(BookRenderer::PageSizeFor(QSize(1706, 1080)), QSize(1920, 1080));
}

TEST_F(Books, ProgressIsToldPageByPageAndACancelledBookLeavesNoFile)
{
    auto k = demo(3);
    const auto pages = ClassBookPages(*k);
    BookOptions o;
    o.dpi = 30;
    std::vector<std::pair<int, int>> told;
    const auto all = [&](int done, int total) {
        told.emplace_back(done, total);
        return true;
    };
    ASSERT_EQ(WriteBookPdf(*k, pages, out("hel.pdf"), o, all), BookResult::Written);
    const int n = int(pages.size());
    ASSERT_EQ(int(told.size()), n + 1);
    for (int i = 0; i <= n; ++i)
        EXPECT_EQ(told[std::size_t(i)], std::make_pair(i, n));

    // Stopped before the fourth page, and stopped at the very end.
    // A cancelled book draws no page after the answer and asks no more.
    for (int stopAt : {3, n}) {
        int asked = 0;
        const auto stop = [&](int done, int) {
            ++asked;
            return done < stopAt;
        };
        EXPECT_EQ(WriteBookPdf(*k, pages, out("stop.pdf"), o, stop), BookResult::Cancelled) << stopAt;
        EXPECT_EQ(asked, stopAt + 1) << stopAt;
        EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"hel.pdf"}) << stopAt;
    }
    // Over an old book, the old book stays.
    const auto old = ReadAll(dir.file("hel.pdf"));
    EXPECT_EQ(WriteBookPdf(*k, pages, out("hel.pdf"), o, [](int done, int) { return done < 2; }),
              BookResult::Cancelled);
    EXPECT_EQ(ReadAll(dir.file("hel.pdf")), old);
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"hel.pdf"});
}

TEST_F(Books, AFailedBookLeavesTheOldFileAndSaysWhy)
{
    auto k = demo(2);
    auto pages = PupilBookPages(*k, 0);
    BookOptions o;
    o.dpi = 30;
    const std::string old = dir.file("bog.pdf");
    WriteAll(old, {'g', 'a', 'm', 'm', 'e', 'l'});
    // A page that cannot be drawn halfway through the book.
    pages.insert(pages.begin() + 3, BookPage{BookPage::Elevside, 11, 7, -1, 0});
    QString why;
    EXPECT_EQ(WriteBookPdf(*k, pages, QString::fromStdString(old), o, {}, &why), BookResult::Failed);
    EXPECT_EQ(why, QString("page 4 of %1 could not be drawn").arg(pages.size()));
    EXPECT_EQ(ReadAll(old), (std::vector<unsigned char>{'g', 'a', 'm', 'm', 'e', 'l'}));
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"bog.pdf"});
    // Pages that are not in a book: a branch page of nobody, a statistic the
    // class does not have, a page that is not a pupil's.
    for (const BookPage& bad : {BookPage{BookPage::Elevside, 15, 0, -1, 0}, BookPage{BookPage::Elevside, 15, 0, 999, 0},
                                BookPage{BookPage::Statistik, 18, -1, -1, 0}, BookPage{BookPage::Statistik, 18, -1, -1, 99},
                                BookPage{BookPage::Elevside, 12, 0, -1, 0},
                                BookPage{BookPage::Elevside, 5, 0, -1, 0}}) {
        EXPECT_EQ(WriteBookPdf(*k, {bad}, QString::fromStdString(old), o), BookResult::Failed) << bad.side;
        EXPECT_EQ(ReadAll(old).size(), 6u);
    }
    // A folder that is not there, and no pages at all.
    EXPECT_EQ(WriteBookPdf(*k, PupilBookPages(*k, 0), out("ikke/her.pdf"), o, {}, &why), BookResult::Failed);
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(WriteBookPdf(*k, {}, out("tom.pdf"), o), BookResult::Failed);
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"bog.pdf"});
}

TEST_F(Books, DrawingABookChangesNothingInTheClass)
{
    auto k = demo(3);
    // A pupil without the tree's own and fresh leaves (the tree page adds
    // them when it shows the tree) and with an edit not yet saved.
    tElev& e = *k->GetElev(2);
    while (e.FindGren(0) >= 0)
        e.DeleteGren(e.FindGren(0));
    e.DeleteGren(e.FindGren(1));
    (void)e.SetBogTekst(1, "Svømning");
    const int leaves = e.GrenCount();
    ASSERT_GT(leaves, 0);
    e.SetGrenValgt(0, true);
    const auto files = folderBytes(classDir);
    BookOptions o;
    o.dpi = 30;
    ASSERT_EQ(WriteBookPdf(*k, ClassBookPages(*k), out("bog.pdf"), o), BookResult::Written);
    EXPECT_EQ(folderBytes(classDir), files);
    EXPECT_FALSE(k->Aendret());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(k->GetElev(i)->Aendret(), i == 2) << i;
    EXPECT_EQ(e.GrenCount(), leaves);
    EXPECT_EQ(e.LastValgtGren(), 0);
    for (int i = 1; i < leaves; ++i)
        EXPECT_FALSE(e.GrenValgt(i));
}

// ---- from the menu ----

TEST_F(Books, TheMenuItemsAreOnWhereThereIsABook)
{
    auto w = start(3);
    QAction* book = w->MenuItem("Gem bogen som PDF...");
    QAction* classBook = w->MenuItem("Gem klassebogen som PDF...");
    ASSERT_TRUE(book && classBook);
    // Below "Gem side som billede...".
    const QList<QAction*> items = w->menuBar()->actions().first()->menu()->actions();
    EXPECT_EQ(items.indexOf(book), items.indexOf(w->MenuItem("Gem side som billede...")) + 1);
    EXPECT_EQ(items.indexOf(classBook), items.indexOf(book) + 1);
    w->ShowPage(1);
    EXPECT_FALSE(book->isEnabled());
    EXPECT_TRUE(classBook->isEnabled());
    openPupil(*w, 1);
    for (int n : {3, 4, 10, 11, 13, 14, 15, 16, 17}) {
        w->ShowPage(n);
        EXPECT_TRUE(book->isEnabled()) << n;
        EXPECT_TRUE(classBook->isEnabled()) << n;
    }
    for (int n : {2, 12, 18}) {
        w->ShowPage(n);
        EXPECT_FALSE(book->isEnabled()) << n;
    }
    // Off, the commands do nothing even when called.
    w->ShowPage(1);
    w->SetAktivElev(-1);
    w->GemBogenSomPdfClick();
    EXPECT_TRUE(dialogs.suggested.empty());

    // One pupil opened on its own has a book and no class.
    dialogs.files.clear();
    w->FilerNyklasseClick();
    EXPECT_FALSE(classBook->isEnabled());
    dialogs.files = {QString::fromStdString(classDir + "/4a_Ida.ele")};
    w->FilerAabnElevClick();
    ASSERT_EQ(w->AktivSide(), 3);
    EXPECT_TRUE(book->isEnabled());
    EXPECT_FALSE(classBook->isEnabled());
    w->GemKlassebogenSomPdfClick();
    EXPECT_TRUE(dialogs.suggested.empty());
}

TEST_F(Books, APupilsBookFromTheMenuLeavesEverythingAsItWas)
{
    auto w = start(3);
    openPupil(*w, 0);
    // On the family tree with a relative selected and an edit not yet saved.
    w->ShowPage(14);
    QApplication::processEvents();
    auto* stam = static_cast<TStamForm*>(w->PageAt(14));
    stam->SelectGren(2);
    tElev& ida = *w->AktivElev();
    ASSERT_TRUE(ida.SetGrenTekst(2, GrenTekst::Notat, "Bager boller"));
    ASSERT_TRUE(ida.Aendret());
    const int leaves = ida.GrenCount();
    const auto files = folderBytes(classDir);
    ASSERT_TRUE(w->CheckGemTimer().isActive());

    dialogs.files = {out("ida.pdf")};
    w->GemBogenSomPdfClick();
    ASSERT_EQ(dialogs.suggested.size(), 1u);
    EXPECT_EQ(dialogs.suggested[0], "Ida_bog.pdf");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(pdfPages(out("ida.pdf")), int(PupilBookPages(w->AktivKlasse(), 0).size()));
    EXPECT_GT(pdfPages(out("ida.pdf")), 5);

    // The page, its selection, the pupil and the minute's save as they were;
    // no file written, no flag changed.
    EXPECT_EQ(w->AktivSide(), 14);
    EXPECT_TRUE(stam->isVisible());
    EXPECT_EQ(stam->Selected(), 2);
    EXPECT_EQ(w->AktivElev(), &ida);
    EXPECT_EQ(ida.LastValgtGren(), 2);
    EXPECT_EQ(ida.GrenCount(), leaves);
    EXPECT_TRUE(ida.Aendret());
    EXPECT_FALSE(w->AktivKlasse().Aendret());
    for (int i = 1; i < 3; ++i)
        EXPECT_FALSE(w->AktivKlasse().GetElev(i)->Aendret()) << i;
    EXPECT_EQ(folderBytes(classDir), files);
    EXPECT_TRUE(w->CheckGemTimer().isActive());
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"ida.pdf"});
}

TEST_F(Books, TheClassBookFromTheMenuCanBeCancelledAndSaysWhenItFails)
{
    auto w = start(2);
    openPupil(*w, 1);
    w->ShowPage(16);
    const auto files = folderBytes(classDir);
    const int n = int(ClassBookPages(w->AktivKlasse()).size());

    // The whole book, with the progress dialog seen on the way.
    QString seen;
    int largest = 0;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* d = w->findChild<QProgressDialog*>(); d && d->isVisible()) {
            seen = d->labelText();
            largest = std::max(largest, d->value());
            EXPECT_EQ(d->maximum(), n);
            EXPECT_TRUE(d->isModal());
        }
    });
    watch.start();
    dialogs.files = {out("klasse.pdf")};
    w->GemKlassebogenSomPdfClick();
    watch.stop();
    EXPECT_EQ(dialogs.suggested.back(), "4.a_klassebog.pdf");
    EXPECT_TRUE(seen.startsWith("Klassebogen laves ...\nSide ")) << seen.toStdString();
    EXPECT_GT(largest, n / 2);
    EXPECT_EQ(pdfPages(out("klasse.pdf")), n);
    EXPECT_TRUE(dialogs.messages.empty());

    // Cancelled halfway: "Annuller" pressed while the pages are drawn.
    QObject::disconnect(&watch, nullptr, nullptr, nullptr);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* d = w->findChild<QProgressDialog*>(); d && d->isVisible() && d->value() >= n / 2)
            d->cancel();
    });
    watch.start();
    dialogs.files = {out("annulleret.pdf")};
    w->GemKlassebogenSomPdfClick();
    watch.stop();
    EXPECT_FALSE(QFile::exists(out("annulleret.pdf")));
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"klasse.pdf"});
    EXPECT_TRUE(dialogs.messages.empty());

    // Nowhere to write it.
    dialogs.files = {out("ikke/her.pdf")};
    w->GemKlassebogenSomPdfClick();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QString("Klassebogen kunne ikke gemmes i \"%1\"").arg(out("ikke/her.pdf")));
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
    EXPECT_EQ(dialogs.messages[0].icon, DialogService::Icon::Warning);
    dialogs.files = {out("ikke/her.pdf")};
    w->GemBogenSomPdfClick();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, QString("Bogen kunne ikke gemmes i \"%1\"").arg(out("ikke/her.pdf")));

    // A cancelled save dialog makes nothing.
    w->GemKlassebogenSomPdfClick();
    EXPECT_EQ(dialogs.messages.size(), 2u);

    EXPECT_EQ(w->AktivSide(), 16);
    EXPECT_EQ(folderBytes(classDir), files);
    EXPECT_FALSE(w->AktivKlasse().Aendret());
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(w->AktivKlasse().GetElev(i)->Aendret()) << i;
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"klasse.pdf"});
}

