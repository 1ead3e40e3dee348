// Reading the drawing archive. The byte layout is in archive.h.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive.h"

#include "ext80.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

/// One pass over the bytes. The first read that cannot deliver everything
/// sets the failure flag; later reads then fail too and read nothing.
class ByteReader {
public:
    ByteReader(const std::uint8_t* p, std::size_t n) : p_(p), n_(n) {}

    bool ok() const { return ok_; }
    std::size_t remaining() const { return n_ - pos_; }

    bool bytes(void* dst, std::size_t count)
    {
        if (!ok_ || count > remaining())
            return ok_ = false;
        if (count)
            std::memcpy(dst, p_ + pos_, count);
        pos_ += count;
        return true;
    }
    bool u8(std::uint8_t& v) { return bytes(&v, 1); }
    bool u16(std::uint16_t& v)
    {
        std::uint8_t b[2];
        if (!bytes(b, 2))
            return false;
        v = std::uint16_t(b[0] | b[1] << 8);
        return true;
    }
    bool i16(std::int16_t& v)
    {
        std::uint16_t u;
        if (!u16(u))
            return false;
        v = std::int16_t(u);
        return true;
    }
    bool u32(std::uint32_t& v)
    {
        std::uint8_t b[4];
        if (!bytes(b, 4))
            return false;
        v = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
        return true;
    }
    bool i32(std::int32_t& v)
    {
        std::uint32_t u;
        if (!u32(u))
            return false;
        v = std::int32_t(u);
        return true;
    }
    /// shortstr[n]: a length byte and n bytes, of which the first length count.
    bool shortstr(std::string& s, std::size_t n)
    {
        std::uint8_t len;
        if (!u8(len) || n > remaining())
            return ok_ = false;
        s.assign(reinterpret_cast<const char*>(p_ + pos_), std::min<std::size_t>(len, n));
        pos_ += n;
        return true;
    }
    /// Fails unless \a count items of \a each bytes still fit.
    bool expect(std::uint64_t count, std::uint64_t each)
    {
        if (!ok_ || count * each > remaining())
            return ok_ = false;
        return true;
    }

private:
    const std::uint8_t* p_;
    std::size_t n_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// Coordinates beyond this are no drawing but a broken file; refusing them
// keeps all later integer arithmetic far from overflow.
constexpr double kMaxCoordinate = 1.0e7;

struct Parser {
    ByteReader& in;
    DataArchive& a;
    ArchiveReadError& err;
    int pageW = 0, pageH = 0;
    bool rescale = false;
    double fx = 1, fy = 1;

    bool wide() const { return a.IsWide(); }
    std::size_t pointSize() const { return a.Version >= 4 ? 24 : 12; }

    bool fail(const std::string& msg)
    {
        err.message = msg;
        return false;
    }
    bool truncated(const char* what) { return fail(std::string("the file ends inside ") + what); }

    static std::int32_t scaleInt(std::int32_t v, int page, int design)
    {
        // MulDiv: 64-bit intermediate, halves away from zero.
        const std::int64_t num = std::int64_t(v) * page;
        const std::int64_t q = (num >= 0 ? num + design / 2 : num - design / 2) / design;
        return std::int32_t(q);
    }

    bool readFill(std::uint16_t& fill)
    {
        if (wide())
            return in.u16(fill);
        std::uint8_t b;
        if (!in.u8(b))
            return false;
        fill = b;
        return true;
    }

    bool readRect(IntRect& r)
    {
        std::int16_t v[4];
        for (auto& x : v)
            if (!in.i16(x))
                return false;
        r = {v[0], v[1], v[2], v[3]};
        if (rescale) {
            r.left = scaleInt(r.left, pageW, a.DesignWidth);
            r.right = scaleInt(r.right, pageW, a.DesignWidth);
            r.top = scaleInt(r.top, pageH, a.DesignHeight);
            r.bottom = scaleInt(r.bottom, pageH, a.DesignHeight);
        }
        return true;
    }

    /// x and y of one point, rescaled.
    bool readPoint(PointF& p)
    {
        if (a.Version >= 4) {
            std::uint8_t b[24];
            if (!in.bytes(b, 24))
                return false;
            ext80::Bytes e;
            std::memcpy(e.data(), b, 10);
            p.x = ext80::Decode(e);
            std::memcpy(e.data(), b + 10, 10);
            p.y = ext80::Decode(e);
        } else {
            std::uint8_t b[12];
            if (!in.bytes(b, 12))
                return false;
            p.x = Real48Decode(b);
            p.y = Real48Decode(b + 6);
        }
        if (rescale) {
            p.x *= fx;
            p.y *= fy;
        }
        if (!(std::fabs(p.x) <= kMaxCoordinate && std::fabs(p.y) <= kMaxCoordinate))
            return fail("a point lies far outside any page (or is not a number)");
        return true;
    }

