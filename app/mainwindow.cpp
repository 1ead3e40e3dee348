// The main window: start-up, opening files, the page switch and the timers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "aboutbox.h"
#include "bookpages.h"
#include "dialogs.h"
#include "drawing.h"
#include "classpages.h"
#include "editors.h"
#include "elevform.h"
#include "klasseform.h"
#include "glyphs.h"
#include "klasse.h"
#include "page.h"
#include "passworddlg.h"
#include "placeholderpage.h"
#include "printing.h"
#include "renderer.h"
#include "savequestion.h"
#include "setupform.h"
#include "startdialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QSessionManager>
#include <QUrl>

namespace {

class ProgramEvent : public QEvent {
public:
    explicit ProgramEvent(ProgramMessage m) : QEvent(QEvent::Type(int(QEvent::User) + int(m))) {}
};

// Pages whose once-a-minute save check runs while they are shown.
bool savesEveryMinute(int page)
{
    return (page >= 4 && page <= 11) || (page >= 13 && page <= 17);
}

QString quoted(const QString& path)
{
    return QStringLiteral("\"%1\"").arg(path);
}

// The archive lies beside the program (program name, extension ".BIN"), or
// in the installed data folder.
QString findArchive()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    // tinkeli-tool shows the program's pages and uses the program's archive.
    for (const QString& name : {exe.completeBaseName() + ".BIN", QStringLiteral("tinkeli.BIN")}) {
        for (const QString& dir : {QStringLiteral("."), QStringLiteral("../share/tinkeli")}) {
            const QString path = exe.dir().filePath(dir + "/" + name);
            if (QFileInfo::exists(path))
                return QFileInfo(path).absoluteFilePath();
        }
    }
    return exe.dir().filePath(exe.completeBaseName() + ".BIN");
}

} // namespace

TMain::TMain(Options options) : opt_(std::move(options))
{
    if (!opt_.dialogs)
        ownDialogs_ = std::make_unique<QtDialogService>();
    dialogs_ = opt_.dialogs ? opt_.dialogs : ownDialogs_.get();
    // The file dialogs start where the open class (or the open pupil) lies.
    dialogs_->SetClassFolder([this]() -> QString {
        std::string file = aktivKlasse_ ? aktivKlasse_->FilNavn() : std::string();
        if (file.empty())
            if (tElev* e = AktivElev())
                file = e->FilNavn();
        return file.empty() ? QString() : QFileInfo(QString::fromStdString(file)).absolutePath();
    });

    setWindowTitle(QStringLiteral("Tinkeli"));
    setWindowIcon(ProgramIcon());
    client_ = new QWidget(this);
    setCentralWidget(client_);

    // FormCreate
    aktivSide_ = 0;
    const int depth = opt_.screenDepth >= 0 ? opt_.screenDepth
                      : QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->depth()
                                                         : 24;
    // 256 colours or fewer; 15- and 16-bit screens show the pages well.
    paletteDisplay_ = depth <= 8;
    DoneDrawing();
    InitDrawing();
    Page::ResetArchiveFailure();
    saveQuestion_ = std::make_unique<TSaveQuestion>(this, *dialogs_);
    replaceClass(std::make_unique<tKlasse>());
    Drawing().ArchivePath = findArchive().toStdString();

    buildMenu();
    buildPages();

    startTimer_.setSingleShot(true);
    startTimer_.setInterval(opt_.startDelayMs);
    connect(&startTimer_, &QTimer::timeout, this, &TMain::StartTimerTimer);
    checkGemTimer_.setInterval(opt_.saveIntervalMs);
    connect(&checkGemTimer_, &QTimer::timeout, this, &TMain::CheckGemTimerTimer);

    // A desktop session that ends takes the work along: save, never ask.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        saveQuestion_->SetNeverAsk(true);
        if (tElev* e = AktivElev(); e && e->Aendret())
            (void)e->SaveToFile(e->FilNavn());
        if (aktivKlasse_->Aendret() && !aktivKlasse_->FilNavn().empty())
            (void)aktivKlasse_->SaveToFile(aktivKlasse_->FilNavn());
        saveQuestion_->SetNeverAsk(false);
    });

    if (paletteDisplay_) {
        endRequested_ = true;
        QTimer::singleShot(0, this, [this] {
            dialogs_->Message(this, QStringLiteral("Programmet kræver mere end 256 farver"),
                              QStringLiteral("Programmet afbrydes"), DialogService::Icon::Warning);
            PostMessage(kCloseRequest);
        });
    }
}

TMain::~TMain()
{
    DoneDrawing();
}

