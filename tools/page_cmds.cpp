// tinkeli-tool render page, save-page and book: a page of the program,
// exactly as the program shows it, drawn without a window on screen: the
// whole page as a PNG, its printed area as "Gem side som billede..." writes
// it, or a whole book as "Gem bogen som PDF..." and "Gem klassebogen som
// PDF..." write it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "bookpdf.h"
#include "dialogs.h"
#include "drawing.h"
#include "elev.h"
#include "elevform.h"
#include "klasse.h"
#include "maalform.h"
#include "mainwindow.h"
#include "page.h"
#include "pagepicture.h"
#include "placeholderpage.h"
#include "stamform.h"
#include "statform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QMenuBar>

#include <cstdio>
#include <memory>

namespace {

struct PageOptions {
    int page = 0;
    QString classFile;
    QString pupilFile;
    int pupil = 0;
    int select = -1;   // pages 14 and 15: the leaf; page 18: the square; selected as a click would
    int mode = -1;     // page 11: the measurements' mode; -1: as the page opens
    // Page 18: statistic and diagram type; -1 as it opens.
    int stat = -1;
    int diagram = -1;
    bool faces = false;
    int width = 1920;
    int height = 1080;
    QString archive;
    QString output;
};

const char* const kRenderUsage =
    "usage: tinkeli-tool render page N --class FILE.kla|--pupil-file FILE.ele [--pupil I] "
    "[--size WxH] [--archive FILE.BIN] [--select I] [--mode M] -o OUT.png\n"
    "       --select I is for pages 14, 15 (a leaf) and 18 (a square), --mode M (0 to 5) for page 11\n"
    "       page 18 also: [--stat N] [--diagram T] [--faces]\n";
const char* const kBookUsage =
    "usage: tinkeli-tool book --class FILE.kla [--pupil I] [--archive FILE.BIN] -o OUT.pdf\n";
const char* const kSaveUsage =
    "usage: tinkeli-tool save-page N --class FILE.kla|--pupil-file FILE.ele [--pupil I] "
    "[--size WxH] [--archive FILE.BIN] -o OUT.bmp|OUT.png|OUT.pdf\n";

int fail(const char* command, const QString& msg)
{
    std::fprintf(stderr, "tinkeli-tool %s: %s\n", command, qPrintable(msg));
    return 1;
}

// Chooses on page 18 what the options ask for, as the buttons and a click
// would. Returns an exit code when that cannot be done.
int ApplyStatOptions(TStatForm& page, const PageOptions& opt)
{
    if (opt.diagram >= 0)
        page.ChooseDiagramType(opt.diagram);
    if (opt.stat > 0 && !page.ChooseStatistic(opt.stat)) {
        std::fprintf(stderr, "tinkeli-tool render page: statistic %d (%s) is not available for this class\n", opt.stat,
                     qPrintable(TStatForm::StatName(opt.stat)));
        return 2;
    }
    page.SetFaces(opt.faces);
    if (opt.select >= 0 && !page.SelectSquare(opt.select)) {
        std::fprintf(stderr, "tinkeli-tool render page: there is no square %d; the chart has %d\n", opt.select,
                     page.DrawnSquares());
        return 2;
    }
    return 0;
}

// The options both commands share; exit code 0 when they are sound, else
// the code to end with (the usage or the reason already said).
int parsePageOptions(const char* command, const char* usage, bool withChoices, const QStringList& args,
                     PageOptions& opt)
{
    QCommandLineParser p;
    p.addPositionalArgument("N", "Page number, 1 to 18.");
    p.addOption({"class", "A class file.", "FILE.kla"});
    p.addOption({"pupil-file", "A pupil file.", "FILE.ele"});
    p.addOption({"pupil", "Which pupil of the class (from 0).", "I"});
    if (withChoices) {
        p.addOption({"select", "Pages 14 and 15: select leaf I of the family tree (from 0); page 15 shows its "
                               "branch page. Page 18: select square I (from 0), as a click does.", "I"});
        p.addOption({"mode", "Page 11: the measurements in mode M (0 typed, 1 hands, 2 fingers, 3 hand spans, "
                             "4 insteps, 5 feet).", "M"});
        p.addOption({"stat", "Page 18: statistic N (0 to 17).", "N"});
        p.addOption({"diagram", "Page 18: diagram type T (0 same colour, 1 boys and girls, 2 boys, 3 girls).", "T"});
        p.addOption({"faces", "Page 18: the pupils' faces in the squares."});
    }
    p.addOption({"size", "Page size.", "WxH"});
    p.addOption({"archive", "The drawing archive (default: the program's).", "FILE.BIN"});
    p.addOption({{"o", "output"}, "Output file.", "file"});
    bool ok = p.parse(QStringList{command} + args) && p.positionalArguments().size() == 1 && p.isSet("o")
        && (p.isSet("class") != p.isSet("pupil-file"));
    if (ok)
        opt.page = p.positionalArguments()[0].toInt(&ok);
    if (withChoices) {
        if (ok && p.isSet("mode")) {
            opt.mode = p.value("mode").toInt(&ok);
            ok = ok && opt.page == 11 && opt.mode >= 0 && opt.mode <= 5;
        }
        const auto statOption = [&](const char* name, int& value, int lo, int hi) {
            if (ok && p.isSet(name)) {
                value = p.value(name).toInt(&ok);
                ok = ok && opt.page == 18 && value >= lo && value <= hi;
            }
        };
        statOption("stat", opt.stat, 0, kStatCount);
        statOption("diagram", opt.diagram, 0, 3);
        opt.faces = p.isSet("faces");
        ok = ok && (!opt.faces || opt.page == 18);
    }
    if (!ok) {
        std::fputs(usage, stderr);
        return 2;
    }
    opt.classFile = p.value("class");
    opt.pupilFile = p.value("pupil-file");
    opt.output = p.value("o");
    opt.archive = p.value("archive");
    if (p.isSet("pupil")) {
        bool oki = false;
        opt.pupil = p.value("pupil").toInt(&oki);
        if (!oki || opt.pupil < 0)
            return fail(command, "--pupil wants a pupil number from 0");
    }
    if (withChoices && p.isSet("select")) {
        // Wrong use of the option, as the other options: exit 2.
        bool oki = false;
        opt.select = p.value("select").toInt(&oki);
        if (!oki || opt.select < 0) {
            fail(command, "--select wants a leaf or square number from 0");
            return 2;
        }
        if (opt.page != 14 && opt.page != 15 && opt.page != 18) {
            fail(command, "--select is for page 14, the family tree, page 15, a person's branch page, and "
                          "page 18, a square of the statistics");
            return 2;
        }
    }
    if (p.isSet("size")) {
        const QStringList wh = p.value("size").split('x');
        bool okw = false, okh = false;
        if (wh.size() == 2) {
            opt.width = wh[0].toInt(&okw);
            opt.height = wh[1].toInt(&okh);
        }
        if (!okw || !okh || opt.width < 64 || opt.height < 64 || opt.width > 8000 || opt.height > 8000)
            return fail(command, "--size wants WxH, for example 1920x1080");
    }
    return 0;
}

// The program's main window, never on screen, with the file opened as the
// program opens it from its command line and the pupil chosen. Nothing here
// saves: the window is never closed, so its closing save never runs.
std::unique_ptr<TMain> openProgram(const char* command, const PageOptions& opt, SilentDialogs& dialogs, int& exit)
{
    exit = 1;
    const QString file = opt.classFile.isEmpty() ? opt.pupilFile : opt.classFile;
    if (!QFileInfo(file).isFile()) {
        fail(command, file + " does not exist");
        return nullptr;
    }
    TMain::Options mo;
    mo.dialogs = &dialogs;
    mo.params = QStringList{file};
    mo.askCode = [](const std::string&) { return 1; };
    mo.startDialog = [] { return 0; };
    mo.openHelp = [](const QString&) { return true; };
    mo.aboutBox = [] {};
    auto w = std::make_unique<TMain>(mo);
    if (!opt.archive.isEmpty())
        Drawing().ArchivePath = opt.archive.toStdString();
    w->OpenParamFile();
    // The statistics of a class without pupils are empty charts.
    const bool emptyClassOk = opt.page == 18 && !opt.classFile.isEmpty() && !w->AktivKlasse().FilNavn().empty();
    if (w->AktivKlasse().IngenElever() && !emptyClassOk) {
        fail(command, file + " could not be read");
        return nullptr;
    }
    if (!w->AktivKlasse().GetElev(opt.pupil) && !(emptyClassOk && opt.pupil == 0)) {
        fail(command, QString("the class has no pupil %1").arg(opt.pupil));
        return nullptr;
    }
    w->SetAktivElev(opt.pupil);
    w->ElevForm()->EnableButtons();
    Page* page = w->PageAt(opt.page);
    if (!page) {
        fail(command, QString("there is no page %1; pages are numbered 1 to 18").arg(opt.page));
        return nullptr;
    }
    if (qobject_cast<PlaceholderPage*>(page)) {
        fail(command, QString("page %1 does not exist yet").arg(opt.page));
        return nullptr;
    }
    ShowOffscreen(*w);
    w->resize(opt.width, opt.height + w->menuBar()->sizeHint().height());
    exit = 0;
    return w;
}

int archiveMissing(const char* command)
{
    return fail(command,
                "the drawing archive " + QString::fromStdString(Drawing().ArchivePath) + " could not be read");
}

} // namespace

