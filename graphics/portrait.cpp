// Portrait geometry, the part drawers and DrawPortrait.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "portrait.h"

#include "chrome.h"
#include "renderer.h"

#include <algorithm>
#include <cstdint>
#include <cmath>

namespace {

// The face was designed for a portrait area 332 pixels high (plus 16).
constexpr double kDesignHeight = 332.0;

inline int Round(double v) { return int(std::lrint(v)); }   // ties to even

struct Row3 { int width, top, bottom; };
struct Row4 { int width, top, bottom, inset; };
struct Row4h { int width, height, top, bottom; };
struct Row5 { int width, height, top, bottom, inset; };

constexpr Row3 kHead[8] = {
    {232, 28, 310}, {232, 28, 310}, {233, 28, 315}, {227, 28, 312},
    {212, 28, 306}, {234, 28, 306}, {218, 28, 308}, {229, 28, 312},
};

constexpr Row3 kHair[25] = {
    {298, 10, 332}, {254, 10, 206}, {254, 10, 219}, {261, 10, 207}, {255, 10, 219},
    {262, 10, 227}, {248, 10, 232}, {248, 10, 232}, {248, 10, 232}, {248, 10, 232},
    {248, 10, 232}, {259, 10, 295}, {225, 10, 285}, {293, 10, 318}, {294, 10, 235},
    {276, 10, 230}, {278, 10, 312}, {275, 10, 283}, {261, 10, 332}, {215, 10, 268},
    {231, 10, 299}, {298, 10, 279}, {261, 10, 207}, {262, 10, 227}, {248, 10, 232},
};

constexpr Row4 kEye[6] = {
    {45, 172, 195, 36}, {43, 172, 194, 38}, {45, 172, 194, 36},
    {51, 171, 196, 30}, {43, 172, 195, 38}, {45, 174, 196, 34},
};

constexpr Row5 kBrow[5] = {
    {60, 10, 155, 165, 30}, {60, 10, 155, 165, 28}, {58, 11, 154, 166, 30},
    {58, 15, 150, 165, 30}, {49, 14, 150, 164, 30},
};

constexpr Row4h kMouth[9] = {
    {75, 16, 255, 271}, {77, 25, 251, 276}, {82, 12, 257, 269}, {75, 16, 255, 271}, {65, 13, 256, 269},
    {84, 17, 255, 272}, {76, 19, 254, 273}, {63, 16, 255, 271}, {64, 16, 255, 271},
};

constexpr Row4h kNose[5] = {
    {55, 14, 222, 236}, {55, 14, 222, 236}, {44, 14, 222, 236}, {40, 13, 223, 236}, {42, 15, 221, 236},
};

constexpr Row4h kGlasses[5] = {
    {196, 75, 150, 225}, {196, 75, 150, 225}, {196, 65, 160, 225}, {195, 64, 160, 224}, {195, 51, 160, 211},
};

constexpr double kBrowHeight[21][5] = {
    {1, 1, 1.6, 2.1, 1.45},          {1, 0.975, 1.55, 2.025, 1.425}, {1, 0.963, 1.475, 1.95, 1.413},
    {1, 0.938, 1.425, 1.888, 1.388}, {1, 0.925, 1.363, 1.825, 1.375}, {1, 0.9, 1.3, 1.75, 1.35},
    {1, 0.925, 1.263, 1.7, 1.363},   {1, 0.938, 1.213, 1.65, 1.375}, {1, 0.963, 1.175, 1.6, 1.383},
    {1, 0.975, 1.138, 1.55, 1.388},  {1, 1, 1.1, 1.5, 1.4},          {1, 1.063, 1.138, 1.575, 1.438},
    {1, 1.125, 1.175, 1.65, 1.475},  {1, 1.188, 1.225, 1.7, 1.517},  {1, 1.25, 1.263, 1.775, 1.56},
    {1, 1.3, 1.3, 1.85, 1.6},        {1, 1.35, 1.275, 1.913, 1.65},  {1, 1.4, 1.288, 1.988, 1.7},
    {1, 1.45, 1.363, 2.05, 1.75},    {1, 1.5, 1.388, 2.125, 1.8},    {1, 1.55, 1.4, 2.2, 1.85},
};

constexpr int kHairOffset[8][25] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, -2, 0, 0, -1, -1, -1, -1, -1, -5, 0, 0, -10, 0, -5, -10, -9, 2, -1, -8, -2, 0, -1},
    {0, 0, 1, 1, 0, -1, 0, -1, -1, -2, -1, -2, 0, 0, -10, 0, -5, -10, -15, 2, -1, -8, 1, -1, 0},
    {0, 0, -1, 0, 0, -1, 0, 0, -1, -2, -1, -4, 0, 0, -10, -2, -4, -10, -17, 1, 0, -7, 0, -1, 0},
    {0, 1, 1, 0, 1, 0, 1, 1, 1, 1, 1, -3, 3, 1, -7, 2, -3, -11, -14, 1, 0, -7, 0, 0, 1},
    {0, 0, 0, 0, 0, -1, 1, 1, 1, 0, 1, -4, 3, 0, -7, 1, -4, -11, -14, 2, 0, -8, 0, -1, 1},
    {0, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, -4, 5, -1, -7, 0, -2, -9, -14, 2, 0, -4, 0, 0, 0},
    {0, 0, 0, 0, 0, -1, 0, 0, -1, -1, -1, -4, 4, 0, -9, 0, -4, -11, -18, 1, 3, -6, 0, -1, 0},
};

