// tElev: the pupil record and its setter rules.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "elev.h"

#include "datefmt.h"
#include "fileio.h"
#include "tolerant.h"

#include <algorithm>
#include <cmath>
#include <cstring>

bool HasFarve(Del d) { return d != Del::Naese; }
bool HasSpejl(Del d) { return d == Del::Haar; }
bool HasVandret(Del d) { return d == Del::Bryn || d == Del::Oejne; }
bool HasLodret(Del d) { return d != Del::Ansigt && d != Del::Haar; }
bool HasVinkel(Del d) { return d == Del::Bryn || d == Del::Oejne; }
bool HasZoom(Del d) { return d == Del::Mund || d == Del::Naese || d == Del::Briller; }

namespace {

const std::string kEmpty;

bool fits(std::string_view s) { return s.size() <= kMaxCountedString; }

// The default setter rule for strings: store and flag only on a real change.
bool setText(std::string& field, std::string_view s, bool& aendret)
{
    if (!fits(s))
        return false;
    if (field != s) {
        field = std::string(s);
        aendret = true;
    }
    return true;
}

template <class T, class V>
void setValue(T& field, V v, bool& aendret)
{
    if (field != v) {
        field = v;
        aendret = true;
    }
}

// 16-bit fields compare widened and store their low 16 bits.
void setI16(std::int16_t& field, std::int32_t v, bool& aendret)
{
    if (std::int32_t(field) != v) {
        field = std::int16_t(std::uint16_t(std::uint32_t(v)));
        aendret = true;
    }
}

void setExt(ext80& field, double v, bool& aendret)
{
    // Compare as floats; an unchanged value keeps its exact stored bytes.
    if (field.value() != v) {
        field = ext80(v);
        aendret = true;
    }
}

} // namespace

void tElev::Reset()
{
    aendret_ = markeret_ = laesFejl_ = gemFejl_ = false;
    tom_ = datoOk_ = true;
    filNavn_.clear();
    fuldeNavn_.clear();
    kaldenavn_.clear();
    foedselsdag_ = "01-01-2000";
    koen_ = "dreng";
    elevkode_.clear();
    parts_.fill(FacePart{});
    maal_.fill(0);
    hobbyer_.assign(kHobbyCount, ' ');
    bagsideValg_ = 1;
    for (auto& s : bogTekst_)
        s.clear();
    stamtrae_.clear();
    fejlTekst_.clear();
}

std::unique_ptr<tElev> tElev::Clone() const
{
    auto c = std::make_unique<tElev>();
    c->aendret_ = aendret_;
    c->tom_ = tom_;
    c->markeret_ = markeret_;
    c->laesFejl_ = laesFejl_;
    c->gemFejl_ = gemFejl_;
    c->filNavn_ = filNavn_;
    c->fuldeNavn_ = fuldeNavn_;
    c->kaldenavn_ = kaldenavn_;
    c->foedselsdag_ = foedselsdag_;
    c->datoOk_ = datoOk_;
    c->koen_ = koen_;
    c->elevkode_ = elevkode_;
    c->parts_ = parts_;
    c->maal_ = maal_;
    c->hobbyer_ = hobbyer_;
    c->bagsideValg_ = bagsideValg_;
    c->bogTekst_ = bogTekst_;
    c->stamtrae_.reserve(stamtrae_.size());
    for (const auto& g : stamtrae_) {
        auto k = std::make_unique<tStamGren>();
        k->Art = g->Art;
        k->Raekke = g->Raekke;
        k->Xpos = g->Xpos;
        k->FuldeNavn = g->FuldeNavn;
        k->Bladnavn = g->Bladnavn;
        k->ErMin = g->ErMin;
        k->GiftMed = g->GiftMed;
        k->Afkom = g->Afkom;
        k->Notat = g->Notat;
        k->HarFoto = g->HarFoto;
        if (g->HarFoto && g->Foto) {
            k->Foto = std::make_unique<std::uint8_t[]>(kPhotoBytes);
            std::memcpy(k->Foto.get(), g->Foto.get(), kPhotoBytes);
        }
        k->Valgt = g->Valgt;
        k->Rect = g->Rect;
        c->stamtrae_.push_back(std::move(k));
    }
    c->fejlTekst_ = fejlTekst_;
    c->afvist_ = afvist_;
    c->disk_ = disk_;
    return c;
}

