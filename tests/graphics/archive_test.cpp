// The drawing archive: round trips through the writer for every version,
// hand-laid bytes, truncated and corrupt files, look-ups and the fill table.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive.h"
#include "archivewriter.h"
#include "canvas.h"
#include "drawing.h"
#include "sample_archive.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<std::uint8_t> Bytes(const DataArchive& a)
{
    std::vector<std::uint8_t> out;
    std::string err;
    EXPECT_TRUE(WriteDataArchive(a, out, &err)) << err;
    return out;
}

bool Read(const std::vector<std::uint8_t>& bytes, DataArchive& out, int w = 0, int h = 0,
          ArchiveReadError* err = nullptr)
{
    return ReadDataArchive(bytes.data(), bytes.size(), w, h, out, err);
}

Picture CellPicture(const std::string& name, std::uint8_t shape)
{
    Picture p;
    p.Kind = 0;
    p.Name = name;
    p.Tag = 0xDEADBEEF;
    p.Flag1 = true;
    p.Cell.Flag2 = true;
    p.Cell.GridShape = shape;
    p.Cell.Head = {1, 2, 3, 4};
    p.Cell.Info[253] = 9;
    for (std::size_t i = 0; i < p.Cell.Cells.size(); ++i)
        p.Cell.Cells[i] = std::uint8_t(i * 7);
    return p;
}

/// An archive with something of everything the version can hold.
DataArchive Everything(int version, bool wide)
{
    DataArchive a;
    a.Version = version;
    a.WideFillTable = wide;
    a.DesignWidth = 640;
    a.DesignHeight = 450;
    a.Fills[0] = {1, 2, 3};
    a.Fills[251] = {215, 0, 48};
    if (a.IsWide())
        a.Fills[2047] = {7, 8, 9};
    a.Pictures.push_back(CellPicture("celle", 3));
    if (version > 1) {
        a.Pictures.push_back(sample::VectorPicture(
            "b\xF8lge", {sample::Element(kKindPolygon, {10, 20, 110, 70}, 49, true, 2, 0x123456, 7),
                      sample::Element(kKindEllipse, {0, 0, 40, 30}, a.IsWide() ? 300 : 200, false, 0),
                      sample::Element(kKindLine, {5, 5, 60, 65}, 0, false, 3, 0xFF)}));
        Picture odd;
        odd.Kind = 7;   // an unknown kind: an empty entry of one byte
        a.Pictures.push_back(odd);
    }
    Layout l;
    l.Name = "\xF8rken";
    l.Tag = 42;
    l.BackColour = 0x00A0B0C0;
    if (version >= 3)
        l.Text = "noter";
    LayoutElement text;
    text.Kind = kKindText;
    text.Bounds = {1, 2, 3, 4};
    text.PenWidth = 12;
    text.FontName = "Arial";
    text.FontStyle = 5;
    text.Text = "Hej \xE6\xF8\xE5";
    l.Elements.push_back(text);
    LayoutElement line;
    line.Kind = kKindPolyline;
    line.PenWidth = 2;
    line.Points = {{1.25, 2.5}, {100.5, 3.5}, {-4.75, 8}};
    l.Elements.push_back(line);
    LayoutElement empty;
    empty.Kind = kKindText;
    empty.FontName = "Arial";
    l.Elements.push_back(empty);
    a.Layouts.push_back(l);
    return a;
}

class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override { InitDrawing(); }
    void TearDown() override { DoneDrawing(); }
};

} // namespace

