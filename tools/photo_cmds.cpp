// tinkeli-tool photo: one picture file through the reader, the enlargement
// and the crop, written as the 180 x 240 photo a leaf would store.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "photocrop.h"
#include "photoreader.h"

#include <QCommandLineParser>
#include <QImage>
#include <QRegularExpression>

#include <cstdio>

namespace {

const char* const kUsage = "photo IN -o OUT.png [--crop X,Y,W,H]";

struct PhotoOptions {
    QString input;
    QString output;
    bool hasCrop = false;
    QRect crop;
};

int usage()
{
    std::fprintf(stderr, "usage: tinkeli-tool %s\n", kUsage);
    return 2;
}

int refused(const QString& msg)
{
    std::fprintf(stderr, "tinkeli-tool photo: %s\n", qPrintable(msg));
    return 2;
}

bool parseCrop(const QString& text, QRect& r)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,9}),(\\d{1,9}),(\\d{1,9}),(\\d{1,9})$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    r = QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    return r.width() > 0 && r.height() > 0;
}

} // namespace

int CmdPhoto(const QStringList& args)
{
    QCommandLineParser p;
    p.addPositionalArgument("in", "The picture file.");
    p.addOption({{"o", "output"}, "PNG file for the photo.", "file"});
    p.addOption({"crop", "The crop window in the enlarged picture's pixels.", "X,Y,W,H"});
    if (!p.parse(QStringList{"photo"} + args) || p.positionalArguments().size() != 1 || !p.isSet("o"))
        return usage();
    PhotoOptions opt;
    opt.input = p.positionalArguments()[0];
    opt.output = p.value("o");
    if (p.isSet("crop")) {
        if (!parseCrop(p.value("crop"), opt.crop))
            return refused("--crop wants X,Y,W,H in pixels, for example 40,0,360,480");
        opt.hasCrop = true;
    }

    const photo::Picture picture = photo::ReadPhoto(opt.input);
    if (!picture.ok())
        return refused(opt.input + ": " + picture.error);
    QString error;
    const QImage source = photo::Enlarge(picture.image, &error);
    if (source.isNull())
        return refused(opt.input + ": " + error);
    const QRect window = opt.hasCrop ? opt.crop : photo::CropFrame(source.size()).Window();
    if (!source.rect().contains(window))
        return refused(QStringLiteral("the crop %1,%2,%3,%4 does not lie inside the picture (%5 x %6)")
                           .arg(window.x())
                           .arg(window.y())
                           .arg(window.width())
                           .arg(window.height())
                           .arg(source.width())
                           .arg(source.height()));
    // Through the record's own format, so that the file shows exactly what
    // would be stored.
    const QImage stored = photo::FromPixels24(photo::ToPixels24(photo::CropPhoto(source, window)));
    if (stored.isNull() || !stored.save(opt.output, "PNG")) {
        std::fprintf(stderr, "tinkeli-tool photo: %s could not be written\n", qPrintable(opt.output));
        return 1;
    }
    std::printf("%s: %d x %d, enlarged %d x %d, crop %d,%d,%d,%d -> %s\n", qPrintable(opt.input),
                picture.image.width(), picture.image.height(), source.width(), source.height(), window.x(),
                window.y(), window.width(), window.height(), qPrintable(opt.output));
    return 0;
}
