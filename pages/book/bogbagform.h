// TBogBagForm, page 17: the poetry book's background. The chosen one fills
// the page, the nine others lie as small framed pictures on its left; a
// click on one zooms it up to the page and makes it the choice.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bogbaggrund.h"
#include "page.h"

#include <QImage>
#include <QTimer>

class TBogBagForm : public Page {
    Q_OBJECT
public:
    TBogBagForm(PageHost& host, QWidget* parent);

    // Components, by their names in the program.
    SidePanel* Panel2;
    SpeedButton* BackSpeed;
    PaintBox* BagPaintBox;

    void BackSpeedClick();
    /// The pointer is a hand over a thumbnail that can be chosen.
    void BagPaintBoxMouseMove(const QPoint& p);
    void BagPaintBoxMouseDown(const QPoint& p);
    /// Chooses the topmost thumbnail under the point the mouse went down at.
    void BagPaintBoxClick();

    /// The thumbnails' places on the page bitmap, for the current page size.
    ThumbnailRects Thumbnails() const;
    /// The background shown (1 to 10); the chosen one has no thumbnail.
    int ShownBackground() const { return shown_; }
    /// Draws the background \a n over the page bitmap and the nine other
    /// thumbnails over it.
    void DrawBackgrounds(int n);

    /// Tests switch the zoom off: a choice then shows at once.
    void SetAnimation(bool on) { animate_ = on; }
    bool Animating() const { return frame_ >= 0; }
    /// The zoom frame on screen, 0 to 39; -1 when none.
    int AnimationFrame() const { return frame_; }
    QTimer& ZoomTimer() { return zoomTimer_; }
    /// One step of the zoom: the next frame, or after the last the new
    /// background.
    void ZoomTimerTimer();
    /// How often the backgrounds were drawn (for tests).
    int BackgroundDraws() const { return backgroundDraws_; }

    QRect PrintArea() const override;

protected:
    void layoutPage() override;
    void pageShown() override;
    void pageHidden() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BagPaintBoxPaint();
    void stopZoom();

    int shown_ = 1;
    /// The background the picture shows: during the zoom still the old one.
    int picture_ = 1;
    int drawnBackground_ = 0;
    qint64 drawnKey_ = 0;
    int backgroundDraws_ = 0;
    /// Page size: one layout at a time, before it is shrunk to a thumbnail.
    QImage work_;
    /// The chosen background's first and last rows, drawn out above and
    /// below the design box on a page taller than the design.
    QImage topRow_, bottomRow_;

    QPoint down_;
    bool pressed_ = false;

    bool animate_ = true;
    int frame_ = -1;
    IntRect zoomFrom_;
    QTimer zoomTimer_;
};
