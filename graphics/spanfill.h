// Scanline filling of 32-bit images for the canvas: even-odd polygons, boxes,
// ellipses and rounded boxes, one-pixel and wide outlines, painted with a
// solid colour, an 8 x 8 tile aligned to the image origin, or a colour ramp.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QRgb>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace spanfill {

/// What the pixels of a span become.
struct Paint {
    enum Kind : std::uint8_t { Solid, Tile, RampX, RampY };
    Kind kind = Solid;
    QRgb colour = 0xFF000000;
    /// Tile: 8 rows of 8 pixels; pixel (x, y) takes tile[(y & 7) * 8 + (x & 7)].
    const QRgb* tile = nullptr;
    /// RampX (RampY): pixel (x, y) takes ramp[x - rampStart] (ramp[y - rampStart]);
    /// outside the ramp it repeats, as a texture would.
    const QRgb* ramp = nullptr;
    int rampStart = 0;
    int rampLength = 0;
};

/// The pixels painted on: rows of 32-bit pixels, and the box (device
/// pixels, inside the image) that no write leaves.
struct Target {
    std::uint32_t* bits = nullptr;
    std::ptrdiff_t stride = 0;   ///< pixels from one row to the next
    QRect clip;
    QRect device;                ///< the whole image (where lines are cut)
};

/// Paints pixels [x0, x1) of row y, kept inside the target's clip.
void PaintSpan(const Target& target, int y, int x0, int x1, const Paint& paint);

/// Shapes in device pixels. Boxes follow the Windows convention: (l, t, r, b)
/// covers columns l..r-1 and rows t..b-1. Polygons follow the raster rule of
/// Qt's aliased fills, so both draw the same pixels: a pixel is inside when
/// its centre lies right of a left edge (ties out) and on or left of a right
/// edge (ties in), likewise top and bottom; filling alternates at each edge.
///
/// One Filler keeps the work lists; they only ever grow, so once the largest
/// shape has been drawn a call allocates nothing.
class Filler {
public:
    /// The box (l, t, r, b), l <= r and t <= b.
    void Box(const Target& t, int l, int top, int r, int b, const Paint& p);
    /// A frame of \a width pixels inside the box.
    void BoxFrame(const Target& t, int l, int top, int r, int b, int width, const Paint& p);

    /// An even-odd polygon through integer points moved by \a offset.
    void Polygon(const Target& t, const QPoint* points, int count, QPoint offset, const Paint& p);

    /// The ellipse (rounded box with corner diameters \a cw x \a ch) that fits
    /// the box: with \a penWidth 0 all of it in \a fill; otherwise the outer
    /// \a penWidth pixels in \a pen and the rest in \a fill (null: left alone).
    void Ellipse(const Target& t, int l, int top, int r, int b, int penWidth, const Paint* pen, const Paint* fill);
    void RoundBox(const Target& t, int l, int top, int r, int b, int cw, int ch, int penWidth, const Paint* pen,
                  const Paint* fill);

    /// The one-pixel line through the points (moved by \a offset) as Qt's
    /// aliased cosmetic pen draws it: closed for polygon outlines, else open
    /// with its last point drawn.
    void ThinPath(const Target& t, const QPoint* points, int count, bool closed, QPoint offset, const Paint& p);
    /// A pen \a width pixels wide (2 or more) along the points, with round
    /// joins and round ends.
    void WidePath(const Target& t, const QPoint* points, int count, bool closed, int width, QPoint offset,
                  const Paint& p);

private:
    struct Edge {
        std::int64_t x;      ///< 16.16, half a pixel added, in the row at hand: the crossing pixel is x >> 16
        std::int64_t step;   ///< added per row
        int top, bottom;     ///< first and last row
    };
    struct Row {
        int x0, x1;          ///< [x0, x1); empty when x0 >= x1
    };

    /// Makes room for \a count edges, forgetting those there were.
    void beginEdges(std::size_t count);
    /// Adds the edge from a to b, both in 1/64 pixels.
    void addEdge(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by);
    /// Fills what the edges enclose, even-odd, and forgets them.
    void fillEdges(const Target& t, const Paint& p);
    /// Rows y..last of a band in which the active edges neither start, end
    /// nor change order; steps them past the band.
    void paintBand(const Target& t, int y, int last, const Paint& p);
    template <std::size_t K>
    static void stepBand(const Target& t, int y, int last, const Paint& p, Edge* const* active);
    /// A convex polygon of real points (wide pens).
    void convex(const Target& t, const double* xy, int count, const Paint& p);
    void disc(const Target& t, double cx, double cy, double radius, const Paint& p);
    /// Per row of [top, bottom): the span of a rounded box (ellipse when the
    /// corners take the whole box) fitted to the real box (l, t, r, b).
    void roundRows(int top, int bottom, double l, double t, double r, double b, double rx, double ry,
                   std::vector<Row>& rows);
    /// Paints the rows of a shape, its outer \a penWidth pixels in pen.
    void paintRing(const Target& t, int top, const std::vector<Row>& outer, const std::vector<Row>* inner,
                   int penWidth, const Paint* pen, const Paint* fill);

    std::vector<Edge> edges_;   ///< the first edgeCount_ are in use
    std::size_t edgeCount_ = 0;
    std::vector<Edge*> active_;
    std::vector<Row> outer_, inner_;
};

/// The work lists shared by every canvas of the (single) painting thread.
Filler& SharedFiller();

} // namespace spanfill