void TMain::buildMenu()
{
    QMenu* filer = menuBar()->addMenu(QStringLiteral("Filer"));
    filer->addAction(QStringLiteral("Ny klasse"), this, &TMain::FilerNyklasseClick);
    filer->addAction(QStringLiteral("Luk..."), this, &TMain::LukClick);
    filer->addSeparator();
    filer->addAction(QStringLiteral("Åbn klasse..."), this, &TMain::FilerAabnKlasseClick);
    filer->addAction(QStringLiteral("Åbn elev..."), this, &TMain::FilerAabnElevClick);
    filer->addSeparator();
    filer->addAction(QStringLiteral("Udskriv..."), QKeySequence::Print, this, &TMain::UdskrivClick);
    gemSomBillede_ = filer->addAction(QStringLiteral("Gem side som billede..."),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                                      &TMain::GemSomBilledeClick);
    gemBogen_ = filer->addAction(QStringLiteral("Gem bogen som PDF..."), this, &TMain::GemBogenSomPdfClick);
    gemKlassebogen_ = filer->addAction(QStringLiteral("Gem klassebogen som PDF..."), this,
                                       &TMain::GemKlassebogenSomPdfClick);
    // A pupil typed into the class setup can be in the class book at once.
    connect(filer, &QMenu::aboutToShow, this, &TMain::updateMenu);
    filer->addSeparator();
    eksporterElevliste_ = filer->addAction(QStringLiteral("Eksportér elevliste..."), this,
                                           &TMain::EksporterElevlisteClick);
    importerElevliste_ = filer->addAction(QStringLiteral("Importér elevliste..."), this,
                                          &TMain::ImporterElevlisteClick);
    filer->addSeparator();
    filer->addAction(QStringLiteral("Afslut"), this, &TMain::FilerAfslutClick);
    QMenu* hjaelp = menuBar()->addMenu(QStringLiteral("Hjælp"));
    hjaelp->addAction(QStringLiteral("Oversigt..."), this, &TMain::HjaelpOversigtClick);
    hjaelp->addAction(QStringLiteral("Til denne side..."), this, &TMain::HjaelpTilSidenClick);
    hjaelp->addAction(QStringLiteral("Om programmet..."), this, &TMain::HjaelpOmprogrammetClick);
    updateMenu();
}

void TMain::updateMenu()
{
    const Page* page = PageAt(aktivSide_);
    gemSomBillede_->setEnabled(page && !page->PrintsItself()
                               && page->PrintName().whose != Page::PictureName::None);
    eksporterElevliste_->setEnabled(aktivSide_ == 2);
    importerElevliste_->setEnabled(aktivSide_ == 2);
    // The open pupil's book from the pupil's own pages; the class book for a
    // class (not a pupil opened alone) with someone whose file could be read.
    const bool pupilPage = (aktivSide_ >= 3 && aktivSide_ <= 11) || (aktivSide_ >= 13 && aktivSide_ <= 17);
    gemBogen_->setEnabled(pupilPage && AktivElev());
    bool anyone = false;
    for (int i = 0; i < aktivKlasse_->ElevCount() && !anyone; ++i)
        anyone = !aktivKlasse_->ElevLaesFejl(i);
    gemKlassebogen_->setEnabled(pages_[3] && ElevForm()->ClassMode() && anyone);
}

QAction* TMain::MenuItem(const QString& text) const
{
    for (QAction* menu : menuBar()->actions())
        if (menu->menu())
            for (QAction* a : menu->menu()->actions())
                if (a->text() == text)
                    return a;
    return nullptr;
}

void TMain::buildPages()
{
    auto* elev = new TElevForm(*this, client_);
    pages_[3] = elev;
    CreatePortraitEditors(*this, client_, pages_);
    CreateBookPages(*this, client_, pages_);
    CreateClassPages(*this, client_, pages_);
    for (int n = 1; n <= 18; ++n) {
        if (pages_[n])
            continue;
        // Pupil pages lead back to the student page, class pages to the overview.
        const int back = n == 1 ? 0 : (n == 2 || n == 12 || n == 18) ? 1 : 3;
        pages_[n] = new PlaceholderPage(*this, n, back, client_);
    }
    elev->SetClassMode(true);
}

void TMain::layoutPages()
{
    for (int n = 1; n <= 18; ++n)
        pages_[n]->setGeometry(client_->rect());
}

void TMain::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    layoutPages();
}

Page* TMain::PageAt(int n) const
{
    return n >= 1 && n <= 18 ? pages_[n] : nullptr;
}

TElevForm* TMain::ElevForm() const
{
    return static_cast<TElevForm*>(pages_[3]);
}