    bool readPoints(std::vector<PointF>& pts)
    {
        std::uint16_t n;
        if (!in.u16(n))
            return truncated("a point count");
        if (!in.expect(n, pointSize()))
            return fail("a point count of " + std::to_string(n) + " runs past the end of the file");
        pts.resize(n);
        for (auto& p : pts)
            if (!readPoint(p))
                return err.message.empty() ? truncated("the points") : false;
        return true;
    }

    bool readHeader()
    {
        std::uint8_t sig[14];
        if (!in.bytes(sig, 14))
            return fail("the file is too short to be a drawing archive");
        const std::string s(reinterpret_cast<const char*>(sig), 14);
        bool found = false;
        for (int v = 1; v <= 5 && !found; ++v)
            for (bool w : {false, true})
                if (s == ArchiveSignature(v, w)) {
                    a.Version = v;
                    a.WideFillTable = w;
                    found = true;
                    break;
                }
        if (!found)
            return fail("the signature is not that of a drawing archive");
        if (!in.u16(a.DesignWidth) || !in.u16(a.DesignHeight))
            return truncated("the header");
        rescale = pageW > 0 && pageH > 0 && (a.DesignWidth != pageW || a.DesignHeight != pageH);
        if (rescale) {
            if (a.DesignWidth == 0 || a.DesignHeight == 0)
                return fail("the design size is 0");
            fx = double(pageW) / a.DesignWidth;
            fy = double(pageH) / a.DesignHeight;
        }
        return true;
    }

    bool readFills()
    {
        const int n = wide() ? kFillCount : kNarrowFillCount;
        std::uint8_t raw[kFillCount * 3];
        if (!in.bytes(raw, std::size_t(n) * 3))
            return truncated("the fill table");
        a.Fills.fill(FillEntry{});
        for (int i = 0; i < n; ++i)
            a.Fills[i] = {raw[3 * i], raw[3 * i + 1], raw[3 * i + 2]};
        return true;
    }

    bool readVector(Picture& pic)
    {
        VectorPicture& v = pic.Vector;
        if (!readRect(v.Bounds))
            return truncated("a picture's bounds");
        if (a.Version >= 4) {
            std::uint8_t b[24];
            if (!in.bytes(b, 24))
                return truncated("a picture's reference point");
            ext80::Bytes e;
            std::memcpy(e.data(), b, 10);
            v.Reference.x = ext80::Decode(e);
            std::memcpy(e.data(), b + 10, 10);
            v.Reference.y = ext80::Decode(e);
        } else {
            std::uint8_t b[12];
            if (!in.bytes(b, 12))
                return truncated("a picture's reference point");
            v.Reference = {Real48Decode(b), Real48Decode(b + 6)};
        }
        if (rescale) {
            v.Reference.x *= fx;
            v.Reference.y *= fy;
        }
        std::uint16_t count;
        if (!in.u16(count))
            return truncated("a picture's element count");
        const std::size_t minElement = 4 + 2 + (wide() ? 2 : 1) + 1 + 8 + 1 + 2;
        if (!in.expect(count, minElement))
            return fail("picture \"" + pic.Name + "\" claims more elements than the file holds");
        v.Elements.resize(count);
        for (PictureElement& e : v.Elements) {
            std::int16_t pen;
            std::uint8_t filled;
            if (!in.u32(e.Colour) || !in.i16(pen) || !readFill(e.Fill) || !in.u8(filled) || !readRect(e.Bounds)
                || !in.u8(e.Kind))
                return truncated("a picture element");
            e.PenWidth = pen;
            e.Filled = filled != 0;
            if (!readPoints(e.Points))
                return false;
            for (const PointF& p : e.Points) {
                const std::int32_t x = std::int32_t(std::lrint(p.x)), y = std::int32_t(std::lrint(p.y));
                e.Bounds.left = std::min(e.Bounds.left, x);
                e.Bounds.right = std::max(e.Bounds.right, x);
                e.Bounds.top = std::min(e.Bounds.top, y);
                e.Bounds.bottom = std::max(e.Bounds.bottom, y);
                v.Bounds.left = std::min(v.Bounds.left, x);
                v.Bounds.right = std::max(v.Bounds.right, x);
                v.Bounds.top = std::min(v.Bounds.top, y);
                v.Bounds.bottom = std::max(v.Bounds.bottom, y);
            }
        }
        if (FlattenedPointCount(pic) > std::size_t(kMaxPicturePoints))
            return fail("picture \"" + pic.Name + "\" has more than " + std::to_string(kMaxPicturePoints) + " points");
        return true;
    }

