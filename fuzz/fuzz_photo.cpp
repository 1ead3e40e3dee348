// libFuzzer target: the photo readers on arbitrary bytes, and what the crop
// dialog then does with a picture that was read.
// Seeds: fuzz/corpus/photo (one small file of every readable format).
// SPDX-License-Identifier: GPL-3.0-or-later
#include "photocrop.h"
#include "photoreader.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The image plugins are found through the application object.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.gui.imageio*=false");
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}

namespace {

volatile int sink;

// Qt's decoders are not instrumented, so the fuzzer sees only this file's
// branches. One branch per format, and per way out of it, lets it keep an
// input of every format and every outcome instead of a handful.
void noteFormat(const QByteArray& f, bool ok)
{
#define TINKELI_FORMAT(name) else if (f == name) sink = ok ? __LINE__ : -__LINE__;
    if (f.isEmpty())
        sink = 0;
    TINKELI_FORMAT("bmp") TINKELI_FORMAT("cur") TINKELI_FORMAT("gif") TINKELI_FORMAT("icns")
    TINKELI_FORMAT("ico") TINKELI_FORMAT("jpeg") TINKELI_FORMAT("mng") TINKELI_FORMAT("pbm")
    TINKELI_FORMAT("pgm") TINKELI_FORMAT("png") TINKELI_FORMAT("ppm") TINKELI_FORMAT("tga")
    TINKELI_FORMAT("tiff") TINKELI_FORMAT("wbmp") TINKELI_FORMAT("webp") TINKELI_FORMAT("xbm")
    TINKELI_FORMAT("xpm") TINKELI_FORMAT("svg")
#undef TINKELI_FORMAT
    if (ok)
        sink = 1;
    else
        sink = 2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    const photo::Picture p = photo::ReadPhoto(&buffer);
    noteFormat(format, p.ok());
    if (!p.ok()) {
        if (p.error.isEmpty())
            __builtin_trap();   // a failure must say why
        return 0;
    }
    const QImage& image = p.image;
    if (image.format() != QImage::Format_RGB888 || image.width() < 1 || image.height() < 1
        || std::max(image.width(), image.height()) > photo::kMaxSide)
        __builtin_trap();
    QString error;
    const QImage big = photo::Enlarge(image, &error);
    if (big.isNull())
        return error.isEmpty() ? (__builtin_trap(), 0) : 0;
    photo::CropFrame frame(big.size());
    // The zoom from the bytes themselves, so that every step gets its turn.
    frame.SetZoom(size ? data[size / 2] + data[0] : 0);
    frame.DragBy(size > 1 ? int(data[1]) - 128 : 0, size > 2 ? int(data[2]) - 128 : 0);
    if (!big.rect().contains(frame.Window()))
        __builtin_trap();
    static QImage work;
    photo::RenderView(big, frame, work);
    const QImage photo = photo::CropPhoto(big, frame.Window());
    if (photo.size() != QSize(kPhotoWidth, kPhotoHeight) || photo::ToPixels24(photo).data.size() != kPhotoBytes)
        __builtin_trap();
    return 0;
}
