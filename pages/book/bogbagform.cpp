// The poetry book's background page.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bogbagform.h"

#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "elev.h"
#include "pagehost.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

// Copies row \a y of \a page into \a row (W x 1), made anew only when the
// width changed.
void keepRow(const QImage& page, int y, QImage& row)
{
    if (row.width() != page.width() || row.height() != 1)
        row = QImage(page.width(), 1, QImage::Format_RGB32);
    std::memcpy(row.scanLine(0), page.constScanLine(y), std::size_t(page.width()) * 4);
}

} // namespace

TBogBagForm::TBogBagForm(PageHost& host, QWidget* parent) : Page(host, 17, parent)
{
    BagPaintBox = new PaintBox(this, [this](QPaintEvent*) { BagPaintBoxPaint(); });
    BagPaintBox->setMouseTracking(true);
    BagPaintBox->installEventFilter(this);
    Panel2 = new SidePanel(this);
    BackSpeed = new SpeedButton("back", "Tilbage til poesi-bogen", Panel2);

    zoomTimer_.setInterval(kZoomFrameMs);
    zoomTimer_.setTimerType(Qt::PreciseTimer);
    connect(&zoomTimer_, &QTimer::timeout, this, &TBogBagForm::ZoomTimerTimer);
    connect(BackSpeed, &QToolButton::clicked, this, &TBogBagForm::BackSpeedClick);
}

ThumbnailRects TBogBagForm::Thumbnails() const
{
    // Made afresh from seed 0 for the page as it is now: a size always gives
    // the same places, however often the window was resized.
    return MakeThumbnailRects(DrawingWidth(), DrawingHeight());
}

void TBogBagForm::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    BackSpeed->place(B(8, 8, 73, 73));
    BagPaintBox->setGeometry(col, 0, std::max(0, width() - col), height());
}

void TBogBagForm::pageShown()
{
    const tElev* e = host().AktivElev();
    shown_ = ShownBaggrund(e ? e->BagsideValg() : 1);
    picture_ = shown_;
    BagPaintBox->unsetCursor();
    BagPaintBox->update();
}

void TBogBagForm::pageHidden()
{
    // The choice is stored already; only the zoom is left behind.
    stopZoom();
    picture_ = shown_;
}

void TBogBagForm::BackSpeedClick()
{
    SaveIfChanged();
    host().ShowPage(16);
}

bool TBogBagForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == BagPaintBox) {
        switch (event->type()) {
        case QEvent::MouseMove:
            BagPaintBoxMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        case QEvent::MouseButtonPress: {
            auto* m = static_cast<QMouseEvent*>(event);
            if (m->button() == Qt::LeftButton)
                BagPaintBoxMouseDown(m->position().toPoint());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            // A click: pressed and let go on the page.
            auto* m = static_cast<QMouseEvent*>(event);
            if (m->button() == Qt::LeftButton && pressed_) {
                pressed_ = false;
                if (BagPaintBox->rect().contains(m->position().toPoint()))
                    BagPaintBoxClick();
            }
            return true;
        }
        default:
            break;
        }
    }
    return Page::eventFilter(watched, event);
}

void TBogBagForm::BagPaintBoxMouseMove(const QPoint& p)
{
    const bool over = ThumbnailAt(Thumbnails(), shown_, p.x(), p.y() - BoxTop()) != 0;
    if (over)
        BagPaintBox->setCursor(Qt::PointingHandCursor);
    else
        BagPaintBox->unsetCursor();
}

void TBogBagForm::BagPaintBoxMouseDown(const QPoint& p)
{
    // While the zoom runs the page takes no clicks.
    if (Animating())
        return;
    down_ = p;
    pressed_ = true;
}

