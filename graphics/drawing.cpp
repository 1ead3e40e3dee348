// The program's drawing tables and the archive's way into them.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing.h"

#include "ansi.h"
#include "canvas.h"
#include "qansi.h"

#include <cstring>

namespace {

constexpr std::array<std::array<std::uint8_t, 8>, kPatternTiles> kPatterns = {{
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
    {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA},
    {0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55},
    {0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF},
    {0x33, 0x99, 0xCC, 0x66, 0x33, 0x99, 0xCC, 0x66},
    {0x66, 0xCC, 0x99, 0x33, 0x66, 0xCC, 0x99, 0x33},
    {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF},
    {0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33},
    {0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC},
    {0x0F, 0x0F, 0x0F, 0x0F, 0xF0, 0xF0, 0xF0, 0xF0},
    {0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F},
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF},
    {0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE, 0xFF},
    {0x01, 0x03, 0x07, 0x0F, 0x1F, 0x3F, 0x7F, 0xFF},
    {0xFF, 0xFF, 0xE7, 0xDB, 0xBD, 0x7E, 0xFF, 0xFF},
    {0xE7, 0xC3, 0x81, 0x00, 0x18, 0x3C, 0x7E, 0xFF},
    {0xEF, 0xEF, 0xEF, 0x00, 0xEF, 0xEF, 0xEF, 0xEF},
    {0xE7, 0xE7, 0xE7, 0x00, 0x00, 0xE7, 0xE7, 0xE7},
    {0xE3, 0xE3, 0xE3, 0x00, 0x00, 0x00, 0xE3, 0xE3},
    {0xC3, 0xC3, 0x00, 0x00, 0x00, 0x00, 0xC3, 0xC3},
    {0x7F, 0x7F, 0x7F, 0x00, 0xF7, 0xF7, 0xF7, 0x00},
    {0x7F, 0x7F, 0xBE, 0xC1, 0xF7, 0xF7, 0xEB, 0x1C},
    {0x77, 0xBB, 0xDD, 0xEE, 0x77, 0xBB, 0xDD, 0xEE},
    {0xEE, 0xDD, 0xBB, 0x77, 0xEE, 0xDD, 0xBB, 0x77},
    {0x7E, 0xBD, 0xDB, 0xE7, 0xE7, 0xDB, 0xBD, 0x7E},
    {0x3C, 0x18, 0x81, 0xC3, 0xC3, 0x81, 0x18, 0x3C},
    {0xDB, 0xBD, 0x66, 0xDB, 0xDB, 0x66, 0xBD, 0xDB},
    {0x99, 0x18, 0x24, 0xC3, 0xC3, 0x24, 0x18, 0x99},
    {0xDD, 0x8E, 0x07, 0x8B, 0xDD, 0xB8, 0x70, 0xE8},
    {0xEF, 0xC7, 0x83, 0x01, 0x83, 0xC7, 0xEF, 0xFF},
    {0xFC, 0xCF, 0x48, 0x48, 0xCF, 0xFC, 0x84, 0x84},
    {0xC1, 0xF7, 0x77, 0x7F, 0x1C, 0x7F, 0x77, 0xF7},
    {0x55, 0xFF, 0x55, 0xFF, 0x55, 0xFF, 0x55, 0xFF},
    {0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD},
    {0xFF, 0xBB, 0xFF, 0xEE, 0xFF, 0xBB, 0xFF, 0xEE},
    {0xFF, 0xEF, 0xFF, 0xFE, 0xFF, 0xEF, 0xFF, 0xFE},
    {0xDF, 0xFB, 0xBF, 0xFD, 0xEF, 0x7F, 0xF7, 0xFE},
    {0xCF, 0xC9, 0x39, 0x3F, 0xF3, 0x93, 0x9C, 0xFC},
    {0xFF, 0x9F, 0x3F, 0x7E, 0xFF, 0xF3, 0xF9, 0xFC},
    {0x7B, 0xB7, 0xCF, 0xF3, 0xFD, 0xFE, 0xFE, 0xFC},
    {0xF9, 0xF3, 0xE1, 0xCC, 0x1E, 0x3F, 0x7E, 0xFC},
    {0xFE, 0xFD, 0xFB, 0xF7, 0xEF, 0xD5, 0xAA, 0x00},
    {0xFF, 0xFE, 0x7D, 0xBA, 0x55, 0xBA, 0x7D, 0xFE},
    {0xE0, 0xF1, 0xF1, 0xE4, 0x0E, 0x1F, 0x1F, 0x4E},
    {0xCE, 0x0E, 0x0E, 0x11, 0xEC, 0xE0, 0xE0, 0x11},
    {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA},
    {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA},
    {0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF},
    {0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55},
}};

QImage g_customSwatches;