TEST_F(ArchiveTest, EveryVersionRoundTrips)
{
    for (auto [version, wide] : {std::pair{1, false}, {2, false}, {3, false}, {4, false}, {4, true}, {5, true}}) {
        SCOPED_TRACE(version * 10 + wide);
        const DataArchive a = Everything(version, wide);
        const auto bytes = Bytes(a);
        DataArchive b;
        ArchiveReadError err;
        ASSERT_TRUE(Read(bytes, b, 0, 0, &err)) << err.message;
        EXPECT_EQ(b.Version, version);
        EXPECT_EQ(b.IsWide(), a.IsWide());
        EXPECT_EQ(b.DesignWidth, 640);
        EXPECT_EQ(b.Fills, a.Fills);
        ASSERT_EQ(b.Pictures.size(), a.Pictures.size());
        const Picture& cell = b.Pictures[0];
        EXPECT_EQ(cell.Kind, 0);
        EXPECT_EQ(cell.Name, "celle");
        EXPECT_EQ(cell.Tag, 0xDEADBEEF);
        EXPECT_TRUE(cell.Flag1);
        EXPECT_FALSE(cell.Flag0);
        EXPECT_TRUE(cell.Cell.Flag2);
        EXPECT_EQ(cell.Cell.GridShape, 3);
        EXPECT_EQ(cell.Cell.Cells, a.Pictures[0].Cell.Cells);
        EXPECT_EQ(cell.Cell.Info[253], 9);
        if (version > 1) {
            const Picture& v = b.Pictures[1];
            EXPECT_EQ(v.Name, "b\xF8lge");
            ASSERT_EQ(v.Vector.Elements.size(), 3u);
            const PictureElement& poly = v.Vector.Elements[0];
            EXPECT_EQ(poly.Colour, 0x123456u);
            EXPECT_EQ(poly.PenWidth, 2);
            EXPECT_EQ(poly.Fill, 49);
            EXPECT_TRUE(poly.Filled);
            // real48 keeps 39 bits of mantissa; ext80 every bit of a double
            ASSERT_EQ(poly.Points.size(), 7u);
            for (std::size_t i = 0; i < 7; ++i) {
                EXPECT_NEAR(poly.Points[i].x, a.Pictures[1].Vector.Elements[0].Points[i].x, 1e-9);
                if (version >= 4) {
                    EXPECT_EQ(poly.Points[i], a.Pictures[1].Vector.Elements[0].Points[i]);
                }
            }
            EXPECT_EQ(v.Vector.Elements[1].Fill, a.IsWide() ? 300 : 200);
            EXPECT_EQ(b.Pictures[2].Kind, 7);
            EXPECT_TRUE(b.Pictures[2].Name.empty());
        }
        ASSERT_EQ(b.Layouts.size(), 1u);
        const Layout& l = b.Layouts[0];
        EXPECT_EQ(l.Name, "\xF8rken");
        EXPECT_EQ(l.Tag, 42u);
        EXPECT_EQ(l.BackColour, 0x00A0B0C0u);
        EXPECT_EQ(l.Text, version >= 3 ? "noter" : "");
        ASSERT_EQ(l.Elements.size(), 3u);
        EXPECT_EQ(l.Elements[0].Text, "Hej \xE6\xF8\xE5");
        EXPECT_EQ(l.Elements[0].FontName, "Arial");
        EXPECT_EQ(l.Elements[0].FontStyle, 5);
        EXPECT_EQ(l.Elements[0].PenWidth, 12);
        EXPECT_EQ(l.Elements[1].IntPoints, (std::vector<QPoint>{{1, 2}, {100, 4}, {-5, 8}}));   // ties to even
        EXPECT_EQ(l.Elements[2].Text, "");
        // Written again, the same bytes.
        EXPECT_EQ(Bytes(b), bytes);
    }
}

