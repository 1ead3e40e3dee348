// Scanline filling of 32-bit images for the canvas.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spanfill.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <utility>

namespace spanfill {

namespace {

inline int Wrap(int i, int n) { return n > 0 ? ((i % n) + n) % n : 0; }

// The C library's wide-character fill is its vectorised memset for 32-bit
// values where wchar_t has 32 bits; a plain loop compiles to one store per
// pixel and fills a page several times slower.
inline void Fill32(std::uint32_t* p, std::size_t n, std::uint32_t v)
{
    if constexpr (sizeof(wchar_t) == sizeof(std::uint32_t)) {
        wchar_t w;
        std::memcpy(&w, &v, sizeof w);
        std::wmemset(reinterpret_cast<wchar_t*>(p), w, n);
    } else {
        std::fill(p, p + n, v);
    }
}

// Coordinates in 1/64 pixel, as the edge arithmetic below takes them.
constexpr std::int64_t kOne = 64;

} // namespace

namespace {

// Writes pixels [x0, x1), x0 < x1, of row y, which lie inside the clip.
inline void FillRow(std::uint32_t* row, int y, int x0, int x1, const Paint& p)
{
    switch (p.kind) {
    case Paint::Solid:
        // The outlines of the art are thin rings: many spans of a pixel or
        // two, for which a call costs more than the stores.
        if (x1 - x0 <= 4) {
            for (int x = x0; x < x1; ++x)
                row[x] = p.colour;
        } else {
            Fill32(row + x0, std::size_t(x1 - x0), p.colour);
        }
        return;
    case Paint::Tile: {
        const QRgb* tr = p.tile + (y & 7) * 8;
        int x = x0;
        for (; x < x1 && (x & 7); ++x)
            row[x] = tr[x & 7];
        for (; x + 8 <= x1; x += 8)
            std::memcpy(row + x, tr, 8 * sizeof(QRgb));
        for (; x < x1; ++x)
            row[x] = tr[x & 7];
        return;
    }
    case Paint::RampX: {
        const int i0 = x0 - p.rampStart;
        if (i0 >= 0 && x1 - p.rampStart <= p.rampLength) {
            std::memcpy(row + x0, p.ramp + i0, std::size_t(x1 - x0) * sizeof(QRgb));
        } else {
            for (int x = x0; x < x1; ++x)
                row[x] = p.ramp[Wrap(x - p.rampStart, p.rampLength)];
        }
        return;
    }
    case Paint::RampY:
        Fill32(row + x0, std::size_t(x1 - x0), p.ramp[Wrap(y - p.rampStart, p.rampLength)]);
        return;
    }
}

} // namespace

void PaintSpan(const Target& t, int y, int x0, int x1, const Paint& p)
{
    if (y < t.clip.top() || y > t.clip.bottom())
        return;
    x0 = std::max(x0, t.clip.left());
    x1 = std::min(x1, t.clip.right() + 1);
    if (x0 < x1)
        FillRow(t.bits + std::ptrdiff_t(y) * t.stride, y, x0, x1, p);
}

// ---- boxes -------------------------------------------------------------------

void Filler::Box(const Target& t, int l, int top, int r, int b, const Paint& p)
{
    const int y0 = std::max(top, t.clip.top()), y1 = std::min(b, t.clip.bottom() + 1);
    for (int y = y0; y < y1; ++y)
        PaintSpan(t, y, l, r, p);
}

void Filler::BoxFrame(const Target& t, int l, int top, int r, int b, int width, const Paint& p)
{
    if (2 * width >= r - l || 2 * width >= b - top) {
        Box(t, l, top, r, b, p);
        return;
    }
    Box(t, l, top, r, top + width, p);
    Box(t, l, b - width, r, b, p);
    const int y0 = std::max(top + width, t.clip.top()), y1 = std::min(b - width, t.clip.bottom() + 1);
    for (int y = y0; y < y1; ++y) {
        PaintSpan(t, y, l, l + width, p);
        PaintSpan(t, y, r - width, r, p);
    }
}

// ---- polygons ------------------------------------------------------------------
//
// Each edge keeps the x where it crosses the centre line of a row, in 16.16
// fixed point with half a pixel added, so that x >> 16 is the first pixel
// whose centre lies right of the edge. The slope is cut to 16.16 and added
// once per row, exactly as Qt's aliased scan converter does it; that is what
// makes a polygon drawn here and one drawn by QPainter cover the same pixels,
// including the diagonals whose crossings fall on pixel centres.

void Filler::beginEdges(std::size_t count)
{
    if (edges_.size() < count)
        edges_.resize(count);
    edgeCount_ = 0;
}

void Filler::addEdge(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by)
{
    if (ay > by) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    // Rows whose centre lies in (ay, by]. Qt starts no edge above the
    // device's first row, and computes (not steps) the x of the first row.
    const int top = std::max<int>(0, int((ay + 32) >> 6));
    const int bottom = int((by - 32) >> 6);
    if (top > bottom)
        return;
    const std::int64_t aFP = 0x8000 + (ax << 10);
    if (bx == ax) {
        edges_[edgeCount_++] = {aFP, 0, top, bottom};
        return;
    }
    const double slope = double(bx - ax) / double(by - ay);
    const auto step = std::int64_t(slope * 65536.0);
    const std::int64_t x = aFP + ((step * ((std::int64_t(top) << 16) + 0x8000 - (ay << 10))) >> 16);
    edges_[edgeCount_++] = {x, step, top, bottom};
}

// The rows are taken in bands between the rows where an edge starts or ends.
// Within a band the edges keep their order unless two of them cross, which
// shows in their order at the band's last row, as x runs linearly; most bands
// of the art (two or four edges of a ring) are painted without any sorting.
// The spans depend only on the sorted crossings, so ties may fall either way.

// K edges in order, kept in registers for the rows of a band: a filled shape
// (two edges) or a ring (four).
template <std::size_t K>
void Filler::stepBand(const Target& t, int y, int last, const Paint& p, Edge* const* active)
{
    const std::int64_t left = t.clip.left(), right = t.clip.right() + 1;
    std::int64_t x[K], step[K];
    for (std::size_t i = 0; i < K; ++i) {
        x[i] = active[i]->x;
        step[i] = active[i]->step;
    }
    std::uint32_t* row = t.bits + std::ptrdiff_t(y) * t.stride;
    for (; y <= last; ++y, row += t.stride) {
        for (std::size_t i = 0; i < K; i += 2) {
            const int x0 = int(std::clamp(x[i] >> 16, left, right));
            const int x1 = int(std::clamp(x[i + 1] >> 16, left, right));
            if (x0 < x1)
                FillRow(row, y, x0, x1, p);
        }
        for (std::size_t i = 0; i < K; ++i)
            x[i] += step[i];
    }
    for (std::size_t i = 0; i < K; ++i)
        active[i]->x = x[i];
}

void Filler::paintBand(const Target& t, int y, int last, const Paint& p)
{
    switch (active_.size()) {
    case 2: stepBand<2>(t, y, last, p, active_.data()); return;
    case 4: stepBand<4>(t, y, last, p, active_.data()); return;
    default: break;
    }
    const std::int64_t left = t.clip.left(), right = t.clip.right() + 1;
    const std::size_t k = active_.size();
    std::uint32_t* row = t.bits + std::ptrdiff_t(y) * t.stride;
    for (; y <= last; ++y, row += t.stride) {
        for (std::size_t i = 0; i + 1 < k; i += 2) {
            const int x0 = int(std::clamp(active_[i]->x >> 16, left, right));
            const int x1 = int(std::clamp(active_[i + 1]->x >> 16, left, right));
            if (x0 < x1)
                FillRow(row, y, x0, x1, p);
        }
        for (Edge* e : active_)
            e->x += e->step;
    }
}

void Filler::fillEdges(const Target& t, const Paint& p)
{
    const std::size_t n = edgeCount_;
    edgeCount_ = 0;
    if (n == 0)
        return;
    Edge* const edges = edges_.data();
    std::sort(edges, edges + n, [](const Edge& a, const Edge& b) { return a.top < b.top; });
    int last = edges[0].bottom;
    for (std::size_t i = 1; i < n; ++i)
        last = std::max(last, edges[i].bottom);
    int y = std::max(edges[0].top, t.clip.top());
    const int y1 = std::min(last, t.clip.bottom());
    const int left = t.clip.left(), right = t.clip.right() + 1;
    active_.clear();
    std::size_t next = 0;
    while (y <= y1) {
        std::size_t keep = 0;
        for (Edge* e : active_)
            if (e->bottom >= y)
                active_[keep++] = e;
        active_.resize(keep);
        for (; next < n && edges[next].top <= y; ++next) {
            Edge& e = edges[next];
            if (e.bottom < y)
                continue;
            e.x += e.step * (y - e.top);   // the first rows lay above the clip
            active_.push_back(&e);
        }
        if (active_.empty()) {
            if (next == n)
                break;
            y = edges[next].top;
            continue;
        }
        int end = y1;
        if (next < n)
            end = std::min(end, edges[next].top - 1);
        for (const Edge* e : active_)
            end = std::min(end, e->bottom);
        const std::size_t k = active_.size();
        for (std::size_t i = 1; i < k; ++i) {
            Edge* const e = active_[i];
            std::size_t j = i;
            for (; j > 0 && active_[j - 1]->x > e->x; --j)
                active_[j] = active_[j - 1];
            active_[j] = e;
        }
        const std::int64_t rows = end - y;
        bool crossing = false;
        for (std::size_t i = 1; i < k && !crossing; ++i)
            crossing = active_[i - 1]->x + active_[i - 1]->step * rows > active_[i]->x + active_[i]->step * rows;
        if (!crossing) {
            paintBand(t, y, end, p);
            y = end + 1;
            continue;
        }
        // Edges that cross: sorted afresh on every row.
        std::uint32_t* row = t.bits + std::ptrdiff_t(y) * t.stride;
        for (; y <= end; ++y, row += t.stride) {
            for (std::size_t i = 1; i < k; ++i) {
                Edge* const e = active_[i];
                std::size_t j = i;
                for (; j > 0 && active_[j - 1]->x > e->x; --j)
                    active_[j] = active_[j - 1];
                active_[j] = e;
            }
            for (std::size_t i = 0; i + 1 < k; i += 2) {
                const int x0 = int(std::clamp<std::int64_t>(active_[i]->x >> 16, left, right));
                const int x1 = int(std::clamp<std::int64_t>(active_[i + 1]->x >> 16, left, right));
                if (x0 < x1)
                    FillRow(row, y, x0, x1, p);
            }
            for (Edge* e : active_)
                e->x += e->step;
        }
    }
}

void Filler::Polygon(const Target& t, const QPoint* points, int count, QPoint offset, const Paint& p)
{
    if (count < 3)
        return;
    beginEdges(std::size_t(count));
    QPoint a = points[count - 1] + offset;
    for (int i = 0; i < count; ++i) {
        const QPoint b = points[i] + offset;
        addEdge(a.x() * kOne, a.y() * kOne, b.x() * kOne, b.y() * kOne);
        a = b;
    }
    fillEdges(t, p);
}

void Filler::convex(const Target& t, const double* xy, int count, const Paint& p)
{
    beginEdges(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const int j = (i + 1) % count;
        addEdge(std::llround(xy[2 * i] * kOne), std::llround(xy[2 * i + 1] * kOne), std::llround(xy[2 * j] * kOne),
                std::llround(xy[2 * j + 1] * kOne));
    }
    fillEdges(t, p);
}

// ---- ellipses and rounded boxes ----------------------------------------------------

void Filler::roundRows(int top, int bottom, double l, double t, double r, double b, double rx, double ry,
                       std::vector<Row>& rows)
{
    rows.resize(std::size_t(std::max(0, bottom - top)));
    rx = std::clamp(rx, 0.0, (r - l) / 2);
    ry = std::clamp(ry, 0.0, (b - t) / 2);
    for (int y = top; y < bottom; ++y) {
        Row& row = rows[std::size_t(y - top)];
        const double yc = y + 0.5;
        if (yc <= t || yc > b || r <= l) {
            row = {0, 0};
            continue;
        }
        double xl = l, xr = r;
        const double dy = yc < t + ry ? t + ry - yc : yc > b - ry ? yc - (b - ry) : 0;
        if (dy > 0) {
            const double q = dy / ry;
            const double half = rx * std::sqrt(std::max(0.0, 1 - q * q));
            xl = l + rx - half;
            xr = r - rx + half;
        }
        // Centres right of the left side, up to and on the right side.
        row = {int(std::floor(xl + 0.5)), int(std::floor(xr + 0.5))};
    }
}

void Filler::paintRing(const Target& t, int top, const std::vector<Row>& outer, const std::vector<Row>* inner,
                       int penWidth, const Paint* pen, const Paint* fill)
{
    for (std::size_t i = 0; i < outer.size(); ++i) {
        const Row o = outer[i];
        if (o.x0 >= o.x1)
            continue;
        const int y = top + int(i);
        if (penWidth <= 0 || !inner) {
            if (const Paint* p = penWidth > 0 ? pen : fill)
                PaintSpan(t, y, o.x0, o.x1, *p);
            continue;
        }
        Row in = (*inner)[i];
        in.x0 = std::max(in.x0, o.x0);
        in.x1 = std::min(in.x1, o.x1);
        if (in.x0 >= in.x1) {
            if (pen)
                PaintSpan(t, y, o.x0, o.x1, *pen);
            continue;
        }
        if (pen) {
            PaintSpan(t, y, o.x0, in.x0, *pen);
            PaintSpan(t, y, in.x1, o.x1, *pen);
        }
        if (fill)
            PaintSpan(t, y, in.x0, in.x1, *fill);
    }
}

void Filler::RoundBox(const Target& t, int l, int top, int r, int b, int cw, int ch, int penWidth, const Paint* pen,
                      const Paint* fill)
{
    if (r <= l || b <= top)
        return;
    const int y0 = std::max(top, t.clip.top()), y1 = std::min(b, t.clip.bottom() + 1);
    if (y0 >= y1)
        return;
    const double rx = std::max(0, cw) / 2.0, ry = std::max(0, ch) / 2.0;
    roundRows(y0, y1, l, top, r, b, rx, ry, outer_);
    if (penWidth > 0) {
        const int w = penWidth;
        roundRows(y0, y1, l + w, top + w, r - w, b - w, std::max(0.0, rx - w), std::max(0.0, ry - w), inner_);
        paintRing(t, y0, outer_, &inner_, w, pen, fill);
    } else {
        paintRing(t, y0, outer_, nullptr, 0, nullptr, fill);
    }
}

void Filler::Ellipse(const Target& t, int l, int top, int r, int b, int penWidth, const Paint* pen, const Paint* fill)
{
    RoundBox(t, l, top, r, b, r - l, b - top, penWidth, pen, fill);
}

// ---- outlines ---------------------------------------------------------------------

namespace {

// The one-pixel pen walks the longer axis of each segment from pixel centre
// to pixel centre and steps the other in 16.16, as Qt's aliased cosmetic pen
// does; where two segments meet it draws the shared pixel once and fills the
// corner pixel a sharp turn would leave out.
class ThinPen {
public:
    ThinPen(const Target& t, const Paint& p) : t_(t), p_(p) {}
    ~ThinPen() { flush(); }

