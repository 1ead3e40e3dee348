// The pupil list as CSV: the field reader, the text decoding, the export and
// the import with its rules.
#include "../support/tempdir.h"
#include "ansi.h"
#include "datefmt.h"
#include "elevliste.h"
#include "klasse.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;

std::unique_ptr<tKlasse> namedClass(std::initializer_list<const char*> nicknames = {})
{
    auto k = std::make_unique<tKlasse>();
    (void)k->SetKlasse("4a");
    int i = 0;
    for (const char* n : nicknames)
        k->SetElevKaldenavn(i++, n);
    return k;
}

// Windows-1252 bytes of UTF-8 text that has them.
std::string ansiOf(const char* utf8)
{
    return ansi::FromUtf8(utf8).value();
}

struct Elevliste : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }
    TempDir dir;
};

} // namespace

// ---- the field reader ----

TEST(Csv, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks)
{
    EXPECT_EQ(csv::Parse("a;b;c", ';'), (Rows{{"a", "b", "c"}}));
    EXPECT_EQ(csv::Parse("\"Holm; Ida\";\"Bo, \"\"Bobo\"\"\";x", ';'),
              (Rows{{"Holm; Ida", "Bo, \"Bobo\"", "x"}}));
    EXPECT_EQ(csv::Parse("\"to\nlinjer\",b\r\nc,d", ','), (Rows{{"to\nlinjer", "b"}, {"c", "d"}}));
    // A quote inside an unquoted field is a character like any other.
    EXPECT_EQ(csv::Parse("Bo \"B\" Ek;2", ';'), (Rows{{"Bo \"B\" Ek", "2"}}));
    // Text after a closing quote stays with the field.
    EXPECT_EQ(csv::Parse("\"Ida\" Holm;2", ';'), (Rows{{"Ida Holm", "2"}}));
    // The other separators are ordinary characters.
    EXPECT_EQ(csv::Parse("a,b;c\td", '\t'), (Rows{{"a,b;c", "d"}}));
}

TEST(Csv, LineEndsAndEmptyFields)
{
    EXPECT_TRUE(csv::Parse("", ';').empty());
    EXPECT_EQ(csv::Parse("a\r\nb\nc\rd", ';'), (Rows{{"a"}, {"b"}, {"c"}, {"d"}}));
    EXPECT_EQ(csv::Parse("a\r\n", ';'), (Rows{{"a"}}));
    EXPECT_EQ(csv::Parse(";;\r\n\r\nx", ';'), (Rows{{"", "", ""}, {""}, {"x"}}));
    EXPECT_EQ(csv::Parse("\"\";\"\"", ';'), (Rows{{"", ""}}));
    // A quote never closed keeps what it holds.
    EXPECT_EQ(csv::Parse("a;\"b;c", ';'), (Rows{{"a", "b;c"}}));
}

TEST(Csv, FieldsAreQuotedOnlyWhenTheyMustBe)
{
    EXPECT_EQ(csv::Field("Ida Holm", ';'), "Ida Holm");
    EXPECT_EQ(csv::Field("Holm, Ida", ';'), "Holm, Ida");
    EXPECT_EQ(csv::Field("Holm, Ida", ','), "\"Holm, Ida\"");
    EXPECT_EQ(csv::Field("a;b", ';'), "\"a;b\"");
    EXPECT_EQ(csv::Field("Bo \"B\"", ';'), "\"Bo \"\"B\"\"\"");
    EXPECT_EQ(csv::Field("a\nb", ';'), "\"a\nb\"");
    EXPECT_EQ(csv::Field(" Ida", ';'), "\" Ida\"");
    EXPECT_EQ(csv::Field("", ';'), "");
    for (const char* v : {"a;b", "Bo \"B\"", "x\r\ny", " y ", "\"", ";"})
        EXPECT_EQ(csv::Parse(csv::Field(v, ';'), ';'), (Rows{{v}})) << v;
}

TEST(Csv, TextIsDecodedByItsMarkOrItsBytes)
{
    EXPECT_EQ(csv::DecodeText("\xEF\xBB\xBF" "S\xC3\xB8ren"), "S\xC3\xB8ren");
    EXPECT_EQ(csv::DecodeText("S\xC3\xB8ren"), "S\xC3\xB8ren");
    // Not UTF-8: Windows-1252, where 0x80 to 0x9F differ from Latin-1.
    EXPECT_EQ(csv::DecodeText("S\xF8ren \x80\x8A"), "S\xC3\xB8ren \xE2\x82\xAC\xC5\xA0");
    // UTF-16 with its mark, both byte orders, with a pair for U+1F600.
    EXPECT_EQ(csv::DecodeText(std::string("\xFF\xFE" "A\0\xF8\0=\xD8\0\xDE", 10)), "A\xC3\xB8\xF0\x9F\x98\x80");
    EXPECT_EQ(csv::DecodeText(std::string("\xFE\xFF\0A\0\xF8", 6)), "A\xC3\xB8");
    // A lone half of a pair is no character.
    EXPECT_EQ(csv::DecodeText(std::string("\xFF\xFE\x00\xD8" "A\0", 6)), "\xEF\xBF\xBD" "A");
}