TEST_F(ArchiveTest, HandLaidVersion2File)
{
    // "VindSkriData2", 100 x 50, a narrow fill table, one vector picture of one
    // line with real48 points (1.5, 2) and (-3, 0), no layouts.
    std::vector<std::uint8_t> f = {13, 'V', 'i', 'n', 'd', 'S', 'k', 'r', 'i', 'D', 'a', 't', 'a', '2', 100, 0, 50, 0};
    f.resize(f.size() + 756, 0);
    f[18] = 5;   // fill 1: ColourA 5
    const std::vector<std::uint8_t> picture = {
        1,                       // kind: vector
        1, 0, 0, 0,              // Tag
        4, 'l', 'i', 'n', 'e',   // Name, shortstr[20]
    };
    f.insert(f.end(), {1, 0});   // one picture
    f.insert(f.end(), picture.begin(), picture.end());
    f.resize(f.size() + 16, 0);  // rest of the name
    f.push_back(3);              // flags
    f.insert(f.end(), {0, 0, 0, 0, 4, 0, 2, 0});        // bounds 0,0,4,2
    f.resize(f.size() + 12, 0);                         // reference point 0, 0
    f.insert(f.end(), {1, 0});                          // one element
    f.insert(f.end(), {0xFF, 0, 0, 0, 1, 0, 9, 0});     // red, pen 1, fill 9, not filled
    f.insert(f.end(), {0, 0, 0, 0, 0, 0, 0, 0, 4});     // bounds, kind line
    f.insert(f.end(), {2, 0});                          // two points
    f.insert(f.end(), {129, 0, 0, 0, 0, 0x40, 130, 0, 0, 0, 0, 0});   // 1.5, 2
    f.insert(f.end(), {130, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0});     // -3, 0
    f.insert(f.end(), {0, 0});                          // no layouts
    DataArchive a;
    ArchiveReadError err;
    ASSERT_TRUE(Read(f, a, 0, 0, &err)) << err.message;
    EXPECT_EQ(a.Version, 2);
    EXPECT_EQ(a.Fills[0].ColourA, 5);
    ASSERT_EQ(a.Pictures.size(), 1u);
    const Picture& p = a.Pictures[0];
    EXPECT_TRUE(p.Flag0 && p.Flag1);
    ASSERT_EQ(p.Vector.Elements.size(), 1u);
    const PictureElement& e = p.Vector.Elements[0];
    EXPECT_EQ(e.Colour, 0xFFu);
    EXPECT_EQ(e.Fill, 9);
    ASSERT_EQ(e.Points.size(), 2u);
    EXPECT_EQ(e.Points[0], (PointF{1.5, 2}));
    EXPECT_EQ(e.Points[1], (PointF{-3, 0}));
    // The points widen the bounds: 1.5 rounds to 2, -3 stays.
    EXPECT_EQ(p.Vector.Bounds, (IntRect{-3, 0, 4, 2}));
    EXPECT_EQ(e.Bounds, (IntRect{-3, 0, 2, 2}));
}

TEST_F(ArchiveTest, Real48)
{
    std::uint8_t b[6];
    for (double v : {0.0, 1.0, -1.0, 0.5, 1.5, 123.456, -98765.4321, 1e-30, 1.5e38}) {
        ASSERT_TRUE(Real48Encode(v, b)) << v;
        EXPECT_NEAR(Real48Decode(b), v, std::fabs(v) * 1e-11) << v;
    }
    const std::uint8_t one[6] = {129, 0, 0, 0, 0, 0};
    EXPECT_EQ(Real48Decode(one), 1.0);
    EXPECT_FALSE(Real48Encode(2e38, b));
    EXPECT_FALSE(Real48Encode(std::nan(""), b));
    ASSERT_TRUE(Real48Encode(1e-45, b));
    EXPECT_EQ(Real48Decode(b), 0.0);
}

TEST_F(ArchiveTest, EveryTruncationFailsCleanly)
{
    const auto bytes = Bytes(Everything(5, true));
    for (std::size_t n = 0; n < bytes.size(); n += (n < 6200 ? 97 : 1)) {
        DataArchive a;
        ArchiveReadError err;
        EXPECT_FALSE(ReadDataArchive(bytes.data(), n, 0, 0, a, &err)) << n;
        EXPECT_FALSE(err.message.empty());
    }
}

