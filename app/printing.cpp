// Printing and saving the page on screen.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing.h"

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

} // namespace

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
