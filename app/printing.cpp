// Printing and saving the page on screen.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing.h"

#include "bookpdf.h"
#include "dialogs.h"
#include "elev.h"
#include "klasse.h"
#include "mainwindow.h"
#include "page.h"
#include "qansi.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include <algorithm>

const char* const kPictureFilter = "Windows Bitmap|*.bmp|PNG-billede|*.png|PDF-dokument|*.pdf";

namespace {

QString offeredName(TMain& main, const Page& page, const QString& extension = QStringLiteral(".bmp"))
{
    const tElev* e = main.AktivElev();
    return OfferedFileName(page.PrintName(), e ? ansi::ToQString(e->Kaldenavn()) : QString(),
                           ansi::ToQString(main.AktivKlasse().Klasse()), extension);
}

QString cannotSave(const QString& file)
{
    return QStringLiteral("Siden kunne ikke gemmes i \"%1\"").arg(file);
}

struct BookTexts {
    QString caption;   // the save and progress dialogs'
    QString making;    // what the progress dialog says
    QString cannot;    // the failure, %1 the file
};

void saveBook(TMain& main, const std::vector<BookPage>& pages, const QString& offered, const BookTexts& texts)
{
    if (pages.empty())
        return;
    const QString file = main.Dialogs().SaveFileName(&main, texts.caption, QStringLiteral("PDF-dokument|*.pdf"),
                                                     offered, QStringLiteral("pdf"));
    if (file.isEmpty())
        return;
    QProgressDialog progress(&main);
    progress.setWindowTitle(texts.caption);
    progress.setCancelButtonText(QStringLiteral("Annuller"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setRange(0, int(pages.size()));
    progress.setMinimumWidth(progress.fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
    SetDialogFrame(&progress);
    const auto step = [&](int done, int total) {
        progress.setLabelText(QStringLiteral("%1\nSide %2 af %3").arg(texts.making).arg(std::min(done + 1, total)).arg(total));
        if (!progress.isVisible())
            progress.show();
        // A modal progress dialog lets the events run here: it is drawn,
        // and its "Annuller" is heard.
        progress.setValue(done);
        return !progress.wasCanceled();
    };
    // The minute's save of the open pupil waits: making a book writes nothing.
    QTimer& minute = main.CheckGemTimer();
    const bool saving = minute.isActive();
    minute.stop();
    BookOptions options;
    options.title = BookFooterName(main.AktivKlasse(), pages.front());
    QString why;
    const BookResult result = WriteBookPdf(main.AktivKlasse(), pages, file, options, step, &why);
    progress.hide();
    if (saving)
        minute.start();
    // The page on screen drew into the shared page bitmap before the book's
    // pages did: draw it again.
    if (Page* page = main.PageAt(main.AktivSide()))
        page->update();
    if (result == BookResult::Failed)
        main.Dialogs().Fejl(&main, texts.cannot.arg(file));
}

} // namespace

void SavePupilBook(TMain& main)
{
    tKlasse& k = main.AktivKlasse();
    const tElev* e = main.AktivElev();
    int index = -1;
    for (int i = 0; e && i < k.ElevCount() && index < 0; ++i)
        if (k.GetElev(i) == e)
            index = i;
    if (index < 0)
        return;
    const QString offered = OfferedFileName({Page::PictureName::Elev, "_bog"}, ansi::ToQString(e->Kaldenavn()),
                                            ansi::ToQString(k.Klasse()), QStringLiteral(".pdf"));
    saveBook(main, PupilBookPages(k, index), offered,
             {QStringLiteral("Gem bogen som PDF"), QStringLiteral("Bogen laves ..."),
              QStringLiteral("Bogen kunne ikke gemmes i \"%1\"")});
}

void SaveClassBook(TMain& main)
{
    tKlasse& k = main.AktivKlasse();
    const QString offered = OfferedFileName({Page::PictureName::Klasse, "_klassebog"}, QString(),
                                            ansi::ToQString(k.Klasse()), QStringLiteral(".pdf"));
    saveBook(main, ClassBookPages(k), offered,
             {QStringLiteral("Gem klassebogen som PDF"), QStringLiteral("Klassebogen laves ..."),
              QStringLiteral("Klassebogen kunne ikke gemmes i \"%1\"")});
}

void PrintCurrentPage(TMain& main)
{
    const int n = main.AktivSide();
    Page* page = main.PageAt(n);
    if (page && page->PrintsItself()) {
        page->PrintItself();
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Dokument uden navn"));
    // Without a printer the dialog can only write a file: offer the page's name.
    const QString offered = page ? offeredName(main, *page, QStringLiteral(".pdf")) : QString();
    if (!offered.isEmpty() && QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(QDir(main.Dialogs().StartFolder()).filePath(offered));
    // A wide page goes on paper turned its way, as its PDF does; the dialog
    // can turn it back.
    if (page) {
        const QSize area = page->PrintArea().size();
        printer.setPageOrientation(area.width() > area.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    if (!main.Dialogs().PrintSetup(&main, printer) || !page)
        return;
    const QImage picture = CapturePage(*page);
    if (DrawPictureOnPaper(printer, picture))
        return;
    const QString file = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    main.Dialogs().Fejl(&main, file.isEmpty() ? QStringLiteral("Siden kunne ikke udskrives") : cannotSave(file));
}

void SaveCurrentPage(TMain& main)
{
    Page* page = main.PageAt(main.AktivSide());
    if (!page || page->PrintsItself())
        return;
    const QString offered = offeredName(main, *page);
    if (offered.isEmpty())
        return;
    int type = 0;
    const QString filter = QString::fromLatin1(kPictureFilter);
    const QString file = main.Dialogs().SaveFileNameOfType(&main, QStringLiteral("Gem side som billede"), filter,
                                                          offered, &type);
    if (file.isEmpty())
        return;
    // The extension decides; a name without one of ours takes the type chosen.
    static const PictureFormat kTypes[3] = {PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Pdf};
    const PictureFormat format = PictureFormatOf(file).value_or(kTypes[std::clamp(type, 0, 2)]);
    if (!SavePagePicture(CapturePage(*page), file, format))
        main.Dialogs().Fejl(&main, cannotSave(file));
}