void TBogBagForm::BagPaintBoxClick()
{
    tElev* e = host().AktivElev();
    if (Animating() || !e)
        return;
    const ThumbnailRects rects = Thumbnails();
    const int k = ThumbnailAt(rects, shown_, down_.x(), down_.y() - BoxTop());
    if (k == 0)
        return;
    e->SetBagsideValg(k);
    shown_ = k;
    if (!animate_) {
        picture_ = k;
        BagPaintBox->update();
        BagPaintBoxMouseMove(BagPaintBox->mapFromGlobal(QCursor::pos()));
        return;
    }
    zoomFrom_ = rects[std::size_t(k)];
    frame_ = 0;
    zoomTimer_.start();
    BagPaintBox->update();
}

void TBogBagForm::ZoomTimerTimer()
{
    if (++frame_ < kZoomFrames) {
        BagPaintBox->update();
        return;
    }
    stopZoom();
    picture_ = shown_;
    BagPaintBox->update();
    // The thumbnail under the pointer is now the page: no hand over it.
    BagPaintBoxMouseMove(BagPaintBox->mapFromGlobal(QCursor::pos()));
}

void TBogBagForm::stopZoom()
{
    zoomTimer_.stop();
    frame_ = -1;
}

QRect TBogBagForm::PrintArea() const
{
    const int col = S(kColumnWidth);
    return QRect(col, 0, std::max(0, width() - col), height());
}

void TBogBagForm::DrawBackgrounds(int n)
{
    QImage& page = Drawing().PageBitmap;
    if (page.isNull())
        return;
    if (work_.size() != page.size())
        work_ = QImage(page.size(), QImage::Format_RGB32);
    auto drawLayout = [](QImage& target, int k) {
        const char* name = Baggrund(k).layout;
        if (!FindLayout(name))
            target.fill(Qt::white);
        Canvas c(&target);
        DrawPageLayout(c, name);
    };
    drawLayout(page, n);
    keepRow(page, 0, topRow_);
    keepRow(page, page.height() - 1, bottomRow_);
    const ThumbnailRects rects = MakeThumbnailRects(page.width(), page.height());
    for (int k = 1; k <= kBaggrundCount; ++k) {
        if (k == n)
            continue;
        drawLayout(work_, k);
        StretchThumbnail(work_, page, rects[std::size_t(k)]);
        DrawThumbnailFrame(page, rects[std::size_t(k)]);
    }
    drawnKey_ = page.cacheKey();
    drawnBackground_ = n;
    ++backgroundDraws_;
}

void TBogBagForm::BagPaintBoxPaint()
{
    if (!EnsureDrawing()) {
        QPainter screen(BagPaintBox);
        screen.fillRect(BagPaintBox->rect(), QColor(0xA6, 0xCA, 0xF0));
        return;
    }
    QImage& page = Drawing().PageBitmap;
    // Drawn here, before the picture reaches the screen, and only when another
    // page drew into the shared bitmap or the choice changed.
    if (page.cacheKey() != drawnKey_ || drawnBackground_ != picture_)
        DrawBackgrounds(picture_);
    Canvas c(BagPaintBox);
    QPainter& screen = c.painter();
    const int w = std::min(BagPaintBox->width(), page.width()), h = page.height(), top = BoxTop();
    screen.drawImage(QPoint(0, top), page, QRect(0, 0, w, h));
    if (top > 0)
        screen.drawImage(QRect(0, 0, w, top), topRow_, QRect(0, 0, w, 1));
    if (top + h < BagPaintBox->height())
        screen.drawImage(QRect(0, top + h, w, BagPaintBox->height() - top - h), bottomRow_, QRect(0, 0, w, 1));
    if (Animating()) {
        // The frame inverts what lies under it; the next frame is drawn on a
        // fresh copy of the page, which takes the old one away.
        c.SetOrigin(0, top);
        c.SetPen(0x000000, 1, PenStyle::Solid);
        c.SetPenMode(PenMode::NotXor);
        c.SetBrushStyle(BrushStyle::Clear);
        c.Rectangle(ZoomFrame(zoomFrom_, page.width(), page.height(), frame_));
    }
}
