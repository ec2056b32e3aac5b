// The program icon: a waving flag on a pole, in the 16-colour palette.
#pragma once

// clang-format off

static const char* const kFlagIcon32[] = {"32 32 6 1",
                                          ". c None",
                                          "g c #808080",
                                          "y c #FFFF00",
                                          "r c #FF0000",
                                          "w c #FFFFFF",
                                          "b c #000080",
                                          "...yy...........................",
                                          "...yy...................rr......",
                                          "...gg...............rrrrrrrrrr..",
                                          "...ggbb..........rrrrrrrrrrrrrrr",
                                          "...ggbwbbbb..bbbbrrrrrrrwwrrrrrr",
                                          "...ggbbbbwbbbbbwbrrrwwwwwwwwwwrr",
                                          "...ggbbbbbbbwbbbbwwwwwwwrrwwwwww",
                                          "...ggbwbbbbbbbbbbwwwrrrrrrrrrrww",
                                          "...ggbbbbwbbbbbwbrrrrrrrrrrrrrrr",
                                          "...ggbbbbbbbwbbbbrrrrrrrwwrrrrrr",
                                          "...ggbwbbbbbbbbbbrrrwwwwwwwwwwrr",
                                          "...ggbbbbwbbbbbwbwwwwwwwrrwwwwww",
                                          "...ggbbbbbbbwbbbbwwwrrrrrrrrrrww",
                                          "...ggrrbbbbbbbbbbrrrrrrrrrrrrrrr",
                                          "...ggrrrrrrbbrrrrrrrrrrrwwrrrrrr",
                                          "...ggrrrrrrrrrrrrrrrwwwwwwwwwwrr",
                                          "...ggwwrrrrrrrrrrwwwwwwwrrwwwwww",
                                          "...ggwwwwwwrrwwwwwwwrrrrrrrrrrww",
                                          "...ggrrwwwwwwwwwwrrrrrrr..rrrrrr",
                                          "...ggrrrrrrwwrrrrrrr..........rr",
                                          "...gg..rrrrrrrrrr...............",
                                          "...gg......rr...................",
                                          "...gg...........................",
                                          "...gg...........................",
                                          "...gg...........................",
                                          "...gg...........................",
                                          "...gg...........................",
                                          "...gg...........................",
                                          "...gg...........................",
                                          "...gg...........................",
                                          "...gg...........................",
                                          "...gg..........................."};

static const char* const kFlagIcon16[] = {
    "16 16 6 1",        ". c None",         "g c #808080",      "y c #FFFF00",
    "r c #FF0000",      "w c #FFFFFF",      "b c #000080",      ".y........rrrr..",
    ".gbb....rrrrrrrr", ".gbwbbbbrrwwwwrr", ".gbbbwbwwwwwwwww", ".gbwbbbbwwrrrrww",
    ".gbbbwbwrrwwwwrr", ".gwwbbbbwwwwwwww", ".gwwwwwwwwrrrrww", ".grrwwwwrr....rr",
    ".g..rrrr........", ".g..............", ".g..............", ".g..............",
    ".g..............", ".g..............", ".g.............."};
// clang-format on