    bool readCell(Picture& pic, std::uint8_t flags)
    {
        CellPicture& c = pic.Cell;
        c.Flag2 = flags & 4;
        if (!in.bytes(c.Head.data(), 4) || !in.bytes(c.Info.data(), 254) || !in.u8(c.GridShape)
            || !in.bytes(c.Cells.data(), kCellBytes))
            return truncated("a cell picture");
        return true;
    }

    bool readPictures()
    {
        std::uint16_t count;
        if (!in.u16(count))
            return truncated("the picture count");
        const std::size_t minRecord = a.Version == 1 ? 26 + 4 + 254 + 1 + kCellBytes : 1;
        if (!in.expect(count, minRecord))
            return fail("the picture count " + std::to_string(count) + " runs past the end of the file");
        a.Pictures.resize(count);
        for (Picture& pic : a.Pictures) {
            pic.Kind = 0;
            if (a.Version > 1 && !in.u8(pic.Kind))
                return truncated("a picture");
            if (pic.Kind > 1)
                continue;   // an empty entry: the record ends after its kind
            std::uint8_t flags;
            if (!in.u32(pic.Tag) || !in.shortstr(pic.Name, kMaxNameLength) || !in.u8(flags))
                return truncated("a picture");
            pic.Flag0 = flags & 1;
            pic.Flag1 = flags & 2;
            if (!(pic.Kind == 1 ? readVector(pic) : readCell(pic, flags)))
                return false;
        }
        return true;
    }

    bool readLayoutElement(LayoutElement& e)
    {
        std::int16_t pen;
        std::uint8_t filled;
        if (!in.u32(e.Colour) || !in.i16(pen) || !readFill(e.Fill) || !in.u8(filled) || !readRect(e.Bounds)
            || !in.u8(e.Kind))
            return truncated("a layout element");
        e.PenWidth = pen;
        e.Filled = filled != 0;
        if (e.Kind >= kKindLine && e.Kind <= kKindPolygon) {
            if (!readPoints(e.Points))
                return false;
            e.IntPoints.resize(e.Points.size());
            for (std::size_t i = 0; i < e.Points.size(); ++i)
                e.IntPoints[i] = QPoint(int(std::lrint(e.Points[i].x)), int(std::lrint(e.Points[i].y)));
        } else if (e.Kind == kKindText) {
            std::uint16_t n;
            if (!in.u8(e.FontStyle) || !in.shortstr(e.FontName, a.Version >= 3 ? 255 : 31) || !in.u16(n))
                return truncated("a layout text");
            if (!in.expect(n, 1))
                return fail("a layout text's length runs past the end of the file");
            e.Text.resize(n);
            in.bytes(e.Text.data(), n);
            // The text is kept zero-terminated: a zero byte ends it.
            if (const auto z = e.Text.find('\0'); z != std::string::npos)
                e.Text.resize(z);
            if (rescale)
                e.PenWidth = std::int16_t(std::clamp<long>(std::lrint(double(e.PenWidth) * pageW / a.DesignWidth),
                                                           INT16_MIN, INT16_MAX));
        }
        return true;
    }

    bool readLayouts()
    {
        std::uint16_t count;
        if (!in.u16(count))
            return truncated("the layout count");
        if (!in.expect(count, 4 + 4 + 21 + 2))
            return fail("the layout count " + std::to_string(count) + " runs past the end of the file");
        a.Layouts.resize(count);
        for (Layout& l : a.Layouts) {
            if (!in.u32(l.Tag) || !in.u32(l.BackColour) || !in.shortstr(l.Name, kMaxNameLength))
                return truncated("a layout");
            if (a.Version >= 3) {
                std::int32_t n;
                if (!in.i32(n))
                    return truncated("a layout");
                if (n > 0) {
                    if (!in.expect(std::uint64_t(n), 1))
                        return fail("layout \"" + l.Name + "\" has a text longer than the file");
                    l.Text.resize(std::size_t(n));
                    in.bytes(l.Text.data(), l.Text.size());
                }
            }
            std::uint16_t elements;
            if (!in.u16(elements))
                return truncated("a layout");
            if (!in.expect(elements, 4 + 2 + (wide() ? 2 : 1) + 1 + 8 + 1))
                return fail("layout \"" + l.Name + "\" claims more elements than the file holds");
            l.Elements.resize(elements);
            for (LayoutElement& e : l.Elements)
                if (!readLayoutElement(e))
                    return false;
        }
        return true;
    }
};

} // namespace

