// The pupil file: exact bytes, round trips, broken and hostile files, safe saves.
#include "../support/tempdir.h"
#include "datefmt.h"
#include "elev.h"
#include "fileio.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// A pupil with every stored field away from its default, including ext80
// values a double cannot hold and two leaves, one with a photo.
std::unique_ptr<tElev> richPupil()
{
    auto e = std::make_unique<tElev>();
    EXPECT_TRUE(e->SetFuldeNavn("S\xF8ren \xC6" "blegaard"));   // Søren Æblegaard
    EXPECT_TRUE(e->SetKaldenavn("S\xF8ren"));
    EXPECT_TRUE(e->SetFoedselsdag("24-12-2016"));
    e->SetKoen("pige");
    EXPECT_TRUE(e->SetElevkode("Ab1"));
    for (int d = 0; d < kDelCount; ++d) {
        const Del del = Del(d);
        e->SetType(del, d + 1);
        e->SetFarve(del, 0x00102030u + d);
        e->SetFarveGruppe(del, 3);
        e->SetFarveSlide(del, 30 + d);
        e->SetSpejl(del, true);
        e->SetVandret(del, -0.05);
        e->SetLodret(del, 0.07 + d);
        e->SetVinkel(del, -7);
        e->SetZoom(del, 4);
    }
    for (int i = 1; i <= 14; ++i)
        e->SetMaal(i, i * 11);
    e->SetHobby(3, true);
    e->SetHobby(50, false);
    e->SetBagsideValg(7);
    for (int i = 1; i <= 18; ++i)
        EXPECT_TRUE(e->SetBogTekst(i, "svar " + std::to_string(i)));
    e->AddGren(1);
    e->AddGren(2);
    e->SetGrenXpos(1, 0.25);
    e->SetGrenRaekke(1, 2);
    EXPECT_TRUE(e->SetGrenTekst(1, GrenTekst::Notat, "linje 1\r\nlinje 2"));
    EXPECT_TRUE(e->SetGrenTekst(1, GrenTekst::ErMin, "mormor"));
    Pixels24 photo(180, 240);
    for (std::size_t k = 0; k < photo.data.size(); ++k)
        photo.data[k] = std::uint8_t(k * 7 + 3);
    EXPECT_TRUE(e->SetGrenFoto(1, photo));
    return e;
}

// Where richPupil()'s portrait starts: the seven identity fields before it.
constexpr std::size_t kRichPortraitOffset = (4 + 15) + (4 + 5) + (4 + 10) + 1 + (4 + 4) + (4 + 3) + 1;

void expectSameStoredFields(const tElev& a, const tElev& b)
{
    EXPECT_EQ(a.FuldeNavn(), b.FuldeNavn());
    EXPECT_EQ(a.Kaldenavn(), b.Kaldenavn());
    EXPECT_EQ(a.Foedselsdag(), b.Foedselsdag());
    EXPECT_EQ(a.DatoOk(), b.DatoOk());
    EXPECT_EQ(a.Koen(), b.Koen());
    EXPECT_EQ(a.Elevkode(), b.Elevkode());
    EXPECT_EQ(a.Tom(), b.Tom());
    for (int d = 0; d < kDelCount; ++d) {
        const Del del = Del(d);
        const FacePart &p = a.Part(del), &q = b.Part(del);
        EXPECT_EQ(p.Type, q.Type);
        if (HasFarve(del)) {
            EXPECT_EQ(p.Farve, q.Farve);
            EXPECT_EQ(p.FarveGruppe, q.FarveGruppe);
            EXPECT_EQ(p.FarveSlide, q.FarveSlide);
        }
        if (HasSpejl(del)) {
            EXPECT_EQ(p.Spejl, q.Spejl);
        }
        if (HasVandret(del)) {
            EXPECT_EQ(p.Vandret.bytes(), q.Vandret.bytes());
        }
        if (HasLodret(del)) {
            EXPECT_EQ(p.Lodret.bytes(), q.Lodret.bytes());
        }
        if (HasVinkel(del)) {
            EXPECT_EQ(p.Vinkel, q.Vinkel);
        }
        if (HasZoom(del)) {
            EXPECT_EQ(p.Zoom, q.Zoom);
        }
    }
    for (int i = 1; i <= 14; ++i)
        EXPECT_EQ(a.Maal(i), b.Maal(i));
    EXPECT_EQ(a.Hobbyer(), b.Hobbyer());
    EXPECT_EQ(a.BagsideValg(), b.BagsideValg());
    for (int i = 1; i <= 18; ++i)
        EXPECT_EQ(a.BogTekst(i), b.BogTekst(i));
    ASSERT_EQ(a.GrenCount(), b.GrenCount());
    for (int i = 0; i < a.GrenCount(); ++i) {
        const tStamGren &g = *a.Gren(i), &h = *b.Gren(i);
        EXPECT_EQ(g.Art, h.Art);
        EXPECT_EQ(g.Raekke, h.Raekke);
        EXPECT_EQ(g.Xpos.bytes(), h.Xpos.bytes());
        EXPECT_EQ(g.FuldeNavn, h.FuldeNavn);
        EXPECT_EQ(g.Bladnavn, h.Bladnavn);
        EXPECT_EQ(g.ErMin, h.ErMin);
        EXPECT_EQ(g.GiftMed, h.GiftMed);
        EXPECT_EQ(g.Afkom, h.Afkom);
        EXPECT_EQ(g.Notat, h.Notat);
        ASSERT_EQ(g.HarFoto, h.HarFoto);
        if (g.HarFoto) {
            EXPECT_EQ(0, std::memcmp(g.Foto.get(), h.Foto.get(), kPhotoBytes));
        }
    }
}

