// "Udskriv..." and "Gem side som billede...": the page on screen printed as a
// picture (or written to a PDF by the print dialog), or saved as a bitmap,
// PNG or PDF; the class setup prints its pupil list itself. "Gem bogen som
// PDF..." and "Gem klassebogen som PDF...": whole books as one PDF.
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

/// "Gem bogen som PDF...": the open pupil's book (bookpdf.h) written where
/// the save dialog says, with a progress dialog that can stop it. A book that
/// cannot be written is said in a "Fejl" box; the page on screen, the pupil
/// and the class stay as they were, and nothing is saved.
void SavePupilBook(TMain& main);
/// "Gem klassebogen som PDF...": the same for the class book.
void SaveClassBook(TMain& main);

/// The save dialog's file types.
extern const char* const kPictureFilter;
