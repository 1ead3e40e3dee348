// THobbyForm, page 13: the hobbies the class offers, of which the pupil
// ticks his or her own.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page.h"

#include <QImage>
#include <QLabel>

#include <array>

class ClickBox;

class THobbyForm : public Page {
    Q_OBJECT
public:
    THobbyForm(PageHost& host, QWidget* parent);

    // Components, by their names in the program.
    SidePanel* Panel2;
    SpeedButton* BackSpeed;
    PaintBox* HobbyPaintBox;
    QWidget* ElevPanel;
    QLabel* HobbyTopPanel;
    QLabel* HobbyBundPanel;
    ClickBox* ValgPaintBox;

    // ---- handlers ----
    void ValgPaintBoxMouseDown(QPoint p);
    /// Toggles the hobby whose picture holds the point of the last press.
    void ValgPaintBoxClick();
    void BackSpeedClick();

    /// The offered hobbies in the grid's order; their number.
    int OfferedCount() const;
    /// Hobby number of grid cell \a index (0-based), 0 beyond the offer.
    int HobbyAt(int index) const;
    /// Rows of the grid: three, or more when a class file offers more than 15.
    int Rows() const;
    /// Cell \a index's rectangle in ValgPaintBox's coordinates.
    QRect CellRect(int index) const;
    /// The height of the name band under each picture ("A" in the box's font).
    int TextHeight() const;

    /// The cell with the keyboard's focus (0-based).
    int CurrentCell() const { return current_; }
    /// The area the box painted last time (tests: only a toggled cell is drawn
    /// again).
    QRect LastPaintRect() const { return lastPaint_; }

    /// The page right of its only button column, from top to bottom.
    QRect PrintArea() const override;

protected:
    void layoutPage() override;
    void pageShown() override;

private:
    void HobbyPaintBoxPaint();
    void ValgPaintBoxPaint(QPaintEvent* e);
    void drawCell(int index, const QRect& cell, bool focusFrame);
    bool ValgPaintBoxKey(QKeyEvent* e);
    void setCurrent(int index);
    /// Fills offered_ from the class; returns the count.
    int collectOffered() const;

    QPoint mouseDown_;
    int current_ = 0;
    QRect lastPaint_;
    QFont cellFont_;
    QImage cellImage_;   // one cell at a time, kept between paints
    mutable std::array<int, 50> offered_{};
};
