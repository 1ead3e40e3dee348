// Manifest reading and SVG-to-archive compilation.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "archivebuilder.h"

#include "canvas.h"
#include "fillquant.h"
#include "qansi.h"
#include "svgrecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

bool parseColour(const QString& text, QColor& out)
{
    if (!QColor::isValidColorName(text) || !text.startsWith('#') || text.size() != 7)
        return false;
    out = QColor(text);
    return true;
}

bool readManifest(const QString& path, std::vector<ManifestEntry>& out, QStringList& errors, std::set<QString>& seen)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty()) {
        errors << QString("%1: cannot read the manifest").arg(path);
        return false;
    }
    if (!seen.insert(canonical).second) {
        errors << QString("%1: included twice").arg(path);
        return false;
    }
    QFile f(canonical);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        errors << QString("%1: cannot read the manifest").arg(path);
        return false;
    }
    const QDir dir = QFileInfo(canonical).dir();
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    int lineNo = 0;
    bool ok = true;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNo;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QString where = QString("%1/%2:%3").arg(QFileInfo(canonical).dir().dirName(), QFileInfo(canonical).fileName()).arg(lineNo);
        const QStringList words = line.split(QRegularExpression("\\s+"));
        auto bad = [&](const QString& why) {
            errors << QString("%1: %2").arg(where, why);
            ok = false;
        };
        if (words[0] == "include") {
            if (words.size() != 2) {
                bad("include takes one file");
                continue;
            }
            ok = readManifest(dir.filePath(words[1]), out, errors, seen) && ok;
            continue;
        }
        if ((words[0] != "picture" && words[0] != "layout") || words.size() < 3) {
            bad("expected 'picture NAME FILE.svg ...', 'layout NAME FILE.svg ...' or 'include FILE'");
            continue;
        }
        ManifestEntry e;
        e.kind = words[0] == "picture" ? ManifestEntry::Kind::Picture : ManifestEntry::Kind::Layout;
        e.name = words[1];
        e.source = dir.filePath(words[2]);
        e.where = where;
        const auto ansiName = ansi::FromQString(e.name);
        if (!ansiName || ansiName->size() > std::size_t(kMaxNameLength)) {
            bad(QString("the name '%1' must be at most 20 Windows-1252 characters").arg(e.name));
            continue;
        }
        if (!QFileInfo::exists(e.source)) {
            bad(QString("%1 does not exist").arg(words[2]));
            continue;
        }
        for (int i = 3; i < words.size(); ++i) {
            const QString& w = words[i];
            const QString value = w.section('=', 1);
            if (w.startsWith("key=") && e.kind == ManifestEntry::Kind::Picture) {
                if (!parseColour(value, e.key))
                    bad("key wants #RRGGBB");
            } else if (w.startsWith("back=") && e.kind == ManifestEntry::Kind::Layout) {
                if (!parseColour(value, e.back))
                    bad("back wants #RRGGBB");
            } else if (w.startsWith("crop=")) {
                const QStringList n = value.split(',');
                bool okx = n.size() == 4, oky = true, okw = true, okh = true;
                if (okx)
                    e.crop = QRectF(n[0].toDouble(&okx), n[1].toDouble(&oky), n[2].toDouble(&okw), n[3].toDouble(&okh));
                if (!(okx && oky && okw && okh) || e.crop.isEmpty())
                    bad("crop wants x,y,w,h with a positive width and height");
            } else if (w.startsWith("outline=") && e.kind == ManifestEntry::Kind::Picture) {
                const QStringList parts = value.split(',');
                bool okw = parts.size() == 2;
                if (okw)
                    e.outlineWidth = parts[1].toDouble(&okw);
                if (!okw || e.outlineWidth <= 0 || !parseColour(parts[0], e.outline))
                    bad("outline wants #RRGGBB,WIDTH with a positive width");
            } else if (w == "fit" && e.kind == ManifestEntry::Kind::Picture) {
                e.fit = true;
            } else if (w == "mirror") {
                e.mirror = true;
            } else if (w == "split=left") {
                e.split = ManifestEntry::Split::Left;
            } else if (w == "split=right") {
                e.split = ManifestEntry::Split::Right;
            } else {
                bad(QString("unknown option '%1'").arg(w));
            }
        }
        out.push_back(e);
    }
    return ok;
}

