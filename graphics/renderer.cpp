// The picture renderer.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "renderer.h"

#include "ansi.h"
#include "drawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace {

struct UnitCircle {
    double c[48], s[48];
    UnitCircle()
    {
        for (int k = 0; k < 48; ++k) {
            const double t = 7.5 * k * std::numbers::pi / 180.0;
            c[k] = std::cos(t);
            s[k] = std::sin(t);
        }
    }
};
const UnitCircle& Circle()
{
    static const UnitCircle circle;
    return circle;
}

// Ties to even, in the current rounding mode, as llrint. The C library's
// llrint is one conversion instruction behind a call; inline, the divisions
// of neighbouring points overlap instead of waiting on each call.
inline std::int64_t Round(double v)
{
#if defined(__SSE2__) && defined(__x86_64__)
    return _mm_cvtsd_si64(_mm_set_sd(v));
#else
    return std::llrint(v);
#endif
}

void DrawImpl(Canvas& canvas, const Picture* pic, const IntRect& rect, bool mirror, int angle, bool useKey,
              int keyFill, Colour keyColour)
{
    if (!pic || pic->Kind != 1 || pic->Vector.Elements.empty())
        return;
    DrawingTables& d = Drawing();
    if (!d.initialized)
        InitDrawing();
    const VectorPicture& v = pic->Vector;
    // An in-memory picture may not have passed the reader's limit.
    if (FlattenedPointCount(*pic) > d.WorkPoints.size())
        return;

    int maxPen = 0;
    for (const PictureElement& e : v.Elements)
        maxPen = std::max<int>(maxPen, e.PenWidth);
    const std::int64_t margin = (maxPen + 2) / 2;
    const std::int64_t rl = rect.left + margin, rt = rect.top + margin;
    const std::int64_t rr = rect.right - margin, rb = rect.bottom - margin;

    const double cx = (double(v.Bounds.left) + v.Bounds.right) / 2;
    const double cy = (double(v.Bounds.top) + v.Bounds.bottom) / 2;
    std::int64_t bl = v.Bounds.left - Round(cx), br = v.Bounds.right - Round(cx);
    std::int64_t bt = v.Bounds.top - Round(cy), bb = v.Bounds.bottom - Round(cy);

    PointF* pts = d.WorkPoints.data();
    std::size_t n = 0;
    for (const PictureElement& e : v.Elements) {
        const IntRect& b = e.Bounds;
        switch (e.Kind) {
        case kKindRectangle:
            pts[n++] = {b.left - cx, b.top - cy};
            pts[n++] = {b.right - cx, b.top - cy};
            pts[n++] = {b.right - cx, b.bottom - cy};
            pts[n++] = {b.left - cx, b.bottom - cy};
            break;
        case kKindEllipse:
            if (angle == 0) {
                pts[n++] = {b.left - cx, b.top - cy};
                pts[n++] = {b.right - cx, b.bottom - cy};
            } else {
                EllipsePoints(b, pts + n);
                for (int k = 0; k < 48; ++k) {
                    pts[n + k].x -= cx;
                    pts[n + k].y -= cy;
                }
                n += 48;
            }
            break;
        case kKindLine:
            for (std::size_t k = 0; k < std::min<std::size_t>(2, e.Points.size()); ++k)
                pts[n++] = {e.Points[k].x - cx, e.Points[k].y - cy};
            break;
        case kKindPolyline:
        case kKindPolygon:
            for (const PointF& p : e.Points)
                pts[n++] = {p.x - cx, p.y - cy};
            break;
        default:
            break;
        }
    }

    if (mirror)
        for (std::size_t i = 0; i < n; ++i)
            pts[i].x = -pts[i].x;

    double mx = 0, my = 0;
    if (angle != 0) {
        const double t = angle * std::numbers::pi / 180.0;
        const double ct = std::cos(t), st = std::sin(t);
        bl = bt = 2147483647;
        br = bb = -2147483647;
        for (std::size_t i = 0; i < n; ++i) {
            const double x = pts[i].x * ct - pts[i].y * st;
            const double y = pts[i].x * st + pts[i].y * ct;
            pts[i] = {x, y};
            const std::int64_t ix = Round(x), iy = Round(y);
            bl = std::min(bl, ix);
            br = std::max(br, ix);
            bt = std::min(bt, iy);
            bb = std::max(bb, iy);
        }
        mx = (double(bl) + double(br)) / 2;
        my = (double(bt) + double(bb)) / 2;
    }

    const double dstW = double(rr - rl + 1), dstH = double(rb - rt + 1);
    double srcW = double(br - bl + 1), srcH = double(bb - bt + 1);
    if (srcW == 0)
        srcW = 1;
    if (srcH == 0)
        srcH = 1;
    const double ox = (double(rl) + double(rr)) / 2, oy = (double(rt) + double(rb)) / 2;
    QPoint* ip = d.WorkIntPoints.data();
    for (std::size_t i = 0; i < n; ++i)
        ip[i] = QPoint(int(Round((pts[i].x - mx) * dstW / srcW + ox)), int(Round((pts[i].y - my) * dstH / srcH + oy)));

    std::size_t at = 0;
    for (const PictureElement& e : v.Elements) {
        const int kind = e.Kind;
        const bool line = kind == kKindLine || kind == kKindPolyline;
        const bool shape = kind == kKindRectangle || kind == kKindEllipse || kind == kKindPolygon;
        if (!line && !shape)
            continue;
        canvas.SetBrushColour(0x000000);
        canvas.SetPenColour(e.Colour);
        if (e.PenWidth == 0)
            canvas.SetPen(e.Colour, 1, line ? PenStyle::Dotted : (e.Filled ? PenStyle::Invisible : PenStyle::Dotted));
        else
            canvas.SetPen(e.Colour, e.PenWidth, PenStyle::InsideFrame);
        if (shape) {
            if (!e.Filled) {
                canvas.SetBrushStyle(BrushStyle::Clear);
            } else if (useKey && e.Fill == keyFill) {
                canvas.SetSolidBrush(keyColour);
            } else {
                SelectPattern(e.Fill);
                canvas.SetPatternBrush(d.PatternBrush);
            }
        }
        const QPoint* p = ip + at;
        switch (kind) {
        case kKindRectangle:
            canvas.Polygon(p, 4);
            at += 4;
            break;
        case kKindEllipse:
            if (angle == 0) {
                canvas.Ellipse(p[0].x() + 1, p[0].y() + 1, p[1].x() - 1, p[1].y() - 1);
                at += 2;
            } else {
                canvas.Polygon(p, 48);
                at += 48;
            }
            break;
        case kKindPolygon:
            canvas.Polygon(p, int(e.Points.size()));
            at += e.Points.size();
            break;
        case kKindLine: {
            const std::size_t k = std::min<std::size_t>(2, e.Points.size());
            if (k == 2)
                canvas.Line(p[0].x(), p[0].y(), p[1].x(), p[1].y());
            at += k;
            break;
        }
        case kKindPolyline:
            canvas.Polyline(p, int(e.Points.size()));
            at += e.Points.size();
            break;
        }
        canvas.SetBrushStyle(BrushStyle::Solid);
        canvas.SetPenStyle(PenStyle::Solid);
    }
    canvas.SetSolidBrush(0xFFFFFF);
}

} // namespace

