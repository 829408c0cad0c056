#pragma once

#include <array>
#include <cstdint>

#include "model/board.h"

// How a heading becomes the squares a creature sees. Headings 1..8 are 45
// degrees apart; raising a heading turns the creature to its left. Each look
// slot holds the number of a neighbour in the lattice's fixed order:
// 0 (+1,+1) 1 (+1,-1) 2 (-1,+1) 3 (-1,-1) 4 (+1,0) 5 (-1,0) 6 (0,+1) 7 (0,-1),
// as (row step, column step).

// Look slots, relative to the heading.
inline constexpr int kFront = 0;
inline constexpr int kFrontRight = 1;
inline constexpr int kFrontLeft = 2;
inline constexpr int kRight = 3;
inline constexpr int kLeft = 4;
inline constexpr int kBack = 5;
inline constexpr int kBackRight = 6;
inline constexpr int kBackLeft = 7;

inline constexpr int kHeadingCount = 8;

// Row h - 1 gives look slots 0..7 for heading h.
inline constexpr std::array<LookSlots, kHeadingCount> kOrientationTable{{
    {4, 0, 1, 6, 7, 5, 2, 3},
    {1, 4, 7, 0, 3, 2, 6, 5},
    {7, 1, 3, 4, 5, 6, 0, 2},
    {3, 7, 5, 1, 2, 0, 4, 6},
    {5, 3, 2, 7, 6, 4, 1, 0},
    {2, 5, 6, 3, 0, 1, 7, 4},
    {6, 2, 0, 5, 4, 7, 3, 1},
    {0, 6, 4, 2, 1, 3, 5, 7},
}};

// The heading turned by a number of 45-degree steps to the left (negative:
// to the right), kept within 1..8.
[[nodiscard]] constexpr std::int8_t turned(int heading, int steps) {
    return static_cast<std::int8_t>(((heading - 1 + steps) % kHeadingCount + kHeadingCount) % kHeadingCount + 1);
}

// 1 becomes 0, anything else becomes 1.
[[nodiscard]] constexpr Flag flipped(Flag phase) { return phase == 1 ? 0 : 1; }

// Overwrites the look slots from the heading; a heading outside 1..8 reads
// the row of heading 8.
CellState& deriveLookSlots(CellState& cell);