constexpr int kHairOffsetMirrored[8][25] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 1, 0, 2, -2, -2, 1, 1, 1, 1, 1, 5, -1, 0, 10, 0, 6, 10, 9, -2, -3, 3, 2, -2, 1},
    {0, 1, 0, 5, -3, 0, 1, -1, -1, -1, 0, 3, -4, -1, 10, 0, 6, 5, 14, -2, -2, 3, 5, 0, 1},
    {0, 2, -1, 5, -3, 5, -1, -1, -1, -1, -1, 2, -2, 0, 10, 2, 6, 9, 17, -3, -2, 3, 5, 5, -1},
    {0, 1, 2, 1, -1, 0, -1, 0, 1, 1, 1, 5, -1, 3, 8, 2, 7, 14, 16, 0, 0, 7, 1, 0, -1},
    {0, 0, -1, 3, -2, -1, -2, 0, 1, 0, -1, 2, -3, 1, 10, 0, 7, 9, 17, -3, -2, 7, 3, -1, -2},
    {0, 1, -1, 0, -2, -1, 0, 0, 0, 1, 0, 4, 2, 8, 9, 0, 4, 10, 15, 3, -5, 6, 0, -1, 0},
    {0, -1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 4, -3, 0, 9, 0, 6, 8, 17, -2, -1, 6, 0, 1, 0},
};

constexpr double kHairWidth[8][25] = {
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 0.95, 1, 0.97, 0.97, 0.95, 0.95, 1, 1, 1, 1, 1, 0.97, 1, 0.92, 1.01, 1.03, 1, 1, 0.95, 1},
    {1, 1, 1.01, 1, 1.02, 1, 1.02, 1.02, 1.02, 1.02, 1.02, 1.06, 1.02, 1.04, 1, 1.05, 0.97, 1.05, 1, 1.04, 1.05, 1.05,
     1, 1, 1.02},
    {1, 1, 1.01, 0.99, 1, 0.98, 1.02, 1.02, 1.02, 1, 1, 1.03, 1.02, 1.04, 1, 1.02, 0.95, 1.04, 1, 1.03, 1.04, 1, 0.99,
     0.98, 1.02},
    {1, 0.93, 0.94, 0.9, 0.91, 0.88, 0.94, 0.88, 0.9, 0.88, 0.87, 0.93, 0.94, 0.96, 0.9, 0.96, 0.87, 0.94, 0.89, 1.03,
     1, 0.96, 0.9, 0.88, 0.94},
    {1, 1, 1.01, 1, 1.01, 1, 1.04, 0.99, 0.99, 0.95, 0.95, 1.02, 1.02, 1.04, 0.99, 1.06, 0.96, 1.06, 1, 1.04, 1.08,
     1.06, 1, 1, 1.04},
    {1, 0.96, 0.96, 0.96, 0.97, 0.88, 0.95, 0.88, 0.88, 0.88, 0.86, 0.93, 0.94, 0.9, 0.9, 0.94, 0.88, 1, 0.9, 0.99, 1,
     0.94, 0.96, 0.88, 0.95},
    {1, 1.02, 1.02, 1.02, 1.02, 0.98, 1.02, 0.98, 0.95, 0.95, 0.94, 1.03, 1.01, 1.04, 0.97, 1.08, 0.96, 1.03, 1, 1.04,
     1.12, 1.04, 1.02, 0.98, 1.02},
};

