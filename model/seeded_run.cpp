#include "model/seeded_run.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "model/trace.h"
#include "platform/random.h"

SeededRun::SeededRun(const Rules& rules) : squares_(rules.width, rules.height) {
    model_.rules = rules;
    model_.setUpLattice(squares_);
}

SeededRun::SeededRun(const Rules& rules, Board&& squares) : squares_(std::move(squares)) {
    assert(squares_.width() == rules.width && squares_.height() == rules.height);
    model_.rules = rules;
    model_.setUpLattice(squares_);
}

void SeededRun::start(std::uint64_t seed, bool drawsAhead) {
    drawsAhead_.reset();
    // The fill and the clear leave some fields as they were, and a
    // creature's mating time is one of them: start from the zeroed board of
    // a fresh process, so that a seed's run does not depend on the run
    // before it. The model's pass is over after every generation, so the
    // next one starts afresh as well.
    std::fill(squares_.begin(), squares_.end(), CellState{});
    clearBoard(squares_);
    fillBoard(squares_, static_cast<std::time_t>(seed), model_.rules);
    begin(seed, drawsAhead);
}

void SeededRun::startFrom(const Board& from, std::uint64_t seed, bool drawsAhead) {
    drawsAhead_.reset();
    // In place: the model keeps the board's address.
    assert(from.width() == squares_.width() && from.height() == squares_.height());
    if (&from != &squares_) {
        std::copy(from.begin(), from.end(), squares_.begin());
    }
    begin(seed, drawsAhead);
}

void SeededRun::begin(std::uint64_t seed, bool drawsAhead) {
    seed_ = seed;
    generation_ = 0;
    if (drawsAhead && squares_.size() <= Model::kLargestDrawnBoard) {
        drawsAhead_ = std::make_unique<DrawsAhead>(static_cast<std::uint32_t>(seed + 1), squares_.size());
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

void startRun(SeededRun& run, std::uint64_t seed, const Board* from) {
    if (from != nullptr) {
        run.startFrom(*from, seed);
    } else {
        run.start(seed);
    }
}

}  // namespace

void appendCountsOfRun(std::string& text, SeededRun& run, std::uint64_t seed, std::int64_t generations,
                       const Board* from) {
    startRun(run, seed, from);
    appendCountsRow(text, seed, 0, run.census());
    for (std::int64_t k = 1; k <= generations; ++k) {
        run.step();
        appendCountsRow(text, seed, k, run.census());
    }
}

void appendSummaryOfRun(std::string& text, SeededRun& run, std::uint64_t seed, std::int64_t generations,
                        const Board* from, const GenerationSeen& afterGeneration) {
    RunSummary summary{seed, generations, {}, {}};
    startRun(run, seed, from);
    for (std::int64_t k = 0;; ++k) {
        summary.last = run.census();
        for (std::size_t species = 0; species < summary.extinctAt.size(); ++species) {
            if (!summary.extinctAt[species] && summary.last.lizards[species] + summary.last.eggs[species] == 0) {
                summary.extinctAt[species] = k;
            }
        }
        if (afterGeneration) {
            afterGeneration(k, run);
        }
        if (k == generations) {
            break;
        }
        run.step();
    }
    appendSummaryRow(text, summary);
}
