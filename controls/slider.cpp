// The slider controls.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "slider.h"

#include "chrome.h"   // MulDiv

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

// The groove's 8 x 8 checkerboard: shadow where x and y are both even or both
// odd, black elsewhere. One tile for all sliders.
const QBrush& GrooveBrush(const QColor& shadow)
{
    static QColor made;
    static QBrush brush;
    if (brush.style() == Qt::NoBrush || made != shadow) {
        QImage tile(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                tile.setPixel(x, y, (x % 2) == (y % 2) ? shadow.rgb() : qRgb(0, 0, 0));
        brush = QBrush(tile);
        made = shadow;
    }
    return brush;
}

// One pixel wide raised frame just inside (l, t, r, b): light on the top and
// left, dark on the bottom and right.
void Frame3D(QPainter& p, int l, int t, int r, int b, const QColor& topLeft, const QColor& bottomRight)
{
    if (r - l < 1 || b - t < 1)
        return;
    p.fillRect(l, t, r - l, 1, topLeft);
    p.fillRect(l, t, 1, b - t, topLeft);
    p.fillRect(l, b - 1, r - l, 1, bottomRight);
    p.fillRect(r - 1, t, 1, b - t, bottomRight);
}

} // namespace

TSlide::TSlide(Axis axis, QWidget* parent) : QWidget(parent), axis_(axis)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Not in the original design: the keys move the knob too, so the sliders
    // take the keyboard focus.
    setFocusPolicy(Qt::StrongFocus);
    if (axis_ == Axis::Horizontal)
        setGeometry(10, 10, 129, 17);
    else
        setGeometry(10, 10, 17, 129);
    UpdateKnob();
}

THSlide::THSlide(QWidget* parent) : TSlide(Axis::Horizontal, parent) {}
TVSlide::TVSlide(QWidget* parent) : TSlide(Axis::Vertical, parent) {}

QSize TSlide::sizeHint() const
{
    return axis_ == Axis::Horizontal ? QSize(129, 17) : QSize(17, 129);
}

int TSlide::length() const { return axis_ == Axis::Horizontal ? width() : height(); }
int TSlide::thickness() const { return axis_ == Axis::Horizontal ? height() : width(); }
int TSlide::along(const QPoint& p) const { return axis_ == Axis::Horizontal ? p.x() : p.y(); }

int TSlide::KnobSize() const
{
    return knobAutoSize_ ? thickness() : knobSize_;
}

void TSlide::UpdateKnob()
{
    const int k = KnobSize();
    trackLen_ = length() - k;
    const int x = MulDiv(trackLen_, position_ - min_, max_ - min_);
    if (axis_ == Axis::Horizontal)
        knob_ = {x, 0, x + k, height()};
    else
        knob_ = {0, x, width(), x + k};
}

// ---- properties ----

void TSlide::SetPosition(int v)
{
    if (v < min_ || v > max_)
        return;
    position_ = v;
    UpdateKnob();
    update();
}

void TSlide::SetMax(int v)
{
    if (v <= min_)
        return;
    max_ = v;
    if (v < position_)
        position_ = v;
    UpdateKnob();
    update();
}

void TSlide::SetMin(int v)
{
    if (v >= max_)
        return;
    min_ = v;
    if (v > position_)
        position_ = v;
    UpdateKnob();
    update();
}

void TSlide::SetIncrement(int v)
{
    // The stored step is 16 bits, as the property is.
    if (v == 0 || v < 0 || v > 32767 || v > max_ - min_)
        return;
    increment_ = v;
}

void TSlide::SetKnobSize(int v)
{
    if (v < 8 || v > length())
        return;
    knobSize_ = v;
    UpdateKnob();
    update();
}

void TSlide::SetKnobAutoSize(bool b)
{
    if (b == knobAutoSize_)
        return;
    knobAutoSize_ = b;
    UpdateKnob();
    update();
}

void TSlide::SetStops(bool b)
{
    stops_ = b;
}

void TSlide::SetNumGlyphs(int n)
{
    if (n == numGlyphs_ || n <= 0)
        return;
    numGlyphs_ = std::min(n, 255);   // a byte, as stored
    built_ = {};
    update();
}

void TSlide::SetGlyph(const QImage& glyph)
{
    if (glyph.isNull() || glyph.width() == 0 || glyph.height() == 0)
        return;
    glyph_ = glyph.convertToFormat(glyph.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (glyph_.width() % glyph_.height() == 0) {
        const int n = glyph_.width() / glyph_.height();
        numGlyphs_ = n > 4 ? 1 : n;
    }
    built_ = {};
    update();
}

void TSlide::ChangeScale(int M, int D)
{
    if (D == 0)
        return;
    const QRect g = geometry();
    setGeometry(MulDiv(g.x(), M, D), MulDiv(g.y(), M, D), MulDiv(g.width(), M, D), MulDiv(g.height(), M, D));
    SetKnobSize(MulDiv(knobSize_, M, D));
    UpdateKnob();
}

// ---- events ----

void TSlide::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (buffer_.size() != size())
        buffer_ = QImage(size(), QImage::Format_RGB32);
    UpdateKnob();
}

