// The main window's shape and its dialogs: every page at every common screen
// shape, the frames of the dialogs, and the way the program starts, answers
// the start dialog and ends.
#include "../support/scripted_dialogs.h"
#include "../support/tempdir.h"
#include "aboutbox.h"
#include "datefmt.h"
#include "dialogs.h"
#include "drawing.h"
#include "elev.h"
#include "klasse.h"
#include "mainwindow.h"
#include "page.h"
#include "passworddlg.h"
#include "startdialog.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Window : ::testing::Test {
    void SetUp() override
    {
        SetShortDateFormat(DateFormat::Danish());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settingsDir.path()));
    }

    std::unique_ptr<TMain> start(QStringList params = {}, int depth = 24)
    {
        TMain::Options o;
        o.params = std::move(params);
        o.dialogs = &dialogs;
        o.splashMs = 0;
        o.startDelayMs = 20;
        o.screenDepth = depth;
        o.startDialog = [this] { ++startDialogs; return startAnswer; };
        o.askCode = [this](const std::string& c) { codes.push_back(c); return codeAnswer; };
        o.openHelp = [](const QString&) { return true; };
        o.aboutBox = [] {};
        auto w = std::make_unique<TMain>(o);
        w->resize(1000, 700);
        return w;
    }

    // A class of four, pupil 1 a boy, pupil 2 a girl; \a code guards it.
    std::string makeClass(const std::string& name, const std::string& code = {})
    {
        tKlasse k;
        (void)k.SetKlasse("4a");
        (void)k.SetSkole("Byskolen");
        (void)k.SetKode(code);
        for (int i = 0; i < 4; ++i)
            k.SetElevKaldenavn(i, "Elev" + std::to_string(i));
        k.GetElev(1)->SetKoen("dreng");
        k.GetElev(2)->SetKoen("pige");
        const std::string path = dir.file(name);
        EXPECT_TRUE(k.SaveToFile(path));
        return path;
    }

    ScriptedDialogs dialogs;
    int startDialogs = 0;
    int startAnswer = 0;
    int codeAnswer = 1;
    std::vector<std::string> codes;
    TempDir dir;
    TempDir settingsDir;
};

// Inside a scroll area's viewport a widget may lie outside: the viewport cuts it.
bool scrolled(const QWidget* w, const QWidget* page)
{
    for (const QWidget* p = w->parentWidget(); p && p != page; p = p->parentWidget())
        if (auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget()); area && area->viewport() == p)
            return true;
    return false;
}

bool inColumn(const QWidget* w, const std::vector<SidePanel*>& columns)
{
    return std::any_of(columns.begin(), columns.end(),
                       [w](const SidePanel* c) { return c == w || c->isAncestorOf(w); });
}

QString describe(const QWidget* w)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(w->metaObject()->className()), w->objectName());
}

} // namespace

TEST_F(Window, EveryPageFitsEveryWindowShape)
{
    auto w = start({QString::fromStdString(makeClass("4a.kla"))});
    w->show();
    w->OpenParamFile();
    w->SetAktivElev(2);

    // Every page the main window has; a page outside its table would escape.
    std::vector<Page*> pages;
    for (int n = 1; n <= 18; ++n)
        if (Page* p = w->PageAt(n))
            pages.push_back(p);
    for (Page* p : w->findChildren<Page*>())
        EXPECT_NE(std::find(pages.begin(), pages.end(), p), pages.end()) << "a page the page switch cannot show";

    const QSize sizes[] = {{1024, 768}, {1280, 1024}, {1366, 768}, {1920, 1080}, {1920, 1200}, {900, 1040}};
    for (const QSize& size : sizes) {
        w->resize(size.width(), size.height() + w->menuBar()->sizeHint().height());
        for (Page* page : pages) {
            const QString where = QStringLiteral("page %1 at %2x%3").arg(page->number()).arg(size.width()).arg(size.height());
            SCOPED_TRACE(where.toStdString());
            w->ShowPage(page->number());
            page->resize(size);
            QApplication::processEvents();
            ASSERT_EQ(page->size(), size);
            EXPECT_DOUBLE_EQ(page->scale(), std::min(size.height() / 450.0, size.width() / 640.0));
            EXPECT_TRUE(page->rect().contains(page->B(0, 0, 640, 450)));

            std::vector<SidePanel*> columns;
            for (SidePanel* c : page->findChildren<SidePanel*>(Qt::FindDirectChildrenOnly))
                if (c->isVisibleTo(page)) {
                    columns.push_back(c);
                    EXPECT_EQ(c->height(), page->height());   // the columns fill the window
                }
            EXPECT_FALSE(columns.empty());
            for (QWidget* c : page->findChildren<QWidget*>()) {
                if (!c->isVisibleTo(page) || c->size().isEmpty() || scrolled(c, page))
                    continue;
                const QRect r(c->mapTo(page, QPoint(0, 0)), c->size());
                EXPECT_TRUE(page->rect().contains(r)) << qPrintable(describe(c)) << " lies outside the page";
                if (c->parentWidget() != page) {
                    EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry()))
                        << qPrintable(describe(c)) << " is cut off by " << qPrintable(describe(c->parentWidget()));
                }
                if (inColumn(c, columns))
                    continue;
                for (const SidePanel* col : columns)
                    EXPECT_FALSE(r.intersects(col->geometry())) << qPrintable(describe(c)) << " covers a column";
            }
        }
    }
}