// ---- identity ----

bool tElev::SetFuldeNavn(std::string_view s)
{
    if (!fits(s))
        return false;
    if (fuldeNavn_ != s) {
        aendret_ = true;
        fuldeNavn_ = std::string(s);
        tom_ = fuldeNavn_.empty() && kaldenavn_.empty();
    }
    return true;
}

bool tElev::SetKaldenavn(std::string_view s)
{
    if (!fits(s))
        return false;
    if (kaldenavn_ != s) {
        aendret_ = true;
        kaldenavn_ = std::string(s);
        tom_ = fuldeNavn_.empty() && kaldenavn_.empty();
    }
    return true;
}

bool tElev::SetFoedselsdag(std::string_view s)
{
    if (!fits(s))
        return false;
    if (foedselsdag_ == s)
        return true;
    aendret_ = true;
    // The files hold "dd-MM-yyyy" whatever the machine's locale says, so a
    // class folder reads the same on every machine.
    std::string text(s);
    for (char& c : text)
        if (c == '/' || c == '.')
            c = '-';
    if (auto d = ParseFoedselsdag(text)) {
        foedselsdag_ = FormatFoedselsdag(*d);
        datoOk_ = true;
    } else {
        foedselsdag_ = std::move(text);
        datoOk_ = false;
    }
    return true;
}

void tElev::SetKoen(std::string_view s)
{
    if (koen_ == s)
        return;
    if (!s.empty() && (s[0] == 'D' || s[0] == 'd'))
        koen_ = "dreng";
    else if (!s.empty() && (s[0] == 'P' || s[0] == 'p'))
        koen_ = "pige";
    else
        koen_.clear();
    aendret_ = true;
}

bool tElev::SetElevkode(std::string_view s) { return setText(elevkode_, s, aendret_); }

int tElev::BirthMonth() const
{
    if (!datoOk_)
        return -1;
    const auto d = ParseFoedselsdag(foedselsdag_);
    return d ? d->month : -1;
}

// ---- portrait ----

void tElev::SetType(Del d, std::int32_t v) { setI16(part(d).Type, v, aendret_); }
void tElev::SetFarve(Del d, Colour c) { setValue(part(d).Farve, c, aendret_); }
void tElev::SetFarveGruppe(Del d, std::int32_t v) { setI16(part(d).FarveGruppe, v, aendret_); }
void tElev::SetFarveSlide(Del d, std::int32_t v) { setI16(part(d).FarveSlide, v, aendret_); }
void tElev::SetSpejl(Del d, bool b) { setValue(part(d).Spejl, b, aendret_); }
void tElev::SetVandret(Del d, double v) { setExt(part(d).Vandret, v, aendret_); }
void tElev::SetLodret(Del d, double v) { setExt(part(d).Lodret, v, aendret_); }
void tElev::SetVinkel(Del d, std::int32_t v) { setValue(part(d).Vinkel, v, aendret_); }
void tElev::SetZoom(Del d, std::int32_t v) { setValue(part(d).Zoom, v, aendret_); }

// ---- measurements ----

bool tElev::SetMaalText(int i, std::string_view text, std::string* error)
{
    if (i < 1 || i > kMaalCount)
        return true;
    const TolerantInt r = TolerantStrToInt(text);
    if (!r.ok) {
        if (error)
            *error = r.message();
        return false;
    }
    setValue(maal_[i - 1], r.value, aendret_);
    return true;
}

std::string tElev::MaalText(int i) const
{
    const std::int32_t v = Maal(i);
    return v == 0 ? std::string() : std::to_string(v);
}

