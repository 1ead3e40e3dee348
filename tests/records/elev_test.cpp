// tElev setter rules and list operations.
#include "datefmt.h"
#include "elev.h"
#include "farver.h"

#include <array>

#include <gtest/gtest.h>

namespace {

struct DanishDates : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }
    void TearDown() override { SetShortDateFormat(DateFormat::Danish()); }
};

} // namespace

using ElevRecord = DanishDates;

TEST_F(ElevRecord, NewRecordDefaults)
{
    tElev e;
    EXPECT_TRUE(e.Tom());
    EXPECT_TRUE(e.DatoOk());
    EXPECT_FALSE(e.Aendret());
    EXPECT_EQ(e.Foedselsdag(), "01-01-2000");
    EXPECT_EQ(e.Koen(), "dreng");
    EXPECT_EQ(e.Hobbyer(), std::string(50, ' '));
    EXPECT_EQ(e.BagsideValg(), 1);
    for (int d = 0; d < kDelCount; ++d) {
        EXPECT_EQ(e.Part(Del(d)).Farve, 0xFFFFFFu);
        EXPECT_EQ(e.Part(Del(d)).FarveSlide, 18);
    }
}

TEST_F(ElevRecord, AendretOnlyOnARealChange)
{
    tElev e;
    e.SetType(Del::Haar, 0);
    e.SetFarve(Del::Ansigt, 0xFFFFFF);
    e.SetFarveSlide(Del::Mund, 18);
    e.SetLodret(Del::Oejne, 0.0);
    EXPECT_TRUE(e.SetFuldeNavn(""));
    e.SetKoen("dreng");
    e.SetMaal(3, 0);
    e.SetBagsideValg(1);
    e.SetMarkeret(true);
    e.SetFilNavn("/x.ele");
    (void)e.SetHobbyer("x");
    EXPECT_FALSE(e.Aendret());
    e.SetVandret(Del::Bryn, 1.0 / 332);
    EXPECT_TRUE(e.Aendret());
}

TEST_F(ElevRecord, SixteenBitFieldsCompareWidened)
{
    tElev e;
    e.SetType(Del::Haar, 65536 + 3);   // stores the low 16 bits
    EXPECT_EQ(e.Part(Del::Haar).Type, 3);
    EXPECT_TRUE(e.Aendret());
}

TEST_F(ElevRecord, TomFollowsTheNames)
{
    tElev e;
    ASSERT_TRUE(e.SetKaldenavn("Ole"));
    EXPECT_FALSE(e.Tom());
    ASSERT_TRUE(e.SetFuldeNavn("Ole Hansen"));
    ASSERT_TRUE(e.SetKaldenavn(""));
    EXPECT_FALSE(e.Tom());
    ASSERT_TRUE(e.SetFuldeNavn(""));
    EXPECT_TRUE(e.Tom());
}

TEST_F(ElevRecord, KoenNormalises)
{
    struct Case { const char* in; const char* out; };
    for (const Case c : {Case{"Pige", "pige"}, {"p", "pige"}, {"D", "dreng"}, {"drenge", "dreng"}, {"x", ""}, {"", ""}}) {
        tElev e;
        e.SetKoen("pige");
        e.SetKoen("x");
        e.SetKoen(c.in);
        EXPECT_EQ(e.Koen(), c.out) << c.in;
    }
}

TEST_F(ElevRecord, FoedselsdagIsStoredTheSameUnderEveryFormat)
{
    tElev e;
    ASSERT_TRUE(e.SetFoedselsdag("3/4/2005"));
    EXPECT_EQ(e.Foedselsdag(), "03-04-2005");
    EXPECT_TRUE(e.DatoOk());
    EXPECT_EQ(e.BirthMonth(), 4);
    EXPECT_TRUE(e.Aendret());
    ASSERT_TRUE(e.SetFoedselsdag("31.02.2005"));
    EXPECT_EQ(e.Foedselsdag(), "31-02-2005");   // as typed, with dashes
    EXPECT_FALSE(e.DatoOk());
    EXPECT_EQ(e.BirthMonth(), -1);
    ASSERT_TRUE(e.SetFoedselsdag("29.2.1900"));
    EXPECT_FALSE(e.DatoOk());
    ASSERT_TRUE(e.SetFoedselsdag("29.2.2000"));
    EXPECT_TRUE(e.DatoOk());
    EXPECT_EQ(e.Foedselsdag(), "29-02-2000");
    EXPECT_EQ(e.BirthMonth(), 2);

    // A machine whose locale writes month first, with slashes, stores and
    // reads the same.
    SetShortDateFormat({DateFormat::Order::MDY, '/'});
    tElev us;
    ASSERT_TRUE(us.SetFoedselsdag("3-4-2005"));
    EXPECT_EQ(us.Foedselsdag(), "03-04-2005");
    EXPECT_EQ(us.BirthMonth(), 4);
    tElev def;
    EXPECT_EQ(def.BirthMonth(), 1);   // the default 01-01-2000
    SetShortDateFormat({DateFormat::Order::DMY, '.'});
    EXPECT_EQ(us.BirthMonth(), 4);
    EXPECT_EQ(def.BirthMonth(), 1);
}