void TSlide::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
        // Disabling ends a drag in progress, without OnChange.
        state_ = isEnabled() ? Normal : Disabled;
        update();
    } else if (e->type() == QEvent::PaletteChange) {
        built_ = {};
        update();
    }
}

void TSlide::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    update();
}

void TSlide::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    update();
}

void TSlide::mousePressEvent(QMouseEvent* e)
{
    if (state_ != Normal)
        return;
    const QPoint pt = e->position().toPoint();
    downPoint_ = pt;
    if (pt.x() >= knob_.left && pt.x() < knob_.right && pt.y() >= knob_.top && pt.y() < knob_.bottom) {
        const int knobStart = axis_ == Axis::Horizontal ? knob_.left : knob_.top;
        grabOffset_ = KnobSize() / 2 + knobStart - along(pt);
        lastPoint_ = pt;
        state_ = Dragged;
        downPosition_ = position_;
        repaint();
        return;
    }
    downPosition_ = position_;
    const int a = along(pt);
    const int knobStart = axis_ == Axis::Horizontal ? knob_.left : knob_.top;
    const int knobEnd = axis_ == Axis::Horizontal ? knob_.right : knob_.bottom;
    if (a > knobEnd)
        position_ = std::min(position_ + increment_, max_);
    else if (a < knobStart)
        position_ = std::max(position_ - increment_, min_);
    if (position_ != downPosition_) {
        UpdateKnob();
        repaint();
        emit OnChange();
        emit OnSlideMove();
    }
}

void TSlide::mouseMoveEvent(QMouseEvent* e)
{
    if (state_ != Dragged)
        return;
    const QPoint pt = e->position().toPoint();
    if (along(pt) == along(lastPoint_))
        return;
    const int k = KnobSize();
    const int kx = grabOffset_ + along(pt) - k / 2;
    int p = trackLen_ > 0 ? MulDiv(max_ - min_, kx, trackLen_) + min_ : min_;
    p = std::clamp(p, min_, max_);
    if (!stops_ || max_ - min_ >= trackLen_) {
        // The knob follows the mouse pixel by pixel while it stays inside.
        if (kx >= 0 && kx + k <= length()) {
            if (axis_ == Axis::Horizontal)
                knob_ = {kx, 0, kx + k, height()};
            else
                knob_ = {0, kx, width(), kx + k};
            repaint();
            if (p != position_) {
                position_ = p;
                emit OnSlideMove();
            }
        }
    } else if (p != position_) {
        SetPosition(p);
        repaint();
        emit OnSlideMove();
    }
    lastPoint_ = pt;
}

void TSlide::mouseReleaseEvent(QMouseEvent*)
{
    if (state_ != Dragged)
        return;
    state_ = Normal;
    repaint();
    if (position_ != downPosition_)
        emit OnChange();
}

void TSlide::StepTo(int v)
{
    v = std::clamp(v, min_, max_);
    if (v == position_)
        return;
    position_ = v;
    UpdateKnob();
    repaint();
    emit OnChange();
    emit OnSlideMove();
}

void TSlide::keyPressEvent(QKeyEvent* e)
{
    if (state_ != Normal) {
        QWidget::keyPressEvent(e);
        return;
    }
    // As a Windows track bar: right, down and Page Down move towards Max.
    const int page = std::max(increment_, (max_ - min_) / 5);
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        StepTo(position_ - increment_);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        StepTo(position_ + increment_);
        break;
    case Qt::Key_PageUp:
        StepTo(position_ - page);
        break;
    case Qt::Key_PageDown:
        StepTo(position_ + page);
        break;
    case Qt::Key_Home:
        StepTo(min_);
        break;
    case Qt::Key_End:
        StepTo(max_);
        break;
    default:
        QWidget::keyPressEvent(e);
    }
}

// ---- painting ----

void TSlide::paintEvent(QPaintEvent*)
{
    if (buffer_.size() != size())
        buffer_ = QImage(size(), QImage::Format_RGB32);
    if (buffer_.isNull())
        return;
    {
        QPainter p(&buffer_);
        Paint(p);
    }
    QPainter screen(this);
    screen.drawImage(0, 0, buffer_);
}

