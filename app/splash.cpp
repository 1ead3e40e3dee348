// The splash: the splash picture with a yellow title over a black shadow.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "splash.h"

#include "glyphs.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

TSplashScreen::TSplashScreen() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(452, 302);
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TSplashScreen::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    QSvgRenderer picture(SplashPicturePath());
    picture.render(&p, QRectF(1, 1, 450, 300));
    QFont title(QStringLiteral("Arial Rounded MT Bold"));
    title.setFamilies({QStringLiteral("Arial Rounded MT Bold"), QStringLiteral("Nunito"),
                       QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    title.setBold(true);
    auto shadowed = [&p](const QFont& f, QPoint yellowAt, QPoint blackAt, const QString& text) {
        p.setFont(f);
        const int ascent = QFontMetrics(f).ascent();
        p.setPen(Qt::black);
        p.drawText(blackAt + QPoint(0, ascent), text);
        p.setPen(QColor(255, 255, 0));
        p.drawText(yellowAt + QPoint(0, ascent), text);
    };
    title.setPixelSize(96);
    shadowed(title, {41, 47}, {44, 50}, QStringLiteral("Tinkeli"));
    title.setPixelSize(32);
    shadowed(title, {202, 255}, {204, 257}, QStringLiteral("orvo"));
}
