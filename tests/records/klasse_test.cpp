// The class record, its file, and the pupils' file names.
#include "../support/tempdir.h"
#include "ansi.h"
#include "datefmt.h"
#include "klasse.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct KlasseTest : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }
    TempDir dir;
};

} // namespace

TEST_F(KlasseTest, ByskolenIsWrittenByteForByte)
{
    tKlasse k;
    ASSERT_TRUE(k.SetSkole("Byskolen"));
    ASSERT_TRUE(k.SetKlasse("4a"));
    ASSERT_TRUE(k.SetLaerer("Hansen"));
    k.SetElevKaldenavn(0, "Ole");
    const std::string path = dir.file("4a.kla");
    ASSERT_TRUE(k.SaveToFile(path));
    EXPECT_FALSE(k.GemFejl());

    Bytes want;
    putStr(want, "Byskolen");
    putStr(want, "4a");
    putStr(want, "Hansen");
    put32(want, 0);
    put32(want, 1);
    putStr(want, dir.file("4a_Ole.ele"));
    putStr(want, std::string(50, ' '));
    EXPECT_EQ(ReadAll(path), want);
    EXPECT_TRUE(std::filesystem::exists(dir.file("4a_Ole.ele")));
}

TEST_F(KlasseTest, EmptyClassRoundTrips)
{
    tKlasse k;
    k.ToggleTilbudt(4);
    const std::string path = dir.file("tom.kla");
    ASSERT_TRUE(k.SaveToFile(path));
    auto back = tKlasse::LoadFromFile(path);
    EXPECT_FALSE(back->LaesFejl());
    EXPECT_TRUE(back->IngenElever());
    EXPECT_TRUE(back->HobbyTilbudt(4));
    EXPECT_FALSE(back->Aendret());
    EXPECT_GT(back->Tidspunkt(), 40000.0);
}

TEST_F(KlasseTest, PerPositionSettersGrowAndTrim)
{
    tKlasse k;
    k.ToggleTilbudt(9);
    EXPECT_FALSE(k.SetElevFuldeNavn(3, "Ida Holm"));
    EXPECT_EQ(k.ElevCount(), 4);
    EXPECT_TRUE(k.Aendret());
    EXPECT_EQ(k.GetElev(2)->Hobbyer()[8], 'x');   // a copy of the class's offer
    EXPECT_EQ(k.ElevFuldeNavn(7), "");
    EXPECT_TRUE(k.ElevDatoOk(7));

    // Clearing the last pupil removes it and the empty ones before it.
    EXPECT_TRUE(k.SetElevFuldeNavn(3, ""));
    EXPECT_EQ(k.ElevCount(), 0);

    k.SetElevKaldenavn(0, "A");
    k.SetElevKaldenavn(2, "C");
    EXPECT_FALSE(k.TrimEmptyTail(1));   // not the last position
    EXPECT_TRUE(k.SetElevKaldenavn(2, ""));
    EXPECT_EQ(k.ElevCount(), 1);
}

TEST_F(KlasseTest, MarkingAndDeletingRemovesFilesOnceTheClassFileIsWritten)
{
    tKlasse k;
    for (int i = 0; i < 4; ++i)
        k.SetElevKaldenavn(i, std::string(1, char('A' + i)));
    const std::string path = dir.file("3b.kla");
    ASSERT_TRUE(k.SaveToFile(path));
    k.ToggleMarkeret(1);
    k.ToggleMarkeret(3);
    k.ToggleMarkeret(17);
    EXPECT_EQ(k.CountMarkeret(), 2);
    k.DeleteMarkeret();
    EXPECT_TRUE(k.Aendret());
    EXPECT_EQ(k.ElevCount(), 2);
    EXPECT_EQ(k.ElevKaldenavn(1), "C");
    EXPECT_FALSE(k.AnyMarkeret());
    // The class file on disk still names them, so their files stay.
    EXPECT_TRUE(std::filesystem::exists(dir.file("3b_B.ele")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("3b_D.ele")));
    EXPECT_EQ(tKlasse::LoadFromFile(path)->ElevCount(), 4);

    ASSERT_TRUE(k.SaveToFile(path));
    EXPECT_FALSE(std::filesystem::exists(dir.file("3b_B.ele")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("3b_D.ele")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("3b_C.ele")));
    EXPECT_TRUE(k.SletteFiler().empty());
    auto back = tKlasse::LoadFromFile(path);
    EXPECT_FALSE(back->LaesFejl());
    EXPECT_EQ(back->ElevCount(), 2);
    EXPECT_TRUE(back->UlaeseligeFiler().empty());
}