    enum Caps { NoCaps = 0, CapBegin = 1, CapEnd = 2 };

    void reset() { lastX_ = lastY_ = -1; }

    /// Where the closing segment of a closed outline ends, so that the first
    /// segment treats it as its predecessor.
    void rememberEnd(double rx1, double ry1, double rx2, double ry2)
    {
        reset();
        if (!clipLine(rx1, ry1, rx2, ry2))
            return;
        std::int64_t x1 = Fixed(rx1), y1 = Fixed(ry1), x2 = Fixed(rx2), y2 = Fixed(ry2);
        const std::int64_t dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
        if (dx < dy) {
            const bool swapped = y1 > y2;
            if (swapped) {
                std::swap(y1, y2);
                std::swap(x1, x2);
            }
            const std::int64_t inc = ((x2 - x1) << 16) / (y2 - y1);
            std::int64_t x = x1 << 10;
            const std::int64_t y = (y1 + 32) >> 6, ys = (y2 + 32) >> 6;
            if (y != ys) {
                x += (((y << 6) + 32 - y1) * inc) >> 6;
                if (swapped) {
                    set(x >> 16, y, kUp);
                } else {
                    set((x + (ys - y - 1) * inc) >> 16, ys - 1, kDown);
                }
                lastAxisAligned_ = std::abs(inc) < (1 << 14);
            }
        } else if (dx) {
            const bool swapped = x1 > x2;
            if (swapped) {
                std::swap(x1, x2);
                std::swap(y1, y2);
            }
            const std::int64_t inc = ((y2 - y1) << 16) / (x2 - x1);
            std::int64_t y = y1 << 10;
            const std::int64_t x = (x1 + 32) >> 6, xs = (x2 + 32) >> 6;
            if (x != xs) {
                y += (((x << 6) + 32 - x1) * inc) >> 6;
                if (swapped)
                    set(x, y >> 16, kLeft);
                else
                    set(xs - 1, (y + (xs - x - 1) * inc) >> 16, kRight);
                lastAxisAligned_ = std::abs(inc) < (1 << 14);
            }
        }
    }