TEST_F(ArchiveTest, CorruptCountsFailBeforeAllocating)
{
    auto bytes = Bytes(Everything(5, true));
    const std::size_t pictures = 18 + 6144;
    DataArchive a;
    ArchiveReadError err;

    auto big = bytes;
    big[pictures] = 0xFF;
    big[pictures + 1] = 0xFF;
    EXPECT_FALSE(Read(big, a, 0, 0, &err));
    EXPECT_EQ(err.section, ArchiveSection::Pictures);
    EXPECT_TRUE(a.Pictures.empty());

    // The polygon's point count of the second picture, set to 65535.
    const std::size_t cell = 1 + 4 + 21 + 1 + 4 + 254 + 1 + 9216;
    const std::size_t vec = pictures + 2 + cell + 1 + 4 + 21 + 1 + 8 + 24 + 2;
    const std::size_t count = vec + 4 + 2 + 2 + 1 + 8 + 1;
    ASSERT_EQ(bytes[count], 7);
    auto many = bytes;
    many[count] = 0xFF;
    many[count + 1] = 0xFF;
    EXPECT_FALSE(Read(many, a, 0, 0, &err));
    EXPECT_NE(err.message.find("point count"), std::string::npos) << err.message;

    // Bad signature, and a design size of 0 that would divide by zero.
    auto sig = bytes;
    sig[5] = 's';
    EXPECT_FALSE(Read(sig, a, 0, 0, &err));
    EXPECT_EQ(err.section, ArchiveSection::Header);
    auto zero = bytes;
    zero[14] = zero[15] = 0;
    EXPECT_FALSE(Read(zero, a, 800, 600, &err));
    EXPECT_TRUE(Read(zero, a, 0, 0, &err));
}

TEST_F(ArchiveTest, PicturesOverTheWorkListAreRefused)
{
    DataArchive a = Everything(5, true);
    std::vector<PictureElement> els(342, sample::Element(kKindEllipse, {0, 0, 10, 10}, 1, true));   // 342 x 48 > 16384
    a.Pictures.push_back(sample::VectorPicture("stor", els));
    std::vector<std::uint8_t> out;
    std::string msg;
    EXPECT_FALSE(WriteDataArchive(a, out, &msg));
    EXPECT_NE(msg.find("16384"), std::string::npos);

    // 16384 points are fine; one more, laid by hand, fails the load.
    DataArchive edge;
    edge.Pictures.push_back(sample::VectorPicture(
        "ok", {sample::Element(kKindPolygon, {0, 0, 9, 9}, 1, true, 1, 0, 16384),
               sample::Element(kKindLine, {0, 0, 9, 9}, 0, false)}));
    edge.Pictures[0].Vector.Elements[1].Points.clear();
    auto bytes = Bytes(edge);
    DataArchive b;
    ArchiveReadError err;
    ASSERT_TRUE(Read(bytes, b, 0, 0, &err)) << err.message;
    // The file ends with the line's point count (0) and the layout count (0).
    ASSERT_EQ(bytes[bytes.size() - 4], 0);
    bytes[bytes.size() - 4] = 1;
    bytes.insert(bytes.end() - 2, 24, 0);
    EXPECT_FALSE(Read(bytes, b, 0, 0, &err));
    EXPECT_NE(err.message.find("more than 16384 points"), std::string::npos) << err.message;
}

TEST_F(ArchiveTest, WriterRefusesWhatTheFormatCannotHold)
{
    std::vector<std::uint8_t> out;
    DataArchive a = Everything(3, false);
    a.Pictures[0].Name = std::string(21, 'x');
    EXPECT_FALSE(WriteDataArchive(a, out));
    a = Everything(3, false);
    a.Fills[300] = {1, 1, 1};
    EXPECT_FALSE(WriteDataArchive(a, out));
    a = Everything(3, false);
    a.Pictures[1].Vector.Elements[0].Fill = 256;
    EXPECT_FALSE(WriteDataArchive(a, out));
    a = Everything(1, false);
    a.Pictures.push_back(sample::VectorPicture("v", {}));
    EXPECT_FALSE(WriteDataArchive(a, out));
    a = Everything(5, true);
    a.Layouts[0].Elements[1].Bounds.right = 40000;
    EXPECT_FALSE(WriteDataArchive(a, out));
    EXPECT_TRUE(out.empty());
}

