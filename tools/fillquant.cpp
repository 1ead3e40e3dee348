// Colour quantisation for the archive builder.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fillquant.h"

#include "drawing.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

double toLinear(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

FillQuantizer::Lab FillQuantizer::toLab(double r, double g, double b)
{
    const double X = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double Y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double Z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    const double fx = f(X), fy = f(Y), fz = f(Z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double FillQuantizer::DeltaE(QColor a, QColor b)
{
    const Lab p = toLab(toLinear(a.redF()), toLinear(a.greenF()), toLinear(a.blueF()));
    const Lab q = toLab(toLinear(b.redF()), toLinear(b.greenF()), toLinear(b.blueF()));
    return std::hypot(p.L - q.L, p.a - q.a, p.b - q.b);
}

FillQuantizer::FillQuantizer()
{
    // Tiles are painted from the swatches, which differ from the pure cube
    // in a few places; quantise against what is really shown.
    const QImage swatches = MakeSwatchBitmap();
    for (int k = 0; k < 216; ++k) {
        const QColor c = swatches.pixelColor(0, 8 * k);
        linear_[k] = {toLinear(c.redF()), toLinear(c.greenF()), toLinear(c.blueF())};
    }
    for (std::size_t t = 0; t < kMixTiles.size(); ++t) {
        int set = 0;
        for (std::uint8_t row : PatternRows(kMixTiles[t]))
            set += std::popcount(unsigned(row));
        share_[t] = set / 64.0;
    }
    std::array<Lab, 216> plainLab{};
    for (int a = 0; a < 216; ++a) {
        plainLab[a] = toLab(linear_[a][0], linear_[a][1], linear_[a][2]);
        candidates_.push_back({FillEntry{std::uint8_t(a), std::uint8_t(a), 0}, plainLab[a], 0});
    }
    for (int a = 0; a < 216; ++a)
        for (int b = 0; b < 216; ++b) {
            if (a == b)
                continue;
            // A mix of far-apart colours looks grainy however right its average;
            // charge for the contrast so a calm mix wins a close race.
            const double contrast = std::hypot(plainLab[a].L - plainLab[b].L, plainLab[a].a - plainLab[b].a,
                                               plainLab[a].b - plainLab[b].b);
            for (std::size_t t = 0; t < kMixTiles.size(); ++t) {
                const double s = share_[t];
                const Lab lab = toLab(linear_[a][0] * (1 - s) + linear_[b][0] * s,
                                      linear_[a][1] * (1 - s) + linear_[b][1] * s,
                                      linear_[a][2] * (1 - s) + linear_[b][2] * s);
                candidates_.push_back({FillEntry{std::uint8_t(a), std::uint8_t(b), std::uint8_t(kMixTiles[t])}, lab,
                                       0.08 * contrast + 0.3});
            }
        }
}

FillChoice FillQuantizer::Choose(QColor c)
{
    const QRgb key = c.rgb();
    if (auto it = memo_.find(key); it != memo_.end())
        return it->second;
    const Lab want = toLab(toLinear(c.redF()), toLinear(c.greenF()), toLinear(c.blueF()));
    double best = std::numeric_limits<double>::max();
    const Candidate* pick = nullptr;
    for (const Candidate& cand : candidates_) {
        const double d = std::hypot(cand.lab.L - want.L, cand.lab.a - want.a, cand.lab.b - want.b);
        if (d + cand.penalty < best) {
            best = d + cand.penalty;
            pick = &cand;
        }
    }
    FillChoice choice{pick->e, std::hypot(pick->lab.L - want.L, pick->lab.a - want.a, pick->lab.b - want.b)};
    memo_[key] = choice;
    return choice;
}

QColor FillQuantizer::Shown(const FillEntry& e) const
{
    double s = 0;
    for (std::size_t t = 0; t < kMixTiles.size(); ++t)
        if (e.Pattern == kMixTiles[t])
            s = share_[t];
    auto back = [](double v) {
        const double c = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
        return int(std::lround(std::clamp(c, 0.0, 1.0) * 255));
    };
    const auto& A = linear_[e.ColourA];
    const auto& B = linear_[e.ColourB];
    return QColor(back(A[0] * (1 - s) + B[0] * s), back(A[1] * (1 - s) + B[1] * s), back(A[2] * (1 - s) + B[2] * s));
}

int FillQuantizer::NearestCube(QColor c) const
{
    const Lab want = toLab(toLinear(c.redF()), toLinear(c.greenF()), toLinear(c.blueF()));
    int best = 0;
    double bestD = std::numeric_limits<double>::max();
    for (int k = 0; k < 216; ++k) {
        const Lab lab = toLab(linear_[k][0], linear_[k][1], linear_[k][2]);
        const double d = std::hypot(lab.L - want.L, lab.a - want.a, lab.b - want.b);
        if (d < bestD) {
            bestD = d;
            best = k;
        }
    }
    return best;
}

int FillQuantizer::FillNumber(const FillEntry& e)
{
    const std::array<std::uint8_t, 3> key{e.ColourA, e.ColourB, e.Pattern};
    if (auto it = numbers_.find(key); it != numbers_.end())
        return it->second;
    if (next_ == kKeyFill)
        ++next_;
    if (next_ > kFillCount)
        return 0;
    table_[next_ - 1] = e;
    numbers_[key] = next_;
    return next_++;
}