    /// The segment from (x1, y1) to (x2, y2); false when it lies wholly
    /// outside the device.
    bool segment(double x1, double y1, double x2, double y2, int caps)
    {
        if (!clipLine(x1, y1, x2, y2))
            return false;
        const std::int64_t fx1 = Fixed(x1), fy1 = Fixed(y1), fx2 = Fixed(x2), fy2 = Fixed(y2);
        const std::int64_t dx = std::abs(fx2 - fx1), dy = std::abs(fy2 - fy1);
        if (dx < dy)
            walk<true>(fx1, fy1, fx2, fy2, caps);
        else if (dx)
            walk<false>(fy1, fx1, fy2, fx2, caps);
        return true;
    }

    bool sameLast(std::int64_t x, std::int64_t y) const { return lastX_ == x && lastY_ == y; }
    std::int64_t lastX() const { return lastX_; }
    std::int64_t lastY() const { return lastY_; }

private:
    enum Dir { kNone = 0, kDown = 1, kUp = 2, kRight = 4, kLeft = 8, kVertical = 3, kHorizontal = 12 };

    static std::int64_t Fixed(double v) { return std::int64_t(v * 64.0); }

    /// Cuts the segment to just around the device, in real numbers, before
    /// the fixed-point walk: where a line leaves the device changes which
    /// pixels it takes inside, and Qt cuts it there too. False when nothing
    /// is left.
    bool clipLine(double& x1, double& y1, double& x2, double& y2)
    {
        const double xmin = t_.device.left() - 1, xmax = t_.device.right() + 2;
        const double ymin = t_.device.top() - 1, ymax = t_.device.bottom() + 2;
        if (x1 < xmin) {
            if (x2 <= xmin)
                return clipped();
            y1 += (y2 - y1) / (x2 - x1) * (xmin - x1);
            x1 = xmin;
        } else if (x1 > xmax) {
            if (x2 >= xmax)
                return clipped();
            y1 += (y2 - y1) / (x2 - x1) * (xmax - x1);
            x1 = xmax;
        }
        if (x2 < xmin) {
            lastX_ = -1;
            y2 += (y2 - y1) / (x2 - x1) * (xmin - x2);
            x2 = xmin;
        } else if (x2 > xmax) {
            lastX_ = -1;
            y2 += (y2 - y1) / (x2 - x1) * (xmax - x2);
            x2 = xmax;
        }
        if (y1 < ymin) {
            if (y2 <= ymin)
                return clipped();
            x1 += (x2 - x1) / (y2 - y1) * (ymin - y1);
            y1 = ymin;
        } else if (y1 > ymax) {
            if (y2 >= ymax)
                return clipped();
            x1 += (x2 - x1) / (y2 - y1) * (ymax - y1);
            y1 = ymax;
        }
        if (y2 < ymin) {
            lastX_ = -1;
            x2 += (x2 - x1) / (y2 - y1) * (ymin - y2);
            y2 = ymin;
        } else if (y2 > ymax) {
            lastX_ = -1;
            x2 += (x2 - x1) / (y2 - y1) * (ymax - y2);
            y2 = ymax;
        }
        return true;
    }
    bool clipped()
    {
        lastX_ = -1;
        return false;
    }

