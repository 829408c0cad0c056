#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/board.h"
#include "model/census.h"
#include "model/draws_ahead.h"
#include "model/model.h"
#include "model/run_seeds.h"
#include "model/trace.h"

// A board to start a run from: the board, the generation it is in the run
// it came from, and the seeds recorded for the generations after it, as a
// board file gives them.
struct StartingBoard {
    const Board& squares;
    std::int64_t generation = 0;
    std::span<const std::uint32_t> nextSeeds;
};

// A run as vivar-sim makes it: the board filled as the fill button would at
// calendar second `seed`, or a board given whole, then generation k seeded
// with seed + k, as if one second passed per generation. It owns its board
// and its generator, and traces to the sink it is given: the console unless
// told.
class SeededRun {
public:
    // A run with a board of its own, of the rules' size, so that several
    // runs can go on at once, one per thread.
    explicit SeededRun(const Rules& rules = {}, trace::Sink* sink = &trace::console());
    // A run that takes the given board, of the rules' size, as its own; a
    // start from squares() then copies nothing.
    SeededRun(const Rules& rules, Board&& squares, trace::Sink* sink = &trace::console());

    // Starts the seed's run on a board as a fresh process has it. With
    // `drawsAhead`, another thread makes each generation's random values
    // in advance (worth it only when a core is otherwise idle, and only
    // on a board whose visiting order is drawn square by square).
    void start(std::uint64_t seed, bool drawsAhead = false);
    // Starts from a copy of the given board, of the rules' size, instead of
    // the fill, tracing nothing. The board is generation `generation` of its
    // run, which goes on as it did: generation k seeded with seed + k,
    // except that the generations after the board take the recorded
    // `nextSeeds` first, one each. So a board saved after generation K of
    // seed S goes on exactly as that run did when started at K with seed S.
    void startFrom(const Board& from, std::uint64_t seed, std::int64_t generation,
                   std::span<const std::uint32_t> nextSeeds = {}, bool drawsAhead = false);
    // Computes the next generation, tracing its hand-off line, and returns
    // its number, counted as the run it goes on from counts them.
    std::int64_t step();

    [[nodiscard]] std::uint64_t seed() const { return seed_; }
    [[nodiscard]] std::int64_t generation() const { return generation_; }
    // The recorded seeds of the generations still to come.
    [[nodiscard]] std::span<const std::uint32_t> nextSeeds() const;
    [[nodiscard]] Census census() const { return takeCensus(squares_); }
    [[nodiscard]] const Board& squares() const { return squares_; }
    [[nodiscard]] const Rules& rules() const { return model_.rules; }

private:
    // What a start does once the board is in place.
    void begin(std::uint64_t seed, std::int64_t generation, bool drawsAhead);

    Board squares_;
    Model model_;
    std::uint64_t seed_ = 0;
    std::int64_t generation_ = 0;
    // Recorded seeds of the generations after the starting board's:
    // generation firstRecorded_ + i took nextSeeds_[i].
    std::vector<std::uint32_t> nextSeeds_;
    std::int64_t firstRecorded_ = 1;
    bool wantsDrawsAhead_ = false;
    std::unique_ptr<DrawsAhead> drawsAhead_;
};

// A seed's run of `generations` generations, as one text for a sweep: every
// generation's counts row with the seed in front, or the one summary row.
// The run starts from `from` when it is given, from the seed's fill (at
// generation 0) when not, and numbers its generations on from the board's,
// the summary's extinctions and last generation too. The summary's run
// shows itself after every generation, the first included, to
// `afterGeneration` when it is given.
using GenerationSeen = std::function<void(std::int64_t generation, const SeededRun& run)>;
void appendCountsOfRun(std::string& text, SeededRun& run, std::uint64_t seed, std::int64_t generations,
                       const StartingBoard* from = nullptr);
void appendSummaryOfRun(std::string& text, SeededRun& run, std::uint64_t seed, std::int64_t generations,
                        const StartingBoard* from = nullptr, const GenerationSeen& afterGeneration = {});
