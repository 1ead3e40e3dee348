// The demo class 4.a of Byskolen: boys and girls with Danish names, varied
// portraits, hobbies, measurements, family trees with photos and poetry
// answers. The same bytes every time.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

/// Writes the class file and every pupil's file into \a dir (made when
/// missing); \a pupils from 0 to 50 (24 is the demo class). \a path gets the
/// class file's path.
bool WriteDemoClass(const QString& dir, int pupils, std::string& path, std::string& error);