std::int32_t tElev::Maal(int i) const
{
    return (i >= 1 && i <= kMaalCount) ? maal_[i - 1] : 0;
}

void tElev::SetMaal(int i, std::int32_t v)
{
    if (i >= 1 && i <= kMaalCount)
        setValue(maal_[i - 1], v, aendret_);
}

// ---- hobbies ----

bool tElev::SetHobbyer(std::string_view s)
{
    if (!fits(s))
        return false;
    hobbyer_ = std::string(s);
    return true;
}

bool tElev::HobbyValgt(int n) const
{
    return n >= 1 && n <= kHobbyCount && std::size_t(n) <= hobbyer_.size() && hobbyer_[n - 1] == 'v';
}

void tElev::SetHobby(int n, bool chosen)
{
    if (n < 1 || n > kHobbyCount)
        return;
    // A string read from a short file may lack positions; pad with blanks.
    if (hobbyer_.size() < std::size_t(n))
        hobbyer_.resize(n, ' ');
    hobbyer_[n - 1] = chosen ? 'v' : 'x';
    aendret_ = true;
}

void tElev::ToggleHobby(int n)
{
    if (n >= 1 && n <= kHobbyCount)
        SetHobby(n, !HobbyValgt(n));
}

// ---- book ----

void tElev::SetBagsideValg(std::int32_t v) { setValue(bagsideValg_, v, aendret_); }

const std::string& tElev::BogTekst(int i) const
{
    return (i >= 1 && i <= kBogTekstCount) ? bogTekst_[i - 1] : kEmpty;
}

bool tElev::SetBogTekst(int i, std::string_view s)
{
    if (i < 1 || i > kBogTekstCount)
        return true;
    return setText(bogTekst_[i - 1], s, aendret_);
}

// ---- family tree ----

tStamGren* tElev::gren(int i)
{
    return (i >= 0 && i < GrenCount()) ? stamtrae_[i].get() : nullptr;
}

const tStamGren* tElev::Gren(int i) const
{
    return (i >= 0 && i < GrenCount()) ? stamtrae_[i].get() : nullptr;
}

int tElev::AddGren(std::uint8_t art)
{
    auto g = std::make_unique<tStamGren>();
    g->Art = art;
    g->Raekke = art == 0 ? 4 : 0;
    stamtrae_.push_back(std::move(g));
    aendret_ = true;
    return GrenCount() - 1;
}

int tElev::AddShownGren(std::uint8_t art, std::string_view fuldeNavn, std::string_view bladnavn,
                        std::string_view erMin)
{
    const bool was = aendret_;
    const int i = AddGren(art);
    (void)SetGrenTekst(i, GrenTekst::FuldeNavn, fuldeNavn);
    (void)SetGrenTekst(i, GrenTekst::Bladnavn, bladnavn);
    (void)SetGrenTekst(i, GrenTekst::ErMin, erMin);
    aendret_ = was;
    return i;
}

void tElev::DeleteGren(int i)
{
    if (!gren(i))
        return;
    stamtrae_.erase(stamtrae_.begin() + i);
    aendret_ = true;
}

int tElev::FindGren(std::uint8_t art) const
{
    for (int i = 0; i < GrenCount(); ++i)
        if (stamtrae_[i]->Art == art)
            return i;
    return -1;
}

std::uint8_t tElev::GrenArt(int i) const
{
    const auto* g = Gren(i);
    return g ? g->Art : 0;
}

void tElev::SetGrenArt(int i, std::uint8_t v)
{
    if (auto* g = gren(i))
        setValue(g->Art, v, aendret_);
}

int tElev::GrenRaekke(int i) const
{
    const auto* g = Gren(i);
    return g ? g->Raekke : -1;
}

void tElev::SetGrenRaekke(int i, std::uint8_t v)
{
    if (auto* g = gren(i))
        setValue(g->Raekke, v, aendret_);
}

