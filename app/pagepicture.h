// A page as a picture: what of it is printed and saved, taken in the
// screen's own pixels, named, and written as a bitmap, PNG or one-page PDF.
// The menu's "Udskriv..." and "Gem side som billede..." use it, and so does
// tinkeli-tool save-page, which draws a page without any window on screen.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <optional>

class QPagedPaintDevice;
class TMain;

enum class PictureFormat { Bmp, Png, Pdf };

/// The format a file's extension asks for (".bmp", ".png", ".pdf", any
/// case); nothing for any other.
std::optional<PictureFormat> PictureFormatOf(const QString& path);

/// The name offered for a page's picture: the class's name or the pupil's
/// nickname, made safe, then the suffix and \a extension ("4a_statistik.bmp").
/// An empty or missing name gives "Klasse" or "Elev"; a page without a
/// picture gives "".
QString OfferedFileName(const Page::PictureName& name, const QString& nickname, const QString& className,
                        const QString& extension = QStringLiteral(".bmp"));
/// The same for the program's name of page \a page (1 to 18).
QString OfferedFileName(int page, const QString& nickname, const QString& className);

/// Where a picture of \a picture's size goes on a printable area of
/// \a pageSize: as large as fits with its shape kept, centred.
QRect FitToPage(QSize picture, QSize pageSize);

/// \a logical (widget coordinates) in the pixels of a capture taken at
/// device pixel ratio \a dpr: each edge scaled and rounded on its own, so
/// neighbouring areas stay neighbours.
QRect DeviceRect(const QRect& logical, qreal dpr);

/// The area \a logical cut out of \a capture (whose devicePixelRatio() tells
/// how many of its pixels make one of the widget's), as a 24-bit picture in
/// the capture's own pixels. Null when nothing of the area is in it.
QImage PagePicture(const QImage& capture, const QRect& logical);

/// The page as it paints itself now, its printed area cut out (PagePicture).
/// Nothing on screen changes.
QImage CapturePage(Page& page);

/// Page \a n of the open class and pupil, drawn at \a size as the screen
/// would show it, its printed area cut out. The page is shown through the
/// page switch (as a user's click would show it), resized, drawn and put
/// back; the page shown before comes back afterwards. Needs no window on
/// screen: a main window that was shown with Qt::WA_DontShowOnScreen (as
/// ShowOffscreen does) draws all the same. Nothing is saved. Null for a page
/// that has no picture (the class setup) or does not exist.
QImage RenderPagePicture(TMain& main, int n, QSize size);

/// Shows \a main without putting it on the screen, so that its pages can be
/// shown and drawn by RenderPagePicture without a display or window manager.
void ShowOffscreen(TMain& main);

/// Draws \a picture on \a paper's page (a printer or a PDF writer), fitted
/// to its printable area and centred. False when painting could not begin or
/// end (the printer could not be opened, the file not written).
bool DrawPictureOnPaper(QPagedPaintDevice& paper, const QImage& picture);

/// Writes \a picture to \a file: a 24-bit Windows bitmap of exactly the
/// picture's size, a PNG, or a PDF of one A4 page (landscape for a wide
/// picture) with the picture fitted and centred as on paper. The old file
/// stays until the new one is complete. False when it could not be written.
bool SavePagePicture(const QImage& picture, const QString& file, PictureFormat format);
