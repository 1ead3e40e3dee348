// Page chrome and the small shared graphics helpers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chrome.h"

#include "ansi.h"
#include "drawing.h"
#include "qansi.h"
#include "renderer.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// The gradient fills paint through a texture brush that holds one ramp:
// a row for colours changing along x (each page row is then one copy), a
// strip 64 pixels wide for colours changing along y. The buffer only ever
// grows, so once the largest gradient has been drawn a repaint allocates no
// pixels.
constexpr int kStripWidth = 64;

std::vector<QRgb>& GradientBuffer(std::size_t pixels)
{
    static std::vector<QRgb> buffer;
    if (buffer.size() < pixels)
        buffer.resize(pixels);
    return buffer;
}

int Channel(Colour c, int shift) { return int((c >> shift) & 0xFF); }

/// A brush that paints the gradient over the box; the image wraps the shared
/// buffer, so the brush must be dropped before the next gradient is built.
QBrush GradientBrush(const IntRect& r, Colour a, bool mirrored, Colour b, bool vertical)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (!vertical) {
        QRgb* ramp = GradientBuffer(std::size_t(w)).data();
        GradientRamp(a, b, mirrored, w, ramp);
        return QBrush(QImage(reinterpret_cast<uchar*>(ramp), w, 1, w * 4, QImage::Format_RGB32));
    }
    const int sw = std::min(w, kStripWidth);
    QRgb* strip = GradientBuffer(std::size_t(sw) * std::size_t(h) + std::size_t(h)).data();
    QRgb* ramp = strip + std::size_t(sw) * std::size_t(h);
    GradientRamp(a, b, mirrored, h, ramp);
    for (int y = 0; y < h; ++y)
        std::fill(strip + std::size_t(y) * sw, strip + std::size_t(y + 1) * sw, ramp[y]);
    return QBrush(QImage(reinterpret_cast<uchar*>(strip), sw, h, sw * 4, QImage::Format_RGB32));
}

enum class Shape { Rect, RoundRect, Ellipse, Polygon };

// A page is drawn afresh on every repaint, but its gradients come back with
// the same colours and sizes; their ramps are kept, a handful of them, each
// in a buffer that only grows.
struct KeptRamp {
    Colour a = 0, b = 0;
    bool mirrored = false;
    int length = 0;
    unsigned long used = 0;
    std::vector<QRgb> colours;
};

const QRgb* CachedRamp(Colour a, Colour b, bool mirrored, int length)
{
    static std::array<KeptRamp, 8> kept;
    static unsigned long clock = 0;
    ++clock;
    KeptRamp* oldest = &kept[0];
    for (KeptRamp& k : kept) {
        if (k.length == length && k.a == a && k.b == b && k.mirrored == mirrored) {
            k.used = clock;
            return k.colours.data();
        }
        if (k.used < oldest->used)
            oldest = &k;
    }
    if (oldest->colours.size() < std::size_t(length))
        oldest->colours.resize(std::size_t(length));
    GradientRamp(a, b, mirrored, length, oldest->colours.data());
    oldest->a = a;
    oldest->b = b;
    oldest->mirrored = mirrored;
    oldest->length = length;
    oldest->used = clock;
    return oldest->colours.data();
}

// The shaped variants keep the gradient to the pixels that the shape, drawn
// with a one-pixel outline, covers.
void DrawShape(Canvas& c, const IntRect& r, Shape shape, int count, const QPoint* points)
{
    switch (shape) {
    case Shape::Rect: c.FillRect(r); break;
    case Shape::RoundRect: {
        const int d = MinInt(r.right - r.left, r.bottom - r.top) / 4;
        c.RoundRect(r.left, r.top, r.right, r.bottom, d, d);
        break;
    }
    case Shape::Ellipse: c.Ellipse(r); break;
    case Shape::Polygon:
        if (count >= 2)
            c.Polygon(points, count);
        break;
    }
}