// Shape numbers outside the tables are never stored by the pages; they take
// the nearest row rather than read past a table.
template <std::size_t N>
int Clamp(int shape) { return std::clamp(shape, 0, int(N) - 1); }

double Scale(int H) { return (H - 16) / kDesignHeight; }

void Move(IntRect& R, int dx, int dy)
{
    R.left += dx;
    R.right += dx;
    R.top += dy;
    R.bottom += dy;
}

int Offset(double value) { return Round(value * kDesignHeight); }

void ZoomedRect(const Row4h& row, int W, int H, double k, double lodret, IntRect& R)
{
    const double s = Scale(H);
    const int cx = W / 2;
    const int half = Round(k * s * row.width / 2);
    const int hh = Round(k * s * row.height / 2);
    const int cy = (Round(row.top * s) + Round(row.bottom * s)) / 2;
    R = {cx - half, cy - hh, cx + half, cy + hh};
    Move(R, 0, Offset(lodret) + 8);
}

std::string Numbered(const char* prefix, int n, bool twoDigits)
{
    std::string s(prefix);
    if (twoDigits && n >= 0 && n <= 9)
        s += '0';
    s += std::to_string(n);
    return s;
}

} // namespace

double ZoomFactor(double z) { return 0.0025 * z * z - 0.075 * z + 1; }

double BrowHeightFactor(int angle, int shape)
{
    return kBrowHeight[std::clamp(angle, -10, 10) + 10][Clamp<5>(shape)];
}

void HeadRect(int W, int H, int shape, IntRect& R)
{
    const Row3& row = kHead[Clamp<8>(shape)];
    const double s = Scale(H);
    const int cx = W / 2;
    const int half = Round(row.width * s / 2);
    R = {cx - half, Round(row.top * s), cx + half, Round(row.bottom * s)};
    Move(R, 0, 8);
}

void HairRect(int W, int H, int shape, int headShape, IntRect& R, bool mirror)
{
    const int hs = Clamp<25>(shape), head = Clamp<8>(headShape);
    const Row3& row = kHair[hs];
    const double s = Scale(H);
    const int cx = W / 2;
    const double f = kHairWidth[head][hs];
    const int half = Round(f * s * row.width / 2);
    R = {cx - half, Round(row.top * s), cx + half, Round(row.bottom * s)};
    const int d = mirror ? kHairOffsetMirrored[head][hs] : kHairOffset[head][hs];
    Move(R, Round(d * s), 8);
}

void EyeRect(int W, int H, int shape, int /*angle*/, double vandret, double lodret, IntRect& R)
{
    const Row4& row = kEye[Clamp<6>(shape)];
    const double s = Scale(H);
    const int cx = W / 2;
    const int half = Round(row.width * s / 2);
    R = {cx - half, Round(row.top * s), cx + half, Round(row.bottom * s)};
    Move(R, Offset(vandret) - half - Round(row.inset * s / 2), Offset(lodret) + 8);
}

