// The editor pages' colour tables, formula by formula: every part, every
// base colour, at both ends and the middle of the slider.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "farver.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Rgb = std::array<int, 3>;

Rgb rgb(Colour c) { return {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)}; }

struct Row {
    Del del;
    int gruppe;
    std::array<Rgb, 3> at;   // slider 0, 18, 37
};

// Worked out from the tables by hand (4 x each term, m(k) = k * p / 38 with
// halves going up: at 37, m(19) = 18.5 -> 19).
const Row kRows[] = {
    {Del::Ansigt, 0, {{{56, 16, 0}, {128, 88, 64}, {204, 164, 132}}}},
    {Del::Ansigt, 1, {{{104, 40, 24}, {176, 112, 96}, {248, 188, 172}}}},
    {Del::Ansigt, 2, {{{164, 84, 48}, {204, 156, 120}, {248, 232, 196}}}},
    {Del::Ansigt, 3, {{{168, 88, 72}, {208, 160, 144}, {248, 236, 220}}}},
    {Del::Haar, 0, {{{176, 92, 0}, {212, 164, 72}, {252, 240, 148}}}},
    {Del::Haar, 1, {{{164, 84, 48}, {204, 156, 120}, {248, 232, 196}}}},
    {Del::Haar, 2, {{{104, 40, 24}, {176, 112, 96}, {248, 188, 172}}}},
    {Del::Haar, 3, {{{4, 0, 0}, {76, 60, 44}, {152, 124, 92}}}},
    {Del::Oejne, 0, {{{0, 52, 108}, {52, 124, 176}, {108, 200, 248}}}},
    {Del::Oejne, 1, {{{20, 64, 44}, {92, 136, 116}, {168, 212, 192}}}},
    {Del::Oejne, 2, {{{92, 32, 0}, {164, 104, 56}, {240, 180, 116}}}},
    {Del::Oejne, 3, {{{60, 0, 0}, {132, 60, 40}, {208, 124, 84}}}},
    {Del::Mund, 0, {{{152, 0, 0}, {200, 48, 72}, {252, 100, 148}}}},
    {Del::Mund, 1, {{{152, 52, 52}, {192, 128, 124}, {236, 212, 196}}}},
    {Del::Mund, 2, {{{104, 52, 0}, {176, 124, 72}, {252, 200, 148}}}},
    {Del::Mund, 3, {{{52, 0, 0}, {124, 72, 72}, {200, 148, 148}}}},
    {Del::Briller, 0, {{{56, 56, 56}, {132, 132, 132}, {212, 212, 212}}}},
    {Del::Briller, 1, {{{0, 104, 104}, {48, 176, 176}, {100, 252, 252}}}},
    {Del::Briller, 2, {{{104, 0, 104}, {176, 48, 176}, {252, 100, 252}}}},
    {Del::Briller, 3, {{{104, 104, 0}, {176, 176, 48}, {252, 252, 100}}}},
};

} // namespace

TEST(PartColours, EveryFormulaAtBothEndsAndTheMiddle)
{
    const int slides[3] = {0, 18, 37};
    for (const Row& row : kRows)
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(rgb(PartColour(row.del, row.gruppe, slides[i])), row.at[i])
                << "part " << int(row.del) << ", button " << row.gruppe << ", slider " << slides[i];
            // The brows take the hair's table.
            if (row.del == Del::Haar) {
                EXPECT_EQ(PartColour(Del::Bryn, row.gruppe, slides[i]), PartColour(Del::Haar, row.gruppe, slides[i]));
            }
        }
    // The nose keeps no colour of its own, whatever the buttons say.
    for (int b = 0; b < 4; ++b)
        for (int p : slides)
            EXPECT_EQ(PartColour(Del::Naese, b, p), 0xFFFFFFu);
}
