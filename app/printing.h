// "Udskriv..." and "Gem side som billede...": the page on screen printed as a
// picture (or written to a PDF by the print dialog), or saved as a bitmap,
// PNG or PDF; the class setup prints its pupil list itself.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagepicture.h"

class TMain;

/// "Udskriv...": the print dialog (not on the class setup, which prints its
/// own list), then the page's printed area fitted and centred on the paper.
/// A printer that cannot be opened or a file that cannot be written is said
/// in a "Fejl" box; the page on screen stays as it is.
void PrintCurrentPage(TMain& main);

/// "Gem side som billede...": the save dialog with the page's offered name
/// and the types "Windows Bitmap" (the default), "PNG-billede" and
/// "PDF-dokument", then the page's printed area written as the type chosen.
void SaveCurrentPage(TMain& main);

/// The save dialog's file types.
extern const char* const kPictureFilter;
