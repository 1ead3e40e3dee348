// The program's drawing tables: the fill table with its tiles, the colour
// cube and swatches, the pattern bitmap, the picture and layout lists read
// from the archive, and the page size the archive is fitted to.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archive.h"

#include <QBrush>
#include <QImage>
#include <QString>

#include <array>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kCubeSize = 216;
inline constexpr int kPatternTiles = 49;

/// Cube colour k (0..215) as 0x00BBGGRR: red (k mod 6) x 51, green
/// ((k div 6) mod 6) x 51, blue (k div 36) x 51.
Colour CubeColour(int k);

/// The 216 swatches, 8 x 1728, swatch k in rows 8k..8k+7: the cube colours
/// with the program's few deviations (swatch 0 is RGB 4,4,4; 31 and 66 are
/// 51,255,51; 172 is 203,203,203; 181 and 186 are 51,51,255).
QImage MakeSwatchBitmap();

/// The 49 black-and-white 8 x 8 pattern tiles, 8 x 392, tile p in rows
/// 8p..8p+7; a set (white) pixel takes the pattern colour.
QImage MakePatternBitmap();

/// The tile rows of pattern p (0..48), leftmost pixel in the top bit.
const std::array<std::uint8_t, 8>& PatternRows(int p);

/// Everything drawing reads. One instance for the program (Drawing()).
struct DrawingTables {
    // ---- fill table ----
    std::array<FillEntry, kFillCount> Fills{};
    /// 8 x 16384: the tile of fill n in rows 8(n-1)..8(n-1)+7.
    QImage TileStrip;
    /// Cube index of each fill's average colour.
    std::array<std::uint8_t, kFillCount> AverageColour{};
    /// The brush of each fill's tile: solid where the tile is one colour.
    std::array<QBrush, kFillCount> TileBrush;

    QImage SwatchBitmap;
    QImage PatternBitmap;

    // ---- SelectPattern's cache ----
    QImage PatternTile;              ///< 8 x 8, the tile selected last
    int PatternKey = -1;             ///< its fill number; -1 = none
    const QBrush* PatternBrush = nullptr;
    long PatternCopies = 0;          ///< how often a tile was copied (for tests)

    // ---- the archive ----
    std::vector<Picture> PictureList;
    std::vector<Layout> LayoutList;
    std::string ArchivePath;         ///< UTF-8
    int PageWidth = 0;
    int PageHeight = 0;
    /// The shared page bitmap (CreatePageBitmap); null until made.
    QImage PageBitmap;

    // ---- the renderer's work lists, allocated once ----
    std::vector<PointF> WorkPoints;
    std::vector<QPoint> WorkIntPoints;

    bool initialized = false;
};

/// The program's drawing tables.
DrawingTables& Drawing();

/// Creates the tables: the pattern bitmap, the swatches (unless SetSwatchBitmap
/// gave others), the work lists, empty picture and layout lists, and the
/// fill table's start values (fills 1..24 the plain colours 0, 5, 18, 35
/// plus 0, 36, ..., 180; every other fill (0, 215, plain) with a black tile).
void InitDrawing();
/// Frees every table; InitDrawing() may be called again.
void DoneDrawing();
/// Uses \a swatches instead of the built-in ones (before InitDrawing).
void SetSwatchBitmap(const QImage& swatches);

/// Makes every tile and average colour from Drawing().Fills.
void RebuildFillTiles();

/// Reads the archive at Drawing().ArchivePath, fitted to PageWidth x
/// PageHeight (0 keeps the design size), and appends its pictures and layouts
/// to the lists. False when the file is missing or broken; a broken picture
/// section empties the picture list, a broken layout section the layout
/// list. \a message gets the reason.
bool LoadDataArchive(std::string* message = nullptr);
bool LoadDataArchive(const std::string& path, std::string* message = nullptr);

/// Puts an archive read elsewhere into the tables (fills, tiles, lists).
void UseDataArchive(DataArchive&& archive);

/// The first picture (layout) whose name equals the Windows-1252 bytes
/// \a ansiName exactly; nullptr when there is none.
const Picture* FindPicture(std::string_view ansiName);
const Layout* FindLayout(std::string_view ansiName);
/// The same for a name written as UTF-8 (source text): "bølge" finds the
/// picture whose name is the bytes 62 F8 6C 67 65.
const Picture* FindPicture(const char* utf8Name);
const Layout* FindLayout(const char* utf8Name);
const Picture* FindPicture(const QString& name);
const Layout* FindLayout(const QString& name);
