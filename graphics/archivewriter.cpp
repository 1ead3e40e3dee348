// Writing a drawing archive. The byte layout is in archive.h.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "archivewriter.h"

#include "ext80.h"

#include <QSaveFile>

#include <cstring>

namespace {

class Writer {
public:
    Writer(const DataArchive& a, std::vector<std::uint8_t>& out, std::string& err) : a_(a), out_(out), err_(err) {}

    bool write()
    {
        if (a_.Version < 1 || a_.Version > 5)
            return fail("version " + std::to_string(a_.Version) + " does not exist");
        const std::string sig = ArchiveSignature(a_.Version, a_.IsWide());
        bytes(sig.data(), sig.size());
        u16(a_.DesignWidth);
        u16(a_.DesignHeight);
        const int fills = a_.IsWide() ? kFillCount : kNarrowFillCount;
        for (int i = fills; i < kFillCount; ++i)
            if (!(a_.Fills[i] == FillEntry{}))
                return fail("fill " + std::to_string(i + 1) + " needs a wide fill table (version 4 wide or 5)");
        for (int i = 0; i < fills; ++i) {
            u8(a_.Fills[i].ColourA);
            u8(a_.Fills[i].ColourB);
            u8(a_.Fills[i].Pattern);
        }
        if (!count(a_.Pictures.size(), "pictures"))
            return false;
        for (const Picture& p : a_.Pictures)
            if (!picture(p))
                return false;
        if (!count(a_.Layouts.size(), "layouts"))
            return false;
        for (const Layout& l : a_.Layouts)
            if (!layout(l))
                return false;
        return true;
    }

private:
    bool fail(const std::string& msg)
    {
        err_ = msg;
        return false;
    }
    void bytes(const void* p, std::size_t n)
    {
        const auto* b = static_cast<const std::uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
    }
    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v)
    {
        u8(std::uint8_t(v));
        u8(std::uint8_t(v >> 8));
    }
    void u32(std::uint32_t v)
    {
        u16(std::uint16_t(v));
        u16(std::uint16_t(v >> 16));
    }
    bool count(std::size_t n, const char* what)
    {
        if (n > 65535)
            return fail(std::string("more than 65535 ") + what);
        u16(std::uint16_t(n));
        return true;
    }
    bool shortstr(const std::string& s, std::size_t n, const std::string& what)
    {
        if (s.size() > n)
            return fail(what + " \"" + s + "\" is longer than " + std::to_string(n) + " bytes");
        u8(std::uint8_t(s.size()));
        bytes(s.data(), s.size());
        out_.insert(out_.end(), n - s.size(), 0);
        return true;
    }
    bool fill(std::uint16_t f)
    {
        if (a_.IsWide()) {
            u16(f);
            return true;
        }
        if (f > 255)
            return fail("fill " + std::to_string(f) + " needs a wide archive");
        u8(std::uint8_t(f));
        return true;
    }
    bool rect(const IntRect& r)
    {
        for (std::int32_t v : {r.left, r.top, r.right, r.bottom}) {
            if (v < INT16_MIN || v > INT16_MAX)
                return fail("a coordinate (" + std::to_string(v) + ") does not fit 16 bits");
            u16(std::uint16_t(std::int16_t(v)));
        }
        return true;
    }
    bool point(const PointF& p)
    {
        if (a_.Version >= 4) {
            const ext80::Bytes x = ext80::Encode(p.x), y = ext80::Encode(p.y);
            bytes(x.data(), 10);
            bytes(y.data(), 10);
            u32(0);
            return true;
        }
        std::uint8_t b[12];
        if (!Real48Encode(p.x, b) || !Real48Encode(p.y, b + 6))
            return fail("a point does not fit a real48");
        bytes(b, 12);
        return true;
    }
    bool points(const std::vector<PointF>& pts)
    {
        if (!count(pts.size(), "points in one element"))
            return false;
        for (const PointF& p : pts)
            if (!point(p))
                return false;
        return true;
    }
    bool elementHead(::Colour colour, std::int16_t pen, std::uint16_t f, bool filled, const IntRect& bounds,
                     std::uint8_t kind)
    {
        u32(colour);
        u16(std::uint16_t(pen));
        if (!fill(f))
            return false;
        u8(filled ? 1 : 0);
        if (!rect(bounds))
            return false;
        u8(kind);
        return true;
    }