tElev* TMain::AktivElev()
{
    // A pupil whose file could not be read (or that the overview read again
    // and found damaged) is never the open one.
    tElev* e = aktivKlasse_->GetElev(aktivIndex_);
    return e && !e->LaesFejl() ? e : nullptr;
}

void TMain::SetAktivElev(int index)
{
    const tElev* e = aktivKlasse_->GetElev(index);
    aktivIndex_ = e && !e->LaesFejl() ? index : -1;
}

// ---- the page switch ----

void TMain::ShowPage(int n)
{
    HidePage();
    if (n < 1 || n > 18)
        return;
    if (savesEveryMinute(n))
        checkGemTimer_.start();
    layoutPages();
    aktivSide_ = n;
    pages_[n]->show();
    pages_[n]->raise();
    updateMenu();
    // A page that put the focus somewhere itself (the class setup's empty
    // name field) keeps it.
    if (!pages_[n]->isAncestorOf(focusWidget()))
        pages_[n]->setFocus();
}

void TMain::HidePage()
{
    if (Page* p = PageAt(aktivSide_))
        p->hide();
    checkGemTimer_.stop();
    aktivSide_ = 0;
    if (gemSomBillede_)
        updateMenu();
}

void TMain::SaveCurrent()
{
    if ((aktivSide_ == 2 || aktivSide_ == 12) && aktivKlasse_->Aendret())
        pages_[aktivSide_]->SaveWork();
    else if (savesEveryMinute(aktivSide_))
        pages_[aktivSide_]->SaveIfChanged();
}

void TMain::CheckGemTimerTimer()
{
    saveQuestion_->SetMinuteSave(true);
    if (Page* p = PageAt(aktivSide_))
        p->SaveIfChanged();
    saveQuestion_->SetMinuteSave(false);
}

bool TMain::SaveAllForClose()
{
    for (;;) {
        QString failed;
        if (tElev* e = AktivElev(); e && e->Aendret() && !e->SaveToFile(e->FilNavn()))
            failed = QString::fromStdString(e->FilNavn());
        if (failed.isEmpty() && aktivKlasse_->Aendret()) {
            if (!aktivKlasse_->FilNavn().empty()) {
                // Written here, so that a failure is told once, in the box below.
                if (!aktivKlasse_->SaveToFile(aktivKlasse_->FilNavn()))
                    failed = QString::fromStdString(aktivKlasse_->FejlFil().empty() ? aktivKlasse_->FilNavn()
                                                                                     : aktivKlasse_->FejlFil());
            } else if (aktivSide_ == 2 || aktivSide_ == 12) {
                // A new class asks for its file through its page, which says
                // itself when the write fails and offers the dialog again
                // until the class is saved or given up.
                pages_[aktivSide_]->SaveWork();
            }
        }
        if (failed.isEmpty())
            return true;
        const auto answer = dialogs_->Message(
            this,
            QStringLiteral("Ændringerne kunne ikke skrives til %1\n\nVil du prøve igen, lukke uden at gemme "
                           "eller blive i programmet?")
                .arg(quoted(failed)),
            QStringLiteral("Fejl"), DialogService::Icon::Warning,
            QMessageBox::Retry | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Retry);
        if (answer == QMessageBox::Discard)
            return true;
        if (answer != QMessageBox::Retry)
            return false;
    }
}

void TMain::closeEvent(QCloseEvent* e)
{
    if (!SaveAllForClose()) {
        endRequested_ = paletteDisplay_;
        e->ignore();
        return;
    }
    closing_ = true;
    startTimer_.stop();
    checkGemTimer_.stop();
    e->accept();
}

// ---- start-up ----

void TMain::FormShow()
{
    ResetPatternCache();
    ShowPage(1);
    startTimer_.start();
}

void TMain::StartTimerTimer()
{
    startTimer_.stop();
    PostMessage(opt_.params.isEmpty() ? kShowStartDialog : kOpenParamFile);
}

void TMain::PostMessage(ProgramMessage m)
{
    QCoreApplication::postEvent(this, new ProgramEvent(m));
}

void TMain::customEvent(QEvent* e)
{
    switch (int(e->type()) - int(QEvent::User)) {
    case kOpenParamFile: OpenParamFile(); break;
    case kShowStartDialog: ShowStartDialog(); break;
    case kCloseRequest:
        endRequested_ = true;
        close();
        break;
    default: QMainWindow::customEvent(e); break;
    }
}

void TMain::CloseRequest()
{
    endRequested_ = true;
    PostMessage(kCloseRequest);
}

// ---- opening ----