int CmdRenderPage(const QStringList& args)
{
    const char* const cmd = "render page";
    PageOptions opt;
    if (const int bad = parsePageOptions(cmd, kRenderUsage, true, args, opt))
        return bad;
    SilentDialogs dialogs("tinkeli-tool: ");
    int exit = 0;
    auto w = openProgram(cmd, opt, dialogs, exit);
    if (!w)
        return exit;
    Page* page = w->PageAt(opt.page);
    auto showAt = [&](int n) {
        w->ShowPage(n);
        w->PageAt(n)->resize(opt.width, opt.height);
        QApplication::processEvents();
    };
    if (opt.select >= 0 && (opt.page == 14 || opt.page == 15)) {
        // The leaf is selected on the family tree, as a click would, and the
        // branch page opened from there as RedigerSpeed does. The tree page
        // added its fresh and own leaves when it was shown; nothing here
        // writes the pupil.
        auto* stam = qobject_cast<TStamForm*>(w->PageAt(14));
        showAt(14);
        if (!stam || opt.select >= w->AktivElev()->GrenCount())
            return fail(cmd, QString("the family tree has no leaf %1").arg(opt.select));
        stam->SelectGren(opt.select);
        QApplication::processEvents();
        if (opt.page == 15)
            showAt(15);
    } else {
        showAt(opt.page);
    }
    if (auto* stat = qobject_cast<TStatForm*>(page)) {
        if (const int rc = ApplyStatOptions(*stat, opt))
            return rc;
        QApplication::processEvents();
    }
    if (opt.mode >= 0) {
        auto* maal = qobject_cast<TMaalForm*>(page);
        if (!maal || !maal->ChooseMode(opt.mode)) {
            std::fprintf(stderr,
                         "tinkeli-tool render page: mode %d needs measurement %d, which the pupil has not "
                         "entered\n",
                         opt.mode, TMaalForm::UnitOf(opt.mode));
            return 2;
        }
        QApplication::processEvents();
    }
    // A picture of the page, not of someone typing in it: no text cursor.
    // Taken after the events, which may have given a box the focus.
    if (QWidget* focus = w->focusWidget())
        focus->clearFocus();
    const QImage shot = page->grab().toImage();
    if (Drawing().PageBitmap.isNull())
        return archiveMissing(cmd);
    if (!shot.save(opt.output, "PNG"))
        return fail(cmd, "cannot write " + opt.output);
    return 0;
}

