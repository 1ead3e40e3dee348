// A small GDI-like canvas over QPainter.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"

#include "qansi.h"

#include <QFontMetrics>
#include <QPaintDevice>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Qt strokes an integer coordinate through the centre of that pixel when
// smoothing is off, as GDI does. A pen of width w that must stay inside a
// box therefore runs w-1 half pixels in from the box's outer pixels.
QRectF FrameGeometry(int l, int t, int r, int b, int penWidth, bool inside)
{
    const double a = inside ? (penWidth - 1) / 2.0 : 0.0;
    double w = (r - 1 - l) - 2 * a;
    double h = (b - 1 - t) - 2 * a;
    double x = l + a, y = t + a;
    if (w < 0) { x = l + (r - 1 - l) / 2.0; w = 0; }
    if (h < 0) { y = t + (b - 1 - t) / 2.0; h = 0; }
    return QRectF(x, y, w, h);
}

void Normalize(int& l, int& t, int& r, int& b)
{
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
}

} // namespace

Canvas::Canvas(QPaintDevice* device) : device_(device)
{
    stack_.reserve(8);
    painter_.begin(device);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    pen_.setCapStyle(Qt::RoundCap);
    pen_.setJoinStyle(Qt::RoundJoin);
    // Taken after begin(), which has made the image's pixels its own: the
    // painter and the span filler then write the same memory.
    if (painter_.isActive() && device->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(device);
        const QImage::Format f = image->format();
        if (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied) {
            bits_ = reinterpret_cast<std::uint32_t*>(image->bits());
            stride_ = image->bytesPerLine() / 4;
            deviceRect_ = image->rect();
        }
    }
}

Canvas::~Canvas()
{
    if (painter_.isActive())
        painter_.end();
}

int Canvas::width() const { return device_->width(); }
int Canvas::height() const { return device_->height(); }

void Canvas::Save()
{
    stack_.push_back(st_);
    painter_.save();
}

void Canvas::Restore()
{
    if (stack_.empty())
        return;
    if (st_.fontName != stack_.back().fontName || st_.fontSize != stack_.back().fontSize
        || st_.fontStyle != stack_.back().fontStyle)
        fontDirty_ = true;
    st_ = std::move(stack_.back());
    stack_.pop_back();
    painter_.restore();
}

void Canvas::SetPen(Colour colour, int width, PenStyle style)
{
    st_.penColour = colour;
    st_.penWidth = width;
    st_.penStyle = style;
}
void Canvas::SetPenColour(Colour colour) { st_.penColour = colour; }
void Canvas::SetPenWidth(int width) { st_.penWidth = width; }
void Canvas::SetPenStyle(PenStyle style) { st_.penStyle = style; }
void Canvas::SetPenMode(PenMode mode)
{
    st_.penMode = mode;
    painter_.setCompositionMode(mode == PenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                        : QPainter::CompositionMode_SourceOver);
}
void Canvas::SetBrushColour(Colour colour) { st_.brushColour = colour; }
void Canvas::SetBrushStyle(BrushStyle style) { st_.brushStyle = style; }
void Canvas::SetSolidBrush(Colour colour)
{
    st_.brushColour = colour;
    st_.brushStyle = BrushStyle::Solid;
}
void Canvas::SetPatternBrush(const QBrush* pattern)
{
    st_.pattern = pattern;
    st_.brushStyle = pattern ? BrushStyle::Pattern : BrushStyle::Solid;
}

void Canvas::SetFont(const QString& name, int pointSize, unsigned style)
{
    st_.fontName = name;
    st_.fontSize = pointSize;
    st_.fontStyle = style;
    fontDirty_ = true;
}
void Canvas::SetFontName(const QString& name)
{
    if (st_.fontName != name) {
        st_.fontName = name;
        fontDirty_ = true;
    }
}
void Canvas::SetFontSize(int pointSize)
{
    if (st_.fontSize != pointSize) {
        st_.fontSize = pointSize;
        fontDirty_ = true;
    }
}
void Canvas::SetFontColour(Colour colour) { st_.fontColour = colour; }

