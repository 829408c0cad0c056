#include "model/history.h"

#include <algorithm>
#include <cassert>
#include <iterator>

#include "model/trace.h"
#include "platform/random.h"

void RunHistory::restart(const Board& squares, const Rules& rules) {
    rules_ = rules;
    const std::size_t count = std::max<std::size_t>(squares.size(), 1);
    interval_ = std::clamp<std::int64_t>(static_cast<std::int64_t>(kReplaySquareTurns / count), 1, kLongestInterval);
    latest_ = 0;
    kept_.clear();
    firstSeed_ = 0;
    seeds_.clear();
    keep(0, squares);
    replay_.reset();
}

std::size_t RunHistory::budget() const {
    if (budget_ != 0) {
        return budget_;
    }
    const std::size_t squares = static_cast<std::size_t>(rules_.width) * static_cast<std::size_t>(rules_.height);
    const std::size_t standard = static_cast<std::size_t>(kBoardSide) * kBoardSide;
    return std::min(kMostBytes, std::max(kStandardBudget, kStandardBudget / standard * squares));
}

std::size_t RunHistory::bytes() const {
    std::size_t total = seeds_.size() * sizeof(std::uint32_t);
    for (const auto& [generation, squares] : kept_) {
        total += sizeof(CellState) * squares.size() + sizeof(generation);
    }
    return total;
}

void RunHistory::keep(std::int64_t generation, const Board& squares) {
    kept_.emplace_back(generation, squares);
    // Never below the latest board kept: the present is always there.
    while (kept_.size() > 1 && bytes() > budget()) {
        forgetOldest();
    }
}

void RunHistory::forgetOldest() {
    kept_.pop_front();
    const std::int64_t earliest = kept_.front().first;
    // The seeds of the generations up to the earliest board are not needed.
    while (firstSeed_ < earliest && !seeds_.empty()) {
        seeds_.pop_front();
        ++firstSeed_;
    }
}

void RunHistory::record(std::uint32_t seed, const Board& after) {
    assert(!kept_.empty());
    seeds_.push_back(seed);
    ++latest_;
    if (latest_ - kept_.back().first >= interval_) {
        keep(latest_, after);
    }
}

void RunHistory::branch(std::int64_t generation, const Board& squares) {
    assert(generation >= earliest() && generation <= latest_);
    while (!kept_.empty() && kept_.back().first >= generation) {
        kept_.pop_back();
    }
    seeds_.resize(static_cast<std::size_t>(generation - firstSeed_));
    latest_ = generation;
    keep(generation, squares);
}

std::optional<std::uint32_t> RunHistory::seedOf(std::int64_t generation) const {
    if (generation <= firstSeed_ || generation > latest_) {
        return std::nullopt;
    }
    return seeds_[static_cast<std::size_t>(generation - firstSeed_ - 1)];
}

RunHistory::Rebuilt RunHistory::rebuild(std::int64_t generation, int watched) const {
    assert(generation >= earliest() && generation <= latest_);
    const auto from = std::prev(std::upper_bound(kept_.begin(), kept_.end(), generation,
                                                 [](std::int64_t wanted, const auto& kept) { return wanted < kept.first; }));
    if (from->first == generation) {
        return {from->second, std::nullopt};
    }
    if (!replay_) {
        work_ = from->second;
        replay_ = std::make_unique<Model>();
        replay_->rules = rules_;
        replay_->setUpLattice(work_);
    } else {
        // In place: the replaying model keeps the board's address.
        std::copy(from->second.begin(), from->second.end(), work_.begin());
    }
    const platform::Generator saved = platform::threadGenerator();
    // The window's model is stopped while a generation is rebuilt, so the
    // trace has no other writer to lose.
    std::FILE* sink = trace::sink();
    trace::setSink(nullptr);
    for (std::int64_t g = from->first + 1; g <= generation; ++g) {
        replay_->watch(g == generation ? watched : -1);
        platform::srand(*seedOf(g));
        replay_->computeGeneration();
    }
    trace::setSink(sink);
    platform::threadGenerator() = saved;
    Rebuilt rebuilt{work_, std::nullopt};
    if (watched >= 0) {
        rebuilt.turn = replay_->watchedTurn();
    }
    return rebuilt;
}
