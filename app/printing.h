// "Udskriv...": the page on screen printed as a picture (or written to a
// PDF file); the class setup prints its pupil list itself.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class TMain;

void PrintCurrentPage(TMain& main);

/// The file name offered for page \a page's picture ("Ida_ansigt.bmp").
QString OfferedFileName(int page, const QString& nickname, const QString& className);

/// Where a picture of \a picture's size goes on a printable area of
/// \a pageSize: as large as fits with its shape kept, centred.
QRect FitToPage(QSize picture, QSize pageSize);
