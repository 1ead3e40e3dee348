// The drawing archive (tinkeli.BIN) in memory, and its reader: the fill
// table, the vector pictures and the page layouts, as the drawing tool wrote
// them. archivewriter.h writes the same structures back.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"   // Colour, IntRect

#include <QPoint>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/*
 * Byte layout of an archive (all integers little-endian):
 *
 *   0  shortstr[13]  signature: length 13 and one of
 *                    "Vindelskribot" v1, "VindSkriData2" v2, "VindSkriData3" v3,
 *                    "VindSkriData4" v4, "VindSkriDat4a" v4 wide, "VindSkriData5" v5 wide
 *  14  u16 DesignWidth, u16 DesignHeight
 *  18  fill table: 2048 (wide) or 252 entries of ColourA, ColourB, Pattern (u8 each)
 *      u16 picture count, pictures
 *      u16 layout count, layouts
 *
 * A point is x, y as two ext80 and 4 unused bytes (v4, v5: 24 bytes) or as two
 * real48 (12 bytes). A fill number is u16 in wide files, else u8.
 *
 * picture:  u8 kind (absent in v1: 0), u32 Tag, shortstr[20] Name, u8 flags;
 *           kind 1: i16 l,t,r,b; reference point; u16 n; n elements
 *           kind 0: 4 bytes, 254 bytes, u8 GridShape, 9216 cell bytes
 *           other kinds: nothing more
 * element:  u32 Colour, i16 PenWidth, fill, u8 Filled, i16 l,t,r,b, u8 Kind,
 *           u16 n, n points
 * layout:   u32 Tag, u32 BackColour, shortstr[20] Name,
 *           (v3+) i32 n and n text bytes, u16 n, n layout elements
 * layout element: u32 Colour, i16 PenWidth, fill, u8 Filled, i16 l,t,r,b, u8 Kind,
 *           kinds 4-6: u16 n, n points;
 *           kind 7: u8 FontStyle, FontName shortstr[31] (v1, v2) or shortstr[255],
 *           u16 n, n text bytes
 */

inline constexpr int kFillCount = 2048;
inline constexpr int kNarrowFillCount = 252;
inline constexpr int kMaxNameLength = 20;
/// The renderer's work lists hold this many points; a picture that could
/// flatten to more is refused when the archive is read.
inline constexpr int kMaxPicturePoints = 16384;
inline constexpr int kCellBytes = 9216;

/// Element kinds of pictures and layouts.
enum ElementKind : std::uint8_t {
    kKindNone = 0,
    kKindRectangle = 1,
    kKindRoundRect = 2,   ///< layouts only; draws nothing in pictures
    kKindEllipse = 3,
    kKindLine = 4,        ///< a polyline in layouts
    kKindPolyline = 5,
    kKindPolygon = 6,
    kKindText = 7,        ///< layouts only
};

/// One fill number: a ground colour, a pattern colour and a pattern tile
/// (0 plain; 45..48 are gradients in layouts). Colours index the colour cube.
struct FillEntry {
    std::uint8_t ColourA = 0;
    std::uint8_t ColourB = 0;
    std::uint8_t Pattern = 0;
    bool operator==(const FillEntry&) const = default;
};

struct PointF {
    double x = 0;
    double y = 0;
    bool operator==(const PointF&) const = default;
};

struct PictureElement {
    ::Colour Colour = 0;           ///< outline, 0x00BBGGRR
    std::int16_t PenWidth = 0;     ///< 0: thin dotted outline
    std::uint16_t Fill = 0;        ///< fill number, 1-based
    bool Filled = false;
    IntRect Bounds;
    std::uint8_t Kind = kKindNone;
    std::vector<PointF> Points;
};

/// A vector picture's own data (kind 1).
struct VectorPicture {
    IntRect Bounds;                 ///< contains every rounded point
    PointF Reference;               ///< stored; drawing computes its own centre
    std::vector<PictureElement> Elements;   ///< drawing order
};

