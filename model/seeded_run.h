#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "model/board.h"
#include "model/census.h"
#include "model/draws_ahead.h"
#include "model/model.h"

// The generator keeps 32 bits of its seed, so a larger seed would only
// repeat a smaller one's run.
inline constexpr std::uint64_t kLargestSeed = 4294967295;

// A run as vivar-sim makes it: the board filled as the fill button would at
// calendar second `seed`, or a board given whole, then generation k seeded
// with seed + k, as if one second passed per generation.
class SeededRun {
public:
    // A run with a board of its own, of the rules' size, so that several
    // runs can go on at once, one per thread.
    explicit SeededRun(const Rules& rules = {});
    // A run that takes the given board, of the rules' size, as its own; a
    // start from squares() then copies nothing.
    SeededRun(const Rules& rules, Board&& squares);

    // Starts the seed's run on a board as a fresh process has it. With
    // `drawsAhead`, another thread makes each generation's random values
    // in advance (worth it only when a core is otherwise idle, and only
    // on a board whose visiting order is drawn square by square).
    void start(std::uint64_t seed, bool drawsAhead = false);
    // Starts from a copy of the given board, of the rules' size, instead of
    // the fill, tracing nothing: a board saved after generation K of seed S
    // goes on exactly as that run did when started with seed S + K.
    void startFrom(const Board& from, std::uint64_t seed, bool drawsAhead = false);
    // Computes the next generation, tracing its hand-off line, and returns
    // its number.
    std::int64_t step();

    [[nodiscard]] std::uint64_t seed() const { return seed_; }
    [[nodiscard]] Census census() const { return takeCensus(squares_); }
    [[nodiscard]] const Board& squares() const { return squares_; }
    [[nodiscard]] const Rules& rules() const { return model_.rules; }

private:
    // What a start does once the board is in place.
    void begin(std::uint64_t seed, bool drawsAhead);

    Board squares_;
    Model model_;
    std::uint64_t seed_ = 0;
    std::int64_t generation_ = 0;
    std::unique_ptr<DrawsAhead> drawsAhead_;
};

// A seed's run of the given length, as one text for a sweep: every
// generation's counts row with the seed in front, or the one summary row.
// The run starts from `from` when it is given, from the seed's fill when not.
// The summary's run shows itself after every generation, 0 included, to
// `afterGeneration` when it is given.
using GenerationSeen = std::function<void(std::int64_t generation, const SeededRun& run)>;
void appendCountsOfRun(std::string& text, SeededRun& run, std::uint64_t seed, std::int64_t generations,
                       const Board* from = nullptr);
void appendSummaryOfRun(std::string& text, SeededRun& run, std::uint64_t seed, std::int64_t generations,
                        const Board* from = nullptr, const GenerationSeen& afterGeneration = {});
