// Hand-made drawing archives for the graphics tests, the benchmark and the
// command-line tests, until the real art exists.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archive.h"

#include <string>

namespace sample {

/// A picture element of the given kind over \a bounds. Polygons and
/// polylines get \a points points on a wobbly ellipse inside the bounds.
PictureElement Element(std::uint8_t kind, IntRect bounds, std::uint16_t fill, bool filled, std::int16_t pen = 1,
                       Colour colour = 0x000000, int points = 0);

/// A vector picture of the elements; its bounds are made to hold them all.
Picture VectorPicture(const std::string& name, std::vector<PictureElement> elements);

/// Every picture a portrait names (head00..07, haar00..24, eye00..05,
/// brow00..04, lip00..08, nose00..04, glass00..04), each with the element
/// count of the program's art for that part (head 8, hair 7, eyes 10, brows
/// 3, mouth 8, nose 4, glasses 12), and the layout "ansigt"
/// (back colour, a full-page mirrored gradient, a frame, a polygon and a
/// text). Design size 551 x 450.
DataArchive PortraitArchive(int version = 5, bool wide = true);

} // namespace sample