std::int32_t clampI16(double v)
{
    return std::int32_t(std::clamp(std::nearbyint(v), -32768.0, 32767.0));
}

// The outside of a box is rounded outwards: a reader that scales the box and
// the points separately, each rounded on its own, must still find every
// point inside the box (a layout's gradient is laid over the box, and a row
// of the shape outside it would take the colour from the far end).
std::int32_t floorI16(double v)
{
    return std::int32_t(std::clamp(std::floor(v), -32768.0, 32767.0));
}

std::int32_t ceilI16(double v)
{
    return std::int32_t(std::clamp(std::ceil(v), -32768.0, 32767.0));
}

// Every shape of a drawing as one region, widened by \a width all round.
QPainterPath widenedSilhouette(const std::vector<RecordedShape>& shapes, double width)
{
    QPainterPath all;
    for (const RecordedShape& s : shapes) {
        QPainterPath p;
        p.addPolygon(s.polygon);
        p.closeSubpath();
        p.setFillRule(Qt::OddEvenFill);
        all = all.united(p);
    }
    QPainterPathStroker stroker;
    stroker.setWidth(2 * width);
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    QPainterPath rim = stroker.createStroke(all);
    rim.setFillRule(Qt::WindingFill);
    return all.united(rim.simplified());
}

class Builder {
public:
    Builder(DataArchive& archive, BuildSummary& summary, QStringList& errors)
        : archive_(archive), summary_(summary), errors_(errors)
    {
        archive_ = DataArchive{};
        archive_.Version = 5;
        archive_.WideFillTable = true;
        archive_.DesignWidth = kLayoutDesignWidth;
        archive_.DesignHeight = kLayoutDesignHeight;
    }

    bool add(const ManifestEntry& e)
    {
        return e.kind == ManifestEntry::Kind::Picture ? addPicture(e) : addLayout(e);
    }

    void finish()
    {
        archive_.Fills = quant_.Table();
        // The key fill shows light grey wherever a picture is drawn plainly.
        archive_.Fills[kKeyFill - 1] = FillEntry{172, 172, 0};
        summary_.fillsUsed = quant_.Used();
        summary_.meanColourError = errorCount_ ? errorSum_ / errorCount_ : 0;
    }

private:
    void noteError(double e, const QString& where)
    {
        errorSum_ += e;
        ++errorCount_;
        if (e > summary_.worstColourError) {
            summary_.worstColourError = e;
            summary_.worstWhere = where;
        }
    }

    // The plain colour or mix closest to \a c; 0 (and an error) when the
    // fill table has no room left.
    int solidFill(const QColor& c, const QString& where)
    {
        const FillChoice choice = quant_.Choose(c);
        noteError(choice.error, where);
        const int n = quant_.FillNumber(choice.entry);
        if (n == 0)
            errors_ << QString("%1: the fill table is full").arg(where);
        return n;
    }

