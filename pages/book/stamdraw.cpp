// The family tree's drawing.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stamdraw.h"

#include "chrome.h"
#include "portrait.h"
#include "qansi.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

const char* const kBandLabels[4] = {
    "søster - bror - Tinkeli - fætter - kusine",
    "tante - onkel - mor - far - moster - farbror",
    "bedstemor - bedstefar",
    "oldemor - oldefar",
};

// A font whose cell (ascent plus descent) is at most \a cell pixels high, as
// the program asks for its fonts by cell height.
void fitFont(QFont& f, int cell)
{
    f = QFont(QStringLiteral("Arial"));
    f.setStyleStrategy(QFont::NoAntialias);
    int px = std::max(1, cell * 87 / 100);
    f.setPixelSize(px);
    while (px > 1 && QFontMetrics(f).height() > cell)
        f.setPixelSize(--px);
}

// A page narrower than the design cannot take the widest label at the band's
// height: the labels get smaller rather than cut off at both ends.
void narrowToLabels(QFont& f, int width)
{
    int px = f.pixelSize();
    auto widest = [&] {
        const QFontMetrics fm(f);
        int w = 0;
        for (int k = 0; k < 4; ++k)
            w = std::max(w, fm.horizontalAdvance(StamBandLabel(k)));
        return w;
    };
    while (px > 6 && widest() > width)
        f.setPixelSize(--px);
}

// Copies a strip of a 32-bit page into a 24-bit bitmap, and back.
void stripOut(const QImage& page, int y, QImage& out)
{
    if (page.depth() != 32) {
        QPainter p(&out);
        p.drawImage(QPoint(0, 0), page, QRect(0, y, out.width(), out.height()));
        return;
    }
    for (int r = 0; r < out.height(); ++r) {
        const QRgb* src = reinterpret_cast<const QRgb*>(page.constScanLine(y + r));
        uchar* dst = out.scanLine(r);
        for (int x = 0; x < out.width(); ++x) {
            dst[3 * x] = uchar(qRed(src[x]));
            dst[3 * x + 1] = uchar(qGreen(src[x]));
            dst[3 * x + 2] = uchar(qBlue(src[x]));
        }
    }
}

void stripIn(QImage& page, int y, const QImage& in)
{
    if (page.depth() != 32) {
        QPainter p(&page);
        p.drawImage(QPoint(0, y), in);
        return;
    }
    for (int r = 0; r < in.height(); ++r) {
        const uchar* src = in.constScanLine(r);
        QRgb* dst = reinterpret_cast<QRgb*>(page.scanLine(y + r));
        for (int x = 0; x < in.width(); ++x)
            dst[x] = qRgb(src[3 * x], src[3 * x + 1], src[3 * x + 2]);
    }
}

} // namespace

QString StamBandLabel(int row)
{
    return row >= 0 && row < 4 ? QString::fromUtf8(kBandLabels[row]) : QString();
}

LeafLook LeafAppearance(bool placed, bool selected)
{
    if (placed)
        return selected ? LeafLook{2, 0x008000} : LeafLook{1, 0xC0DCC0};
    return selected ? LeafLook{4, 0x000080} : LeafLook{3, 0x00FFFF};
}

IntRect LeafRectAt(int W, int H, int row, int cx)
{
    (void)W;
    const int u = H / 10, h = u / 2, m = u / 10;
    const int cy = row * 2 * u + u + h;
    return {cx - u + m, cy - h + m, cx + u - m, cy + h - m};
}

int LeafHalfWidth(int H)
{
    const int u = H / 10;
    return u - u / 10;
}

int StamBandAt(int W, int H, int x, int y)
{
    if (x < 0 || x >= W || y < 0 || y >= H)
        return -1;
    const int d = H / 10;
    for (int row = 0; row < kStamRows; ++row)
        if (y >= (2 * row + 1) * d && y < (2 * row + 2) * d)
            return row;
    return -1;
}

void StamTegner::DrawBackground(QImage& page, int W, int H)
{
    {
        Canvas c(&page);
        DrawPageLayout(c, "stam");
    }
    const int d = H / 10;
    W = std::min(W, page.width());
    if (d <= 0 || W <= 0 || 8 * d > page.height())
        return;
    for (QImage* img : {&T_, &S_, &O_})
        if (img->size() != QSize(W, d) || img->format() != QImage::Format_RGB888)
            *img = QImage(W, d, QImage::Format_RGB888);
    if (labelFontCell_ != d / 2 || labelFontWidth_ != W) {
        fitFont(labelFont_, d / 2);
        narrowToLabels(labelFont_, W);
        labelFontCell_ = d / 2;
        labelFontWidth_ = W;
    }
    for (int k = 0; k < 4; ++k) {
        const int y = (2 * k + 1) * d;
        stripOut(page, y, S_);
        T_.fill(Qt::white);
        {
            QPainter p(&T_);
            p.setFont(labelFont_);
            p.setPen(Qt::black);
            p.drawText(QRect(0, 0, W, d), Qt::AlignCenter | Qt::TextSingleLine, StamBandLabel(k));
        }
        BlendBitmaps(T_, S_, O_, 4 + k);
        stripIn(page, y, O_);
    }
}

QFont& StamTegner::nameFont(int H)
{
    if (nameFontCell_ != H / 30) {
        nameFontCell_ = H / 30;
        fitFont(nameFont_, std::max(1, nameFontCell_));
    }
    return nameFont_;
}

void StamTegner::DrawLeaf(Canvas& c, const IntRect& r, bool placed, bool selected, const QString& name, int H)
{
    const LeafLook look = LeafAppearance(placed, selected);
    ::DrawLeaf(c, look.picture, r);
    if (name.isEmpty())
        return;
    QPainter& p = c.painter();
    p.setFont(nameFont(H));
    p.setBrush(Qt::NoBrush);
    const QRect box(r.left, r.top, r.right - r.left, r.bottom - r.top);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    p.setPen(Qt::black);
    p.drawText(box, flags, name);
    p.setPen(ToQColor(look.nameColour));
    p.drawText(box.translated(-1, -1), flags, name);
}

void StamTegner::DrawTree(Canvas& c, const QImage& background, const tElev& e, int skip)
{
    c.Draw(0, 0, background);
    const int H = background.height();
    for (int i = 0; i < e.GrenCount(); ++i) {
        if (i == skip)
            continue;
        const tStamGren& g = *e.Gren(i);
        DrawLeaf(c, g.Rect, g.Art != 0, g.Valgt, ansi::ToQString(g.Bladnavn), H);
    }
}
