// The class's pupil list as a spreadsheet file (CSV): written for the
// teacher's spreadsheet program and read back from one.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

class tKlasse;

namespace csv {

/// The records of a CSV text (UTF-8, no byte-order mark), each a list of
/// fields. A field in double quotes may hold the separator, line breaks and
/// quotes (written twice); a quote inside an unquoted field is an ordinary
/// character. Lines end in CR LF, LF or CR; a last line without an ending
/// counts, an empty text has no records.
std::vector<std::vector<std::string>> Parse(std::string_view text, char separator);

/// \a value as one field: in quotes (inner quotes doubled) when it holds the
/// separator, a quote, a line break, or blanks at either end, which a reader
/// would otherwise take away.
std::string Field(std::string_view value, char separator);

/// The bytes of a text file as UTF-8: UTF-8 with or without its byte-order
/// mark, UTF-16 with its mark (what spreadsheets save as "Unicode text"),
/// and anything that is not UTF-8 as Windows-1252.
std::string DecodeText(std::string_view bytes);

} // namespace csv

/// The columns of the pupil list, in the order they are written (UTF-8).
inline constexpr const char* kElevlisteKolonner[5] = {"Kaldenavn", "Fulde navn", "Fødselsdag", "Køn", "Elevkode"};

/// The pupils of \a k as a pupil list: a title row and one row per pupil,
/// fields separated by ';', lines ending in CR LF, UTF-8 with a byte-order
/// mark (which Danish spreadsheet programs open without asking). A pupil
/// whose file could not be read has no fields to give and is left out.
std::string ElevlisteCsv(const tKlasse& k);

/// Writes ElevlisteCsv(\a k) to \a path (UTF-8) safely: the old file stays
/// until the new one is complete. \a fejl gets the system's reason.
bool GemElevliste(const tKlasse& k, const std::string& path, std::string* fejl = nullptr);

/// A row of a pupil list that was not taken, and why (UTF-8, Danish).
struct AfvistRaekke {
    int raekke = 0;   ///< the row's number as a spreadsheet shows it: the titles are row 1
    std::string grund;
};

struct ElevlisteImport {
    enum class Status {
        Ok,              ///< read; the rows that could be taken are in the class
        KlasseMangler,   ///< the class has no name yet: nothing taken
        IngenKaldenavn,  ///< the file has no column "Kaldenavn": nothing taken
        Ulaeselig,       ///< the file could not be read: nothing taken
    };
    Status status = Status::Ok;
    int taget = 0;                      ///< pupils added
    std::vector<AfvistRaekke> afvist;   ///< rows left out, in file order
    std::string fejl;                   ///< Ulaeselig: the system's reason
};

/// Adds the rows of a pupil list (the file's bytes) as new pupils after the
/// class's own, through the same per-position setters as typing in the class
/// setup. The columns are found by their titles (any order, any case;
/// missing ones stay empty, unknown ones are ignored); the separator ';',
/// ',' or tab is the one that makes the most titles of the first row. "Køn"
/// takes "dreng"/"pige" and D/P, M/K. A row is left out, with its reason,
/// when a field holds a character that Windows-1252 cannot hold or a line
/// break, its nickname is missing or already in the class (case ignored),
/// its gender is none of those, or the class already has kMaxElever pupils.
/// Empty rows are passed over. Nothing is written: the class is changed in
/// memory (Aendret) and saved when the user saves it.
ElevlisteImport ImportElevliste(tKlasse& k, std::string_view bytes);

/// Reads \a path (UTF-8) and imports it; a file that cannot be read, or one
/// larger than any pupil list (16 MB), gives Ulaeselig.
ElevlisteImport ImportElevlisteFil(tKlasse& k, const std::string& path);

/// "Disse rækker blev ikke taget med:" and a line per row ("Række 4:
/// kaldenavnet \"Ida\" findes allerede"), UTF-8.
std::string AfvisteRaekkerTekst(const std::vector<AfvistRaekke>& afvist);