double tElev::GrenXpos(int i) const
{
    const auto* g = Gren(i);
    return g ? g->Xpos.value() : 0.0;
}

void tElev::SetGrenXpos(int i, double v)
{
    if (auto* g = gren(i))
        setExt(g->Xpos, v, aendret_);
}

namespace {

std::string& grenField(tStamGren& g, GrenTekst which)
{
    switch (which) {
    case GrenTekst::FuldeNavn: return g.FuldeNavn;
    case GrenTekst::Bladnavn: return g.Bladnavn;
    case GrenTekst::ErMin: return g.ErMin;
    case GrenTekst::GiftMed: return g.GiftMed;
    case GrenTekst::Afkom: return g.Afkom;
    case GrenTekst::Notat: break;
    }
    return g.Notat;
}

} // namespace

const std::string& tElev::GrenTekstOf(int i, GrenTekst which) const
{
    const auto* g = Gren(i);
    return g ? grenField(const_cast<tStamGren&>(*g), which) : kEmpty;
}

bool tElev::SetGrenTekst(int i, GrenTekst which, std::string_view s)
{
    auto* g = gren(i);
    if (!g)
        return true;
    return setText(grenField(*g, which), s, aendret_);
}

bool tElev::GrenValgt(int i) const
{
    const auto* g = Gren(i);
    return g && g->Valgt;
}

void tElev::SetGrenValgt(int i, bool b)
{
    if (auto* g = gren(i))
        g->Valgt = b;
}

IntRect tElev::GrenRect(int i) const
{
    const auto* g = Gren(i);
    return g ? g->Rect : IntRect{};
}

void tElev::SetGrenRect(int i, const IntRect& r)
{
    if (auto* g = gren(i))
        g->Rect = r;
}

int tElev::LastValgtGren() const
{
    for (int i = GrenCount() - 1; i >= 0; --i)
        if (stamtrae_[i]->Valgt)
            return i;
    return -1;
}

bool tElev::GrenHarFoto(int i) const
{
    const auto* g = Gren(i);
    return g && g->HarFoto && g->Foto;
}

bool tElev::SetGrenFoto(int i, const Pixels24& bmp)
{
    auto* g = gren(i);
    if (!g || bmp.width < kPhotoWidth || bmp.height < kPhotoHeight
        || bmp.data.size() < std::size_t(bmp.width) * bmp.height * 3)
        return false;
    if (!g->Foto)
        g->Foto = std::make_unique<std::uint8_t[]>(kPhotoBytes);
    g->HarFoto = true;
    for (int y = 0; y < kPhotoHeight; ++y)
        std::memcpy(g->Foto.get() + std::size_t(y) * kPhotoWidth * 3, bmp.pixel(0, y), kPhotoWidth * 3);
    aendret_ = true;
    return true;
}

void tElev::ClearGrenFoto(int i)
{
    if (auto* g = gren(i)) {
        g->Foto.reset();
        g->HarFoto = false;
        aendret_ = true;
    }
}

bool tElev::GetGrenFoto(int i, Pixels24& bmp) const
{
    if (!GrenHarFoto(i))
        return false;
    bmp = Pixels24(kPhotoWidth, kPhotoHeight);
    std::memcpy(bmp.data.data(), stamtrae_[i]->Foto.get(), kPhotoBytes);
    return true;
}

void tElev::LayoutGrene(int W, int H)
{
    const int u = H / 10, h = u / 2, m = u / 10;
    for (auto& g : stamtrae_) {
        // A position read from a damaged file may be NaN or huge; keep it
        // on the page rather than overflow.
        double fx = W * g->Xpos.value();
        if (!std::isfinite(fx))
            fx = W / 2.0;
        fx = std::clamp(fx, -1e6, 1e6);
        const int x = int(std::nearbyint(fx));
        const int y = g->Raekke * 2 * u + u + h;
        g->Rect = {x - u + m, y - h + m, x + u - m, y + h - m};
    }
}
