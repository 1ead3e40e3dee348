// TStamForm, page 14: the family tree. The pupil drags a fresh leaf from the
// strip at the bottom into one of four generation bands, moves leaves between
// bands and drags them back into the strip to delete them; a selected
// person's photo and names show in the left column, and RedigerSpeed opens
// the branch page for that person.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grenfoto.h"
#include "page.h"
#include "stamdraw.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPoint>

class QMouseEvent;

class TStamForm : public Page {
    Q_OBJECT
public:
    TStamForm(PageHost& host, QWidget* parent);

    // Components, by their names in the program.
    SidePanel* Panel2;
    SpeedButton* BackSpeed;
    SpeedButton* RedigerSpeed;
    QFrame* DataPanel;
    PaintBox* DataPaintBox;
    QLabel* NavnePanel;
    QLabel* ErMinPanel;
    /// The tree: the page right of the column. Drawn off-screen and copied.
    PaintBox* StamPaintBox;

    /// Deselects, saves the pupil if changed and shows the student page.
    void BackSpeedClick();
    /// The branch page, for the selected person (left selected in the record).
    void RedigerSpeedClick();

    /// Selects person \a i, as a click on its leaf does (nothing when out of
    /// range).
    void SelectGren(int i);
    void DeselectAll();
    /// The person whose leaf is on top at \a p (paint box coordinates), or -1.
    int HitTest(QPoint p) const;
    /// The selected person, or -1.
    int Selected() const { return valgt_; }
    bool Dragging() const { return dragging_; }

    /// The size the leaves are laid out for: the paint box.
    int TreeWidth() const { return StamPaintBox->width(); }
    int TreeHeight() const { return StamPaintBox->height(); }

    /// How the page treats a stored leaf: a kind beyond the known ones is a
    /// placed person; a row beyond the strip is the strip, and a fresh leaf
    /// always waits in the strip.
    static int ShownArt(int art) { return art > 2 ? 2 : art; }
    static int ShownRow(int art, int raekke) { return art == 0 || raekke > kStamStrip ? kStamStrip : raekke; }
    /// The centre a leaf may have: the whole leaf on the page.
    int KeepCentreOnPage(double cx) const;

    /// The person's leaves as the page shows them; the record's Rect of
    /// every leaf is set, nothing else.
    void LayoutLeaves();

    QRect PrintArea() const override;

    /// How often the whole tree, and the background, were drawn (for tests).
    int TreeDraws() const { return treeDraws_; }
    int BackgroundDraws() const { return backgroundDraws_; }

protected:
    void layoutPage() override;
    void pageShown() override;
    void pageHidden() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void StamPaintBoxPaint(QPaintEvent* e);
    void DataPaintBoxPaint();
    void StamPaintBoxMouseDown(QMouseEvent* e);
    void StamPaintBoxMouseMove(QMouseEvent* e);
    void StamPaintBoxMouseUp(QMouseEvent* e);
    void StamPaintBoxDragOver(QPoint p);
    void StamPaintBoxEndDrag(QPoint p);
    void BeginDrag();
    void CancelDrag();
    /// Asks before a person with a photo or any text is deleted.
    bool MayDelete(int i);
    void InvalidateLeaf(int i);
    /// The page bitmap holds this page's background.
    bool EnsureBackground();
    tElev* Elev() const;

    StamTegner tegner_;
    GrenFotoView foto_;
    // Only while a leaf is dragged: the tree without it, and that snapshot
    // with the leaf where it is now (what the screen shows).
    QImage snapshot_;
    QImage tree_;
    bool backgroundValid_ = false;
    qint64 backgroundKey_ = 0;
    int valgt_ = -1;
    QPoint last_;          // the last mouse point
    QPoint pressPoint_;    // where the button went down
    bool pressed_ = false;
    bool dragging_ = false;
    IntRect dragStart_;    // the dragged leaf's rectangle when the drag began
    int treeDraws_ = 0;
    int backgroundDraws_ = 0;
};
