// Every picture and layout name the program looks up in the drawing archive.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

/// The face parts: head00-07, haar00-24, eye00-05, brow00-04, lip00-08,
/// nose00-04, glass00-04.
QStringList FacePartNames();
/// Every other picture: hobbies, check mark, leaves, photo frame, statistics
/// icons (with their greyed twins) and the measuring figure.
QStringList OtherPictureNames();
/// The page backgrounds, including the ten poetry-book backgrounds.
QStringList LayoutNames();
