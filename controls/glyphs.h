// The button pictures and other program pictures, built into the program.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

/// The glyph "name" (art/buttons/name.svg), as an icon; a disabled button
/// shows it greyed.
QIcon Glyph(const QString& name);
/// The program's icon.
QIcon ProgramIcon();
/// The resource path of the splash picture.
QString SplashPicturePath();
