#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>

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

[[nodiscard]] Census takeCensus(std::span<const CellState> squares);

// The counts CSV: a header, then one row per generation.
inline constexpr const char* kCountsHeader = "generation,empty,lizard1,lizard2,egg1,egg2,cat";
void printCountsHeader(std::FILE* out);
void printCountsRow(std::FILE* out, std::int64_t generation, const Census& census);

// The counts of a sweep of seeds: the same rows after a leading seed.
inline constexpr const char* kSweepCountsHeader = "seed,generation,empty,lizard1,lizard2,egg1,egg2,cat";
void appendCountsRow(std::string& text, std::uint64_t seed, std::int64_t generation, const Census& census);

// What a seed's run came to: the counts after its last generation, and for
// each lizard species the first generation at which neither an adult nor an
// egg of it was left, if that happened.
struct RunSummary {
    std::uint64_t seed = 0;
    std::int64_t generations = 0;
    Census last;
    std::array<std::optional<std::int64_t>, 2> extinctAt;
};
inline constexpr const char* kSummaryHeader =
    "seed,generations,empty,lizard1,lizard2,egg1,egg2,cat,species1_extinct_at,species2_extinct_at";
void appendSummaryRow(std::string& text, const RunSummary& summary);