TEST_F(KlasseTest, ADeletedPupilsFileNameTakenByANewPupilIsKept)
{
    tKlasse k;
    k.SetElevKaldenavn(0, "Ib");
    k.SetElevKaldenavn(1, "Bo");
    const std::string path = dir.file("5c.kla");
    ASSERT_TRUE(k.SaveToFile(path));
    k.ToggleMarkeret(1);
    k.DeleteMarkeret();
    k.SetElevKaldenavn(1, "Bo");   // a new Bo, before the class was saved
    k.SetElevFuldeNavn(1, "Bo Nielsen");
    ASSERT_TRUE(k.SaveToFile(path));
    ASSERT_TRUE(std::filesystem::exists(dir.file("5c_Bo.ele")));
    EXPECT_EQ(tElev::LoadFromFile(dir.file("5c_Bo.ele"))->FuldeNavn(), "Bo Nielsen");
}

TEST_F(KlasseTest, HobbyOffer)
{
    tKlasse k;
    k.ToggleTilbudt(4);
    k.ToggleTilbudt(9);
    k.ToggleTilbudt(0);
    k.ToggleTilbudt(51);
    EXPECT_EQ(k.AntalTilbudt(), 2);
    EXPECT_EQ(k.TilbudtNr(1), 4);
    EXPECT_EQ(k.TilbudtNr(2), 9);
    EXPECT_EQ(k.TilbudtNr(3), 0);
    EXPECT_EQ(k.TilbudtNr(0), 0);
    k.ToggleTilbudt(4);
    EXPECT_FALSE(k.HobbyTilbudt(4));
}

TEST_F(KlasseTest, PupilFileNames)
{
    tKlasse k;
    const struct { const char* nick; const char* klasse; const char* want; } cases[] = {
        {"Anne-Sofie", "/Skoler/4a.kla", "/Skoler/4a_AnneSofie.ele"},
        {"S\xF8ren \xC5ge", "/Skoler/4a.kla", "/Skoler/4a_S\xC3\xB8ren\xC3\x85ge.ele"},   // Søren Åge, UTF-8 on disk
        {"Bo", "/Klasser/3b", "/Klasser/3b_Bo.ele"},
        {"Bo", "/Kl.2010/3b", "/Kl.2010/3b_Bo.ele"},
    };
    for (const auto& c : cases) {
        k.SetElevKaldenavn(0, c.nick);
        k.MakeElevFilNavn(0, c.klasse);
        EXPECT_EQ(k.ElevFilNavn(0), c.want) << c.nick;
    }
    k.SetElevKaldenavn(9, "??");
    k.MakeElevFilNavn(9, "/Skoler/4a.kla");
    EXPECT_EQ(k.ElevFilNavn(9), "/Skoler/4a_00A.ele");
}

TEST_F(KlasseTest, PupilsNeverShareAFile)
{
    tKlasse k;
    k.SetElevKaldenavn(0, "Anne-Sofie");
    k.SetElevKaldenavn(1, "AnneSofie");
    k.SetElevKaldenavn(2, "Ole");
    k.SetElevKaldenavn(3, "ole");
    k.SetElevKaldenavn(4, "OLE!");
    k.SetElevKaldenavn(5, "Mia");
    const std::string path = dir.file("4a.kla");
    ASSERT_TRUE(k.SaveToFile(path));
    EXPECT_EQ(k.ElevFilNavn(0), dir.file("4a_AnneSofie.ele"));
    EXPECT_EQ(k.ElevFilNavn(1), dir.file("4a_AnneSofie_2.ele"));
    EXPECT_EQ(k.ElevFilNavn(2), dir.file("4a_Ole.ele"));
    EXPECT_EQ(k.ElevFilNavn(3), dir.file("4a_ole_2.ele"));
    EXPECT_EQ(k.ElevFilNavn(4), dir.file("4a_OLE_3.ele"));
    EXPECT_EQ(k.ElevFilNavn(5), dir.file("4a_Mia.ele"));

    auto back = tKlasse::LoadFromFile(path);
    ASSERT_FALSE(back->LaesFejl());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(back->ElevKaldenavn(i), k.ElevKaldenavn(i));

    // Deleting the first Ole keeps the others' files where they are... and
    // a pupil moved to a new name is written there even though unchanged.
    back->ToggleMarkeret(2);
    back->DeleteMarkeret();
    ASSERT_TRUE(back->SaveToFile(path));
    auto again = tKlasse::LoadFromFile(path);
    ASSERT_FALSE(again->LaesFejl());
    EXPECT_EQ(again->ElevCount(), 5);
    EXPECT_EQ(again->ElevKaldenavn(2), "ole");
    EXPECT_EQ(again->ElevKaldenavn(3), "OLE!");
}