void TMain::replaceClass(std::unique_ptr<tKlasse> k)
{
    aktivKlasse_ = std::move(k);
    aktivKlasse_->SetSaveConflict(saveQuestion_.get());
    aktivIndex_ = -1;
}

void TMain::openClassFile(const QString& path)
{
    auto k = tKlasse::LoadFromFile(path.toStdString());
    if (k->LaesFejl()) {
        dialogs_->Fejl(this, QStringLiteral("Det var ikke muligt at åbne ") + quoted(path));
        k = std::make_unique<tKlasse>();
    } else if (const auto damaged = k->UlaeseligeFiler(); !damaged.empty()) {
        // The class opens with every pupil that could be read; the others
        // keep their places and their files, and are named once.
        QStringList names;
        for (const std::string& file : damaged)
            names << QFileInfo(QString::fromStdString(file)).fileName();
        dialogs_->Fejl(this, QStringLiteral("Disse elevfiler kunne ikke læses:\n") + names.join('\n'));
    }
    replaceClass(std::move(k));
    ElevForm()->SetClassMode(true);
    ShowPage(1);
}

void TMain::openSinglePupil(const QString& path, bool fromMenu)
{
    replaceClass(std::make_unique<tKlasse>());
    if (aktivKlasse_->LoadElever({path.toStdString()})) {
        aktivIndex_ = 0;
        // A book opened on its own has no class around it. The hobbies its
        // class offered are those the record marks as chosen or not chosen,
        // so the hobby page shows them rather than an empty grid.
        const std::string& valg = AktivElev()->Hobbyer();
        std::string tilbud(std::size_t(tElev::kHobbyCount), ' ');
        for (std::size_t i = 0; i < tilbud.size() && i < valg.size(); ++i)
            if (valg[i] == 'v' || valg[i] == 'x')
                tilbud[i] = 'x';
        aktivKlasse_->SetHobbyer(tilbud);
        if (fromMenu && aktivSide_ == 1)
            pages_[1]->update();
        const std::string code = AktivElev()->Elevkode();
        SetBookLocked(!code.empty() && AskCode(code) != 1);
        ElevForm()->SetClassMode(false);
        ShowPage(3);
        return;
    }
    dialogs_->Fejl(this, (fromMenu ? QStringLiteral("Det var ikke muligt at indlæse eleven ")
                                   : QStringLiteral("Det var ikke muligt at åbne "))
                             + quoted(path));
    replaceClass(std::make_unique<tKlasse>());
    ShowPage(1);
}

void TMain::OpenParamFile()
{
    const QString path = opt_.params.join(' ');
    if (!QFileInfo(path).isFile()) {
        // Said as for a file that cannot be read; then the user chooses
        // what to do instead.
        dialogs_->Fejl(this, QStringLiteral("Det var ikke muligt at åbne ") + quoted(path));
        ShowPage(1);
        PostMessage(kShowStartDialog);
        return;
    }
    const int sep = int(path.lastIndexOf(QRegularExpression(QStringLiteral("[/\\\\:]"))));
    const int dot = int(path.lastIndexOf('.'));
    const QString ext = dot > sep ? path.mid(dot).toUpper() : QString();
    if (ext == ".KLA") {
        openClassFile(path);
    } else if (ext == ".ELE") {
        openSinglePupil(path, false);
    } else {
        dialogs_->Message(this, QStringLiteral("Det var ikke muligt at åbne ") + quoted(path),
                          QStringLiteral("Fejl i filtype"), DialogService::Icon::Warning);
        ShowPage(1);
    }
}

bool TMain::FilerAabnKlasseClick()
{
    const QString file = dialogs_->OpenFileName(this, QStringLiteral("Åbn klasse"),
                                                QStringLiteral("\"Tinkeli\"-klasse|*.kla"), QStringLiteral("*.kla"));
    if (file.isEmpty())
        return false;
    SaveCurrent();
    openClassFile(file);
    return !aktivKlasse_->FilNavn().empty();
}

void TMain::FilerAabnElevClick()
{
    const QString file = dialogs_->OpenFileName(this, QStringLiteral("Åbn elev"),
                                                QStringLiteral("\"Tinkeli\"-elever|*.ele"), QStringLiteral("*.ele"));
    if (file.isEmpty())
        return;
    SaveCurrent();
    openSinglePupil(file, true);
}

void TMain::FilerNyklasseClick()
{
    SaveCurrent();
    replaceClass(std::make_unique<tKlasse>());
    ElevForm()->SetClassMode(true);
    ShowPage(1);
}

void TMain::LukClick()
{
    FilerNyklasseClick();
    startTimer_.start();
}

