// The shared page mechanics.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "page.h"

#include "canvas.h"
#include "chrome.h"
#include "dialogs.h"
#include "drawing.h"
#include "elev.h"
#include "glyphs.h"
#include "pagehost.h"
#include "qansi.h"

#include <QPainter>
#include <QPaintEvent>
#include <QShowEvent>
#include <QHideEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

bool g_archiveFailed = false;

} // namespace

// ---- SpeedButton ----

SpeedButton::SpeedButton(const QString& glyph, const QString& hint, QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setIcon(Glyph(glyph));
    setToolTip(hint);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void SpeedButton::place(const QRect& r)
{
    setGeometry(r);
    const int side = std::max(8, std::min(r.width(), r.height()) - 8);
    setIconSize(QSize(side, side));
}

// ---- PaintBox ----

PaintBox::PaintBox(QWidget* parent, Handler onPaint) : QWidget(parent), onPaint_(std::move(onPaint))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent* e)
{
    if (onPaint_)
        onPaint_(e);
}

// ---- SidePanel ----

SidePanel::SidePanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SidePanel::paintEvent(QPaintEvent*)
{
    if (cache_.size() != size()) {
        cache_ = QImage(size(), QImage::Format_RGB32);
        Canvas c(&cache_);
        FillGradient(c, {0, 0, width(), height()}, 0xFF0000, true, 0xF0CAA6);
    }
    QPainter p(this);
    p.drawImage(0, 0, cache_);
}

// ---- Page ----

Page::Page(PageHost& host, int number, QWidget* parent) : QWidget(parent), host_(host), number_(number)
{
    setAutoFillBackground(false);
    hide();
}

double Page::scale() const
{
    return std::min(height() / double(kDesignHeight), width() / double(kDesignWidth));
}

int Page::S(double v) const
{
    return int(std::lround(v * scale()));
}

QRect Page::D(double x, double y, double w, double h) const
{
    const int l = S(x), t = S(y);
    return QRect(l, t, S(x + w) - l, S(y + h) - t);
}

int Page::BoxHeight() const
{
    // On a page wider than the design the box is the page's whole height,
    // exactly, whatever the rounding of S.
    return std::min(height(), S(kDesignHeight));
}

int Page::BoxTop() const
{
    return (height() - BoxHeight()) / 2;
}

QRect Page::B(double x, double y, double w, double h) const
{
    return D(x, y, w, h).translated(0, BoxTop());
}

void Page::ShowPageBitmap(QPainter& screen, const QWidget* box, int w) const
{
    const QImage& page = Drawing().PageBitmap;
    w = std::min(w, page.width());
    const int h = std::min(page.height(), BoxHeight());
    if (w <= 0 || h <= 0)
        return;
    const int top = BoxTop() - box->y();
    screen.drawImage(QPoint(0, top), page, QRect(0, 0, w, h));
    if (top > 0)
        screen.drawImage(QRect(0, 0, w, top), page, QRect(0, 0, w, 1));
    const int below = top + h;
    if (below < box->height())
        screen.drawImage(QRect(0, below, w, box->height() - below), page, QRect(0, h - 1, w, 1));
}

void Page::ResetArchiveFailure()
{
    g_archiveFailed = false;
}

bool Page::EnsureDrawing()
{
    DrawingTables& d = Drawing();
    const int w = DrawingWidth(), h = DrawingHeight();
    if (w <= 0 || h <= 0)
        return false;
    if (!d.PageBitmap.isNull() && d.PageWidth == w && d.PageHeight == h)
        return true;
    if (g_archiveFailed)
        return false;
    // The archive's layouts are fitted to the page while they are read, so a
    // page of another size (a resized window) reads it again.
    d.PictureList.clear();
    d.LayoutList.clear();
    d.PageBitmap = QImage();
    d.PageWidth = w;
    d.PageHeight = h;
    std::string why;
    if (!LoadDataArchive(&why) || !CreatePageBitmap(w, h)) {
        g_archiveFailed = true;
        d.PictureList.clear();
        d.LayoutList.clear();
        // Not from inside a paint event: say it, then end the program.
        QTimer::singleShot(0, this, [this] {
            host_.Dialogs().Fejl(this, QStringLiteral("\"Tinkeli.bin\" blev ikke fundet"));
            host_.CloseRequest();
        });
        return false;
    }
    return true;
}

bool Page::SaveIfChanged()
{
    tElev* e = host_.AktivElev();
    if (!e || !e->Aendret())
        return true;
    if (e->SaveToFile(e->FilNavn()))
        return true;
    if (e->GemAfvist())
        return false;   // the user chose to keep the other machine's file
    host_.Dialogs().Fejl(this, QStringLiteral("Ændringerne kunne ikke skrives til \"%1\"")
                                   .arg(QString::fromStdString(e->FilNavn())));
    return false;
}

QRect Page::PrintArea() const
{
    const int col = S(kColumnWidth);
    return QRect(col, 0, std::max(0, width() - 2 * col), height());
}

Page::PictureName Page::PictureNameOf(int page)
{
    using N = PictureName;
    static const N kNames[19] = {
        {},
        {N::Klasse, ""},           {},                       {N::Elev, "_elevforside"}, {N::Elev, "_ansigt"},
        {N::Elev, "_haar"},        {N::Elev, "_oje"},        {N::Elev, "_bryn"},        {N::Elev, "_mund"},
        {N::Elev, "_nase"},        {N::Elev, "_brille"},     {N::Elev, "_maal"},        {N::Klasse, "_hobbies"},
        {N::Elev, "_hobby"},       {N::Elev, "_stamtra"},    {N::Elev, "_stamgren"},    {N::Elev, "_poesibog"},
        {N::Elev, "_baggrunde"},   {N::Klasse, "_statistik"},
    };
    return page >= 1 && page <= 18 ? kNames[page] : PictureName{};
}

void Page::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    layoutPage();
}

// Only the page switch shows and hides a page. The window system's own show
// and hide (the window minimised and restored) leave the page as it is: its
// selection, its palette and its focus belong to the user.
void Page::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        pageShown();
}

void Page::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    if (!e->spontaneous())
        pageHidden();
}

void Page::paintEvent(QPaintEvent*)
{
    EnsureDrawing();
    QPainter p(this);
    p.fillRect(rect(), palette().window());
}
