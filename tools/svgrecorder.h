// Turns an SVG drawing into flat, filled polygons with one colour each: the
// shapes the drawing archive can hold. Qt SVG does the parsing; a recording
// paint engine catches every shape it paints.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <vector>

/// A two-colour gradient seen in a fill, in the directions the archive's
/// layouts can draw.
struct RecordedGradient {
    enum class Direction { None, Vertical, Horizontal };
    Direction direction = Direction::None;
    bool mirrored = false;   ///< first colour at both ends, second in the middle
    QColor first, second;
};

struct RecordedShape {
    QPolygonF polygon;       ///< closed, in device units, even-odd filled
    QColor colour;           ///< solid; opacity already flattened
    QColor sourceColour;     ///< the colour as the SVG gave it (key detection)
    RecordedGradient gradient;
};

struct RecordedText {
    QString text;
    QFont font;              ///< pixel size in device units
    QPointF baseline;
    QColor colour;
};

struct RecordOptions {
    QRectF crop;             ///< part of the SVG to use, user units; empty: the viewBox
    double longSide = 1000;  ///< the frame's longer side in device units
    QSizeF size;             ///< exact device size instead (layouts); empty: use longSide
    double tolerance = 0.8;  ///< how far a simplified outline may stray, device units
    QColor background = Qt::white;   ///< what translucent shapes are flattened against
};

struct RecordedDrawing {
    QSizeF frame;            ///< device size; every shape is clipped to it
    QRectF view;             ///< the part of the SVG recorded, user units
    std::vector<RecordedShape> shapes;
    std::vector<RecordedText> texts;
};

/// Records \a svgPath. False with a message when the file cannot be read.
bool RecordSvg(const QString& svgPath, const RecordOptions& options, RecordedDrawing& out, QString* error);
/// The same from SVG bytes.
bool RecordSvgData(const QByteArray& svg, const RecordOptions& options, RecordedDrawing& out, QString* error);

/// Douglas-Peucker on a closed polygon; keeps at least three corners.
QPolygonF SimplifyPolygon(const QPolygonF& closed, double tolerance);

/// The regions of \a path as polygons to fill with the even-odd rule, one a
/// region, each ring simplified on its own before a region's holes are joined
/// to its outline (simplifying after the join would pull the joins apart into
/// thin slivers that show as stray lines).
QList<QPolygonF> SimplifiedFillPolygons(const QPainterPath& path, double tolerance);
