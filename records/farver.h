// The colours of the portrait parts: a base-colour button (0..3) and a
// darker/lighter slider (0..37) make the colour stored in the part.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"

/// MulDiv(k, p, 38): k * p / 38 to the nearest integer, halves going up.
int SlideMul(int k, int p);

/// The colour that \a del gets from button \a gruppe and slider \a slide.
/// Brows share the hair's table. The nose has no colour: white.
Colour PartColour(Del del, int gruppe, int slide);