    bool picture(const Picture& p)
    {
        if (a_.Version == 1) {
            if (p.Kind != 0)
                return fail("picture \"" + p.Name + "\": a version 1 archive holds cell pictures only");
        } else {
            u8(p.Kind);
            if (p.Kind > 1)
                return true;
        }
        u32(p.Tag);
        if (!shortstr(p.Name, kMaxNameLength, "picture name"))
            return false;
        u8(std::uint8_t((p.Flag0 ? 1 : 0) | (p.Flag1 ? 2 : 0) | (p.Kind == 0 && p.Cell.Flag2 ? 4 : 0)));
        if (p.Kind == 0) {
            if (p.Cell.Cells.size() != std::size_t(kCellBytes))
                return fail("cell picture \"" + p.Name + "\" needs exactly 9216 cell bytes");
            bytes(p.Cell.Head.data(), 4);
            bytes(p.Cell.Info.data(), 254);
            u8(p.Cell.GridShape);
            bytes(p.Cell.Cells.data(), kCellBytes);
            return true;
        }
        if (FlattenedPointCount(p) > std::size_t(kMaxPicturePoints))
            return fail("picture \"" + p.Name + "\" has more than 16384 points");
        const VectorPicture& v = p.Vector;
        if (!rect(v.Bounds) || !point(v.Reference))
            return false;
        if (!count(v.Elements.size(), "elements in one picture"))
            return false;
        for (const PictureElement& e : v.Elements)
            if (!elementHead(e.Colour, e.PenWidth, e.Fill, e.Filled, e.Bounds, e.Kind) || !points(e.Points))
                return false;
        return true;
    }

    bool layout(const Layout& l)
    {
        u32(l.Tag);
        u32(l.BackColour);
        if (!shortstr(l.Name, kMaxNameLength, "layout name"))
            return false;
        if (a_.Version >= 3) {
            if (l.Text.size() > std::size_t(INT32_MAX))
                return fail("layout text too long");
            u32(std::uint32_t(l.Text.size()));
            bytes(l.Text.data(), l.Text.size());
        } else if (!l.Text.empty()) {
            return fail("layout \"" + l.Name + "\": versions 1 and 2 hold no layout text");
        }
        if (!count(l.Elements.size(), "elements in one layout"))
            return false;
        for (const LayoutElement& e : l.Elements) {
            if (!elementHead(e.Colour, e.PenWidth, e.Fill, e.Filled, e.Bounds, e.Kind))
                return false;
            if (e.Kind >= kKindLine && e.Kind <= kKindPolygon) {
                if (!points(e.Points))
                    return false;
            } else if (e.Kind == kKindText) {
                u8(e.FontStyle);
                if (!shortstr(e.FontName, a_.Version >= 3 ? 255 : 31, "font name"))
                    return false;
                if (e.Text.find('\0') != std::string::npos)
                    return fail("a layout text holds a zero byte");
                if (!count(e.Text.size(), "bytes in one layout text"))
                    return false;
                bytes(e.Text.data(), e.Text.size());
            }
        }
        return true;
    }

    const DataArchive& a_;
    std::vector<std::uint8_t>& out_;
    std::string& err_;
};

} // namespace

bool WriteDataArchive(const DataArchive& archive, std::vector<std::uint8_t>& bytes, std::string* error)
{
    std::string err;
    std::vector<std::uint8_t> out;
    out.reserve(1 << 16);
    if (!Writer(archive, out, err).write()) {
        if (error)
            *error = err;
        return false;
    }
    bytes = std::move(out);
    return true;
}

bool SaveDataArchive(const DataArchive& archive, const QString& path, std::string* error)
{
    std::vector<std::uint8_t> bytes;
    if (!WriteDataArchive(archive, bytes, error))
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)
        || f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size())
        || !f.commit()) {
        if (error)
            *error = "cannot write " + path.toStdString() + ": " + f.errorString().toStdString();
        return false;
    }
    return true;
}
