// The pupil file (".ele"): a flat dump of tElev, no header, no version.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "elev.h"

#include "fileio.h"

// Byte layout, all integers little-endian; "str" is an int32 length n and n
// Windows-1252 bytes (n <= 0: empty, no bytes):
//
//    1 FuldeNavn  str        8 portrait   153 bytes (below)
//    2 Kaldenavn  str        9 Maal[1..14] 14 x int32
//    3 Foedselsdag str      10 Hobbyer    str (50 bytes)
//    4 DatoOk     u8        11 M          int32, number of leaves
//    5 Koen       str       12 M leaves   (below)
//    6 Elevkode   str       13 BagsideValg int32
//    7 Tom        u8        14 BogTekst[1..18] 18 x str
//
// Portrait, the parts in this order with these fields (no gaps):
//   Ansigt  Type i16, Farve u32, FarveGruppe i16, FarveSlide i16       10
//   Bryn    ..the four.., Vandret ext80, Lodret ext80, Vinkel i32     34
//   Haar    ..the four.., Spejl u8                                    11
//   Oejne   as Bryn                                                   34
//   Mund    ..the four.., Lodret ext80, Zoom i32                      24
//   Naese   Type i16, Lodret ext80, Zoom i32                          16
//   Briller as Mund                                                   24
//
// Leaf: Art u8, Raekke u8, Xpos ext80, FuldeNavn, Bladnavn, ErMin, GiftMed,
// Afkom, Notat (str each), HarFoto u8, then when HarFoto != 0 the photo:
// 240 rows top to bottom of 180 pixels, 3 bytes blue, green, red each.

class ElevFile {
public:
    static bool readPart(DataReader& r, FacePart& p, Del d);
    static bool writePart(DataWriter& w, const FacePart& p, Del d);
    static bool readGren(DataReader& r, tStamGren& g);
    static bool writeGren(DataWriter& w, const tStamGren& g);
    static bool read(DataReader& r, tElev& e);
    static bool write(DataWriter& w, const tElev& e);
};

bool ElevFile::readPart(DataReader& r, FacePart& p, Del d)
{
    if (!r.ReadI16(p.Type))
        return false;
    if (HasFarve(d)) {
        if (!r.ReadU32(p.Farve) || !r.ReadI16(p.FarveGruppe) || !r.ReadI16(p.FarveSlide))
            return false;
    }
    if (HasSpejl(d) && !r.ReadBool(p.Spejl))
        return false;
    if (HasVandret(d) && !r.ReadExt80(p.Vandret))
        return false;
    if (HasLodret(d) && !r.ReadExt80(p.Lodret))
        return false;
    if (HasVinkel(d) && !r.ReadI32(p.Vinkel))
        return false;
    if (HasZoom(d) && !r.ReadI32(p.Zoom))
        return false;
    return true;
}

bool ElevFile::writePart(DataWriter& w, const FacePart& p, Del d)
{
    bool ok = w.WriteI16(p.Type);
    if (HasFarve(d))
        ok = ok && w.WriteU32(p.Farve) && w.WriteI16(p.FarveGruppe) && w.WriteI16(p.FarveSlide);
    if (HasSpejl(d))
        ok = ok && w.WriteBool(p.Spejl);
    if (HasVandret(d))
        ok = ok && w.WriteExt80(p.Vandret);
    if (HasLodret(d))
        ok = ok && w.WriteExt80(p.Lodret);
    if (HasVinkel(d))
        ok = ok && w.WriteI32(p.Vinkel);
    if (HasZoom(d))
        ok = ok && w.WriteI32(p.Zoom);
    return ok;
}

bool ElevFile::readGren(DataReader& r, tStamGren& g)
{
    if (!r.ReadU8(g.Art) || !r.ReadU8(g.Raekke) || !r.ReadExt80(g.Xpos))
        return false;
    for (std::string* s : {&g.FuldeNavn, &g.Bladnavn, &g.ErMin, &g.GiftMed, &g.Afkom, &g.Notat})
        if (!r.ReadString(*s))
            return false;
    if (!r.ReadBool(g.HarFoto))
        return false;
    if (g.HarFoto) {
        if (!r.Expect(kPhotoBytes))
            return false;
        // Filled from the file at once: not zeroed first (a photo is a tenth
        // of a megabyte, and a class holds hundreds).
        g.Foto = std::make_unique_for_overwrite<std::uint8_t[]>(kPhotoBytes);
        if (!r.ReadBytes(g.Foto.get(), kPhotoBytes))
            return false;
    }
    return true;
}

