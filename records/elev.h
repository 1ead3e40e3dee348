// One pupil's book in memory (tElev) and the leaves of its family tree
// (tStamGren). Strings hold Windows-1252 bytes, as the files store them;
// FilNavn alone is a native (UTF-8) path.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ext80.h"
#include "fileio.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

/// Colour 0x00BBGGRR.
using Colour = std::uint32_t;

/// A plain 24-bit bitmap: rows top to bottom, 3 bytes a pixel (blue, green,
/// red), no padding between rows.
struct Pixels24 {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> data;   ///< width * height * 3 bytes

    Pixels24() = default;
    Pixels24(int w, int h) : width(w), height(h), data(std::size_t(w) * h * 3) {}
    std::uint8_t* pixel(int x, int y) { return data.data() + (std::size_t(y) * width + x) * 3; }
    const std::uint8_t* pixel(int x, int y) const { return data.data() + (std::size_t(y) * width + x) * 3; }
};

struct IntRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const IntRect&) const = default;
};

/// The seven face parts of the portrait, in file order.
enum class Del { Ansigt, Bryn, Haar, Oejne, Mund, Naese, Briller };
inline constexpr int kDelCount = 7;

/// One face part. Every part carries all fields; which of them a part stores
/// depends on its kind (see HasFarve() and friends).
struct FacePart {
    std::int16_t Type = 0;
    Colour Farve = 0xFFFFFF;
    std::int16_t FarveGruppe = 0;
    std::int16_t FarveSlide = 18;
    bool Spejl = false;
    ext80 Vandret;
    ext80 Lodret;
    std::int32_t Vinkel = 0;
    std::int32_t Zoom = 0;
};

bool HasFarve(Del d);     ///< every part but the nose
bool HasSpejl(Del d);     ///< hair
bool HasVandret(Del d);   ///< brows, eyes
bool HasLodret(Del d);    ///< brows, eyes, mouth, nose, glasses
bool HasVinkel(Del d);    ///< brows, eyes
bool HasZoom(Del d);      ///< mouth, nose, glasses

inline constexpr int kPhotoWidth = 180;
inline constexpr int kPhotoHeight = 240;
inline constexpr std::size_t kPhotoBytes = std::size_t(kPhotoWidth) * kPhotoHeight * 3;   // 129 600

/// One person (leaf) of the family tree.
struct tStamGren {
    std::uint8_t Art = 0;        ///< 0 spare leaf, 1 the pupil, 2 a placed relative
    std::uint8_t Raekke = 0;     ///< generation row 0 (top) .. 4
    ext80 Xpos{0.5};
    std::string FuldeNavn, Bladnavn, ErMin, GiftMed, Afkom, Notat;
    bool HarFoto = false;
    std::unique_ptr<std::uint8_t[]> Foto;   ///< kPhotoBytes when HarFoto
    bool Valgt = false;
    IntRect Rect;
};

/// Which text of a leaf.
enum class GrenTekst { FuldeNavn, Bladnavn, ErMin, GiftMed, Afkom, Notat };

class tElev {
public:
    static constexpr int kMaalCount = 14;
    static constexpr int kBogTekstCount = 18;
    static constexpr int kHobbyCount = 50;

    tElev() { Reset(); }
    tElev(const tElev&) = delete;
    tElev& operator=(const tElev&) = delete;

    /// Every field at its default.
    void Reset();
    /// A copy of the record to draw from (a whole book made for printing):
    /// every field, flag and leaf with its photo, the file it came from and
    /// how that file looked. It asks nobody before writing (no SaveConflict).
    std::unique_ptr<tElev> Clone() const;

    // ---- files (elevfile.cpp) ----
    /// Always yields a record; LaesFejl() tells whether it was read completely.
    static std::unique_ptr<tElev> LoadFromFile(const std::string& path);
    /// Writes the record when Aendret() is set (true without writing when not).
    /// The old file survives a failed save; GemFejl() is set and Aendret() kept.
    /// A record that was not read completely (LaesFejl()) is never written:
    /// its file stays as it is. When the file changed on disk since it was
    /// read or written here, the SaveConflict (if any) is asked first; a "no"
    /// fails the save with GemAfvist() set.
    bool SaveToFile(const std::string& path);
    /// Message of the last failed save ("" when none), for the log of tools:
    /// the file and the system's reason.
    const std::string& FejlTekst() const { return fejlTekst_; }
    /// The last save failed because the user chose to keep the other file.
    bool GemAfvist() const { return afvist_; }
    /// Who to ask before writing over a file that changed elsewhere
    /// (nullptr: nobody, write).
    void SetSaveConflict(SaveConflict* c) { konflikt_ = c; }
    /// The file as it was when this record was read or last written.
    const FileStamp& DiskStamp() const { return disk_; }

    // ---- flags ----
    bool Aendret() const { return aendret_; }
    void SetAendret() { aendret_ = true; }
    bool Tom() const { return tom_; }
    bool Markeret() const { return markeret_; }
    void SetMarkeret(bool b) { markeret_ = b; }
    bool LaesFejl() const { return laesFejl_; }
    bool GemFejl() const { return gemFejl_; }

    const std::string& FilNavn() const { return filNavn_; }
    void SetFilNavn(const std::string& path) { filNavn_ = path; }

