// The photo readers on small files made here: what a phone photo, a
// transparent picture, a huge or empty header and a file that is no picture
// at all become.
#include "photoreader.h"

#include "../support/tempdir.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <gtest/gtest.h>

#include <cstdint>

namespace {

QByteArray encode(const QImage& image, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);   // 100 makes WebP lossless
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

QString writeFile(const TempDir& dir, const std::string& name, const QByteArray& bytes)
{
    const QString path = QString::fromStdString(dir.file(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

photo::Picture readBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return photo::ReadPhoto(&buffer);
}

void be16(QByteArray& b, unsigned v)
{
    b.append(char(v >> 8)).append(char(v & 0xFF));
}
void be32(QByteArray& b, std::uint32_t v)
{
    be16(b, v >> 16);
    be16(b, v & 0xFFFF);
}
void le16(QByteArray& b, unsigned v)
{
    b.append(char(v & 0xFF)).append(char(v >> 8));
}
void le32(QByteArray& b, std::uint32_t v)
{
    le16(b, v & 0xFFFF);
    le16(b, v >> 16);
}

// A JPEG with an EXIF block saying how the camera was held, put right
// after the start marker as cameras do:
//   FF E1 <length 34>  "Exif\0\0"
//   "MM" 00 2A 00000008            big-endian TIFF header, first IFD at 8
//   0001                           one entry
//   0112 0003 00000001 <o> 0000    Orientation, SHORT, 1 value
//   00000000                       no next IFD
QByteArray withOrientation(const QByteArray& jpeg, unsigned orientation)
{
    QByteArray app1("\xFF\xE1", 2);
    be16(app1, 34);
    app1.append("Exif\0\0", 6).append("MM\0\x2A", 4);
    be32(app1, 8);
    be16(app1, 1);
    be16(app1, 0x0112);
    be16(app1, 3);
    be32(app1, 1);
    be16(app1, orientation);
    be16(app1, 0);
    be32(app1, 0);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

// The two headers of a Windows bitmap claiming \a w x \a h, 24 bits, and
// only \a pixelBytes bytes of pixels after them.
QByteArray bmpHeader(std::int32_t w, std::int32_t h, int pixelBytes)
{
    QByteArray b("BM", 2);
    le32(b, 54 + pixelBytes);
    le32(b, 0);
    le32(b, 54);      // pixels start here
    le32(b, 40);      // BITMAPINFOHEADER
    le32(b, std::uint32_t(w));
    le32(b, std::uint32_t(h));
    le16(b, 1);       // planes
    le16(b, 24);      // bits per pixel
    le32(b, 0);       // BI_RGB
    le32(b, 0);
    le32(b, 2835);
    le32(b, 2835);
    le32(b, 0);
    le32(b, 0);
    return b + QByteArray(pixelBytes, '\x7F');
}

std::uint32_t crc32(const QByteArray& data)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char byte : data) {
        c ^= byte;
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

void pngChunk(QByteArray& png, const QByteArray& typeAndData)
{
    be32(png, std::uint32_t(typeAndData.size() - 4));
    png += typeAndData;
    be32(png, crc32(typeAndData));
}

// A PNG whose header chunk claims \a w x \a h, 24 bits, followed by a few
// bytes of compressed pixels: the size can be read, the pixels cannot.
QByteArray pngHeader(std::uint32_t w, std::uint32_t h)
{
    QByteArray b("\x89PNG\r\n\x1A\n", 8);
    QByteArray ihdr("IHDR");
    be32(ihdr, w);
    be32(ihdr, h);
    ihdr.append(char(8)).append(char(2)).append(char(0)).append(char(0)).append(char(0));
    pngChunk(b, ihdr);
    pngChunk(b, QByteArray("IDAT\x78\x9C\x63\x00\x00", 9));
    pngChunk(b, QByteArray("IEND"));
    return b;
}

// A real JPEG whose frame header is made to claim \a w x \a h.
QByteArray jpegClaiming(unsigned w, unsigned h)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QByteArray jpeg = encode(image, "jpeg");
    const int sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(sof, 0);
    QByteArray dims;
    be16(dims, h);
    be16(dims, w);
    jpeg.replace(sof + 5, 4, dims);
    return jpeg;
}

// One icon file holding every picture of \a icons, in that order:
//   00 00 | 01 00 | count      the header
//   16 bytes per picture       w, h, colours, 0, planes, bits, size, offset
//   the pictures' data
// Each picture is taken from a one-picture file Qt writes.
QByteArray iconFile(const QList<QImage>& icons)
{
    QList<QByteArray> singles;
    for (const QImage& i : icons)
        singles << encode(i, "ico");
    QByteArray out("\0\0\1\0", 4);
    le16(out, unsigned(singles.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(singles.size());
    QByteArray data;
    for (const QByteArray& one : singles) {
        const QByteArray image = one.mid(6 + 16);
        out += one.mid(6, 12);   // the entry up to its offset
        le32(out, offset);
        offset += std::uint32_t(image.size());
        data += image;
    }
    return out + data;
}

QRgb at(const QImage& image, int x, int y)
{
    return image.pixel(x, y);
}

bool near(QRgb c, int r, int g, int b, int tolerance = 40)
{
    return std::abs(qRed(c) - r) <= tolerance && std::abs(qGreen(c) - g) <= tolerance
           && std::abs(qBlue(c) - b) <= tolerance;
}

} // namespace

TEST(PhotoReader, PhoneOrientationStandsThePictureUpright)
{
    // Stored 40 x 20, red left and blue right; orientation 6 means the
    // camera was turned a quarter clockwise, so upright it is 20 x 40 with
    // red at the top.
    QImage stored(40, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            stored.setPixel(x, y, x < 20 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    const QByteArray jpeg = encode(stored, "jpeg");

    const photo::Picture upright = readBytes(withOrientation(jpeg, 6));
    ASSERT_TRUE(upright.ok()) << upright.error.toStdString();
    EXPECT_EQ(upright.image.size(), QSize(20, 40));
    EXPECT_EQ(upright.image.format(), QImage::Format_RGB888);
    EXPECT_TRUE(near(at(upright.image, 10, 5), 255, 0, 0));
    EXPECT_TRUE(near(at(upright.image, 10, 35), 0, 0, 255));

    // Orientation 8 is the other way round; 1 is as stored.
    const photo::Picture other = readBytes(withOrientation(jpeg, 8));
    ASSERT_TRUE(other.ok());
    EXPECT_EQ(other.image.size(), QSize(20, 40));
    EXPECT_TRUE(near(at(other.image, 10, 5), 0, 0, 255));
    const photo::Picture plain = readBytes(withOrientation(jpeg, 1));
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(plain.image.size(), QSize(40, 20));
}

TEST(PhotoReader, TransparencyIsLaidOnWhite)
{
    // Non-premultiplied, so the transparent pixels keep "colours" that must
    // not show: a fully transparent red, a half transparent black, an opaque
    // green.
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 0));
    image.setPixel(1, 0, qRgba(0, 0, 0, 128));
    image.setPixel(2, 0, qRgba(0, 255, 0, 255));
    for (const char* format : {"png", "webp", "tiff"}) {
        SCOPED_TRACE(format);
        const photo::Picture p = readBytes(encode(image, format, 100));
        ASSERT_TRUE(p.ok()) << p.error.toStdString();
        EXPECT_EQ(p.image.format(), QImage::Format_RGB888);
        EXPECT_EQ(at(p.image, 0, 0), qRgb(255, 255, 255));
        EXPECT_TRUE(near(at(p.image, 1, 0), 127, 127, 127, 2)) << std::hex << at(p.image, 1, 0);
        EXPECT_EQ(at(p.image, 2, 0), qRgb(0, 255, 0));
    }
    // A palette picture with a transparent entry, as GIFs and icons have.
    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgba(0, 0, 0, 0), qRgb(0, 0, 255)});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    const photo::Picture p = photo::FromImage(indexed);
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(at(p.image, 0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(at(p.image, 1, 0), qRgb(0, 0, 255));
}

TEST(PhotoReader, AnIconGivesItsLargestPicture)
{
    QImage small(16, 16, QImage::Format_ARGB32), large(48, 48, QImage::Format_ARGB32), middle(32, 32,
                                                                                              QImage::Format_ARGB32);
    small.fill(qRgb(255, 0, 0));
    large.fill(qRgb(0, 0, 255));
    middle.fill(qRgb(0, 255, 0));
    const photo::Picture p = readBytes(iconFile({small, large, middle}));
    ASSERT_TRUE(p.ok()) << p.error.toStdString();
    EXPECT_EQ(p.image.size(), QSize(48, 48));
    EXPECT_EQ(at(p.image, 20, 20), qRgb(0, 0, 255));
}

TEST(PhotoReader, LosslessFormatsKeepEveryPixelAndNothingElse)
{
    // Sizes around byte and word boundaries, with a colour per pixel.
    for (int w : {1, 7, 8, 9, 17}) {
        QImage image(w, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgb(x * 13, y * 80, 255 - x));
        image.setText(QStringLiteral("Comment"), QStringLiteral("Optaget i Vejle"));
        for (const char* format : {"png", "bmp", "ppm", "tiff"}) {
            SCOPED_TRACE(std::string(format) + " " + std::to_string(w));
            const photo::Picture p = readBytes(encode(image, format));
            ASSERT_TRUE(p.ok()) << p.error.toStdString();
            ASSERT_EQ(p.image.size(), image.size());
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < w; ++x)
                    EXPECT_EQ(at(p.image, x, y), image.pixel(x, y)) << x << "," << y;
            EXPECT_TRUE(p.image.textKeys().isEmpty());
        }
    }
}

TEST(PhotoReader, AbsurdHeadersAreRefusedBeforeDecoding)
{
    QElapsedTimer clock;
    clock.start();
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"bmp 100000 x 100000", bmpHeader(100000, 100000, 64)},
        {"jpeg 65535 x 65535", jpegClaiming(65535, 65535)},
        {"jpeg 0 x 100", jpegClaiming(0, 100)},
        {"png 100000 x 100000", pngHeader(100000, 100000)},
        {"bmp 40000 x 30000", bmpHeader(40000, 30000, 64)},
        {"bmp 0 x 100", bmpHeader(0, 100, 64)},
        {"bmp 100 x 0", bmpHeader(100, 0, 64)},
        {"png 0 x 100", pngHeader(0, 100)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const photo::Picture p = readBytes(c.bytes);
        EXPECT_FALSE(p.ok());
        EXPECT_FALSE(p.error.isEmpty());
    }
    EXPECT_EQ(readBytes(pngHeader(100000, 100000)).error,
              QStringLiteral("Billedet er for stort: 100000 × 100000 punkter."));
    EXPECT_EQ(readBytes(pngHeader(40000, 25001)).error,
              QStringLiteral("Billedet er for stort: 40000 × 25001 punkter."));
    EXPECT_EQ(readBytes(jpegClaiming(60000, 50000)).error,
              QStringLiteral("Billedet er for stort: 60000 × 50000 punkter."));
    // Nothing was decoded, so this took no time.
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST(PhotoReader, LongSidesAreReadScaledDown)
{
    QImage wide(6400, 10, QImage::Format_RGB32);
    wide.fill(qRgb(200, 100, 50));
    const photo::Picture p = readBytes(encode(wide, "png"));
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.image.size(), QSize(6000, 9));   // 10 · 6000 / 6400 = 9.4
    EXPECT_EQ(at(p.image, 3000, 4), qRgb(200, 100, 50));

    QImage tall(2, 12001, QImage::Format_RGB32);
    tall.fill(Qt::white);
    const photo::Picture t = readBytes(encode(tall, "jpeg"));
    ASSERT_TRUE(t.ok());
    EXPECT_EQ(t.image.size(), QSize(1, 6000));   // a side never drops to 0

    // One more than 6000 is scaled; exactly 6000 stays as it is, and so does
    // a pasted picture that size.
    QImage over(6001, 5, QImage::Format_RGB32);
    over.fill(Qt::gray);
    EXPECT_EQ(readBytes(encode(over, "bmp")).image.size(), QSize(6000, 5));
    EXPECT_EQ(photo::FromImage(over).image.size(), QSize(6000, 5));
    QImage edge(6000, 3, QImage::Format_RGB32);
    edge.fill(Qt::black);
    EXPECT_EQ(readBytes(encode(edge, "bmp")).image.size(), QSize(6000, 3));
    EXPECT_EQ(photo::FromImage(edge).image.size(), QSize(6000, 3));
    QImage pasted(9000, 30, QImage::Format_ARGB32);
    pasted.fill(Qt::transparent);
    const photo::Picture fromClipboard = photo::FromImage(pasted);
    ASSERT_TRUE(fromClipboard.ok());
    EXPECT_EQ(fromClipboard.image.size(), QSize(6000, 20));
    EXPECT_EQ(at(fromClipboard.image, 10, 10), qRgb(255, 255, 255));
}

TEST(PhotoReader, WhatIsNoPictureGivesAReason)
{
    TempDir dir;
    EXPECT_EQ(photo::ReadPhoto(QString::fromStdString(dir.file("mangler.jpg"))).error,
              QStringLiteral("Filen findes ikke."));
    EXPECT_FALSE(photo::ReadPhoto(QString::fromStdString(dir.path())).ok());

    const QString text = writeFile(dir, "brev.jpg", "Kære mormor, tak for gaven!");
    EXPECT_EQ(photo::ReadPhoto(text).error, QStringLiteral("Filen er ikke et billede, som programmet kan læse."));

    // A vector drawing is not read as a photo, whatever its name says.
    const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"300\">"
                           "<rect width=\"200\" height=\"300\" fill=\"red\"/></svg>";
    EXPECT_FALSE(photo::ReadPhoto(writeFile(dir, "tegning.svg", svg)).ok());
    EXPECT_FALSE(photo::ReadPhoto(writeFile(dir, "tegning.png", svg)).ok());

    // Found by the fuzzer: an Apple icon whose entry claims 8 GB made the
    // plugin allocate that much. Such files are not read at all.
    QFile icns(QStringLiteral(TINKELI_TEST_DATA "/malformed/icns-entry-claims-8gb.icns"));
    ASSERT_TRUE(icns.open(QIODevice::ReadOnly));
    EXPECT_EQ(readBytes(icns.readAll()).error, QStringLiteral("Filen er ikke et billede, som programmet kan læse."));
    EXPECT_FALSE(photo::OpenFilter().contains(QStringLiteral("icns")));

    // A picture under another format's name is read by its content.
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(qRgb(0, 128, 255));
    const photo::Picture renamed = photo::ReadPhoto(writeFile(dir, "billede.jpg", encode(image, "png")));
    ASSERT_TRUE(renamed.ok()) << renamed.error.toStdString();
    EXPECT_EQ(at(renamed.image, 4, 3), qRgb(0, 128, 255));

    // Cut short: either what could be read, or a reason; never a crash.
    QImage big(300, 200, QImage::Format_RGB32);
    big.fill(qRgb(10, 20, 30));
    for (const char* format : {"png", "jpeg", "bmp", "gif", "tiff", "webp"}) {
        if (!photo::ReadableFormats().contains(format) || !QImageWriter::supportedImageFormats().contains(format))
            continue;
        const QByteArray whole = encode(big, format);
        for (int keep : {0, 1, 8, 30, int(whole.size() / 2), int(whole.size() - 1)}) {
            const photo::Picture p = readBytes(whole.left(keep));
            EXPECT_TRUE(p.ok() != !p.error.isEmpty()) << format << " " << keep;
        }
    }
    EXPECT_FALSE(photo::FromImage(QImage()).ok());
}

TEST(PhotoReader, TheOpenFilterOffersWhatCanBeRead)
{
    const QString filter = photo::OpenFilter();
    const QStringList parts = filter.split('|');
    ASSERT_GE(parts.size(), 4);
    ASSERT_EQ(parts.size() % 2, 0);
    EXPECT_EQ(parts[0], QStringLiteral("Alle billeder"));
    const QStringList all = parts[1].split(';');
    for (const char* ext : {"*.jpg", "*.jpeg", "*.png", "*.bmp", "*.gif", "*.tif", "*.tiff", "*.ico"})
        EXPECT_TRUE(all.contains(QString::fromLatin1(ext))) << ext;
    EXPECT_FALSE(filter.contains(QStringLiteral("svg")));
    EXPECT_EQ(parts[2], QStringLiteral("JPEG-billeder"));
    EXPECT_EQ(parts[3], QStringLiteral("*.jpg;*.jpeg"));
    // Every pattern offered anywhere is one the reader takes, and "Alle
    // billeder" holds every one of them.
    const QList<QByteArray> readable = photo::ReadableFormats();
    for (int i = 3; i < parts.size(); i += 2)
        for (const QString& pattern : parts[i].split(';')) {
            EXPECT_TRUE(readable.contains(pattern.mid(2).toLatin1())) << pattern.toStdString();
            EXPECT_TRUE(all.contains(pattern)) << pattern.toStdString();
        }
    EXPECT_EQ(all.size(), readable.size());
}

TEST(PhotoReader, TheUsersMessage)
{
    EXPECT_EQ(photo::CannotOpenText(QStringLiteral("/home/ida/Billeder/mormor.jpg")),
              QStringLiteral("Billedet kunne ikke åbnes:\n\"/home/ida/Billeder/mormor.jpg\""));
}
