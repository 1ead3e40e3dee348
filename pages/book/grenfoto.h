// A person's photo as the family tree's data panel and the branch page show
// it: fitted to the width of its box at 3:4, or the empty "foto" frame.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"

#include <QImage>

#include <vector>

class QPaintDevice;

class GrenFotoView {
public:
    /// Paints person \a i of \a e onto \a device, whose client rectangle is
    /// (0, 0, width, height): with h = MulDiv(width, 4, 3), the photo
    /// resampled to width x h at (0, 0), or, without a photo, the picture
    /// "foto" in (0, 0, width, h). The rest stays as the device had it.
    /// The fitted photo is kept, so painting the same photo again at the
    /// same size is one copy.
    void Paint(QPaintDevice* device, const tElev& e, int i);

    /// How often a photo was resampled (for tests).
    int Resamples() const { return resamples_; }

private:
    std::vector<std::uint8_t> source_;   // the photo fitted last, as stored
    QImage fitted_;
    int resamples_ = 0;
};