// ---- export ----

TEST_F(Elevliste, ExportWritesTitlesAndOneRowPerPupil)
{
    auto k = namedClass();
    k->SetElevKaldenavn(0, ansiOf("Søren"));
    k->SetElevFuldeNavn(0, ansiOf("Søren Holm; junior"));
    k->SetElevFoedselsdag(0, "3.4.2015");
    k->SetElevKoen(0, "dreng");
    k->SetElevElevkode(0, "kat");
    k->SetElevKaldenavn(1, "Ida");
    EXPECT_EQ(ElevlisteCsv(*k),
              "\xEF\xBB\xBF" "Kaldenavn;Fulde navn;F\xC3\xB8" "dselsdag;K\xC3\xB8n;Elevkode\r\n"
              "S\xC3\xB8ren;\"S\xC3\xB8ren Holm; junior\";03-04-2015;dreng;kat\r\n"
              "Ida;;01-01-2000;dreng;\r\n");   // a new pupil's own date and gender
    const std::string path = dir.file("liste.csv");
    ASSERT_TRUE(k->SaveToFile(dir.file("4a.kla")));
    ASSERT_TRUE(GemElevliste(*k, path));
    const Bytes b = ReadAll(path);
    EXPECT_EQ(std::string(b.begin(), b.end()), ElevlisteCsv(*k));
    // An export is no change of the class or its pupils.
    EXPECT_FALSE(k->GetElev(0)->Aendret());
    EXPECT_FALSE(k->GetElev(1)->Aendret());
}

TEST_F(Elevliste, ExportToAFolderThatIsNotThereFails)
{
    auto k = namedClass({"Ida"});
    std::string why;
    EXPECT_FALSE(GemElevliste(*k, dir.file("ikke/her.csv"), &why));
    EXPECT_FALSE(why.empty());
}

// ---- import ----

TEST_F(Elevliste, ARoundTripIntoAnEmptyClassGivesTheSamePupils)
{
    auto from = namedClass();
    const char* rows[][5] = {{"Ida", "Ida Marie Holm", "01-02-2015", "pige", ""},
                             {"Søren", "Søren \"Bams\" Å; Ø", "31-12-2014", "dreng", "hemmelig"},
                             {"Æble", "", "", "", ""},
                             {"Bo", "Bo, den lille", "29-02-2016", "", "x,y"}};
    for (int i = 0; i < 4; ++i) {
        from->SetElevKaldenavn(i, ansiOf(rows[i][0]));
        from->SetElevFuldeNavn(i, ansiOf(rows[i][1]));
        from->SetElevFoedselsdag(i, ansiOf(rows[i][2]));
        from->SetElevKoen(i, ansiOf(rows[i][3]));
        from->SetElevElevkode(i, ansiOf(rows[i][4]));
    }
    auto into = namedClass();
    const ElevlisteImport r = ImportElevliste(*into, ElevlisteCsv(*from));
    EXPECT_EQ(r.status, ElevlisteImport::Status::Ok);
    EXPECT_EQ(r.taget, 4);
    EXPECT_TRUE(r.afvist.empty());
    ASSERT_EQ(into->ElevCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(into->ElevKaldenavn(i), from->ElevKaldenavn(i));
        EXPECT_EQ(into->ElevFuldeNavn(i), from->ElevFuldeNavn(i));
        EXPECT_EQ(into->ElevFoedselsdag(i), from->ElevFoedselsdag(i));
        EXPECT_EQ(into->ElevKoen(i), from->ElevKoen(i));
        EXPECT_EQ(into->ElevElevkode(i), from->ElevElevkode(i));
        EXPECT_EQ(into->ElevDatoOk(i), from->ElevDatoOk(i));
    }
    EXPECT_TRUE(into->Aendret());
    EXPECT_EQ(ElevlisteCsv(*into), ElevlisteCsv(*from));
}