struct ElevFileTest : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }
    TempDir dir;
};

} // namespace

TEST_F(ElevFileTest, OleHansenIsWrittenByteForByte)
{
    tElev e;
    ASSERT_TRUE(e.SetFuldeNavn("Ole Hansen"));
    ASSERT_TRUE(e.SetKaldenavn("Ole"));
    const std::string path = dir.file("ole.ele");
    ASSERT_TRUE(e.SaveToFile(path));
    EXPECT_FALSE(e.Aendret());

    Bytes want;
    putStr(want, "Ole Hansen");
    putStr(want, "Ole");
    putStr(want, "01-01-2000");
    want.push_back(1);
    putStr(want, "dreng");
    put32(want, 0);
    want.push_back(0);
    // Portrait: Ansigt 00 00, FF FF FF 00, 00 00, 12 00, then the rest at
    // defaults: every coloured part white with slider 18, offsets 0.
    auto colourPart = [&] { want.insert(want.end(), {0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x12, 0}); };
    auto zeros = [&](int n) { want.insert(want.end(), std::size_t(n), 0); };
    colourPart();                          // Ansigt
    colourPart(); zeros(24);               // Bryn
    colourPart(); zeros(1);                // Haar
    colourPart(); zeros(24);               // Oejne
    colourPart(); zeros(14);               // Mund
    zeros(16);                             // Naese
    colourPart(); zeros(14);               // Briller
    zeros(14 * 4);
    putStr(want, std::string(50, ' '));
    put32(want, 0);
    put32(want, 1);
    zeros(18 * 4);

    EXPECT_EQ(want.size(), 380u + 13u);   // 380 for a fresh record, plus the names
    EXPECT_EQ(ReadAll(path), want);
}

