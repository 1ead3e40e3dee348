// Pupil and class records as JSON. Texts are UTF-8 converted from the stored
// Windows-1252 bytes; each 80-bit value also appears as its 10 stored bytes
// (key + "Ext80", 20 hex digits in file order), so an import is exact.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "elevjson.h"

#include "ansi.h"
#include "fileio.h"

#include <QByteArray>
#include <QJsonArray>

#include <cmath>
#include <cstring>

namespace {

const char* const kDelNames[kDelCount] = {"Ansigt", "Bryn", "Haar", "Oejne", "Mund", "Naese", "Briller"};

QString text(const std::string& ansiBytes) { return QString::fromStdString(ansi::ToUtf8(ansiBytes)); }

QString hex(const ext80& v)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(v.bytes().data()), 10).toHex());
}

void putExt(QJsonObject& o, const char* key, const ext80& v)
{
    const double d = v.value();
    o[key] = std::isfinite(d) ? QJsonValue(d) : QJsonValue(QJsonValue::Null);
    o[QString(key) + "Ext80"] = hex(v);
}

// Reading: every getter notes the first problem in `error` and returns a
// neutral value, so a whole object can be read before the error is checked.
class Reader {
public:
    explicit Reader(QString& error) : error_(error) {}

    bool failed() const { return !error_.isEmpty(); }
    void fail(const QString& what)
    {
        if (error_.isEmpty())
            error_ = what;
    }

    QJsonValue get(const QJsonObject& o, const char* key, const QString& where)
    {
        if (!o.contains(key)) {
            fail(QString("%1: missing \"%2\"").arg(where, key));
            return {};
        }
        return o.value(key);
    }

    qint64 integer(const QJsonObject& o, const char* key, const QString& where, qint64 lo, qint64 hi)
    {
        const QJsonValue v = get(o, key, where);
        if (failed())
            return 0;
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || d != std::floor(d) || d < double(lo) || d > double(hi)) {
            fail(QString("%1: \"%2\" must be a whole number from %3 to %4").arg(where, key).arg(lo).arg(hi));
            return 0;
        }
        return qint64(d);
    }

    bool boolean(const QJsonObject& o, const char* key, const QString& where)
    {
        const QJsonValue v = get(o, key, where);
        if (!failed() && !v.isBool())
            fail(QString("%1: \"%2\" must be true or false").arg(where, key));
        return v.toBool();
    }

    std::string ansiText(const QJsonValue& v, const QString& where)
    {
        if (!v.isString()) {
            fail(QString("%1 must be a text").arg(where));
            return {};
        }
        auto a = ansi::FromUtf8(v.toString().toStdString());
        if (!a) {
            fail(QString("%1 holds a character that the files cannot store").arg(where));
            return {};
        }
        if (a->size() > kMaxCountedString) {
            fail(QString("%1 is longer than 65535 bytes").arg(where));
            return {};
        }
        return *a;
    }

    std::string string(const QJsonObject& o, const char* key, const QString& where)
    {
        const QJsonValue v = get(o, key, where);
        return failed() ? std::string() : ansiText(v, QString("%1: \"%2\"").arg(where, key));
    }

    ext80 extended(const QJsonObject& o, const char* key, const QString& where)
    {
        const QString hexKey = QString(key) + "Ext80";
        if (o.contains(hexKey)) {
            const QString h = o.value(hexKey).toString();
            const QByteArray b = QByteArray::fromHex(h.toLatin1());
            if (h.size() != 20 || b.size() != 10 || b.toHex() != h.toLatin1().toLower()) {
                fail(QString("%1: \"%2\" must be 20 hex digits").arg(where, hexKey));
                return {};
            }
            return ext80::FromBytes(reinterpret_cast<const std::uint8_t*>(b.constData()));
        }
        const QJsonValue v = get(o, key, where);
        if (!failed() && !v.isDouble())
            fail(QString("%1: \"%2\" must be a number").arg(where, key));
        return ext80(v.toDouble());
    }

    QJsonObject object(const QJsonObject& o, const char* key, const QString& where)
    {
        const QJsonValue v = get(o, key, where);
        if (!failed() && !v.isObject())
            fail(QString("%1: \"%2\" must be an object").arg(where, key));
        return v.toObject();
    }

    QJsonArray array(const QJsonObject& o, const char* key, const QString& where, int size = -1)
    {
        const QJsonValue v = get(o, key, where);
        if (failed())
            return {};
        if (!v.isArray() || (size >= 0 && v.toArray().size() != size)) {
            fail(size >= 0 ? QString("%1: \"%2\" must be an array of %3").arg(where, key).arg(size)
                           : QString("%1: \"%2\" must be an array").arg(where, key));
            return {};
        }
        return v.toArray();
    }

private:
    QString& error_;
};

} // namespace

