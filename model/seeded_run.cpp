#include "model/seeded_run.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "model/trace.h"
#include "platform/random.h"

SeededRun::SeededRun(const Rules& rules, trace::Sink* sink) : squares_(rules.width, rules.height) {
    model_.rules = rules;
    model_.setUpLattice(squares_);
    model_.traceTo(sink);
}

SeededRun::SeededRun(const Rules& rules, Board&& squares, trace::Sink* sink) : squares_(std::move(squares)) {
    assert(squares_.width() == rules.width && squares_.height() == rules.height);
    model_.rules = rules;
    model_.setUpLattice(squares_);
    model_.traceTo(sink);
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
    fillBoard(squares_, static_cast<std::time_t>(seed), model_.rules, model_.generator(), model_.traceLines());
    nextSeeds_.clear();
    begin(seed, 0, drawsAhead);
}

void SeededRun::startFrom(const Board& from, std::uint64_t seed, std::int64_t generation,
                          std::span<const std::uint32_t> nextSeeds, bool drawsAhead) {
    drawsAhead_.reset();
    // In place: the model keeps the board's address.
    assert(from.width() == squares_.width() && from.height() == squares_.height());
    assert(generation >= 0);
    if (&from != &squares_) {
        std::copy(from.begin(), from.end(), squares_.begin());
    }
    nextSeeds_.assign(nextSeeds.begin(), nextSeeds.end());
    begin(seed, generation, drawsAhead);
}

void SeededRun::begin(std::uint64_t seed, std::int64_t generation, bool drawsAhead) {
    seed_ = seed;
    generation_ = generation;
    firstRecorded_ = generation + 1;
    wantsDrawsAhead_ = drawsAhead && squares_.size() <= Model::kLargestDrawnBoard;
    // Values are made ahead for seed + k only; while recorded seeds last, a
    // maker would only wait.
    if (wantsDrawsAhead_ && nextSeeds_.empty()) {
        drawsAhead_ = std::make_unique<DrawsAhead>(seedOfGeneration(seed, generation + 1), squares_.size(),
                                                   model_.generator());
    }
}

std::span<const std::uint32_t> SeededRun::nextSeeds() const {
    const std::int64_t used = std::clamp<std::int64_t>(generation_ + 1 - firstRecorded_, 0,
                                                       static_cast<std::int64_t>(nextSeeds_.size()));
    return std::span<const std::uint32_t>(nextSeeds_).subspan(static_cast<std::size_t>(used));
}

std::int64_t SeededRun::step() {
    ++generation_;
    const std::int64_t recorded = generation_ - firstRecorded_;
    if (recorded < static_cast<std::int64_t>(nextSeeds_.size())) {
        model_.generator().seed(nextSeeds_[static_cast<std::size_t>(recorded)]);
    } else {
        if (wantsDrawsAhead_ && !drawsAhead_) {
            drawsAhead_ = std::make_unique<DrawsAhead>(seedOfGeneration(seed_, generation_), squares_.size(),
                                                       model_.generator());
        }
        if (drawsAhead_) {
            drawsAhead_->seedNext();
        } else {
            model_.generator().seed(seedOfGeneration(seed_, generation_));
        }
    }
    model_.computeGeneration();
    model_.traceHandOff();
    return generation_;
}

namespace {

// The generation the run starts at.
std::int64_t startRun(SeededRun& run, std::uint64_t seed, const StartingBoard* from) {
    if (from == nullptr) {
        run.start(seed);
        return 0;
    }
    run.startFrom(from->squares, seed, from->generation, from->nextSeeds);
    return from->generation;
}

}  // namespace

void appendCountsOfRun(std::string& text, SeededRun& run, std::uint64_t seed, std::int64_t generations,
                       const StartingBoard* from) {
    const std::int64_t first = startRun(run, seed, from);
    appendCountsRow(text, seed, first, run.census());
    // Counted in steps: the last generation may be the largest number there is.
    for (std::int64_t step = 0; step < generations; ++step) {
        const std::int64_t k = run.step();
        appendCountsRow(text, seed, k, run.census());
    }
}

void appendSummaryOfRun(std::string& text, SeededRun& run, std::uint64_t seed, std::int64_t generations,
                        const StartingBoard* from, const GenerationSeen& afterGeneration) {
    const std::int64_t first = startRun(run, seed, from);
    RunSummary summary{seed, first + generations, {}, {}};
    for (std::int64_t k = first;; ++k) {
        summary.last = run.census();
        for (std::size_t species = 0; species < summary.extinctAt.size(); ++species) {
            if (!summary.extinctAt[species] && summary.last.lizards[species] + summary.last.eggs[species] == 0) {
                summary.extinctAt[species] = k;
            }
        }
        if (afterGeneration) {
            afterGeneration(k, run);
        }
        if (k == first + generations) {
            break;
        }
        run.step();
    }
    appendSummaryRow(text, summary);
}
