// A person's photo, fitted.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "grenfoto.h"

#include "canvas.h"
#include "chrome.h"
#include "portrait.h"

#include <QPainter>

#include <cstring>

void GrenFotoView::Paint(QPaintDevice* device, const tElev& e, int i)
{
    const int w = device->width();
    const int h = MulDiv(w, 4, 3);
    if (w <= 0 || h <= 0)
        return;
    const tStamGren* g = e.Gren(i);
    if (!g || !e.GrenHarFoto(i)) {
        Canvas c(device);
        DrawPhotoFrame(c, {0, 0, w, h});
        return;
    }
    const std::uint8_t* photo = g->Foto.get();
    if (fitted_.size() != QSize(w, h) || source_.size() != kPhotoBytes
        || std::memcmp(source_.data(), photo, kPhotoBytes) != 0) {
        source_.assign(photo, photo + kPhotoBytes);
        // The stored rows are blue, green, red: Qt's BGR888, row after row.
        QImage stored(source_.data(), kPhotoWidth, kPhotoHeight, kPhotoWidth * 3, QImage::Format_BGR888);
        fitted_ = stored.convertToFormat(QImage::Format_RGB32);
        ResampleBitmap(fitted_, w, h);
        ++resamples_;
    }
    QPainter p(device);
    p.drawImage(QPoint(0, 0), fitted_);
}
