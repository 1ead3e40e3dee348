// Reading photos from picture files: every format Qt's image plugins read
// here, with the size checked from the header before anything is decoded,
// so that a hostile or broken file gives a message instead of a crash or a
// machine out of memory.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <cstdint>

class QIODevice;

namespace photo {

/// A picture with more pixels than this is refused unread.
inline constexpr std::int64_t kMaxPixels = 1'000'000'000;
/// A longer side above this is decoded scaled down to it, so that no larger
/// picture is ever held.
inline constexpr int kMaxSide = 6000;
/// The most one decoded picture may take, in megabytes (Qt refuses larger
/// allocations in its decoders).
inline constexpr int kAllocationLimitMB = 512;

/// A picture as read: 24 bits, transparent parts laid on white, stood
/// upright by its EXIF orientation, nothing but pixels (no file name, no
/// metadata). On failure the image is null and error says why.
struct Picture {
    QImage image;    ///< QImage::Format_RGB888, or null
    QString error;   ///< Danish; empty when the image was read

    bool ok() const { return !image.isNull(); }
};

/// The formats (Qt's format names, lower case) that photos are read from
/// here: those the installed plugins read, less the vector drawings (whose
/// drawing time no header bounds and which may pull in other files) and
/// Apple icon files (whose plugin trusts lengths from the file).
QList<QByteArray> ReadableFormats();

/// The open dialog's filter in the program's form "label|*.a;*.b|label|...":
/// first "Alle billeder" with every readable extension, then one entry per
/// kind of file. Only formats that can really be read here are offered.
QString OpenFilter();

/// Reads the picture file \a path. Never throws.
Picture ReadPhoto(const QString& path);
/// Reads a picture from \a device (open for reading), the format told by
/// the content alone. Never throws.
Picture ReadPhoto(QIODevice* device);
/// The same limits and clean-up for a picture that came from elsewhere (the
/// clipboard): too large refused, a long side above kMaxSide scaled down,
/// transparency on white, 24 bits.
Picture FromImage(const QImage& image);

/// "Billedet kunne ikke åbnes:\n\"<file>\"": what the user is told when a
/// picture cannot become a photo.
QString CannotOpenText(const QString& file);

} // namespace photo
