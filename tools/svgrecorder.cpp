// SVG to flat polygons through a recording paint engine.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "svgrecorder.h"

#include <QFile>
#include <QLinearGradient>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QSvgRenderer>
#include <QTextItem>

#include <algorithm>
#include <cmath>

namespace {

// Colour of a brush at the given opacity, laid over \a under.
QColor flatten(const QColor& c, double opacity, const QColor& under)
{
    const double a = std::clamp(c.alphaF() * opacity, 0.0, 1.0);
    auto mix = [a](int top, int bottom) { return int(std::lround(top * a + bottom * (1 - a))); };
    return QColor(mix(c.red(), under.red()), mix(c.green(), under.green()), mix(c.blue(), under.blue()));
}

QColor averageStops(const QGradientStops& stops)
{
    if (stops.isEmpty())
        return Qt::black;
    double r = 0, g = 0, b = 0, a = 0;
    for (const auto& s : stops) {
        r += s.second.redF();
        g += s.second.greenF();
        b += s.second.blueF();
        a += s.second.alphaF();
    }
    const double n = stops.size();
    return QColor::fromRgbF(float(r / n), float(g / n), float(b / n), float(a / n));
}

int colourDistance(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

RecordedGradient describeGradient(const QBrush& brush)
{
    RecordedGradient g;
    const QGradient* grad = brush.gradient();
    if (!grad || grad->type() != QGradient::LinearGradient || grad->stops().size() < 2)
        return g;
    const auto* lin = static_cast<const QLinearGradient*>(grad);
    QPointF d = lin->finalStop() - lin->start();
    d = brush.transform().map(d) - brush.transform().map(QPointF(0, 0));
    const QGradientStops stops = grad->stops();
    const QColor first = stops.first().second, last = stops.last().second;
    bool vertical = std::abs(d.y()) >= std::abs(d.x());
    bool reversed = vertical ? d.y() < 0 : d.x() < 0;
    g.direction = vertical ? RecordedGradient::Direction::Vertical : RecordedGradient::Direction::Horizontal;
    if (stops.size() >= 3 && colourDistance(first, last) < 24) {
        // Same colour at both ends: a mirrored ramp with the middle stop's colour.
        g.mirrored = true;
        g.first = first;
        g.second = stops[stops.size() / 2].second;
    } else {
        g.first = reversed ? last : first;
        g.second = reversed ? first : last;
    }
    return g;
}

class Recorder final : public QPaintEngine {
public:
    Recorder(RecordedDrawing& out, const RecordOptions& opt)
        : QPaintEngine(QPaintEngine::AllFeatures), out_(out), opt_(opt)
    {
        frame_.addRect(QRectF(QPointF(0, 0), out.frame));
    }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& s) override
    {
        const auto flags = s.state();
        if (flags & DirtyTransform)
            transform_ = s.transform();
        if (flags & DirtyBrush)
            brush_ = s.brush();
        if (flags & DirtyPen)
            pen_ = s.pen();
        if (flags & DirtyOpacity)
            opacity_ = s.opacity();
        if (flags & DirtyFont)
            font_ = s.font();
    }

    void drawPath(const QPainterPath& path) override
    {
        if (brush_.style() != Qt::NoBrush)
            addFill(path, brush_);
        if (pen_.style() != Qt::NoPen && pen_.brush().style() != Qt::NoBrush) {
            QPainterPathStroker stroker(pen_);
            if (pen_.widthF() <= 0)
                stroker.setWidth(1.0 / std::max(1e-9, std::sqrt(std::abs(transform_.determinant()))));
            QPainterPath outline = stroker.createStroke(path);
            outline.setFillRule(Qt::WindingFill);
            addFill(outline, pen_.brush());
        }
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        QPainterPath path;
        if (count < 2)
            return;
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode == PolylineMode) {
            const QBrush saved = brush_;
            brush_ = Qt::NoBrush;
            drawPath(path);
            brush_ = saved;
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        drawPath(path);
    }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        RecordedText t;
        t.text = item.text();
        t.font = item.font();
        const double scale = std::sqrt(std::abs(transform_.determinant()));
        const double px = t.font.pixelSize() > 0 ? t.font.pixelSize() : t.font.pointSizeF() * 96.0 / 72.0;
        t.font.setPixelSize(std::max(1, int(std::lround(px * scale))));
        t.baseline = transform_.map(p);
        t.colour = flatten(pen_.color(), opacity_, opt_.background);
        out_.texts.push_back(t);
    }

private:
    void addFill(const QPainterPath& local, const QBrush& brush)
    {
        QPainterPath path = transform_.map(local);
        path.setFillRule(local.fillRule());
        if (path.fillRule() == Qt::WindingFill)
            path = path.simplified();   // even-odd filling of the result is then right
        if (!frame_.contains(path.boundingRect()))
            path = path.intersected(frame_);
        if (path.isEmpty())
            return;
        RecordedShape base;
        base.gradient = describeGradient(brush);
        const QColor source = brush.gradient() ? averageStops(brush.gradient()->stops()) : brush.color();
        base.sourceColour = QColor(source.red(), source.green(), source.blue());
        const QPointF centre = path.boundingRect().center();
        base.colour = flatten(source, opacity_, colourUnder(centre));
        if (base.gradient.direction != RecordedGradient::Direction::None) {
            base.gradient.first = flatten(base.gradient.first, opacity_, colourUnder(centre));
            base.gradient.second = flatten(base.gradient.second, opacity_, colourUnder(centre));
        }
        // One polygon per separate region keeps holes right under even-odd filling.
        for (QPolygonF& poly : SimplifiedFillPolygons(path, opt_.tolerance)) {
            if (poly.size() < 3)
                continue;
            RecordedShape s = base;
            s.polygon = std::move(poly);
            out_.shapes.push_back(std::move(s));
        }
    }