void Canvas::SetClipRect(const IntRect& box)
{
    int l = box.left, t = box.top, r = box.right, b = box.bottom;
    Normalize(l, t, r, b);
    SetClipRegion(QRegion(l, t, r - l, b - t));
}
void Canvas::SetClipRegion(const QRegion& region)
{
    st_.clipped = true;
    st_.clip = region;
    // The painter maps the region through the origin in force now.
    st_.clipBox = region.boundingRect().translated(st_.origin);
    st_.clipIsBox = region.rectCount() <= 1;
    painter_.setClipRegion(region);
}
void Canvas::ClearClip()
{
    st_.clipped = false;
    st_.clip = QRegion();
    st_.clipBox = QRect();
    st_.clipIsBox = true;
    painter_.setClipping(false);
}
void Canvas::SetOrigin(int dx, int dy)
{
    st_.origin = QPoint(dx, dy);
    painter_.resetTransform();
    painter_.translate(dx, dy);
    // Patterns stay aligned to the device, as GDI aligns them.
    painter_.setBrushOrigin(-dx, -dy);
}

bool Canvas::BeginRamp(const QRgb* colours, int length, int start, bool vertical)
{
    rampActive_ = false;
    if (!colours || length <= 0 || !bits_ || (st_.clipped && !st_.clipIsBox))
        return false;
    ramp_.kind = vertical ? spanfill::Paint::RampY : spanfill::Paint::RampX;
    ramp_.ramp = colours;
    ramp_.rampLength = length;
    ramp_.rampStart = start + (vertical ? st_.origin.y() : st_.origin.x());
    rampActive_ = true;
    return true;
}

void Canvas::EndRamp() { rampActive_ = false; }

bool Canvas::spanTarget(spanfill::Target& t) const
{
    if (!bits_)
        return false;
    // A ramp paints in copy mode whatever the pen mode says.
    if (!rampActive_ && st_.penMode != PenMode::Copy)
        return false;
    if (st_.clipped && !st_.clipIsBox)
        return false;
    t.bits = bits_;
    t.stride = stride_;
    t.clip = st_.clipped ? deviceRect_ & st_.clipBox : deviceRect_;
    t.device = deviceRect_;
    return true;
}

bool Canvas::brushPaint(spanfill::Paint& p, bool& supported)
{
    supported = true;
    if (rampActive_) {
        p = ramp_;
        return true;
    }
    switch (st_.brushStyle) {
    case BrushStyle::Clear:
        return false;
    case BrushStyle::Pattern:
        if (st_.pattern) {
            const QBrush& b = *st_.pattern;
            if (b.style() == Qt::SolidPattern && b.color().alpha() == 255) {
                p.kind = spanfill::Paint::Solid;
                p.colour = b.color().rgb();
                return true;
            }
            if (b.style() == Qt::TexturePattern) {
                const QImage tex = b.textureImage();
                const QImage::Format f = tex.format();
                if (tex.width() == 8 && tex.height() == 8 && f == QImage::Format_RGB32) {
                    for (int y = 0; y < 8; ++y)
                        std::memcpy(tile_ + 8 * y, tex.constScanLine(y), 8 * sizeof(QRgb));
                    p.kind = spanfill::Paint::Tile;
                    p.tile = tile_;
                    return true;
                }
            }
            supported = false;
            return false;
        }
        [[fallthrough]];
    case BrushStyle::Solid:
        p.kind = spanfill::Paint::Solid;
        p.colour = ToQRgb(st_.brushColour);
        return true;
    }
    return false;
}

bool Canvas::spanPaints(SpanPaints& sp, bool closedShape)
{
    bool supported = true;
    sp.fill = closedShape && brushPaint(sp.fillPaint, supported);
    if (!supported)
        return false;
    if (rampActive_) {
        sp.pen = SpanPaints::Pen::Thin;
        sp.penPaint = ramp_;
        sp.penWidth = 1;
        return true;
    }
    sp.penPaint.kind = spanfill::Paint::Solid;
    sp.penPaint.colour = ToQRgb(st_.penColour);
    sp.penWidth = std::max(1, st_.penWidth);
    switch (st_.penStyle) {
    case PenStyle::Invisible:
        sp.pen = SpanPaints::Pen::None;
        return true;
    case PenStyle::Dotted:
        sp.pen = SpanPaints::Pen::Painter;
        return true;
    case PenStyle::Solid:
        // A wide solid pen is centred on a frame's edge; only lines share
        // that with the inside-frame pen.
        if (sp.penWidth > 1 && closedShape)
            return false;
        [[fallthrough]];
    case PenStyle::InsideFrame:
        sp.pen = sp.penWidth > 1 ? SpanPaints::Pen::Wide : SpanPaints::Pen::Thin;
        return true;
    }
    return false;
}