TEST_F(ElevRecord, MaalFromText)
{
    tElev e;
    EXPECT_TRUE(e.SetMaalText(3, "1O5"));
    EXPECT_EQ(e.Maal(3), 105);
    EXPECT_EQ(e.MaalText(3), "105");
    EXPECT_EQ(e.MaalText(4), "");

    std::string error;
    EXPECT_FALSE(e.SetMaalText(3, "99999999999", &error));
    EXPECT_EQ(e.Maal(3), 105);   // unchanged
    EXPECT_EQ(error, "'99999999999' is not a valid integer value");
    EXPECT_TRUE(e.SetMaalText(99, "5"));   // out of range: ignored
}

TEST_F(ElevRecord, ChoosingAHobbyIsAChange)
{
    tElev chosen;
    chosen.SetHobby(3, true);
    EXPECT_TRUE(chosen.Aendret());
    EXPECT_TRUE(chosen.HobbyValgt(3));
    tElev toggled;
    toggled.ToggleHobby(3);
    EXPECT_TRUE(toggled.Aendret());
    EXPECT_TRUE(toggled.HobbyValgt(3));
    tElev outside;
    outside.SetHobby(0, true);
    outside.ToggleHobby(51);
    EXPECT_FALSE(outside.Aendret());
}

TEST_F(ElevRecord, Hobbies)
{
    tElev e;
    EXPECT_FALSE(e.HobbyValgt(0));
    EXPECT_FALSE(e.HobbyValgt(51));
    e.ToggleHobby(5);
    EXPECT_TRUE(e.HobbyValgt(5));
    e.ToggleHobby(5);
    EXPECT_EQ(e.Hobbyer()[4], 'x');
    e.ToggleHobby(51);
    EXPECT_EQ(e.Hobbyer().size(), 50u);
    // A short hobby string from an old file still takes a choice.
    (void)e.SetHobbyer("");
    e.SetHobby(50, true);
    EXPECT_TRUE(e.HobbyValgt(50));
}

TEST_F(ElevRecord, LongTextsAreRefusedNotCut)
{
    tElev e;
    const std::string big(70000, 'a');
    EXPECT_FALSE(e.SetFuldeNavn(big));
    EXPECT_FALSE(e.SetBogTekst(1, big));
    EXPECT_EQ(e.AddGren(2), 0);
    EXPECT_FALSE(e.SetGrenTekst(0, GrenTekst::Notat, big));
    EXPECT_EQ(e.GrenTekstOf(0, GrenTekst::Notat), "");
    EXPECT_TRUE(e.SetGrenTekst(0, GrenTekst::Notat, std::string(65535, 'b')));
}

TEST_F(ElevRecord, FamilyTreeOperations)
{
    tElev e;
    EXPECT_EQ(e.AddGren(0), 0);
    EXPECT_EQ(e.GrenRaekke(0), 4);
    EXPECT_DOUBLE_EQ(e.GrenXpos(0), 0.5);
    EXPECT_EQ(e.AddGren(1), 1);
    EXPECT_EQ(e.GrenRaekke(1), 0);
    EXPECT_EQ(e.FindGren(1), 1);
    EXPECT_EQ(e.FindGren(2), -1);
    EXPECT_EQ(e.GrenRaekke(7), -1);
    EXPECT_EQ(e.GrenArt(-1), 0);
    EXPECT_EQ(e.GrenRect(9), IntRect{});

    e.LayoutGrene(640, 450);   // u 45, h 22, m 4
    EXPECT_EQ(e.GrenRect(0), (IntRect{320 - 41, 427 - 18, 320 + 41, 427 + 18}));

    e.SetGrenValgt(0, true);
    e.SetGrenValgt(1, true);
    EXPECT_EQ(e.LastValgtGren(), 1);
    e.DeleteGren(1);
    EXPECT_EQ(e.LastValgtGren(), 0);
    e.DeleteGren(5);
    EXPECT_EQ(e.GrenCount(), 1);
}

