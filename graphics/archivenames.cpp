// The names the pages and the portrait drawers build.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "archivenames.h"

namespace {

void numbered(QStringList& out, const char* prefix, int first, int last, const char* suffix = "")
{
    for (int n = first; n <= last; ++n)
        out << QString("%1%2%3").arg(prefix).arg(n, 2, 10, QChar('0')).arg(suffix);
}

} // namespace

QStringList FacePartNames()
{
    QStringList names;
    numbered(names, "head", 0, 7);
    numbered(names, "haar", 0, 24);
    numbered(names, "eye", 0, 5);
    numbered(names, "brow", 0, 4);
    numbered(names, "lip", 0, 8);
    numbered(names, "nose", 0, 4);
    numbered(names, "glass", 0, 4);
    return names;
}

QStringList OtherPictureNames()
{
    QStringList names;
    numbered(names, "hobby", 1, 50);
    names << "check" << "foto" << "maal";
    numbered(names, "blad", 1, 4);
    numbered(names, "statvalg", 1, 17);
    numbered(names, "statvalg", 1, 17, "g");
    return names;
}

QStringList LayoutNames()
{
    return {"elev", "ansigt", "klasse", "setup", "hobby", "stam", "gren",
            "blomst", "savanne", "frugt", "slik", "hest", "teddy", "ballon", "space", "bølge", "ørken"};
}