TEST_F(ArchiveTest, RescalesToThePage)
{
    DataArchive a = Everything(5, true);
    a.Layouts[0].Elements[1].Bounds = {100, 45, 101, 44};
    const auto bytes = Bytes(a);
    DataArchive same, b;
    ASSERT_TRUE(Read(bytes, same, 640, 450));
    EXPECT_EQ(same.Layouts[0].Elements[1].Bounds, (IntRect{100, 45, 101, 44}));
    ASSERT_TRUE(Read(bytes, b, 1280, 225));
    const LayoutElement& line = b.Layouts[0].Elements[1];
    EXPECT_EQ(line.Bounds, (IntRect{200, 23, 202, 22}));   // 22.5 rounds away from zero, as MulDiv does
    // Left of and above the page as well: -22.5 is -23, not -22.
    DataArchive neg = Everything(5, true);
    neg.Layouts[0].Elements[1].Bounds = {-101, -45, -100, -44};
    DataArchive c;
    ASSERT_TRUE(Read(Bytes(neg), c, 1280, 225));
    EXPECT_EQ(c.Layouts[0].Elements[1].Bounds, (IntRect{-202, -23, -200, -22}));
    EXPECT_EQ(line.Points[0], (PointF{2.5, 1.25}));
    EXPECT_EQ(line.IntPoints[0], QPoint(2, 1));
    EXPECT_EQ(line.PenWidth, 2);                         // pen widths stay
    EXPECT_EQ(b.Layouts[0].Elements[0].PenWidth, 24);    // a font size follows the width
    const PictureElement& poly = b.Pictures[1].Vector.Elements[0];
    EXPECT_DOUBLE_EQ(poly.Points[0].x, a.Pictures[1].Vector.Elements[0].Points[0].x * 2);
    EXPECT_DOUBLE_EQ(poly.Points[0].y, a.Pictures[1].Vector.Elements[0].Points[0].y / 2);
}

TEST_F(ArchiveTest, LookUpsCompareWindows1252Bytes)
{
    DataArchive a = Everything(5, true);
    Picture second = a.Pictures[1];
    second.Vector.Elements.clear();
    a.Pictures.push_back(second);   // the same name again
    UseDataArchive(std::move(a));
    const Picture* p = FindPicture("bølge");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Vector.Elements.size(), 3u);   // the first of the two
    EXPECT_EQ(FindPicture(std::string_view("b\xF8lge")), p);
    EXPECT_EQ(FindPicture(QStringLiteral("bølge")), p);
    EXPECT_EQ(FindPicture(std::string_view("b\xC3\xB8lge")), nullptr);   // UTF-8 bytes are another name
    EXPECT_EQ(FindPicture("Bølge"), nullptr);
    EXPECT_EQ(FindPicture("bølg"), nullptr);
    EXPECT_EQ(FindPicture(std::string(21, 'x').c_str()), nullptr);
    EXPECT_NE(FindLayout("ørken"), nullptr);
    EXPECT_NE(FindLayout(QStringLiteral("ørken")), nullptr);
    EXPECT_EQ(FindLayout("orken"), nullptr);
}

TEST_F(ArchiveTest, LoadDataArchiveFromFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.BIN");
    DataArchive a = Everything(4, false);
    a.Fills[0] = {0, 215, 1};
    std::string msg;
    ASSERT_TRUE(SaveDataArchive(a, path, &msg)) << msg;

    EXPECT_FALSE(LoadDataArchive((dir.path() + "/missing.BIN").toStdString(), &msg));
    Drawing().PageWidth = 640;
    Drawing().PageHeight = 450;
    ASSERT_TRUE(LoadDataArchive(path.toStdString(), &msg)) << msg;
    EXPECT_EQ(Drawing().PictureList.size(), 3u);
    // A narrow file leaves fills 253 and on at (0, 0, 0): plain swatch 0.
    EXPECT_EQ(Drawing().Fills[252], (FillEntry{0, 0, 0}));
    EXPECT_EQ(Drawing().TileStrip.pixel(3, 8 * 252 + 3), qRgb(4, 4, 4));
    // Loading again appends: the first of equal names still wins.
    ASSERT_TRUE(LoadDataArchive(path.toStdString(), &msg));
    EXPECT_EQ(Drawing().PictureList.size(), 6u);
    EXPECT_EQ(FindPicture("celle"), &Drawing().PictureList[0]);

    // A broken layout section keeps the pictures and empties the layouts.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.resize(f.size() - 3);
    f.close();
    EXPECT_FALSE(LoadDataArchive(path.toStdString(), &msg));
    EXPECT_EQ(Drawing().PictureList.size(), 9u);
    EXPECT_TRUE(Drawing().LayoutList.empty());
}

