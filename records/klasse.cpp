// tKlasse: the class record, its ".kla" file and the pupils' file names.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "klasse.h"

#include "ansi.h"
#include "fileio.h"

#include <cstdio>

// Byte layout of the ".kla" file, little-endian, no header, no version;
// "str" is an int32 length n and n Windows-1252 bytes (n <= 0: empty):
//
//   Skole str, Klasse str, Laerer str, Kode str,
//   N int32, N x str (each pupil's file path at the time of writing),
//   Hobbyer str (50 bytes of "x" and blank)
//
// Readers use only the file name of each stored path (the text after its
// last "\", "/" or ":"), joined to the class file's own folder, so a class
// folder can be moved, and moved between Windows and Linux.

namespace {

const std::string kEmpty;

bool isSep(char c) { return c == '/' || c == '\\' || c == ':'; }

std::string folderOf(const std::string& path)
{
    const auto p = path.find_last_of("/\\:");
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string storedFileName(const std::string& stored)
{
    std::size_t k = stored.size();
    while (k > 0 && !isSep(stored[k - 1]))
        --k;
    return stored.substr(k);
}

// The native (UTF-8) path of a stored Windows-1252 file name in \a folder.
// Older files of ours may hold UTF-8 names that Windows-1252 could not; they
// are found under their own bytes.
std::string resolveStored(const std::string& folder, const std::string& storedName)
{
    const std::string asAnsi = folder + ansi::ToUtf8(storedName);
    if (FileExists(asAnsi) || !ansi::IsValidUtf8(storedName))
        return asAnsi;
    const std::string asUtf8 = folder + storedName;
    return FileExists(asUtf8) ? asUtf8 : asAnsi;
}

// What the ".kla" stores for a native path: Windows-1252 when it can hold
// the path, else the UTF-8 bytes (never a mangled name).
std::string storedPath(const std::string& native)
{
    if (auto a = ansi::FromUtf8(native))
        return *a;
    return native;
}

std::string alnumOnly(std::string_view ansiText)
{
    std::string out;
    for (char c : ansiText)
        if (ansi::IsAlnum(std::uint8_t(c)))
            out += c;
    return out;
}

// Case-folded file name for collision checks, so the folder also works on
// file systems that ignore case.
std::string folded(const std::string& utf8)
{
    if (auto a = ansi::FromUtf8(utf8)) {
        for (char& c : *a)
            c = char(ansi::ToLower(std::uint8_t(c)));
        return *a;
    }
    std::string s = utf8;
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return s;
}

} // namespace

void tKlasse::Reset()
{
    aendret_ = laesFejl_ = gemFejl_ = false;
    filNavn_.clear();
    tidspunkt_ = 0;
    skole_.clear();
    klasse_.clear();
    laerer_.clear();
    kode_.clear();
    elever_.clear();
    hobbyer_.assign(tElev::kHobbyCount, ' ');
    fejlFil_.clear();
    fejlTekst_.clear();
    afvist_ = false;
    slettes_.clear();
    disk_ = FileStamp{};
}

std::unique_ptr<tKlasse> tKlasse::Clone() const
{
    auto c = std::make_unique<tKlasse>();
    c->aendret_ = aendret_;
    c->laesFejl_ = laesFejl_;
    c->gemFejl_ = gemFejl_;
    c->filNavn_ = filNavn_;
    c->tidspunkt_ = tidspunkt_;
    c->skole_ = skole_;
    c->klasse_ = klasse_;
    c->laerer_ = laerer_;
    c->kode_ = kode_;
    c->hobbyer_ = hobbyer_;
    c->disk_ = disk_;
    c->elever_.reserve(elever_.size());
    for (const auto& e : elever_) {
        c->elever_.push_back(e->Clone());
        c->elever_.back()->SetMarkeret(false);
    }
    return c;
}

// ---- files ----

std::unique_ptr<tKlasse> tKlasse::LoadFromFile(const std::string& path)
{
    auto k = std::make_unique<tKlasse>();
    k->filNavn_ = path;
    const std::string folder = folderOf(path);
    std::vector<std::string> paths;
    bool ok = false;
    {
        DataReader r;
        const bool opened = r.OpenForRead(path);
        k->disk_ = r.Stamp();
        if (opened) {
            std::int32_t n = 0;
            ok = r.ReadString(k->skole_) && r.ReadString(k->klasse_) && r.ReadString(k->laerer_)
                && r.ReadString(k->kode_) && r.ReadI32(n);
            // Every stored path takes at least its 4-byte length.
            if (ok && n > 0 && std::uint64_t(n) * 4 > r.remaining())
                ok = r.Fail();
            for (std::int32_t i = 0; ok && i < n; ++i) {
                std::string stored;
                ok = r.ReadString(stored);
                if (ok)
                    paths.push_back(resolveStored(folder, storedFileName(stored)));
            }
            ok = ok && r.ReadString(k->hobbyer_);
        }
    }
    // A pupil that cannot be read does not take the class with it: it keeps
    // its place and file name, and the caller names it.
    if (ok)
        (void)k->LoadElever(paths);
    k->tidspunkt_ = NowDateTime();
    k->laesFejl_ = !ok;
    return k;
}

bool tKlasse::SaveToFile(const std::string& path)
{
    fejlFil_.clear();
    fejlTekst_.clear();
    afvist_ = false;
    for (int i = 0; i < ElevCount(); ++i) {
        if (elever_[i]->LaesFejl())
            continue;   // keeps the name its file has
        const std::string before = elever_[i]->FilNavn();
        MakeElevFilNavn(i, path);
        // A pupil under a new name (new pupil, class saved elsewhere, a
        // shifted number) must be written there even if unchanged, or the
        // class file would point at a file that does not exist.
        if (elever_[i]->FilNavn() != before)
            elever_[i]->SetAendret();
    }
    bool ok = true;
    if (konflikt_ && !disk_.path.empty() && disk_.path == path) {
        const FileStamp now = StampOf(path);
        if (!now.SameAs(disk_) && !konflikt_->OverwriteChanged(path, now)) {
            ok = false;
            afvist_ = true;
            fejlFil_ = path;
            fejlTekst_ = path + ": changed elsewhere since it was read; not overwritten";
        }
    }
    // The pupils first: until the class file is replaced, the old one still
    // names only files that exist.
    for (int i = 0; ok && i < ElevCount(); ++i) {
        ok = SaveElev(i);
        if (!ok) {
            fejlFil_ = elever_[i]->FilNavn();
            fejlTekst_ = elever_[i]->FejlTekst();
            afvist_ = elever_[i]->GemAfvist();
        }
    }
    if (ok) {
        DataWriter w;
        ok = w.CreateForWrite(path);
        ok = ok && w.WriteString(skole_) && w.WriteString(klasse_) && w.WriteString(laerer_)
            && w.WriteString(kode_) && w.WriteI32(ElevCount());
        for (int i = 0; ok && i < ElevCount(); ++i)
            ok = w.WriteString(storedPath(elever_[i]->FilNavn()));
        ok = ok && w.WriteString(hobbyer_) && w.CloseFile();
        if (ok) {
            disk_ = w.Stamp();
        } else {
            fejlFil_ = path;
            fejlTekst_ = "cannot write " + path + ": " + w.Fejl();
        }
    }
    // Deleted pupils' files go only now that no class file names them, and
    // never a file that a pupil of the class has taken over meanwhile.
    if (ok) {
        for (const std::string& f : slettes_) {
            bool inUse = false;
            for (const auto& e : elever_)
                inUse = inUse || folded(e->FilNavn()) == folded(f);
            if (!inUse)
                (void)DeleteFile(f);
        }
        slettes_.clear();
    }
    tidspunkt_ = NowDateTime();
    gemFejl_ = !ok;
    return ok;
}

void tKlasse::SetSaveConflict(SaveConflict* c)
{
    konflikt_ = c;
    for (auto& e : elever_)
        e->SetSaveConflict(c);
}

void tKlasse::AdoptElev(std::unique_ptr<tElev> e)
{
    e->SetSaveConflict(konflikt_);
    elever_.push_back(std::move(e));
}

void tKlasse::SetFilNavnFraKlasse(std::string_view klasseNavn)
{
    filNavn_ = ansi::ToUtf8(alnumOnly(klasseNavn));
}

// ---- class texts ----

namespace {

bool setText(std::string& field, std::string_view s, bool& aendret)
{
    if (s.size() > kMaxCountedString)
        return false;
    if (field != s) {
        field = std::string(s);
        aendret = true;
    }
    return true;
}

} // namespace

bool tKlasse::SetSkole(std::string_view s) { return setText(skole_, s, aendret_); }
bool tKlasse::SetKlasse(std::string_view s) { return setText(klasse_, s, aendret_); }
bool tKlasse::SetLaerer(std::string_view s) { return setText(laerer_, s, aendret_); }
bool tKlasse::SetKode(std::string_view s) { return setText(kode_, s, aendret_); }

// ---- pupils ----

tElev* tKlasse::GetElev(int i)
{
    return (i >= 0 && i < ElevCount()) ? elever_[i].get() : nullptr;
}

const tElev* tKlasse::GetElev(int i) const
{
    return (i >= 0 && i < ElevCount()) ? elever_[i].get() : nullptr;
}

void tKlasse::EnsureElev(int i)
{
    while (ElevCount() <= i) {
        auto e = std::make_unique<tElev>();
        (void)e->SetHobbyer(hobbyer_);
        AdoptElev(std::move(e));
    }
}

bool tKlasse::TrimEmptyTail(int i)
{
    if (i < 0 || i != ElevCount() - 1)
        return false;
    bool removed = false;
    // A pupil whose file could not be read may look empty; it stays.
    while (i >= 0 && elever_[i]->Tom() && !elever_[i]->LaesFejl()) {
        elever_.erase(elever_.begin() + i);
        --i;
        removed = true;
    }
    return removed;
}

template <class Setter>
bool tKlasse::setElevField(int i, std::string_view s, bool* refused,
                           const std::string& (tElev::*get)() const, Setter set)
{
    if (refused)
        *refused = false;
    if (i < 0)
        return false;
    EnsureElev(i);
    tElev& e = *elever_[i];
    if ((e.*get)() != s) {
        if (!set(e, s)) {
            if (refused)
                *refused = true;
        } else {
            aendret_ = true;
        }
    }
    return TrimEmptyTail(i);
}

bool tKlasse::SetElevKaldenavn(int i, std::string_view s, bool* refused)
{
    return setElevField(i, s, refused, &tElev::Kaldenavn, [](tElev& e, std::string_view v) { return e.SetKaldenavn(v); });
}

bool tKlasse::SetElevFuldeNavn(int i, std::string_view s, bool* refused)
{
    return setElevField(i, s, refused, &tElev::FuldeNavn, [](tElev& e, std::string_view v) { return e.SetFuldeNavn(v); });
}

bool tKlasse::SetElevFoedselsdag(int i, std::string_view s, bool* refused)
{
    return setElevField(i, s, refused, &tElev::Foedselsdag, [](tElev& e, std::string_view v) { return e.SetFoedselsdag(v); });
}

bool tKlasse::SetElevKoen(int i, std::string_view s, bool* refused)
{
    return setElevField(i, s, refused, &tElev::Koen, [](tElev& e, std::string_view v) { e.SetKoen(v); return true; });
}

bool tKlasse::SetElevElevkode(int i, std::string_view s, bool* refused)
{
    return setElevField(i, s, refused, &tElev::Elevkode, [](tElev& e, std::string_view v) { return e.SetElevkode(v); });
}

std::string tKlasse::ElevKaldenavn(int i) const { auto* e = GetElev(i); return e ? e->Kaldenavn() : kEmpty; }
std::string tKlasse::ElevFuldeNavn(int i) const { auto* e = GetElev(i); return e ? e->FuldeNavn() : kEmpty; }
std::string tKlasse::ElevFoedselsdag(int i) const { auto* e = GetElev(i); return e ? e->Foedselsdag() : kEmpty; }
std::string tKlasse::ElevKoen(int i) const { auto* e = GetElev(i); return e ? e->Koen() : kEmpty; }
std::string tKlasse::ElevElevkode(int i) const { auto* e = GetElev(i); return e ? e->Elevkode() : kEmpty; }
std::string tKlasse::ElevFilNavn(int i) const { auto* e = GetElev(i); return e ? e->FilNavn() : kEmpty; }

bool tKlasse::ElevDatoOk(int i) const
{
    auto* e = GetElev(i);
    return e ? e->DatoOk() : true;
}

bool tKlasse::ElevLaesFejl(int i) const
{
    auto* e = GetElev(i);
    return e && e->LaesFejl();
}

std::vector<std::string> tKlasse::UlaeseligeFiler() const
{
    std::vector<std::string> files;
    for (const auto& e : elever_)
        if (e->LaesFejl())
            files.push_back(e->FilNavn());
    return files;
}

bool tKlasse::HarValgtHaar(int i) const
{
    auto* e = GetElev(i);
    return e && e->Part(Del::Haar).Type != 0;
}

std::string tKlasse::SidstAendret(int i) const
{
    auto* e = GetElev(i);
    if (!e || e->Tom())
        return {};
    DateTime t = 0;
    if (!FileWriteTime(e->FilNavn(), t))
        return {};
    return FormatDateTime(t);
}

bool tKlasse::GetMarkeret(int i) const
{
    auto* e = GetElev(i);
    return e && e->Markeret();
}

void tKlasse::ToggleMarkeret(int i)
{
    if (auto* e = GetElev(i))
        e->SetMarkeret(!e->Markeret());
}

void tKlasse::SetAllMarkeret(bool b)
{
    for (auto& e : elever_)
        e->SetMarkeret(b);
}

bool tKlasse::AnyMarkeret() const
{
    for (auto& e : elever_)
        if (e->Markeret())
            return true;
    return false;
}

int tKlasse::CountMarkeret() const
{
    int n = 0;
    for (auto& e : elever_)
        n += e->Markeret() ? 1 : 0;
    return n;
}

void tKlasse::DeleteMarkeret()
{
    for (int i = ElevCount() - 1; i >= 0; --i) {
        if (!elever_[i]->Markeret())
            continue;
        if (!elever_[i]->FilNavn().empty() && !elever_[i]->LaesFejl())
            slettes_.push_back(elever_[i]->FilNavn());
        elever_.erase(elever_.begin() + i);
        aendret_ = true;
    }
}

void tKlasse::MakeElevFilNavn(int i, const std::string& klassePath)
{
    tElev* e = GetElev(i);
    if (!e)
        return;
    std::string name = alnumOnly(e->Kaldenavn());
    if (name.empty()) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%03X", unsigned(i + 1));
        name = buf;
    }
    // The extension counts only when its "." follows the last separator.
    std::string base = klassePath;
    const auto dot = klassePath.find_last_of('.');
    const auto sep = klassePath.find_last_of("/\\:");
    if (dot != std::string::npos && (sep == std::string::npos || dot > sep))
        base = klassePath.substr(0, dot);
    const std::string stem = base + "_" + ansi::ToUtf8(name);