int CmdSavePage(const QStringList& args)
{
    const char* const cmd = "save-page";
    PageOptions opt;
    if (const int bad = parsePageOptions(cmd, kSaveUsage, false, args, opt))
        return bad;
    const auto format = PictureFormatOf(opt.output);
    if (!format) {
        std::fputs(kSaveUsage, stderr);
        return 2;
    }
    SilentDialogs dialogs("tinkeli-tool: ");
    int exit = 0;
    auto w = openProgram(cmd, opt, dialogs, exit);
    if (!w)
        return exit;
    if (w->PageAt(opt.page)->PrintsItself())
        return fail(cmd, QString("page %1 prints its pupil list as text; it has no picture").arg(opt.page));
    // What "Gem side som billede..." writes: the page's printed area, taken
    // as the screen shows it, in the file type of the extension.
    const QImage picture = RenderPagePicture(*w, opt.page, QSize(opt.width, opt.height));
    if (Drawing().PageBitmap.isNull())
        return archiveMissing(cmd);
    if (picture.isNull())
        return fail(cmd, QString("page %1 gave no picture").arg(opt.page));
    if (!SavePagePicture(picture, opt.output, *format))
        return fail(cmd, "cannot write " + opt.output);
    return 0;
}

int CmdBook(const QStringList& args)
{
    const char* const cmd = "book";
    QCommandLineParser p;
    p.addOption({"class", "A class file.", "FILE.kla"});
    p.addOption({"pupil", "Only this pupil's book (from 0); without it the class book.", "I"});
    p.addOption({"archive", "The drawing archive (default: the program's).", "FILE.BIN"});
    p.addOption({{"o", "output"}, "The PDF to write.", "OUT.pdf"});
    int pupil = -1;
    bool ok = p.parse(QStringList{cmd} + args) && p.positionalArguments().isEmpty() && p.isSet("class")
        && p.isSet("o") && PictureFormatOf(p.value("o")) == PictureFormat::Pdf;
    if (ok && p.isSet("pupil")) {
        pupil = p.value("pupil").toInt(&ok);
        ok = ok && pupil >= 0;
    }
    if (!ok) {
        std::fputs(kBookUsage, stderr);
        return 2;
    }
    const QString file = p.value("class");
    const QString output = p.value("o");
    if (!QFileInfo(file).isFile())
        return fail(cmd, file + " does not exist");

    // The program's window, never shown: it finds the archive and opens the
    // class as the program does. Nothing here saves.
    SilentDialogs dialogs("tinkeli-tool: ");
    TMain::Options mo;
    mo.dialogs = &dialogs;
    mo.params = QStringList{file};
    mo.askCode = [](const std::string&) { return 1; };
    mo.startDialog = [] { return 0; };
    mo.openHelp = [](const QString&) { return true; };
    mo.aboutBox = [] {};
    TMain w(mo);
    if (p.isSet("archive"))
        Drawing().ArchivePath = p.value("archive").toStdString();
    w.OpenParamFile();
    const tKlasse& k = w.AktivKlasse();
    if (k.FilNavn().empty())
        return fail(cmd, file + " could not be read");

    std::vector<BookPage> pages;
    BookOptions options;
    if (pupil >= 0) {
        if (!k.GetElev(pupil)) {
            fail(cmd, QString("the class has no pupil %1; it has %2").arg(pupil).arg(k.ElevCount()));
            return 2;
        }
        if (k.ElevLaesFejl(pupil))
            return fail(cmd, QString("pupil %1's file %2 could not be read")
                                 .arg(pupil)
                                 .arg(QString::fromStdString(k.ElevFilNavn(pupil))));
        pages = PupilBookPages(k, pupil);
        options.title = BookFooterName(k, pages.front());
    } else {
        pages = ClassBookPages(k);
        options.title = BookFooterName(k, pages.front());
    }
    QString why;
    if (WriteBookPdf(k, pages, output, options, {}, &why) != BookResult::Written) {
        if (Drawing().PageBitmap.isNull())
            return archiveMissing(cmd);
        return fail(cmd, "cannot write " + output + ": " + why);
    }
    std::printf("%d pages written to %s\n", int(pages.size()), qPrintable(output));
    return 0;
}