std::string ArchiveSignature(int version, bool wide)
{
    const char* text = nullptr;
    switch (version) {
    case 1: text = wide ? nullptr : "Vindelskribot"; break;
    case 2: text = wide ? nullptr : "VindSkriData2"; break;
    case 3: text = wide ? nullptr : "VindSkriData3"; break;
    case 4: text = wide ? "VindSkriDat4a" : "VindSkriData4"; break;
    case 5: text = wide ? "VindSkriData5" : nullptr; break;
    default: break;
    }
    if (!text)
        return {};
    return std::string(1, char(13)) + text;
}

bool ReadDataArchive(const std::uint8_t* data, std::size_t size, int pageWidth, int pageHeight, DataArchive& out,
                     ArchiveReadError* error)
{
    ArchiveReadError localErr;
    ArchiveReadError& err = error ? *error : localErr;
    err = {};
    out = DataArchive{};
    ByteReader in(data, size);
    Parser p{in, out, err, pageWidth, pageHeight};
    if (!p.readHeader()) {
        err.section = ArchiveSection::Header;
        return false;
    }
    if (!p.readFills()) {
        err.section = ArchiveSection::Fills;
        return false;
    }
    if (!p.readPictures()) {
        err.section = ArchiveSection::Pictures;
        out.Pictures.clear();
        return false;
    }
    if (!p.readLayouts()) {
        err.section = ArchiveSection::Layouts;
        out.Layouts.clear();
        return false;
    }
    return true;
}

bool ReadDataArchiveFile(const std::string& path, int pageWidth, int pageHeight, DataArchive& out,
                         ArchiveReadError* error)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = {ArchiveSection::Header, "cannot open " + path};
        out = DataArchive{};
        return false;
    }
    // An archive is a few megabytes; anything near this is not one.
    constexpr qint64 kMaxArchiveBytes = qint64(1) << 30;
    if (f.size() > kMaxArchiveBytes) {
        if (error)
            *error = {ArchiveSection::Header, path + " is too large to be a drawing archive"};
        out = DataArchive{};
        return false;
    }
    const QByteArray bytes = f.readAll();
    f.close();
    return ReadDataArchive(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()),
                           pageWidth, pageHeight, out, error);
}

double Real48Decode(const std::uint8_t* b)
{
    if (b[0] == 0)
        return 0.0;
    // 39-bit fraction: bytes 1..5, least significant first, without the sign bit.
    std::uint64_t frac = 0;
    for (int k = 5; k >= 1; --k)
        frac = (frac << 8) | b[k];
    const bool neg = frac & (std::uint64_t(1) << 39);
    frac &= (std::uint64_t(1) << 39) - 1;
    const double m = 1.0 + std::ldexp(double(frac), -39);
    const double v = std::ldexp(m, int(b[0]) - 129);
    return neg ? -v : v;
}

bool Real48Encode(double v, std::uint8_t* b)
{
    std::memset(b, 0, 6);
    if (!std::isfinite(v))
        return false;
    if (v == 0.0)
        return true;
    const bool neg = v < 0;
    int e;
    const double f = std::frexp(std::fabs(v), &e);   // |v| = f * 2^e, f in [0.5, 1)
    std::uint64_t frac = std::uint64_t(std::llrint((2 * f - 1) * std::ldexp(1.0, 39)));
    int exponent = e - 1 + 129;
    if (frac >> 39) {   // rounded up to 2.0
        frac = 0;
        ++exponent;
    }
    if (exponent <= 0)
        return true;    // below the smallest real48: zero
    if (exponent > 255)
        return false;
    b[0] = std::uint8_t(exponent);
    if (neg)
        frac |= std::uint64_t(1) << 39;
    for (int k = 1; k <= 5; ++k)
        b[k] = std::uint8_t(frac >> (8 * (k - 1)));
    return true;
}

std::size_t FlattenedPointCount(const Picture& picture)
{
    std::size_t n = 0;
    for (const PictureElement& e : picture.Vector.Elements) {
        switch (e.Kind) {
        case kKindRectangle: n += 4; break;
        case kKindEllipse: n += 48; break;
        case kKindLine: n += std::min<std::size_t>(2, e.Points.size()); break;
        case kKindPolyline:
        case kKindPolygon: n += e.Points.size(); break;
        default: break;
        }
    }
    return n;
}