bool ElevJson::StrictBase64(const QString& text, std::size_t bytes, QByteArray& out)
{
    // Exactly the characters the encoding of that many bytes has: the
    // alphabet, and "=" only as the padding at the end. Anything else, a
    // blank or a line break included, is a damaged photo, not one to guess.
    const qsizetype want = qsizetype((bytes + 2) / 3 * 4);
    const qsizetype pad = qsizetype((3 - bytes % 3) % 3);
    if (text.size() != want)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool alphabet = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+'
            || c == '/';
        if (!alphabet && !(c == '=' && i >= want - pad))
            return false;
    }
    auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != qsizetype(bytes))
        return false;
    out = std::move(decoded.decoded);
    return true;
}

QJsonObject ElevJson::FromElev(const tElev& e)
{
    QJsonObject o;
    o["FuldeNavn"] = text(e.fuldeNavn_);
    o["Kaldenavn"] = text(e.kaldenavn_);
    o["Foedselsdag"] = text(e.foedselsdag_);
    o["DatoOk"] = e.datoOk_;
    o["Koen"] = text(e.koen_);
    o["Elevkode"] = text(e.elevkode_);
    o["Tom"] = e.tom_;
    for (int d = 0; d < kDelCount; ++d) {
        const Del del = Del(d);
        const FacePart& p = e.parts_[d];
        QJsonObject part;
        part["Type"] = p.Type;
        if (HasFarve(del)) {
            part["Farve"] = qint64(p.Farve);
            part["FarveGruppe"] = p.FarveGruppe;
            part["FarveSlide"] = p.FarveSlide;
        }
        if (HasSpejl(del))
            part["Spejl"] = p.Spejl;
        if (HasVandret(del))
            putExt(part, "Vandret", p.Vandret);
        if (HasLodret(del))
            putExt(part, "Lodret", p.Lodret);
        if (HasVinkel(del))
            part["Vinkel"] = p.Vinkel;
        if (HasZoom(del))
            part["Zoom"] = p.Zoom;
        o[kDelNames[d]] = part;
    }
    QJsonArray maal;
    for (auto m : e.maal_)
        maal.append(m);
    o["Maal"] = maal;
    o["Hobbyer"] = text(e.hobbyer_);
    o["BagsideValg"] = e.bagsideValg_;
    QJsonArray bog;
    for (const auto& s : e.bogTekst_)
        bog.append(text(s));
    o["BogTekst"] = bog;
    QJsonArray stam;
    for (const auto& g : e.stamtrae_) {
        QJsonObject leaf;
        leaf["Art"] = g->Art;
        leaf["Raekke"] = g->Raekke;
        putExt(leaf, "Xpos", g->Xpos);
        leaf["FuldeNavn"] = text(g->FuldeNavn);
        leaf["Bladnavn"] = text(g->Bladnavn);
        leaf["ErMin"] = text(g->ErMin);
        leaf["GiftMed"] = text(g->GiftMed);
        leaf["Afkom"] = text(g->Afkom);
        leaf["Notat"] = text(g->Notat);
        const bool foto = g->HarFoto && g->Foto;
        leaf["HarFoto"] = foto;
        leaf["Foto"] = foto ? QJsonValue(QString::fromLatin1(
                                  QByteArray(reinterpret_cast<const char*>(g->Foto.get()), kPhotoBytes).toBase64()))
                            : QJsonValue(QJsonValue::Null);
        stam.append(leaf);
    }
    o["Stamtrae"] = stam;
    o["LaesFejl"] = e.laesFejl_;
    return o;
}

QJsonObject ElevJson::FromKlasse(const tKlasse& k)
{
    QJsonObject o;
    o["Skole"] = text(k.Skole());
    o["Klasse"] = text(k.Klasse());
    o["Laerer"] = text(k.Laerer());
    o["Kode"] = text(k.Kode());
    o["Hobbyer"] = text(k.Hobbyer());
    o["LaesFejl"] = k.LaesFejl();
    QJsonArray elever;
    for (int i = 0; i < k.ElevCount(); ++i) {
        QJsonObject e = FromElev(*k.GetElev(i));
        e["FilNavn"] = QString::fromStdString(k.ElevFilNavn(i));
        elever.append(e);
    }
    o["Elever"] = elever;
    return o;
}