TEST_F(KlasseTest, ShiftedNumberNamesAreWrittenNotLost)
{
    // Two pupils without a nickname are named by position; when the first
    // row goes, the second moves to a new name and must be written there.
    tKlasse k;
    k.SetElevFuldeNavn(0, "Uden Navn");
    k.SetElevFuldeNavn(1, "Heller Ikke");
    const std::string path = dir.file("x.kla");
    ASSERT_TRUE(k.SaveToFile(path));
    EXPECT_EQ(k.ElevFilNavn(1), dir.file("x_002.ele"));
    k.ToggleMarkeret(0);
    k.DeleteMarkeret();
    ASSERT_TRUE(k.SaveToFile(path));
    auto back = tKlasse::LoadFromFile(path);
    ASSERT_FALSE(back->LaesFejl());
    EXPECT_EQ(back->ElevFuldeNavn(0), "Heller Ikke");
}

TEST_F(KlasseTest, SavedElsewhereTakesEveryPupilAlong)
{
    tKlasse k;
    k.SetElevKaldenavn(0, "Ib");
    ASSERT_TRUE(k.SaveToFile(dir.file("a.kla")));
    std::filesystem::create_directory(dir.file("ny"));
    ASSERT_TRUE(k.SaveToFile(dir.file("ny/a.kla")));   // Ib unchanged since the first save
    auto back = tKlasse::LoadFromFile(dir.file("ny/a.kla"));
    EXPECT_FALSE(back->LaesFejl());
    EXPECT_EQ(back->ElevKaldenavn(0), "Ib");
}

TEST_F(KlasseTest, AWindowsClassFolderOpensHere)
{
    // Written on Windows: backslash paths, Windows-1252 names, a drive letter.
    tElev soren;
    ASSERT_TRUE(soren.SetKaldenavn("S\xF8ren"));
    ASSERT_TRUE(soren.SaveToFile(dir.file("4a_S\xC3\xB8ren.ele")));
    tElev ida;
    ASSERT_TRUE(ida.SetKaldenavn("Ida"));
    ASSERT_TRUE(ida.SaveToFile(dir.file("4a_Ida.ele")));

    Bytes kla;
    putStr(kla, "Byskolen");
    putStr(kla, "4a");
    putStr(kla, "Hansen");
    put32(kla, 0);
    put32(kla, 2);
    putStr(kla, "C:\\Skoler\\4a_S\xF8ren.ele");
    putStr(kla, "D:4a_Ida.ele");
    putStr(kla, std::string(50, ' '));
    WriteAll(dir.file("4a.kla"), kla);

    auto k = tKlasse::LoadFromFile(dir.file("4a.kla"));
    ASSERT_FALSE(k->LaesFejl());
    EXPECT_EQ(k->ElevKaldenavn(0), "S\xF8ren");
    EXPECT_EQ(k->ElevFilNavn(0), dir.file("4a_S\xC3\xB8ren.ele"));

    // Saved here, the class file stores Windows-1252 names Windows can read.
    k->SetAendret();
    ASSERT_TRUE(k->SaveToFile(dir.file("4a.kla")));
    const Bytes out = ReadAll(dir.file("4a.kla"));
    const std::string ansiPath = ansi::FromUtf8(dir.file("4a_S\xC3\xB8ren.ele")).value();
    const Bytes want(ansiPath.begin(), ansiPath.end());
    EXPECT_NE(std::search(out.begin(), out.end(), want.begin(), want.end()), out.end());
}