// Where the canvas cannot paint spans itself (a widget), the painter draws
// the shape with the gradient as both its brush and its one-pixel pen.
void PainterGradientShape(Canvas& c, const IntRect& r, Colour a, bool mirrored, Colour b, bool vertical, Shape shape,
                          int count, const QPoint* points)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    QPainter& p = c.painter();
    const QPointF origin = p.brushOrigin();
    const QPainter::CompositionMode mode = p.compositionMode();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setBrushOrigin(origin + QPointF(r.left, r.top));
    {
        const QBrush brush = GradientBrush(r, a, mirrored, b, vertical);
        if (shape == Shape::Rect) {
            p.fillRect(QRect(r.left, r.top, w, h), brush);
        } else {
            p.setPen(QPen(brush, 1));
            p.setBrush(brush);
            switch (shape) {
            case Shape::RoundRect: {
                const double d = MinInt(w, h) / 4 / 2.0;
                p.drawRoundedRect(QRectF(r.left, r.top, w - 1, h - 1), d, d);
                break;
            }
            case Shape::Ellipse: p.drawEllipse(QRectF(r.left, r.top, w - 1, h - 1)); break;
            case Shape::Polygon:
                if (count >= 2)
                    p.drawPolygon(points, count, Qt::OddEvenFill);
                break;
            case Shape::Rect: break;
            }
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::NoBrush);
        }
    }
    p.setBrushOrigin(origin);
    p.setCompositionMode(mode);
}

void FillGradientShape(Canvas& c, const IntRect& r, Colour a, bool mirrored, Colour b, bool vertical, Shape shape,
                       int count = 0, const QPoint* points = nullptr)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    const int length = vertical ? h : w;
    if (c.BeginRamp(CachedRamp(a, b, mirrored, length), length, vertical ? r.top : r.left, vertical)) {
        DrawShape(c, r, shape, count, points);
        c.EndRamp();
        return;
    }
    PainterGradientShape(c, r, a, mirrored, b, vertical, shape, count, points);
}

/// Gradient codes of the fill table's pattern byte (layouts only).
int GradientCode(int fill)
{
    if (fill < 1 || fill > kFillCount)
        return 0;
    const int p = Drawing().Fills[std::size_t(fill - 1)].Pattern;
    return p >= 45 && p <= 48 ? p : 0;
}

void SetLayoutPen(Canvas& c, const LayoutElement& e)
{
    if (e.PenWidth == 0)
        c.SetPen(e.Colour, 1, e.Filled ? PenStyle::Invisible : PenStyle::Dotted);
    else
        c.SetPen(e.Colour, e.PenWidth, PenStyle::InsideFrame);
}