void Canvas::painterOutlineOnly()
{
    applyPen(false);
    painter_.setBrush(Qt::NoBrush);
}

// Sets the painter's pen from the state; a width below 1 draws as 1 pixel.
void Canvas::applyPen(bool forFrame)
{
    if (st_.penStyle == PenStyle::Invisible) {
        painter_.setPen(Qt::NoPen);
        return;
    }
    const int w = std::max(1, st_.penWidth);
    pen_.setColor(ToQColor(st_.penColour));
    pen_.setWidth(w);
    if (st_.penStyle == PenStyle::Dotted) {
        static const QList<qreal> dots{1, 1};
        pen_.setDashPattern(dots);
    } else {
        pen_.setStyle(Qt::SolidLine);
    }
    pen_.setJoinStyle(forFrame ? Qt::MiterJoin : Qt::RoundJoin);
    pen_.setCapStyle(forFrame ? Qt::SquareCap : Qt::RoundCap);
    painter_.setPen(pen_);
}

void Canvas::applyBrush()
{
    switch (st_.brushStyle) {
    case BrushStyle::Clear:
        painter_.setBrush(Qt::NoBrush);
        break;
    case BrushStyle::Pattern:
        if (st_.pattern) {
            painter_.setBrush(*st_.pattern);
            break;
        }
        [[fallthrough]];
    case BrushStyle::Solid:
        painter_.setBrush(ToQColor(st_.brushColour));
        break;
    }
}

void Canvas::Rectangle(int l, int t, int r, int b)
{
    Normalize(l, t, r, b);
    if (r == l || b == t)
        return;
    spanfill::Target target;
    SpanPaints sp;
    if (spanTarget(target) && spanPaints(sp, true)) {
        spanfill::Filler& f = spanfill::SharedFiller();
        const QPoint o = st_.origin;
        l += o.x(), r += o.x(), t += o.y(), b += o.y();
        switch (sp.pen) {
        case SpanPaints::Pen::None:
            if (sp.fill)
                f.Box(target, l, t, r, b, sp.fillPaint);
            return;
        case SpanPaints::Pen::Thin:
        case SpanPaints::Pen::Wide: {
            const int w = sp.penWidth;
            if (sp.fill && r - l > 2 * w && b - t > 2 * w)
                f.Box(target, l + w, t + w, r - w, b - w, sp.fillPaint);
            f.BoxFrame(target, l, t, r, b, w, sp.penPaint);
            return;
        }
        case SpanPaints::Pen::Painter:
            // The painter fills up to the pen's line, which runs through the
            // last column and row; it draws the dots itself.
            if (sp.fill)
                f.Box(target, l, t, r - 1, b - 1, sp.fillPaint);
            painterOutlineOnly();
            painter_.drawRect(FrameGeometry(l - o.x(), t - o.y(), r - o.x(), b - o.y(), 1, false));
            return;
        }
    }
    applyBrush();
    if (st_.penStyle == PenStyle::Invisible) {
        painter_.setPen(Qt::NoPen);
        painter_.drawRect(QRectF(l, t, r - l, b - t));
        return;
    }
    applyPen(true);
    painter_.drawRect(FrameGeometry(l, t, r, b, std::max(1, st_.penWidth), st_.penStyle == PenStyle::InsideFrame));
}

