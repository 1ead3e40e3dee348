// The hobby catalogue: numbers are stored in files, so every entry matters.
#include "ansi.h"
#include "hobbyer.h"

#include <gtest/gtest.h>

TEST(HobbyKatalog, EveryNumberHasItsName)
{
    // The names in UTF-8, in catalogue order; the catalogue holds them as
    // Windows-1252.
    const char* const want[kHobbyAntal] = {
        "Atletik",    "Badminton",      "Basketball",   "Boksning",    "Bordtennis",    "Bowling",
        "Byggelegeplads", "Computerspil", "Cykling",    "Dans",        "Fitness",       "Fodbold",
        "Folkedans",  "Frimærker",      "Fægtning",     "Go-cart",     "Gymnastik",     "Håndbold",
        "Klatring",   "Ishockey",       "Læsning",      "Lystfiskeri", "Løbe",          "Modelbygning",
        "Modelracerbane", "Modeltog",   "Musik",        "Paintball",   "Ridning",       "Rollespil",
        "Roning",     "Sang/kor",       "Sejlsport",    "Selvforsvar", "Skak",          "Skateboard",
        "Skiløb",     "Spejder/FDF",    "Styrketræning", "Svømning",   "Teater",        "Tennis",
        "Trampolin",  "Windsurfing",    "Vandski",      "Volleyball",  "Ekstra 1",      "Ekstra 2",
        "Ekstra 3",   "Ekstra 4",
    };
    for (int n = 1; n <= kHobbyAntal; ++n) {
        EXPECT_EQ(ansi::ToUtf8(HobbyNavn(n)), want[n - 1]) << n;
        EXPECT_LE(HobbyNavn(n).size(), std::size_t(kHobbyNavnLaengde)) << n;
    }
    EXPECT_EQ(HobbyNavn(14), "Frim\xE6rker");
    EXPECT_TRUE(HobbyNavn(0).empty());
    EXPECT_TRUE(HobbyNavn(51).empty());
    EXPECT_TRUE(HobbyNavn(-1).empty());
}
