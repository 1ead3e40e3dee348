// Hand-made drawing archives for tests and the benchmark.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample_archive.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sample {

PictureElement Element(std::uint8_t kind, IntRect b, std::uint16_t fill, bool filled, std::int16_t pen,
                       Colour colour, int points)
{
    PictureElement e;
    e.Kind = kind;
    e.Bounds = b;
    e.Fill = fill;
    e.Filled = filled;
    e.PenWidth = pen;
    e.Colour = colour;
    if (kind == kKindLine) {
        e.Points = {{double(b.left), double(b.top)}, {double(b.right), double(b.bottom)}};
    } else if (kind == kKindPolygon || kind == kKindPolyline) {
        const double cx = (b.left + b.right) / 2.0, cy = (b.top + b.bottom) / 2.0;
        const double rx = (b.right - b.left) / 2.0, ry = (b.bottom - b.top) / 2.0;
        for (int k = 0; k < points; ++k) {
            const double t = 2 * std::numbers::pi * k / points;
            const double wobble = 0.9 + 0.1 * std::sin(5 * t);
            e.Points.push_back({cx + rx * wobble * std::cos(t), cy + ry * wobble * std::sin(t)});
        }
    }
    return e;
}

Picture VectorPicture(const std::string& name, std::vector<PictureElement> elements)
{
    Picture p;
    p.Kind = 1;
    p.Name = name;
    IntRect b{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const PictureElement& e : elements) {
        b.left = std::min<std::int32_t>({b.left, e.Bounds.left, e.Bounds.right});
        b.right = std::max<std::int32_t>({b.right, e.Bounds.left, e.Bounds.right});
        b.top = std::min<std::int32_t>({b.top, e.Bounds.top, e.Bounds.bottom});
        b.bottom = std::max<std::int32_t>({b.bottom, e.Bounds.top, e.Bounds.bottom});
        for (const PointF& pt : e.Points) {
            b.left = std::min(b.left, int(std::lrint(pt.x)));
            b.right = std::max(b.right, int(std::lrint(pt.x)));
            b.top = std::min(b.top, int(std::lrint(pt.y)));
            b.bottom = std::max(b.bottom, int(std::lrint(pt.y)));
        }
    }
    p.Vector.Bounds = b;
    p.Vector.Reference = {(b.left + b.right) / 2.0, (b.top + b.bottom) / 2.0};
    p.Vector.Elements = std::move(elements);
    return p;
}

namespace {

// One part: a main filled shape in the key colour (fill 49), then shading
// and detail polygons with tiles, outlines and a few lines.
Picture Part(const std::string& name, int w, int h, int shapes, int pointsEach)
{
    std::vector<PictureElement> els;
    els.push_back(Element(kKindPolygon, {0, 0, w, h}, 49, true, 2, 0x202020, pointsEach * 2));
    for (int i = 0; i < shapes; ++i) {
        const int x = (i * 37) % (w / 2 + 1), y = (i * 53) % (h / 2 + 1);
        const IntRect b{x, y, x + w / 5 + 2, y + h / 5 + 2};
        switch (i % 4) {
        case 0: els.push_back(Element(kKindPolygon, b, std::uint16_t(25 + i % 20), true, 0, 0, pointsEach)); break;
        case 1: els.push_back(Element(kKindPolygon, b, 49, true, 1, 0x101010, pointsEach)); break;
        case 2: els.push_back(Element(kKindEllipse, b, std::uint16_t(2 + i % 20), true, 1)); break;
        case 3: els.push_back(Element(kKindPolyline, b, 0, false, 2, 0x303030, pointsEach / 2)); break;
        }
    }
    return VectorPicture(name, std::move(els));
}

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

} // namespace

DataArchive PortraitArchive(int version, bool wide)
{
    DataArchive a;
    a.Version = version;
    a.WideFillTable = wide;
    a.DesignWidth = 551;
    a.DesignHeight = 450;
    for (int n = 1; n <= 252; ++n)
        a.Fills[n - 1] = {std::uint8_t((n * 7) % 216), std::uint8_t((n * 13) % 216), std::uint8_t(n % 45)};
    a.Fills[48] = {180, 215, 0};      // fill 49: the key fill, plain
    a.Fills[99] = {35, 215, 47};      // fill 100: vertical mirrored gradient (layouts)
    for (int n = 0; n < 8; ++n)
        a.Pictures.push_back(Part("head0" + std::to_string(n), 232, 282, 7, 40));
    for (int n = 0; n < 25; ++n)
        a.Pictures.push_back(Part("haar" + Two(n), 260, 250, 6, 36));
    for (int n = 0; n < 6; ++n)
        a.Pictures.push_back(Part("eye0" + std::to_string(n), 45, 23, 9, 20));
    for (int n = 0; n < 5; ++n)
        a.Pictures.push_back(Part("brow0" + std::to_string(n), 60, 10, 2, 16));
    for (int n = 0; n < 9; ++n)
        a.Pictures.push_back(Part("lip0" + std::to_string(n), 75, 16, 7, 20));
    for (int n = 0; n < 5; ++n)
        a.Pictures.push_back(Part("nose0" + std::to_string(n), 55, 14, 3, 16));
    for (int n = 0; n < 5; ++n)
        a.Pictures.push_back(Part("glass0" + std::to_string(n), 196, 75, 11, 24));

    Layout l;
    l.Name = "ansigt";
    l.BackColour = 0xF0CAA6;
    if (version >= 3)
        l.Text = "Ansigt";
    LayoutElement grad;
    grad.Kind = kKindRectangle;
    grad.Bounds = {0, 0, 550, 449};
    grad.Filled = true;
    grad.Fill = 100;
    grad.PenWidth = 0;
    l.Elements.push_back(grad);
    LayoutElement frame;
    frame.Kind = kKindRoundRect;
    frame.Bounds = {20, 20, 530, 430};
    frame.PenWidth = 3;
    frame.Colour = 0x800000;
    l.Elements.push_back(frame);
    LayoutElement poly;
    poly.Kind = kKindPolygon;
    poly.Filled = true;
    poly.Fill = 7;
    poly.PenWidth = 1;
    poly.Bounds = {10, 400, 100, 440};
    poly.Points = {{10, 440}, {55, 400}, {100, 440}};
    l.Elements.push_back(poly);
    LayoutElement text;
    text.Kind = kKindText;
    text.Bounds = {30, 30, 200, 60};
    text.PenWidth = 14;
    text.Colour = 0x000080;
    text.FontName = "Arial";
    text.FontStyle = 1;
    text.Text = "Mit ansigt";
    l.Elements.push_back(text);
    a.Layouts.push_back(std::move(l));
    return a;
}

} // namespace sample