    void set(std::int64_t x, std::int64_t y, int dir)
    {
        lastX_ = x;
        lastY_ = y;
        lastDir_ = dir;
    }

    /// Walks the major axis m (y for steep segments) and steps the minor n.
    template <bool Steep>
    void walk(std::int64_t n1, std::int64_t m1, std::int64_t n2, std::int64_t m2, int caps)
    {
        int dir = Steep ? kDown : kRight;
        const bool swapped = m1 > m2;
        if (swapped) {
            std::swap(m1, m2);
            std::swap(n1, n2);
            caps = ((caps & CapBegin) << 1) | ((caps & CapEnd) >> 1);
            dir = Steep ? kUp : kLeft;
        }
        const std::int64_t inc = ((n2 - n1) << 16) / (m2 - m1);
        std::int64_t n = n1 << 10;
        // Turning back on itself gets half a pixel more at the turn.
        if ((lastDir_ ^ (Steep ? kVertical : kHorizontal)) == dir)
            caps |= swapped ? CapEnd : CapBegin;
        if (caps & CapBegin) {
            m1 -= 32;
            n -= inc >> 1;
        }
        if (caps & CapEnd)
            m2 += 32;
        std::int64_t m = (m1 + 32) >> 6, ms = (m2 + 32) >> 6;
        std::int64_t lastN = lastX_, lastM = lastY_;
        if (!Steep)
            std::swap(lastN, lastM);
        if (m == ms)
            return;
        n += (((m << 6) + 32 - m1) * inc) >> 6;
        std::int64_t firstN = n >> 16, firstM = m;
        std::int64_t endN = (n + (ms - m - 1) * inc) >> 16, endM = ms - 1;
        if (swapped) {
            std::swap(firstN, endN);
            std::swap(firstM, endM);
        }
        const bool axisAligned = std::abs(inc) < (1 << 14);
        if (lastX_ >= 0) {
            if (firstN == lastN && firstM == lastM) {
                // The previous segment drew this pixel already.
                if (swapped) {
                    --ms;
                } else {
                    ++m;
                    n += inc;
                }
            } else if (lastDir_ != dir
                       && ((axisAligned && lastAxisAligned_ && lastN != firstN && lastM != firstM)
                           || std::abs(lastN - firstN) > 1 || std::abs(lastM - firstM) > 1)) {
                // A corner would stay open: one pixel more.
                if (swapped) {
                    ++ms;
                } else {
                    --m;
                    n -= inc;
                }
            }
        }
        lastDir_ = dir;
        lastAxisAligned_ = axisAligned;
        do {
            if (Steep)
                pixel(int(n >> 16), int(m));
            else
                pixel(int(m), int(n >> 16));
            n += inc;
        } while (++m < ms);
        if (Steep) {
            lastX_ = endN;
            lastY_ = endM;
        } else {
            lastX_ = endM;
            lastY_ = endN;
        }
    }