TEST_F(Window, TheBackgroundFillsATallWindowAboveAndBelowTheDesign)
{
    auto w = start({QString::fromStdString(makeClass("4a.kla"))});
    w->show();
    w->OpenParamFile();
    for (int n : {1, 3}) {
        w->SetAktivElev(0);
        w->ShowPage(n);
        Page* p = w->PageAt(n);
        p->resize(900, 1040);
        QApplication::processEvents();
        // 900 wide: scale 900/640, the design box 633 high in the middle.
        EXPECT_EQ(p->BoxHeight(), 633);
        EXPECT_EQ(p->BoxTop(), (1040 - 633) / 2);
        EXPECT_EQ(p->B(8, 8, 73, 73), QRect(11, 203 + 11, 103, 103));
        ASSERT_TRUE(p->EnsureDrawing());
        EXPECT_EQ(Drawing().PageWidth, p->DrawingWidth());
        EXPECT_EQ(Drawing().PageWidth, 900 - p->S(89));
        EXPECT_EQ(Drawing().PageHeight, 633);
        const QImage shot = p->grab().toImage();
        const QImage& bitmap = Drawing().PageBitmap;
        const int col = p->S(89), x = 40;
        // The design box shows the page bitmap; above it its first row goes
        // on to the window's top, below it its last row to the bottom.
        EXPECT_EQ(shot.pixel(col + x, p->BoxTop() + 1), bitmap.pixel(x, 1));
        EXPECT_EQ(shot.pixel(col + x, 0), bitmap.pixel(x, 0));
        EXPECT_EQ(shot.pixel(col + x, p->BoxTop() - 1), bitmap.pixel(x, 0));
        EXPECT_EQ(shot.pixel(col + x, p->BoxTop() + 633), bitmap.pixel(x, 632));
        EXPECT_EQ(shot.pixel(col + x, 1039), bitmap.pixel(x, 632));
        // What is printed is the page's paint box, from top to bottom: on
        // the overview to the window's edge (the class panel stands centred
        // in it), on the student page between the two columns.
        EXPECT_EQ(p->PrintArea(), QRect(col, 0, n == 1 ? 900 - col : 900 - 2 * col, 1040));
    }
    // Wider than the design: as high as the window, no bands.
    Page* p = w->PageAt(1);
    p->resize(1920, 1080);
    EXPECT_EQ(p->BoxTop(), 0);
    EXPECT_EQ(p->BoxHeight(), 1080);
    EXPECT_DOUBLE_EQ(p->scale(), 2.4);
}

// ---- dialogs ----

TEST_F(Window, DialogsHaveACloseBoxOnlyAndShowTheirWholeCaption)
{
    auto frameOk = [](QDialog& d) {
        const Qt::WindowFlags f = d.windowFlags();
        EXPECT_EQ(f & Qt::WindowType_Mask, Qt::Dialog);
        EXPECT_TRUE(f & Qt::CustomizeWindowHint);
        EXPECT_TRUE(f & Qt::WindowTitleHint);
        EXPECT_TRUE(f & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));
        d.show();
        QApplication::processEvents();
        EXPECT_GE(d.width(), CaptionWidth(d.windowTitle())) << qPrintable(d.windowTitle());
        for (QWidget* c : d.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (c->isVisibleTo(&d)) {
                EXPECT_TRUE(d.rect().contains(c->geometry())) << qPrintable(d.windowTitle());
            }
        d.hide();
    };
    TPasswordDlg code(nullptr);
    frameOk(code);
    // Widened for "Skriv din kode for at få adgang", the controls stay in
    // the middle.
    EXPECT_GT(code.width(), 302);
    // At 302 wide the controls keep 20 pixels on the left and 17 on the right.
    const int left = code.KodeLabel->x(), right = code.width() - code.CancelSpeed->geometry().right() - 1;
    EXPECT_GT(left, 20);
    EXPECT_NEAR(left - 20, right - 17, 1);
    TStartDialog startDialog(nullptr, {});
    frameOk(startDialog);
    EXPECT_EQ(startDialog.width(), 639);   // the caption "Start" needs nothing more
    TAboutBox about(nullptr);
    frameOk(about);
    EXPECT_GT(CaptionWidth(QStringLiteral("Skriv din kode for at få adgang")), CaptionWidth(QStringLiteral("Start")));

    // A message box of the real dialog service, looked at while it is open.
    QtDialogService qtDialogs;
    DialogService& real = qtDialogs;
    bool looked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        looked = true;
        EXPECT_EQ(box->windowTitle(), "Klassebetegnelse mangler");
        EXPECT_GE(box->width(), CaptionWidth(box->windowTitle()));
        EXPECT_FALSE(box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(box->button(QMessageBox::Ok)->text(), "OK");
        box->accept();
    });
    real.Message(nullptr, QStringLiteral("Skriv klassens navn."), QStringLiteral("Klassebetegnelse mangler"),
                 DialogService::Icon::Information);
    EXPECT_TRUE(looked);
}