    // ---- identity ----
    // String setters return false, and change nothing, for a text longer than
    // a file can hold (65 535 bytes).
    const std::string& FuldeNavn() const { return fuldeNavn_; }
    bool SetFuldeNavn(std::string_view s);
    const std::string& Kaldenavn() const { return kaldenavn_; }
    bool SetKaldenavn(std::string_view s);
    const std::string& Foedselsdag() const { return foedselsdag_; }
    /// Stores a date that exists as "dd-MM-yyyy" (ParseFoedselsdag) and sets
    /// DatoOk(); any other text is kept with "/" and "." turned into "-" and
    /// DatoOk() false.
    bool SetFoedselsdag(std::string_view s);
    bool DatoOk() const { return datoOk_; }
    const std::string& Koen() const { return koen_; }
    /// "dreng" for D/d..., "pige" for P/p..., else empty.
    void SetKoen(std::string_view s);
    const std::string& Elevkode() const { return elevkode_; }
    bool SetElevkode(std::string_view s);

    /// Month 1..12 of Foedselsdag, or -1.
    int BirthMonth() const;

    // ---- portrait ----
    const FacePart& Part(Del d) const { return parts_[int(d)]; }
    void SetType(Del d, std::int32_t v);
    void SetFarve(Del d, Colour c);
    void SetFarveGruppe(Del d, std::int32_t v);
    void SetFarveSlide(Del d, std::int32_t v);
    void SetSpejl(Del d, bool b);
    void SetVandret(Del d, double v);
    void SetLodret(Del d, double v);
    void SetVinkel(Del d, std::int32_t v);
    void SetZoom(Del d, std::int32_t v);

    // ---- measurements, i = 1..14 ----
    /// Reads the text with TolerantStrToInt. A number beyond 32 bits leaves the
    /// value as it was and returns false with the message in \a error.
    bool SetMaalText(int i, std::string_view text, std::string* error = nullptr);
    std::string MaalText(int i) const;
    std::int32_t Maal(int i) const;
    /// Raw store, for tools and tests; the default setter rule.
    void SetMaal(int i, std::int32_t v);

    // ---- hobbies, n = 1..50 ----
    const std::string& Hobbyer() const { return hobbyer_; }
    /// Whole string; does not set Aendret.
    bool SetHobbyer(std::string_view s);
    bool HobbyValgt(int n) const;
    void SetHobby(int n, bool chosen);
    void ToggleHobby(int n);

    // ---- book ----
    std::int32_t BagsideValg() const { return bagsideValg_; }
    void SetBagsideValg(std::int32_t v);
    /// i = 1..18; "" out of range.
    const std::string& BogTekst(int i) const;
    bool SetBogTekst(int i, std::string_view s);

    // ---- family tree, positions 0-based ----
    int GrenCount() const { return int(stamtrae_.size()); }
    int AddGren(std::uint8_t art);
    /// AddGren for a leaf the family tree page puts there only to show the
    /// tree (the fresh leaf, the pupil's own leaf), with its three names:
    /// Aendret stays as it was, so a visit that only looks writes nothing.
    /// The leaf is written with the next real change. Names longer than a
    /// file can hold are left empty.
    int AddShownGren(std::uint8_t art, std::string_view fuldeNavn = {}, std::string_view bladnavn = {},
                     std::string_view erMin = {});
    void DeleteGren(int i);
    int FindGren(std::uint8_t art) const;
    const tStamGren* Gren(int i) const;

    std::uint8_t GrenArt(int i) const;
    void SetGrenArt(int i, std::uint8_t v);
    int GrenRaekke(int i) const;   ///< -1 out of range
    void SetGrenRaekke(int i, std::uint8_t v);
    double GrenXpos(int i) const;
    void SetGrenXpos(int i, double v);
    const std::string& GrenTekstOf(int i, GrenTekst which) const;
    bool SetGrenTekst(int i, GrenTekst which, std::string_view s);
    bool GrenValgt(int i) const;
    /// Valgt and Rect are never stored: their setters leave Aendret alone, so
    /// looking at the tree and clicking a leaf writes nothing.
    void SetGrenValgt(int i, bool b);
    IntRect GrenRect(int i) const;
    void SetGrenRect(int i, const IntRect& r);
    int LastValgtGren() const;

    bool GrenHarFoto(int i) const;
    /// Copies the top 240 rows of 180 pixels; false (nothing changed) when the
    /// bitmap is smaller than that or the position is out of range.
    bool SetGrenFoto(int i, const Pixels24& bitmap);
    void ClearGrenFoto(int i);
    /// Sizes \a bitmap to 180 x 240 and fills it; false when there is no photo.
    bool GetGrenFoto(int i, Pixels24& bitmap) const;

    /// Places every leaf's Rect for a page of W x H pixels.
    void LayoutGrene(int W, int H);

private:
    friend class ElevFile;
    friend class ElevJson;   // tinkeli-tool's JSON import sets stored fields as they are
    FacePart& part(Del d) { return parts_[int(d)]; }
    tStamGren* gren(int i);
    void changed() { aendret_ = true; }

    bool aendret_ = false, tom_ = true, markeret_ = false, laesFejl_ = false, gemFejl_ = false;
    std::string filNavn_;
    std::string fuldeNavn_, kaldenavn_, foedselsdag_;
    bool datoOk_ = true;
    std::string koen_, elevkode_;
    std::array<FacePart, kDelCount> parts_;
    std::array<std::int32_t, kMaalCount> maal_{};
    std::string hobbyer_;
    std::int32_t bagsideValg_ = 1;
    std::array<std::string, kBogTekstCount> bogTekst_;
    std::vector<std::unique_ptr<tStamGren>> stamtrae_;
    std::string fejlTekst_;
    bool afvist_ = false;
    FileStamp disk_;
    SaveConflict* konflikt_ = nullptr;
};
