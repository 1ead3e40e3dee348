// The pupil list as CSV.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "elevliste.h"

#include "ansi.h"
#include "fileio.h"
#include "klasse.h"

#include <array>
#include <optional>
#include <set>

namespace csv {

std::vector<std::vector<std::string>> Parse(std::string_view text, char sep)
{
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;       // inside a quoted part of the field
    bool anything = false;     // the current record has begun
    const std::size_t n = text.size();
    auto endRecord = [&] {
        record.push_back(std::move(field));
        field.clear();
        records.push_back(std::move(record));
        record.clear();
        anything = false;
    };
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < n && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        anything = true;
        if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == sep) {
            record.push_back(std::move(field));
            field.clear();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
                ++i;
            endRecord();
        } else {
            field += c;
        }
    }
    // A quote left open runs to the end of the text: what it holds is kept.
    if (anything || quoted || !field.empty())
        endRecord();
    return records;
}

std::string Field(std::string_view value, char sep)
{
    bool quote = !value.empty() && (value.front() == ' ' || value.front() == '\t' || value.back() == ' '
                                    || value.back() == '\t');
    for (char c : value)
        quote = quote || c == sep || c == '"' || c == '\r' || c == '\n';
    if (!quote)
        return std::string(value);
    std::string out = "\"";
    for (char c : value) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

namespace {

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string fromUtf16(std::string_view bytes, bool bigEndian)
{
    std::string out;
    auto unit = [&](std::size_t i) -> char32_t {
        const auto a = std::uint8_t(bytes[i]), b = std::uint8_t(bytes[i + 1]);
        return bigEndian ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t lo = unit(i + 2);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                i += 2;
            }
        }
        // A lone surrogate is no character; U+FFFD is one no class can
        // store, so its row is named rather than quietly changed.
        if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD;
        appendUtf8(out, cp);
    }
    return out;
}

} // namespace

std::string DecodeText(std::string_view b)
{
    if (b.size() >= 3 && b.substr(0, 3) == "\xEF\xBB\xBF")
        b.remove_prefix(3);
    else if (b.size() >= 2 && b.substr(0, 2) == "\xFF\xFE")
        return fromUtf16(b.substr(2), false);
    else if (b.size() >= 2 && b.substr(0, 2) == "\xFE\xFF")
        return fromUtf16(b.substr(2), true);
    if (ansi::IsValidUtf8(b))
        return std::string(b);
    return ansi::ToUtf8(b);
}

} // namespace csv

// ---- the pupil list ----

namespace {

constexpr char kSep = ';';
constexpr std::size_t kMaxFileBytes = 16u << 20;

// Case folded, in Windows-1252, so that "IDA" and "Ida" (and "ÅSE" and
// "åse") are the same nickname, as they would be the same file name.
std::string folded(std::string ansiText)
{
    for (char& c : ansiText)
        c = char(ansi::ToLower(std::uint8_t(c)));
    return ansiText;
}

std::string trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return std::string(s);
}

// The column of each title of the title row; -1 for a title not given.
std::array<int, 5> columnsOf(const std::vector<std::string>& titles)
{
    std::array<int, 5> col{-1, -1, -1, -1, -1};
    for (int t = 0; t < int(titles.size()); ++t) {
        const auto title = ansi::FromUtf8(trimmed(titles[std::size_t(t)]));
        if (!title)
            continue;
        for (int c = 0; c < 5; ++c)
            if (col[std::size_t(c)] < 0 && folded(*title) == folded(*ansi::FromUtf8(kElevlisteKolonner[c])))
                col[std::size_t(c)] = t;
    }
    return col;
}

int knownTitles(const std::vector<std::string>& titles)
{
    int n = 0;
    for (int c : columnsOf(titles))
        n += c >= 0;
    return n;
}

// dreng, pige and their letters (Danish D/P, and M/K as some lists write).
std::optional<std::string> genderOf(const std::string& utf8)
{
    const std::string g = folded(ansi::FromUtf8(utf8).value_or("?"));
    if (g.empty())
        return std::string();
    if (g == "dreng" || g == "d" || g == "m")
        return std::string("dreng");
    if (g == "pige" || g == "p" || g == "k")
        return std::string("pige");
    return std::nullopt;
}

