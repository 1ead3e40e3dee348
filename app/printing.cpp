// Printing the page on screen.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing.h"

#include "chrome.h"
#include "dialogs.h"
#include "elev.h"
#include "klasse.h"
#include "mainwindow.h"
#include "page.h"
#include "qansi.h"

#include <QPainter>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

QString OfferedFileName(int page, const QString& nickname, const QString& className)
{
    static const char* const kSuffix[19] = {
        nullptr, nullptr, nullptr, "_elevforside", "_ansigt", "_haar", "_oje", "_bryn", "_mund", "_nase",
        "_brille", "_maal", "_hobbies", "_hobby", "_stamtra", "_stamgren", "_poesibog", "_baggrunde", "_statistik"};
    if (page == 1)
        return (className.isEmpty() ? QStringLiteral("Klasse") : className) + ".bmp";
    if (page == 12 || page == 18)
        return (className.isEmpty() ? QStringLiteral("Klasse") : className) + kSuffix[page] + ".bmp";
    if (page >= 3 && page <= 17)
        return nickname + kSuffix[page] + ".bmp";
    return {};
}

QRect FitToPage(QSize picture, QSize pageSize)
{
    if (picture.isEmpty() || pageSize.isEmpty())
        return {};
    int w, h;
    if (double(picture.width()) / picture.height() <= double(pageSize.width()) / pageSize.height()) {
        h = pageSize.height();
        w = MulDiv(pageSize.height(), picture.width(), picture.height());
    } else {
        w = pageSize.width();
        h = MulDiv(pageSize.width(), picture.height(), picture.width());
    }
    return QRect((pageSize.width() - w) / 2, (pageSize.height() - h) / 2, w, h);
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
    const tElev* e = main.AktivElev();
    const QString offered = OfferedFileName(n, e ? ansi::ToQString(e->Kaldenavn()) : QString(),
                                            ansi::ToQString(main.AktivKlasse().Klasse()));
    // Without a printer the dialog can only write a file: offer the page's name.
    if (!offered.isEmpty() && QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(QDir::home().filePath(QFileInfo(offered).completeBaseName() + ".pdf"));
    if (!main.Dialogs().PrintSetup(&main, printer) || !page)
        return;
    // The page as it is on screen, cut to its drawing area, 24-bit.
    const QImage capture = page->grab().toImage();
    const QRect area = page->PrintArea().intersected(capture.rect());
    if (area.isEmpty())
        return;
    const QImage picture = capture.copy(area).convertToFormat(QImage::Format_RGB888);
    QPainter p;
    if (!p.begin(&printer)) {
        main.Dialogs().Fejl(&main, QStringLiteral("Der kunne ikke udskrives."));
        return;
    }
    const QRect paper = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect target = FitToPage(picture.size(), paper.size());
    p.drawImage(target, picture);
    p.end();
}