void BrowRect(int W, int H, int shape, int angle, double vandret, double lodret, IntRect& R)
{
    const Row5& row = kBrow[Clamp<5>(shape)];
    const double s = Scale(H);
    const int cx = W / 2;
    const int half = Round(row.width * s / 2);
    const int t = Round(row.top * s), b = Round(row.bottom * s);
    const int cy = (t + b) / 2;
    const int hh = Round(row.height * s / 2 * BrowHeightFactor(angle, shape));
    R = {cx - half, cy - hh, cx + half, cy + hh};
    Move(R, Offset(vandret) - half - Round(row.inset * s / 2), Offset(lodret) + 8);
}

void MouthRect(int W, int H, int shape, int zoom, double lodret, IntRect& R)
{
    ZoomedRect(kMouth[Clamp<9>(shape)], W, H, ZoomFactor(zoom), lodret, R);
}

void NoseRect(int W, int H, int shape, int zoom, double lodret, IntRect& R)
{
    ZoomedRect(kNose[Clamp<5>(shape)], W, H, ZoomFactor(zoom), lodret, R);
}

void GlassesRect(int W, int H, int shape, int zoom, double lodret, IntRect& R)
{
    ZoomedRect(kGlasses[Clamp<5>(shape)], W, H, ZoomFactor(zoom / 4.0), lodret, R);
}

int MirroredAngle(int angle)
{
    // The remainder first: its negation always fits.
    return int(-(std::int64_t(angle) % 360));
}

void MirrorRect(IntRect& R, int c)
{
    const int l = R.left;
    R.left = 2 * c - R.right;
    R.right = 2 * c - l;
}

IntRect PortraitBounds(int W, int H)
{
    IntRect all{W / 2, H, W / 2, H};
    auto add = [&all](const IntRect& r) {
        all = {std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
               std::max(all.bottom, r.bottom)};
    };
    IntRect R;
    for (int head = 0; head < 8; ++head) {
        HeadRect(W, H, head, R);
        add(R);
        // Hairstyle 0 is no hair at all.
        for (int hair = 1; hair < 25; ++hair)
            for (bool mirror : {false, true}) {
                HairRect(W, H, hair, head, R, mirror);
                add(R);
            }
    }
    for (int glasses = 1; glasses < 5; ++glasses)
        for (double lodret : {-0.1, 0.1}) {
            GlassesRect(W, H, glasses, -5, lodret, R);
            add(R);
        }
    return all;
}

std::string HeadPictureName(int n) { return Numbered("head0", n, false); }
std::string HairPictureName(int n) { return Numbered("haar", n, true); }
std::string EyePictureName(int n) { return Numbered("eye0", n, false); }
std::string BrowPictureName(int n) { return Numbered("brow0", n, false); }
std::string MouthPictureName(int n) { return Numbered("lip0", n, false); }
std::string NosePictureName(int n) { return Numbered("nose0", n, false); }
std::string GlassesPictureName(int n) { return Numbered("glass0", n, false); }
std::string HobbyPictureName(int n) { return Numbered("hobby", n, true); }
std::string LeafPictureName(int n) { return Numbered("blad0", n, false); }

