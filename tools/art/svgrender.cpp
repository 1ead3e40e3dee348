// Art helper, not part of the build: renders an SVG to a PNG through Qt SVG, the reader the
// archive builder and the buttons use (ImageMagick's own SVG reader gets gradients and arcs
// wrong). --noaa draws without anti-aliasing, as the archive's pictures are drawn.
// SPDX-License-Identifier: MIT
//   g++ -O1 -fPIC tools/art/svgrender.cpp -o /tmp/svgrender $(pkg-config --cflags --libs Qt6Gui Qt6Svg)
//   QT_QPA_PLATFORM=offscreen /tmp/svgrender [--noaa] [--bg #rrggbb] [--crop x,y,w,h] in.svg out.png W H
#include <QGuiApplication>
#include <QSvgRenderer>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <cstdio>
int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList a = app.arguments(); a.removeFirst();
    bool aa = true; QColor bg(Qt::transparent); QRectF crop;
    while (!a.isEmpty() && a.first().startsWith("--")) {
        QString o = a.takeFirst();
        if (o == "--noaa") aa = false;
        else if (o == "--bg") bg = QColor(a.takeFirst());
        else if (o == "--crop") { auto p = a.takeFirst().split(','); crop = QRectF(p[0].toDouble(), p[1].toDouble(), p[2].toDouble(), p[3].toDouble()); }
    }
    if (a.size() < 4) { fprintf(stderr, "usage\n"); return 2; }
    QSvgRenderer r(a[0]);
    if (!r.isValid()) { fprintf(stderr, "invalid svg %s\n", qPrintable(a[0])); return 1; }
    if (!crop.isNull()) r.setViewBox(crop);
    r.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QImage img(a[2].toInt(), a[3].toInt(), QImage::Format_ARGB32);
    img.fill(bg);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, aa);
    r.render(&p, QRectF(0, 0, img.width(), img.height()));
    p.end();
    return img.save(a[1]) ? 0 : 1;
}