void TMain::FilerAfslutClick()
{
    close();
}

void TMain::ShowStartDialog()
{
    // Never over a program that is ending.
    if (closing_ || endRequested_)
        return;
    // Never on top of another dialog (a message, a file dialog opened from
    // the menu): it comes when that one has gone, unless the user opened a
    // class or a pupil with it.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(kStartDialogRetryMs, this, [this] {
            if (aktivSide_ <= 1 && aktivKlasse_->FilNavn().empty() && aktivKlasse_->IngenElever())
                PostMessage(kShowStartDialog);
        });
        return;
    }
    int result = 0;
    if (opt_.startDialog) {
        result = opt_.startDialog();
    } else {
        TStartDialog d(this, [this](const QString& f) { ShowHelpPage(f); });
        result = d.exec();
        // Back to the main window, so the page's field takes the typing.
        activateWindow();
    }
    switch (result) {
    case 1:   // a new class: the overview's way to the class setup
        static_cast<TKlasseForm*>(pages_[1])->ToolBmBtnClick();
        break;
    case 3:
        close();
        break;
    case 4:
        // Only a class that was opened goes on to its setup: a cancelled or
        // unreadable one leaves the empty overview.
        if (!FilerAabnKlasseClick())
            break;
        if (!aktivKlasse_->Kode().empty() && AskCode(aktivKlasse_->Kode()) != 1) {
            ShowPage(1);
            break;
        }
        ShowPage(2);
        break;
    case 6:
        FilerAabnElevClick();
        break;
    case 8:
        FilerAabnKlasseClick();
        break;
    default:
        break;
    }
}

void TMain::DiscardClass()
{
    replaceClass(std::make_unique<tKlasse>());
}

void TMain::SetBookLocked(bool locked)
{
    if (locked)
        ElevForm()->DisableButtons();
    else
        ElevForm()->EnableButtons();
}

int TMain::AskCode(const std::string& ansiCode)
{
    if (opt_.askCode)
        return opt_.askCode(ansiCode);
    TPasswordDlg d(this);
    return d.AskCode(ansiCode);
}

// ---- printing and help ----

void TMain::UdskrivClick()
{
    PrintCurrentPage(*this);
}

void TMain::GemSomBilledeClick()
{
    SaveCurrentPage(*this);
}

void TMain::GemBogenSomPdfClick()
{
    SavePupilBook(*this);
}

void TMain::GemKlassebogenSomPdfClick()
{
    if (ElevForm()->ClassMode())
        SaveClassBook(*this);
}

void TMain::EksporterElevlisteClick()
{
    if (aktivSide_ == 2)
        static_cast<TSetupForm*>(pages_[2])->EksporterElevliste();
}

void TMain::ImporterElevlisteClick()
{
    if (aktivSide_ == 2)
        static_cast<TSetupForm*>(pages_[2])->ImporterElevliste();
}

QString TMain::HelpFileFor(int page)
{
    static const char* const kFiles[19] = {
        "oversigt.html", "klasse.html", "setup.html", "elev.html", "ansigt.html", "haar.html", "ojne.html",
        "bryn.html", "mund.html", "naese.html", "briller.html", "maal.html", "hobbyvalg.html", "hobby.html",
        "stam.html", "gren.html", "poesi.html", "bag.html", "stat.html"};
    return QString::fromLatin1(page >= 0 && page <= 18 ? kFiles[page] : kFiles[0]);
}

QString TMain::HelpPath(const QString& fileName) const
{
    const QDir exeDir(opt_.programDir.isEmpty() ? QCoreApplication::applicationDirPath() : opt_.programDir);
    const QString beside = exeDir.filePath("help/" + fileName);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = exeDir.filePath("../share/tinkeli/help/" + fileName);
    return QFileInfo::exists(installed) ? QFileInfo(installed).canonicalFilePath() : beside;
}

void TMain::ShowHelpPage(const QString& fileName)
{
    // The path goes to the browser as one argument, blanks and all; when the
    // desktop has no browser nothing happens.
    const QString path = HelpPath(fileName);
    if (opt_.openHelp)
        opt_.openHelp(path);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TMain::HjaelpOversigtClick()
{
    ShowHelpPage(QStringLiteral("oversigt.html"));
}

void TMain::HjaelpTilSidenClick()
{
    ShowHelpPage(HelpFileFor(aktivSide_));
}

void TMain::HjaelpOmprogrammetClick()
{
    if (opt_.aboutBox) {
        opt_.aboutBox();
        return;
    }
    TAboutBox box(this);
    box.exec();
}