void DrawLayoutElement(Canvas& c, const LayoutElement& e)
{
    const IntRect box{e.Bounds.left, e.Bounds.top, e.Bounds.right + 1, e.Bounds.bottom + 1};
    switch (e.Kind) {
    case kKindRectangle:
    case kKindRoundRect:
    case kKindEllipse: {
        SetLayoutPen(c, e);
        const int code = e.Filled ? GradientCode(e.Fill) : 0;
        if (!e.Filled) {
            c.SetBrushStyle(BrushStyle::Clear);
        } else if (code) {
            const FillEntry& f = Drawing().Fills[std::size_t(e.Fill - 1)];
            const Colour a = CubeColour(f.ColourA < 216 ? f.ColourA : 0), b = CubeColour(f.ColourB < 216 ? f.ColourB : 0);
            const bool vertical = code == 45 || code == 47, mirrored = code == 47 || code == 48;
            if (e.Kind == kKindRectangle)
                vertical ? FillGradientVertical(c, box, a, mirrored, b) : FillGradient(c, box, a, mirrored, b);
            else if (vertical)
                FillRoundGradientVertical(c, box, a, mirrored, e.Kind == kKindRoundRect, b);
            else
                FillRoundGradient(c, box, a, mirrored, e.Kind == kKindRoundRect, b);
            c.SetBrushStyle(BrushStyle::Clear);
        } else {
            SelectPattern(e.Fill);
            c.SetPatternBrush(SelectedPatternBrush());
        }
        if (e.Kind == kKindRectangle) {
            c.Rectangle(box);
        } else if (e.Kind == kKindRoundRect) {
            const int d = MinInt(box.right - box.left, box.bottom - box.top) / 4;
            c.RoundRect(box.left, box.top, box.right, box.bottom, d, d);
        } else {
            c.Ellipse(box);
        }
        c.SetBrushStyle(BrushStyle::Solid);
        c.SetPenStyle(PenStyle::Solid);
        break;
    }
    case kKindLine:
    case kKindPolyline:
        if (e.PenWidth == 0)
            c.SetPen(e.Colour, 1, PenStyle::Dotted);
        else
            c.SetPen(e.Colour, e.PenWidth, PenStyle::InsideFrame);
        c.Polyline(e.IntPoints.data(), int(e.IntPoints.size()));
        c.SetPenStyle(PenStyle::Solid);
        break;
    case kKindPolygon: {
        SetLayoutPen(c, e);
        const int code = e.Filled ? GradientCode(e.Fill) : 0;
        if (!e.Filled) {
            c.SetBrushStyle(BrushStyle::Clear);
        } else if (code) {
            const FillEntry& f = Drawing().Fills[std::size_t(e.Fill - 1)];
            const Colour a = CubeColour(f.ColourA < 216 ? f.ColourA : 0), b = CubeColour(f.ColourB < 216 ? f.ColourB : 0);
            const bool vertical = code == 45 || code == 47, mirrored = code == 47 || code == 48;
            const int n = int(e.IntPoints.size());
            if (vertical)
                FillPolygonGradientVertical(c, box, a, mirrored, n, e.IntPoints.data(), b);
            else
                FillPolygonGradient(c, box, a, mirrored, n, e.IntPoints.data(), b);
            c.SetBrushStyle(BrushStyle::Clear);
        } else {
            SelectPattern(e.Fill);
            c.SetPatternBrush(SelectedPatternBrush());
        }
        c.Polygon(e.IntPoints.data(), int(e.IntPoints.size()));
        c.SetPenMode(PenMode::Copy);
        c.SetPenStyle(PenStyle::Solid);
        c.SetBrushStyle(BrushStyle::Solid);
        break;
    }
    case kKindText:
        c.SetFont(ansi::ToQString(e.FontName), e.PenWidth, e.FontStyle);
        c.SetFontColour(e.Colour);
        c.SetBrushStyle(BrushStyle::Clear);
        c.TextOut(e.Bounds.left + 2, e.Bounds.top + 2, std::string_view(e.Text));
        c.SetBrushStyle(BrushStyle::Solid);
        break;
    default:
        break;
    }
}

/// The box (l, t, r, b: columns l..r-1, rows t..b-1) every pixel of which the
/// element paints opaquely; false for elements that leave pixels of their box
/// alone (outlines, ellipses, slanted polygons, text).
bool OpaqueBox(const LayoutElement& e, int& l, int& t, int& r, int& b)
{
    if (!e.Filled)
        return false;
    if (e.Kind == kKindRectangle) {
        l = e.Bounds.left;
        t = e.Bounds.top;
        r = e.Bounds.right + 1;
        b = e.Bounds.bottom + 1;
        return l < r && t < b;
    }
    if (e.Kind != kKindPolygon)
        return false;
    // An upright rectangle drawn as a polygon (four corners, perhaps closed).
    std::size_t n = e.IntPoints.size();
    if (n == 5 && e.IntPoints[4] == e.IntPoints[0])
        n = 4;
    if (n != 4)
        return false;
    int x0 = e.IntPoints[0].x(), x1 = x0, y0 = e.IntPoints[0].y(), y1 = y0;
    for (std::size_t i = 0; i < 4; ++i) {
        x0 = std::min(x0, e.IntPoints[i].x());
        x1 = std::max(x1, e.IntPoints[i].x());
        y0 = std::min(y0, e.IntPoints[i].y());
        y1 = std::max(y1, e.IntPoints[i].y());
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const QPoint a = e.IntPoints[i], b = e.IntPoints[(i + 1) % 4];
        if (a.x() != b.x() && a.y() != b.y())
            return false;   // a slanted side
        if ((a.x() != x0 && a.x() != x1) || (a.y() != y0 && a.y() != y1))
            return false;
    }
    // Pixel centres right of the left side and on or left of the right one.
    l = x0;
    t = y0;
    r = x1;
    b = y1;
    return l < r && t < b;
}

/// Whether the element, filled, paints every pixel of the box (0, 0, w, h).
bool CoversPage(const LayoutElement& e, int w, int h)
{
    int l, t, r, b;
    return OpaqueBox(e, l, t, r, b) && l <= 0 && t <= 0 && r >= w && b >= h;
}