bool ElevFile::writeGren(DataWriter& w, const tStamGren& g)
{
    bool ok = w.WriteU8(g.Art) && w.WriteU8(g.Raekke) && w.WriteExt80(g.Xpos);
    for (const std::string* s : {&g.FuldeNavn, &g.Bladnavn, &g.ErMin, &g.GiftMed, &g.Afkom, &g.Notat})
        ok = ok && w.WriteString(*s);
    const bool foto = g.HarFoto && g.Foto;
    ok = ok && w.WriteBool(foto);
    if (foto)
        ok = ok && w.WriteBytes(g.Foto.get(), kPhotoBytes);
    return ok;
}

bool ElevFile::read(DataReader& r, tElev& e)
{
    if (!r.ReadString(e.fuldeNavn_) || !r.ReadString(e.kaldenavn_) || !r.ReadString(e.foedselsdag_)
        || !r.ReadBool(e.datoOk_) || !r.ReadString(e.koen_) || !r.ReadString(e.elevkode_)
        || !r.ReadBool(e.tom_))
        return false;
    for (int d = 0; d < kDelCount; ++d)
        if (!readPart(r, e.parts_[d], Del(d)))
            return false;
    for (auto& m : e.maal_)
        if (!r.ReadI32(m))
            return false;
    if (!r.ReadString(e.hobbyer_))
        return false;
    std::int32_t m = 0;
    if (!r.ReadI32(m))
        return false;
    // A negative count reads as no leaves, as a counting loop would. Nothing
    // is reserved for the count: every leaf takes at least 37 bytes of the
    // file, so the leaves read (and kept when a later one breaks off) are
    // bounded by the file's size, whatever the count says.
    for (std::int32_t k = 0; k < m; ++k) {
        auto g = std::make_unique<tStamGren>();
        if (!readGren(r, *g))
            return false;
        e.stamtrae_.push_back(std::move(g));
    }
    if (!r.ReadI32(e.bagsideValg_))
        return false;
    for (auto& s : e.bogTekst_)
        if (!r.ReadString(s))
            return false;
    return true;
}

bool ElevFile::write(DataWriter& w, const tElev& e)
{
    bool ok = w.WriteString(e.fuldeNavn_) && w.WriteString(e.kaldenavn_) && w.WriteString(e.foedselsdag_)
        && w.WriteBool(e.datoOk_) && w.WriteString(e.koen_) && w.WriteString(e.elevkode_)
        && w.WriteBool(e.tom_);
    for (int d = 0; d < kDelCount && ok; ++d)
        ok = writePart(w, e.parts_[d], Del(d));
    for (auto m : e.maal_)
        ok = ok && w.WriteI32(m);
    ok = ok && w.WriteString(e.hobbyer_) && w.WriteI32(std::int32_t(e.stamtrae_.size()));
    for (const auto& g : e.stamtrae_)
        ok = ok && writeGren(w, *g);
    ok = ok && w.WriteI32(e.bagsideValg_);
    for (const auto& s : e.bogTekst_)
        ok = ok && w.WriteString(s);
    return ok;
}

std::unique_ptr<tElev> tElev::LoadFromFile(const std::string& path)
{
    auto e = std::make_unique<tElev>();
    e->filNavn_ = path;
    DataReader r;
    bool ok = r.OpenForRead(path) && ElevFile::read(r, *e);
    e->disk_ = r.Stamp();
    r.CloseFile();
    e->laesFejl_ = !ok;
    return e;
}

bool tElev::SaveToFile(const std::string& path)
{
    if (!aendret_)
        return true;
    fejlTekst_.clear();
    afvist_ = false;
    bool ok = true;
    if (laesFejl_) {
        // Only part of the file was read; writing would lose the rest.
        ok = false;
        fejlTekst_ = path + ": not written, as it could not be read completely";
    } else if (konflikt_ && !disk_.path.empty() && disk_.path == path) {
        const FileStamp now = StampOf(path);
        if (!now.SameAs(disk_) && !konflikt_->OverwriteChanged(path, now)) {
            ok = false;
            afvist_ = true;
            fejlTekst_ = path + ": changed elsewhere since it was read; not overwritten";
        }
    }
    if (ok) {
        DataWriter w;
        if (!w.CreateForWrite(path)) {
            ok = false;
            fejlTekst_ = "cannot create " + path + ": " + w.Fejl();
        } else if (!ElevFile::write(w, *this)) {
            ok = false;
            fejlTekst_ = "cannot write " + path + ": " + w.Fejl();
            w.Abandon();
        } else if (!w.CloseFile()) {
            ok = false;
            fejlTekst_ = "cannot write " + path + ": " + w.Fejl();
        } else {
            disk_ = w.Stamp();
        }
    }
    if (ok)
        aendret_ = false;
    gemFejl_ = !ok;
    return ok;
}
