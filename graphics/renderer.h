// The picture renderer: a named vector picture of the archive stretched into
// a rectangle, optionally mirrored and turned, with one fill number drawn in
// a given colour instead of its tile.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archive.h"
#include "canvas.h"

#include <string_view>

/// Draws the picture named \a ansiName (Windows-1252 bytes) stretched into
/// \a rect (aspect not kept), mirrored left to right when \a mirror, turned
/// by \a angle degrees (clockwise on screen), with every filled shape whose
/// fill number is \a keyFill painted in solid \a keyColour. Draws nothing for
/// an unknown name or a cell picture. Allocates nothing.
void DrawPicture(Canvas& canvas, std::string_view ansiName, const IntRect& rect, bool mirror, int angle,
                 int keyFill, Colour keyColour);
/// The same for a name written as UTF-8 source text.
void DrawPicture(Canvas& canvas, const char* utf8Name, const IntRect& rect, bool mirror, int angle, int keyFill,
                 Colour keyColour);
void DrawPicture(Canvas& canvas, const Picture* picture, const IntRect& rect, bool mirror, int angle, int keyFill,
                 Colour keyColour);

/// The picture with its own fills only, unmirrored and upright; sets the pen
/// to black, width 1, copy mode, solid first.
void DrawPicturePlain(Canvas& canvas, std::string_view ansiName, const IntRect& rect);
void DrawPicturePlain(Canvas& canvas, const char* utf8Name, const IntRect& rect);

/// Makes Drawing().PatternTile hold the tile of fill \a fillNumber, copying it
/// only when another fill was selected last. Fill numbers outside 1..2048
/// select a black tile.
void SelectPattern(int fillNumber);
/// Forgets the selected fill, so the next SelectPattern copies.
void ResetPatternCache();
/// The brush of the selected tile.
const QBrush* SelectedPatternBrush();

/// The 48 corners of the polygon that stands for a turned ellipse in
/// \a bounds: (left + a + a cos 7.5k deg, top + b + b sin 7.5k deg).
void EllipsePoints(const IntRect& bounds, PointF out[48]);
