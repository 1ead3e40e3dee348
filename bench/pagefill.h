// The fill of a whole page: the unit a page's drawing cost is given in.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas.h"

#include <QImage>

#include <benchmark/benchmark.h>

/// One solid fill of a whole W x H page through the canvas, a new colour
/// every time so that nothing can be skipped: what every page cost is
/// measured against.
inline void MeasurePageFill(benchmark::State& state, int w, int h)
{
    QImage page(w, h, QImage::Format_RGB32);
    Canvas c(&page);
    Colour colour = 0x102030;
    for (auto _ : state) {
        c.SetSolidBrush(colour ^= 0x010101);
        c.FillRect({0, 0, w, h});
        benchmark::DoNotOptimize(page.constBits());
    }
}
