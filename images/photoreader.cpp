// The photo readers over QImageReader.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "photoreader.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <new>

namespace photo {

namespace {

// Formats that are not read as photos, though a plugin may be there:
// - vector drawings: the header says nothing about how long drawing takes,
//   and they may refer to other files on the disk;
// - Apple icon files: the plugin allocates whatever length an entry claims
//   before it looks at what is there (8 GB for a 165-byte file), and an
//   icon is no photo.
bool notForPhotos(const QByteArray& format)
{
    return format == "svg" || format == "svgz" || format == "pdf" || format == "icns";
}

struct Kind {
    const char* label;
    QList<QByteArray> extensions;
};

// The kinds of file the open dialog names, in the order it lists them. A
// format the plugins read but that is not named here gets an entry of its own.
const QList<Kind>& kinds()
{
    static const QList<Kind> k = {
        {"JPEG-billeder", {"jpg", "jpeg", "jfif"}},
        {"PNG-billeder", {"png"}},
        {"Windows-bitmaps", {"bmp", "dib"}},
        {"TIFF-billeder", {"tif", "tiff"}},
        {"GIF-billeder", {"gif"}},
        {"WebP-billeder", {"webp"}},
        {"Ikoner", {"ico", "cur"}},
        {"Targa-billeder", {"tga"}},
        {"Netpbm-billeder", {"pbm", "pgm", "ppm"}},
        {"X11-billeder", {"xbm", "xpm"}},
        {"WAP-billeder", {"wbmp"}},
        {"MNG-animationer", {"mng"}},
    };
    return k;
}

QString refusedSize(const QSize& s)
{
    if (s.width() < 1 || s.height() < 1)
        return QStringLiteral("Billedet har ingen punkter.");
    return QStringLiteral("Billedet er for stort: %1 × %2 punkter.").arg(s.width()).arg(s.height());
}

bool sizeAllowed(const QSize& s)
{
    return s.width() >= 1 && s.height() >= 1 && std::int64_t(s.width()) * s.height() <= kMaxPixels;
}

// The size a picture is decoded at: its own, or kMaxSide on the longer side.
QSize decodeSize(const QSize& s)
{
    const int w = s.width(), h = s.height();
    if (std::max(w, h) <= kMaxSide)
        return s;
    auto scaled = [](int side, int along, int longer) {
        return int(std::max<std::int64_t>(1, (std::int64_t(side) * along + longer / 2) / longer));
    };
    return w >= h ? QSize(kMaxSide, scaled(h, kMaxSide, w)) : QSize(scaled(w, kMaxSide, h), kMaxSide);
}

// An icon file holds several sizes; the largest makes the best photo.
void pickLargestIcon(QImageReader& reader)
{
    const int n = std::min(reader.imageCount(), 64);
    if (n <= 1)
        return;
    int best = 0;
    std::int64_t bestArea = -1;
    for (int i = 0; i < n; ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QSize s = reader.size();
        const std::int64_t area = s.isValid() ? std::int64_t(s.width()) * s.height() : 0;
        if (sizeAllowed(s) && area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    reader.jumpToImage(best);
}

// 24 bits, transparent parts on white, in sRGB, in an image of its own
// (none of the file's text or metadata comes along).
QImage flatten(const QImage& in)
{
    const bool alpha = in.hasAlphaChannel();
    QImage src = in.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (src.isNull())
        return {};
    const QColorSpace cs = src.colorSpace();
    if (cs.isValid() && cs != QColorSpace(QColorSpace::SRgb))
        src.convertToColorSpace(QColorSpace::SRgb);
    if (!alpha) {
        // Qt's own conversion is the fastest; only a picture that brought
        // text along is copied once more to leave the text behind.
        QImage rgb = src.convertToFormat(QImage::Format_RGB888);
        if (rgb.isNull() || rgb.textKeys().isEmpty())
            return rgb;
        QImage out(rgb.size(), QImage::Format_RGB888);
        if (out.isNull())
            return {};
        for (int y = 0; y < rgb.height(); ++y)
            std::memcpy(out.scanLine(y), rgb.constScanLine(y), std::size_t(rgb.width()) * 3);
        return out;
    }
    QImage out(src.size(), QImage::Format_RGB888);
    if (out.isNull())
        return {};
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        uchar* d = out.scanLine(y);
        for (int x = 0; x < src.width(); ++x, d += 3) {
            const QRgb c = s[x];
            if (!alpha || qAlpha(c) == 255) {
                d[0] = uchar(qRed(c));
                d[1] = uchar(qGreen(c));
                d[2] = uchar(qBlue(c));
            } else {
                const int a = qAlpha(c), white = 255 * (255 - a) + 127;
                d[0] = uchar((qRed(c) * a + white) / 255);
                d[1] = uchar((qGreen(c) * a + white) / 255);
                d[2] = uchar((qBlue(c) * a + white) / 255);
            }
        }
    }
    return out;
}

Picture failed(const QString& why)
{
    return Picture{QImage(), why};
}

QString outOfMemory()
{
    return QStringLiteral("Der var ikke hukommelse nok til billedet.");
}

Picture normalise(const QImage& image)
{
    if (!sizeAllowed(image.size()))
        return failed(refusedSize(image.size()));
    const QSize target = decodeSize(image.size());
    QImage flat = flatten(target == image.size()
                              ? image
                              : image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    if (flat.isNull())
        return failed(outOfMemory());
    return Picture{std::move(flat), QString()};
}

Picture readWith(QImageReader& reader)
{
    QImageReader::setAllocationLimit(kAllocationLimitMB);
    const QByteArray format = reader.format().toLower();
    if (format.isEmpty() || !ReadableFormats().contains(format))
        return failed(QStringLiteral("Filen er ikke et billede, som programmet kan læse."));
    reader.setAutoTransform(true);
    if (format == "ico" || format == "cur")
        pickLargestIcon(reader);
    // Refuse from the header what must not be decoded at all, and have large
    // pictures decoded small. A plugin that cannot tell the size first is
    // held by the allocation limit instead.
    const QSize size = reader.size();
    if (size.isValid()) {
        if (!sizeAllowed(size))
            return failed(refusedSize(size));
        const QSize target = decodeSize(size);
        if (target != size)
            reader.setScaledSize(target);
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        const QString why = reader.errorString();
        return failed(why.isEmpty() ? QStringLiteral("Billedet kunne ikke læses.")
                                    : QStringLiteral("Billedet kunne ikke læses (%1).").arg(why));
    }
    return normalise(image);
}

} // namespace

QList<QByteArray> ReadableFormats()
{
    static const QList<QByteArray> formats = [] {
        QList<QByteArray> out;
        for (const QByteArray& f : QImageReader::supportedImageFormats()) {
            const QByteArray lower = f.toLower();
            if (!notForPhotos(lower) && !out.contains(lower))
                out << lower;
        }
        std::sort(out.begin(), out.end());
        return out;
    }();
    return formats;
}

QString OpenFilter()
{
    const QList<QByteArray> readable = ReadableFormats();
    QStringList entries, all;
    QSet<QByteArray> named;
    auto patterns = [](const QList<QByteArray>& exts) {
        QStringList p;
        for (const QByteArray& e : exts)
            p << QStringLiteral("*.") + QString::fromLatin1(e);
        return p.join(';');
    };
    for (const Kind& k : kinds()) {
        QList<QByteArray> exts;
        for (const QByteArray& e : k.extensions) {
            named.insert(e);
            if (readable.contains(e))
                exts << e;
        }
        if (exts.isEmpty())
            continue;
        entries << QString::fromUtf8(k.label) << patterns(exts);
        for (const QByteArray& e : exts)
            all << QStringLiteral("*.") + QString::fromLatin1(e);
    }
    for (const QByteArray& f : readable) {
        if (named.contains(f))
            continue;
        entries << QString::fromLatin1(f.toUpper()) + QStringLiteral("-billeder") << patterns({f});
        all << QStringLiteral("*.") + QString::fromLatin1(f);
    }
    return (QStringList{QStringLiteral("Alle billeder"), all.join(';')} + entries).join('|');
}

Picture ReadPhoto(const QString& path)
{
    try {
        QFile file(path);
        if (!file.exists())
            return failed(QStringLiteral("Filen findes ikke."));
        if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
            return failed(QStringLiteral("Filen kunne ikke læses."));
        file.close();
        QImageReader reader(path);
        return readWith(reader);
    } catch (const std::bad_alloc&) {
        return failed(outOfMemory());
    } catch (...) {
        return failed(QStringLiteral("Billedet kunne ikke læses."));
    }
}

Picture ReadPhoto(QIODevice* device)
{
    try {
        if (!device || !device->isReadable())
            return failed(QStringLiteral("Filen kunne ikke læses."));
        QImageReader reader(device);
        return readWith(reader);
    } catch (const std::bad_alloc&) {
        return failed(outOfMemory());
    } catch (...) {
        return failed(QStringLiteral("Billedet kunne ikke læses."));
    }
}

Picture FromImage(const QImage& image)
{
    try {
        if (image.isNull())
            return failed(QStringLiteral("Der er intet billede."));
        return normalise(image);
    } catch (const std::bad_alloc&) {
        return failed(outOfMemory());
    } catch (...) {
        return failed(QStringLiteral("Billedet kunne ikke læses."));
    }
}

QString CannotOpenText(const QString& file)
{
    return QStringLiteral("Billedet kunne ikke åbnes:\n\"%1\"").arg(file);
}

} // namespace photo