void TSlide::Paint(QPainter& p)
{
    const QPalette& pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor light = pal.color(QPalette::Light);
    const QColor shadow = pal.color(QPalette::Dark);
    if (!isEnabled())
        state_ = Disabled;
    else if (state_ == Disabled)
        state_ = Normal;

    const int W = width(), H = height(), k = KnobSize();
    const int t = std::min(thickness(), k) / 8;
    int l, top, r, b;   // the groove line: the path of the knob's centre
    if (axis_ == Axis::Horizontal) {
        l = k / 2; r = W - k + k / 2; top = b = H / 2;
    } else {
        l = r = W / 2; top = k / 2; b = H - k + k / 2;
    }
    p.fillRect(0, 0, W, H, pal.color(backgroundRole()));
    if (t > 1) {
        l -= t; top -= t; r += t; b += t;
    } else if (axis_ == Axis::Horizontal) {
        top -= 2; b += 2;
    } else {
        l -= 2; r += 2;
    }
    Frame3D(p, l, top, r, b, shadow, light);
    if (r - l > 2 && b - top > 2)
        p.fillRect(l + 1, top + 1, r - l - 2, b - top - 2, GrooveBrush(shadow));

    // The knob: a black outline, raised frames, then the face.
    const IntRect& kn = knob_;
    p.fillRect(kn.left, kn.top, kn.right - kn.left, kn.bottom - kn.top, face);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    if (kn.right - kn.left >= 2 && kn.bottom - kn.top >= 2)
        p.drawRect(kn.left, kn.top, kn.right - kn.left - 1, kn.bottom - kn.top - 1);
    Frame3D(p, kn.left + 1, kn.top + 1, kn.right - 1, kn.bottom - 1, light, shadow);
    if (state_ == Normal)
        Frame3D(p, kn.left + 2, kn.top + 2, kn.right - 2, kn.bottom - 2, light, shadow);
    const QRect K(kn.left + 3, kn.top + 3, kn.right - kn.left - 6, kn.bottom - kn.top - 6);

    if (!glyph_.isNull() && K.width() > 0 && K.height() > 0) {
        const QImage& cell = Cell(state_);
        if (!cell.isNull()) {
            const int x = (K.left() + K.left() + K.width() - cell.width()) / 2;
            const int y = (K.top() + K.top() + K.height() - cell.height()) / 2;
            p.save();
            p.setClipRect(K);
            p.drawImage(x, y, cell);
            p.restore();
        }
    }
    // Where the keyboard is (not in the original, which had no keys).
    if (hasFocus() && K.width() > 4 && K.height() > 4) {
        QPen dots(Qt::black, 1, Qt::DotLine);
        p.setPen(dots);
        p.drawRect(K.adjusted(1, 1, -2, -2));
    }
}

bool TSlide::transparentAt(int x, int y) const
{
    if (glyph_.hasAlphaChannel())
        return qAlpha(glyph_.pixel(x, y)) < 128;
    // A picture without alpha is transparent where it has the colour of its
    // bottom-left pixel.
    return glyph_.pixel(x, y) == glyph_.pixel(0, glyph_.height() - 1);
}

const QImage& TSlide::Cell(KnobState state)
{
    static const QImage none;
    if (glyph_.isNull())
        return none;
    if (!built_[state])
        BuildCell(state);
    return cells_[state];
}

void TSlide::BuildCell(KnobState state)
{
    const int n = std::max(1, numGlyphs_);
    const int cw = glyph_.width() / n, ch = glyph_.height();
    QImage& cell = cells_[state];
    built_[state] = true;
    if (cw <= 0 || ch <= 0) {
        cell = QImage();
        return;
    }
    const QPalette& pal = palette();
    cell = QImage(cw, ch, QImage::Format_RGB32);
    cell.fill(pal.color(QPalette::Button));
    if (state == Disabled && n == 1) {
        // Embossed: the picture's dark parts in the highlight colour one
        // pixel right and down, and in the shadow colour on top of that.
        const QRgb light = pal.color(QPalette::Light).rgb();
        const QRgb shadow = pal.color(QPalette::Dark).rgb();
        auto inked = [&](int x, int y) {
            if (transparentAt(x, y))
                return false;
            const QRgb c = glyph_.pixel(x, y);
            return qGray(c) < 192;
        };
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x)
                if (inked(x, y) && x + 1 < cw && y + 1 < ch)
                    cell.setPixel(x + 1, y + 1, light);
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x)
                if (inked(x, y))
                    cell.setPixel(x, y, shadow);
        return;
    }
    const int i = state < n ? int(state) : 0;
    for (int y = 0; y < ch; ++y)
        for (int x = 0; x < cw; ++x)
            if (!transparentAt(i * cw + x, y))
                cell.setPixel(x, y, qRgb(qRed(glyph_.pixel(i * cw + x, y)), qGreen(glyph_.pixel(i * cw + x, y)),
                                         qBlue(glyph_.pixel(i * cw + x, y))));
}