    // The colour already drawn at \a p: what a translucent shape lies on.
    QColor colourUnder(const QPointF& p) const
    {
        for (auto it = out_.shapes.rbegin(); it != out_.shapes.rend(); ++it)
            if (it->polygon.containsPoint(p, Qt::OddEvenFill))
                return it->colour;
        return opt_.background;
    }

    RecordedDrawing& out_;
    const RecordOptions& opt_;
    QPainterPath frame_;
    QTransform transform_;
    QBrush brush_;
    QPen pen_;
    QFont font_;
    double opacity_ = 1.0;
};

class RecordingDevice final : public QPaintDevice {
public:
    RecordingDevice(QSize size, Recorder* engine) : size_(size), engine_(engine) {}
    QPaintEngine* paintEngine() const override { return engine_; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmWidthMM: return size_.width() * 254 / 960;
        case PdmHeightMM: return size_.height() * 254 / 960;
        case PdmNumColors: return 0;
        case PdmDepth: return 32;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    QSize size_;
    Recorder* engine_;
};

double pointLineDistance(const QPointF& p, const QPointF& a, const QPointF& b)
{
    const QPointF d = b - a;
    const double len2 = d.x() * d.x() + d.y() * d.y();
    if (len2 <= 0)
        return std::hypot(p.x() - a.x(), p.y() - a.y());
    const double t = std::clamp(((p.x() - a.x()) * d.x() + (p.y() - a.y()) * d.y()) / len2, 0.0, 1.0);
    return std::hypot(p.x() - (a.x() + t * d.x()), p.y() - (a.y() + t * d.y()));
}

void douglasPeucker(const QPolygonF& pts, int first, int last, double tol, std::vector<bool>& keep)
{
    if (last <= first + 1)
        return;
    double worst = -1;
    int index = first;
    for (int i = first + 1; i < last; ++i) {
        const double d = pointLineDistance(pts[i], pts[first], pts[last]);
        if (d > worst) {
            worst = d;
            index = i;
        }
    }
    if (worst > tol) {
        keep[index] = true;
        douglasPeucker(pts, first, index, tol, keep);
        douglasPeucker(pts, index, last, tol, keep);
    }
}

} // namespace

QPolygonF SimplifyPolygon(const QPolygonF& closed, double tolerance)
{
    QPolygonF pts = closed;
    if (pts.size() > 1 && pts.first() == pts.last())
        pts.removeLast();
    if (pts.size() <= 3 || tolerance <= 0)
        return pts;
    // Split the ring at the corner farthest from the first, so both halves
    // are open lines.
    int far = 0;
    double best = -1;
    for (int i = 1; i < pts.size(); ++i) {
        const double d = std::hypot(pts[i].x() - pts[0].x(), pts[i].y() - pts[0].y());
        if (d > best) {
            best = d;
            far = i;
        }
    }
    QPolygonF ring = pts;
    ring.append(pts[0]);
    std::vector<bool> keep(std::size_t(ring.size()), false);
    keep[0] = keep[std::size_t(far)] = keep[std::size_t(ring.size() - 1)] = true;
    douglasPeucker(ring, 0, far, tolerance, keep);
    douglasPeucker(ring, far, int(ring.size() - 1), tolerance, keep);
    QPolygonF out;
    for (int i = 0; i < ring.size() - 1; ++i)
        if (keep[std::size_t(i)])
            out.append(ring[i]);
    if (out.size() < 3)
        return pts.size() >= 3 ? QPolygonF(pts.mid(0, 3)) : out;
    return out;
}

QList<QPolygonF> SimplifiedFillPolygons(const QPainterPath& path, double tolerance)
{
    QPainterPath simple;
    simple.setFillRule(path.fillRule());
    for (const QPolygonF& ring : path.toSubpathPolygons()) {
        const QPolygonF s = SimplifyPolygon(ring, tolerance);
        if (s.size() < 3)
            continue;
        simple.addPolygon(s);
        simple.closeSubpath();
    }
    QList<QPolygonF> out = simple.toFillPolygons();
    for (QPolygonF& p : out)
        if (p.size() > 1 && p.first() == p.last())
            p.removeLast();
    return out;
}

bool RecordSvgData(const QByteArray& svg, const RecordOptions& opt, RecordedDrawing& out, QString* error)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        if (error)
            *error = "not a readable SVG drawing";
        return false;
    }
    const QRectF view = opt.crop.isEmpty() ? renderer.viewBoxF() : opt.crop;
    if (view.width() <= 0 || view.height() <= 0) {
        if (error)
            *error = "the drawing has no size (viewBox)";
        return false;
    }
    renderer.setViewBox(view);
    QSizeF size = opt.size;
    if (size.isEmpty()) {
        const double s = opt.longSide / std::max(view.width(), view.height());
        size = QSizeF(std::round(view.width() * s), std::round(view.height() * s));
    }
    out = RecordedDrawing{};
    out.frame = size;
    out.view = view;
    Recorder engine(out, opt);
    RecordingDevice device(QSize(int(std::ceil(size.width())), int(std::ceil(size.height()))), &engine);
    QPainter painter(&device);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    painter.end();
    return true;
}

bool RecordSvg(const QString& svgPath, const RecordOptions& opt, RecordedDrawing& out, QString* error)
{
    QFile f(svgPath);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = "cannot read " + svgPath;
        return false;
    }
    return RecordSvgData(f.readAll(), opt, out, error);
}