/// Swatch k's colour; indexes past the cube (which no drawing tool writes)
/// take swatch 0.
QRgb SwatchColour(const DrawingTables& d, int k)
{
    if (k < 0 || k >= kCubeSize)
        k = 0;
    return d.SwatchBitmap.pixel(0, 8 * k);
}

void SetTileBrush(DrawingTables& d, int n)
{
    const QImage tile = d.TileStrip.copy(0, 8 * n, 8, 8);
    const QRgb first = tile.pixel(0, 0);
    bool plain = true;
    for (int y = 0; y < 8 && plain; ++y)
        for (int x = 0; x < 8; ++x)
            if (tile.pixel(x, y) != first) {
                plain = false;
                break;
            }
    // A one-colour tile fills faster as a solid brush and looks the same.
    d.TileBrush[n] = plain ? QBrush(QColor(first)) : QBrush(tile);
}

void FillTile(DrawingTables& d, int n, QRgb colour)
{
    for (int y = 0; y < 8; ++y) {
        auto* row = reinterpret_cast<QRgb*>(d.TileStrip.scanLine(8 * n + y));
        std::fill(row, row + 8, colour);
    }
}

} // namespace

Colour CubeColour(int k)
{
    const Colour r = Colour(k % 6) * 51, g = Colour((k / 6) % 6) * 51, b = Colour(k / 36) * 51;
    return r | g << 8 | b << 16;
}

QImage MakeSwatchBitmap()
{
    QImage img(8, 8 * kCubeSize, QImage::Format_RGB32);
    for (int k = 0; k < kCubeSize; ++k) {
        QRgb c = ToQRgb(CubeColour(k));
        switch (k) {
        case 0: c = qRgb(4, 4, 4); break;
        case 31:
        case 66: c = qRgb(51, 255, 51); break;
        case 172: c = qRgb(203, 203, 203); break;
        case 181:
        case 186: c = qRgb(51, 51, 255); break;
        default: break;
        }
        for (int y = 0; y < 8; ++y) {
            auto* row = reinterpret_cast<QRgb*>(img.scanLine(8 * k + y));
            std::fill(row, row + 8, c);
        }
    }
    return img;
}

const std::array<std::uint8_t, 8>& PatternRows(int p)
{
    return kPatterns[std::size_t(std::clamp(p, 0, kPatternTiles - 1))];
}

QImage MakePatternBitmap()
{
    QImage img(8, 8 * kPatternTiles, QImage::Format_RGB32);
    for (int p = 0; p < kPatternTiles; ++p)
        for (int y = 0; y < 8; ++y) {
            auto* row = reinterpret_cast<QRgb*>(img.scanLine(8 * p + y));
            for (int x = 0; x < 8; ++x)
                row[x] = (kPatterns[p][y] & (0x80 >> x)) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        }
    return img;
}

DrawingTables& Drawing()
{
    static DrawingTables tables;
    return tables;
}

void SetSwatchBitmap(const QImage& swatches)
{
    g_customSwatches = swatches.convertToFormat(QImage::Format_RGB32);
}

void InitDrawing()
{
    DrawingTables& d = Drawing();
    d.SwatchBitmap = g_customSwatches.isNull() ? MakeSwatchBitmap() : g_customSwatches;
    d.PatternBitmap = MakePatternBitmap();
    d.PatternTile = QImage(8, 8, QImage::Format_RGB32);
    d.PatternTile.fill(Qt::black);
    d.PatternKey = -1;
    d.PatternBrush = nullptr;
    d.PatternCopies = 0;
    d.TileStrip = QImage(8, 8 * kFillCount, QImage::Format_RGB32);
    d.TileStrip.fill(Qt::black);
    d.PictureList.clear();
    d.LayoutList.clear();
    d.WorkPoints.assign(kMaxPicturePoints, PointF{});
    d.WorkIntPoints.assign(kMaxPicturePoints, QPoint());

    d.Fills.fill(FillEntry{0, 215, 0});
    d.AverageColour.fill(0);
    const QBrush black(Qt::black);
    d.TileBrush.fill(black);
    static constexpr int kBase[4] = {0, 5, 18, 35};
    for (int i = 0; i < 24; ++i) {
        const int c = kBase[i % 4] + 36 * (i / 4);
        d.Fills[i] = {std::uint8_t(c), 215, 0};
        d.AverageColour[i] = std::uint8_t(c);
        FillTile(d, i, SwatchColour(d, c));
        SetTileBrush(d, i);
    }
    d.initialized = true;
}

void DoneDrawing()
{
    DrawingTables& d = Drawing();
    d.PictureList = {};
    d.LayoutList = {};
    d.WorkPoints = {};
    d.WorkIntPoints = {};
    d.TileStrip = QImage();
    d.PatternTile = QImage();
    d.PatternBitmap = QImage();
    d.SwatchBitmap = QImage();
    d.PageBitmap = QImage();
    d.TileBrush.fill(QBrush());
    d.PatternKey = -1;
    d.PatternBrush = nullptr;
    d.initialized = false;
}

