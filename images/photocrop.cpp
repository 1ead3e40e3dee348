// Enlarging, the crop window and the photo cut from it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "photocrop.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace photo {

namespace {

// Rounds to the nearest integer, halves to the even one.
int roundEven(double v)
{
    return int(std::nearbyint(v));
}

std::int64_t floorHalf(std::int64_t v)
{
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

// A window onto the source's pixels, without copying them.
QImage region(const QImage& source, const QRect& r)
{
    return QImage(source.constScanLine(r.top()) + std::size_t(r.left()) * (source.depth() / 8), r.width(),
                  r.height(), source.bytesPerLine(), source.format());
}

} // namespace

QSize EnlargedSize(const QSize& picture, QString* error)
{
    const std::int64_t pw = picture.width(), ph = picture.height();
    if (pw < 1 || ph < 1) {
        if (error)
            *error = QStringLiteral("Billedet har ingen punkter.");
        return {};
    }
    if (pw >= kPhotoWidth && ph >= kPhotoHeight)
        return picture;
    // scale = max(180 / pw, 240 / ph), compared without division: the
    // width binds when 180 · ph >= 240 · pw.
    std::int64_t w, h;
    if (kPhotoWidth * ph >= kPhotoHeight * pw) {
        w = kPhotoWidth;
        h = (ph * kPhotoWidth + pw - 1) / pw;
    } else {
        h = kPhotoHeight;
        w = (pw * kPhotoHeight + ph - 1) / ph;
    }
    if (w > kMaxEnlargedSide || h > kMaxEnlargedSide) {
        if (error)
            *error = QStringLiteral("Billedet er for aflangt til et foto: %1 × %2 punkter.").arg(pw).arg(ph);
        return {};
    }
    return QSize(int(w), int(h));
}

QImage Enlarge(const QImage& picture, QString* error)
{
    const QSize size = EnlargedSize(picture.size(), error);
    if (!size.isValid())
        return {};
    QImage out = size == picture.size()
                     ? picture.convertToFormat(QImage::Format_RGB888)
                     : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_RGB888);
    if (out.isNull() && error)
        *error = QStringLiteral("Der var ikke hukommelse nok til billedet.");
    return out;
}

// ---- the crop window ---------------------------------------------------------------

CropFrame::CropFrame(const QSize& source)
    : source_(source.expandedTo(QSize(kPhotoWidth, kPhotoHeight)))
{
    // Half the free room, rounded half to even, as the scroll bars start.
    auto half = [](int room) { return room % 2 == 0 || (room / 2) % 2 == 0 ? room / 2 : room / 2 + 1; };
    x_ = half(MaxX());
    y_ = half(MaxY());
    centre2x_ = 2 * std::int64_t(x_) + cw_;
    centre2y_ = 2 * std::int64_t(y_) + ch_;
}

QSize CropFrame::WindowSize(const QSize& source, int zoom)
{
    const int bw = std::max(source.width(), int(kPhotoWidth));
    const int bh = std::max(source.height(), int(kPhotoHeight));
    const int z = kZoomMax - std::clamp(zoom, 0, kZoomMax);
    if (3 * std::int64_t(bh) >= 4 * std::int64_t(bw)) {
        // As tall as the frame or taller: the width runs from 180 to all of it.
        const double s = double(kPhotoWidth - bw) / kZoomMax * z + bw;
        return QSize(roundEven(s), roundEven(s * 4 / 3));
    }
    const double s = double(kPhotoHeight - bh) / kZoomMax * z + bh;
    return QSize(roundEven(s * 3 / 4), roundEven(s));
}

void CropFrame::place(std::int64_t centre2x, std::int64_t centre2y)
{
    const std::int64_t x = floorHalf(centre2x - cw_), y = floorHalf(centre2y - ch_);
    x_ = int(std::clamp<std::int64_t>(x, 0, MaxX()));
    y_ = int(std::clamp<std::int64_t>(y, 0, MaxY()));
    // Where the picture's edge pushed the window, its centre moved with it.
    centre2x_ = x_ == x ? centre2x : 2 * std::int64_t(x_) + cw_;
    centre2y_ = y_ == y ? centre2y : 2 * std::int64_t(y_) + ch_;
}