void Canvas::RoundRect(int l, int t, int r, int b, int cw, int ch)
{
    Normalize(l, t, r, b);
    if (r == l || b == t)
        return;
    spanfill::Target target;
    SpanPaints sp;
    if (spanTarget(target) && spanPaints(sp, true)) {
        spanfill::Filler& f = spanfill::SharedFiller();
        const QPoint o = st_.origin;
        const spanfill::Paint* fill = sp.fill ? &sp.fillPaint : nullptr;
        switch (sp.pen) {
        case SpanPaints::Pen::None:
            f.RoundBox(target, l + o.x(), t + o.y(), r + o.x(), b + o.y(), cw, ch, 0, nullptr, fill);
            return;
        case SpanPaints::Pen::Thin:
        case SpanPaints::Pen::Wide:
            f.RoundBox(target, l + o.x(), t + o.y(), r + o.x(), b + o.y(), cw, ch, sp.penWidth, &sp.penPaint, fill);
            return;
        case SpanPaints::Pen::Painter:
            f.RoundBox(target, l + o.x(), t + o.y(), r - 1 + o.x(), b - 1 + o.y(), cw, ch, 0, nullptr, fill);
            painterOutlineOnly();
            painter_.drawRoundedRect(FrameGeometry(l, t, r, b, 1, false), std::max(0, cw) / 2.0, std::max(0, ch) / 2.0);
            return;
        }
    }
    applyBrush();
    const double rx = std::max(0, cw) / 2.0, ry = std::max(0, ch) / 2.0;
    if (st_.penStyle == PenStyle::Invisible) {
        painter_.setPen(Qt::NoPen);
        painter_.drawRoundedRect(QRectF(l, t, r - l, b - t), rx, ry);
        return;
    }
    applyPen(false);
    painter_.drawRoundedRect(FrameGeometry(l, t, r, b, std::max(1, st_.penWidth), st_.penStyle == PenStyle::InsideFrame),
                             rx, ry);
}

void Canvas::Ellipse(int l, int t, int r, int b)
{
    Normalize(l, t, r, b);
    if (r == l || b == t)
        return;
    spanfill::Target target;
    SpanPaints sp;
    if (spanTarget(target) && spanPaints(sp, true)) {
        spanfill::Filler& f = spanfill::SharedFiller();
        const QPoint o = st_.origin;
        const spanfill::Paint* fill = sp.fill ? &sp.fillPaint : nullptr;
        switch (sp.pen) {
        case SpanPaints::Pen::None:
            f.Ellipse(target, l + o.x(), t + o.y(), r + o.x(), b + o.y(), 0, nullptr, fill);
            return;
        case SpanPaints::Pen::Thin:
        case SpanPaints::Pen::Wide:
            f.Ellipse(target, l + o.x(), t + o.y(), r + o.x(), b + o.y(), sp.penWidth, &sp.penPaint, fill);
            return;
        case SpanPaints::Pen::Painter:
            f.Ellipse(target, l + o.x(), t + o.y(), r - 1 + o.x(), b - 1 + o.y(), 0, nullptr, fill);
            painterOutlineOnly();
            painter_.drawEllipse(FrameGeometry(l, t, r, b, 1, false));
            return;
        }
    }
    applyBrush();
    if (st_.penStyle == PenStyle::Invisible) {
        painter_.setPen(Qt::NoPen);
        painter_.drawEllipse(QRectF(l, t, r - l, b - t));
        return;
    }
    applyPen(false);
    painter_.drawEllipse(FrameGeometry(l, t, r, b, std::max(1, st_.penWidth), st_.penStyle == PenStyle::InsideFrame));
}

void Canvas::Polygon(const QPoint* points, int count)
{
    if (count < 2)
        return;
    spanfill::Target target;
    SpanPaints sp;
    if (spanTarget(target) && spanPaints(sp, true)) {
        spanfill::Filler& f = spanfill::SharedFiller();
        if (sp.fill)
            f.Polygon(target, points, count, st_.origin, sp.fillPaint);
        switch (sp.pen) {
        case SpanPaints::Pen::None: break;
        case SpanPaints::Pen::Thin: f.ThinPath(target, points, count, true, st_.origin, sp.penPaint); break;
        case SpanPaints::Pen::Wide:
            f.WidePath(target, points, count, true, sp.penWidth, st_.origin, sp.penPaint);
            break;
        case SpanPaints::Pen::Painter:
            painterOutlineOnly();
            painter_.drawPolygon(points, count, Qt::OddEvenFill);
            break;
        }
        return;
    }
    applyBrush();
    applyPen(false);
    painter_.drawPolygon(points, count, Qt::OddEvenFill);
}

void Canvas::Polyline(const QPoint* points, int count)
{
    if (count < 2)
        return;
    spanfill::Target target;
    SpanPaints sp;
    if (spanTarget(target) && spanPaints(sp, false) && sp.pen != SpanPaints::Pen::Painter) {
        spanfill::Filler& f = spanfill::SharedFiller();
        if (sp.pen == SpanPaints::Pen::Thin)
            f.ThinPath(target, points, count, false, st_.origin, sp.penPaint);
        else if (sp.pen == SpanPaints::Pen::Wide)
            f.WidePath(target, points, count, false, sp.penWidth, st_.origin, sp.penPaint);
        return;
    }
    applyPen(false);
    painter_.drawPolyline(points, count);
}