void RebuildFillTiles()
{
    DrawingTables& d = Drawing();
    if (!d.initialized)
        InitDrawing();
    for (int n = 0; n < kFillCount; ++n) {
        const FillEntry& f = d.Fills[n];
        const int a = f.ColourA < kCubeSize ? f.ColourA : 0;
        const int b = f.ColourB < kCubeSize ? f.ColourB : 0;
        // Patterns past the last tile do not occur; they are drawn plain.
        const int pattern = f.Pattern < kPatternTiles ? f.Pattern : 0;
        FillTile(d, n, SwatchColour(d, a));
        if (pattern == 0) {
            d.AverageColour[n] = std::uint8_t(a);
        } else {
            const QRgb cb = SwatchColour(d, b);
            const Colour ca = CubeColour(a), cbCube = CubeColour(b);
            int sum[3] = {0, 0, 0};
            for (int y = 0; y < 8; ++y) {
                auto* row = reinterpret_cast<QRgb*>(d.TileStrip.scanLine(8 * n + y));
                for (int x = 0; x < 8; ++x) {
                    const bool set = kPatterns[pattern][y] & (0x80 >> x);
                    if (set)
                        row[x] = cb;
                    const Colour c = set ? cbCube : ca;
                    sum[0] += int(c & 0xFF);
                    sum[1] += int((c >> 8) & 0xFF);
                    sum[2] += int((c >> 16) & 0xFF);
                }
            }
            int level[3];
            for (int i = 0; i < 3; ++i)
                level[i] = ((sum[i] + 32) / 64 + 25) / 51;
            d.AverageColour[n] = std::uint8_t(level[0] + 6 * level[1] + 36 * level[2]);
        }
        SetTileBrush(d, n);
    }
    d.PatternKey = -1;
    d.PatternBrush = nullptr;
}

void UseDataArchive(DataArchive&& a)
{
    DrawingTables& d = Drawing();
    if (!d.initialized)
        InitDrawing();
    d.Fills = a.Fills;
    RebuildFillTiles();
    for (Picture& p : a.Pictures)
        d.PictureList.push_back(std::move(p));
    for (Layout& l : a.Layouts)
        d.LayoutList.push_back(std::move(l));
}

bool LoadDataArchive(std::string* message)
{
    return LoadDataArchive(Drawing().ArchivePath, message);
}

bool LoadDataArchive(const std::string& path, std::string* message)
{
    DrawingTables& d = Drawing();
    if (!d.initialized)
        InitDrawing();
    DataArchive a;
    ArchiveReadError err;
    const bool ok = ReadDataArchiveFile(path, d.PageWidth, d.PageHeight, a, &err);
    if (ok) {
        UseDataArchive(std::move(a));
        return true;
    }
    if (message)
        *message = err.message;
    // What was read before the failing section counts, as the reader used it
    // while reading; the failing section's list is emptied.
    if (err.section == ArchiveSection::Pictures || err.section == ArchiveSection::Layouts) {
        d.Fills = a.Fills;
        RebuildFillTiles();
    }
    if (err.section == ArchiveSection::Pictures)
        d.PictureList.clear();
    if (err.section == ArchiveSection::Layouts) {
        for (Picture& p : a.Pictures)
            d.PictureList.push_back(std::move(p));
        d.LayoutList.clear();
    }
    return false;
}

const Picture* FindPicture(std::string_view ansiName)
{
    for (const Picture& p : Drawing().PictureList)
        if (p.Name == ansiName)
            return &p;
    return nullptr;
}

const Layout* FindLayout(std::string_view ansiName)
{
    for (const Layout& l : Drawing().LayoutList)
        if (l.Name == ansiName)
            return &l;
    return nullptr;
}

const Picture* FindPicture(const char* utf8Name)
{
    const auto bytes = ansi::FromUtf8(utf8Name ? utf8Name : "");
    return bytes ? FindPicture(std::string_view(*bytes)) : nullptr;
}

const Layout* FindLayout(const char* utf8Name)
{
    const auto bytes = ansi::FromUtf8(utf8Name ? utf8Name : "");
    return bytes ? FindLayout(std::string_view(*bytes)) : nullptr;
}

const Picture* FindPicture(const QString& name)
{
    const auto bytes = ansi::FromQString(name);
    return bytes ? FindPicture(std::string_view(*bytes)) : nullptr;
}

const Layout* FindLayout(const QString& name)
{
    const auto bytes = ansi::FromQString(name);
    return bytes ? FindLayout(std::string_view(*bytes)) : nullptr;
}
