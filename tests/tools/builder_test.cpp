// The archive builder: SVG flattening, colour quantisation, the key fill.
#include "../support/tempdir.h"
#include "archivebuilder.h"
#include "archivewriter.h"
#include "drawing.h"
#include "fillquant.h"
#include "svgrecorder.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

namespace {

RecordedDrawing record(const char* svg, double longSide = 100, double tolerance = 0.01)
{
    RecordOptions opt;
    opt.longSide = longSide;
    opt.tolerance = tolerance;
    RecordedDrawing d;
    QString error;
    EXPECT_TRUE(RecordSvgData(QByteArray(svg), opt, d, &error)) << qPrintable(error);
    return d;
}

bool hasCorner(const QPolygonF& poly, QPointF p, double tol = 0.05)
{
    for (QPointF q : poly)
        if (std::hypot(q.x() - p.x(), q.y() - p.y()) < tol)
            return true;
    return false;
}

void writeFile(const std::string& path, const char* text)
{
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

TEST(SvgRecorder, TransformsAndPackedNumbers)
{
    // A 20 x 10 rectangle turned a quarter round (20, 20); a triangle written
    // with packed numbers; both inside a group that moves them by (10, 0).
    const auto d = record(R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
        <g transform="translate(10 0)">
          <rect x="20" y="20" width="20" height="10" transform="rotate(90 20 20)" fill="#ff0000"/>
          <path d="M50.5.5L60.5.5 55.5 10.5z" fill="#0000ff"/>
        </g></svg>)svg");
    ASSERT_EQ(d.shapes.size(), 2u);
    const QPolygonF& rect = d.shapes[0].polygon;
    EXPECT_EQ(rect.size(), 4);
    for (QPointF p : {QPointF(30, 20), QPointF(30, 40), QPointF(20, 40), QPointF(20, 20)})
        EXPECT_TRUE(hasCorner(rect, p)) << p.x() << "," << p.y();
    EXPECT_EQ(d.shapes[0].colour, QColor(255, 0, 0));
    const QPolygonF& tri = d.shapes[1].polygon;
    EXPECT_EQ(tri.size(), 3);
    for (QPointF p : {QPointF(60.5, 0.5), QPointF(70.5, 0.5), QPointF(65.5, 10.5)})
        EXPECT_TRUE(hasCorner(tri, p));
}

TEST(SvgRecorder, ArcsBecomeFaithfulPolygons)
{
    // A half disc of radius 40 drawn with an elliptical arc.
    const auto d = record(R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
        <path d="M10 50a40 40 0 0 0 80 0z" fill="#000"/></svg>)svg", 100, 0.2);
    ASSERT_EQ(d.shapes.size(), 1u);
    const QPolygonF& p = d.shapes[0].polygon;
    EXPECT_GT(p.size(), 8);
    EXPECT_LT(p.size(), 200);
    const QRectF box = p.boundingRect();
    EXPECT_NEAR(box.left(), 10, 0.3);
    EXPECT_NEAR(box.right(), 90, 0.3);
    EXPECT_NEAR(box.top(), 50, 0.3);
    EXPECT_NEAR(box.bottom(), 90, 0.3);
    for (QPointF q : p)
        if (q.y() > 50.5) {
            EXPECT_NEAR(std::hypot(q.x() - 50, q.y() - 50), 40, 0.3);
        }
}

TEST(SvgRecorder, UseInheritedNoneOpacityAndHoles)
{
    const auto d = record(R"svg(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" viewBox="0 0 100 100">
        <defs><rect id="r" width="10" height="10"/></defs>
        <g fill="none"><circle cx="50" cy="50" r="20"/>
          <rect x="0" y="80" width="10" height="10" fill="#00ff00"/></g>
        <use xlink:href="#r" x="80" y="0" fill="#000000"/>
        <rect x="40" y="0" width="10" height="10" fill="#000000" opacity="0.5"/>
        <path d="M60 60h30v30h-30z M70 70v10h10v-10z" fill="#ff0000"/>
        </svg>)svg");
    ASSERT_EQ(d.shapes.size(), 4u);   // the unfilled circle draws nothing
    EXPECT_EQ(d.shapes[0].colour, QColor(0, 255, 0));
    EXPECT_TRUE(hasCorner(d.shapes[1].polygon, QPointF(90, 10)));   // <use> moved by (80, 0)
    EXPECT_NEAR(d.shapes[2].colour.red(), 128, 1);   // half black over white
    // The square with a square hole stays one even-odd shape: its centre is empty.
    EXPECT_FALSE(d.shapes[3].polygon.containsPoint(QPointF(75, 75), Qt::OddEvenFill));
    EXPECT_TRUE(d.shapes[3].polygon.containsPoint(QPointF(65, 65), Qt::OddEvenFill));
}

TEST(SvgRecorder, ShapesAreClippedToTheFrame)
{
    const auto d = record(R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 50">
        <rect x="-20" y="-20" width="200" height="40" fill="#000"/></svg>)svg");
    ASSERT_EQ(d.shapes.size(), 1u);
    const QRectF box = d.shapes[0].polygon.boundingRect();
    EXPECT_GE(box.left(), -0.01);
    EXPECT_LE(box.right(), 100.01);
    EXPECT_GE(box.top(), -0.01);
}

TEST(SvgRecorder, SimplifyKeepsTheShape)
{
    QPolygonF circle;
    for (int k = 0; k < 720; ++k)
        circle << QPointF(100 + 50 * std::cos(k * M_PI / 360), 100 + 50 * std::sin(k * M_PI / 360));
    const QPolygonF s = SimplifyPolygon(circle, 0.5);
    EXPECT_LT(s.size(), 60);
    EXPECT_GT(s.size(), 12);
    for (QPointF p : s)
        EXPECT_NEAR(std::hypot(p.x() - 100, p.y() - 100), 50, 0.01);
}

TEST(FillQuantizer, CubeColoursArePlainAndTheRestIsClose)
{
    FillQuantizer q;
    // A plain cube colour is itself.
    const FillChoice red = q.Choose(QColor(255, 0, 0));
    EXPECT_EQ(red.entry.Pattern, 0);
    EXPECT_LT(red.error, 0.01);
    // Anything else lands within a small perceptual distance.
    double worst = 0;
    for (int r = 0; r < 256; r += 37)
        for (int g = 0; g < 256; g += 41)
            for (int b = 0; b < 256; b += 43) {
                const FillChoice c = q.Choose(QColor(r, g, b));
                worst = std::max(worst, c.error);
                EXPECT_NEAR(FillQuantizer::DeltaE(q.Shown(c.entry), QColor(r, g, b)), c.error, 1.0);
            }
    EXPECT_LT(worst, 6.5);   // a just-noticeable difference is about 2.3
    // Fill numbers skip the key fill and are shared by equal entries.
    for (int n = 1; n < 60; ++n) {
        const int f = q.FillNumber(FillEntry{std::uint8_t(n), 0, 0});
        EXPECT_NE(f, kKeyFill);
    }
    EXPECT_EQ(q.FillNumber(FillEntry{7, 0, 0}), q.FillNumber(FillEntry{7, 0, 0}));
}

TEST(ArchiveBuilder, KeyFillSurvivesTheRoundTrip)
{
    TempDir dir;
    writeFile(dir.file("face.svg"), R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 50 100">
        <ellipse cx="25" cy="50" rx="24" ry="48" fill="#FF00FF" stroke="#000000" stroke-width="2"/>
        <circle cx="15" cy="40" r="3" fill="#ffffff"/></svg>)svg");
    writeFile(dir.file("sky.svg"), R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 551 450">
        <defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#3366ff"/><stop offset="1" stop-color="#ffffff"/></linearGradient></defs>
        <rect width="551" height="450" fill="url(#g)"/></svg>)svg");
    writeFile(dir.file("manifest.txt"), "# test\npicture head00 face.svg key=#ff00ff\nlayout b\xC3\xB8lge sky.svg\n");

    std::vector<ManifestEntry> entries;
    QStringList errors;
    ASSERT_TRUE(ReadManifest(QString::fromStdString(dir.file("manifest.txt")), entries, errors)) << qPrintable(errors.join("\n"));
    DataArchive built;
    BuildSummary sum;
    ASSERT_TRUE(BuildArchive(entries, built, sum, errors)) << qPrintable(errors.join("\n"));
    EXPECT_EQ(sum.pictures, 1);
    EXPECT_EQ(sum.layouts, 1);

    std::vector<std::uint8_t> bytes;
    std::string werr;
    ASSERT_TRUE(WriteDataArchive(built, bytes, &werr)) << werr;
    DataArchive back;
    ASSERT_TRUE(ReadDataArchive(bytes.data(), bytes.size(), 0, 0, back));
    EXPECT_EQ(back.Version, 5);
    ASSERT_EQ(back.Pictures.size(), 1u);
    const auto& els = back.Pictures[0].Vector.Elements;
    int keyed = 0, other = 0;
    for (const auto& e : els)
        (e.Fill == kKeyFill ? keyed : other)++;
    EXPECT_EQ(keyed, 1);    // the face
    EXPECT_GE(other, 2);    // its outline and the eye
    // The layout's name is stored as Windows-1252, its sky as a vertical ramp.
    ASSERT_EQ(back.Layouts.size(), 1u);
    EXPECT_EQ(back.Layouts[0].Name, "b\xF8lge");
    const FillEntry& sky = back.Fills[back.Layouts[0].Elements[0].Fill - 1];
    EXPECT_EQ(sky.Pattern, 45);
}

TEST(ArchiveBuilder, ManifestMistakesAreAllReported)
{
    TempDir dir;
    writeFile(dir.file("a.svg"), R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 10 10"/>)svg");
    writeFile(dir.file("manifest.txt"),
              "picture ok a.svg\npicture missing nothere.svg\npicture toolongnameforthearchive a.svg\n"
              "picture x a.svg key=red\nfoo bar\ninclude manifest.txt\n");
    std::vector<ManifestEntry> entries;
    QStringList errors;
    EXPECT_FALSE(ReadManifest(QString::fromStdString(dir.file("manifest.txt")), entries, errors));
    EXPECT_EQ(errors.size(), 5) << qPrintable(errors.join("\n"));
}

TEST(ArchiveBuilder, CropMirrorAndSplit)
{
    TempDir dir;
    // A pair of eyes: a square on the left, a circle on the right.
    writeFile(dir.file("pair.svg"), R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 200 100">
        <rect x="10" y="10" width="60" height="60" fill="#000000"/>
        <circle cx="150" cy="50" r="30" fill="#0000ff"/></svg>)svg");
    writeFile(dir.file("manifest.txt"),
              "picture left pair.svg split=left\n"
              "picture right pair.svg split=right\n"
              "picture flipped pair.svg split=left mirror\n"
              "picture corner pair.svg crop=0,0,100,100\n");
    std::vector<ManifestEntry> entries;
    QStringList errors;
    ASSERT_TRUE(ReadManifest(QString::fromStdString(dir.file("manifest.txt")), entries, errors));
    DataArchive a;
    BuildSummary sum;
    ASSERT_TRUE(BuildArchive(entries, a, sum, errors)) << qPrintable(errors.join("\n"));
    ASSERT_EQ(a.Pictures.size(), 4u);
    auto box = [](const Picture& p) { return p.Vector.Elements.at(0).Bounds; };
    // Each half keeps only its own shape, in a frame half as wide.
    const Picture& left = a.Pictures[0];
    ASSERT_EQ(left.Vector.Elements.size(), 1u);
    EXPECT_EQ(left.Vector.Bounds.right, 500);   // 1000 units for the whole width
    EXPECT_NEAR(box(left).left, 50, 1);
    EXPECT_EQ(a.Pictures[1].Vector.Elements.size(), 1u);
    EXPECT_NEAR(box(a.Pictures[1]).left, 100, 2);   // 120 of 200 is 600 of 1000, less the left half
    // Mirrored, the square moves to the other side of its frame.
    EXPECT_NEAR(box(a.Pictures[2]).right, 450, 1);
    // The crop keeps what lies in it: the square, and no circle.
    EXPECT_EQ(a.Pictures[3].Vector.Elements.size(), 1u);
    EXPECT_EQ(a.Pictures[3].Vector.Bounds.right, 1000);
}

TEST(ArchiveBuilder, OutlineAndFit)
{
    TempDir dir;
    // Two squares close together in the upper-left quarter of a large frame.
    writeFile(dir.file("two.svg"), R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
        <rect x="10" y="10" width="10" height="10" fill="#ff0000"/>
        <rect x="22" y="10" width="10" height="10" fill="#0000ff"/></svg>)svg");
    // A square against the frame's left edge.
    writeFile(dir.file("edge.svg"), R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
        <rect x="0" y="40" width="20" height="20" fill="#ff0000"/></svg>)svg");
    writeFile(dir.file("manifest.txt"),
              "picture plain two.svg\n"
              "picture rimmed two.svg outline=#000000,2\n"
              "picture fitted two.svg fit\n"
              "picture both two.svg outline=#000000,2 fit\n"
              "picture turned two.svg fit mirror\n"
              "picture edge edge.svg outline=#000000,2\n");
    std::vector<ManifestEntry> entries;
    QStringList errors;
    ASSERT_TRUE(ReadManifest(QString::fromStdString(dir.file("manifest.txt")), entries, errors))
        << qPrintable(errors.join("\n"));
    DataArchive a;
    BuildSummary sum;
    ASSERT_TRUE(BuildArchive(entries, a, sum, errors)) << qPrintable(errors.join("\n"));
    ASSERT_EQ(a.Pictures.size(), 6u);
    const auto& plain = a.Pictures[0].Vector;
    const auto& rimmed = a.Pictures[1].Vector;
    // The rim is one region round both squares, 2 units (20 of 1000) wide,
    // drawn first; the squares keep their colours on top.
    ASSERT_EQ(plain.Elements.size(), 2u);
    ASSERT_EQ(rimmed.Elements.size(), 3u);
    const QColor black = a.Fills[rimmed.Elements[0].Fill - 1].ColourA == 0 ? QColor(Qt::black) : QColor();
    EXPECT_TRUE(black.isValid()) << "the rim is black";
    const IntRect rim = rimmed.Elements[0].Bounds;
    EXPECT_NEAR(rim.left, 80, 2);
    EXPECT_NEAR(rim.top, 80, 2);
    EXPECT_NEAR(rim.right, 340, 2);
    EXPECT_NEAR(rim.bottom, 220, 2);
    EXPECT_EQ(rimmed.Elements[1].Bounds.left, plain.Elements[0].Bounds.left);
    // The whole frame stays the picture without fit ...
    EXPECT_EQ(rimmed.Bounds.right, 1000);
    // ... and with it, the drawing's own square, centred on the drawing.
    const IntRect fitted = a.Pictures[2].Vector.Bounds;
    EXPECT_NEAR((fitted.left + fitted.right) / 2.0, 210, 2);
    EXPECT_NEAR((fitted.top + fitted.bottom) / 2.0, 150, 2);
    EXPECT_NEAR(fitted.right - fitted.left, 220 * 1.06, 3);
    EXPECT_NEAR(fitted.bottom - fitted.top, fitted.right - fitted.left, 1);
    // Fitting takes the rim in.
    const IntRect both = a.Pictures[3].Vector.Bounds;
    EXPECT_NEAR(both.right - both.left, 260 * 1.06, 3);
    // Without fit the frame stays the picture: the rim stops at its edge.
    const auto& edge = a.Pictures[5].Vector;
    ASSERT_FALSE(edge.Elements.empty());
    EXPECT_EQ(edge.Elements[0].Bounds.left, 0);
    EXPECT_NEAR(edge.Elements[0].Bounds.right, 220, 2);
    // Mirrored, the square follows the drawing to the other side.
    const IntRect turned = a.Pictures[4].Vector.Bounds;
    EXPECT_NEAR((turned.left + turned.right) / 2.0, 1000 - 210, 2);
    for (const auto& e : a.Pictures[4].Vector.Elements) {
        EXPECT_GE(e.Bounds.left, turned.left);
        EXPECT_LE(e.Bounds.right, turned.right);
    }
}

TEST(ArchiveBuilder, OutlineMistakes)
{
    TempDir dir;
    writeFile(dir.file("a.svg"), R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 10 10"/>)svg");
    writeFile(dir.file("manifest.txt"),
              "picture a a.svg outline=#000000\npicture b a.svg outline=black,1\npicture c a.svg outline=#000000,0\n"
              "picture d a.svg outline=#000000,x\nlayout e a.svg fit\npicture f a.svg outline=#102030,0.5 fit\n");
    std::vector<ManifestEntry> entries;
    QStringList errors;
    EXPECT_FALSE(ReadManifest(QString::fromStdString(dir.file("manifest.txt")), entries, errors));
    EXPECT_EQ(errors.size(), 5) << qPrintable(errors.join("\n"));
    EXPECT_EQ(errors.filter("outline wants #RRGGBB,WIDTH with a positive width").size(), 4);
    EXPECT_EQ(errors.filter("unknown option 'fit'").size(), 1);
    ASSERT_FALSE(entries.empty());
    const ManifestEntry& good = entries.back();
    EXPECT_EQ(good.name, "f");
    EXPECT_EQ(good.outline, QColor(0x10, 0x20, 0x30));
    EXPECT_DOUBLE_EQ(good.outlineWidth, 0.5);
    EXPECT_TRUE(good.fit);
}

// A layout polygon whose top lies between two design rows: on a page of
// another size its box and its points are rounded separately, and the box
// must still hold every point, or the gradient laid over the box wraps round
// and paints the shape's top row in its far colour.
TEST(ArchiveBuilder, LayoutBoxesHoldTheirPointsAtEverySize)
{
    TempDir dir;
    writeFile(dir.file("hill.svg"), R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 551 450">
        <defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#66cc33"/><stop offset="1" stop-color="#336600"/></linearGradient></defs>
        <path fill="url(#g)" d="M10.6 330.4L180.2 300.6L462.7 320.7L540.6 330.2V449.6H10.6Z"/></svg>)svg");
    writeFile(dir.file("manifest.txt"), "layout hill hill.svg\n");
    std::vector<ManifestEntry> entries;
    QStringList errors;
    ASSERT_TRUE(ReadManifest(QString::fromStdString(dir.file("manifest.txt")), entries, errors));
    DataArchive built;
    BuildSummary sum;
    ASSERT_TRUE(BuildArchive(entries, built, sum, errors)) << qPrintable(errors.join("\n"));
    std::vector<std::uint8_t> bytes;
    std::string werr;
    ASSERT_TRUE(WriteDataArchive(built, bytes, &werr)) << werr;
    for (int h = 300; h <= 1100; h += 7) {
        const int w = h * 551 / 450 + h % 5;
        DataArchive a;
        ASSERT_TRUE(ReadDataArchive(bytes.data(), bytes.size(), w, h, a));
        const LayoutElement& e = a.Layouts.at(0).Elements.at(0);
        for (const QPoint& p : e.IntPoints) {
            EXPECT_GE(p.y(), e.Bounds.top) << w << " x " << h;
            EXPECT_LE(p.y(), e.Bounds.bottom) << w << " x " << h;
            EXPECT_GE(p.x(), e.Bounds.left) << w << " x " << h;
            EXPECT_LE(p.x(), e.Bounds.right) << w << " x " << h;
        }
    }
}

// A ring's hole is joined to its outline by a cut.  The rings are simplified
// each on its own before the join: simplifying the joined polygon can pull
// the two sides of the cut apart into a sliver that shows as a stray line.
// However coarse the simplification, the hole stays empty and the ring full.
TEST(SvgRecorder, HolesStayCleanWhenSimplified)
{
    // Both rings turning the same way as well as opposite ways: the hole is
    // a hole by the even-odd rule the archive fills with, either way.
    for (const char* inner : {"M50 28A22 22 0 1 0 50.1 28Z", "M50 28A22 22 0 1 1 49.9 28Z"}) {
        const std::string svg = std::string(R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
        <path fill="#000000" fill-rule="evenodd" d="M50 8A42 42 0 1 1 49.9 8Z)svg") + inner + "\"/></svg>";
        const auto d = record(svg.c_str(), 100, 1.5);
        ASSERT_FALSE(d.shapes.empty());
        // drawn eight times larger, so a sliver a fraction of a unit wide shows
        QImage img(800, 800, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            p.scale(8, 8);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            for (const auto& s : d.shapes)
                p.drawPolygon(s.polygon, Qt::OddEvenFill);
        }
        int inHole = 0, inRing = 0;
        for (int y = 0; y < 800; ++y)
            for (int x = 0; x < 800; ++x) {
                const double r = std::hypot((x + 0.5) / 8 - 50, (y + 0.5) / 8 - 50);
                const bool black = img.pixel(x, y) == qRgb(0, 0, 0);
                inHole += r < 19 && black ? 1 : 0;
                inRing += r > 25 && r < 39 && black ? 1 : 0;
            }
        EXPECT_EQ(inHole, 0) << inner;
        EXPECT_GT(inRing, 2700 * 64) << inner;
    }
}
