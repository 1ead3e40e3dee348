// A page as a picture.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagepicture.h"

#include "chrome.h"
#include "dialogs.h"
#include "mainwindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>

std::optional<PictureFormat> PictureFormatOf(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("bmp"))
        return PictureFormat::Bmp;
    if (ext == QLatin1String("png"))
        return PictureFormat::Png;
    if (ext == QLatin1String("pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
}

QString OfferedFileName(const Page::PictureName& name, const QString& nickname, const QString& className,
                        const QString& extension)
{
    if (name.whose == Page::PictureName::None)
        return {};
    const bool klasse = name.whose == Page::PictureName::Klasse;
    QString base = SafeFileName(klasse ? className : nickname);
    // A name of dots alone would be no name, or a way up the folders.
    if (base.isEmpty() || base.count(QLatin1Char('.')) == base.size())
        base = klasse ? QStringLiteral("Klasse") : QStringLiteral("Elev");
    return base + QString::fromLatin1(name.suffix) + extension;
}

QString OfferedFileName(int page, const QString& nickname, const QString& className)
{
    return OfferedFileName(Page::PictureNameOf(page), nickname, className);
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

QRect DeviceRect(const QRect& r, qreal dpr)
{
    const auto px = [dpr](int v) { return int(std::lround(v * dpr)); };
    const int l = px(r.x()), t = px(r.y());
    return QRect(l, t, px(r.x() + r.width()) - l, px(r.y() + r.height()) - t);
}

QImage PagePicture(const QImage& capture, const QRect& logical)
{
    const QRect area = DeviceRect(logical, capture.devicePixelRatio()).intersected(capture.rect());
    if (area.isEmpty())
        return {};
    QImage picture = capture.copy(area).convertToFormat(QImage::Format_RGB888);
    picture.setDevicePixelRatio(1);
    return picture;
}

QImage CapturePage(Page& page)
{
    return PagePicture(page.grab().toImage(), page.PrintArea());
}

void ShowOffscreen(TMain& main)
{
    main.setAttribute(Qt::WA_DontShowOnScreen);
    main.show();
}

QImage RenderPagePicture(TMain& main, int n, QSize size)
{
    Page* page = main.PageAt(n);
    if (!page || page->PrintName().whose == Page::PictureName::None || size.isEmpty())
        return {};
    const int shown = main.AktivSide();
    if (shown != n)
        main.ShowPage(n);
    const QSize before = page->size();
    page->resize(size);
    // What the page put off until its events run (a repaint, a layout); the
    // user's keys and clicks wait.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QImage picture = CapturePage(*page);
    page->resize(before);
    if (shown != n) {
        if (shown)
            main.ShowPage(shown);
        else
            main.HidePage();
    }
    return picture;
}

bool DrawPictureOnPaper(QPagedPaintDevice& paper, const QImage& picture)
{
    if (picture.isNull())
        return false;
    QPainter p;
    if (!p.begin(&paper))
        return false;
    // The painter's origin is the printable area's corner.
    const QRect printable = paper.pageLayout().paintRectPixels(paper.logicalDpiX());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(FitToPage(picture.size(), printable.size()), picture);
    return p.end();
}

bool SavePagePicture(const QImage& picture, const QString& file, PictureFormat format)
{
    if (picture.isNull())
        return false;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    bool ok = false;
    if (format == PictureFormat::Pdf) {
        QPdfWriter pdf(&out);
        pdf.setCreator(QStringLiteral("Tinkeli"));
        pdf.setTitle(QFileInfo(file).completeBaseName());
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      picture.width() > picture.height() ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        ok = DrawPictureOnPaper(pdf, picture);
    } else {
        // Qt's bitmap writer stores a 24-bit picture as 24 bits a pixel,
        // uncompressed, its rows padded to four bytes.
        QImageWriter writer(&out, format == PictureFormat::Bmp ? "bmp" : "png");
        ok = writer.write(picture.format() == QImage::Format_RGB888 ? picture
                                                                     : picture.convertToFormat(QImage::Format_RGB888));
    }
    return ok && out.commit();
}