TEST_F(KlasseTest, BrokenClassFiles)
{
    Bytes kla;
    putStr(kla, "Byskolen");
    putStr(kla, "4a");
    putStr(kla, "Hansen");
    put32(kla, 0);
    put32(kla, 0x7FFFFFFF);   // two billion pupils in a 40-byte file
    WriteAll(dir.file("ond.kla"), kla);
    auto k = tKlasse::LoadFromFile(dir.file("ond.kla"));
    EXPECT_TRUE(k->LaesFejl());
    EXPECT_EQ(k->ElevCount(), 0);

    // A missing pupil file does not stop the loading: the class opens with
    // every pupil, the missing one in its place.
    Bytes two;
    putStr(two, "S");
    putStr(two, "K");
    putStr(two, "L");
    put32(two, 0);
    put32(two, 2);
    putStr(two, "mangler.ele");
    putStr(two, "findes.ele");
    putStr(two, std::string(50, ' '));
    WriteAll(dir.file("to.kla"), two);
    tElev findes;
    ASSERT_TRUE(findes.SetKaldenavn("Findes"));
    ASSERT_TRUE(findes.SaveToFile(dir.file("findes.ele")));
    k = tKlasse::LoadFromFile(dir.file("to.kla"));
    EXPECT_FALSE(k->LaesFejl());
    ASSERT_EQ(k->ElevCount(), 2);
    EXPECT_TRUE(k->ElevLaesFejl(0));
    EXPECT_FALSE(k->ElevLaesFejl(1));
    EXPECT_EQ(k->ElevKaldenavn(1), "Findes");
    EXPECT_EQ(k->UlaeseligeFiler(), std::vector<std::string>{dir.file("mangler.ele")});
}

TEST_F(KlasseTest, ReloadAndLastChanged)
{
    tKlasse k;
    k.SetElevKaldenavn(0, "Ib");
    const std::string path = dir.file("r.kla");
    EXPECT_EQ(k.SidstAendret(0), "");   // no file yet
    ASSERT_TRUE(k.SaveToFile(path));
    EXPECT_FALSE(k.SidstAendret(0).empty());
    EXPECT_EQ(k.SidstAendret(5), "");

    tElev other;
    ASSERT_TRUE(other.SetKaldenavn("Ib"));
    other.SetMaal(1, 130);
    ASSERT_TRUE(other.SaveToFile(k.ElevFilNavn(0)));
    k.ReloadElev(0);
    EXPECT_EQ(k.GetElev(0)->Maal(1), 130);
    k.ReloadElev(4);   // out of range: nothing
    EXPECT_EQ(k.ElevCount(), 1);
}

TEST_F(KlasseTest, ProposedFileNameFromClassName)
{
    tKlasse k;
    k.SetFilNavnFraKlasse("4.a");
    EXPECT_EQ(k.FilNavn(), "4a");
    k.SetFilNavnFraKlasse("5.\xF8 (2010)");
    EXPECT_EQ(k.FilNavn(), "5\xC3\xB8" "2010");
}

