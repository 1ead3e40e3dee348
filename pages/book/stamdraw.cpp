// The family tree's drawing.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stamdraw.h"

#include "chrome.h"
#include "drawing.h"
#include "portrait.h"
#include "qansi.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const char* const kBandLabels[4] = {
    "søster - bror - Tinkeli - fætter - kusine",
    "tante - onkel - mor - far - moster - farbror",
    "bedstemor - bedstefar",
    "oldemor - oldefar",
};

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

// Copies the rows of \a area from one 32-bit image of the same size to another.
void copyArea(const QImage& from, QImage& to, const QRect& area)
{
    const QRect a = area.intersected(to.rect()).intersected(from.rect());
    if (a.isEmpty() || from.depth() != 32 || to.depth() != 32)
        return;
    for (int y = a.top(); y <= a.bottom(); ++y)
        std::memcpy(to.scanLine(y) + 4 * a.left(), from.constScanLine(y) + 4 * a.left(), std::size_t(4) * a.width());
}

QRect toQRect(const IntRect& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

} // namespace

void FitCellFont(QFont& f, int cell)
{
    f = QFont(QStringLiteral("Arial"));
    f.setStyleStrategy(QFont::NoAntialias);
    int px = std::max(1, cell * 87 / 100);
    f.setPixelSize(px);
    while (px > 1 && QFontMetrics(f).height() > cell)
        f.setPixelSize(--px);
}

void DrawBandLabel(QPainter& p, const QRect& band, const QString& label)
{
    // The words share out the band's width, centred as one line: the trunk
    // in the middle and the leaves near it would hide a label packed in the
    // middle, and spread out most words lie on open branches and sky.
    const QStringList words = label.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QFontMetrics fm(p.font());
    int inked = 0;
    for (const QString& w : words)
        inked += fm.horizontalAdvance(w);
    const int gaps = int(words.size()) - 1;
    const int room = band.width() - band.width() / 20;
    const int space = fm.horizontalAdvance(QLatin1Char(' '));
    const int gap = gaps > 0 ? std::max(space, (room - inked) / gaps) : 0;
    int x = band.left() + (band.width() - (inked + gap * std::max(0, gaps))) / 2;
    for (const QString& w : words) {
        const int wide = fm.horizontalAdvance(w);
        p.drawText(QRect(x, band.top(), wide, band.height()), Qt::AlignCenter | Qt::TextSingleLine, w);
        x += wide + gap;
    }
}

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
        FitCellFont(labelFont_, d / 2);
        narrowToLabels(labelFont_, W - W / 20);
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
            DrawBandLabel(p, QRect(0, 0, W, d), StamBandLabel(k));
        }
        BlendBitmaps(T_, S_, O_, 4 + k);
        stripIn(page, y, O_);
    }
}

QFont& StamTegner::nameFont(int H)
{
    if (nameFontCell_ != H / 30) {
        nameFontCell_ = H / 30;
        FitCellFont(nameFont_, std::max(1, nameFontCell_));
        for (auto& cache : names_)
            cache.clear();
    }
    return nameFont_;
}

const QImage& StamTegner::nameImage(const QString& name, Colour colour)
{
    QHash<QString, QImage>& cache = names_[colour == 0xC0DCC0 ? 0 : colour == 0x008000 ? 1 : colour == 0x00FFFF ? 2 : 3];
    auto it = cache.constFind(name);
    if (it == cache.constEnd()) {
        if (cache.size() >= 256)
            cache.clear();
        const QFontMetrics fm(nameFont_);
        const int w = fm.horizontalAdvance(name) + 1, h = fm.height() + 1;
        QImage img(std::max(1, w), std::max(1, h), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setFont(nameFont_);
            const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
            p.setPen(Qt::black);
            p.drawText(QRect(1, 1, w - 1, h - 1), flags, name);
            p.setPen(ToQColor(colour));
            p.drawText(QRect(0, 0, w - 1, h - 1), flags, name);
        }
        it = cache.insert(name, img);
    }
    return *it;
}

const QImage& StamTegner::leafImage(int n, QSize size)
{
    QImage& img = leaves_[n - 1];
    // A picture read anew (a page of another size) is drawn anew.
    const Picture* picture = FindPicture(std::string_view(LeafPictureName(n)));
    if (img.size() != size || leafPicture_[n - 1] != picture) {
        img = QImage(size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        Canvas c(&img);
        ::DrawLeaf(c, n, {0, 0, size.width(), size.height()});
        leafPicture_[n - 1] = picture;
    }
    return img;
}

void StamTegner::DrawLeaf(QPainter& p, const IntRect& r, bool placed, bool selected, const QString& name, int H)
{
    const LeafLook look = LeafAppearance(placed, selected);
    const QRect leaf = toQRect(r);
    if (leaf.isEmpty())
        return;
    p.drawImage(leaf.topLeft(), leafImage(look.picture, leaf.size()));
    if (name.isEmpty())
        return;
    nameFont(H);
    const QImage& text = nameImage(name, look.nameColour);
    // Centred in the leaf on one line, and cut at its edges as a box of text
    // is, so that a drag step redraws all of it.
    const int tw = text.width() - 1, th = text.height() - 1;
    const QPoint at(r.left + (leaf.width() - tw) / 2 - 1, r.top + (leaf.height() - th) / 2 - 1);
    const QRect box = QRect(at, text.size()).intersected(leaf);
    if (!box.isEmpty())
        p.drawImage(box.topLeft(), text, box.translated(-at));
}

void StamTegner::DrawTree(QPainter& p, const QImage& background, const tElev& e, int skip, const QRect& area)
{
    const QRect all = background.rect();
    const QRect part = area.isNull() ? all : area.intersected(all);
    if (part.isEmpty())
        return;
    p.drawImage(part.topLeft(), background, part);
    const bool clip = part != all;
    if (clip) {
        p.save();
        p.setClipRect(part, Qt::IntersectClip);
    }
    const int H = background.height();
    for (int i = 0; i < e.GrenCount(); ++i) {
        if (i == skip)
            continue;
        const tStamGren& g = *e.Gren(i);
        if (!part.intersects(toQRect(g.Rect)))
            continue;
        DrawLeaf(p, g.Rect, g.Art != 0, g.Valgt, ansi::ToQString(g.Bladnavn), H);
    }
    if (clip)
        p.restore();
}

QRect StamTegner::MoveLeaf(QImage& tree, const QImage& snapshot, const IntRect& from, const IntRect& to, bool placed,
                           const QString& name, int H)
{
    const QRect changed = toQRect(from).united(toQRect(to)).intersected(tree.rect());
    copyArea(snapshot, tree, changed);
    QPainter p(&tree);
    DrawLeaf(p, to, placed, true, name, H);
    return changed;
}