/// A cell picture's data (kind 0), kept only so that names and bytes survive.
struct CellPicture {
    std::array<std::uint8_t, 4> Head{};
    std::array<std::uint8_t, 254> Info{};
    std::uint8_t GridShape = 0;
    bool Flag2 = false;             ///< bit 2 of the picture's flags
    std::vector<std::uint8_t> Cells = std::vector<std::uint8_t>(kCellBytes);
};

struct Picture {
    std::uint8_t Kind = 1;          ///< 0 cell, 1 vector, else an empty entry
    std::uint32_t Tag = 0;
    std::string Name;               ///< Windows-1252, at most 20 bytes
    bool Flag0 = false;
    bool Flag1 = false;
    VectorPicture Vector;           ///< kind 1
    CellPicture Cell;               ///< kind 0
};

struct LayoutElement {
    ::Colour Colour = 0;            ///< outline, or the text colour
    std::int16_t PenWidth = 0;      ///< outline width; points of a text
    std::uint16_t Fill = 0;
    bool Filled = false;
    IntRect Bounds;
    std::uint8_t Kind = kKindNone;
    std::vector<PointF> Points;     ///< kinds 4-6
    std::vector<QPoint> IntPoints;  ///< Points rounded; what is drawn. The reader fills it.
    std::uint8_t FontStyle = 0;     ///< bit 0 bold, 1 italic, 2 underline, 3 strike-out
    std::string FontName;           ///< Windows-1252
    std::string Text;               ///< Windows-1252, no zero bytes
};

struct Layout {
    std::uint32_t Tag = 0;
    ::Colour BackColour = 0xFFFFFF;
    std::string Name;               ///< Windows-1252, at most 20 bytes
    std::string Text;               ///< versions 3 to 5 only
    std::vector<LayoutElement> Elements;
};

/// A whole archive. The archive builder fills one and hands it to
/// WriteDataArchive(); ReadDataArchive() gives one back.
struct DataArchive {
    int Version = 5;                ///< 1..5
    bool WideFillTable = true;      ///< v4 only chooses; v5 is always wide, v1-v3 never
    std::uint16_t DesignWidth = 640;
    std::uint16_t DesignHeight = 450;
    std::array<FillEntry, kFillCount> Fills{};   ///< fill n is Fills[n - 1]
    std::vector<Picture> Pictures;
    std::vector<Layout> Layouts;

    bool IsWide() const { return Version == 5 || (Version == 4 && WideFillTable); }
};

/// Where a read stopped.
enum class ArchiveSection { None, Header, Fills, Pictures, Layouts };

struct ArchiveReadError {
    ArchiveSection section = ArchiveSection::None;
    std::string message;            ///< English, for logs and the command line
};

/// Reads an archive image. Coordinates are rescaled from the design size to
/// \a pageWidth x \a pageHeight while they are read; 0 for either keeps the
/// design size. Every count and length is checked against the bytes left
/// before anything is allocated.
///
/// On failure \a out holds what was read before the failing section: its
/// fill table when pictures or layouts failed, its pictures when layouts
/// failed; the failing section's list is left empty.
[[nodiscard]] bool ReadDataArchive(const std::uint8_t* data, std::size_t size, int pageWidth, int pageHeight,
                                   DataArchive& out, ArchiveReadError* error = nullptr);

/// Reads an archive file; see the other overload. \a path is UTF-8.
[[nodiscard]] bool ReadDataArchiveFile(const std::string& path, int pageWidth, int pageHeight, DataArchive& out,
                                       ArchiveReadError* error = nullptr);

/// The 14 signature bytes of a version, or nothing for an unknown one.
std::string ArchiveSignature(int version, bool wide);

/// The 6-byte real48: byte 0 the exponent (bias 129, 0 = zero), bytes 1-5 the
/// mantissa with the sign in the top bit of byte 5.
double Real48Decode(const std::uint8_t* sixBytes);
/// False when \a v is too large (or not finite) for a real48; tiny values
/// become 0.
bool Real48Encode(double v, std::uint8_t* sixBytes);

/// Worst-case points a picture adds to the renderer's work list (an ellipse
/// counts as rotated).
std::size_t FlattenedPointCount(const Picture& picture);
