// One school class in memory (tKlasse) and its ".kla" file.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "datefmt.h"
#include "elev.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class tKlasse {
public:
    tKlasse() { Reset(); }
    tKlasse(const tKlasse&) = delete;
    tKlasse& operator=(const tKlasse&) = delete;

    void Reset();

    /// Always yields a class; LaesFejl() tells whether it and every pupil were
    /// read completely. \a path is a native (UTF-8) path.
    static std::unique_ptr<tKlasse> LoadFromFile(const std::string& path);
    /// Writes the class file, then every changed pupil (and every pupil whose
    /// file name changed), stopping at the first failure.
    bool SaveToFile(const std::string& path);
    /// The path that failed in the last save ("" when none).
    const std::string& FejlFil() const { return fejlFil_; }

    bool Aendret() const { return aendret_; }
    void SetAendret() { aendret_ = true; }
    bool LaesFejl() const { return laesFejl_; }
    bool GemFejl() const { return gemFejl_; }

    const std::string& FilNavn() const { return filNavn_; }
    void SetFilNavn(const std::string& path) { filNavn_ = path; }
    /// Keeps only the letters and digits of \a klasseNavn (Windows-1252), as a
    /// proposed file name ("4.a" -> "4a"). Returns the UTF-8 result stored.
    void SetFilNavnFraKlasse(std::string_view klasseNavn);

    DateTime Tidspunkt() const { return tidspunkt_; }
    void SetTidspunkt(DateTime t) { tidspunkt_ = t; }

    const std::string& Skole() const { return skole_; }
    bool SetSkole(std::string_view s);
    const std::string& Klasse() const { return klasse_; }
    bool SetKlasse(std::string_view s);
    const std::string& Laerer() const { return laerer_; }
    bool SetLaerer(std::string_view s);
    const std::string& Kode() const { return kode_; }
    bool SetKode(std::string_view s);

    // ---- pupils by position ----
    int ElevCount() const { return int(elever_.size()); }
    bool IngenElever() const { return elever_.empty(); }
    tElev* GetElev(int i);
    const tElev* GetElev(int i) const;
    void EnsureElev(int i);
    bool TrimEmptyTail(int i);

    /// Per-position setters: create the pupil if needed, set the field (and
    /// the class's Aendret on a change), then trim an empty tail. Return true
    /// when pupils were removed. \a refused is set when the text was too long.
    bool SetElevKaldenavn(int i, std::string_view s, bool* refused = nullptr);
    bool SetElevFuldeNavn(int i, std::string_view s, bool* refused = nullptr);
    bool SetElevFoedselsdag(int i, std::string_view s, bool* refused = nullptr);
    bool SetElevKoen(int i, std::string_view s, bool* refused = nullptr);
    bool SetElevElevkode(int i, std::string_view s, bool* refused = nullptr);

    std::string ElevKaldenavn(int i) const;
    std::string ElevFuldeNavn(int i) const;
    std::string ElevFoedselsdag(int i) const;
    std::string ElevKoen(int i) const;
    std::string ElevElevkode(int i) const;
    bool ElevDatoOk(int i) const;
    std::string ElevFilNavn(int i) const;
    bool HarValgtHaar(int i) const;
    /// Last-write time of the pupil's file for the setup grid; "" when none.
    std::string SidstAendret(int i) const;

    bool GetMarkeret(int i) const;
    void ToggleMarkeret(int i);
    void SetAllMarkeret(bool b);
    bool AnyMarkeret() const;
    int CountMarkeret() const;
    /// Deletes the marked pupils and their files.
    void DeleteMarkeret();

    /// Sets pupil i's FilNavn: class path without extension + "_" + the
    /// letters and digits of the nickname (or i + 1 in hex) + ".ele". A name
    /// that an earlier pupil already has (ignoring case) gets "_2", "_3", ...
    void MakeElevFilNavn(int i, const std::string& klassePath);
    bool SaveElev(int i);
    void ReloadElev(int i);
    /// Appends a record built elsewhere (import, demo class).
    void AdoptElev(std::unique_ptr<tElev> e) { elever_.push_back(std::move(e)); }
    /// Appends one pupil per path; stops after the first one that fails.
    bool LoadElever(const std::vector<std::string>& paths);

    // ---- the class's hobby offer, n = 1..50 ----
    const std::string& Hobbyer() const { return hobbyer_; }
    void SetHobbyer(std::string_view s) { hobbyer_ = std::string(s); }
    bool HobbyTilbudt(int n) const;
    void ToggleTilbudt(int n);
    int AntalTilbudt() const;
    int TilbudtNr(int k) const;

private:
    template <class Setter>
    bool setElevField(int i, std::string_view s, bool* refused, const std::string& (tElev::*get)() const, Setter set);

    bool aendret_ = false, laesFejl_ = false, gemFejl_ = false;
    std::string filNavn_;
    DateTime tidspunkt_ = 0;
    std::string skole_, klasse_, laerer_, kode_;
    std::vector<std::unique_ptr<tElev>> elever_;
    std::string hobbyer_;
    std::string fejlFil_;
};