std::unique_ptr<tElev> ElevJson::ToElev(const QJsonObject& o, QString& error)
{
    Reader r(error);
    const QString at = "pupil";
    auto e = std::make_unique<tElev>();
    e->fuldeNavn_ = r.string(o, "FuldeNavn", at);
    e->kaldenavn_ = r.string(o, "Kaldenavn", at);
    e->foedselsdag_ = r.string(o, "Foedselsdag", at);
    e->datoOk_ = r.boolean(o, "DatoOk", at);
    e->koen_ = r.string(o, "Koen", at);
    e->elevkode_ = r.string(o, "Elevkode", at);
    e->tom_ = r.boolean(o, "Tom", at);
    for (int d = 0; d < kDelCount; ++d) {
        const Del del = Del(d);
        const QString where = at + "." + kDelNames[d];
        const QJsonObject po = r.object(o, kDelNames[d], at);
        FacePart& p = e->parts_[d];
        p.Type = std::int16_t(r.integer(po, "Type", where, -32768, 32767));
        if (HasFarve(del)) {
            p.Farve = Colour(r.integer(po, "Farve", where, 0, 0xFFFFFFFFLL));
            p.FarveGruppe = std::int16_t(r.integer(po, "FarveGruppe", where, -32768, 32767));
            p.FarveSlide = std::int16_t(r.integer(po, "FarveSlide", where, -32768, 32767));
        }
        if (HasSpejl(del))
            p.Spejl = r.boolean(po, "Spejl", where);
        if (HasVandret(del))
            p.Vandret = r.extended(po, "Vandret", where);
        if (HasLodret(del))
            p.Lodret = r.extended(po, "Lodret", where);
        if (HasVinkel(del))
            p.Vinkel = std::int32_t(r.integer(po, "Vinkel", where, INT32_MIN, INT32_MAX));
        if (HasZoom(del))
            p.Zoom = std::int32_t(r.integer(po, "Zoom", where, INT32_MIN, INT32_MAX));
    }
    const QJsonArray maal = r.array(o, "Maal", at, tElev::kMaalCount);
    for (int i = 0; i < maal.size() && !r.failed(); ++i) {
        QJsonObject wrap{{"v", maal[i]}};
        e->maal_[i] = std::int32_t(r.integer(wrap, "v", QString("pupil.Maal[%1]").arg(i), INT32_MIN, INT32_MAX));
    }
    e->hobbyer_ = r.string(o, "Hobbyer", at);
    e->bagsideValg_ = std::int32_t(r.integer(o, "BagsideValg", at, INT32_MIN, INT32_MAX));
    const QJsonArray bog = r.array(o, "BogTekst", at, tElev::kBogTekstCount);
    for (int i = 0; i < bog.size() && !r.failed(); ++i)
        e->bogTekst_[i] = r.ansiText(bog[i], QString("pupil.BogTekst[%1]").arg(i));
    const QJsonArray stam = r.array(o, "Stamtrae", at);
    for (int i = 0; i < stam.size() && !r.failed(); ++i) {
        const QString where = QString("pupil.Stamtrae[%1]").arg(i);
        if (!stam[i].isObject()) {
            r.fail(where + " must be an object");
            break;
        }
        const QJsonObject lo = stam[i].toObject();
        auto g = std::make_unique<tStamGren>();
        g->Art = std::uint8_t(r.integer(lo, "Art", where, 0, 255));
        g->Raekke = std::uint8_t(r.integer(lo, "Raekke", where, 0, 255));
        g->Xpos = r.extended(lo, "Xpos", where);
        g->FuldeNavn = r.string(lo, "FuldeNavn", where);
        g->Bladnavn = r.string(lo, "Bladnavn", where);
        g->ErMin = r.string(lo, "ErMin", where);
        g->GiftMed = r.string(lo, "GiftMed", where);
        g->Afkom = r.string(lo, "Afkom", where);
        g->Notat = r.string(lo, "Notat", where);
        g->HarFoto = r.boolean(lo, "HarFoto", where);
        if (g->HarFoto && !r.failed()) {
            const QJsonValue f = lo.value("Foto");
            QByteArray raw;
            if (!f.isString() || !StrictBase64(f.toString(), kPhotoBytes, raw)) {
                r.fail(where + ": \"Foto\" must be base64 of 129600 bytes");
                break;
            }
            g->Foto = std::make_unique<std::uint8_t[]>(kPhotoBytes);
            std::memcpy(g->Foto.get(), raw.constData(), kPhotoBytes);
        }
        e->stamtrae_.push_back(std::move(g));
    }
    if (r.failed())
        return nullptr;
    e->aendret_ = true;
    return e;
}

std::unique_ptr<tKlasse> ElevJson::ToKlasse(const QJsonObject& o, QString& error)
{
    Reader r(error);
    const QString at = "class";
    auto k = std::make_unique<tKlasse>();
    (void)k->SetSkole(r.string(o, "Skole", at));
    (void)k->SetKlasse(r.string(o, "Klasse", at));
    (void)k->SetLaerer(r.string(o, "Laerer", at));
    (void)k->SetKode(r.string(o, "Kode", at));
    k->SetHobbyer(r.string(o, "Hobbyer", at));
    const QJsonArray elever = r.array(o, "Elever", at);
    std::vector<std::unique_ptr<tElev>> pupils;
    for (int i = 0; i < elever.size() && !r.failed(); ++i) {
        if (!elever[i].isObject()) {
            r.fail(QString("class.Elever[%1] must be an object").arg(i));
            break;
        }
        auto e = ToElev(elever[i].toObject(), error);
        if (!e) {
            error = QString("class.Elever[%1]: %2").arg(i).arg(error);
            return nullptr;
        }
        pupils.push_back(std::move(e));
    }
    if (r.failed())
        return nullptr;
    for (std::size_t i = 0; i < pupils.size(); ++i)
        k->AdoptElev(std::move(pupils[i]));
    return k;
}
