// TKlasseForm, page 1: the class overview. Every pupil as a small portrait
// with the name under it, six to a row; from here a pupil's book, the class
// setup and the statistics are opened.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page.h"
#include "portrait.h"

#include <QLabel>
#include <QTableWidget>
#include <QTimer>

#include <array>
#include <string>
#include <vector>

class TKlasseForm : public Page {
    Q_OBJECT
public:
    TKlasseForm(PageHost& host, QWidget* parent);

    static constexpr int kColumns = 6;
    static constexpr int kRows = 50;

    SidePanel* Panel2;
    SpeedButton* StopSpeed;
    SpeedButton* ElevSpeed;
    SpeedButton* StatSpeed;
    SpeedButton* ToolSpeed;
    SpeedButton* HelpSpeed;
    PaintBox* KlassePaintBox;
    QWidget* ElevPanel;
    QLabel* ElevTopPanel;
    QTableWidget* ElevGrid;
    QLabel* SkolePanel;
    QTimer UpdateTimer;

    // ---- handlers ----
    void ElevSpeedClick();
    void ToolBmBtnClick();
    void StatSpeedClick();
    void StopBmBtnClick();
    void HelpBmBtnClick();
    /// Reloads the pupils whose files are newer than the class's reading time
    /// and repaints only their cells. Returns how many were reloaded.
    int UpdateTimerTimer();
    /// Selects cell (row, col); false (and nothing selected) past the pupils.
    bool ElevGridSelectCell(int col, int row);
    /// A key in the grid: the arrows, Home, End and the page keys move the
    /// selection from pupil to pupil (never past the last), Enter opens the
    /// selected pupil as ElevSpeed does. True when the key was used.
    bool ElevGridKeyDown(int key);
    /// Draws one cell into \a painter at \a rect.
    void ElevGridDrawCell(QPainter& painter, int col, int row, const QRect& rect, bool selected);

    /// The thumbnail of pupil i in a cell of \a size (for tests, benches and
    /// the faces on the statistics page).
    const QImage& Thumbnail(int i, QSize size, bool selected);
    /// The size of pupil i's picture in the grid (its cell less the grid
    /// lines): the size its thumbnail is kept at.
    QSize CellSize(int i) const;
    /// How many thumbnails were drawn afresh (cache misses).
    long ThumbnailsDrawn() const { return drawn_; }

    /// The overview prints its paint box, the class panel whole.
    QRect PrintArea() const override { return KlassePaintBox->geometry(); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void layoutPage() override;
    void pageShown() override;
    void pageHidden() override;

private:
    void KlassePaintBoxPaint();
    int visibleRows() const;
    void setGridGeometry();
    void drawUnreadable(QImage& image, const std::string& filNavn, bool selected);

    // A cell's thumbnail is drawn once and kept while everything it shows
    // is the same: the face, the name, the background and the size.
    struct CachedCell {
        PortraitParts parts{};
        std::string name;          ///< the nickname, or the file name of a damaged pupil
        bool unreadable = false;
        bool selected = false;
        QSize size;
        int pageHeight = 0;
        QImage image;
    };
    std::vector<CachedCell> cache_;
    long drawn_ = 0;
};
