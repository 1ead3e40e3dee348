// Glyphs from the resources compiled into the program.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyphs.h"

#include <QHash>

QIcon Glyph(const QString& name)
{
    static QHash<QString, QIcon> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, QIcon(QStringLiteral(":/buttons/%1.svg").arg(name)));
    return *it;
}

QIcon ProgramIcon()
{
    QIcon icon(QStringLiteral(":/icon/tinkeli.svg"));
    for (int s : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/tinkeli-%1.png").arg(s), QSize(s, s));
    return icon;
}

QString SplashPicturePath()
{
    return QStringLiteral(":/splash/splash.svg");
}
