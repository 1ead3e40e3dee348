// The poetry book's backgrounds.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bogbaggrund.h"

#include <algorithm>

namespace {

// Colours are 0x00BBGGRR.
constexpr Colour kPurple = 0x800080, kSilver = 0xC0C0C0, kMaroon = 0x000080, kCream = 0xF0FBFF,
                 kLime = 0x00FF00, kBlack = 0x000000, kWhite = 0xFFFFFF, kNavy = 0x800000, kRed = 0x0000FF,
                 kSkyBlue = 0xF0CAA6, kBlue = 0xFF0000;

// Background n is entry n - 1.
constexpr BogBaggrund kBaggrunde[kBaggrundCount] = {
    {"blomst", kPurple, kSilver, kSilver, kMaroon},
    {"savanne", kMaroon, kCream, kCream, kMaroon},
    {"frugt", kLime, kBlack, kLime, kBlack},
    {"slik", kMaroon, kCream, kMaroon, kWhite},
    {"hest", kNavy, kLime, kLime, kNavy},
    {"teddy", kMaroon, kCream, kWhite, kMaroon},
    {"ballon", kRed, kNavy, kWhite, kNavy},
    {"space", kNavy, kSkyBlue, kSkyBlue, kBlack},
    {"bølge", kBlue, kWhite, kWhite, kNavy},
    {"ørken", kSilver, kBlack, kCream, kMaroon},
};

// a + i (b - a) / 40, rounded to the nearest integer, halves to even.
int lerpFrame(int a, int b, int i)
{
    const std::int64_t num = std::int64_t(a) * kZoomFrames + std::int64_t(i) * (std::int64_t(b) - a);
    std::int64_t q = num / kZoomFrames, r = num % kZoomFrames;
    if (r < 0) {   // floor division
        r += kZoomFrames;
        --q;
    }
    if (2 * r > kZoomFrames || (2 * r == kZoomFrames && (q & 1) != 0))
        ++q;
    return int(q);
}

} // namespace

const BogBaggrund& Baggrund(int n)
{
    return kBaggrunde[ShownBaggrund(n) - 1];
}

int ShownBaggrund(std::int32_t bagsideValg)
{
    return bagsideValg >= 1 && bagsideValg <= kBaggrundCount ? int(bagsideValg) : 1;
}

int BogRandom::Random(int n)
{
    seed_ = seed_ * 134775813u + 1u;
    if (n < 1)
        return 0;
    return int((std::uint64_t(std::uint32_t(n)) * seed_) >> 32);
}

ThumbnailRects MakeThumbnailRects(int W, int H)
{
    ThumbnailRects rects{};
    const int tw = W / 5, th = H / 5, m = tw / 10;
    BogRandom rnd;
    for (int k = 1; k <= kBaggrundCount; ++k) {
        const int r = (k - 1) / 2, c = (k - 1) % 2;
        const int x = rnd.Random(2 * m);
        const int y = rnd.Random(2 * m) - m;
        rects[std::size_t(k)] = {c * tw + x, r * th + y, c * tw + tw + x, r * th + th + y};
    }
    return rects;
}

int ThumbnailAt(const ThumbnailRects& rects, int chosen, int x, int y)
{
    // Higher numbers are drawn over lower ones.
    for (int k = kBaggrundCount; k >= 1; --k)
        if (k != chosen && InRect(rects[std::size_t(k)], x, y))
            return k;
    return 0;
}

IntRect ZoomFrame(const IntRect& from, int W, int H, int i)
{
    return {lerpFrame(from.left, 0, i), lerpFrame(from.top, 0, i), lerpFrame(from.right, W, i),
            lerpFrame(from.bottom, H, i)};
}

void StretchThumbnail(const QImage& source, QImage& target, const IntRect& rect)
{
    const int tw = rect.right - rect.left, th = rect.bottom - rect.top;
    const int sw = source.width(), sh = source.height();
    if (tw <= 0 || th <= 0 || sw <= 0 || sh <= 0)
        return;
    const int x0 = std::max(rect.left, 0), x1 = std::min(rect.right, target.width());
    const int y0 = std::max(rect.top, 0), y1 = std::min(rect.bottom, target.height());
    for (int y = y0; y < y1; ++y) {
        const int ty = y - rect.top;
        const int sy0 = int(std::int64_t(ty) * sh / th);
        const int sy1 = std::max(sy0 + 1, int(std::int64_t(ty + 1) * sh / th));
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = x0; x < x1; ++x) {
            const int tx = x - rect.left;
            const int sx0 = int(std::int64_t(tx) * sw / tw);
            const int sx1 = std::max(sx0 + 1, int(std::int64_t(tx + 1) * sw / tw));
            unsigned r = 0, g = 0, b = 0, n = 0;
            for (int sy = sy0; sy < sy1; ++sy) {
                const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
                for (int sx = sx0; sx < sx1; ++sx) {
                    r += unsigned(qRed(in[sx]));
                    g += unsigned(qGreen(in[sx]));
                    b += unsigned(qBlue(in[sx]));
                    ++n;
                }
            }
            out[x] = qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n));
        }
    }
}

void DrawThumbnailFrame(QImage& target, const IntRect& rect)
{
    // As a raised 3D frame is drawn: the white line stops one pixel short of
    // the top-right and bottom-left corners, which are black.
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
    auto put = [&target](int x, int y, QRgb c) {
        if (x >= 0 && y >= 0 && x < target.width() && y < target.height())
            reinterpret_cast<QRgb*>(target.scanLine(y))[x] = c;
    };
    const int l = rect.left, t = rect.top, r = rect.right - 1, b = rect.bottom - 1;
    if (r < l || b < t)
        return;
    for (int x = l; x < r; ++x)
        put(x, t, white);
    for (int y = t; y < b; ++y)
        put(l, y, white);
    for (int y = t; y <= b; ++y)
        put(r, y, black);
    for (int x = l; x <= r; ++x)
        put(x, b, black);
}
