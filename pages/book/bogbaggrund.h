// The poetry book's ten backgrounds: their layouts and colours, where their
// thumbnails lie on the background page, which one a click hits and the
// zoom that shows a choice.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"

#include <QImage>

#include <array>
#include <cstdint>

inline constexpr int kBaggrundCount = 10;

/// One background: its page layout and the colours the questionnaire uses
/// over it.
struct BogBaggrund {
    const char* layout;   ///< the layout's name, UTF-8
    Colour felt;          ///< answer field background
    Colour feltTekst;     ///< answer text
    Colour tekst;         ///< caption
    Colour skygge;        ///< caption shadow
};

/// Background \a n, 1 to 10; any other number gives background 1.
const BogBaggrund& Baggrund(int n);

/// The background a stored choice shows: the choice itself when it is 1 to
/// 10, else 1. A file may hold any number; it keeps it until the pupil
/// chooses.
int ShownBaggrund(std::int32_t bagsideValg);

/// The program's small pseudo-random generator: seed := seed x 134775813 + 1
/// (mod 2^32), then (n x seed) div 2^32.
class BogRandom {
public:
    explicit BogRandom(std::uint32_t seed = 0) : seed_(seed) {}
    /// 0 to n - 1 (0 for n below 1).
    int Random(int n);

private:
    std::uint32_t seed_;
};

/// The ten thumbnail rectangles, index 1 to 10 (index 0 unused), for a page
/// of W x H: a two-column grid of (W div 5) x (H div 5) cells, each moved a
/// little by the generator started at seed 0, so a size always gives the
/// same places.
using ThumbnailRects = std::array<IntRect, kBaggrundCount + 1>;
ThumbnailRects MakeThumbnailRects(int W, int H);

/// Whether (x, y) lies in the box, its right and bottom edges excluded.
inline bool InRect(const IntRect& r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

/// The thumbnail a click at (x, y) hits: the topmost drawn one (10 down to
/// 1, the chosen background having no thumbnail), or 0 for none.
int ThumbnailAt(const ThumbnailRects& rects, int chosen, int x, int y);

inline constexpr int kZoomFrames = 40;
inline constexpr int kZoomFrameMs = 20;

/// Frame \a i (0 to 39) of the zoom from \a from to the page (0, 0, W, H):
/// each side moved i/40 of the way, rounded to the nearest integer, halves
/// to even.
IntRect ZoomFrame(const IntRect& from, int W, int H, int i);

/// Shrinks \a source (32-bit) into \a rect of \a target (32-bit), each
/// target pixel the average of the source pixels it covers; the part of the
/// rectangle outside the target is left out.
void StretchThumbnail(const QImage& source, QImage& target, const IntRect& rect);

/// The one-pixel raised frame along the inside of \a rect: white on the top
/// and left, black on the bottom and right.
void DrawThumbnailFrame(QImage& target, const IntRect& rect);
