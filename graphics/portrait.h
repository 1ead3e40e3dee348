// The geometry of the portrait's parts (head, hair, eyes, brows, mouth,
// nose, glasses) in a portrait area of any size, the drawers that put each
// part's picture there, and DrawPortrait, which draws the whole face.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas.h"
#include "elev.h"

#include <array>
#include <string>
#include <string_view>

// ---- rectangles; W x H is the portrait area --------------------------------

void HeadRect(int W, int H, int shape, IntRect& R);
void HairRect(int W, int H, int shape, int headShape, IntRect& R, bool mirror);
/// The eye left of the centre line; \a angle is accepted and not used.
void EyeRect(int W, int H, int shape, int angle, double vandret, double lodret, IntRect& R);
void BrowRect(int W, int H, int shape, int angle, double vandret, double lodret, IntRect& R);
void MouthRect(int W, int H, int shape, int zoom, double lodret, IntRect& R);
void NoseRect(int W, int H, int shape, int zoom, double lodret, IntRect& R);
void GlassesRect(int W, int H, int shape, int zoom, double lodret, IntRect& R);
/// Reflects R about the line x = c.
void MirrorRect(IntRect& R, int c);
/// The angle of the mirrored twin of an eye or brow turned by \a angle:
/// the same turn the other way, within one turn. Any stored angle works,
/// -2147483648 included, whose plain negation does not fit an int.
int MirroredAngle(int angle);
/// The rectangle every face drawn into a W x H portrait area lies in,
/// whatever its parts: every head, every hairstyle on every head, plain and
/// mirrored, the glasses at their largest and moved as far as they go. The
/// editor pages keep their floating palettes off it.
IntRect PortraitBounds(int W, int H);

/// Size factor 0.0025 z^2 - 0.075 z + 1 of a zoom step.
double ZoomFactor(double z);
/// The brow height factor for an angle of -10..10 and a brow shape.
double BrowHeightFactor(int angle, int shape);

// ---- part drawers -----------------------------------------------------------

/// The picture name of a part: prefix and the shape number, with a "0" put
/// before one digit where the part's names have two ("haar03", "hobby05").
std::string HeadPictureName(int n);
std::string HairPictureName(int n);
std::string EyePictureName(int n);
std::string BrowPictureName(int n);
std::string MouthPictureName(int n);
std::string NosePictureName(int n);
std::string GlassesPictureName(int n);
std::string HobbyPictureName(int n);
std::string LeafPictureName(int n);

void DrawHead(Canvas& canvas, int n, const IntRect& R, Colour colour);
void DrawHair(Canvas& canvas, int n, const IntRect& R, Colour colour, bool mirror);
void DrawEye(Canvas& canvas, int n, int angle, const IntRect& R, Colour colour, bool mirror);
void DrawBrow(Canvas& canvas, int n, int angle, const IntRect& R, Colour colour, bool mirror);
void DrawMouth(Canvas& canvas, int n, const IntRect& R, Colour colour);
void DrawNose(Canvas& canvas, int n, const IntRect& R);
void DrawGlasses(Canvas& canvas, int n, const IntRect& R, Colour colour);
void DrawMeasureFigure(Canvas& canvas, const IntRect& R);
void DrawCheckMark(Canvas& canvas, const IntRect& R);
void DrawHobbyPicture(Canvas& canvas, int n, const IntRect& R);
void DrawLeaf(Canvas& canvas, int n, const IntRect& R);
void DrawPhotoFrame(Canvas& canvas, const IntRect& R);

// ---- the whole face ---------------------------------------------------------

/// The seven parts of a face, indexed by Del.
using PortraitParts = std::array<FacePart, kDelCount>;
PortraitParts PartsOf(const tElev& elev);

/// Draws the layout \a layoutName (none when empty; Windows-1252 bytes),
/// then head, nose, brows, mouth, eyes, hair and glasses of the face, fitted
/// to a portrait area W wide and H high (the part above the page's bottom
/// box). Eyes and brows come in pairs mirrored about W div 2.
void DrawPortrait(Canvas& canvas, const PortraitParts& parts, std::string_view layoutName, int W, int H);
void DrawPortrait(Canvas& canvas, const tElev& elev, std::string_view layoutName, int W, int H);