void Canvas::Line(int x0, int y0, int x1, int y1)
{
    const QPoint points[2] = {{x0, y0}, {x1, y1}};
    spanfill::Target target;
    SpanPaints sp;
    if (spanTarget(target) && spanPaints(sp, false) && sp.pen != SpanPaints::Pen::Painter) {
        spanfill::Filler& f = spanfill::SharedFiller();
        if (sp.pen == SpanPaints::Pen::Thin)
            f.ThinPath(target, points, 2, false, st_.origin, sp.penPaint);
        else if (sp.pen == SpanPaints::Pen::Wide)
            f.WidePath(target, points, 2, false, sp.penWidth, st_.origin, sp.penPaint);
        return;
    }
    applyPen(false);
    painter_.drawLine(x0, y0, x1, y1);
}

const QFont& Canvas::font()
{
    if (fontDirty_) {
        font_ = QFont(st_.fontName);
        font_.setPointSize(std::max(1, st_.fontSize));
        font_.setBold(st_.fontStyle & 1);
        font_.setItalic(st_.fontStyle & 2);
        font_.setUnderline(st_.fontStyle & 4);
        font_.setStrikeOut(st_.fontStyle & 8);
        font_.setStyleStrategy(QFont::NoAntialias);
        fontDirty_ = false;
    }
    return font_;
}

void Canvas::applyFont()
{
    painter_.setFont(font());
    painter_.setPen(ToQColor(st_.fontColour));
}

void Canvas::TextOut(int x, int y, std::string_view text)
{
    TextOut(x, y, ansi::ToQString(std::string(text)));
}

void Canvas::TextOut(int x, int y, const QString& text)
{
    if (text.isEmpty())
        return;
    applyFont();
    const QFontMetrics fm(font_, device_);
    if (st_.brushStyle != BrushStyle::Clear)
        painter_.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), ToQColor(st_.brushColour));
    painter_.drawText(QPoint(x, y + fm.ascent()), text);
}

void Canvas::DrawText(const IntRect& box, const QString& text, unsigned flags)
{
    applyFont();
    int align = 0;
    align |= (flags & DT_CENTER) ? Qt::AlignHCenter : (flags & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    if (flags & DT_SINGLELINE)
        align |= (flags & DT_VCENTER) ? Qt::AlignVCenter : (flags & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
    else
        align |= Qt::AlignTop | Qt::TextWordWrap;
    if (flags & DT_SINGLELINE)
        align |= Qt::TextSingleLine;
    painter_.drawText(QRect(box.left, box.top, box.right - box.left, box.bottom - box.top), align, text);
}

int Canvas::TextWidth(const QString& text)
{
    return QFontMetrics(font(), device_).horizontalAdvance(text);
}

int Canvas::TextHeight(const QString&)
{
    return QFontMetrics(font(), device_).height();
}

void Canvas::FillRect(const IntRect& box)
{
    int l = box.left, t = box.top, r = box.right, b = box.bottom;
    Normalize(l, t, r, b);
    if (r == l || b == t)
        return;
    spanfill::Target target;
    if (spanTarget(target)) {
        spanfill::Paint p;
        bool supported = true;
        if (brushPaint(p, supported)) {
            spanfill::SharedFiller().Box(target, l + st_.origin.x(), t + st_.origin.y(), r + st_.origin.x(),
                                         b + st_.origin.y(), p);
            return;
        }
        if (supported)
            return;   // a clear brush fills nothing
    }
    const QRect q(l, t, r - l, b - t);
    if (st_.brushStyle == BrushStyle::Pattern && st_.pattern)
        painter_.fillRect(q, *st_.pattern);
    else if (st_.brushStyle != BrushStyle::Clear)
        painter_.fillRect(q, ToQColor(st_.brushColour));
}

void Canvas::Draw(int x, int y, const QImage& image)
{
    painter_.drawImage(QPoint(x, y), image);
}

void Canvas::CopyRect(const IntRect& dest, const QImage& image, const IntRect& src)
{
    painter_.drawImage(QRect(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top), image,
                       QRect(src.left, src.top, src.right - src.left, src.bottom - src.top));
}

void Canvas::StretchDraw(const IntRect& dest, const QImage& image)
{
    painter_.drawImage(QRect(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top), image);
}
