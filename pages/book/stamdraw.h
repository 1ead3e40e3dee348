// Drawing the family tree: the page background with its four labelled
// generation bands, one leaf with its two-coloured name, and the whole tree.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas.h"
#include "elev.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>

#include <array>

/// Generation rows: 0 the pupil's own generation (top) to 3; row 4 is the
/// strip at the bottom where the fresh leaf waits.
inline constexpr int kStamRows = 5;
inline constexpr int kStamStrip = 4;

/// Arial, without smoothing, whose cell (ascent plus descent) is at most
/// \a cell pixels high: the program asks for its fonts by cell height.
void FitCellFont(QFont& f, int cell);

/// The label of band \a row (0..3), as the page shows it.
QString StamBandLabel(int row);

/// Draws a band's label on one line, centred in \a band, its words spread
/// over the band's width (less a twentieth), with the painter's font and pen.
void DrawBandLabel(QPainter& p, const QRect& band, const QString& label);

/// How a leaf looks: the leaf picture (1..4) and the colour of its name.
struct LeafLook {
    int picture;
    Colour nameColour;
};
/// \a placed: a person in the tree (Art not 0); \a selected: Valgt.
LeafLook LeafAppearance(bool placed, bool selected);

/// The rectangle a leaf has in a page of W x H when its centre lies at
/// \a cx in \a row (what LayoutGrene computes).
IntRect LeafRectAt(int W, int H, int row, int cx);
/// Half the width of a leaf in a page H high.
int LeafHalfWidth(int H);
/// The band a point lies in: 0..4, or -1 in a gap between bands, above the
/// first one or outside the page.
int StamBandAt(int W, int H, int x, int y);

/// Draws the family tree's page. Keeps its fonts and work bitmaps, so
/// drawing again at the same size allocates no pixels.
class StamTegner {
public:
    /// The background of a page of W x H into \a page: layout "stam", then the
    /// four bands, each the blend of a white strip with its label and the
    /// layout beneath, weighted 4, 5, 6 and 7 from the top down (so the lower
    /// bands are fainter).
    void DrawBackground(QImage& page, int W, int H);

    /// One leaf into \a r: its picture, and \a name (may be empty) in black,
    /// then one pixel up and left in the leaf's name colour, both kept within
    /// \a r. \a H is the page height, which sets the size of the name.
    void DrawLeaf(QPainter& p, const IntRect& r, bool placed, bool selected, const QString& name, int H);

    /// The tree: \a background copied at (0, 0), then every leaf of \a e but
    /// \a skip (-1: none) in list order, so later leaves lie on top. A leaf of
    /// an unknown kind (Art 3 and up) is drawn as a placed person. With an
    /// \a area, only that part of the tree is drawn (a repaint of a leaf or
    /// two).
    void DrawTree(QPainter& p, const QImage& background, const tElev& e, int skip, const QRect& area = QRect());

    /// One step of a drag: in \a tree (the \a snapshot of the tree without
    /// the dragged leaf, with the leaf drawn at \a from), the leaf moves to
    /// \a to. Only the union of both rectangles is copied back from the
    /// snapshot and drawn; that union is returned, for the screen. Both
    /// bitmaps are 32-bit and of one size.
    QRect MoveLeaf(QImage& tree, const QImage& snapshot, const IntRect& from, const IntRect& to, bool placed,
                   const QString& name, int H);

private:
    QFont& nameFont(int H);
    /// The name in black with its coloured copy one pixel up and left, drawn
    /// once: a tree is drawn again far more often than its names change, and
    /// one-bit text is slow to lay out.
    const QImage& nameImage(const QString& name, Colour colour);
    /// Leaf picture \a n drawn once for leaves of \a size: every leaf of a
    /// tree has the same size, and a picture is slow to draw.
    const QImage& leafImage(int n, QSize size);

    QImage T_, S_, O_;   // text band, background strip, blend
    QFont labelFont_;
    int labelFontCell_ = -1;
    int labelFontWidth_ = -1;
    QFont nameFont_;
    int nameFontCell_ = -1;
    QHash<QString, QImage> names_[4];   // by leaf picture 1..4
    QImage leaves_[4];
    const void* leafPicture_[4] = {};   // what each was drawn from
};
