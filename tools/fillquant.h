// The archive builder's fill table: every colour of the art becomes a plain
// colour of the 216-colour cube or an 8 x 8 two-colour mix, whichever looks
// closest (CIELAB), and gets a fill number.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archive.h"

#include <QColor>

#include <array>
#include <map>
#include <vector>

/// The fill number kept for the recolourable key areas.
inline constexpr int kKeyFill = 49;

struct FillChoice {
    FillEntry entry;
    double error = 0;   ///< CIELAB distance between wanted and shown colour
};

class FillQuantizer {
public:
    FillQuantizer();

    /// The closest plain colour or mix for \a c (remembered per colour).
    FillChoice Choose(QColor c);
    /// The colour a fill entry shows, as the eye averages its tile.
    QColor Shown(const FillEntry& e) const;
    /// Fill number for \a entry, allocating the next free one (never 49).
    /// 0 when the table is full.
    int FillNumber(const FillEntry& entry);
    /// The cube index nearest to \a c.
    int NearestCube(QColor c) const;

    std::array<FillEntry, kFillCount> Table() const { return table_; }
    int Used() const { return next_ - 1 - (next_ > kKeyFill ? 1 : 0); }
    static double DeltaE(QColor a, QColor b);

    /// Tiles used for mixes and the share of their set pixels.
    static constexpr std::array<int, 4> kMixTiles = {1, 33, 36, 35};

private:
    struct Lab { double L, a, b; };
    static Lab toLab(double r, double g, double b);   // linear RGB 0..1
    std::array<std::array<double, 3>, 216> linear_{};   // the swatches as shown
    std::array<double, 4> share_{};
    struct Candidate { FillEntry e; Lab lab; double penalty; };
    std::vector<Candidate> candidates_;
    std::map<QRgb, FillChoice> memo_;
    std::map<std::array<std::uint8_t, 3>, int> numbers_;
    std::array<FillEntry, kFillCount> table_{};
    int next_ = 1;
};