// Valgt and Rect never reach the file, and the leaves the tree page adds just
// to show the tree wait for the next real change: none of them may make a
// visit that only looks write the pupil.
TEST_F(ElevRecord, UnstoredLeafFieldsAndShownLeavesLeaveAendret)
{
    tElev e;
    const int own = e.AddShownGren(1, "Ida Jensen", "Ida", "Mig selv");
    const int fresh = e.AddShownGren(0);
    EXPECT_FALSE(e.Aendret());
    EXPECT_EQ(e.GrenArt(own), 1);
    EXPECT_EQ(e.GrenRaekke(own), 0);
    EXPECT_EQ(e.GrenTekstOf(own, GrenTekst::Bladnavn), "Ida");
    EXPECT_EQ(e.GrenTekstOf(own, GrenTekst::FuldeNavn), "Ida Jensen");
    EXPECT_EQ(e.GrenTekstOf(own, GrenTekst::ErMin), "Mig selv");
    EXPECT_EQ(e.GrenRaekke(fresh), 4);
    EXPECT_EQ(e.AddShownGren(2, std::string(70000, 'x')), 2);   // too long for a file: left empty
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::FuldeNavn), "");
    EXPECT_FALSE(e.Aendret());

    e.SetGrenValgt(own, true);
    e.SetGrenRect(own, {1, 2, 3, 4});
    EXPECT_TRUE(e.GrenValgt(own));
    EXPECT_EQ(e.GrenRect(own), (IntRect{1, 2, 3, 4}));
    EXPECT_FALSE(e.Aendret());

    // A change already made stays made.
    e.SetGrenXpos(own, 0.25);
    (void)e.AddShownGren(0);
    EXPECT_TRUE(e.Aendret());
}

TEST_F(ElevRecord, PhotoCopiesTheTopLeft180By240)
{
    tElev e;
    e.AddGren(2);
    Pixels24 small(179, 240);
    EXPECT_FALSE(e.SetGrenFoto(0, small));
    EXPECT_FALSE(e.GrenHarFoto(0));

    Pixels24 big(200, 250);
    for (int y = 0; y < 250; ++y)
        for (int x = 0; x < 200; ++x) {
            auto* p = big.pixel(x, y);
            p[0] = std::uint8_t(x);
            p[1] = std::uint8_t(y);
            p[2] = 7;
        }
    ASSERT_TRUE(e.SetGrenFoto(0, big));
    Pixels24 out;
    ASSERT_TRUE(e.GetGrenFoto(0, out));
    EXPECT_EQ(out.width, 180);
    EXPECT_EQ(out.height, 240);
    EXPECT_EQ(out.pixel(179, 239)[0], 179);
    EXPECT_EQ(out.pixel(179, 239)[1], 239);
    e.ClearGrenFoto(0);
    EXPECT_FALSE(e.GetGrenFoto(0, out));
}

TEST(PartColours, TheEditorTables)
{
    auto rgb = [](Colour c) { return std::array<int, 3>{int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)}; };
    using A = std::array<int, 3>;
    EXPECT_EQ(rgb(PartColour(Del::Ansigt, 0, 18)), (A{128, 88, 64}));
    EXPECT_EQ(rgb(PartColour(Del::Ansigt, 3, 37)), (A{248, 236, 220}));
    EXPECT_EQ(rgb(PartColour(Del::Haar, 3, 18)), (A{76, 60, 44}));
    EXPECT_EQ(rgb(PartColour(Del::Bryn, 3, 18)), (A{76, 60, 44}));
    EXPECT_EQ(rgb(PartColour(Del::Briller, 0, 18)), (A{132, 132, 132}));
    EXPECT_EQ(PartColour(Del::Naese, 2, 10), 0xFFFFFFu);
    // No table leaves 8 bits anywhere on the slider.
    for (Del d : {Del::Ansigt, Del::Haar, Del::Oejne, Del::Mund, Del::Briller})
        for (int b = 0; b < 4; ++b)
            for (int p = 0; p <= 37; ++p)
                for (int ch : rgb(PartColour(d, b, p)))
                    EXPECT_LE(ch, 252);
    EXPECT_EQ(SlideMul(34, 19), 17);   // 17.0
    EXPECT_EQ(SlideMul(37, 1), 1);     // 0.97
    EXPECT_EQ(SlideMul(19, 1), 1);     // 0.5 goes up
}
