// Page chrome and small shared graphics helpers: the shared page bitmap, the
// archive's page layouts, gradient fills, blending and resampling of 24-bit
// bitmaps, the millisecond clock and the lenient number reader.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas.h"
#include "elev.h"
#include "tolerant.h"   // TolerantStrToInt lives in records, so records needs no graphics

#include <QImage>
#include <QString>

#include <cstdint>
#include <string_view>

/// a x b / c with a 64-bit intermediate, rounded to the nearest integer
/// (halves away from zero); -1 when c is 0.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);
inline int MinInt(int a, int b) { return a < b ? a : b; }
inline int MaxInt(int a, int b) { return a > b ? a : b; }
/// Milliseconds of a monotonic clock.
std::int64_t MilliSeconds();

// ---- the shared page bitmap -------------------------------------------------

/// Makes Drawing().PageBitmap, width x height, with the swatches drawn at
/// (0, 0); nothing when it exists. False when it could not be made.
bool CreatePageBitmap(int width, int height);

// ---- layouts ------------------------------------------------------------------

/// Draws the layout of that name (Windows-1252 bytes): its back colour over
/// the page, then its elements. An unknown name only sets a solid white
/// brush and black font colour.
void DrawPageLayout(Canvas& canvas, std::string_view ansiName);
/// The same for a name written as UTF-8 source text ("ørken").
void DrawPageLayout(Canvas& canvas, const char* utf8Name);

// ---- gradients ------------------------------------------------------------------

/// One channel-wise ramp of \a length colours from \a a to \a b: linear
/// (a + MulDiv(i, b - a, L)), or mirrored (b in the middle, a at both ends).
void GradientRamp(Colour a, Colour b, bool mirrored, int length, QRgb* out);

/// Colour changing along x over the box (left, top, right, bottom).
void FillGradient(Canvas& canvas, const IntRect& rect, Colour colourA, bool mirrored, Colour colourB);
/// Colour changing along y.
void FillGradientVertical(Canvas& canvas, const IntRect& rect, Colour colourA, bool mirrored, Colour colourB);
/// Only inside the rounded rectangle (corner diameter min(w, h) div 4) or,
/// with \a rounded false, the ellipse that fits \a rect.
void FillRoundGradient(Canvas& canvas, const IntRect& rect, Colour colourA, bool mirrored, bool rounded,
                       Colour colourB);
void FillRoundGradientVertical(Canvas& canvas, const IntRect& rect, Colour colourA, bool mirrored, bool rounded,
                               Colour colourB);
/// Only inside the polygon; \a rect is its box.
void FillPolygonGradient(Canvas& canvas, const IntRect& rect, Colour colourA, bool mirrored, int count,
                         const QPoint* points, Colour colourB);
void FillPolygonGradientVertical(Canvas& canvas, const IntRect& rect, Colour colourA, bool mirrored, int count,
                                 const QPoint* points, Colour colourB);

// ---- 24-bit bitmaps ---------------------------------------------------------------

/// out := a / (n + 1) + b x n / (n + 1), channel by channel (each term
/// rounded, the sum kept within 255), at a's size. False (out untouched)
/// when b's size differs from a's or n is negative.
bool BlendBitmaps(const QImage& a, const QImage& b, QImage& out, int n);
bool BlendBitmaps(const Pixels24& a, const Pixels24& b, Pixels24& out, int n);

/// Bilinear resize in place. A bitmap 1 pixel wide (high) is taken nearest
/// neighbour along that side. False (unchanged) for an empty bitmap or a
/// new size below 1.
bool ResampleBitmap(QImage& bitmap, int newWidth, int newHeight);
bool ResampleBitmap(Pixels24& bitmap, int newWidth, int newHeight);
