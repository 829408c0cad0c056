#pragma once

#include <array>
#include <optional>

#include "looks/square_look.h"
#include "model/board.h"

// The tile pictures a square is drawn with, in the window and in films,
// their numbering, and which one a square shows.
inline constexpr int kTilePictureCount = 53;

// Where each occupant's pictures start; a run holds one per heading.
inline constexpr int kEmptyPicture = 0;
inline constexpr int kLizard1Egg = 1;
inline constexpr int kLizard1PhaseOneRun = 2;
inline constexpr int kLizard1OtherPhaseRun = 10;
inline constexpr int kLizard2Egg = 18;
inline constexpr int kLizard2PhaseOneRun = 19;
inline constexpr int kLizard2OtherPhaseRun = 27;
inline constexpr int kCatPhaseOneRun = 35;
inline constexpr int kCatOtherPhaseRun = 43;
inline constexpr int kCatEatingLizard1 = 51;
inline constexpr int kCatEatingLizard2 = 52;
inline constexpr int kHeadingsPerRun = 8;

// File names by picture number. Within each run of eight the digit is the
// heading.
inline constexpr std::array<const char*, kTilePictureCount> kTilePictureFiles{
    // 0: an empty square. 1: a kind 1 hatchling.
    "vacio.png", "lch.png",
    // 2..9, 10..17: a kind 1 adult in phase 1, in the other phase.
    "lcd1.png", "lcd2.png", "lcd3.png", "lcd4.png", "lcd5.png", "lcd6.png", "lcd7.png", "lcd8.png",
    "lci1.png", "lci2.png", "lci3.png", "lci4.png", "lci5.png", "lci6.png", "lci7.png", "lci8.png",
    // 18: a kind 2 hatchling. 19..26, 27..34: a kind 2 adult in phase 1, in the other phase.
    "lvh.png",
    "lvd1.png", "lvd2.png", "lvd3.png", "lvd4.png", "lvd5.png", "lvd6.png", "lvd7.png", "lvd8.png",
    "lvi1.png", "lvi2.png", "lvi3.png", "lvi4.png", "lvi5.png", "lvi6.png", "lvi7.png", "lvi8.png",
    // 35..42, 43..50: a cat in phase 1, in the other phase.
    "gd1.png", "gd2.png", "gd3.png", "gd4.png", "gd5.png", "gd6.png", "gd7.png", "gd8.png",
    "gi1.png", "gi2.png", "gi3.png", "gi4.png", "gi5.png", "gi6.png", "gi7.png", "gi8.png",
    // 51, 52: a cat eating a kind 1, a kind 2 lizard.
    "gclc.png", "gclv.png",
};

// The picture a square shows, or none for a kind outside 0..3.
[[nodiscard]] std::optional<int> tilePictureOf(const CellState& cell);

// What a board map shows of a square, and of a square showing `picture`:
// its occupant's kind, an egg apart from an adult.
[[nodiscard]] SquareLook squareLookOf(const CellState& cell);
[[nodiscard]] SquareLook lookOfPicture(int picture);