void EllipsePoints(const IntRect& bounds, PointF out[48])
{
    const UnitCircle& u = Circle();
    const double a = (double(bounds.right) - bounds.left) / 2;
    const double b = (double(bounds.bottom) - bounds.top) / 2;
    for (int k = 0; k < 48; ++k)
        out[k] = {bounds.left + a + a * u.c[k], bounds.top + b + b * u.s[k]};
}

void SelectPattern(int n)
{
    DrawingTables& d = Drawing();
    if (!d.initialized)
        InitDrawing();
    if (n == d.PatternKey)
        return;
    if (n >= 1 && n <= kFillCount) {
        for (int y = 0; y < 8; ++y)
            std::memcpy(d.PatternTile.scanLine(y), d.TileStrip.constScanLine(8 * (n - 1) + y), 8 * sizeof(QRgb));
        d.PatternBrush = &d.TileBrush[std::size_t(n - 1)];
    } else {
        static const QBrush black(Qt::black);
        d.PatternTile.fill(Qt::black);
        d.PatternBrush = &black;
    }
    d.PatternKey = n;
    ++d.PatternCopies;
}

void ResetPatternCache()
{
    Drawing().PatternKey = -1;
}

const QBrush* SelectedPatternBrush()
{
    return Drawing().PatternBrush;
}

void DrawPicture(Canvas& canvas, const Picture* picture, const IntRect& rect, bool mirror, int angle, int keyFill,
                 Colour keyColour)
{
    DrawImpl(canvas, picture, rect, mirror, angle, true, keyFill, keyColour);
}

void DrawPicture(Canvas& canvas, std::string_view ansiName, const IntRect& rect, bool mirror, int angle, int keyFill,
                 Colour keyColour)
{
    DrawImpl(canvas, FindPicture(ansiName), rect, mirror, angle, true, keyFill, keyColour);
}

void DrawPicture(Canvas& canvas, const char* utf8Name, const IntRect& rect, bool mirror, int angle, int keyFill,
                 Colour keyColour)
{
    DrawImpl(canvas, FindPicture(utf8Name), rect, mirror, angle, true, keyFill, keyColour);
}

void DrawPicturePlain(Canvas& canvas, std::string_view ansiName, const IntRect& rect)
{
    canvas.SetPen(0x000000, 1, PenStyle::Solid);
    canvas.SetPenMode(PenMode::Copy);
    DrawImpl(canvas, FindPicture(ansiName), rect, false, 0, false, 0, 0);
}

void DrawPicturePlain(Canvas& canvas, const char* utf8Name, const IntRect& rect)
{
    canvas.SetPen(0x000000, 1, PenStyle::Solid);
    canvas.SetPenMode(PenMode::Copy);
    DrawImpl(canvas, FindPicture(utf8Name), rect, false, 0, false, 0, 0);
}