// A book is drawn from a copy of the class: the copy must hold everything
// the files hold (two swapped or forgotten fields would draw another book),
// and nothing done to the copy may reach the class.
TEST_F(KlasseTest, ACloneHoldsEverythingAndIsItsOwn)
{
    tKlasse k;
    ASSERT_TRUE(k.SetSkole("Byskolen"));
    ASSERT_TRUE(k.SetKlasse("4.a"));
    ASSERT_TRUE(k.SetLaerer("Hansen"));
    ASSERT_TRUE(k.SetKode("hemmelig"));
    k.ToggleTilbudt(7);
    k.SetElevKaldenavn(0, "Ida");
    k.SetElevFuldeNavn(0, "Ida Holm");
    k.SetElevFoedselsdag(0, "02-03-2015");
    k.SetElevKoen(0, "pige");
    k.SetElevKaldenavn(1, "Bo");
    tElev& first = *k.GetElev(0);
    first.SetFarve(Del::Haar, 0x123456);
    first.SetVandret(Del::Oejne, 0.375);
    first.SetZoom(Del::Mund, 9);
    first.SetMaal(1, 131);
    first.SetMaal(14, 22);
    first.SetHobby(7, true);
    first.SetBagsideValg(4);
    ASSERT_TRUE(first.SetBogTekst(18, "Jul"));
    const int g = first.AddGren(2);
    first.SetGrenRaekke(g, 1);
    first.SetGrenXpos(g, 0.25);
    for (GrenTekst t : {GrenTekst::FuldeNavn, GrenTekst::Bladnavn, GrenTekst::ErMin, GrenTekst::GiftMed,
                        GrenTekst::Afkom, GrenTekst::Notat})
        ASSERT_TRUE(first.SetGrenTekst(g, t, "tekst " + std::to_string(int(t))));
    Pixels24 photo(180, 240);
    for (std::size_t i = 0; i < photo.data.size(); ++i)
        photo.data[i] = std::uint8_t(i * 7);
    ASSERT_TRUE(first.SetGrenFoto(g, photo));
    first.AddGren(1);
    const std::string path = dir.file("4a.kla");
    ASSERT_TRUE(k.SaveToFile(path));
    // The class as the program opens it, a pupil changed since and marked.
    auto open = tKlasse::LoadFromFile(path);
    ASSERT_FALSE(open->LaesFejl());
    ASSERT_FALSE(open->Aendret());
    tElev& ida = *open->GetElev(0);
    ida.SetMaal(2, 55);
    ida.SetGrenValgt(g, true);
    ida.SetGrenRect(g, {1, 2, 3, 4});
    open->ToggleMarkeret(1);
    auto c = open->Clone();
    EXPECT_EQ(c->Skole(), "Byskolen");
    EXPECT_EQ(c->Klasse(), "4.a");
    EXPECT_EQ(c->Laerer(), "Hansen");
    EXPECT_EQ(c->Kode(), "hemmelig");
    EXPECT_EQ(c->Hobbyer(), open->Hobbyer());
    EXPECT_EQ(c->FilNavn(), path);
    EXPECT_EQ(c->Tidspunkt(), open->Tidspunkt());
    EXPECT_FALSE(c->Aendret());
    ASSERT_EQ(c->ElevCount(), 2);
    EXPECT_FALSE(c->GetMarkeret(1));
    EXPECT_TRUE(open->GetMarkeret(1));
    const tElev& kopi = *c->GetElev(0);
    EXPECT_TRUE(kopi.Aendret());
    EXPECT_EQ(kopi.FilNavn(), ida.FilNavn());
    EXPECT_TRUE(kopi.DiskStamp().SameAs(ida.DiskStamp()));
    EXPECT_TRUE(kopi.GrenValgt(g));
    EXPECT_EQ(kopi.GrenRect(g), (IntRect{1, 2, 3, 4}));
    EXPECT_EQ(kopi.LastValgtGren(), g);

    // Every stored field: the copy writes the same bytes as the pupil.
    c->GetElev(0)->SetFilNavn(dir.file("kopi.ele"));
    c->GetElev(0)->SetAendret();
    ASSERT_TRUE(c->GetElev(0)->SaveToFile(dir.file("kopi.ele")));
    ASSERT_TRUE(ida.SaveToFile(ida.FilNavn()));
    EXPECT_FALSE(ida.Aendret());
    EXPECT_EQ(ReadAll(dir.file("kopi.ele")), ReadAll(ida.FilNavn()));

    // The copy's photo, leaves and fields are its own.
    tElev& mine = *c->GetElev(0);
    mine.ClearGrenFoto(g);
    ASSERT_TRUE(mine.SetGrenTekst(g, GrenTekst::Notat, "andet"));
    mine.AddShownGren(0);
    mine.SetGrenValgt(g, false);
    Pixels24 back;
    ASSERT_TRUE(ida.GetGrenFoto(g, back));
    EXPECT_EQ(back.data, photo.data);
    EXPECT_EQ(ida.GrenTekstOf(g, GrenTekst::Notat), "tekst 5");
    EXPECT_EQ(ida.GrenCount(), 2);
    EXPECT_TRUE(ida.GrenValgt(g));
    EXPECT_FALSE(ida.Aendret());
    c->SetElevKaldenavn(1, "Bodil");
    EXPECT_EQ(open->ElevKaldenavn(1), "Bo");
    EXPECT_FALSE(open->Aendret());
}

TEST_F(KlasseTest, ACloneKeepsPupilsThatCouldNotBeRead)
{
    tKlasse k;
    ASSERT_TRUE(k.SetKlasse("4a"));
    k.SetElevKaldenavn(0, "Ida");
    k.SetElevKaldenavn(1, "Bo");
    const std::string path = dir.file("4a.kla");
    ASSERT_TRUE(k.SaveToFile(path));
    WriteAll(k.ElevFilNavn(1), {1, 2, 3});
    auto read = tKlasse::LoadFromFile(path);
    ASSERT_TRUE(read->ElevLaesFejl(1));
    auto c = read->Clone();
    EXPECT_FALSE(c->ElevLaesFejl(0));
    EXPECT_TRUE(c->ElevLaesFejl(1));
    EXPECT_EQ(c->UlaeseligeFiler(), read->UlaeseligeFiler());
}