void DrawHead(Canvas& c, int n, const IntRect& R, Colour colour)
{
    DrawPicture(c, std::string_view(HeadPictureName(n)), R, false, 0, 49, colour);
}
void DrawHair(Canvas& c, int n, const IntRect& R, Colour colour, bool mirror)
{
    DrawPicture(c, std::string_view(HairPictureName(n)), R, mirror, 0, 49, colour);
}
void DrawEye(Canvas& c, int n, int angle, const IntRect& R, Colour colour, bool mirror)
{
    DrawPicture(c, std::string_view(EyePictureName(n)), R, mirror, angle, 49, colour);
}
void DrawBrow(Canvas& c, int n, int angle, const IntRect& R, Colour colour, bool mirror)
{
    DrawPicture(c, std::string_view(BrowPictureName(n)), R, mirror, angle, 49, colour);
}
void DrawMouth(Canvas& c, int n, const IntRect& R, Colour colour)
{
    DrawPicture(c, std::string_view(MouthPictureName(n)), R, false, 0, 49, colour);
}
void DrawNose(Canvas& c, int n, const IntRect& R)
{
    DrawPicture(c, std::string_view(NosePictureName(n)), R, false, 0, 49, 0x000000);
}
void DrawGlasses(Canvas& c, int n, const IntRect& R, Colour colour)
{
    DrawPicture(c, std::string_view(GlassesPictureName(n)), R, false, 0, 49, colour);
}
void DrawMeasureFigure(Canvas& c, const IntRect& R) { DrawPicture(c, std::string_view("maal"), R, false, 0, 0, 0); }
void DrawCheckMark(Canvas& c, const IntRect& R) { DrawPicture(c, std::string_view("check"), R, false, 0, 0, 0); }
void DrawHobbyPicture(Canvas& c, int n, const IntRect& R)
{
    DrawPicture(c, std::string_view(HobbyPictureName(n)), R, false, 0, 0, 0);
}
void DrawLeaf(Canvas& c, int n, const IntRect& R)
{
    DrawPicture(c, std::string_view(LeafPictureName(n)), R, false, 0, 0, 0);
}
void DrawPhotoFrame(Canvas& c, const IntRect& R) { DrawPicture(c, std::string_view("foto"), R, false, 0, 0, 0); }

PortraitParts PartsOf(const tElev& elev)
{
    PortraitParts p;
    for (int i = 0; i < kDelCount; ++i)
        p[std::size_t(i)] = elev.Part(Del(i));
    return p;
}

void DrawPortrait(Canvas& canvas, const PortraitParts& parts, std::string_view layoutName, int W, int H)
{
    const auto& ansigt = parts[std::size_t(Del::Ansigt)];
    const auto& naese = parts[std::size_t(Del::Naese)];
    const auto& bryn = parts[std::size_t(Del::Bryn)];
    const auto& mund = parts[std::size_t(Del::Mund)];
    const auto& oejne = parts[std::size_t(Del::Oejne)];
    const auto& haar = parts[std::size_t(Del::Haar)];
    const auto& briller = parts[std::size_t(Del::Briller)];
    IntRect R;

    if (!layoutName.empty())
        DrawPageLayout(canvas, layoutName);

    HeadRect(W, H, ansigt.Type, R);
    DrawHead(canvas, ansigt.Type, R, ansigt.Farve);

    NoseRect(W, H, naese.Type, naese.Zoom, naese.Lodret.value(), R);
    DrawNose(canvas, naese.Type, R);

    BrowRect(W, H, bryn.Type, bryn.Vinkel, bryn.Vandret.value(), bryn.Lodret.value(), R);
    DrawBrow(canvas, bryn.Type, bryn.Vinkel, R, bryn.Farve, false);
    MirrorRect(R, W / 2);
    DrawBrow(canvas, bryn.Type, MirroredAngle(bryn.Vinkel), R, bryn.Farve, true);

    MouthRect(W, H, mund.Type, mund.Zoom, mund.Lodret.value(), R);
    DrawMouth(canvas, mund.Type, R, mund.Farve);

    EyeRect(W, H, oejne.Type, oejne.Vinkel, oejne.Vandret.value(), oejne.Lodret.value(), R);
    DrawEye(canvas, oejne.Type, oejne.Vinkel, R, oejne.Farve, false);
    MirrorRect(R, W / 2);
    DrawEye(canvas, oejne.Type, MirroredAngle(oejne.Vinkel), R, oejne.Farve, true);

    HairRect(W, H, haar.Type, ansigt.Type, R, haar.Spejl);
    DrawHair(canvas, haar.Type, R, haar.Farve, haar.Spejl);

    GlassesRect(W, H, briller.Type, briller.Zoom, briller.Lodret.value(), R);
    DrawGlasses(canvas, briller.Type, R, briller.Farve);
}

void DrawPortrait(Canvas& canvas, const tElev& elev, std::string_view layoutName, int W, int H)
{
    DrawPortrait(canvas, PartsOf(elev), layoutName, W, H);
}
