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
    /// A copy of the class and every pupil (tElev::Clone) to draw from, so
    /// that showing it page by page can change nothing here. Marks, files
    /// waiting to be deleted and the SaveConflict are not copied.
    std::unique_ptr<tKlasse> Clone() const;

    /// Always yields a class; LaesFejl() tells whether the class file was
    /// read completely. Every pupil file is read; a pupil that could not be
    /// read keeps its place and file name (ElevLaesFejl(), UlaeseligeFiler()).
    /// \a path is a native (UTF-8) path.
    static std::unique_ptr<tKlasse> LoadFromFile(const std::string& path);
    /// Writes every changed pupil (and every pupil whose file name changed),
    /// stopping at the first failure, then the class file last, so that the
    /// class file never names a file that is not there. Only once the class
    /// file is in place are the files of deleted pupils removed. Pupils that
    /// could not be read are never written and stay in the class file.
    /// When the class file changed on disk since it was read or written here,
    /// the SaveConflict is asked before anything is written.
    bool SaveToFile(const std::string& path);
    /// The path that failed in the last save ("" when none).
    const std::string& FejlFil() const { return fejlFil_; }
    /// The failed file and the system's reason, for the log of tools.
    const std::string& FejlTekst() const { return fejlTekst_; }
    /// The last save stopped because the user chose to keep a file that
    /// changed elsewhere.
    bool GemAfvist() const { return afvist_; }
    /// Who to ask before writing over the class file or a pupil's file that
    /// changed elsewhere; passed on to every pupil, present and future.
    void SetSaveConflict(SaveConflict* c);
    /// The class file as it was when read or last written.
    const FileStamp& DiskStamp() const { return disk_; }

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
    /// The class setup's grid has a row for this many pupils.
    static constexpr int kMaxElever = 50;
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
    /// Pupil i's file could not be read: it is shown but cannot be opened,
    /// edited or written. False out of range.
    bool ElevLaesFejl(int i) const;
    /// The files of the pupils that could not be read, in class order.
    std::vector<std::string> UlaeseligeFiler() const;
    std::string ElevFilNavn(int i) const;
    bool HarValgtHaar(int i) const;
    /// Last-write time of the pupil's file for the setup grid; "" when none.
    std::string SidstAendret(int i) const;

    bool GetMarkeret(int i) const;
    void ToggleMarkeret(int i);
    void SetAllMarkeret(bool b);
    bool AnyMarkeret() const;
    int CountMarkeret() const;
    /// Takes the marked pupils out of the class. Their files are deleted by
    /// the next successful SaveToFile, once the class file no longer names
    /// them; the file of a pupil that could not be read is left alone.
    void DeleteMarkeret();
    /// Files waiting to be deleted by the next successful save.
    const std::vector<std::string>& SletteFiler() const { return slettes_; }

    /// Sets pupil i's FilNavn: class path without extension + "_" + the
    /// letters and digits of the nickname (or i + 1 in hex) + ".ele". A name
    /// that an earlier pupil already has (ignoring case) gets "_2", "_3", ...
    void MakeElevFilNavn(int i, const std::string& klassePath);
    bool SaveElev(int i);
    void ReloadElev(int i);
    /// Appends a record built elsewhere (import, demo class).
    void AdoptElev(std::unique_ptr<tElev> e);
    /// Appends one pupil per path, each read from its file; true when every
    /// one was read completely.
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
    std::string fejlFil_, fejlTekst_;
    bool afvist_ = false;
    std::vector<std::string> slettes_;
    FileStamp disk_;
    SaveConflict* konflikt_ = nullptr;
};