/// Whether the opaque boxes of the elements together cover (0, 0, w, h), so
/// that the back colour painted first would be overwritten everywhere. A
/// layout background is usually a few bands side by side; the boxes cut the
/// page into a grid of cells and each cell must lie in one box. Only the first
/// kMaxBoxes such elements count, which at worst leaves the fill in.
bool BoxesCoverPage(const Layout& l, int w, int h)
{
    constexpr int kMaxBoxes = 16;
    int box[kMaxBoxes][4];
    int xs[2 * kMaxBoxes + 2], ys[2 * kMaxBoxes + 2];
    int boxes = 0, nx = 0, ny = 0;
    xs[nx++] = 0;
    xs[nx++] = w;
    ys[ny++] = 0;
    ys[ny++] = h;
    for (const LayoutElement& e : l.Elements) {
        if (boxes == kMaxBoxes)
            break;
        int bl, bt, br, bb;
        if (!OpaqueBox(e, bl, bt, br, bb))
            continue;
        bl = std::max(bl, 0);
        bt = std::max(bt, 0);
        br = std::min(br, w);
        bb = std::min(bb, h);
        if (bl >= br || bt >= bb)
            continue;
        int* k = box[boxes++];
        k[0] = bl, k[1] = bt, k[2] = br, k[3] = bb;
        xs[nx++] = bl;
        xs[nx++] = br;
        ys[ny++] = bt;
        ys[ny++] = bb;
    }
    if (boxes == 0)
        return false;
    std::sort(xs, xs + nx);
    std::sort(ys, ys + ny);
    nx = int(std::unique(xs, xs + nx) - xs);
    ny = int(std::unique(ys, ys + ny) - ys);
    // Cell edges all lie in [0, w] and [0, h], so the last pair closes the page.
    for (int i = 0; i + 1 < nx; ++i) {
        for (int j = 0; j + 1 < ny; ++j) {
            bool inside = false;
            for (int k = 0; k < boxes && !inside; ++k)
                inside = box[k][0] <= xs[i] && box[k][2] >= xs[i + 1] && box[k][1] <= ys[j] && box[k][3] >= ys[j + 1];
            if (!inside)
                return false;
        }
    }
    return true;
}

/// The layout is drawn afresh every time, but what lies under an element that
/// paints the whole page opaquely is never seen, so drawing may start at the
/// last such element, without the back colour. None is skipped when a text
/// element would be (it leaves its font in the canvas) or when the page does
/// not cover the whole canvas.
std::optional<std::size_t> LastPageCover(const Canvas& c, const Layout& l, int w, int h)
{
    const QPoint o = c.state().origin;
    if (o.x() > 0 || o.y() > 0 || o.x() + w < c.width() || o.y() + h < c.height())
        return std::nullopt;
    for (std::size_t k = l.Elements.size(); k-- > 0;) {
        if (!CoversPage(l.Elements[k], w, h))
            continue;
        for (std::size_t j = 0; j < k; ++j)
            if (l.Elements[j].Kind == kKindText)
                return std::nullopt;
        return k;
    }
    return std::nullopt;
}

void DrawLayout(Canvas& c, const Layout* layout)
{
    c.SetSolidBrush(0xFFFFFF);
    c.SetFontColour(0x000000);
    if (!layout)
        return;
    const DrawingTables& d = Drawing();
    const int w = d.PageWidth > 0 ? d.PageWidth : c.width();
    const int h = d.PageHeight > 0 ? d.PageHeight : c.height();
    c.SetSolidBrush(layout->BackColour);
    c.SetPenMode(PenMode::Copy);
    const std::optional<std::size_t> cover = LastPageCover(c, *layout, w, h);
    // The fill is the dearest thing on the page; where the elements paint
    // over all of it anyway, nobody would see it.
    if (!cover && !BoxesCoverPage(*layout, w, h))
        c.FillRect({0, 0, w, h});
    for (std::size_t i = cover.value_or(0); i < layout->Elements.size(); ++i)
        DrawLayoutElement(c, layout->Elements[i]);
}

