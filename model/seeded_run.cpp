#include "model/seeded_run.h"

#include "model/trace.h"
#include "platform/random.h"

SeededRun::SeededRun() : SeededRun(board) {}

SeededRun::SeededRun(std::array<CellState, kSquareCount>& squares) : squares_(squares) {
    model_.setUpLattice(squares_);
}

void SeededRun::start(std::uint64_t seed, bool drawsAhead) {
    drawsAhead_.reset();
    // The fill and the clear leave some fields as they were, and a
    // creature's mating time is one of them: start from the zeroed board of
    // a fresh process, so that a seed's run does not depend on the run
    // before it. The model's pass is over after every generation, so the
    // next one starts afresh as well.
    squares_.fill(CellState{});
    clearBoard(squares_);
    fillBoard(squares_, static_cast<std::time_t>(seed));
    begin(seed, drawsAhead);
}

void SeededRun::startFrom(const std::array<CellState, kSquareCount>& from, std::uint64_t seed, bool drawsAhead) {
    drawsAhead_.reset();
    squares_ = from;
    begin(seed, drawsAhead);
}

void SeededRun::begin(std::uint64_t seed, bool drawsAhead) {
    seed_ = seed;
    generation_ = 0;
    if (drawsAhead) {
        drawsAhead_ = std::make_unique<DrawsAhead>(static_cast<std::uint32_t>(seed + 1));
    }
}

std::int64_t SeededRun::step() {
    ++generation_;
    if (drawsAhead_) {
        drawsAhead_->seedNext();
    } else {
        // The simulated clock wraps like the generator's 32-bit seed.
        platform::srand(static_cast<std::uint32_t>(seed_ + static_cast<std::uint64_t>(generation_)));
    }
    model_.computeGeneration();
    trace::line("model ----------------------------- a cambiar imagenes \n");
    return generation_;
}

namespace {

void startRun(SeededRun& run, std::uint64_t seed, const std::array<CellState, kSquareCount>* from) {
    if (from != nullptr) {
        run.startFrom(*from, seed);
    } else {
        run.start(seed);
    }
}

}  // namespace

void appendCountsOfRun(std::string& text, SeededRun& run, std::uint64_t seed, std::int64_t generations,
                       const std::array<CellState, kSquareCount>* from) {
    startRun(run, seed, from);
    appendCountsRow(text, seed, 0, run.census());
    for (std::int64_t k = 1; k <= generations; ++k) {
        run.step();
        appendCountsRow(text, seed, k, run.census());
    }
}

void appendSummaryOfRun(std::string& text, SeededRun& run, std::uint64_t seed, std::int64_t generations,
                        const std::array<CellState, kSquareCount>* from) {
    RunSummary summary{seed, generations, {}, {}};
    startRun(run, seed, from);
    for (std::int64_t k = 0;; ++k) {
        summary.last = run.census();
        for (std::size_t species = 0; species < summary.extinctAt.size(); ++species) {
            if (!summary.extinctAt[species] && summary.last.lizards[species] + summary.last.eggs[species] == 0) {
                summary.extinctAt[species] = k;
            }
        }
        if (k == generations) {
            break;
        }
        run.step();
    }
    appendSummaryRow(text, summary);
}