TEST_F(ArchiveTest, FillTableStartValues)
{
    const DrawingTables& d = Drawing();
    const int expected[24] = {0, 5, 18, 35, 36, 41, 54, 71, 72, 77, 90, 107, 108, 113, 126, 143, 144, 149, 162, 179,
                              180, 185, 198, 215};
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(d.Fills[i].ColourA, expected[i]);
        EXPECT_EQ(d.AverageColour[i], expected[i]);
        EXPECT_EQ(d.TileStrip.pixel(7, 8 * i + 7), d.SwatchBitmap.pixel(0, 8 * expected[i]));
    }
    EXPECT_EQ(d.Fills[24], (FillEntry{0, 215, 0}));
    EXPECT_EQ(d.TileStrip.pixel(0, 8 * 24), qRgb(0, 0, 0));
    EXPECT_EQ(d.TileStrip.pixel(0, 0), qRgb(4, 4, 4));   // swatch 0 deviates from the cube
}

TEST_F(ArchiveTest, SwatchesAndPatterns)
{
    const QImage s = MakeSwatchBitmap();
    ASSERT_EQ(s.size(), QSize(8, 1728));
    EXPECT_EQ(s.pixel(0, 0), qRgb(4, 4, 4));
    EXPECT_EQ(s.pixel(7, 8 * 31 + 7), qRgb(51, 255, 51));
    EXPECT_EQ(s.pixel(0, 8 * 66), qRgb(51, 255, 51));
    EXPECT_EQ(s.pixel(0, 8 * 172), qRgb(203, 203, 203));
    EXPECT_EQ(s.pixel(0, 8 * 181), qRgb(51, 51, 255));
    EXPECT_EQ(s.pixel(0, 8 * 186), qRgb(51, 51, 255));
    EXPECT_EQ(s.pixel(0, 8 * 215), qRgb(255, 255, 255));
    EXPECT_EQ(s.pixel(0, 8 * 7), qRgb(51, 51, 0));          // 7: red 1, green 1
    EXPECT_EQ(CubeColour(7), 0x003333u);
    const QImage p = MakePatternBitmap();
    ASSERT_EQ(p.size(), QSize(8, 392));
    // tile 12: 80 C0 E0 ... a staircase
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(p.pixel(x, 8 * 12 + y) == qRgb(255, 255, 255), x <= y);
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(p.pixel(y, y), qRgb(0, 0, 0));   // tile 0 all black
}

TEST_F(ArchiveTest, TilesAndAverageColours)
{
    DrawingTables& d = Drawing();
    d.Fills.fill(FillEntry{});
    d.Fills[0] = {0, 215, 1};     // checkerboard of black-ish and white
    d.Fills[1] = {5, 30, 0};      // plain
    d.Fills[2] = {250, 1, 60};    // out-of-range colour and pattern: plain swatch 0
    RebuildFillTiles();
    // 32 white pixels and 32 of cube colour 0 (black): 127.5 per channel -> level 3.
    EXPECT_EQ(d.AverageColour[0], 3 + 6 * 3 + 36 * 3);
    EXPECT_EQ(d.TileStrip.pixel(1, 0), qRgb(255, 255, 255));   // 0x55: second pixel set
    EXPECT_EQ(d.TileStrip.pixel(0, 0), qRgb(4, 4, 4));
    EXPECT_EQ(d.AverageColour[1], 5);
    EXPECT_EQ(d.TileStrip.pixel(4, 8 + 4), ToQRgb(CubeColour(5)));
    EXPECT_EQ(d.TileStrip.pixel(4, 16 + 4), qRgb(4, 4, 4));
}