    static IntRect boundsOf(const std::vector<PointF>& points)
    {
        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
        for (const PointF& p : points) {
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y);
            y1 = std::max(y1, p.y);
        }
        return {floorI16(x0), floorI16(y0), ceilI16(x1), ceilI16(y1)};
    }

    bool record(const ManifestEntry& e, RecordOptions& opt, RecordedDrawing& d, int pointBudget)
    {
        opt.crop = e.crop;
        // Halve the detail until the drawing fits the renderer's work list.
        for (int attempt = 0; attempt < 8; ++attempt) {
            QString error;
            if (!RecordSvg(e.source, opt, d, &error)) {
                errors_ << QString("%1: %2").arg(e.where, error);
                return false;
            }
            qsizetype points = 0;
            for (const auto& s : d.shapes)
                points += s.polygon.size();
            if (points <= pointBudget)
                return true;
            opt.tolerance *= 2;
        }
        errors_ << QString("%1: too detailed even when simplified").arg(e.where);
        return false;
    }

    bool addPicture(const ManifestEntry& e)
    {
        RecordOptions opt;
        opt.longSide = 1000;
        opt.tolerance = 0.8;
        RecordedDrawing d;
        if (!record(e, opt, d, 12000))
            return false;
        double left = 0, right = d.frame.width();
        if (e.split != ManifestEntry::Split::None) {
            const double mid = d.frame.width() / 2;
            std::erase_if(d.shapes, [&](const RecordedShape& s) {
                const double cx = s.polygon.boundingRect().center().x();
                return e.split == ManifestEntry::Split::Left ? cx >= mid : cx < mid;
            });
            if (e.split == ManifestEntry::Split::Left)
                right = mid;
            else
                left = mid;
        }
        if (e.outline.isValid() && !d.shapes.empty()) {
            // One rim round the whole drawing, under it, so every picture of
            // a set can wear the same outline whatever it is made of.
            const double scale = d.frame.width() / std::max(1e-9, d.view.width());
            QPainterPath rim = widenedSilhouette(d.shapes, e.outlineWidth * scale);
            if (!e.fit) {
                QPainterPath frame;
                frame.addRect(QRectF(QPointF(0, 0), d.frame));
                rim = rim.intersected(frame);
            }
            std::vector<RecordedShape> under;
            for (QPolygonF& poly : SimplifiedFillPolygons(rim, opt.tolerance)) {
                if (poly.size() < 3)
                    continue;
                RecordedShape r;
                r.polygon = std::move(poly);
                r.colour = r.sourceColour = e.outline;
                under.push_back(std::move(r));
            }
            d.shapes.insert(d.shapes.begin(), under.begin(), under.end());
        }
        Picture pic;
        pic.Kind = 1;
        pic.Name = *ansi::FromQString(e.name);
        pic.Vector.Bounds = {0, 0, clampI16(right - left), clampI16(d.frame.height())};
        pic.Vector.Reference = {(right - left) / 2, d.frame.height() / 2};
        if (e.fit && !d.shapes.empty()) {
            // The drawing's own square, centred on it with a small margin,
            // becomes the picture's frame: every picture of a set then fills
            // its cell alike, however its source was laid out.
            QRectF box;
            for (const RecordedShape& s : d.shapes)
                box = box.united(s.polygon.boundingRect());
            if (e.mirror)
                box = QRectF(QPointF(right - box.right(), box.top()), box.size());
            else
                box.translate(-left, 0);
            const double side = std::max(box.width(), box.height()) * 1.06;
            const QPointF c = box.center();
            pic.Vector.Bounds = {floorI16(c.x() - side / 2), floorI16(c.y() - side / 2), ceilI16(c.x() + side / 2),
                                 ceilI16(c.y() + side / 2)};
            pic.Vector.Reference = {c.x(), c.y()};
        }
        for (const RecordedShape& s : d.shapes) {
            PictureElement el;
            el.Kind = kKindPolygon;
            el.Filled = true;
            el.PenWidth = 0;   // no outline: the fill is the whole shape
            const bool keyed = e.key.isValid() && s.sourceColour.rgb() == e.key.rgb();
            el.Fill = std::uint16_t(keyed ? kKeyFill : solidFill(s.colour, e.where));
            if (el.Fill == 0)
                return false;
            el.Colour = FromQRgb(s.colour.rgb());
            for (QPointF p : s.polygon) {
                const double x = e.mirror ? right - p.x() : p.x() - left;
                el.Points.push_back({x, p.y()});
            }
            el.Bounds = boundsOf(el.Points);
            pic.Vector.Elements.push_back(std::move(el));
        }
        summary_.elements += int(pic.Vector.Elements.size());
        ++summary_.pictures;
        archive_.Pictures.push_back(std::move(pic));
        return true;
    }

    bool addLayout(const ManifestEntry& e)
    {
        RecordOptions opt;
        opt.size = QSizeF(kLayoutDesignWidth, kLayoutDesignHeight);
        opt.tolerance = 0.35;
        opt.background = e.back.isValid() ? e.back : QColor(Qt::white);
        RecordedDrawing d;
        if (!record(e, opt, d, 60000))
            return false;
        Layout lay;
        lay.Name = *ansi::FromQString(e.name);
        lay.BackColour = FromQRgb(opt.background.rgb());
        for (const RecordedShape& s : d.shapes) {
            LayoutElement el;
            el.Kind = kKindPolygon;
            el.Filled = true;
            el.PenWidth = 0;
            el.Colour = FromQRgb(s.colour.rgb());
            if (s.gradient.direction != RecordedGradient::Direction::None) {
                const bool vertical = s.gradient.direction == RecordedGradient::Direction::Vertical;
                const std::uint8_t code = s.gradient.mirrored ? (vertical ? 47 : 48) : (vertical ? 45 : 46);
                const FillEntry g{std::uint8_t(quant_.NearestCube(s.gradient.first)),
                                  std::uint8_t(quant_.NearestCube(s.gradient.second)), code};
                el.Fill = std::uint16_t(quant_.FillNumber(g));
                if (el.Fill == 0) {
                    errors_ << QString("%1: the fill table is full").arg(e.where);
                    return false;
                }
            } else {
                el.Fill = std::uint16_t(solidFill(s.colour, e.where));
                if (el.Fill == 0)
                    return false;
            }
            for (QPointF p : s.polygon)
                el.Points.push_back({p.x(), p.y()});
            el.Bounds = boundsOf(el.Points);
            lay.Elements.push_back(std::move(el));
        }
        for (const RecordedText& t : d.texts) {
            const auto text = ansi::FromQString(t.text);
            const auto family = ansi::FromQString(t.font.family());
            if (!text || !family || family->size() > 255 || text->size() > 65535 || text->find('\0') != std::string::npos) {
                errors_ << QString("%1: the text '%2' cannot be stored").arg(e.where, t.text);
                return false;
            }
            LayoutElement el;
            el.Kind = kKindText;
            el.Colour = FromQRgb(t.colour.rgb());
            el.PenWidth = std::int16_t(std::lround(t.font.pixelSize() * 72.0 / 96.0));
            el.FontName = *family;
            el.FontStyle = std::uint8_t((t.font.bold() ? 1 : 0) | (t.font.italic() ? 2 : 0)
                                        | (t.font.underline() ? 4 : 0) | (t.font.strikeOut() ? 8 : 0));
            el.Text = *text;
            // The page writes the text with its top left at (left + 2, top + 2).
            const QFontMetricsF fm(t.font);
            const double top = t.baseline.y() - fm.ascent();
            el.Bounds = {clampI16(t.baseline.x() - 2), clampI16(top - 2), clampI16(t.baseline.x() + fm.horizontalAdvance(t.text)),
                         clampI16(t.baseline.y() + fm.descent())};
            lay.Elements.push_back(std::move(el));
        }
        summary_.elements += int(lay.Elements.size());
        ++summary_.layouts;
        archive_.Layouts.push_back(std::move(lay));
        return true;
    }

    DataArchive& archive_;
    BuildSummary& summary_;
    QStringList& errors_;
    FillQuantizer quant_;
    double errorSum_ = 0;
    int errorCount_ = 0;
};

} // namespace

bool ReadManifest(const QString& path, std::vector<ManifestEntry>& out, QStringList& errors)
{
    std::set<QString> seen;
    return readManifest(path, out, errors, seen);
}

bool BuildArchive(const std::vector<ManifestEntry>& entries, DataArchive& out, BuildSummary& summary,
                  QStringList& errors)
{
    summary = BuildSummary{};
    Builder b(out, summary, errors);
    bool ok = true;
    std::set<QString> names;
    for (const ManifestEntry& e : entries) {
        const QString key = (e.kind == ManifestEntry::Kind::Picture ? "p:" : "l:") + e.name;
        if (!names.insert(key).second) {
            errors << QString("%1: '%2' is listed twice").arg(e.where, e.name);
            ok = false;
            continue;
        }
        ok = b.add(e) && ok;
    }
    b.finish();
    return ok;
}
