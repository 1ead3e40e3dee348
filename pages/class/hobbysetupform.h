// THobbySetupForm, page 12: the teacher picks at most 15 of the 50 hobbies
// for the class's pupils to choose from. Leaving the page saves the class.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page.h"

#include <QImage>
#include <QLabel>

class ClickBox;
class QScrollBar;

class THobbySetupForm : public Page {
    Q_OBJECT
public:
    THobbySetupForm(PageHost& host, QWidget* parent);

    /// The most hobbies a class offers.
    static constexpr int kMaxTilbudt = 15;
    static constexpr int kColumns = 5;
    static constexpr int kRows = 10;

    // Components, by their names in the program.
    SidePanel* Panel2;
    SpeedButton* BackSpeed;
    PaintBox* HobbyPaintBox;
    QWidget* ElevPanel;
    QLabel* HobbyTopPanel;
    QLabel* StatusPanel;
    /// The grid's window: the visible part of the grid and its scroll bar.
    QWidget* ValgScrollBox;
    ClickBox* ValgPaintBox;
    QScrollBar* ValgScrollBar;

    // ---- handlers ----
    void ValgPaintBoxMouseDown(QPoint p);
    /// Offers or withdraws the hobby under the last press; beeps instead of
    /// offering a sixteenth.
    void ValgPaintBoxClick();
    void BackSpeedClick();

    bool SaveWork() override;

    /// Side of a cell in pixels.
    int CellSize() const { return cell_; }
    /// Hobby \a n's cell (1..50) in the whole grid, ten rows of five.
    QRect CellRect(int n) const;
    /// The same cell in ValgPaintBox's coordinates: moved up by the scroll
    /// position.
    QRect CellOnScreen(int n) const;
    /// The hobby whose cell holds \a p (grid coordinates), 0 for none.
    int HobbyAtPoint(QPoint p) const;
    /// How far the grid is scrolled up, in pixels.
    int ScrollTop() const;
    int TextHeight() const;
    /// "k af 15 valgt" in its colour.
    void UpdateStatus();
    /// How often a sixteenth hobby was refused (with a beep).
    int Beeps() const { return beeps_; }
    int CurrentHobby() const { return current_; }
    /// The area the box painted last time, in its own coordinates.
    QRect LastPaintRect() const { return lastPaint_; }

    /// The page right of its only button column, from top to bottom.
    QRect PrintArea() const override;

protected:
    void layoutPage() override;
    void pageShown() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void HobbyPaintBoxPaint();
    void ValgPaintBoxPaint(QPaintEvent* e);
    void drawCell(int n, const QRect& cell, bool focusFrame);
    bool ValgPaintBoxKey(QKeyEvent* e);
    void toggle(int n);
    void setCurrent(int n, bool scroll);
    void sizeGrid();
    void scrollTo(int top);

    QPoint mouseDown_;   // in grid coordinates
    int cell_ = 1;
    int shownTop_ = 0;   // the scroll position the box shows
    int current_ = 1;
    int beeps_ = 0;
    QRect lastPaint_;
    QFont cellFont_;
    QImage cellImage_;   // one cell at a time, kept between paints
};