    void pixel(int x, int y)
    {
        if (y == runY_ && x == runX1_) {
            ++runX1_;
            return;
        }
        flush();
        runY_ = y;
        runX0_ = x;
        runX1_ = x + 1;
    }
    void flush()
    {
        if (runX1_ > runX0_)
            PaintSpan(t_, runY_, runX0_, runX1_, p_);
        runX0_ = runX1_ = 0;
    }

    const Target& t_;
    const Paint& p_;
    std::int64_t lastX_ = -1, lastY_ = -1;
    int lastDir_ = kNone;
    bool lastAxisAligned_ = false;
    int runY_ = 0, runX0_ = 0, runX1_ = 0;
};

} // namespace

void Filler::ThinPath(const Target& t, const QPoint* points, int count, bool closed, QPoint offset, const Paint& p)
{
    if (count < 1)
        return;
    auto fx = [&](int i) { return double(points[i].x() + offset.x()); };
    auto fy = [&](int i) { return double(points[i].y() + offset.y()); };
    ThinPen pen(t, p);
    if (count == 1 || (count == 2 && points[0] == points[1])) {
        if (!closed)   // a line of no length is one pixel
            PaintSpan(t, points[0].y() + offset.y(), points[0].x() + offset.x(), points[0].x() + offset.x() + 1, p);
        return;
    }
    const bool shut = closed || points[0] == points[count - 1];
    // Open lines get round ends, which for a one-pixel pen means the last
    // pixel is drawn too.
    int caps = shut ? ThinPen::NoCaps : ThinPen::CapBegin;
    if (shut)
        pen.rememberEnd(fx(count - 1), fy(count - 1), fx(0), fy(0));
    else
        pen.reset();
    int from = 0;
    for (int i = 1; i < count; ++i) {
        if (!shut && i == count - 1)
            caps |= ThinPen::CapEnd;
        const std::int64_t lx = pen.lastX(), ly = pen.lastY();
        const bool inside = pen.segment(fx(from), fy(from), fx(i), fy(i), caps);
        // A segment too short to draw anything does not move the start of
        // the next one, so runs of close points leave no gaps.
        if (!inside || !pen.sameLast(lx, ly) || i == 1 || i == count - 1)
            from = i;
        caps = ThinPen::NoCaps;
    }
    if (closed)
        pen.segment(fx(from), fy(from), fx(0), fy(0), ThinPen::NoCaps);
}

void Filler::disc(const Target& t, double cx, double cy, double radius, const Paint& p)
{
    const int y0 = std::max(int(std::floor(cy - radius)), t.clip.top());
    const int y1 = std::min(int(std::ceil(cy + radius)), t.clip.bottom());
    for (int y = y0; y <= y1; ++y) {
        const double dy = y + 0.5 - cy;
        const double h2 = radius * radius - dy * dy;
        if (h2 < 0)
            continue;
        const double h = std::sqrt(h2);
        PaintSpan(t, y, int(std::floor(cx - h + 0.5)), int(std::floor(cx + h + 0.5)), p);
    }
}

void Filler::WidePath(const Target& t, const QPoint* points, int count, bool closed, int width, QPoint offset,
                      const Paint& p)
{
    if (count < 1)
        return;
    // A pen of width w is centred on the line: a band w wide along each
    // segment, and a disc w across at every point for the joins and ends.
    // Painting is opaque, so overlaps cost time but change nothing.
    const double h = width / 2.0;
    const int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i) {
        const QPoint a = points[i] + offset, b = points[(i + 1) % count] + offset;
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        const double len = std::hypot(dx, dy);
        if (len == 0)
            continue;
        const double nx = -dy / len * h, ny = dx / len * h;
        const double quad[8] = {a.x() + nx, a.y() + ny, b.x() + nx, b.y() + ny,
                                b.x() - nx, b.y() - ny, a.x() - nx, a.y() - ny};
        convex(t, quad, 4, p);
    }
    for (int i = 0; i < count; ++i) {
        const QPoint a = points[i] + offset;
        disc(t, a.x(), a.y(), h, p);
    }
}

Filler& SharedFiller()
{
    static Filler filler;
    return filler;
}

} // namespace spanfill