// ---- starting ----

TEST_F(Window, EveryAnswerOfTheStartDialogReachesItsPage)
{
    const std::string plain = makeClass("plain.kla");
    const std::string guarded = makeClass("guarded.kla", "Ugle");
    tElev e;
    ASSERT_TRUE(e.SetKaldenavn("Mia"));
    const std::string ele = dir.file("mia.ele");
    ASSERT_TRUE(e.SaveToFile(ele));

    struct Case {
        const char* what;
        int answer;
        QString file;        // chosen in the open dialog; empty: cancelled
        int code;            // the code dialog's answer
        int page;            // the page that follows
        int pupils;          // of the open class
        bool codeAsked;
        bool closes;
    };
    const QString unreadable = QString::fromStdString(dir.file("skadet.kla"));
    WriteAll(unreadable.toStdString(), {7, 0, 0, 0, 'x'});
    const Case cases[] = {
        {"1: a new class goes to the class setup", 1, {}, 1, 2, 0, false, false},
        {"3: the program ends", 3, {}, 1, 1, 0, false, true},
        {"4: a class without a code to its setup", 4, QString::fromStdString(plain), 1, 2, 4, false, false},
        {"4: the right class code to its setup", 4, QString::fromStdString(guarded), 1, 2, 4, true, false},
        {"4: a wrong class code to the overview", 4, QString::fromStdString(guarded), 2, 1, 4, true, false},
        {"4: cancelled: the empty overview", 4, {}, 1, 1, 0, false, false},
        {"4: unreadable: the empty overview", 4, unreadable, 1, 1, 0, false, false},
        {"6: a pupil to the student page", 6, QString::fromStdString(ele), 1, 3, 1, false, false},
        {"6: cancelled: the empty overview", 6, {}, 1, 1, 0, false, false},
        {"8: a class to the overview", 8, QString::fromStdString(plain), 1, 1, 4, false, false},
        {"8: cancelled: the empty overview", 8, {}, 1, 1, 0, false, false},
        {"closed: nothing", 0, {}, 1, 1, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        codes.clear();
        dialogs.files.clear();
        if (!c.file.isEmpty())
            dialogs.files.push_back(c.file);
        auto w = start();
        w->show();
        w->FormShow();
        startAnswer = c.answer;
        codeAnswer = c.code;
        w->ShowStartDialog();
        EXPECT_EQ(w->Closing(), c.closes);
        if (c.closes)
            continue;
        EXPECT_EQ(w->AktivSide(), c.page);
        EXPECT_EQ(w->AktivKlasse().ElevCount(), c.pupils);
        EXPECT_EQ(!codes.empty(), c.codeAsked);
        if (c.codeAsked) {
            EXPECT_EQ(codes[0], "Ugle");
        }
    }
}

TEST_F(Window, AFileOnTheCommandLineThatIsNotThereIsToldAndTheStartDialogFollows)
{
    for (const char* name : {"borte.kla", "borte.ele", "borte", "ingen mappe/4 a.kla"}) {
        SCOPED_TRACE(name);
        dialogs.messages.clear();
        startDialogs = 0;
        const QString path = QString::fromStdString(dir.file(name));
        auto w = start(path.split(' '));
        w->show();
        w->FormShow();
        QTRY_COMPARE(int(dialogs.messages.size()), 1);
        EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Det var ikke muligt at åbne \"%1\"").arg(path));
        EXPECT_EQ(w->AktivSide(), 1);
        EXPECT_TRUE(w->AktivKlasse().IngenElever());
        QTRY_COMPARE(startDialogs, 1);
    }
}