    // Earlier pupils have their names already; a pupil whose file could not
    // be read keeps its name wherever it stands, and nobody may take it.
    auto taken = [&](const std::string& candidate) {
        const std::string f = folded(candidate);
        for (int j = 0; j < ElevCount(); ++j)
            if (j != i && (j < i || elever_[j]->LaesFejl()) && folded(elever_[j]->FilNavn()) == f)
                return true;
        return false;
    };
    std::string candidate = stem + ".ele";
    if (taken(candidate)) {
        // Keep a suffix the pupil already has, so its file keeps its name.
        const std::string& own = e->FilNavn();
        const std::string prefix = stem + "_";
        bool keep = own.size() > prefix.size() + 4 && own.compare(0, prefix.size(), prefix) == 0
            && own.compare(own.size() - 4, 4, ".ele") == 0 && !taken(own);
        if (keep) {
            for (std::size_t k = prefix.size(); k < own.size() - 4; ++k)
                keep = keep && own[k] >= '0' && own[k] <= '9';
        }
        if (keep) {
            candidate = own;
        } else {
            for (int n = 2;; ++n) {
                candidate = prefix + std::to_string(n) + ".ele";
                if (!taken(candidate))
                    break;
            }
        }
    }
    e->SetFilNavn(candidate);
}