TEST_F(Elevliste, RowsThatCannotBeTakenAreNamedAndTheRestTaken)
{
    // 47 pupils already; the file brings a Polish name, a duplicate (in
    // another case), a row without a nickname and then four more, of which
    // the class has room for three.
    auto k = namedClass();
    for (int i = 0; i < 47; ++i)
        k->SetElevKaldenavn(i, "Elev" + std::to_string(i));
    std::string file = "Kaldenavn;Fulde navn;K\xC3\xB8n\r\n"
                       "Ny1;;pige\r\n"                      // row 2
                       "\xC5\x81ucja;\xC5\x81ucja Nowak;\r\n"  // row 3: Ł
                       "ELEV3;;\r\n"                        // row 4
                       ";Uden Kaldenavn;\r\n"               // row 5
                       ";;\r\n"                             // row 6: empty, passed over
                       "Ny2;;x\r\n"                         // row 7: no gender
                       "Ny3;;D\r\n"                         // row 8
                       "Ny4;;m\r\n"                         // row 9: the 50th pupil
                       "Ny5;;K\r\n";                        // row 10: the 51st
    const ElevlisteImport r = ImportElevliste(*k, file);
    EXPECT_EQ(r.status, ElevlisteImport::Status::Ok);
    EXPECT_EQ(r.taget, 3);
    ASSERT_EQ(k->ElevCount(), 50);
    EXPECT_EQ(k->ElevKaldenavn(47), "Ny1");
    EXPECT_EQ(k->ElevKoen(47), "pige");
    EXPECT_EQ(k->ElevKaldenavn(48), "Ny3");
    EXPECT_EQ(k->ElevKoen(48), "dreng");
    EXPECT_EQ(k->ElevKaldenavn(49), "Ny4");
    EXPECT_EQ(k->ElevKoen(49), "dreng");
    ASSERT_EQ(r.afvist.size(), 5u);
    EXPECT_EQ(AfvisteRaekkerTekst(r.afvist),
              "Disse rækker blev ikke taget med:\n"
              "Række 3: Kaldenavn \"Łucja\" har et tegn, som programmet ikke kan gemme\n"
              "Række 4: kaldenavnet \"ELEV3\" findes allerede\n"
              "Række 5: kaldenavnet mangler\n"
              "Række 7: køn \"x\" er hverken dreng eller pige\n"
              "Række 10: klassen har allerede 50 elever");
}

TEST_F(Elevliste, ANicknameTwiceInTheFileIsTakenOnce)
{
    auto k = namedClass({"Bo"});
    const ElevlisteImport r = ImportElevliste(*k, "Kaldenavn\n\xC3\x85se\nMo\n\xC3\xA5SE\nbo\nMo\n");
    EXPECT_EQ(r.taget, 2);
    ASSERT_EQ(k->ElevCount(), 3);
    ASSERT_EQ(r.afvist.size(), 3u);
    EXPECT_EQ(r.afvist[0].raekke, 4);
    EXPECT_EQ(r.afvist[0].grund, "kaldenavnet \"\xC3\xA5SE\" findes allerede");
    EXPECT_EQ(r.afvist[1].raekke, 5);
    EXPECT_EQ(r.afvist[2].raekke, 6);
}

TEST_F(Elevliste, WindowsAndUtf8FilesReadAlike)
{
    const std::string utf8 = "Kaldenavn;Fulde navn\r\nS\xC3\xB8ren;S\xC3\xB8ren \xC3\x85" "berg \xE2\x82\xAC\r\n";
    const std::string cp1252 = "Kaldenavn;Fulde navn\r\nS\xF8ren;S\xF8ren \xC5" "berg \x80\r\n";
    auto a = namedClass(), b = namedClass(), c = namedClass();
    ASSERT_EQ(ImportElevliste(*a, utf8).taget, 1);
    ASSERT_EQ(ImportElevliste(*b, cp1252).taget, 1);
    ASSERT_EQ(ImportElevliste(*c, "\xEF\xBB\xBF" + utf8).taget, 1);
    for (tKlasse* k : {a.get(), b.get(), c.get()}) {
        EXPECT_EQ(k->ElevKaldenavn(0), "S\xF8ren");
        EXPECT_EQ(k->ElevFuldeNavn(0), "S\xF8ren \xC5" "berg \x80");
    }
}

