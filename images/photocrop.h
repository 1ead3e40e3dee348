// From a picture to the 180 x 240 photo of a family-tree leaf: the
// enlargement of small pictures, the crop window and its zoom, the view the
// crop dialog shows and the photo cut from the source. No widgets, so that
// the command line and the tests use the very same arithmetic.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"   // Pixels24, kPhotoWidth, kPhotoHeight

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace photo {

/// No side of an enlarged picture may be longer than this.
inline constexpr int kMaxEnlargedSide = 16384;

/// The size a picture of \a picture pixels is enlarged to so that it covers
/// 180 x 240: its own size when it does already; else both sides times
/// max(180 / w, 240 / h), each rounded up. An empty size, or a result with a
/// side above kMaxEnlargedSide (a picture 1 x 1000 would need 180 x 180 000),
/// gives an invalid QSize and \a error (if given) says why.
QSize EnlargedSize(const QSize& picture, QString* error = nullptr);

/// \a picture stretched smoothly to EnlargedSize, as a 24-bit image; null
/// (and \a error) when refused.
QImage Enlarge(const QImage& picture, QString* error = nullptr);

/// The crop window of the crop dialog: which part of the source picture
/// becomes the photo. It is cw x ch source pixels (about 3 : 4), from 180 x
/// 240 at zoom 0 (fully zoomed in, one source pixel per photo pixel) to the
/// whole width (tall pictures) or height (wide pictures) at kZoomMax. It
/// always lies inside the picture, and zooming keeps its centre where it can.
class CropFrame {
public:
    /// The zoom slider's range; 0 is the top ("+").
    static constexpr int kZoomMax = 299;
    /// The dialog's view of the picture: twice the window each way.
    static constexpr int kViewWidth = 2 * kPhotoWidth;
    static constexpr int kViewHeight = 2 * kPhotoHeight;

    /// For a source at least 180 x 240 (smaller sides are taken as 180 and
    /// 240): fully zoomed in, the window centred (half the free room,
    /// rounded half to even).
    explicit CropFrame(const QSize& source = QSize(kPhotoWidth, kPhotoHeight));

    /// The window's size at zoom \a zoom (0..kZoomMax) over \a source.
    static QSize WindowSize(const QSize& source, int zoom);

    QSize Source() const { return source_; }
    int Zoom() const { return zoom_; }
    /// The window in source pixels.
    QRect Window() const { return QRect(x_, y_, cw_, ch_); }
    /// The room the window has: its left edge runs 0..MaxX(), its top 0..MaxY().
    int MaxX() const { return source_.width() - cw_; }
    int MaxY() const { return source_.height() - ch_; }

    /// Zooms about the window's centre; the window is then pushed back inside
    /// the picture where it would leave it. Out-of-range values are clamped.
    void SetZoom(int zoom);
    /// Moves the window's left (top) edge; clamped to 0..MaxX() (MaxY()).
    void SetX(int x);
    void SetY(int y);
    /// Drags the picture by (dx, dy) view pixels: the window moves the other
    /// way by dx · Fx() and dy · Fy() source pixels, rounded.
    void DragBy(int dx, int dy);

    /// Source pixels per view pixel.
    double Fx() const { return 2.0 * cw_ / kViewWidth; }
    double Fy() const { return 2.0 * ch_ / kViewHeight; }
    /// The source rectangle the view shows: twice the window, the window in
    /// its middle. It may reach past the picture; that part shows white.
    QRect ViewSource() const;
    /// Where the window lies in the view: the photo between the guide lines.
    static QRect ViewWindow() { return QRect(kPhotoWidth / 2, kPhotoHeight / 2, kPhotoWidth, kPhotoHeight); }

private:
    void place(std::int64_t centre2x, std::int64_t centre2y);

    QSize source_;
    int zoom_ = 0;
    int cw_ = kPhotoWidth, ch_ = kPhotoHeight;
    int x_ = 0, y_ = 0;
    // The window's centre, doubled so that it stays whole: zooming in and out
    // again comes back to the same place instead of creeping.
    std::int64_t centre2x_ = kPhotoWidth, centre2y_ = kPhotoHeight;
};

/// Draws the view of \a frame over \a source into \a work (kViewWidth x
/// kViewHeight, QImage::Format_RGB32, allocated by the caller once): white,
/// and ViewSource() stretched over it pixel by pixel (nearest source pixel,
/// no smoothing). Allocates nothing.
void RenderView(const QImage& source, const CropFrame& frame, QImage& work);

/// The photo: \a window of \a source scaled smoothly to 180 x 240, 24 bits.
/// A window of exactly 180 x 240 is copied pixel for pixel. Null when the
/// window does not lie inside the source.
QImage CropPhoto(const QImage& source, const QRect& window);

/// The record's photo format (rows top down, blue, green, red) and back.
Pixels24 ToPixels24(const QImage& image);
QImage FromPixels24(const Pixels24& pixels);

} // namespace photo