bool hasControl(const std::string& s)
{
    for (char c : s)
        if (std::uint8_t(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

std::string q(const std::string& utf8)
{
    return "\"" + utf8 + "\"";
}

} // namespace

std::string ElevlisteCsv(const tKlasse& k)
{
    std::string out = "\xEF\xBB\xBF";
    for (int c = 0; c < 5; ++c)
        out += (c ? ";" : "") + csv::Field(kElevlisteKolonner[c], kSep);
    out += "\r\n";
    for (int i = 0; i < k.ElevCount(); ++i) {
        if (k.ElevLaesFejl(i))
            continue;
        const std::string fields[5] = {k.ElevKaldenavn(i), k.ElevFuldeNavn(i), k.ElevFoedselsdag(i), k.ElevKoen(i),
                                       k.ElevElevkode(i)};
        for (int c = 0; c < 5; ++c)
            out += (c ? ";" : "") + csv::Field(ansi::ToUtf8(fields[c]), kSep);
        out += "\r\n";
    }
    return out;
}

bool GemElevliste(const tKlasse& k, const std::string& path, std::string* fejl)
{
    const std::string bytes = ElevlisteCsv(k);
    DataWriter w;
    const bool ok = w.CreateForWrite(path) && w.WriteBytes(bytes.data(), bytes.size()) && w.CloseFile();
    if (!ok && fejl)
        *fejl = w.Fejl();
    return ok;
}

ElevlisteImport ImportElevliste(tKlasse& k, std::string_view bytes)
{
    ElevlisteImport r;
    if (k.Klasse().empty()) {
        r.status = ElevlisteImport::Status::KlasseMangler;
        return r;
    }
    const std::string text = csv::DecodeText(bytes);
    // The separator is the one that makes the most titles of the first row
    // (';' when none makes more than another: a list of nicknames alone).
    char sep = kSep;
    int bestTitles = 0;
    for (char c : {';', ',', '\t'}) {
        const auto rows = csv::Parse(text.substr(0, text.find_first_of("\r\n")), c);
        const int titles = rows.empty() ? 0 : knownTitles(rows[0]);
        if (titles > bestTitles) {
            sep = c;
            bestTitles = titles;
        }
    }
    const auto rows = csv::Parse(text, sep);
    const std::array<int, 5> col = rows.empty() ? std::array<int, 5>{-1, -1, -1, -1, -1} : columnsOf(rows[0]);
    if (col[0] < 0) {
        r.status = ElevlisteImport::Status::IngenKaldenavn;
        return r;
    }
    std::set<std::string> names;
    for (int i = 0; i < k.ElevCount(); ++i)
        if (!k.ElevLaesFejl(i))
            names.insert(folded(k.ElevKaldenavn(i)));

    for (std::size_t row = 1; row < rows.size(); ++row) {
        const auto& rec = rows[row];
        std::array<std::string, 5> utf8;
        bool empty = true;
        for (int c = 0; c < 5; ++c) {
            const int at = col[std::size_t(c)];
            if (at >= 0 && std::size_t(at) < rec.size())
                utf8[std::size_t(c)] = trimmed(rec[std::size_t(at)]);
            empty = empty && utf8[std::size_t(c)].empty();
        }
        if (empty)
            continue;
        auto refuse = [&](std::string why) { r.afvist.push_back({int(row) + 1, std::move(why)}); };

        std::array<std::string, 5> ansiText;
        std::string why;
        for (int c = 0; c < 5 && why.empty(); ++c) {
            const std::string& v = utf8[std::size_t(c)];
            const std::string title = kElevlisteKolonner[c];
            if (hasControl(v)) {
                why = title + " har et linjeskift eller et andet styretegn";
            } else if (auto a = ansi::FromUtf8(v)) {
                if (a->size() > kMaxCountedString)
                    why = title + " er for lang";
                else
                    ansiText[std::size_t(c)] = std::move(*a);
            } else {
                why = title + " " + q(v) + " har et tegn, som programmet ikke kan gemme";
            }
        }
        if (!why.empty()) {
            refuse(why);
            continue;
        }
        if (ansiText[0].empty()) {
            refuse("kaldenavnet mangler");
            continue;
        }
        if (names.count(folded(ansiText[0]))) {
            refuse("kaldenavnet " + q(utf8[0]) + " findes allerede");
            continue;
        }
        const auto gender = genderOf(utf8[3]);
        if (!gender) {
            refuse("køn " + q(utf8[3]) + " er hverken dreng eller pige");
            continue;
        }
        if (k.ElevCount() >= tKlasse::kMaxElever) {
            refuse("klassen har allerede " + std::to_string(tKlasse::kMaxElever) + " elever");
            continue;
        }
        // As typed into the next free row of the class setup: the nickname
        // first, which makes the pupil, then the rest by the same setters.
        const int i = k.ElevCount();
        (void)k.SetElevKaldenavn(i, ansiText[0]);
        (void)k.SetElevFuldeNavn(i, ansiText[1]);
        (void)k.SetElevFoedselsdag(i, ansiText[2]);
        (void)k.SetElevKoen(i, *gender);
        (void)k.SetElevElevkode(i, ansiText[4]);
        names.insert(folded(ansiText[0]));
        ++r.taget;
    }
    return r;
}

ElevlisteImport ImportElevlisteFil(tKlasse& k, const std::string& path)
{
    DataReader in;
    std::string bytes;
    if (in.OpenForRead(path) && in.remaining() <= kMaxFileBytes) {
        bytes.resize(std::size_t(in.remaining()));
        if (!bytes.empty() && !in.ReadBytes(bytes.data(), bytes.size()))
            bytes.clear();
    }
    if (!in.ok() || in.remaining() != 0) {
        ElevlisteImport r;
        r.status = ElevlisteImport::Status::Ulaeselig;
        r.fejl = in.ok() ? "larger than any pupil list" : "cannot be read";
        return r;
    }
    return ImportElevliste(k, bytes);
}

std::string AfvisteRaekkerTekst(const std::vector<AfvistRaekke>& afvist)
{
    std::string out = "Disse rækker blev ikke taget med:";
    for (const AfvistRaekke& a : afvist)
        out += "\nRække " + std::to_string(a.raekke) + ": " + a.grund;
    return out;
}
