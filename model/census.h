#pragma once

#include <cstdint>
#include <cstdio>

#include "model/board.h"

// How many squares hold what: the figures the status line, the chart and
// the counts files show.
struct Census {
    int empty = 0;
    int lizards[2] = {0, 0};  // adults of the first and second species
    int eggs[2] = {0, 0};     // hatchlings of the first and second species
    int cats = 0;             // every cat, eating or not
    int eatingCats = 0;
};

[[nodiscard]] Census takeCensus(const std::array<CellState, kSquareCount>& squares);

// The counts CSV: a header, then one row per generation.
inline constexpr const char* kCountsHeader = "generation,empty,lizard1,lizard2,egg1,egg2,cat";
void printCountsHeader(std::FILE* out);
void printCountsRow(std::FILE* out, std::int64_t generation, const Census& census);