TEST_F(ElevFileTest, UnchangedRecordIsNotWritten)
{
    tElev e;
    const std::string path = dir.file("never.ele");
    EXPECT_TRUE(e.SaveToFile(path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ElevFileTest, EveryStoredFieldRoundTrips)
{
    auto e = richPupil();
    const std::string path = dir.file("rig.ele");
    ASSERT_TRUE(e->SaveToFile(path));
    auto back = tElev::LoadFromFile(path);
    EXPECT_FALSE(back->LaesFejl());
    EXPECT_FALSE(back->Aendret());
    EXPECT_EQ(back->FilNavn(), path);
    expectSameStoredFields(*e, *back);

    // Saved again it gives the same bytes.
    back->SetAendret();
    const std::string again = dir.file("igen.ele");
    ASSERT_TRUE(back->SaveToFile(again));
    EXPECT_EQ(ReadAll(path), ReadAll(again));
}

TEST_F(ElevFileTest, OddExt80BytesSurviveUntouched)
{
    auto e = richPupil();
    const std::string path = dir.file("odd.ele");
    ASSERT_TRUE(e->SaveToFile(path));
    // Patch Bryn.Vandret (file offset of the portrait + 20) with a NaN payload
    // and Oejne.Lodret with an ext80 denormal.
    Bytes b = ReadAll(path);
    const std::size_t portrait = kRichPortraitOffset;
    const unsigned char nan[10] = {1, 2, 3, 4, 5, 6, 7, 0xC0, 0xFF, 0x7F};
    const unsigned char den[10] = {9, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::memcpy(&b[portrait + 20], nan, 10);
    std::memcpy(&b[portrait + 75], den, 10);
    WriteAll(path, b);

    auto back = tElev::LoadFromFile(path);
    ASSERT_FALSE(back->LaesFejl());
    back->SetMaal(1, 999);   // change something else, then save
    ASSERT_TRUE(back->SaveToFile(path));
    Bytes after = ReadAll(path);
    EXPECT_EQ(0, std::memcmp(&after[portrait + 20], nan, 10));
    EXPECT_EQ(0, std::memcmp(&after[portrait + 75], den, 10));
}

TEST_F(ElevFileTest, TruncatedAnywhereFailsAndKeepsWhatWasRead)
{
    auto e = richPupil();
    const std::string path = dir.file("full.ele");
    ASSERT_TRUE(e->SaveToFile(path));
    const Bytes full = ReadAll(path);
    const std::string cut = dir.file("cut.ele");
    // Every length from 0 to the whole file less one byte, with a fine step
    // through the photo.
    for (std::size_t n = 0; n < full.size(); n += (n > 2000 && n < full.size() - 2000) ? 997 : 1) {
        WriteAll(cut, Bytes(full.begin(), full.begin() + std::ptrdiff_t(n)));
        auto r = tElev::LoadFromFile(cut);
        ASSERT_TRUE(r->LaesFejl()) << n;
        EXPECT_LE(r->GrenCount(), 2) << n;
        if (n >= kRichPortraitOffset) {
            EXPECT_EQ(r->Kaldenavn(), "S\xF8ren") << n;
        }
    }
    auto whole = tElev::LoadFromFile(path);
    EXPECT_FALSE(whole->LaesFejl());
}

TEST_F(ElevFileTest, SecondPhotoCutOffKeepsTheFirstLeaf)
{
    auto e = richPupil();
    Pixels24 photo(180, 240);
    ASSERT_TRUE(e->SetGrenFoto(0, photo));
    const std::string path = dir.file("to.ele");
    ASSERT_TRUE(e->SaveToFile(path));
    Bytes b = ReadAll(path);
    // Cut inside the second leaf's photo.
    b.resize(b.size() - (18 * 4 + 4 + 1000 + 18 * 6));
    WriteAll(path, b);
    auto r = tElev::LoadFromFile(path);
    EXPECT_TRUE(r->LaesFejl());
    ASSERT_EQ(r->GrenCount(), 1);
    EXPECT_TRUE(r->GrenHarFoto(0));
}

TEST_F(ElevFileTest, HostileLengthsNeverAllocate)
{
    // A name length of 2 GB in a tiny file: read fails at once.
    Bytes b;
    put32(b, 0x7FFFFFFF);
    b.insert(b.end(), {'a', 'b'});
    const std::string path = dir.file("evil.ele");
    WriteAll(path, b);
    auto r = tElev::LoadFromFile(path);
    EXPECT_TRUE(r->LaesFejl());
    EXPECT_EQ(r->FuldeNavn(), "ab");   // what arrived is kept

    // A negative length is an empty string and reading goes on.
    tElev plain;
    ASSERT_TRUE(plain.SetKaldenavn("Bo"));
    ASSERT_TRUE(plain.SaveToFile(path));
    Bytes good = ReadAll(path);
    good[0] = 0xFF; good[1] = 0xFF; good[2] = 0xFF; good[3] = 0xFF;   // FuldeNavn length -1
    WriteAll(path, good);
    r = tElev::LoadFromFile(path);
    EXPECT_FALSE(r->LaesFejl());
    EXPECT_EQ(r->Kaldenavn(), "Bo");

    // A leaf count of two billion: the 76 bytes after it (the back page and
    // 18 empty texts, all zero) read as two blank leaves of 37 bytes, and
    // the third breaks off. Nothing is set aside for the count.
    tElev e;
    ASSERT_TRUE(e.SetKaldenavn("Bo"));
    ASSERT_TRUE(e.SaveToFile(path));
    Bytes c = ReadAll(path);
    const std::size_t leafCount = c.size() - 18 * 4 - 4 - 4;
    c[leafCount] = 0xFF; c[leafCount + 1] = 0xFF; c[leafCount + 2] = 0xFF; c[leafCount + 3] = 0x7F;
    WriteAll(path, c);
    r = tElev::LoadFromFile(path);
    EXPECT_TRUE(r->LaesFejl());
    EXPECT_EQ(r->GrenCount(), 2);

    // The same count before a megabyte of zeros: never more leaves than
    // the file has room for.
    c.insert(c.end(), 1 << 20, 0);
    WriteAll(path, c);
    r = tElev::LoadFromFile(path);
    EXPECT_TRUE(r->LaesFejl());
    EXPECT_LE(std::size_t(r->GrenCount()), c.size() / 37);
}

TEST_F(ElevFileTest, ALeafListCutShortKeepsTheLeavesReadWhole)
{
    // Three small leaves without photos; the file ends inside the second.
    tElev e;
    ASSERT_TRUE(e.SetKaldenavn("Bo"));
    for (int k = 0; k < 3; ++k) {
        e.AddGren(2);
        ASSERT_TRUE(e.SetGrenTekst(k, GrenTekst::Bladnavn, "blad" + std::to_string(k)));
    }
    const std::string path = dir.file("blade.ele");
    ASSERT_TRUE(e.SaveToFile(path));
    const Bytes full = ReadAll(path);
    const std::size_t leaf = 37 + 5;   // one leaf with its five-letter name
    const std::size_t firstLeaf = full.size() - 4 - 18 * 4 - 3 * leaf;
    for (std::size_t cut = firstLeaf; cut < full.size(); ++cut) {
        WriteAll(path, Bytes(full.begin(), full.begin() + std::ptrdiff_t(cut)));
        auto r = tElev::LoadFromFile(path);
        ASSERT_TRUE(r->LaesFejl()) << cut;
        const int whole = int(std::min<std::size_t>(3, (cut - firstLeaf) / leaf));
        ASSERT_EQ(r->GrenCount(), whole) << cut;
        for (int k = 0; k < whole; ++k)
            EXPECT_EQ(r->GrenTekstOf(k, GrenTekst::Bladnavn), "blad" + std::to_string(k));
    }
}

TEST_F(ElevFileTest, MissingFileGivesDefaults)
{
    auto r = tElev::LoadFromFile(dir.file("ikke-her.ele"));
    EXPECT_TRUE(r->LaesFejl());
    EXPECT_EQ(r->Koen(), "dreng");
    EXPECT_EQ(r->FilNavn(), dir.file("ikke-her.ele"));
    DateTime t;
    EXPECT_FALSE(FileWriteTime(dir.file("ikke-her.ele"), t));
}

TEST_F(ElevFileTest, FailedSaveKeepsTheOldFile)
{
    auto e = richPupil();
    const std::string path = dir.file("gem.ele");
    ASSERT_TRUE(e->SaveToFile(path));
    const Bytes before = ReadAll(path);

    // A full disk: no file may grow past 1 KB for this process.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ASSERT_TRUE(e->SetKaldenavn("Ny"));
    const bool saved = e->SaveToFile(path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(e->GemFejl());
    EXPECT_TRUE(e->Aendret());
    EXPECT_EQ(ReadAll(path), before);
    // No temporary file is left behind.
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir.path()))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);

    // The next save succeeds.
    EXPECT_TRUE(e->SaveToFile(path));
    EXPECT_FALSE(e->GemFejl());
    EXPECT_EQ(tElev::LoadFromFile(path)->Kaldenavn(), "Ny");
}

TEST_F(ElevFileTest, SaveIntoAFolderThatIsNotThere)
{
    auto e = richPupil();
    EXPECT_FALSE(e->SaveToFile(dir.file("mangler/x.ele")));
    EXPECT_TRUE(e->GemFejl());
    EXPECT_TRUE(e->Aendret());
}
