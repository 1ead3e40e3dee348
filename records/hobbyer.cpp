// The hobby catalogue.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "hobbyer.h"

#include <array>

namespace {

// Windows-1252: \xE6 is æ, \xF8 ø, \xE5 å.
constexpr std::array<std::string_view, kHobbyAntal> kNavne = {
    "Atletik",        "Badminton",      "Basketball",    "Boksning",    "Bordtennis",
    "Bowling",        "Byggelegeplads", "Computerspil",  "Cykling",     "Dans",
    "Fitness",        "Fodbold",        "Folkedans",     "Frim\xE6rker", "F\xE6gtning",
    "Go-cart",        "Gymnastik",      "H\xE5ndbold",   "Klatring",    "Ishockey",
    "L\xE6sning",     "Lystfiskeri",    "L\xF8" "be",    "Modelbygning", "Modelracerbane",
    "Modeltog",       "Musik",          "Paintball",     "Ridning",     "Rollespil",
    "Roning",         "Sang/kor",       "Sejlsport",     "Selvforsvar", "Skak",
    "Skateboard",     "Skil\xF8" "b",   "Spejder/FDF",   "Styrketr\xE6ning", "Sv\xF8mning",
    "Teater",         "Tennis",         "Trampolin",     "Windsurfing", "Vandski",
    "Volleyball",     "Ekstra 1",       "Ekstra 2",      "Ekstra 3",    "Ekstra 4",
};

} // namespace

std::string_view HobbyNavn(int n)
{
    if (n < 1 || n > kHobbyAntal)
        return {};
    return kNavne[std::size_t(n - 1)];
}