void BlendRows(const std::uint8_t* a, const std::uint8_t* b, std::uint8_t* out, std::size_t bytes, int n)
{
    // The two terms are rounded separately, so white over white could make
    // 256; it stays white.
    for (std::size_t i = 0; i < bytes; ++i)
        out[i] = std::uint8_t(std::min(255, MulDiv(a[i], 1, n + 1) + MulDiv(b[i], n, n + 1)));
}

// Bilinear resampling of 3-byte pixels; channel order does not matter.
void Resample24(const std::uint8_t* src, int oldW, int oldH, std::size_t srcStride, std::uint8_t* dst, int newW,
                int newH, std::size_t dstStride)
{
    // A side one pixel long has nothing to interpolate towards: every target
    // pixel takes that one pixel along it.
    const double sx = oldW > 1 ? double(newW) / (oldW - 1) : 0;
    const double sy = oldH > 1 ? double(newH) / (oldH - 1) : 0;
    for (int y = 0; y < newH; ++y) {
        const double fy = sy > 0 ? y / sy : 0;
        const int iy = int(fy);
        const double wy = fy - iy;
        const int iy1 = std::min(iy + 1, oldH - 1);
        const std::uint8_t* r0 = src + std::size_t(iy) * srcStride;
        const std::uint8_t* r1 = src + std::size_t(iy1) * srcStride;
        std::uint8_t* out = dst + std::size_t(y) * dstStride;
        for (int x = 0; x < newW; ++x) {
            const double fx = sx > 0 ? x / sx : 0;
            const int ix = int(fx);
            const double wx = fx - ix;
            const int ix1 = std::min(ix + 1, oldW - 1);
            const double w00 = (1 - wx) * (1 - wy), w10 = wx * (1 - wy), w01 = (1 - wx) * wy, w11 = wx * wy;
            for (int ch = 0; ch < 3; ++ch) {
                const double v = r0[3 * ix + ch] * w00 + r0[3 * ix1 + ch] * w10 + r1[3 * ix + ch] * w01
                               + r1[3 * ix1 + ch] * w11;
                out[3 * x + ch] = std::uint8_t(std::clamp<long>(std::lrint(v), 0, 255));
            }
        }
    }
}

} // namespace

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (c == 0)
        return -1;
    const std::int64_t num = std::int64_t(a) * b;
    const std::int64_t den = c;
    const bool neg = (num < 0) != (den < 0);
    const std::int64_t an = num < 0 ? -num : num, ad = den < 0 ? -den : den;
    const std::int64_t q = (an + ad / 2) / ad;
    const std::int64_t r = neg ? -q : q;
    if (r > INT32_MAX || r < INT32_MIN)
        return -1;
    return std::int32_t(r);
}

std::int64_t MilliSeconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool CreatePageBitmap(int width, int height)
{
    DrawingTables& d = Drawing();
    if (!d.PageBitmap.isNull())
        return true;
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
        return false;
    QImage page(width, height, QImage::Format_RGB32);
    if (page.isNull())
        return false;
    page.fill(Qt::white);
    if (d.SwatchBitmap.isNull())
        InitDrawing();
    {
        QPainter p(&page);
        p.drawImage(0, 0, d.SwatchBitmap);
    }
    d.PageBitmap = std::move(page);
    return true;
}

void DrawPageLayout(Canvas& canvas, std::string_view ansiName)
{
    DrawLayout(canvas, FindLayout(ansiName));
}

void DrawPageLayout(Canvas& canvas, const char* utf8Name)
{
    DrawLayout(canvas, FindLayout(utf8Name));
}

void GradientRamp(Colour a, Colour b, bool mirrored, int length, QRgb* out)
{
    if (length <= 0)
        return;
    auto at = [&](int i, int L) {
        const int r = Channel(a, 0) + MulDiv(i, Channel(b, 0) - Channel(a, 0), L);
        const int g = Channel(a, 8) + MulDiv(i, Channel(b, 8) - Channel(a, 8), L);
        const int bl = Channel(a, 16) + MulDiv(i, Channel(b, 16) - Channel(a, 16), L);
        return qRgb(r, g, bl);
    };
    if (!mirrored) {
        for (int i = 0; i < length; ++i)
            out[i] = at(i, length);
        return;
    }
    const int h = std::max(1, length / 2);
    // Both ends are written in the same step, so for an even length the
    // middle pair ends up as b.
    for (int i = 0; i <= h; ++i) {
        const QRgb c = at(i, h);
        if (i < length)
            out[i] = c;
        if (length - 1 - i >= 0)
            out[length - 1 - i] = c;
    }
}