void CropFrame::SetZoom(int zoom)
{
    zoom_ = std::clamp(zoom, 0, kZoomMax);
    const QSize w = WindowSize(source_, zoom_);
    cw_ = w.width();
    ch_ = w.height();
    place(centre2x_, centre2y_);
}

void CropFrame::SetX(int x)
{
    x_ = std::clamp(x, 0, MaxX());
    centre2x_ = 2 * std::int64_t(x_) + cw_;
}

void CropFrame::SetY(int y)
{
    y_ = std::clamp(y, 0, MaxY());
    centre2y_ = 2 * std::int64_t(y_) + ch_;
}

void CropFrame::DragBy(int dx, int dy)
{
    SetX(int(std::clamp(x_ - std::nearbyint(dx * Fx()), 0.0, double(MaxX()))));
    SetY(int(std::clamp(y_ - std::nearbyint(dy * Fy()), 0.0, double(MaxY()))));
}

QRect CropFrame::ViewSource() const
{
    return QRect(x_ - cw_ / 2, y_ - ch_ / 2, 2 * cw_, 2 * ch_);
}

// ---- pixels -------------------------------------------------------------------------

void RenderView(const QImage& source, const CropFrame& frame, QImage& work)
{
    if (work.width() != CropFrame::kViewWidth || work.height() != CropFrame::kViewHeight
        || work.format() != QImage::Format_RGB32)
        work = QImage(CropFrame::kViewWidth, CropFrame::kViewHeight, QImage::Format_RGB32);
    const QRect s = frame.ViewSource();
    const int bw = source.width(), bh = source.height();
    const bool packed = source.format() == QImage::Format_RGB888;
    const QRgb white = qRgb(255, 255, 255);
    // Each view pixel takes the source pixel under its centre.
    for (int vy = 0; vy < CropFrame::kViewHeight; ++vy) {
        QRgb* d = reinterpret_cast<QRgb*>(work.scanLine(vy));
        const int sy = s.top() + int((std::int64_t(2 * vy + 1) * s.height()) / (2 * CropFrame::kViewHeight));
        if (sy < 0 || sy >= bh) {
            std::fill(d, d + CropFrame::kViewWidth, white);
            continue;
        }
        const uchar* row = source.constScanLine(sy);
        for (int vx = 0; vx < CropFrame::kViewWidth; ++vx) {
            const int sx = s.left() + int((std::int64_t(2 * vx + 1) * s.width()) / (2 * CropFrame::kViewWidth));
            if (sx < 0 || sx >= bw)
                d[vx] = white;
            else if (packed)
                d[vx] = qRgb(row[3 * sx], row[3 * sx + 1], row[3 * sx + 2]);
            else
                d[vx] = source.pixel(sx, sy) | 0xFF000000u;
        }
    }
}

QImage CropPhoto(const QImage& source, const QRect& window)
{
    if (source.isNull() || window.isEmpty() || !source.rect().contains(window))
        return {};
    const QImage part = region(source, window);
    QImage scaled = window.size() == QSize(kPhotoWidth, kPhotoHeight)
                        ? part
                        : part.scaled(kPhotoWidth, kPhotoHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // A picture of its own, whatever the source's format, and nothing of the
    // source's metadata.
    const QImage rgb = scaled.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        return {};
    QImage out(kPhotoWidth, kPhotoHeight, QImage::Format_RGB888);
    if (out.isNull())
        return {};
    for (int y = 0; y < kPhotoHeight; ++y)
        std::memcpy(out.scanLine(y), rgb.constScanLine(y), std::size_t(kPhotoWidth) * 3);
    return out;
}

Pixels24 ToPixels24(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Pixels24 p(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* s = rgb.constScanLine(y);
        std::uint8_t* d = p.pixel(0, y);
        for (int x = 0; x < rgb.width(); ++x, s += 3, d += 3) {
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        }
    }
    return p;
}

QImage FromPixels24(const Pixels24& pixels)
{
    if (pixels.width < 1 || pixels.height < 1
        || pixels.data.size() != std::size_t(pixels.width) * pixels.height * 3)
        return {};
    QImage out(pixels.width, pixels.height, QImage::Format_RGB888);
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* s = pixels.pixel(0, y);
        uchar* d = out.scanLine(y);
        for (int x = 0; x < pixels.width; ++x, s += 3, d += 3) {
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        }
    }
    return out;
}

} // namespace photo