bool tKlasse::SaveElev(int i)
{
    tElev* e = GetElev(i);
    if (e && e->LaesFejl())
        return true;   // never written: its file stays as it is
    return e && e->SaveToFile(e->FilNavn());
}

void tKlasse::ReloadElev(int i)
{
    if (tElev* e = GetElev(i)) {
        elever_[i] = tElev::LoadFromFile(e->FilNavn());
        elever_[i]->SetSaveConflict(konflikt_);
    }
}

bool tKlasse::LoadElever(const std::vector<std::string>& paths)
{
    bool all = true;
    for (const auto& p : paths) {
        AdoptElev(tElev::LoadFromFile(p));
        all = all && !elever_.back()->LaesFejl();
    }
    return all;
}

// ---- hobby offer ----

bool tKlasse::HobbyTilbudt(int n) const
{
    return n >= 1 && n <= tElev::kHobbyCount && std::size_t(n) <= hobbyer_.size() && hobbyer_[n - 1] == 'x';
}

void tKlasse::ToggleTilbudt(int n)
{
    if (n < 1 || n > tElev::kHobbyCount)
        return;
    if (hobbyer_.size() < std::size_t(n))
        hobbyer_.resize(n, ' ');
    hobbyer_[n - 1] = hobbyer_[n - 1] == 'x' ? ' ' : 'x';
    aendret_ = true;
}

int tKlasse::AntalTilbudt() const
{
    int n = 0;
    for (int k = 1; k <= tElev::kHobbyCount; ++k)
        n += HobbyTilbudt(k) ? 1 : 0;
    return n;
}

int tKlasse::TilbudtNr(int k) const
{
    if (k < 1)
        return 0;
    for (int n = 1; n <= tElev::kHobbyCount; ++n)
        if (HobbyTilbudt(n) && --k == 0)
            return n;
    return 0;
}