void FillGradient(Canvas& canvas, const IntRect& rect, Colour a, bool mirrored, Colour b)
{
    FillGradientShape(canvas, rect, a, mirrored, b, false, Shape::Rect);
}

void FillGradientVertical(Canvas& canvas, const IntRect& rect, Colour a, bool mirrored, Colour b)
{
    FillGradientShape(canvas, rect, a, mirrored, b, true, Shape::Rect);
}

void FillRoundGradient(Canvas& canvas, const IntRect& rect, Colour a, bool mirrored, bool rounded, Colour b)
{
    FillGradientShape(canvas, rect, a, mirrored, b, false, rounded ? Shape::RoundRect : Shape::Ellipse);
}

void FillRoundGradientVertical(Canvas& canvas, const IntRect& rect, Colour a, bool mirrored, bool rounded, Colour b)
{
    FillGradientShape(canvas, rect, a, mirrored, b, true, rounded ? Shape::RoundRect : Shape::Ellipse);
}

void FillPolygonGradient(Canvas& canvas, const IntRect& rect, Colour a, bool mirrored, int count,
                         const QPoint* points, Colour b)
{
    FillGradientShape(canvas, rect, a, mirrored, b, false, Shape::Polygon, count, points);
}

void FillPolygonGradientVertical(Canvas& canvas, const IntRect& rect, Colour a, bool mirrored, int count,
                                 const QPoint* points, Colour b)
{
    FillGradientShape(canvas, rect, a, mirrored, b, true, Shape::Polygon, count, points);
}

bool BlendBitmaps(const QImage& a, const QImage& b, QImage& out, int n)
{
    if (a.isNull() || a.size() != b.size() || n < 0)
        return false;
    // 24-bit inputs are shared, not copied; a 24-bit out of the right size
    // is written in place, so a caller that keeps its bitmaps blends without
    // allocating. When out is one of the inputs, writing detaches it first.
    const QImage a24 = a.convertToFormat(QImage::Format_RGB888);
    const QImage b24 = b.convertToFormat(QImage::Format_RGB888);
    if (out.size() != a.size() || out.format() != QImage::Format_RGB888)
        out = QImage(a.size(), QImage::Format_RGB888);
    for (int y = 0; y < a.height(); ++y)
        BlendRows(a24.constScanLine(y), b24.constScanLine(y), out.scanLine(y), std::size_t(a.width()) * 3, n);
    return true;
}

bool BlendBitmaps(const Pixels24& a, const Pixels24& b, Pixels24& out, int n)
{
    if (a.width != b.width || a.height != b.height || n < 0 || a.data.size() != b.data.size())
        return false;
    Pixels24 result(a.width, a.height);
    BlendRows(a.data.data(), b.data.data(), result.data.data(), a.data.size(), n);
    out = std::move(result);
    return true;
}

bool ResampleBitmap(QImage& bitmap, int newWidth, int newHeight)
{
    if (bitmap.isNull() || newWidth < 1 || newHeight < 1)
        return false;
    const QImage::Format format = bitmap.format();
    const QImage src = bitmap.convertToFormat(QImage::Format_RGB888);
    QImage dst(newWidth, newHeight, QImage::Format_RGB888);
    Resample24(src.constBits(), src.width(), src.height(), std::size_t(src.bytesPerLine()), dst.bits(), newWidth,
               newHeight, std::size_t(dst.bytesPerLine()));
    bitmap = format == QImage::Format_RGB888 ? std::move(dst) : dst.convertToFormat(format);
    return true;
}

bool ResampleBitmap(Pixels24& bitmap, int newWidth, int newHeight)
{
    if (bitmap.width < 1 || bitmap.height < 1 || newWidth < 1 || newHeight < 1)
        return false;
    Pixels24 dst(newWidth, newHeight);
    Resample24(bitmap.data.data(), bitmap.width, bitmap.height, std::size_t(bitmap.width) * 3, dst.data.data(),
               newWidth, newHeight, std::size_t(newWidth) * 3);
    bitmap = std::move(dst);
    return true;
}
