#pragma once
// The two lines the scroller scene slides across the screen. The greetings
// line is UTF-8: the text face reads its four two-byte letters as one
// character each.

constexpr const char* kCreditsLine = "Code kestrel/nullb/orbo   GFX mirelle/tonk  Music glimmr";

constexpr const char* kGreetingsLine =
    "Greetings fly out to Åsa, Jörg, Zoë and Ñandu, to the Pixel Pilgrims, Team Brackwater and the "
    "Hexagon Pals, and to all still coding at four in the morning! :D ";