TEST_F(Window, FifteenAndSixteenBitScreensAreEnough)
{
    for (int depth : {15, 16, 24, 32}) {
        auto w = start({}, depth);
        w->show();
        w->FormShow();
        QTRY_COMPARE(startDialogs, 1);
        EXPECT_TRUE(dialogs.messages.empty()) << depth;
        EXPECT_FALSE(w->Closing());
        startDialogs = 0;
    }
    // 256 colours: the message, the end, and no start dialog over either.
    auto w = start({}, 8);
    w->show();
    w->FormShow();
    QTRY_VERIFY(w->Closing());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Programmet kræver mere end 256 farver");
    QTest::qWait(100);
    EXPECT_EQ(startDialogs, 0);
}

TEST_F(Window, TheStartDialogWaitsForAnotherDialogAndNeverComesAtTheEnd)
{
    auto w = start();
    w->show();
    QDialog other(w.get());
    other.setModal(true);
    other.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &other);
    w->ShowStartDialog();
    QTest::qWait(3 * TMain::kStartDialogRetryMs);
    EXPECT_EQ(startDialogs, 0);
    other.hide();
    QTRY_COMPARE(startDialogs, 1);

    // A class opened from the menu while it waited: no start dialog after.
    other.show();
    w->ShowStartDialog();
    dialogs.files.push_back(QString::fromStdString(makeClass("4a.kla")));
    ASSERT_TRUE(w->FilerAabnKlasseClick());
    other.hide();
    QTest::qWait(3 * TMain::kStartDialogRetryMs);
    EXPECT_EQ(startDialogs, 1);

    // Asked to end: none either.
    auto v = start();
    v->show();
    v->CloseRequest();
    v->ShowStartDialog();
    EXPECT_EQ(startDialogs, 1);
    QTRY_VERIFY(v->Closing());
}

// ---- ending ----

TEST_F(Window, AClassThatCannotBeSavedOnCloseIsToldOnce)
{
    for (int page : {1, 2}) {
        SCOPED_TRACE(page);
        dialogs.messages.clear();
        auto w = start({QString::fromStdString(makeClass("4a.kla"))});
        w->show();
        w->OpenParamFile();
        w->ShowPage(page);
        ASSERT_TRUE(w->AktivKlasse().SetSkole("Nyskolen"));
        ASSERT_TRUE(w->AktivKlasse().Aendret());
        w->AktivKlasse().SetFilNavn(dir.file("mangler/4a.kla"));   // cannot be written
        dialogs.answers = {QMessageBox::Cancel};
        w->FilerAfslutClick();
        EXPECT_FALSE(w->Closing());
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.startsWith("Ændringerne kunne ikke skrives til \""));
        EXPECT_TRUE(dialogs.messages[0].text.contains("Vil du prøve igen"));
        // Retry fails again: one more box, then closing without saving.
        dialogs.answers = {QMessageBox::Retry, QMessageBox::Discard};
        w->FilerAfslutClick();
        EXPECT_EQ(dialogs.messages.size(), 3u);
        EXPECT_TRUE(w->Closing());
    }
}

// ---- where the file dialogs start ----

TEST_F(Window, FileDialogsStartInTheOpenClassesFolder)
{
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    auto w = start();
    // Nothing open, nothing chosen before: the documents folder (or home).
    EXPECT_EQ(dialogs.StartFolder(), QDir(docs).exists() ? docs : QDir::homePath());
    // Chosen before, in an earlier run: that folder.
    std::filesystem::create_directories(dir.file("før"));
    DialogService::RememberFolder(QString::fromStdString(dir.file("før/x.kla")));
    EXPECT_EQ(dialogs.StartFolder(), QString::fromStdString(dir.file("før")));
    // A class open: its folder.
    std::filesystem::create_directories(dir.file("klasser"));
    dialogs.files.push_back(QString::fromStdString(makeClass("klasser/4a.kla")));
    ASSERT_TRUE(w->FilerAabnKlasseClick());
    EXPECT_EQ(dialogs.StartFolder(), QString::fromStdString(dir.file("klasser")));
    // A single pupil open: the pupil's folder.
    std::filesystem::create_directories(dir.file("elever"));
    tElev e;
    ASSERT_TRUE(e.SetKaldenavn("Bo"));
    ASSERT_TRUE(e.SaveToFile(dir.file("elever/bo.ele")));
    dialogs.files.push_back(QString::fromStdString(dir.file("elever/bo.ele")));
    w->FilerAabnElevClick();
    ASSERT_EQ(w->AktivSide(), 3);
    EXPECT_EQ(dialogs.StartFolder(), QString::fromStdString(dir.file("elever")));
    // Closed again: back to the folder chosen last.
    w->FilerNyklasseClick();
    EXPECT_EQ(dialogs.StartFolder(), QString::fromStdString(dir.file("før")));
    // A remembered folder that is gone is passed over.
    std::filesystem::remove_all(dir.file("før"));
    EXPECT_EQ(dialogs.StartFolder(), QDir(docs).exists() ? docs : QDir::homePath());
}