TEST_F(Elevliste, ColumnsAreFoundByTitleInAnyOrderWithAnySeparator)
{
    for (const char* sep : {";", ",", "\t"}) {
        const std::string s = sep;
        auto k = namedClass();
        const std::string file = "  elevkode " + s + "K\xC3\x98N" + s + "Noter" + s + "kaldenavn" + s
            + "F\xC3\xB8" "dselsdag\n" "k1" + s + "P" + s + "\"a" + s + "b\"" + s + "Ida" + s + "3/4/2015\n";
        const ElevlisteImport r = ImportElevliste(*k, file);
        ASSERT_EQ(r.taget, 1) << "separator " << int(sep[0]);
        EXPECT_EQ(k->ElevKaldenavn(0), "Ida");
        EXPECT_EQ(k->ElevElevkode(0), "k1");
        EXPECT_EQ(k->ElevKoen(0), "pige");
        EXPECT_EQ(k->ElevFoedselsdag(0), "03-04-2015");
        EXPECT_EQ(k->ElevFuldeNavn(0), "");
    }
    // The comma list whose names hold semicolons, and the other way round.
    auto k = namedClass();
    ASSERT_EQ(ImportElevliste(*k, "Kaldenavn,Fulde navn\nBo,\"Ek, Bo; jr\"\n").taget, 1);
    EXPECT_EQ(k->ElevFuldeNavn(0), "Ek, Bo; jr");
    ASSERT_EQ(ImportElevliste(*k, "Kaldenavn;Fulde navn\nMo;\"Ek; Mo, jr\"\n").taget, 1);
    EXPECT_EQ(k->ElevFuldeNavn(1), "Ek; Mo, jr");
}

TEST_F(Elevliste, GenderWordsAndLetters)
{
    const std::pair<const char*, const char*> cases[] = {
        {"dreng", "dreng"}, {"Dreng", "dreng"}, {"D", "dreng"}, {"d", "dreng"}, {"M", "dreng"},
        {"pige", "pige"},   {"PIGE", "pige"},   {"P", "pige"},  {"k", "pige"},  {"", ""}};
    auto k = namedClass();
    std::string file = "Kaldenavn;Køn\n";
    for (std::size_t i = 0; i < std::size(cases); ++i)
        file += "E" + std::to_string(i) + ";" + cases[i].first + "\n";
    file += "X1;drenge\nX2;mand\nX3;DP\n";
    const ElevlisteImport r = ImportElevliste(*k, file);
    ASSERT_EQ(r.taget, int(std::size(cases)));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(k->ElevKoen(int(i)), cases[i].second) << cases[i].first;
    ASSERT_EQ(r.afvist.size(), 3u);
    EXPECT_EQ(r.afvist[0].raekke, int(std::size(cases)) + 2);
}

TEST_F(Elevliste, WhatCannotBeImportedAtAll)
{
    // A class without a name takes no pupils, as in the setup.
    tKlasse nameless;
    EXPECT_EQ(ImportElevliste(nameless, "Kaldenavn\nIda\n").status, ElevlisteImport::Status::KlasseMangler);
    EXPECT_TRUE(nameless.IngenElever());
    EXPECT_FALSE(nameless.Aendret());
    ASSERT_TRUE(namedClass()->SaveToFile(dir.file("4a.kla")));
    auto k = tKlasse::LoadFromFile(dir.file("4a.kla"));
    for (const char* file : {"", "Navn;Alder\nIda;9\n", "\xEF\xBB\xBF", "Fulde navn\nIda Holm\n"})
        EXPECT_EQ(ImportElevliste(*k, file).status, ElevlisteImport::Status::IngenKaldenavn) << file;
    EXPECT_TRUE(k->IngenElever());
    EXPECT_FALSE(k->Aendret());
    // Line breaks and control characters inside a field refuse the row.
    const ElevlisteImport r = ImportElevliste(*k, "Kaldenavn;Fulde navn\nIda;\"Ida\nHolm\"\nBo;B\x01o\nMo;\n");
    EXPECT_EQ(r.taget, 1);
    ASSERT_EQ(r.afvist.size(), 2u);
    EXPECT_EQ(r.afvist[0].raekke, 2);
    EXPECT_EQ(r.afvist[0].grund, "Fulde navn har et linjeskift eller et andet styretegn");
    EXPECT_EQ(r.afvist[1].raekke, 3);
    EXPECT_EQ(k->ElevKaldenavn(0), "Mo");
}

TEST_F(Elevliste, FilesThatCannotBeRead)
{
    auto k = namedClass();
    EXPECT_EQ(ImportElevlisteFil(*k, dir.file("ingen.csv")).status, ElevlisteImport::Status::Ulaeselig);
    EXPECT_EQ(ImportElevlisteFil(*k, dir.path()).status, ElevlisteImport::Status::Ulaeselig);
    WriteAll(dir.file("ok.csv"), {'K', 'a', 'l', 'd', 'e', 'n', 'a', 'v', 'n', '\n', 'I', 'd', 'a'});
    const ElevlisteImport r = ImportElevlisteFil(*k, dir.file("ok.csv"));
    EXPECT_EQ(r.status, ElevlisteImport::Status::Ok);
    EXPECT_EQ(r.taget, 1);
    EXPECT_EQ(k->ElevKaldenavn(0), "Ida");
    // Nothing was written: the new pupil has no file until the class is saved.
    EXPECT_TRUE(k->ElevFilNavn(0).empty());
}
